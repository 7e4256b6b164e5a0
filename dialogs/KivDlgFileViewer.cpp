// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgFileViewer.h"

#include "dialogs/KivDlgViewDwg.h"
#include "dialogs/KivDlgViewSlide.h"

int KivDlgFileViewer(HWND owner, int fileType, const char* file, const char* supportPath)
{
    if (fileType == 1)
        KivDlgViewSlide(owner, file, nullptr, -1, -1, 0, 0, 5, 1);
    else if (fileType == 2 || fileType == 3)
        KivDlgViewDwg(owner, file, supportPath, nullptr, -1, -1, 0, 0, 5, 1);
    return 1;
}
