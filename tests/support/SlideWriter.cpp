// SPDX-License-Identifier: MIT
#include "support/SlideWriter.h"

#include <cstring>

namespace testsupport {

namespace {
const char kSlideId[] = "AutoCAD Slide\r\n\x1a"; // and its NUL: 17 bytes
const char kLibraryId[] = "AutoCAD Slide Library 1.0\r\n\x1a";

void putLe32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
} // namespace

SlideWriter::SlideWriter(std::uint16_t highX, std::uint16_t highY, int level, bool bigEndian)
    : m_bigEndian(level != 1 && bigEndian)
{
    m_bytes.assign(kSlideId, kSlideId + 17);
    put8('V');
    put8(level);
    put16(highX);
    put16(highY);
    if (level == 1) {
        for (int i = 0; i < 8; ++i)
            put8(0x11);
        put16(2);
        put8(0);
    } else {
        for (int i = 0; i < 4; ++i)
            put8(0x22);
        put16(2);
        put16(0x1234);
    }
}

void SlideWriter::put16(std::uint16_t w)
{
    if (m_bigEndian) {
        put8(w >> 8);
        put8(w & 0xFF);
    } else {
        put8(w & 0xFF);
        put8(w >> 8);
    }
}

SlideWriter& SlideWriter::vector(std::uint16_t x1, std::uint16_t y1, std::uint16_t x2, std::uint16_t y2)
{
    put16(x1);
    put16(y1);
    put16(x2);
    put16(y2);
    return *this;
}

SlideWriter& SlideWriter::offsetVector(int dx1, int dy1, int dx2, int dy2)
{
    put16(static_cast<std::uint16_t>(0xFB00 | (dx1 & 0xFF)));
    put8(dy1 & 0xFF);
    put8(dx2 & 0xFF);
    put8(dy2 & 0xFF);
    return *this;
}

SlideWriter& SlideWriter::commonEndpoint(int dx, int dy)
{
    put16(static_cast<std::uint16_t>(0xFE00 | (dx & 0xFF)));
    put8(dy & 0xFF);
    return *this;
}

SlideWriter& SlideWriter::fill(const std::vector<SlidePoint>& vertices)
{
    put16(0xFD00);
    put16(static_cast<std::uint16_t>(vertices.size()));
    put16(0);
    for (const auto& v : vertices) {
        put16(0xFD00);
        put16(v.x);
        put16(v.y);
    }
    return *this;
}

SlideWriter& SlideWriter::fillEnd()
{
    put16(0xFD00);
    put16(0);
    put16(0xFFFF);
    return *this;
}

SlideWriter& SlideWriter::color(int aci)
{
    put16(static_cast<std::uint16_t>(0xFF00 | (aci & 0xFF)));
    return *this;
}

SlideWriter& SlideWriter::word(std::uint16_t w)
{
    put16(w);
    return *this;
}

SlideWriter& SlideWriter::end()
{
    put16(0xFC00);
    return *this;
}

Bytes makeLibrary(const std::vector<std::pair<std::string, Bytes>>& slides)
{
    Bytes out(kLibraryId, kLibraryId + 29);
    out.resize(32, 0);
    std::uint32_t address = static_cast<std::uint32_t>(32 + 36 * (slides.size() + 1));
    for (const auto& [name, bytes] : slides) {
        Bytes entry(32, 0);
        std::memcpy(entry.data(), name.data(), std::min<std::size_t>(name.size(), 31));
        out.insert(out.end(), entry.begin(), entry.end());
        putLe32(out, address);
        address += static_cast<std::uint32_t>(bytes.size());
    }
    out.resize(out.size() + 36, 0);
    for (const auto& s : slides)
        out.insert(out.end(), s.second.begin(), s.second.end());
    return out;
}

std::uint32_t libraryAddress(const Bytes& library, int i)
{
    const std::size_t at = 32 + 36 * static_cast<std::size_t>(i) + 32;
    return static_cast<std::uint32_t>(
        library.at(at) | (library.at(at + 1) << 8) | (library.at(at + 2) << 16) | (library.at(at + 3) << 24));
}

} // namespace testsupport
