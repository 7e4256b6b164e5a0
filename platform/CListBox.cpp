#include "platform/CListBox.h"

CListBox::CListBox(QWidget* parent) : WidgetWnd(parent, new QListWidget)
{
    QObject::connect(widget(), &QListWidget::itemSelectionChanged, this, [this] { NotifyParent(LBN_SELCHANGE); });
}

int CListBox::AddString(const char* text)
{
    widget()->addItem(QString::fromUtf8(text ? text : ""));
    return widget()->count() - 1;
}

void CListBox::ResetContent()
{
    widget()->clear();
}
