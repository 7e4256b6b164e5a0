// SPDX-License-Identifier: MIT
// The drawing file dialog, modal: a tree of folders and drawings with a
// preview of the chosen drawing.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/base/Win32Types.h"

// Opens at the path start. On OK copies the chosen drawing's path (empty
// when a folder was chosen) into selected, which must hold 260 bytes; a
// longer path is handed back empty. 1 on OK, else 0 (0 at once for a null
// selected). "&Block List" calls blockList with the dialog's window and the
// drawing's path; blockList may be null.
KIVAPPDLG_EXPORT int KivDlgAppDwgFile(
    HWND parent, const char* start, char* selected, void (*blockList)(HWND, const char*));
