// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgFindParam.h"

#include "dialogs/CKivFindParamDlg.h"
#include "dialogs/resources.h"

int KivDlgFindParam(HWND owner, KivParamList* list, int* index, const char* title)
{
    if (!list || !index)
        return 0;
    return CallWithResources(KivDlgResources(), [&] {
        CKivFindParamDlg dialog(owner, list, title);
        if (dialog.DoModal() != IDOK)
            return 0;
        *index = dialog.GetIndex();
        return 1;
    });
}
