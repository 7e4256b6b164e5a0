// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgInputText.h"

#include "dialogs/CKivInputTextDlg.h"
#include "dialogs/resources.h"

#include <cstring>

int KivDlgInputText(HWND owner, char* text, const char* prompt, const char* title, int x, int y)
{
    if (!text)
        return 0;
    return CallWithResources(KivDlgResources(), [&] {
        CKivInputTextDlg dialog(owner, text, prompt, title, x, y);
        if (dialog.DoModal() != IDOK)
            return 0;
        const CString& edited = dialog.GetText();
        std::memcpy(text, edited.c_str(), edited.size() + 1);
        return 1;
    });
}
