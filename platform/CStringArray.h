// An indexed array of strings with the framework's calls (GetSize, Add, …).
// Out-of-range indices are the caller's fault; GetAt gives an empty string
// for them rather than reading outside the array.
#pragma once

#include "platform/CString.h"

#include <vector>

class KIVPLATFORM_EXPORT CStringArray {
public:
    CStringArray() = default;
    CStringArray(const CStringArray&) = default;
    CStringArray& operator=(const CStringArray&) = default;
    virtual ~CStringArray();

    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }

    const CString& GetAt(int index) const;
    CString& ElementAt(int index) { return m_items.at(static_cast<std::size_t>(index)); }
    void SetAt(int index, const CString& text);
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }

    int Add(const CString& text);
    void InsertAt(int index, const CString& text);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

protected:
    std::vector<CString> m_items;
};
