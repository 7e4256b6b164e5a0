// SPDX-License-Identifier: MIT
// "View Thumbnail": a paged grid of named slides of one slide library; a
// double click on a cell (or its "Large View...") opens the slide in "View
// Slide".
#pragma once

#include "controls/CKivFileViewDlg.h"
#include "dialogs/KivDlg_export.h"
#include "views/CKivSlideThumbListCtrl.h"

class CStringArray;

class KIVDLG_EXPORT CKivThumbSlideDlg : public CKivFileViewDlg {
public:
    static constexpr int kMaxGrid = 64; // columns or rows of one page

    // names stays the caller's; null leaves the grid empty.
    CKivThumbSlideDlg(QWidget* parent, const char* library, CStringArray* names, int cols, int rows, int labelState);
    ~CKivThumbSlideDlg() override;

    BOOL OnInitDialog() override;
    CKivSlideThumbListCtrl* GetBrowser() { return &m_browser; }

private:
    CKivSlideThumbListCtrl m_browser;
    CString m_strLibrary;
    CStringArray* m_pNames;
    int m_nCols, m_nRows, m_nLabelState;
};

// One cell per name, library(name), in a cols × rows grid; labelState as
// the browser takes it. The placement arguments are those of KivDlgViewFile.
// 1 on the button, else 0.
KIVDLG_EXPORT int KivDlgThumbSlide(HWND owner, const char* library, CStringArray* names, int cols, int rows,
    int labelState, const char* title, int x, int y, int w, int h, int margin, int hasOk);
