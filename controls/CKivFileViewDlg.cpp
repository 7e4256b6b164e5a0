// SPDX-License-Identifier: MIT
#include "controls/CKivFileViewDlg.h"

#include "platform/services/MessageBox.h"

CKivFileViewDlg::CKivFileViewDlg(UINT templateId, QWidget* parent) : CKivDialog(templateId, parent)
{
}

CKivFileViewDlg::~CKivFileViewDlg() = default;

void CKivFileViewDlg::SetFile(const char* file)
{
    m_strFile = file ? file : "";
    if (m_strTitle.empty())
        m_strTitle = MakeUpper(m_strFile);
}

BOOL CKivFileViewDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    SetWindowText(m_strTitle.c_str());
    ChangeSize(m_nPosX, m_nPosY, m_nWidth, m_nHeight);
    return TRUE;
}

void CKivFileViewDlg::OnSize(UINT type, int cx, int cy)
{
    CKivDialog::OnSize(type, cx, cy);
    ChangeSize(-1, -1, 0, 0);
}

void CKivFileViewDlg::ChangeSize(int x, int y, int width, int height)
{
    if (!m_pViewCtrl)
        return;
    CRect r;
    GetWindowRect(&r);
    int left = r.left, top = r.top;
    const bool keepPosition = x < 0 && y < 0;
    const bool resize = width > 0 || height > 0;
    if (!keepPosition) {
        left = x >= 0 ? x : r.left;
        top = y >= 0 ? y : r.top;
        if (!resize)
            MoveWindow(left, top, r.Width(), r.Height());
    }
    if (resize) {
        MoveWindow(left, top, width, height);
        if (keepPosition)
            CenterWindow();
    }

    CRect c;
    GetClientRect(&c);
    const int m = m_nMargin;
    CWnd* ok = GetDlgItem(IDOK);
    CSize button(0, 0);
    if (ok && m_bHasOk == 1) {
        CRect b;
        ok->GetClientRect(&b);
        button = b.Size();
    }
    m_pViewCtrl->MoveWindow(c.left + m, c.top + m, c.Width() - 2 * m, c.Height() - 3 * m - button.cy);
    if (ok) {
        ok->ShowWindow(m_bHasOk == 1 ? SW_SHOW : SW_HIDE);
        CRect b;
        ok->GetClientRect(&b);
        const int bx = c.left + (c.Width() - b.Width()) / 2;
        const int by = std::max(m, c.bottom - m - b.Height());
        ok->MoveWindow(bx, by, b.Width(), b.Height());
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
