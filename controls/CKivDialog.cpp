// SPDX-License-Identifier: MIT
#include "controls/CKivDialog.h"

#include "controls/resources.h"

HICON& CKivDialog::m_hIcon = DefaultDialogIcon();

CKivDialog::CKivDialog(UINT templateId, QWidget* parent) : CDialog(templateId, parent)
{
}

CKivDialog::~CKivDialog() = default;

BOOL CKivDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON icon = m_hIcon;
    if (!icon) {
        m_resourceIcon = AfxGetResourceHandle()->icon(kIconResource);
        if (m_resourceIcon.isNull())
            m_resourceIcon = KivCtrlResources()->icon(kIconResource); // the library's own
        icon = m_resourceIcon.isNull() ? nullptr : &m_resourceIcon;
    }
    if (icon)
        SetIcon(icon, TRUE);
    return TRUE;
}
