// SPDX-License-Identifier: MIT
#include "controls/CKivScrollEditCtrl.h"
#include "controls/CKivSpinEditCtrl.h"

CKivSpinEditCtrl::CKivSpinEditCtrl(QWidget* parent) : CSpinButtonCtrl(parent)
{
}

LRESULT CKivSpinEditCtrl::OnDeltaPos(NMUPDOWN* notification)
{
    if (m_pEdit && notification)
        m_pEdit->Add(-notification->iDelta, 1);
    return 0;
}

CKivScrollEditCtrl::CKivScrollEditCtrl(QWidget* parent) : CScrollBar(parent)
{
}

void CKivScrollEditCtrl::SetLink(CKivEdit* edit, int page)
{
    m_nPage = page;
    m_pEdit = edit;
    if (!edit)
        return;
    int min = 0, max = 0;
    edit->GetRange(&min, &max);
    SetScrollRange(min, max);
    SetScrollPos(edit->GetInteger());
    SetPageSize(page);
}

void CKivScrollEditCtrl::DoScroll(UINT code, UINT pos)
{
    if (!m_pEdit)
        return;
    switch (code) {
    case SB_LINEUP: m_pEdit->Add(-1, 1); break;
    case SB_LINEDOWN: m_pEdit->Add(1, 1); break;
    case SB_PAGEUP: m_pEdit->Add(-m_nPage, 1); break;
    case SB_PAGEDOWN: m_pEdit->Add(m_nPage, 1); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: m_pEdit->SetValue(static_cast<int>(pos), 1); break;
    default: break;
    }
    SetScrollPos(m_pEdit->GetInteger());
}

void CKivScrollEditCtrl::DoChange()
{
    if (m_pEdit && m_pEdit->GetInteger() != GetScrollPos())
        SetScrollPos(m_pEdit->GetInteger());
}

void CKivScrollEditCtrl::OnScroll(UINT code, UINT pos)
{
    DoScroll(code, pos);
}
