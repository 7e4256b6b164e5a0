// SPDX-License-Identifier: MIT
#include "support/BmpWriter.h"

namespace testsupport {

namespace {
void put(Bytes& b, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
} // namespace

Bytes makeBmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
    const std::function<std::uint32_t(int x, int y)>& pixel)
{
    const int rows = height < 0 ? -height : height;
    const int row = ((width * bits + 31) / 32) * 4;
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    put(b, offset + static_cast<std::uint32_t>(row * rows), 4);
    put(b, 0, 4);
    put(b, offset, 4);
    put(b, 40, 4);
    put(b, static_cast<std::uint32_t>(width), 4);
    put(b, static_cast<std::uint32_t>(height), 4);
    put(b, 1, 2);
    put(b, static_cast<std::uint32_t>(bits), 2);
    put(b, 0, 4);
    put(b, static_cast<std::uint32_t>(row * rows), 4);
    put(b, 2835, 4);
    put(b, 2835, 4);
    put(b, static_cast<std::uint32_t>(palette.size()), 4);
    put(b, 0, 4);
    for (std::uint32_t c : palette) // blue, green, red, reserved
        put(b, c & 0xFFFFFF, 4);
    for (int r = 0; r < rows; ++r) {
        const int y = height < 0 ? r : rows - 1 - r; // file row r is image row y
        Bytes line(static_cast<std::size_t>(row), 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            switch (bits) {
            case 1: line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4:
                line[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
                break;
            case 8: line[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(v); break;
            default:
                line[static_cast<std::size_t>(3 * x)] = static_cast<std::uint8_t>(v);
                line[static_cast<std::size_t>(3 * x + 1)] = static_cast<std::uint8_t>(v >> 8);
                line[static_cast<std::size_t>(3 * x + 2)] = static_cast<std::uint8_t>(v >> 16);
                break;
            }
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

} // namespace testsupport
