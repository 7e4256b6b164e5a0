// SPDX-License-Identifier: MIT
#include "views/CKivSlideViewCtrl.h"

CKivSlideViewCtrl::CKivSlideViewCtrl(QWidget* parent) : CKivStatic(parent)
{
}

CKivSlideViewCtrl::~CKivSlideViewCtrl() = default;

void CKivSlideViewCtrl::repaint(int redraw)
{
    if (redraw == 1)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivSlideViewCtrl::SetFile(const char* reference, int redraw)
{
    m_strFile = reference ? reference : "";
    m_slide.SetReference(m_strFile.c_str());
    repaint(redraw);
}

void CKivSlideViewCtrl::SetBackColor(COLORREF colour, int redraw)
{
    m_crBack = colour;
    repaint(redraw);
}

void CKivSlideViewCtrl::SetInvert(int invert, int redraw)
{
    m_bInvert = invert;
    repaint(redraw);
}

void CKivSlideViewCtrl::PostMessageToParent(UINT message, LPARAM value)
{
    PostMessageToParent(message, reinterpret_cast<WPARAM>(static_cast<QWidget*>(this)), value);
}

void CKivSlideViewCtrl::PostMessageToParent(UINT message, CPoint point)
{
    PostMessageToParent(message, MAKELPARAM(point.x, point.y));
}

void CKivSlideViewCtrl::OnPaint()
{
    CPaintDC dc(this);
    BeginWaitCursor();
    CRect client;
    GetClientRect(&client);
    CBrush back(m_crBack);
    dc.FillRect(&client, &back);
    m_slide.SetBackColor(m_crBack);
    m_slide.Draw(this, &dc, m_strFile.c_str(), m_bInvert);
    EndWaitCursor();
}

void CKivSlideViewCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    PostMessageToParent(WM_LBUTTONUP, point);
    CKivStatic::OnLButtonUp(flags, point);
}

void CKivSlideViewCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    PostMessageToParent(WM_LBUTTONDBLCLK, point);
    CKivStatic::OnLButtonDblClk(flags, point);
}

void CKivSlideViewCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    PostMessageToParent(WM_RBUTTONDOWN, point);
    CKivStatic::OnRButtonDown(flags, point);
}

void CKivSlideViewCtrl::OnRButtonUp(UINT flags, CPoint point)
{
    PostMessageToParent(WM_RBUTTONUP, point);
    CKivStatic::OnRButtonUp(flags, point);
}

void CKivSlideViewCtrl::OnRButtonDblClk(UINT flags, CPoint point)
{
    PostMessageToParent(WM_RBUTTONDBLCLK, point);
    CKivStatic::OnRButtonDblClk(flags, point);
}
