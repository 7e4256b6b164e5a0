// SPDX-License-Identifier: MIT
// The slide library manager dialog, modal.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/base/Win32Types.h"

// Runs the manager with parent as owner, starting in the current folder:
// 1 when it was closed with OK, else 0.
KIVAPPDLG_EXPORT int KivDlgAppSlideManager(HWND parent);
