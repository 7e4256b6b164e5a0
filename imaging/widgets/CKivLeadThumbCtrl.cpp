// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadThumbCtrl.h"

#include "imaging/thumbcache/KivLeadThumbMgr.h"
#include "imaging/widgets/CKivLeadViewCtrl.h"
#include "imaging/widgets/resources.h"

#include <QMenu>

CKivLeadThumbCtrl::CKivLeadThumbCtrl(int labelState, QWidget* parent) : CKivThumbCtrl(labelState, parent)
{
    m_bLargeView = 1;
}

CKivLeadThumbCtrl::~CKivLeadThumbCtrl()
{
    DeleteThumb();
    m_pViewCtrl = nullptr;
}

void CKivLeadThumbCtrl::DestroyWindow()
{
    CKivThumbCtrl::DestroyWindow();
    m_pViewCtrl = nullptr;
}

void CKivLeadThumbCtrl::MakeControl()
{
    MakeLabel();
    if (!m_pViewCtrl) {
        m_pViewCtrl = new CKivLeadViewCtrl(this);
        m_pViewCtrl->Create(WS_CHILD | WS_VISIBLE, CRect(), this, kImageId);
        // Clicks belong to the cell, as with a static without notify.
        m_pViewCtrl->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_pImageCtrl = m_pViewCtrl;
}

CString CKivLeadThumbCtrl::GetCacheName(const char* file)
{
    char thumb[KivLeadThumbMgr::kPathSize];
    if (m_pThumbMgr && m_pThumbMgr->GetThumb(file, thumb, sizeof thumb))
        return thumb;
    return file ? file : "";
}

int CKivLeadThumbCtrl::UpdateControl(int labelMode)
{
    if (!ShowForItem())
        return 0;
    SetLabel(labelMode, nullptr, 0);
    return 1;
}

void CKivLeadThumbCtrl::SetLabel(int mode, const char* text, int redraw)
{
    if (m_pViewCtrl) {
        m_pViewCtrl->SetFileName(GetCacheName(m_item.file).c_str(), 1, 1);
        if (redraw == 1)
            m_pViewCtrl->RedrawWindow();
    }
    CKivThumbCtrl::SetLabel(mode, text);
}

void CKivLeadThumbCtrl::OnImageLarge()
{
    if (m_pViewer && m_item.file[0])
        m_pViewer(this, 0, m_item.file, m_item.label);
}

void CKivLeadThumbCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (m_bLargeView)
        OnImageLarge();
    else
        CKivThumbCtrl::OnLButtonDblClk(flags, point);
}

void CKivLeadThumbCtrl::OnContextMenu(CPoint screen)
{
    if (!m_bContextMenu)
        return;
    QMenu menu(this);
    int count = 0;
    const kivlead::MenuItem* items = kivlead::ThumbMenu(&count);
    const UINT command = kivlead::TrackMenu(menu, items, count, QPoint(screen.x, screen.y));
    // The list passes them on: its owner decides what they do.
    QWidget* list = parentWidget();
    if (command && list && list->parentWidget())
        ::PostMessage(list->parentWidget(), WM_COMMAND, command, 0);
}
