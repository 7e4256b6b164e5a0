#include "BenchSlides.h"

#include <cstdio>

namespace benchslides {

void put16(std::vector<std::uint8_t>& bytes, unsigned w)
{
    bytes.push_back(static_cast<std::uint8_t>(w));
    bytes.push_back(static_cast<std::uint8_t>(w >> 8));
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
