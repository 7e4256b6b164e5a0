// SPDX-License-Identifier: MIT
// The string array with case-insensitive Find and Sort (ASCII letters fold,
// other bytes compare as they are).
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/base/CStringArray.h"

class CComboBox;
class CListBox;

class KIVCTRL_EXPORT CKivStringArray : public CStringArray {
public:
    CKivStringArray() = default;
    ~CKivStringArray() override;

    // Index of the first element at or after start equal to text ignoring
    // case; -1 when none, when start is not below the count or is negative.
    int Find(const char* text, int start = 0) const;
    // Ascending when order is 1, descending otherwise; elements that differ
    // only in case keep the order the exchange sort leaves them in.
    void Sort(int order);

    // Fills a combo or list box with the elements in order, emptying it
    // first when clear is 1; nothing for a null box.
    void ShowList(CComboBox* box, int clear) const;
    void ShowList(CListBox* box, int clear) const;
};
