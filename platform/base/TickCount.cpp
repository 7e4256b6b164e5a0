// SPDX-License-Identifier: MIT
#include "platform/base/TickCount.h"

#include <chrono>

namespace {
std::function<DWORD()> g_source;
}

DWORD GetTickCount()
{
    if (g_source)
        return g_source();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SetTickCountForTesting(std::function<DWORD()> source)
{
    g_source = std::move(source);
}
