// SPDX-License-Identifier: MIT
#include "platform/widgets/CEdit.h"

#include <QApplication>

CEdit::CEdit(QWidget* parent) : WidgetWnd(parent, new QLineEdit)
{
    widget()->installEventFilter(this);
    QObject::connect(widget(), &QLineEdit::textEdited, this, [this] {
        widget()->setModified(true);
        NotifyParent(EN_CHANGE);
    });
    setFocusProxy(widget());
}

void CEdit::SetWindowText(const char* text)
{
    widget()->setText(QString::fromUtf8(text ? text : ""));
}

CString CEdit::GetWindowText() const
{
    return widget()->text().toStdString();
}

void CEdit::SetModify(BOOL modified)
{
    widget()->setModified(modified != FALSE);
}

void CEdit::OnKillFocus(QWidget*)
{
}

bool CEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::FocusOut) {
        OnKillFocus(QApplication::focusWidget());
        NotifyParent(EN_KILLFOCUS);
    }
    return WidgetWnd::eventFilter(watched, event);
}
