// SPDX-License-Identifier: MIT
// Multi-page TIFF files written straight through libtiff, so tests choose
// each page's size, depth and compression and can compare or damage what
// the file stores.
#pragma once

#include "support/TestSupport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace imagingtest {

struct TiffPageSpec {
    enum Kind { None, Lzw, Fax4, Palette, Tiled }; // Tiled: 16 × 16 LZW tiles
    int width = 1;
    int height = 1;
    int bitsPerSample = 8;
    int samples = 1;
    Kind kind = None;
};

// A little-endian classic TIFF with one directory per page description;
// false on failure.
// Pixels are patterns of x and y; an RGB page holds (10 x, 20 y, 7).
bool writeTiff(const std::string& path, const std::vector<TiffPageSpec>& pages);
// Every directory's raw strips or tiles, as stored, one block per page.
std::vector<testsupport::Bytes> rawPages(const std::string& path);
// The offsets of the directories of a little-endian classic TIFF, in order.
std::vector<std::uint32_t> directoryOffsets(const testsupport::Bytes& bytes);
// Sets the next-directory offset of the directory at ifd.
void setNextDirectory(testsupport::Bytes& bytes, std::uint32_t ifd, std::uint32_t next);

} // namespace imagingtest
