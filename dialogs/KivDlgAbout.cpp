// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgAbout.h"

#include "dialogs/CKivAboutDlg.h"
#include "dialogs/resources.h"

int KivDlgAbout(HWND owner, HICON icon, const char* product, const char* version, const char* notice, const char* url,
    const char* mail)
{
    return CallWithResources(KivDlgResources(), [&] {
        CKivAboutDlg dialog(owner, icon, product, version, notice, url, mail);
        return dialog.DoModal() == IDOK ? 1 : 0;
    });
}
