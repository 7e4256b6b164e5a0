// SPDX-License-Identifier: MIT
#include "platform/widgets/CRichEditCtrl.h"

CRichEditCtrl::CRichEditCtrl(QWidget* parent) : WidgetWnd(parent, new QTextEdit)
{
    widget()->setAcceptRichText(false);
    widget()->setLineWrapMode(QTextEdit::WidgetWidth);
    widget()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusProxy(widget());
}

void CRichEditCtrl::SetWindowText(const char* text)
{
    widget()->setPlainText(QString::fromUtf8(text ? text : ""));
}

CString CRichEditCtrl::GetWindowText() const
{
    return widget()->toPlainText().toStdString();
}

void CRichEditCtrl::SetReadOnly(BOOL readOnly)
{
    widget()->setReadOnly(readOnly != FALSE);
}
