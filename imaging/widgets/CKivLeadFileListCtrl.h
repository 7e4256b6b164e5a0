// SPDX-License-Identifier: MIT
// The image browser as a list view: one row per item of a thumbnail list
// with its file-type icon and the columns Name, Size (in KB), Type and
// Modified; a click on a heading sorts by that column.
#pragma once

#include "controls/CKivListCtrl.h"
#include "imaging/KivLead_export.h"
#include "platform/gdi/CImageList.h"

#include <map>
#include <vector>

class KivColumnList;
class KivThumbList;

class KIVLEAD_EXPORT CKivLeadFileListCtrl : public CKivListCtrl {
public:
    explicit CKivLeadFileListCtrl(QWidget* parent = nullptr);
    ~CKivLeadFileListCtrl() override;

    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;
    // Rows for the items of list in their order; 0 for a null list.
    int ShowList(const KivThumbList* list);
    // "1 KB" for 1 byte, "1,025 KB" for 1,048,577: whole kilobytes rounded
    // up, grouped in threes.
    static CString FormatSize(long long bytes);
    // The sort-type code of a column: 8 text, 3 number, 7 date.
    static unsigned short SortTypeOf(int column);
    CString GetItemTip(int row) const;

protected:
    // Sizes are read with their thousands commas: "1,025 KB" is 1025.
    int SetParam(int column, unsigned short kind) override;
    BOOL OnColumnClick(NMLISTVIEW* notification) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    int iconOf(const char* extension);
    void measureColumns();
    void fitColumns();

    KivColumnList* m_pColumns = nullptr;
    CImageList m_largeImages;
    CImageList m_smallImages;
    std::map<CString, int> m_iconOfType; // upper-case extension → image
    std::vector<int> m_columnWidths; // what each column's entries need
};
