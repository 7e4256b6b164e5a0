// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgProgress.h"

#include "dialogs/CKivProgressDlg.h"
#include "dialogs/resources.h"

#include <QPointer>

namespace {
// The one slot. A guarded pointer: when the owner goes and takes the window
// with it, the slot empties instead of pointing at nothing.
QPointer<CKivProgressDlg>& slot()
{
    static QPointer<CKivProgressDlg> window;
    return window;
}
} // namespace

int KivDlgProgressStart(HWND owner, const char* title, int range)
{
    return CallWithResources(KivDlgResources(), [&] {
        if (slot())
            return 0;
        auto* window = new CKivProgressDlg(owner);
        window->SetTitle(title);
        window->SetRange(range);
        if (!window->Create(kivdlg::IDD_PROGRESS, owner)) {
            delete window;
            return 0;
        }
        window->CenterWindow();
        slot() = window;
        return 1;
    });
}

int KivDlgProgressShow(const char* message, int position)
{
    return CallWithResources(KivDlgResources(), [&] {
        if (!slot())
            return 0;
        slot()->SetProgress(message, position);
        return 1;
    });
}

int KivDlgProgressClose()
{
    return CallWithResources(KivDlgResources(), [&] {
        if (!slot())
            return 0;
        delete slot().data();
        slot() = nullptr;
        return 1;
    });
}

CKivProgressDlg* KivDlgProgressWindow()
{
    return slot().data();
}
