// SPDX-License-Identifier: MIT
// The text of a coordinate file: lines, the two numbers of a point, and the
// two layouts. Works on bytes in memory so tests and the fuzzer need no files.
#pragma once

#include "airfoil/ZopPoint2D.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zop {

// Lines as a 256-byte line buffer sees them: at most 255 characters of
// each; the rest of a longer line is dropped, not taken for another line.
// A CR before the LF and a UTF-8 byte-order mark at the start are dropped.
class PlotLines {
public:
    static constexpr std::size_t kLineChars = 255;

    PlotLines(const char* data, std::size_t size);
    // The next line; false at the end of the text.
    bool next(std::string_view& line);
    // The number of the line next gave last, from 1.
    std::size_t number() const { return m_number; }

private:
    const char* m_pos;
    const char* m_end;
    std::size_t m_number = 0;
};

enum class PointRead {
    None, // the line does not start with two numbers
    Point,
    NotFinite, // two numbers, one of them NaN or infinite
};

// x and y from the start of line as "%lf %lf" reads them, also taking comma
// decimals ("0,5 0,25") and comma-separated pairs ("0.5,0.25"); text after
// the second number is ignored.
PointRead ReadPointOf(std::string_view line, double& x, double& y);
// The same, true only for a point of two finite numbers.
bool ReadPoint(std::string_view line, double& x, double& y);

// The points of a coordinate file in the order ZopAirfoil keeps them; false
// when there are none, more than maxPoints, or one that is not finite, and
// then error (when given) says why.
bool ParsePlotText(const char* data, std::size_t size, std::size_t maxPoints, std::vector<ZopPoint2D>& out,
    std::string* error = nullptr);

} // namespace zop
