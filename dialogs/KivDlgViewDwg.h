// SPDX-License-Identifier: MIT
// "View Drawing": the preview of a DWG drawing scaled to a resizable dialog,
// or a centred line saying there is none.
#pragma once

#include "controls/CKivFileViewDlg.h"
#include "dialogs/CKivDrawingViewCtrl.h"
#include "dialogs/KivDlg_export.h"

class KIVDLG_EXPORT CKivViewDwgDlg : public CKivFileViewDlg {
public:
    explicit CKivViewDwgDlg(QWidget* parent = nullptr);
    ~CKivViewDwgDlg() override;

    void SetSupportPath(const char* path) { m_strSupportPath = path ? path : ""; }
    BOOL OnInitDialog() override;
    CKivDrawingViewCtrl* GetView() { return &m_view; }

private:
    CKivDrawingViewCtrl m_view;
    CString m_strSupportPath;
};

// The placement arguments are those of KivDlgViewFile; supportPath may be
// null. 1 on the button, else 0.
KIVDLG_EXPORT int KivDlgViewDwg(HWND owner, const char* file, const char* supportPath, const char* title, int x, int y,
    int w, int h, int margin, int hasOk);
