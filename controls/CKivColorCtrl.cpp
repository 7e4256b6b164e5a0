// SPDX-License-Identifier: MIT
#include "controls/CKivColorCtrl.h"

#include "core/KivAciColor.h"
#include "platform/gdi/CDC.h"

CKivColorCtrl::CKivColorCtrl(QWidget* parent) : CKivStatic(parent)
{
}

void CKivColorCtrl::repaintNow()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivColorCtrl::SetColor(COLORREF colour)
{
    m_crColor = colour;
    repaintNow();
}

void CKivColorCtrl::SetBackColor(COLORREF colour)
{
    m_crBack = colour;
    repaintNow();
}

void CKivColorCtrl::SetLineColor(COLORREF colour)
{
    m_crLine = colour;
    repaintNow();
}

void CKivColorCtrl::SetAciColor(int aci)
{
    SetColor(static_cast<COLORREF>(KivAciColor::GetRGB(aci)));
}

void CKivColorCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CPen pen(PS_SOLID, 1, m_crLine);
    CBrush brush(m_crColor);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(client);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

CKivColorLabelCtrl::CKivColorLabelCtrl(QWidget* parent) : CKivStatic(parent)
{
}

BOOL CKivColorLabelCtrl::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    const BOOL created = CWnd::Create(style | WS_CHILD, rect, parent, id);
    MakeControl();
    return created;
}

void CKivColorLabelCtrl::MakeControl()
{
    CRect client;
    GetClientRect(&client);
    const int h = client.Height();
    if (!m_pSwatch) {
        m_pSwatch = new CKivColorCtrl;
        m_pSwatch->CWnd::Create(WS_CHILD | WS_VISIBLE, CRect(2, 2, 2 + h - 4, 2 + h - 4), this, kSwatchId);
    }
    if (!m_pLabel) {
        m_pLabel = new CKivStatic;
        const int top = (h - 16) / 2;
        m_pLabel->Create("", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE,
            CRect(h, top, client.right - 2, top + 16), this, kLabelId);
        if (GetParent())
            m_pLabel->setFont(GetParent()->font());
    }
    SetColor(m_nColor);
}

void CKivColorLabelCtrl::SetColor(int aci)
{
    m_nColor = aci < 0 ? 0 : aci > 256 ? 256 : aci;
    if (!m_pSwatch)
        return;
    m_pSwatch->SetAciColor(m_nColor);
    char name[KivAciColor::kNameSize];
    KivAciColor::GetName(m_nColor, m_nLanguage, name);
    if (m_pLabel)
        m_pLabel->SetWindowText(name);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivColorLabelCtrl::SetColor(const char* name, int language)
{
    SetColor(KivAciColor::GetColor(name, language));
}

CString CKivColorLabelCtrl::GetColor(int language) const
{
    char name[KivAciColor::kNameSize];
    KivAciColor::GetName(m_nColor, language, name);
    return name;
}

void CKivColorLabelCtrl::SetLanguage(int language)
{
    m_nLanguage = language;
    SetColor(m_nColor);
}

void CKivColorLabelCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (!m_pfnPicker)
        return;
    int colour = m_nColor;
    if (m_pfnPicker(this, &colour, m_nPickerMode, m_nLanguage) != 1 || colour == m_nColor)
        return;
    SetColor(colour);
    PostMessageToParent(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), 0);
    CKivStatic::OnLButtonDblClk(flags, point);
}
