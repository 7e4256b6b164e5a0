// SPDX-License-Identifier: MIT
// A button of a dialog template: push button, check box, radio button or
// group box by its BS_ style. A click posts BN_CLICKED to the parent.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

class KIVGUI_EXPORT CButton : public WidgetWnd<QWidget> {
public:
    explicit CButton(QWidget* parent = nullptr);
    BOOL Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id);
    using WidgetWnd::Create;

    // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE; a push button is
    // never checked. Setting the check notifies nobody.
    int GetCheck() const;
    void SetCheck(int check);

protected:
    // A new window text (SetWindowText) becomes the button's label.
    void changeEvent(QEvent* event) override;
};
