// SPDX-License-Identifier: MIT
#include "platform/widgets/CToolTipCtrl.h"

#include <QWidget>

BOOL CToolTipCtrl::Create(QWidget* owner)
{
    m_owner = owner;
    return owner ? TRUE : FALSE;
}

BOOL CToolTipCtrl::AddTool(QWidget* window, const char* text, const CRect*, UINT_PTR id)
{
    if (!window)
        return FALSE;
    UpdateTipText(text, window, id);
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(const char* text, QWidget* window, UINT_PTR id)
{
    if (!window)
        return;
    m_tools[{window, id}] = text ? text : "";
    window->setToolTip(QString::fromUtf8(text ? text : ""));
}

CString CToolTipCtrl::GetText(QWidget* window, UINT_PTR id) const
{
    const auto it = m_tools.find({window, id});
    return it == m_tools.end() ? CString() : it->second;
}
