// SPDX-License-Identifier: MIT
// Builds DWG files holding only what the preview reader looks at: the
// version string, the image address and the image data section.
#pragma once

#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace testsupport {

struct DwgEntry {
    int code;
    Bytes data;
};

// An 8-bit bottom-up bitmap (40-byte header, 256-entry table, padded rows);
// pixel (x, y) counts y from the top.
Bytes makeDib8(
    int width, int height, const std::vector<std::uint32_t>& palette, const std::vector<std::uint8_t>& topDownPixels);
// A 32-bit bottom-up bitmap without a colour table; pixels 0x00RRGGBB.
Bytes makeDib32(int width, int height, const std::vector<std::uint32_t>& topDownPixels);

// An 8-bit RLE bitmap (256-entry table) of the declared size holding runs.
Bytes makeRle8Dib(int width, int height, const std::vector<std::uint32_t>& palette, const Bytes& runs);
// The start of a PNG declaring width × height: signature, IHDR with its CRC,
// an empty IDAT and IEND; no pixel data.
Bytes makePngHeader(std::uint32_t width, std::uint32_t height);

// A drawing of the given version with a preview section at address holding
// the entries, in order, each right after the one before; reversedData
// stores their data last entry first (the directory's addresses follow).
Bytes makeDwg(const std::string& version, const std::vector<DwgEntry>& entries, std::uint32_t address = 0x60,
    bool goodSentinel = true, bool reversedData = false);

} // namespace testsupport
