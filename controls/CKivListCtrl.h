// SPDX-License-Identifier: MIT
// The report list of the libraries: columns built from a KivColumnList (the
// last may stretch to the right edge), typed sorting by any column (numbers,
// dates, text) with an arrow in the heading, and the selection read as text.
// While a sort runs each row's item data holds the row's sort key, so rows
// keep no application data in it across a sort; it is 0 afterwards.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/KivColumnList.h"
#include "platform/gdi/CImageList.h"
#include "platform/widgets/CListCtrl.h"

#include <QString>

#include <deque>

class CStringArray;

class KIVCTRL_EXPORT CKivListCtrl : public CListCtrl {
public:
    // Kinds of sort keys, as variant type codes.
    static constexpr unsigned short kSortShort = 2;
    static constexpr unsigned short kSortLong = 3;
    static constexpr unsigned short kSortDate = 7;
    static constexpr unsigned short kSortText = 8;
    static constexpr UINT kAscendingIcon = 2016;
    static constexpr UINT kDescendingIcon = 2017;

    explicit CKivListCtrl(QWidget* parent = nullptr);
    ~CKivListCtrl() override;

    // Empties list and makes its columns from columns; with fill the last
    // column reaches the right edge (less a scroll bar). 0 for a null list.
    static int SetHeader(CListCtrl* list, KivColumnList* columns, int fill);
    // The same on this list, forgetting the sort column.
    int SetHeader(KivColumnList* columns, int fill);
    // One row per entry of dir matching pattern (folders too), named by the
    // entry; clear empties the list first. 0 when nothing matches.
    static int ShowDirectory(CListCtrl* list, const char* dir, const char* pattern, int clear);

    // The first selected row, -1 when none (or no list).
    static int GetCurSel(CListCtrl* list);
    int GetCurSel() { return GetCurSel(this); }
    // Selects and focuses row, leaving the others; 0 when out of range.
    int SetCurSel(int row);
    // The first row whose rectangle holds point (client coordinates), or -1.
    int FindItem(CPoint point) const;
    // The texts in column of the selected rows, top to bottom; 0 when none.
    int GetSelectArray(int column, CStringArray* out) const;
    CString GetSelectString(int column, const char* separator) const;

    // Sorts by column as kind (2 or 3 numbers, 7 dates, 8 text); toggle on
    // the current sort column turns the direction round.
    virtual void Sort(int column, unsigned short kind, int toggle);

    void SetSortColumn(int column) { m_nSortColumn = column; }
    void SetSortType(unsigned short kind) { m_nSortType = kind; }
    void SetSortDir(int descending) { m_bSortDesc = descending; }
    unsigned short GetSortType() const { return m_nSortType; }
    int GetSortDir() const { return m_bSortDesc; }
    int GetSortColumn() const { return m_nSortColumn; }
    const CImageList& GetSortImages() const { return m_sortImages; }

protected:
    // Makes every row's key from its text in column; 1.
    virtual int SetParam(int column, unsigned short kind);
    int SetParamLong(int row, long value);
    int SetParamStr(int row, const char* text);
    int SetParamDate(int row, const char* text);
    // Frees the keys; every row's item data becomes 0.
    void RemoveParam();
    // The arrow on column only: up ascending, down descending.
    void SetHeaderSort(int column, int descending);
    // Writes format into every heading, keeping widths and texts; 0 when
    // the list has no header.
    int SetHeaderAlign(int format);
    // Clicks on headings are the owner's or a derived class's to act on.
    BOOL OnColumnClick(NMLISTVIEW* notification) override;

public:
    // A row's key while a sort runs.
    struct SortKey {
        unsigned short kind;
        long number;
        bool validDate;
        double date; // days since 1899-12-30
        QString text; // case-folded
    };
    // -1, 0 or 1 for two keys' item data; descending turns it round.
    static int CompareKeys(LPARAM a, LPARAM b, LPARAM descending);
    // The text as a date and time of the desktop's locale (or ISO 8601), in
    // days since 1899-12-30; false when it is none.
    static bool ParseDate(const QString& text, double* days);

private:
    int store(int row, SortKey key);

    CImageList m_sortImages;
    unsigned short m_nSortType = kSortText;
    int m_nSortColumn = -1;
    int m_bSortDesc = 0;
    std::deque<SortKey> m_keys;
};
