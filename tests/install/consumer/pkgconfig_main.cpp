// SPDX-License-Identifier: MIT
// A host built with the flags pkg-config gives for vandrel-kivcore.
#include "core/KivAciColor.h"

#include <cstdio>

int main()
{
    std::printf("%lu\n", KivAciColor::GetRGB(1));
    return 0;
}
