// SPDX-License-Identifier: MIT
// The about box, modal: 1 when closed with OK, else 0.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/base/Win32Types.h"

// The texts may be null; mail becomes the target "mailto:" + mail.
KIVDLG_EXPORT int KivDlgAbout(HWND owner, HICON icon, const char* product, const char* version, const char* notice,
    const char* url, const char* mail);
