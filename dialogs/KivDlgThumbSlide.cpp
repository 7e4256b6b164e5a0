// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgThumbSlide.h"

#include "dialogs/KivDlgFileViewer.h"
#include "dialogs/KivDlgViewFile.h"
#include "dialogs/resources.h"
#include "platform/base/CStringArray.h"

#include <algorithm>

using namespace kivdlg;

CKivThumbSlideDlg::CKivThumbSlideDlg(
    QWidget* parent, const char* library, CStringArray* names, int cols, int rows, int labelState)
    : CKivFileViewDlg(IDD_VIEW_THUMB, parent), m_strLibrary(library ? library : ""), m_pNames(names), m_nCols(cols),
      m_nRows(rows), m_nLabelState(labelState)
{
}

CKivThumbSlideDlg::~CKivThumbSlideDlg() = default;

BOOL CKivThumbSlideDlg::OnInitDialog()
{
    m_browser.SubclassDlgItem(IDC_VIEW_SLIDE, this);
    m_browser.SetViewer(KivDlgFileViewer);
    SetViewCtrl(&m_browser);
    CKivFileViewDlg::OnInitDialog();
    if (!m_pNames)
        return TRUE;
    m_browser.SetFocus(1);
    m_browser.ClearNameList();
    for (int i = 0; i < m_pNames->GetSize(); ++i) {
        const CString& name = m_pNames->GetAt(i);
        const CString member = StringFormat("%s(%s)", m_strLibrary.c_str(), name.c_str());
        m_browser.AddItem(member.c_str(), "", name.c_str());
    }
    m_browser.SetLargeView(1);
    m_browser.SetLabelState(m_nLabelState);
    // A page is made of windows: a grid past these sizes is no page a
    // person can see, and would only make the dialog hang.
    m_browser.MakeThumb(std::clamp(m_nCols, 1, kMaxGrid), std::clamp(m_nRows, 1, kMaxGrid));
    m_browser.ViewThumb(0);
    return TRUE;
}

int KivDlgThumbSlide(HWND owner, const char* library, CStringArray* names, int cols, int rows, int labelState,
    const char* title, int x, int y, int w, int h, int margin, int hasOk)
{
    return CallWithResources(KivDlgResources(), [&] {
        CKivThumbSlideDlg dialog(owner, library, names, cols, rows, labelState);
        return KivDlgViewFile(&dialog, nullptr, title, x, y, w, h, margin, hasOk);
    });
}
