// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadThumbListCtrl.h"

#include "controls/KivThumbList.h"
#include "core/CKivStringArray.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadThumbCtrl.h"
#include "imaging/widgets/CKivLeadViewCtrl.h"

// The files a browser lists are the ones the toolkit opens: a listed file it
// refused would be a blank cell.
const char* const CKivLeadThumbListCtrl::kImageFilter = KivLeadBrowseFilter();

CKivLeadThumbListCtrl::CKivLeadThumbListCtrl(QWidget* parent) : CKivThumbListCtrl(parent)
{
    SetImageSize(kImageWidth, kImageHeight);
    m_bFixedSize = 1; // cells of the image size fill the window
}

CKivLeadThumbListCtrl::~CKivLeadThumbListCtrl()
{
    // The cells point at the manager: they go before it does.
    ClearThumb();
}

CKivLeadThumbCtrl* CKivLeadThumbListCtrl::GetCell(int index) const
{
    return static_cast<CKivLeadThumbCtrl*>(m_iconList.getAt(index));
}

void CKivLeadThumbListCtrl::GetImageList(const char* folder, CStringArray* out)
{
    if (!out)
        return;
    CStringArray extensions;
    GetExtensionList(kImageFilter, &extensions);
    CKivStringArray list;
    for (int i = 0; i < extensions.GetSize(); ++i)
        list.Add(extensions.GetAt(i));
    GetFileList(folder, &list, out);
}

int CKivLeadThumbListCtrl::AddDirectory(const char* folder)
{
    CStringArray files;
    GetImageList(folder, &files);
    for (int i = 0; i < files.GetSize(); ++i)
        AddItem(files.GetAt(i).c_str(), nullptr, nullptr);
    return files.GetSize();
}

int CKivLeadThumbListCtrl::MakeThumb(int cols, int rows)
{
    SetSize(cols, rows);
    MakeScrollBar();
    ClearThumbList();
    const int w = UsableWidth(), h = height();
    for (int i = 0; i < m_nCellsPerPage; ++i) {
        auto* cell = new CKivLeadThumbCtrl(m_nLabelState, this);
        CRect r;
        GetThumbRect(i, w, h, &r);
        cell->Create(WS_CHILD | SS_NOTIFY, r, this, kFirstCellId + static_cast<UINT>(i));
        cell->SetViewer(m_pViewer);
        cell->SetContextMenu(m_bContextMenu);
        cell->SetThumbMgr(m_thumbMgr.GetThumbPath().empty() ? nullptr : &m_thumbMgr);
        cell->SetLargeView(m_bLargeView);
        cell->MakeControl();
        AddThumb(cell);
    }
    return m_nCellsPerPage;
}

void CKivLeadThumbListCtrl::ViewThumb(int first)
{
    for (int i = 0; i < m_nCellsPerPage; ++i) {
        auto* cell = GetCell(i);
        if (!cell)
            continue;
        cell->SetThumbMgr(m_thumbMgr.GetThumbPath().empty() ? nullptr : &m_thumbMgr);
        cell->SetData(m_pThumbList ? m_pThumbList->getAt(first + i) : nullptr);
        cell->UpdateControl(m_nLabelStyle);
    }
    RepaintParent();
    m_iconList.redrawAll();
}
