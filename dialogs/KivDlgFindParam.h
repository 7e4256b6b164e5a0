// SPDX-License-Identifier: MIT
// The find box, modal: the user filters a parameter list by value and picks
// one parameter.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/base/Win32Types.h"

class KivParamList;

// title names the window. On OK *index = the position in list of the
// parameter picked (not its row among the filtered ones) and the result is
// 1; else 0 and *index stays. 0 at once unless list and index are given.
KIVDLG_EXPORT int KivDlgFindParam(HWND owner, KivParamList* list, int* index, const char* title);
