// SPDX-License-Identifier: MIT
// The large viewer that thumbnail cells open: a slide in "View Slide", a
// drawing in "View Drawing", centred at the template's size.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/base/Win32Types.h"

// fileType 1 slide, 2 DWG, 3 DXF; other types open nothing. Always 1.
KIVDLG_EXPORT int KivDlgFileViewer(HWND owner, int fileType, const char* file, const char* supportPath);
