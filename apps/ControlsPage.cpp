// SPDX-License-Identifier: MIT
#include "ControlsPage.h"

#include "platform/io/DirectoryReader.h"
#include "platform/io/FileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>

#include <algorithm>

namespace {

constexpr int kReportRows = 300;
constexpr int kReportHeight = 190;
constexpr int kGap = 6;
constexpr int kTreeWidth = 260;

// Sizes as a file manager shows them.
CString sizeText(std::int64_t bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat).toStdString();
}

CString dateText(const std::optional<std::time_t>& when)
{
    if (!when)
        return {};
    return QDateTime::fromSecsSinceEpoch(*when).toString("yyyy-MM-dd HH:mm").toStdString();
}

} // namespace

ControlsPage::ControlsPage(const CString& startFolder, QWidget* parent) : CWnd(parent)
{
    setWindowTitle("Vandrel report list and directory tree");
    resize(780, 560);

    m_report.Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 780, kReportHeight), this, IdReport);
    KivColumnList columns;
    columns.add("No.", 'R', 60);
    columns.add("Drawing", 'L', 200);
    columns.add("Sheets", 'R', 70);
    columns.add("Saved", 'L', 150);
    columns.add("Drawn by", 'L', 120);
    m_report.SetHeader(&columns, 1);
    m_report.SetKinds({CKivListCtrl::kSortLong, CKivListCtrl::kSortText, CKivListCtrl::kSortLong,
        CKivListCtrl::kSortDate, CKivListCtrl::kSortText});
    fillReport();

    const int top = kReportHeight + kGap;
    m_tree.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        CRect(0, top, kTreeWidth, 560), this, IdTree);
    m_split.Create(WS_VISIBLE, CRect(kTreeWidth, top, kTreeWidth + kGap, 560), this, IdSplit);
    m_files.Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(kTreeWidth + kGap, top, 780, 560), this, IdFiles);
    m_split.AddLeft(&m_tree);
    m_split.AddRight(&m_files);
    m_split.SetMinSize(80);
    KivColumnList fileColumns;
    fileColumns.add("Name", 'L', 240);
    fileColumns.add("Size", 'R', 80);
    fileColumns.add("Modified", 'L', 120);
    m_files.SetHeader(&fileColumns, 1);
    // Sizes read as "1.2 KB" sort as text; the name and date columns are
    // what a person sorts by.
    m_files.SetKinds({CKivListCtrl::kSortText, CKivListCtrl::kSortText, CKivListCtrl::kSortDate});

    m_tree.DisplayTree(nullptr, 0);
    const CString start = startFolder.empty() ? QDir::homePath().toStdString() : startFolder;
    if (m_tree.SetPath(start.c_str()))
        m_tree.widget()->scrollToItem(m_tree.GetSelectedItem(), QAbstractItemView::PositionAtCenter);
    else if (m_tree.GetRootItem())
        m_tree.SelectItem(m_tree.GetRootItem());
}

// Drawings with numbers, dates and names that sort differently as numbers,
// dates and texts: "10" after "9", dates across years, names in mixed case.
void ControlsPage::fillReport()
{
    static const char* const kKinds[] = {"Floor plan", "section", "Elevation", "detail", "Site plan", "wiring"};
    static const char* const kPeople[] = {"Kim", "Park", "lee", "Choi", "Jung"};
    const QDateTime start(QDate(2019, 3, 1), QTime(8, 30));
    for (int i = 0; i < kReportRows; ++i) {
        const int row = m_report.InsertItem(i, std::to_string(kReportRows - i).c_str());
        const unsigned mix = static_cast<unsigned>(i) * 2654435761u;
        const CString name = CString(kKinds[mix % 6]) + " " + std::to_string(1 + (mix >> 8) % 120);
        m_report.SetItemText(row, 1, name.c_str());
        m_report.SetItemText(row, 2, std::to_string(1 + (mix >> 12) % 40).c_str());
        const QDateTime saved = start.addSecs(static_cast<qint64>((mix >> 4) % (5u * 365 * 24 * 60)) * 60);
        m_report.SetItemText(row, 3, saved.toString("yyyy-MM-dd HH:mm").toStdString().c_str());
        m_report.SetItemText(row, 4, kPeople[(mix >> 16) % 5]);
    }
}

void ControlsPage::showFiles(const CString& folder)
{
    m_files.DeleteAllItems();
    std::vector<CString> names;
    DirectoryReader::List(folder.c_str(), nullptr, &names, nullptr);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
        const int cmp = CompareNoCase(a.c_str(), b.c_str());
        return cmp != 0 ? cmp < 0 : a < b;
    });
    const int shown = std::min(static_cast<int>(names.size()), kMaxFiles);
    for (int i = 0; i < shown; ++i) {
        const CString path = folder + names[static_cast<std::size_t>(i)];
        const int row = m_files.InsertItem(i, names[static_cast<std::size_t>(i)].c_str());
        const std::int64_t size = FileSizeOf(path.c_str());
        m_files.SetItemText(row, 1, size >= 0 ? sizeText(size).c_str() : "");
        m_files.SetItemText(row, 2, dateText(FileModifiedTime(path.c_str())).c_str());
    }
    if (static_cast<int>(names.size()) > shown) {
        const CString more = "… " + std::to_string(names.size() - static_cast<std::size_t>(shown)) + " more";
        m_files.InsertItem(shown, more.c_str());
    }
}

BOOL ControlsPage::SortingList::OnColumnClick(NMLISTVIEW* n)
{
    const int column = n ? n->iSubItem : -1;
    if (column >= 0 && column < static_cast<int>(m_kinds.size()))
        Sort(column, m_kinds[static_cast<std::size_t>(column)], 1);
    return TRUE;
}

LRESULT ControlsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IdTree && header->code == TVN_SELCHANGED) {
            showFiles(m_tree.GetPath(reinterpret_cast<const NMTREEVIEW*>(lParam)->itemNew.hItem));
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The report keeps its height; the tree, the bar and the file list share
// the rest, the file list taking what the width adds.
void ControlsPage::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    const int top = kReportHeight + kGap;
    const int treeWidth = std::min(m_tree.width(), std::max(80, cx - 80 - kGap));
    m_report.MoveWindow(0, 0, cx, kReportHeight);
    m_tree.MoveWindow(0, top, treeWidth, std::max(0, cy - top));
    m_split.MoveWindow(treeWidth, top, kGap, std::max(0, cy - top));
    m_files.MoveWindow(treeWidth + kGap, top, std::max(0, cx - treeWidth - kGap), std::max(0, cy - top));
    stretchLastColumn(m_report);
    stretchLastColumn(m_files);
}

// The last column reaches the right edge at any width, as it does when the
// header is made.
void ControlsPage::stretchLastColumn(CKivListCtrl& list)
{
    const int last = list.GetColumnCount() - 1;
    if (last < 0)
        return;
    CRect client;
    list.GetClientRect(&client);
    int others = 0;
    for (int c = 0; c < last; ++c)
        others += list.GetColumnWidth(c);
    list.SetColumnWidth(last, std::max(60, client.Width() - GetSystemMetrics(SM_CXVSCROLL) - others - 2));
}
