// SPDX-License-Identifier: MIT
// For a host written against the Win32-named calls: brings TRUE, WM_COMMAND,
// IDOK, MB_OK, RGB and the other Win32 constants and macros of the public
// headers into the global namespace, as the libraries see them. Without this
// header they stay in vandrel::win32 and the host's own names stay free.
#pragma once

#include "platform/base/Win32Types.h"

using namespace vandrel::win32;
