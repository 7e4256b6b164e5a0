// SPDX-License-Identifier: MIT
#include "appdialogs/KivDlgAppSlideManager.h"

#include "appdialogs/CKivSlideManagerDlg.h"
#include "appdialogs/resources.h"

int KivDlgAppSlideManager(HWND parent)
{
    return CallWithResources(KivAppDlgResources(), [&] {
        CKivSlideManagerDlg dialog(parent);
        return dialog.DoModal() == IDOK ? 1 : 0;
    });
}
