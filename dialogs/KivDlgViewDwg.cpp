// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgViewDwg.h"

#include "dialogs/KivDlgViewFile.h"
#include "dialogs/resources.h"

using namespace kivdlg;

CKivViewDwgDlg::CKivViewDwgDlg(QWidget* parent) : CKivFileViewDlg(IDD_VIEW_DWG, parent)
{
}

CKivViewDwgDlg::~CKivViewDwgDlg() = default;

BOOL CKivViewDwgDlg::OnInitDialog()
{
    m_view.SubclassDlgItem(IDC_VIEW_DWG, this);
    SetViewCtrl(&m_view);
    CKivFileViewDlg::OnInitDialog();
    // On white, as the studio's large viewer shows drawings, in the whole
    // of the view.
    m_view.SetRedraw(0);
    m_view.SetColors(RGB(255, 255, 255), RGB(255, 255, 255));
    m_view.SetAutoSize(1);
    m_view.SetRedraw(1);
    m_view.SetSupportPath(m_strSupportPath.c_str());
    m_view.SetFile(m_strFile.c_str());
    return TRUE;
}

int KivDlgViewDwg(HWND owner, const char* file, const char* supportPath, const char* title, int x, int y, int w, int h,
    int margin, int hasOk)
{
    return CallWithResources(KivDlgResources(), [&] {
        CKivViewDwgDlg dialog(owner);
        dialog.SetSupportPath(supportPath);
        return KivDlgViewFile(&dialog, file, title, x, y, w, h, margin, hasOk);
    });
}
