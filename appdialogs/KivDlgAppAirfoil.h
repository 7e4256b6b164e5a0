// SPDX-License-Identifier: MIT
// The airfoil dialog, modal: the user picks a section and sees it drawn.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/base/Win32Types.h"

// The eight values go in and, on OK, come back: the kind (0 Joukowski,
// 1 NACA 4-digit, 2 NACA 5-digit, 3 coordinate file), camber, camber
// position and thickness in percent, the number of nodes, the folder of the
// coordinate files (ending in '/') and the file's name. folder and file must
// each hold 260 bytes, or more than the text they bring: the dialog never
// writes more than the larger of the two. 1 on OK; 0 on Cancel, when nothing
// is written, and 0 at once when any argument is null.
KIVAPPDLG_EXPORT int KivDlgAppAirfoil(
    HWND parent, int* type, double* camber, double* position, double* thickness, int* nodes, char* folder, char* file);
