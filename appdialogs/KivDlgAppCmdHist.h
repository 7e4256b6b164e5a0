// SPDX-License-Identifier: MIT
// The command history dialog, modal.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/base/CStringList.h"
#include "platform/base/Win32Types.h"

// Shows the history's entries; on OK copies the chosen one into selected
// (which must hold it; history entries are at most 255 bytes as the caller
// keeps them) and gives 1. selected becomes empty first; 0 on Cancel, and 0
// at once when either argument is null.
KIVAPPDLG_EXPORT int KivDlgAppCmdHist(HWND parent, CStringList* history, char* selected);
