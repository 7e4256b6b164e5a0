// SPDX-License-Identifier: MIT
#include "core/KivPngEncoder.h"

#include "core/KivRaster.h"

#include <zlib.h>

namespace {

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

// Length, type, data and the CRC over type and data.
void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::uint8_t* data, std::size_t size)
{
    putBe32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size)
        out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(size + 4));
    putBe32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::vector<std::uint8_t> KivPngEncoder::Encode(const KivRaster& raster)
{
    if (raster.IsEmpty())
        return {};
    const std::size_t w = static_cast<std::size_t>(raster.Width());
    const std::size_t h = static_cast<std::size_t>(raster.Height());
    // Each row: filter type 0, then R, G, B per pixel.
    std::vector<std::uint8_t> rows;
    rows.reserve(h * (1 + 3 * w));
    const auto& pixels = raster.Pixels();
    for (std::size_t y = 0; y < h; ++y) {
        rows.push_back(0);
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t p = pixels[y * w + x];
            rows.push_back(static_cast<std::uint8_t>(p));
            rows.push_back(static_cast<std::uint8_t>(p >> 8));
            rows.push_back(static_cast<std::uint8_t>(p >> 16));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 6) != Z_OK)
        return {};

    std::vector<std::uint8_t> png {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBe32(header, static_cast<std::uint32_t>(w));
    putBe32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter choice, no interlace
    putChunk(png, "IHDR", header.data(), header.size());
    putChunk(png, "IDAT", packed.data(), packedSize);
    putChunk(png, "IEND", nullptr, 0);
    return png;
}
