// SPDX-License-Identifier: MIT
// A raster as a PNG file's bytes (8-bit RGB, deflated by zlib): what the
// programs that start without Qt Gui write their pictures with.
#pragma once

#include "core/KivCore_export.h"

#include <cstdint>
#include <vector>

class KivRaster;

class KIVCORE_EXPORT KivPngEncoder {
public:
    // Empty for an empty raster or when compression fails.
    static std::vector<std::uint8_t> Encode(const KivRaster& raster);
};
