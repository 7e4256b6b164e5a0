// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgViewSlide.h"

#include "dialogs/KivDlgViewFile.h"
#include "dialogs/resources.h"

using namespace kivdlg;

CKivViewSlideDlg::CKivViewSlideDlg(QWidget* parent) : CKivFileViewDlg(IDD_VIEW_SLIDE, parent)
{
}

CKivViewSlideDlg::~CKivViewSlideDlg() = default;

BOOL CKivViewSlideDlg::OnInitDialog()
{
    m_view.SubclassDlgItem(IDC_VIEW_SLIDE, this);
    SetViewCtrl(&m_view);
    CKivFileViewDlg::OnInitDialog();
    m_view.SetFile(m_strFile.c_str(), 1);
    return TRUE;
}

LRESULT CKivViewSlideDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK && wParam == reinterpret_cast<WPARAM>(static_cast<QWidget*>(&m_view))) {
        OnOK();
        return 0;
    }
    return CKivFileViewDlg::WindowProc(message, wParam, lParam);
}

int KivDlgViewSlide(HWND owner, const char* file, const char* title, int x, int y, int w, int h, int margin, int hasOk)
{
    return CallWithResources(KivDlgResources(), [&] {
        CKivViewSlideDlg dialog(owner);
        return KivDlgViewFile(&dialog, file, title, x, y, w, h, margin, hasOk);
    });
}
