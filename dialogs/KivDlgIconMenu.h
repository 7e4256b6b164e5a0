// SPDX-License-Identifier: MIT
// "Icon Menu": one item of a thumbnail list picked from a list of labels
// beside a paged browser of its thumbnails, with a split bar between them.
// The dialog owns the list it is given and deletes it with its items.
#pragma once

#include "controls/CKivDialog.h"
#include "controls/CKivSplitCtrl.h"
#include "dialogs/KivDlg_export.h"
#include "platform/widgets/CListBox.h"
#include "views/CKivSlideThumbListCtrl.h"

class KivThumbList;

class KIVDLG_EXPORT CKivIconMenuDlg : public CKivDialog {
public:
    static constexpr int kMargin = 10;
    static constexpr std::size_t kDataSize = 256; // a caller's data buffer

    // list (may be null) becomes the dialog's; data preselects the item
    // whose data equals it.
    CKivIconMenuDlg(QWidget* parent, KivThumbList* list, const char* title, const char* supportPath, const char* data,
        int cols, int rows, int cellWidth, int cellHeight);
    ~CKivIconMenuDlg() override;

    BOOL OnInitDialog() override;
    // "No Selection!" and stays open while no item is chosen.
    void OnOK() override;

    // The chosen item's data after OK.
    const CString& GetData() const { return m_strData; }
    CListBox* GetListBox() { return &m_listBox; }
    CKivSlideThumbListCtrl* GetBrowser() { return &m_browser; }
    CKivSplitCtrl* GetSplit() { return &m_split; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void SyncListToBrowser();
    void Layout(int cx, int cy);

    CListBox m_listBox;
    CKivSplitCtrl m_split;
    CKivSlideThumbListCtrl m_browser;
    KivThumbList* m_pList; // until the browser takes it
    CString m_strTitle;
    CString m_strSupportPath;
    CString m_strData;
    int m_nCols, m_nRows, m_nCellWidth, m_nCellHeight;
    bool m_syncing = false;
    bool m_ready = false;
};

// On OK the chosen item's data is copied into data (when given; at most 255
// bytes, cut between characters) and the result is 1; else 0. cols, rows,
// cellWidth and cellHeight below 1 take 3, 3, 120 and 90. list is deleted
// with its items in every case.
KIVDLG_EXPORT int KivDlgIconMenu(HWND owner, KivThumbList* list, const char* title, const char* supportPath, char* data,
    int cols, int rows, int cellWidth, int cellHeight);
