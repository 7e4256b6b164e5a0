// SPDX-License-Identifier: MIT
#include "platform/base/CStringArray.h"

CStringArray::~CStringArray() = default;

const CString& CStringArray::GetAt(int index) const
{
    static const CString empty;
    if (index < 0 || index >= GetSize())
        return empty;
    return m_items[static_cast<std::size_t>(index)];
}

int CStringArray::Add(const CString& text)
{
    m_items.push_back(text);
    return GetSize() - 1;
}
