// SPDX-License-Identifier: MIT
// The modeless progress window: a message above a bar. It takes no input of
// its own; the operation that opened it updates it and closes it.
#pragma once

#include "controls/CKivDialog.h"
#include "dialogs/KivDlg_export.h"

class CProgressCtrl;

class KIVDLG_EXPORT CKivProgressDlg : public CKivDialog {
public:
    explicit CKivProgressDlg(QWidget* parent = nullptr);
    ~CKivProgressDlg() override;

    // Before Create: the title, and the bar's range (below 1: no bar).
    void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
    void SetRange(int range) { m_nRange = range; }
    // Sets the bar and the message and repaints at once.
    void SetProgress(const char* message, int position);

    BOOL OnInitDialog() override;
    CProgressCtrl* GetBar() const;
    CString GetMessage() const { return m_strMessage; }

protected:
    // Enter, Esc and the close box do nothing: the operation decides.
    void OnOK() override { }
    void OnCancel() override { }

private:
    CString m_strTitle;
    int m_nRange = -1;
    CString m_strMessage;
};
