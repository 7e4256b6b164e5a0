// SPDX-License-Identifier: MIT
// A host that asks for the Win32 names gets them unqualified.
#include "platform/base/Win32.h"
#include "platform/base/WinMessages.h"
#include "platform/gdi/CDC.h"
#include "platform/services/MessageBox.h"

static_assert(TRUE == 1 && FALSE == 0);
static_assert(WM_COMMAND == 0x0111 && IDOK == 1 && MB_OK == 0 && SRCCOPY == 0x00CC0020);
static_assert(RGB(1, 2, 3) == 0x030201 && LOWORD(MAKEWPARAM(7, 9)) == 7);

int win32Names()
{
    return IDCANCEL - 2;
}
