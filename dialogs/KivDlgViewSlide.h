// SPDX-License-Identifier: MIT
// "View Slide": one slide (a file or library(slide)) filling a resizable
// dialog; a double click on it closes the dialog as OK.
#pragma once

#include "controls/CKivFileViewDlg.h"
#include "dialogs/KivDlg_export.h"
#include "views/CKivSlideViewCtrl.h"

class KIVDLG_EXPORT CKivViewSlideDlg : public CKivFileViewDlg {
public:
    explicit CKivViewSlideDlg(QWidget* parent = nullptr);
    ~CKivViewSlideDlg() override;

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CKivSlideViewCtrl* GetView() { return &m_view; }

private:
    CKivSlideViewCtrl m_view;
};

// The placement arguments are those of KivDlgViewFile; a slide that cannot
// be read leaves the view empty. 1 on the button, else 0.
KIVDLG_EXPORT int KivDlgViewSlide(
    HWND owner, const char* file, const char* title, int x, int y, int w, int h, int margin, int hasOk);
