#include "platform/CComboBox.h"

CComboBox::CComboBox(QWidget* parent) : WidgetWnd(parent, new QComboBox)
{
    QObject::connect(widget(), &QComboBox::activated, this, [this] { NotifyParent(CBN_SELCHANGE); });
}

int CComboBox::AddString(const char* text)
{
    widget()->addItem(QString::fromUtf8(text ? text : ""));
    return widget()->count() - 1;
}

void CComboBox::ResetContent()
{
    widget()->clear();
}

int CComboBox::GetCurSel() const
{
    return widget()->currentIndex();
}

int CComboBox::SetCurSel(int index)
{
    if (index < -1 || index >= widget()->count())
        return CB_ERR;
    widget()->setCurrentIndex(index);
    return index;
}

CString CComboBox::GetLBText(int index) const
{
    return widget()->itemText(index).toStdString();
}
