// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgViewFile.h"

#include "controls/CKivFileViewDlg.h"
#include "dialogs/resources.h"

int KivDlgViewFile(
    CKivFileViewDlg* dlg, const char* file, const char* title, int x, int y, int w, int h, int margin, int hasOk)
{
    if (!dlg)
        return 0;
    return CallWithResources(KivDlgResources(), [&] {
        if (file)
            dlg->SetFile(file);
        if (title)
            dlg->SetTitle(title);
        dlg->SetPosition(x, y);
        dlg->SetSize(w, h);
        dlg->SetMargin(margin);
        dlg->SetHasOk(hasOk);
        // The viewers' frames can be minimised and maximised, as their
        // templates say; set before the window exists.
        dlg->setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
        return dlg->DoModal() == IDOK ? 1 : 0;
    });
}
