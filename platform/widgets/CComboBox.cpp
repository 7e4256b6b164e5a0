// SPDX-License-Identifier: MIT
#include "platform/widgets/CComboBox.h"

#include <cstring>

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

int CComboBox::GetCount() const
{
    return widget()->count();
}

int CComboBox::FindString(int startAfter, const char* prefix) const
{
    const int count = GetCount();
    if (count == 0)
        return CB_ERR;
    const CString wanted = prefix ? prefix : "";
    const int first = startAfter < -1 || startAfter >= count ? 0 : startAfter + 1;
    for (int k = 0; k < count; ++k) {
        const int i = (first + k) % count;
        const CString text = GetLBText(i);
        if (text.size() >= wanted.size() && CompareNoCaseN(text.c_str(), wanted.c_str(), wanted.size()) == 0)
            return i;
    }
    return CB_ERR;
}
