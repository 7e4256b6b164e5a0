#include "platform/CStringArray.h"

#include <algorithm>

CStringArray::~CStringArray() = default;

const CString& CStringArray::GetAt(int index) const
{
    static const CString empty;
    if (index < 0 || index >= GetSize())
        return empty;
    return m_items[static_cast<std::size_t>(index)];
}

void CStringArray::SetAt(int index, const CString& text)
{
    if (index >= 0 && index < GetSize())
        m_items[static_cast<std::size_t>(index)] = text;
}

int CStringArray::Add(const CString& text)
{
    m_items.push_back(text);
    return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const CString& text)
{
    index = std::clamp(index, 0, GetSize());
    m_items.insert(m_items.begin() + index, text);
}

void CStringArray::RemoveAt(int index, int count)
{
    if (index < 0 || count <= 0 || index >= GetSize())
        return;
    const int last = std::min(GetSize(), index + count);
    m_items.erase(m_items.begin() + index, m_items.begin() + last);
}
