// SPDX-License-Identifier: MIT
#include "dialogs/CKivProgressDlg.h"

#include "dialogs/resources.h"
#include "platform/widgets/CProgressCtrl.h"

#include <QCoreApplication>
#include <QEventLoop>

using namespace kivdlg;

CKivProgressDlg::CKivProgressDlg(QWidget* parent) : CKivDialog(IDD_PROGRESS, parent)
{
}

CKivProgressDlg::~CKivProgressDlg() = default;

CProgressCtrl* CKivProgressDlg::GetBar() const
{
    return dynamic_cast<CProgressCtrl*>(GetDlgItem(IDC_PROGRESS_BAR));
}

BOOL CKivProgressDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->ShowWindow(SW_HIDE);
    SetWindowText(m_strTitle.c_str());
    if (CProgressCtrl* bar = GetBar()) {
        if (m_nRange < 1)
            bar->ShowWindow(SW_HIDE);
        else
            bar->SetRange32(0, m_nRange);
    }
    return TRUE;
}

// The message and the bar are set before the repaint, so what shows is this
// call's and not the one before.
void CKivProgressDlg::SetProgress(const char* message, int position)
{
    m_strMessage = message ? message : "";
    ShowWindow(SW_SHOW);
    if (CProgressCtrl* bar = GetBar())
        bar->SetPos(position);
    if (CWnd* label = GetDlgItem(IDC_PROGRESS_MESSAGE))
        label->SetWindowText(m_strMessage.c_str());
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // The job runs on the interface thread and does not return to the event
    // loop until it ends: the window is mapped, exposed and flushed to the
    // screen here. Input waits, so nothing the user does runs inside the
    // job; an update made while this one processes events does not nest.
    static bool processing = false;
    if (!processing) {
        processing = true;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        processing = false;
    }
}
