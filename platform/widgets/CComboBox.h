// SPDX-License-Identifier: MIT
// A drop-down list of strings with the framework's calls; choosing an item
// notifies the parent (CBN_SELCHANGE).
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QComboBox>

class KIVGUI_EXPORT CComboBox : public WidgetWnd<QComboBox> {
public:
    explicit CComboBox(QWidget* parent = nullptr);

    int AddString(const char* text);
    void ResetContent();
    int GetCurSel() const;
    // CB_ERR, and no change, for an index outside -1 … count - 1.
    int SetCurSel(int index);
    CString GetLBText(int index) const;
    int GetCount() const;
    // The first item after startAfter (-1: from the top) whose text begins
    // with prefix, ignoring ASCII case, wrapping round to the top; CB_ERR
    // when none does.
    int FindString(int startAfter, const char* prefix) const;
};
