// SPDX-License-Identifier: MIT
// The user property manager dialog, modal.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/base/Win32Types.h"

class KivParamList;

// Edits a list of name/value properties (names unique, compared with case;
// names and values at most 255 bytes). On OK props is replaced by the rows
// and 1 is given; on Cancel props stays as it was and 0 is given.
KIVAPPDLG_EXPORT int KivDlgAppUserProp(HWND parent, KivParamList* props);
