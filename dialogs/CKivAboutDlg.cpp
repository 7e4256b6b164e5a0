// SPDX-License-Identifier: MIT
#include "dialogs/CKivAboutDlg.h"

#include "controls/CKivHyperCtrl.h"
#include "dialogs/resources.h"
#include "platform/widgets/CStatic.h"

#include <QGuiApplication>

using namespace kivdlg;

namespace {
CString text(const char* s)
{
    return s ? s : "";
}

// The first %s of a resource format replaced by value; a format without one
// stays as it is.
CString formatOne(const CString& format, const CString& value)
{
    const auto at = format.find("%s");
    return at == CString::npos ? format : format.substr(0, at) + value + format.substr(at + 2);
}
} // namespace

CKivAboutDlg::CKivAboutDlg(QWidget* parent, HICON icon, const char* product, const char* version, const char* notice,
    const char* url, const char* mail)
    : CKivDialog(IDD_ABOUT, parent), m_icon(icon), m_strProduct(text(product)), m_strVersion(text(version)),
      m_strNotice(text(notice)), m_strURL(text(url)), m_strMail(text(mail))
{
}

CKivAboutDlg::~CKivAboutDlg() = default;

CKivHyperCtrl* CKivAboutDlg::GetWebLink() const
{
    return dynamic_cast<CKivHyperCtrl*>(GetDlgItem(IDC_ABOUT_WEB));
}

CKivHyperCtrl* CKivAboutDlg::GetMailLink() const
{
    return dynamic_cast<CKivHyperCtrl*>(GetDlgItem(IDC_ABOUT_MAIL));
}

CKivHyperCtrl* CKivAboutDlg::MakeLink(UINT id, const CString& label, const CString& target)
{
    CWnd* placeholder = GetDlgItem(static_cast<int>(id));
    if (!placeholder)
        return nullptr;
    const CRect rect(placeholder->x(), placeholder->y(), placeholder->x() + placeholder->width(),
        placeholder->y() + placeholder->height());
    const DWORD style = placeholder->GetStyle();
    delete placeholder;
    auto* link = new CKivHyperCtrl;
    link->Create(label.c_str(), style, rect, this, id);
    link->SetDlgCtrlID(id);
    link->SetURL(target.c_str());
    return link;
}

BOOL CKivAboutDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    // Without an icon of the caller's, the application's own stands there
    // rather than an empty square.
    m_appIcon = QGuiApplication::windowIcon();
    const HICON icon = m_icon ? m_icon : m_appIcon.isNull() ? nullptr : &m_appIcon;
    if (icon) {
        SetIcon(icon, FALSE);
        if (auto* picture = dynamic_cast<CStatic*>(GetDlgItem(IDC_ABOUT_ICON)))
            picture->SetIcon(icon);
    }
    SetWindowText(formatOne(AfxGetResourceHandle()->string(IDS_ABOUT_TITLE), m_strProduct).c_str());
    if (CWnd* w = GetDlgItem(IDC_ABOUT_PRODUCT))
        w->SetWindowText(m_strProduct.c_str());
    if (CWnd* w = GetDlgItem(IDC_ABOUT_VERSION))
        w->SetWindowText(m_strVersion.c_str());
    if (CWnd* w = GetDlgItem(IDC_ABOUT_NOTICE))
        w->SetWindowText(m_strNotice.c_str());
    MakeLink(IDC_ABOUT_WEB, m_strURL, m_strURL);
    MakeLink(IDC_ABOUT_MAIL, m_strMail, "mailto:" + m_strMail);
    return TRUE;
}
