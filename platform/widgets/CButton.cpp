// SPDX-License-Identifier: MIT
#include "platform/widgets/CButton.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Each radio button of a template sits alone in its own window, where Qt's
// exclusivity does not reach: a click on a checked one would uncheck it. A
// click checks it, as in Win32; the dialog moves the check between them.
class RadioButton : public QRadioButton {
public:
    explicit RadioButton(const QString& text) : QRadioButton(text) { setAutoExclusive(false); }

protected:
    void nextCheckState() override { setChecked(true); }
};

} // namespace

CButton::CButton(QWidget* parent) : WidgetWnd(parent, nullptr)
{
}

BOOL CButton::Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    // Qt reads '&' as Win32 does: "&OK" underlines the O, "&&" is one '&'.
    const QString label = QString::fromUtf8(text ? text : "");
    QWidget* button = nullptr;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* box = new QCheckBox(label);
        box->setTristate((style & BS_TYPEMASK) == BS_3STATE || (style & BS_TYPEMASK) == BS_AUTO3STATE);
        button = box;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: button = new RadioButton(label); break;
    case BS_GROUPBOX:
        button = new QGroupBox(label);
        button->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    default: {
        auto* push = new QPushButton(label);
        push->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        push->setAutoDefault(false);
        button = push;
        break;
    }
    }
    delete widget();
    adopt(button);
    if (auto* clickable = qobject_cast<QAbstractButton*>(button))
        QObject::connect(clickable, &QAbstractButton::clicked, this, [this] { NotifyParent(BN_CLICKED); });
    SetWindowText(text);
    return WidgetWnd::Create(style, rect, parent, id);
}

int CButton::GetCheck() const
{
    if (auto* box = qobject_cast<QCheckBox*>(widget()))
        return box->checkState() == Qt::Checked         ? BST_CHECKED
            : box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                        : BST_UNCHECKED;
    if (auto* radio = qobject_cast<QRadioButton*>(widget()))
        return radio->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

void CButton::SetCheck(int check)
{
    if (auto* box = qobject_cast<QCheckBox*>(widget()))
        box->setCheckState(check == BST_CHECKED                   ? Qt::Checked
                : check == BST_INDETERMINATE && box->isTristate() ? Qt::PartiallyChecked
                                                                  : Qt::Unchecked);
    else if (auto* radio = qobject_cast<QRadioButton*>(widget()))
        radio->setChecked(check == BST_CHECKED);
}

void CButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        const QString text = QString::fromStdString(GetWindowText());
        if (auto* button = qobject_cast<QAbstractButton*>(widget()))
            button->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(widget()))
            group->setTitle(text);
    }
    WidgetWnd::changeEvent(event);
}
