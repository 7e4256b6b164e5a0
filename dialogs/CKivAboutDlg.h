// SPDX-License-Identifier: MIT
// The about box: the caller's icon, product, version and notice, and a web
// and a mail link that open with the desktop's handler.
#pragma once

#include "controls/CKivDialog.h"
#include "dialogs/KivDlg_export.h"

#include <QIcon>

class CKivHyperCtrl;

class KIVDLG_EXPORT CKivAboutDlg : public CKivDialog {
public:
    // Null texts give empty labels; the icon (may be null) stays the caller's.
    CKivAboutDlg(QWidget* parent, HICON icon, const char* product, const char* version, const char* notice,
        const char* url, const char* mail);
    ~CKivAboutDlg() override;

    BOOL OnInitDialog() override;
    CKivHyperCtrl* GetWebLink() const;
    CKivHyperCtrl* GetMailLink() const;

private:
    // The link's placeholder from the template becomes a hyperlink in its place.
    CKivHyperCtrl* MakeLink(UINT id, const CString& text, const CString& target);

    HICON m_icon;
    QIcon m_appIcon; // the application's, shown when the caller gives none
    CString m_strProduct, m_strVersion, m_strNotice, m_strURL, m_strMail;
};
