// SPDX-License-Identifier: MIT
// Any bytes as a DXF drawing: read, its scene built and measured within the
// caps, whatever its blocks insert.
#include "cad/KivDxfFile.h"
#include "cad/KivDxfScene.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivDxfFile file;
    if (!file.OpenBytes(data, size))
        return 0;
    KivDxfScene scene;
    scene.Build(file);
    KivDxfPoint lo, hi;
    if (scene.GetExtents(lo, hi)
        && !(std::isfinite(lo.x) && std::isfinite(lo.y) && std::isfinite(hi.x) && std::isfinite(hi.y)))
        __builtin_trap(); // only numbers reach the scene
    return 0;
}
