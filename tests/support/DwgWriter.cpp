// SPDX-License-Identifier: MIT
#include "support/DwgWriter.h"

#include <algorithm>
#include <cstring>

namespace testsupport {

namespace {
void put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putBe32(Bytes& b, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
std::uint32_t crc32(const std::uint8_t* p, std::size_t n)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}
void pngChunk(Bytes& b, const char* tag, const Bytes& data)
{
    putBe32(b, static_cast<std::uint32_t>(data.size()));
    Bytes typed(tag, tag + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    b.insert(b.end(), typed.begin(), typed.end());
    putBe32(b, crc32(typed.data(), typed.size()));
}
Bytes infoHeader(int width, int height, int bits, int colors, std::uint32_t compression = 0)
{
    Bytes h;
    put32(h, 40);
    put32(h, static_cast<std::uint32_t>(width));
    put32(h, static_cast<std::uint32_t>(height));
    put16(h, 1);
    put16(h, static_cast<std::uint16_t>(bits));
    put32(h, compression);
    put32(h, 0);
    put32(h, 0);
    put32(h, 0);
    put32(h, static_cast<std::uint32_t>(colors));
    put32(h, 0);
    return h;
}
const std::uint8_t kSentinel[16]
    = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28, 0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
} // namespace

Bytes makeDib8(
    int width, int height, const std::vector<std::uint32_t>& palette, const std::vector<std::uint8_t>& pixels)
{
    Bytes b = infoHeader(width, height, 8, 256);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
        b.push_back(static_cast<std::uint8_t>(c)); // blue
        b.push_back(static_cast<std::uint8_t>(c >> 8)); // green
        b.push_back(static_cast<std::uint8_t>(c >> 16)); // red
        b.push_back(0);
    }
    const int row = (width + 3) / 4 * 4;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < row; ++x)
            b.push_back(x < width ? pixels[static_cast<std::size_t>(y * width + x)] : 0);
    return b;
}

Bytes makeRle8Dib(int width, int height, const std::vector<std::uint32_t>& palette, const Bytes& runs)
{
    Bytes b = infoHeader(width, height, 8, 256, 1);
    for (int i = 0; i < 256; ++i)
        put32(b, i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0);
    b.insert(b.end(), runs.begin(), runs.end());
    return b;
}

Bytes makePngHeader(std::uint32_t width, std::uint32_t height)
{
    Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    putBe32(ihdr, width);
    putBe32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    pngChunk(b, "IHDR", ihdr);
    pngChunk(b, "IDAT", {});
    pngChunk(b, "IEND", {});
    return b;
}

Bytes makeDib32(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    Bytes b = infoHeader(width, height, 32, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            put32(b, pixels[static_cast<std::size_t>(y * width + x)]);
    return b;
}

Bytes makeDwg(const std::string& version, const std::vector<DwgEntry>& entries, std::uint32_t address,
    bool goodSentinel, bool reversedData)
{
    Bytes b(address, 0);
    std::memcpy(b.data(), version.data(), std::min<std::size_t>(version.size(), 6));
    b[13] = static_cast<std::uint8_t>(address);
    b[14] = static_cast<std::uint8_t>(address >> 8);
    b[15] = static_cast<std::uint8_t>(address >> 16);
    b[16] = static_cast<std::uint8_t>(address >> 24);
    Bytes data;
    data.push_back(static_cast<std::uint8_t>(entries.size()));
    std::vector<const DwgEntry*> stored;
    for (const auto& e : entries)
        stored.push_back(&e);
    if (reversedData)
        std::reverse(stored.begin(), stored.end());
    std::vector<std::uint32_t> starts(entries.size());
    std::uint32_t at = address + 20 + 1 + 9 * static_cast<std::uint32_t>(entries.size());
    for (const DwgEntry* e : stored) {
        starts[static_cast<std::size_t>(e - entries.data())] = at;
        at += static_cast<std::uint32_t>(e->data.size());
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        data.push_back(static_cast<std::uint8_t>(entries[i].code));
        put32(data, starts[i]);
        put32(data, static_cast<std::uint32_t>(entries[i].data.size()));
    }
    for (const DwgEntry* e : stored)
        data.insert(data.end(), e->data.begin(), e->data.end());
    b.insert(b.end(), kSentinel, kSentinel + 16);
    if (!goodSentinel)
        b[address] ^= 0xFF;
    put32(b, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    for (int i = 0; i < 16; ++i)
        b.push_back(static_cast<std::uint8_t>(0xE0 + i));
    return b;
}

} // namespace testsupport
