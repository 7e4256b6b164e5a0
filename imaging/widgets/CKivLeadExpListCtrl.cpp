// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadExpListCtrl.h"

#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadFileListCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "imaging/widgets/resources.h"

#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <QTreeWidget>

#include <cstring>

using namespace kivlead;

CKivLeadExpListCtrl::CKivLeadExpListCtrl(QWidget* parent) : CKivStatic(parent)
{
}

CKivLeadExpListCtrl::~CKivLeadExpListCtrl() = default;

int CKivLeadExpListCtrl::MakeControl(const char* folder)
{
    m_strFolder = folder ? folder : "";
    CRect client(0, 0, width(), height());
    if (!m_pThumbList) {
        m_pThumbList = new CKivLeadThumbListCtrl(this);
        m_pThumbList->Create(WS_CHILD | SS_NOTIFY, client, this, kThumbListId);
        m_pThumbList->SetFocus(1);
        m_pThumbList->SetMultiSelect(1);
        m_pThumbList->SetLabelStyle(5);
        m_pThumbList->SetLargeView(1);
        m_pThumbList->SetLabelState(1);
    }
    if (!m_pFileList) {
        m_pFileList = new CKivLeadFileListCtrl(this);
        m_pFileList->Create(WS_CHILD, client, this, kFileListId);
        m_pFileList->SetSortColumn(-1);
        // A row opens as its thumbnail does: a double click or Enter.
        QObject::connect(m_pFileList->widget(), &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* row) { openRow(m_pFileList->widget()->indexOfTopLevelItem(row)); });
    }
    if (!m_strFolder.empty())
        fillFolder();
    ShowList(m_nViewMode, 0, 0);
    return 1;
}

int CKivLeadExpListCtrl::openRow(int row)
{
    const KivThumbList* items = m_pThumbList ? m_pThumbList->GetThumbList() : nullptr;
    const KivThumbViewer viewer = m_pThumbList ? m_pThumbList->GetViewer() : nullptr;
    if (!items || !viewer || row < 0)
        return 0;
    // Rows may be sorted apart from the thumbnails: the name finds the item.
    const CString name = m_pFileList->GetItemText(row, 0);
    for (int i = 0; i < items->getCount(); ++i) {
        const KivThumbItem* item = items->getAt(i);
        const char* slash = std::strrchr(item->file, '/');
        if (name == (slash ? slash + 1 : item->file))
            return viewer(this, 0, item->file, item->label);
    }
    return 0;
}

void CKivLeadExpListCtrl::fillFolder()
{
    m_pThumbList->ClearNameList();
    m_pThumbList->AddDirectory(m_strFolder.c_str());
}

void CKivLeadExpListCtrl::ShowList(int mode, int refresh, int)
{
    if (!m_pThumbList || !m_pFileList || mode < 0 || mode > 4)
        return;
    BeginWaitCursor();
    if (refresh == 1 && !m_strFolder.empty())
        fillFolder();
    m_nViewMode = mode;
    const int column = m_pFileList->GetSortColumn();
    if (mode == 0) {
        if (column >= 0)
            m_pThumbList->Sort(column, m_pFileList->GetSortDir());
        m_pThumbList->MakeThumb(0, 0);
        m_pThumbList->ViewThumb(0);
        m_pThumbList->ShowWindow(SW_SHOW);
        m_pFileList->ShowWindow(SW_HIDE);
    } else {
        static const DWORD kStyles[] = {0, vandrel::win32::LVS_ICON, vandrel::win32::LVS_SMALLICON,
            vandrel::win32::LVS_LIST, vandrel::win32::LVS_REPORT};
        m_pFileList->SetViewStyle(kStyles[mode]);
        // The icon styles' view shares the rows; it exists from the first.
        if (QListView* icons = m_pFileList->iconView(); icons && !m_iconsOpenRows) {
            QObject::connect(icons, &QListView::activated, this, [this](const QModelIndex& at) { openRow(at.row()); });
            m_iconsOpenRows = true;
        }
        m_pFileList->ShowList(m_pThumbList->GetThumbList());
        if (column >= 0)
            m_pFileList->Sort(column, m_pFileList->GetSortType(), 0);
        m_pFileList->ShowWindow(SW_SHOW);
        m_pThumbList->ShowWindow(SW_HIDE);
    }
    EndWaitCursor();
}

void CKivLeadExpListCtrl::SortList(int column, int sortType)
{
    if (!m_pThumbList || !m_pFileList || column == m_pFileList->GetSortColumn())
        return;
    m_pFileList->SetSortColumn(column);
    m_pFileList->SetSortType(static_cast<unsigned short>(sortType));
    if (m_nViewMode == 0) {
        m_pThumbList->Sort(column, m_pFileList->GetSortDir());
        m_pThumbList->ViewThumb(0);
    } else {
        // Sort toggles on its own column: the column was just made current
        // only to be remembered, so it is cleared for an ascending sort.
        m_pFileList->SetSortColumn(-1);
        m_pFileList->SetSortDir(0);
        m_pFileList->Sort(column, static_cast<unsigned short>(sortType), 0);
    }
}

int CKivLeadExpListCtrl::DoMenuCommand(UINT command)
{
    switch (command) {
    case ID_EXP_LARGE_ICONS: ShowList(1, 0, 0); return 1;
    case ID_EXP_SMALL_ICONS: ShowList(2, 0, 0); return 1;
    case ID_EXP_LIST: ShowList(3, 0, 0); return 1;
    case ID_EXP_DETAILS: ShowList(4, 0, 0); return 1;
    case ID_EXP_THUMBNAILS: ShowList(0, 0, 0); return 1;
    case ID_EXP_BY_NAME: SortList(0, 8); return 1;
    case ID_EXP_BY_TYPE: SortList(2, 8); return 1;
    case ID_EXP_BY_SIZE: SortList(1, 3); return 1;
    case ID_EXP_BY_DATE: SortList(3, 7); return 1;
    case ID_EXP_REFRESH: ShowList(m_nViewMode, 1, 0); return 1;
    default: return 0;
    }
}

BOOL CKivLeadExpListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (DoMenuCommand(LOWORD(wParam)) || DoSelectCommand(LOWORD(wParam)))
        return TRUE;
    return CKivStatic::OnCommand(wParam, lParam);
}

int CKivLeadExpListCtrl::DoSelectCommand(UINT command)
{
    KivThumbList* items = m_pThumbList ? m_pThumbList->GetThumbList() : nullptr;
    if (!items || (command != ID_THUMB_SELECT_ALL && command != ID_THUMB_INVERT_SELECTION))
        return 0;
    for (int i = 0; i < items->getCount(); ++i) {
        KivThumbItem* item = items->getAt(i);
        item->selected = command == ID_THUMB_SELECT_ALL ? 1 : !item->selected;
    }
    m_pThumbList->SetInvertAll();
    return 1;
}

void CKivLeadExpListCtrl::OnSize(UINT type, int cx, int cy)
{
    CKivStatic::OnSize(type, cx, cy);
    if (m_pThumbList)
        m_pThumbList->MoveWindow(0, 0, cx, cy);
    if (m_pFileList)
        m_pFileList->MoveWindow(0, 0, cx, cy);
    if (m_pThumbList && m_nViewMode == 0 && cx > 0 && cy > 0) {
        const int top = m_pThumbList->GetTopRow() * std::max(1, m_pThumbList->GetCols());
        m_pThumbList->MakeThumb(0, 0);
        m_pThumbList->ViewThumb(top);
    }
}

void CKivLeadExpListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    int count = 0;
    const MenuItem* items = ExplorerMenu(&count);
    DoMenuCommand(TrackMenu(menu, items, count, event->globalPos()));
}
