// SPDX-License-Identifier: MIT
// The input box: one line of text under a prompt, edited and handed back on
// OK (GetText). The text is held to kMaxBytes bytes of UTF-8, so that it
// always fits a caller's buffer of kTextSize bytes.
#pragma once

#include "controls/CKivDialog.h"
#include "dialogs/KivDlg_export.h"
#include "platform/widgets/CEdit.h"

class KIVDLG_EXPORT CKivInputTextDlg : public CKivDialog {
public:
    static constexpr int kTextSize = 256; // 255 bytes and the terminator
    static constexpr int kMaxBytes = kTextSize - 1;

    // Null texts are empty; x and y both ≥ 0 move the dialog there.
    CKivInputTextDlg(QWidget* parent, const char* text, const char* prompt, const char* title, int x, int y);
    ~CKivInputTextDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    CEdit* GetEdit() { return &m_edit; }
    // The edited text after OK, at most kMaxBytes bytes, cut only between
    // characters.
    const CString& GetText() const { return m_strText; }

    // text cut to at most maxBytes bytes without splitting a UTF-8 character.
    static CString CutUtf8(const CString& text, std::size_t maxBytes);

private:
    CEdit m_edit;
    CString m_strText;
    CString m_strPrompt;
    CString m_strTitle;
    int m_x, m_y;
};
