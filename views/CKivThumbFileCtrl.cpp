// SPDX-License-Identifier: MIT
#include "views/CKivThumbFileCtrl.h"

#include "views/CKivThumbViewCtrl.h"

#include <QMenu>

CKivThumbFileCtrl::CKivThumbFileCtrl(int labelState, QWidget* parent) : CKivThumbCtrl(labelState, parent)
{
}

CKivThumbFileCtrl::~CKivThumbFileCtrl()
{
    DeleteThumb();
    m_pViewCtrl = nullptr;
}

void CKivThumbFileCtrl::DestroyWindow()
{
    CKivThumbCtrl::DestroyWindow();
    m_pViewCtrl = nullptr;
}

void CKivThumbFileCtrl::SetShelf(KivSlideShelf* shelf)
{
    m_pShelf = shelf;
    if (m_pViewCtrl)
        m_pViewCtrl->SetShelf(shelf);
}

void CKivThumbFileCtrl::MakeControl()
{
    MakeLabel();
    if (m_pViewCtrl) {
        m_pImageCtrl = m_pViewCtrl;
        return;
    }
    m_pViewCtrl = new CKivThumbViewCtrl(this);
    m_pViewCtrl->Create(WS_CHILD | WS_VISIBLE, CRect(), this, kImageId);
    // Without the notify style a static lets clicks through to the cell.
    m_pViewCtrl->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pViewCtrl->SetShelf(m_pShelf);
    m_pImageCtrl = m_pViewCtrl;
}

int CKivThumbFileCtrl::UpdateControl(int labelMode)
{
    if (!ShowForItem())
        return 0;
    SetLabel(labelMode, nullptr, 0);
    return 1;
}

void CKivThumbFileCtrl::SetLabel(int mode, const char* text, int redraw)
{
    CString name;
    const char* used = nullptr;
    if (m_pViewCtrl) {
        m_pViewCtrl->SetFileName(m_item.file, redraw);
        if (mode == 0) {
            name = text ? text : m_pViewCtrl->GetSlideName();
            // A drawing has no slide name: its file is the caption then.
            used = name.empty() && !text ? nullptr : name.c_str();
        }
    }
    CKivThumbCtrl::SetLabel(mode, used);
}

void CKivThumbFileCtrl::LargeView()
{
    if (m_pViewCtrl && m_pViewer)
        m_pViewer(this, m_pViewCtrl->GetFileType(), m_item.file, m_strSupportPath.c_str());
}

BOOL CKivThumbFileCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kLargeViewCommand) {
        LargeView();
        return TRUE;
    }
    return CKivThumbCtrl::OnCommand(wParam, lParam);
}

void CKivThumbFileCtrl::OnLButtonDblClk(UINT, CPoint)
{
    if (m_bLargeView == 1)
        LargeView();
    else
        PostNotifyToParent(kDoubleClickCode, 0);
}

void CKivThumbFileCtrl::OnContextMenu(CPoint screen)
{
    if (!m_bContextMenu)
        return;
    QMenu menu(this);
    QAction* large = menu.addAction("&Large View...");
    if (menu.exec(QPoint(screen.x, screen.y)) == large)
        ::PostMessage(this, WM_COMMAND, kLargeViewCommand, 0);
}
