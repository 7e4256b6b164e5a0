#include "appdialogs/KivDlgAppSlideManager.h"

#include "appdialogs/CKivSlideManagerDlg.h"
#include "appdialogs/resources.h"

int KivDlgAppSlideManager(HWND parent)
{
    try {
        ResourceScope resources(KivAppDlgResources());
        CKivSlideManagerDlg dialog(parent);
        return dialog.DoModal() == IDOK ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
