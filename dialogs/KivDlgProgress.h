// SPDX-License-Identifier: MIT
// The process's one progress window, for a long operation on the interface
// thread: it opens it, updates it whenever it likes and closes it. Each call
// gives 1, or 0 when it finds the window in the wrong state (already open for
// a start, none for show and close).
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/base/Win32Types.h"

class CKivProgressDlg;

// Opens the window over owner's window (owner may be null) with title; a
// range below 1 shows no bar, else the bar runs from 0 to range.
KIVDLG_EXPORT int KivDlgProgressStart(HWND owner, const char* title, int range);
// Shows the window with message and the bar at position, painted at once.
KIVDLG_EXPORT int KivDlgProgressShow(const char* message, int position);
KIVDLG_EXPORT int KivDlgProgressClose();
// The open window, null when there is none: for hosts that style it.
KIVDLG_EXPORT CKivProgressDlg* KivDlgProgressWindow();
