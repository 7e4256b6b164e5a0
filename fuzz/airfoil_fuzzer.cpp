// SPDX-License-Identifier: MIT
// Any bytes as a coordinate file: the outline must be finite, within the cap
// and drawable.
#include "airfoil/ZopAirfoil.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    int count = -1;
    ZopPoint2D* points = ZopAirfoil::ParsePlot(data, size, &count);
    if (points) {
        if (count < 1 || count > ZopAirfoil::kMaxNodes)
            __builtin_trap();
        for (int i = 0; i < count; ++i)
            if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
                __builtin_trap();
    } else if (count != -1) {
        __builtin_trap(); // no outline leaves the count alone
    }
    std::free(points);
    return 0;
}
