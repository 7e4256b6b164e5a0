// SPDX-License-Identifier: MIT
// A combo box and a list box filled from folders and string collections.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/base/CStringArray.h"
#include "platform/base/CStringList.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"

class KIVCTRL_EXPORT CKivComboBox : public CComboBox {
public:
    explicit CKivComboBox(QWidget* parent = nullptr);
    // Adds the names in dir matching pattern (files and folders), cutting
    // ".ext" when stripExt is 1; selects the first. 1 when anything matched.
    int AddFiles(const char* dir, const char* pattern, int stripExt, int clear);
};

class KIVCTRL_EXPORT CKivListBox : public CListBox {
public:
    explicit CKivListBox(QWidget* parent = nullptr);
    int AddStringArray(const CStringArray* strings, int clear);
    int AddStringList(const CStringList* strings, int clear);
};
