// SPDX-License-Identifier: MIT
// Multi-page TIFF files page by page through libtiff: reading one page
// touches only its directory, and changing a page streams every other
// directory's tags and raw strips or tiles into a temporary file that
// replaces the original, so memory stays about one page whatever the count.
#pragma once

#include "imaging/toolkit/KivLeadToolkit.h"

#include <cstdint>
#include <string>
#include <vector>

class ByteSource;

namespace kivlead {

// A file of more pages is refused as larger than allowed, and no change may
// make one.
constexpr int kMaxTiffPages = KivLeadLimits::kMaxPages;

// Each page's width, height and bits (samples × bits per sample); format
// set to TIFF. A damaged chain fails as a whole.
int tiffPages(const ByteSource& source, std::vector<KivLeadFileInfo>* pages);
// Page (1-based) of source as a single-page TIFF in single; its pixel data
// keeps its bytes.
int tiffExtractPage(const ByteSource& source, int page, std::string& single);

struct TiffEdit {
    enum Kind { Replace, Insert, Delete } kind = Replace;
    int page = 1; // 1-based; Insert takes count + 1 to append
    // The new pages, each a single-page TIFF: Replace takes one, Insert puts
    // them all before page in this order.
    std::vector<std::string> added;
};
// Applies edit to file under its lock, through a temporary file and a rename.
int tiffRewrite(const char* file, const TiffEdit& edit);

} // namespace kivlead
