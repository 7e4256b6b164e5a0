// A list of strings with the framework's head/tail calls.
#pragma once

#include "platform/CString.h"

#include <list>

class KIVPLATFORM_EXPORT CStringList {
public:
    int GetCount() const { return static_cast<int>(m_items.size()); }
    int GetSize() const { return GetCount(); }
    bool IsEmpty() const { return m_items.empty(); }

    void AddHead(const CString& text) { m_items.push_front(text); }
    void AddTail(const CString& text) { m_items.push_back(text); }
    // Head and tail of an empty list are empty strings.
    CString GetHead() const { return m_items.empty() ? CString() : m_items.front(); }
    CString GetTail() const { return m_items.empty() ? CString() : m_items.back(); }
    CString RemoveHead();
    CString RemoveTail();
    void RemoveAll() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::list<CString> m_items;
};

inline CString CStringList::RemoveHead()
{
    if (m_items.empty())
        return {};
    CString text = std::move(m_items.front());
    m_items.pop_front();
    return text;
}

inline CString CStringList::RemoveTail()
{
    if (m_items.empty())
        return {};
    CString text = std::move(m_items.back());
    m_items.pop_back();
    return text;
}
