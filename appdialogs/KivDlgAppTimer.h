// SPDX-License-Identifier: MIT
// The timer setup dialog, modal.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/base/Win32Types.h"

class CKivTimerCtrl;

// Edits timer's time, mode, loop flag and sound (a wave file of the media
// folder): 1 on OK, when the timer takes the settings, else 0. With a null
// timer the dialog opens with zeros and OK changes nothing.
KIVAPPDLG_EXPORT int KivDlgAppTimer(HWND parent, CKivTimerCtrl* timer);
