// SPDX-License-Identifier: MIT
// Device-independent bitmaps as Windows lays them out, and their safe
// decoding into a QImage: every size is checked against the bytes given.
#pragma once

#include "platform/KivGui_export.h"
#include "platform/base/Win32Types.h"

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace vandrel::win32 {
constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
} // namespace vandrel::win32

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14 && sizeof(BITMAPINFOHEADER) == 40 && sizeof(RGBQUAD) == 4);

// Bytes of one row of pixels, padded to 4 bytes; 0 when it would overflow.
KIVGUI_EXPORT std::size_t DibRowBytes(std::int64_t width, int bitCount);

// The palette a DIB header asks for: biClrUsed, or 2^bits for 8 bits or fewer.
KIVGUI_EXPORT int DibColorCount(const BITMAPINFOHEADER& header);

// The most pixels a DIB is decoded into (8192 × 8192, 256 MiB as RGB32).
// A few bytes of runs can declare any size, so the count is checked before
// anything is allocated.
constexpr std::int64_t kMaxDibPixels = std::int64_t {1} << 26;

// Decodes 1, 4, 8, 16, 24 or 32-bit pixels (bottom-up or top-down, and
// RLE8 / RLE4 runs) with their colour table into an RGB32 image; a null
// image when the header is unusable, declares more than maxPixels pixels, or
// bits holds fewer bytes than the rows need (runs that stop early leave the
// rest of the image at colour 0).
KIVGUI_EXPORT QImage DibToImage(const BITMAPINFOHEADER& header, const RGBQUAD* colors, int colorCount,
    const std::uint8_t* bits, std::size_t bitsSize, std::int64_t maxPixels = kMaxDibPixels);

// A DIB laid out as in memory (header, colour table, pixels) of size bytes.
KIVGUI_EXPORT QImage PackedDibToImage(const std::uint8_t* dib, std::size_t size);
