// SPDX-License-Identifier: MIT
// A rich edit control: formatted text in a multi-line, scrolling view. The
// viewers fill it read-only; document() gives the Qt document to fill with
// formatted text.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QTextEdit>

class KIVGUI_EXPORT CRichEditCtrl : public WidgetWnd<QTextEdit> {
public:
    explicit CRichEditCtrl(QWidget* parent = nullptr);

    // Plain text, UTF-8; a null text empties the control.
    void SetWindowText(const char* text);
    CString GetWindowText() const;
    void SetReadOnly(BOOL readOnly = true);
    QTextDocument* document() const { return widget()->document(); }
};
