// SPDX-License-Identifier: MIT
#include "views/CKivSlideThumbListCtrl.h"

#include "core/KivUtil.h"
#include "platform/io/FileSystem.h"
#include "views/CKivThumbFileCtrl.h"
#include "views/CKivThumbViewCtrl.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

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

int CKivSlideThumbListCtrl::AddDrawings(const char* path)
{
    if (!path || !*path)
        return 0;
    if (FileSizeOf(path) < 0 && PathExists(path))
        return addFolder(path);
    const CString ext = KivUtil::GetFileExt(path);
    if (CompareNoCase(ext.c_str(), ".slb") == 0) {
        int count = 0;
        const std::unique_ptr<KivSldLibInfo[], void (*)(KivSldLibInfo*)> members(
            KivSlideFile::GetSlideLibraryInfo(path, &count), &KivSlideFile::FreeSlideLibraryInfo);
        if (!members)
            return 0;
        // A member has no file of its own: its size is the library's
        // record of it, its date the library's.
        KivThumbItem library;
        KivThumbList::setFileInfo(path, &library);
        for (int i = 0; i < count; ++i) {
            const CString member = StringFormat("%s(%s)", path, members[i].name);
            AddItem(member.c_str(), nullptr, members[i].name);
            if (KivThumbItem* item = GetThumbList() ? GetThumbList()->getAt(GetThumbList()->getCount() - 1) : nullptr) {
                item->size = static_cast<int>(std::clamp<long>(members[i].size, 0, INT_MAX));
                std::memcpy(item->date, library.date, sizeof item->date);
            }
        }
        return count;
    }
    if (CKivThumbViewCtrl::GetFileType(path) == 0)
        return 0;
    AddItem(path, nullptr, KivUtil::GetFileName(path).c_str());
    return 1;
}

int CKivSlideThumbListCtrl::addFolder(const char* path)
{
    // A folder: its entries, in name order; folders inside it are skipped.
    CStringArray files;
    GetFileList(path, "*", &files);
    int added = 0;
    for (int i = 0; i < files.GetSize(); ++i) {
        const CString& file = files.GetAt(i);
        if (CompareNoCase(KivUtil::GetFileExt(file.c_str()).c_str(), ".slb") == 0
            || CKivThumbViewCtrl::GetFileType(file.c_str()) != 0)
            added += AddDrawings(file.c_str());
    }
    return added;
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
