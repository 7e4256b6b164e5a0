// SPDX-License-Identifier: MIT
// Builds AutoCAD slides and slide libraries byte by byte for tests.
#pragma once

#include "support/TestSupport.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct SlidePoint {
    std::uint16_t x, y;
};

class SlideWriter {
public:
    // level 1 writes the 34-byte little-endian header, any other level the
    // 31-byte one in the chosen byte order.
    explicit SlideWriter(std::uint16_t highX = 1000, std::uint16_t highY = 800, int level = 2, bool bigEndian = false);

    SlideWriter& vector(std::uint16_t x1, std::uint16_t y1, std::uint16_t x2, std::uint16_t y2);
    SlideWriter& offsetVector(int dx1, int dy1, int dx2, int dy2);
    SlideWriter& commonEndpoint(int dx, int dy);
    SlideWriter& fill(const std::vector<SlidePoint>& vertices);
    SlideWriter& fillEnd();
    SlideWriter& color(int aci);
    SlideWriter& word(std::uint16_t w);
    SlideWriter& end();

    Bytes bytes() const { return m_bytes; }
    Bytes& raw() { return m_bytes; }

private:
    void put16(std::uint16_t w);
    void put8(int b) { m_bytes.push_back(static_cast<std::uint8_t>(b)); }
    Bytes m_bytes;
    bool m_bigEndian;
};

// A library of the given slides laid out as the format says.
Bytes makeLibrary(const std::vector<std::pair<std::string, Bytes>>& slides);

// The address stored in directory entry i of a library image.
std::uint32_t libraryAddress(const Bytes& library, int i);

} // namespace testsupport
