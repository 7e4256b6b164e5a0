// SPDX-License-Identifier: MIT
// The system tick counter: milliseconds from a monotonic clock as an
// unsigned 32-bit count that wraps after 49.7 days, as Win32's does, so that
// differences taken in unsigned arithmetic stay right across the wrap.
#pragma once

#include "platform/KivPlatform_export.h"
#include "platform/base/Win32Types.h"

#include <functional>

KIVPLATFORM_EXPORT DWORD GetTickCount();

// Test seam: while set, GetTickCount answers from source instead of the clock.
KIVPLATFORM_EXPORT void SetTickCountForTesting(std::function<DWORD()> source);
