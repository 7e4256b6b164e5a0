// SPDX-License-Identifier: MIT
// The dialog base of every dialog of the libraries: it shows the process-wide
// default dialog icon (KivUtil::SetDlgIcon), else the library's own.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/widgets/CDialog.h"

class KIVCTRL_EXPORT CKivDialog : public CDialog {
public:
    // The default dialog icon, null until the application sets one; an
    // alias of the platform's, which KivUtil::SetDlgIcon sets too.
    static HICON& m_hIcon;
    static constexpr UINT kIconResource = 1000;

    explicit CKivDialog(UINT templateId = 0, QWidget* parent = nullptr);
    ~CKivDialog() override;

    BOOL OnInitDialog() override;

private:
    QIcon m_resourceIcon;
};
