// SPDX-License-Identifier: MIT
// Writes BMP files byte by byte for tests.
#pragma once

#include "support/TestSupport.h"

#include <functional>

namespace testsupport {

// A BMP of width × height at bits per pixel; palette entries are 0xRRGGBB;
// pixel(x, y) gives the index (or 0xRRGGBB above 8 bits), y from the top.
// A negative height writes the rows top-down.
Bytes makeBmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
    const std::function<std::uint32_t(int x, int y)>& pixel);

} // namespace testsupport
