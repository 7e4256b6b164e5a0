#include "platform/CButton.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

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
    case BS_AUTORADIOBUTTON: button = new QRadioButton(label); break;
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
