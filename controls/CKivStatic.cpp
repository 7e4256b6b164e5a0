// SPDX-License-Identifier: MIT
#include "controls/CKivStatic.h"

CKivStatic::CKivStatic(QWidget* parent) : CStatic(parent)
{
}

CKivStatic::~CKivStatic() = default;

void CKivStatic::SetInvert(int invert, int redraw)
{
    m_bInvert = invert;
    if (redraw == 1)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKivStatic::PostMessageToParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostToParent(message, wParam, lParam);
}

void CKivStatic::PostNotifyToParent(UINT code, LPARAM lParam)
{
    if (lParam == 0)
        lParam = reinterpret_cast<LPARAM>(static_cast<QWidget*>(this));
    PostMessageToParent(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), static_cast<int>(code)), lParam);
}

void CKivStatic::OnLButtonDblClk(UINT, CPoint)
{
    PostNotifyToParent(kDoubleClickCode, 0);
}
