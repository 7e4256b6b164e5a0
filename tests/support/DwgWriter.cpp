#include "support/DwgWriter.h"

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
Bytes infoHeader(int width, int height, int bits, int colors)
{
    Bytes h;
    put32(h, 40);
    put32(h, static_cast<std::uint32_t>(width));
    put32(h, static_cast<std::uint32_t>(height));
    put16(h, 1);
    put16(h, static_cast<std::uint16_t>(bits));
    put32(h, 0);
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

Bytes makeDib32(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    Bytes b = infoHeader(width, height, 32, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            put32(b, pixels[static_cast<std::size_t>(y * width + x)]);
    return b;
}

Bytes makeDwg(
    const std::string& version, const std::vector<DwgEntry>& entries, std::uint32_t address, bool goodSentinel)
{
    Bytes b(address, 0);
    std::memcpy(b.data(), version.data(), std::min<std::size_t>(version.size(), 6));
    b[13] = static_cast<std::uint8_t>(address);
    b[14] = static_cast<std::uint8_t>(address >> 8);
    b[15] = static_cast<std::uint8_t>(address >> 16);
    b[16] = static_cast<std::uint8_t>(address >> 24);
    Bytes data;
    data.push_back(static_cast<std::uint8_t>(entries.size()));
    std::uint32_t at = address + 20 + 1 + 9 * static_cast<std::uint32_t>(entries.size());
    for (const auto& e : entries) {
        data.push_back(static_cast<std::uint8_t>(e.code));
        put32(data, at);
        put32(data, static_cast<std::uint32_t>(e.data.size()));
        at += static_cast<std::uint32_t>(e.data.size());
    }
    for (const auto& e : entries)
        data.insert(data.end(), e.data.begin(), e.data.end());
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
