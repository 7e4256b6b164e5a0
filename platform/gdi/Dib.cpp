// SPDX-License-Identifier: MIT
#include "platform/gdi/Dib.h"

#include <cstring>
#include <limits>
#include <vector>

std::size_t DibRowBytes(std::int64_t width, int bitCount)
{
    if (width <= 0 || bitCount <= 0 || width > (std::int64_t {1} << 31))
        return 0;
    const std::int64_t bits = width * bitCount;
    return static_cast<std::size_t>(((bits + 31) / 32) * 4);
}

int DibColorCount(const BITMAPINFOHEADER& header)
{
    if (header.biClrUsed != 0)
        return header.biClrUsed > 256 ? 256 : static_cast<int>(header.biClrUsed);
    return header.biBitCount <= 8 ? 1 << header.biBitCount : 0;
}

namespace {

// RLE8 and RLE4 runs into image, row 0 at the bottom; every read is checked
// against size and every write against the image.
void decodeRle(
    const std::uint8_t* bits, std::size_t size, QImage& image, bool four, const RGBQUAD* colors, int colorCount)
{
    const int width = image.width(), height = image.height();
    std::size_t at = 0;
    int x = 0, y = 0;
    const auto put = [&](unsigned index) {
        if (x < width && y < height) {
            const QRgb c = static_cast<int>(index) < colorCount
                ? qRgb(colors[index].rgbRed, colors[index].rgbGreen, colors[index].rgbBlue)
                : qRgb(0, 0, 0);
            reinterpret_cast<QRgb*>(image.scanLine(height - 1 - y))[x] = c;
        }
        ++x;
    };
    while (at + 1 < size && y < height) {
        const std::uint8_t count = bits[at], value = bits[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? static_cast<std::uint8_t>(i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move
            if (at + 1 >= size)
                break;
            x += bits[at];
            y += bits[at + 1];
            at += 2;
        } else { // a literal run of value pixels, padded to a word
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            if (at + bytes > size)
                break;
            for (int i = 0; i < value; ++i)
                put(four ? static_cast<std::uint8_t>(i % 2 ? bits[at + i / 2] & 0xF : bits[at + i / 2] >> 4)
                         : bits[at + i]);
            at += (bytes + 1) & ~static_cast<std::size_t>(1);
        }
    }
}

} // namespace

QImage DibToImage(const BITMAPINFOHEADER& header, const RGBQUAD* colors, int colorCount, const std::uint8_t* bits,
    std::size_t bitsSize, std::int64_t maxPixels)
{
    if ((header.biCompression == BI_RLE8 && header.biBitCount == 8)
        || (header.biCompression == BI_RLE4 && header.biBitCount == 4)) {
        const int width = header.biWidth, height = header.biHeight;
        if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || !bits || !colors || colorCount <= 0)
            return {};
        if (static_cast<std::int64_t>(width) * height > maxPixels)
            return {};
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return {};
        image.fill(qRgb(colors[0].rgbRed, colors[0].rgbGreen, colors[0].rgbBlue));
        decodeRle(bits, bitsSize, image, header.biCompression == BI_RLE4, colors, colorCount);
        return image;
    }

    const int bpp = header.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return {};
    if (header.biCompression != BI_RGB && !(header.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return {};
    const std::int64_t width = header.biWidth;
    const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || width * height > maxPixels)
        return {};
    const std::size_t row = DibRowBytes(width, bpp);
    if (!bits || row == 0 || bitsSize / row < static_cast<std::uint64_t>(height))
        return {};
    if (bpp <= 8 && (!colors || colorCount <= 0))
        return {};

    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool topDown = header.biHeight < 0;
    const auto paletteColor = [&](unsigned index) -> QRgb {
        if (static_cast<int>(index) >= colorCount)
            return qRgb(0, 0, 0);
        const RGBQUAD& c = colors[index];
        return qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
    };
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* src = bits + static_cast<std::size_t>(topDown ? y : height - 1 - y) * row;
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::int64_t x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: dst[x] = paletteColor((src[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: dst[x] = paletteColor((src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF); break;
            case 8: dst[x] = paletteColor(src[x]); break;
            case 16: {
                // 5-5-5, the layout of BI_RGB (bit fields are read the same way)
                const unsigned v = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = qRgb(((v >> 10) & 0x1F) * 255 / 31, ((v >> 5) & 0x1F) * 255 / 31, (v & 0x1F) * 255 / 31);
                break;
            }
            case 24: dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: dst[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]); break;
            }
        }
    }
    return image;
}

QImage PackedDibToImage(const std::uint8_t* dib, std::size_t size)
{
    BITMAPINFOHEADER header;
    if (!dib || size < sizeof header)
        return {};
    std::memcpy(&header, dib, sizeof header);
    if (header.biSize < sizeof header || header.biSize > size)
        return {};
    std::size_t offset = header.biSize;
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof header)
        offset += 12; // the three masks
    const int colors = DibColorCount(header);
    if (offset > size || (size - offset) / sizeof(RGBQUAD) < static_cast<std::size_t>(colors))
        return {};
    std::vector<RGBQUAD> table(static_cast<std::size_t>(colors));
    if (colors > 0)
        std::memcpy(table.data(), dib + offset, table.size() * sizeof(RGBQUAD));
    offset += table.size() * sizeof(RGBQUAD);
    return DibToImage(header, table.data(), colors, dib + offset, size - offset);
}
