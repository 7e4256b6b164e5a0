// SPDX-License-Identifier: MIT
#include "core/CKivStringArray.h"

#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"
#include "platform/widgets/FillList_p.h"

#include <utility>

CKivStringArray::~CKivStringArray() = default;

int CKivStringArray::Find(const char* text, int start) const
{
    if (!text || start < 0)
        return -1;
    for (int i = start; i < GetSize(); ++i)
        if (CompareNoCase(GetAt(i).c_str(), text) == 0)
            return i;
    return -1;
}

void CKivStringArray::Sort(int order)
{
    // An exchange sort on purpose: its order for elements that differ only in
    // case is part of what callers see.
    const int count = GetSize();
    for (int i = 0; i + 1 < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const CString& current = m_items[static_cast<std::size_t>(i)];
            const CString& other = m_items[static_cast<std::size_t>(j)];
            const int cmp = order == 1 ? CompareNoCase(current.c_str(), other.c_str())
                                       : CompareNoCase(other.c_str(), current.c_str());
            if (cmp > 0)
                std::swap(m_items[static_cast<std::size_t>(i)], m_items[static_cast<std::size_t>(j)]);
        }
    }
}

void CKivStringArray::ShowList(CComboBox* box, int clear) const
{
    if (box)
        fillList(*box, m_items, clear);
}

void CKivStringArray::ShowList(CListBox* box, int clear) const
{
    if (box)
        fillList(*box, m_items, clear);
}
