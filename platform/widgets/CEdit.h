// SPDX-License-Identifier: MIT
// An edit control: a line edit with the framework's text and modify calls.
// Losing the focus calls OnKillFocus and notifies the parent (EN_KILLFOCUS);
// a change of text notifies EN_CHANGE.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QLineEdit>

class KIVGUI_EXPORT CEdit : public WidgetWnd<QLineEdit> {
public:
    explicit CEdit(QWidget* parent = nullptr);

    void SetWindowText(const char* text);
    CString GetWindowText() const;
    void SetModify(BOOL modified = true);

protected:
    virtual void OnKillFocus(QWidget* newFocus);
    bool eventFilter(QObject* watched, QEvent* event) override;
};
