#include "views/CKivSlideThumbListCtrl.h"

#include "views/CKivThumbFileCtrl.h"
#include "views/CKivThumbViewCtrl.h"

CKivSlideThumbListCtrl::CKivSlideThumbListCtrl(int fixedSize, QWidget* parent) : CKivThumbListCtrl(parent)
{
    m_bFixedSize = fixedSize == 1 ? 1 : 0;
}

CKivSlideThumbListCtrl::~CKivSlideThumbListCtrl()
{
    // The cells point at the shelf: they go before it does.
    ClearThumb();
}

CKivThumbFileCtrl* CKivSlideThumbListCtrl::GetCell(int index) const
{
    return static_cast<CKivThumbFileCtrl*>(m_iconList.getAt(index));
}

int CKivSlideThumbListCtrl::MakeThumb(int cols, int rows)
{
    SetSize(cols, rows);
    MakeScrollBar();
    ClearThumbList();
    const int w = UsableWidth(), h = height();
    for (int i = 0; i < m_nCellsPerPage; ++i) {
        auto* cell = new CKivThumbFileCtrl(1, this);
        CRect r;
        GetThumbRect(i, w, h, &r);
        cell->Create(WS_CHILD | WS_VISIBLE | SS_NOTIFY, r, this, kFirstCellId + static_cast<UINT>(i));
        cell->SetViewer(m_pViewer);
        cell->SetContextMenu(m_bContextMenu);
        cell->SetSupportPath(m_strSupportPath.c_str());
        cell->SetShelf(&m_shelf);
        cell->MakeControl();
        if (CKivThumbViewCtrl* view = cell->GetViewCtrl()) {
            view->SetBackColor(m_crBack, 0);
            view->SetImageBackColor(m_crImageBack, 0);
            view->SetAutoSize(1, 0);
        }
        AddThumb(cell);
        if (m_pThumbList)
            m_pThumbList->setThumbData(m_nTopRow * m_nCols + i, cell);
    }
    return m_nCellsPerPage;
}

void CKivSlideThumbListCtrl::ViewThumb(int first)
{
    // Each library of the page is read once, by the first cell that shows
    // one of its members.
    m_shelf.Clear();
    int hidden = 0;
    for (int i = 0; i < m_nCellsPerPage; ++i) {
        CKivThumbCtrl* cell = m_iconList.getAt(i);
        if (!cell)
            continue;
        cell->SetData(m_pThumbList ? m_pThumbList->getAt(first + i) : nullptr);
        if (!cell->UpdateControl(m_nLabelStyle))
            hidden = 1;
    }
    if (hidden)
        RepaintParent();
    else
        m_iconList.redrawAll();
}
