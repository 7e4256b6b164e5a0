// SPDX-License-Identifier: MIT
// The input box, modal: a prompt and one line of text to edit.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/base/Win32Types.h"

// The edit starts with text; prompt labels it and title names the window
// (empty when null). When x and y are both ≥ 0 the box opens there. On OK the
// edited text is copied into text, which must hold 256 bytes: the text is
// kept to 255 bytes of UTF-8 and the terminator. 1 on OK, else 0; 0 at once
// when text is null. Nothing is written unless OK.
KIVDLG_EXPORT int KivDlgInputText(HWND owner, char* text, const char* prompt, const char* title, int x, int y);
