// SPDX-License-Identifier: MIT
#include "dialogs/CKivInputTextDlg.h"

#include "dialogs/resources.h"

using namespace kivdlg;

CKivInputTextDlg::CKivInputTextDlg(
    QWidget* parent, const char* text, const char* prompt, const char* title, int x, int y)
    : CKivDialog(IDD_INPUT_TEXT, parent), m_strText(CutUtf8(text ? text : "", kMaxBytes)),
      m_strPrompt(prompt ? prompt : ""), m_strTitle(title ? title : ""), m_x(x), m_y(y)
{
}

CKivInputTextDlg::~CKivInputTextDlg() = default;

CString CKivInputTextDlg::CutUtf8(const CString& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // Back over continuation bytes (10xxxxxx) to the start of the character
    // that does not fit.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

BOOL CKivInputTextDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    m_edit.SubclassDlgItem(IDC_INPUT_EDIT, this);
    // The limit in characters is only the first guard; OK cuts the bytes.
    m_edit.widget()->setMaxLength(kMaxBytes);
    m_edit.SetWindowText(m_strText.c_str());
    m_edit.widget()->selectAll();
    m_edit.setFocus();
    if (CWnd* label = GetDlgItem(IDC_INPUT_PROMPT))
        label->SetWindowText(m_strPrompt.c_str());
    SetWindowText(m_strTitle.c_str());
    if (m_x >= 0 && m_y >= 0) {
        CRect frame;
        GetWindowRect(&frame);
        MoveWindow(m_x, m_y, frame.Width(), frame.Height());
    }
    return FALSE; // the focus is in the edit
}

void CKivInputTextDlg::OnOK()
{
    m_strText = CutUtf8(m_edit.GetWindowText(), kMaxBytes);
    CKivDialog::OnOK();
}
