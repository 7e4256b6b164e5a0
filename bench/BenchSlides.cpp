// SPDX-License-Identifier: MIT
#include "BenchSlides.h"

#include <cstdio>

namespace benchslides {

void put16(std::vector<std::uint8_t>& bytes, unsigned w)
{
    bytes.push_back(static_cast<std::uint8_t>(w));
    bytes.push_back(static_cast<std::uint8_t>(w >> 8));
}

std::vector<std::uint8_t> header(unsigned width, unsigned height)
{
    const char id[] = "AutoCAD Slide\r\n\x1a";
    std::vector<std::uint8_t> b(id, id + 17);
    b.push_back('V');
    b.push_back(2);
    put16(b, width);
    put16(b, height);
    b.insert(b.end(), 4, 0); // aspect ratio
    put16(b, 2); // hardware fill
    put16(b, 0x1234); // byte order
    return b;
}

std::vector<std::uint8_t> vectors(unsigned width, unsigned height, int n, int seed)
{
    std::vector<std::uint8_t> b = header(width, height);
    const auto s = static_cast<unsigned>(seed);
    for (unsigned v = 0; v < static_cast<unsigned>(n); ++v) {
        put16(b, (v * 37 + s) % width);
        put16(b, (v * 53) % height);
        put16(b, (v * 91 + width * 2 / 5 + s) % width);
        put16(b, (v * 17 + height / 8) % height);
    }
    put16(b, 0xFC00);
    return b;
}

std::vector<std::uint8_t> library(int n, const std::vector<std::uint8_t>& one)
{
    std::vector<std::uint8_t> out;
    const char id[] = "AutoCAD Slide Library 1.0\r\n\x1a";
    out.assign(id, id + 29);
    out.resize(32, 0);
    out.reserve(32 + 36 * static_cast<std::size_t>(n + 1) + one.size() * static_cast<std::size_t>(n));
    std::uint32_t address = 32 + 36 * static_cast<std::uint32_t>(n + 1);
    for (int i = 0; i < n; ++i) {
        char name[32] = {};
        std::snprintf(name, sizeof name, "S%05d", i);
        out.insert(out.end(), name, name + 32);
        for (int k = 0; k < 4; ++k)
            out.push_back(static_cast<std::uint8_t>(address >> (8 * k)));
        address += static_cast<std::uint32_t>(one.size());
    }
    out.resize(out.size() + 36, 0);
    for (int i = 0; i < n; ++i)
        out.insert(out.end(), one.begin(), one.end());
    return out;
}

} // namespace benchslides
