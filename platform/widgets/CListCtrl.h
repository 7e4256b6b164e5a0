// SPDX-License-Identifier: MIT
// A report-style list view: columns with headings, widths and alignment,
// rows of texts with one item data value each, selection and focus states,
// and sorting by a comparison of item data. A click on a heading comes to
// OnColumnClick, which by default sends LVN_COLUMNCLICK to the parent.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/gdi/CImageList.h"
#include "platform/widgets/CHeaderCtrl.h"
#include "platform/widgets/WidgetWnd.h"

#include <QListView>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace vandrel::win32 {
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr int LVNI_ALL = 0x0000;
constexpr int LVNI_FOCUSED = 0x0001;
constexpr int LVNI_SELECTED = 0x0002;
constexpr int LVIR_BOUNDS = 0;

constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;

constexpr int LVN_FIRST = -100;
constexpr int LVN_ITEMCHANGED = LVN_FIRST - 1;
constexpr int LVN_COLUMNCLICK = LVN_FIRST - 8;

constexpr int SM_CXVSCROLL = 2;
} // namespace vandrel::win32

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    CPoint ptAction;
    LPARAM lParam;
};

// Negative, zero or positive as item data a sorts before, with or after b.
using PFNLVCOMPARE = int (*)(LPARAM a, LPARAM b, LPARAM data);

// The width of a vertical scroll bar (SM_CXVSCROLL) in the desktop's style;
// 0 for a metric this platform does not know.
KIVGUI_EXPORT int GetSystemMetrics(int index);

class KIVGUI_EXPORT CListCtrl : public WidgetWnd<QTreeWidget> {
public:
    explicit CListCtrl(QWidget* parent = nullptr);
    ~CListCtrl() override;

    // The column's index, -1 when column is negative.
    int InsertColumn(int column, const char* heading, int format = vandrel::win32::LVCFMT_LEFT, int width = -1);
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    CHeaderCtrl* GetHeaderCtrl() { return &m_header; }

    int GetItemCount() const;
    // The row's index (at most the count), -1 when row is negative.
    int InsertItem(int row, const char* text);
    BOOL SetItemText(int row, int column, const char* text);
    CString GetItemText(int row, int column) const;
    BOOL DeleteItem(int row);
    BOOL DeleteAllItems();
    LPARAM GetItemData(int row) const;
    BOOL SetItemData(int row, LPARAM data);

    // LVIS_SELECTED and LVIS_FOCUSED, masked.
    UINT GetItemState(int row, UINT mask) const;
    BOOL SetItemState(int row, UINT state, UINT mask);
    UINT GetSelectedCount() const;
    // The first row after start (-1: from the top) with the flags' states.
    int GetNextItem(int start, int flags) const;
    // In the list's client coordinates; FALSE for a row out of range.
    BOOL GetItemRect(int row, CRect* rect, UINT code) const;
    // The row under a point of the client area, -1 when none.
    int HitTest(CPoint point) const;

    // The view style: LVS_REPORT shows the columns; LVS_ICON, LVS_SMALLICON
    // and LVS_LIST show the first column's texts with their large or small
    // icons, flowing in rows (icons) or columns (list). The rows, their
    // selection and their order are the same in every style.
    void SetViewStyle(DWORD style);
    DWORD GetViewStyle() const { return m_viewStyle; }
    // The images rows take their icons from (not owned): LVSIL_NORMAL for
    // large icons, LVSIL_SMALL for the others.
    void SetImageList(CImageList* images, int which);
    // The icon of row, an index into both image lists; -1 for none.
    BOOL SetItemImage(int row, int image);
    int GetItemImage(int row) const;
    // The widget that shows the icon styles (hidden in report style).
    QListView* iconView() const { return m_iconView; }

    // Orders the rows by compare over their item data; rows that compare
    // equal keep their order. Selection and focus go with their rows.
    BOOL SortItems(PFNLVCOMPARE compare, LPARAM data);

protected:
    // TRUE when handled here; the default sends LVN_COLUMNCLICK to the
    // parent and gives FALSE.
    virtual BOOL OnColumnClick(NMLISTVIEW* notification);

    void resizeEvent(QResizeEvent* event) override;

private:
    void applyIcon(int row);
    QTreeWidgetItem* row(int index) const;
    void align(QTreeWidgetItem* item, int column) const;

    CHeaderCtrl m_header;
    std::vector<int> m_formats; // LVCFMT_ per column
    DWORD m_viewStyle = vandrel::win32::LVS_REPORT;
    QListView* m_iconView = nullptr;
    CImageList* m_largeImages = nullptr;
    CImageList* m_smallImages = nullptr;
};
