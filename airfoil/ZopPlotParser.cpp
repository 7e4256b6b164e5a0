// SPDX-License-Identifier: MIT
#include "airfoil/ZopPlotParser_p.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace zop {

namespace {

// What the counted layout's first line must pass on both numbers.
constexpr double kCountThreshold = 3.0;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// One number at p as %lf takes it (leading white space and a sign allowed);
// p moves past it. NaN and infinity are read, and told apart.
PointRead readNumber(const char*& p, const char* end, double& out)
{
    while (p < end && isSpace(*p))
        ++p;
    const char* start = p;
    if (start < end && *start == '+')
        ++start;
    if (start < end && *start == '+')
        return PointRead::None;
    const auto r = std::from_chars(start, end, out, std::chars_format::general);
    if (r.ec != std::errc())
        return PointRead::None;
    p = r.ptr;
    return std::isfinite(out) ? PointRead::Point : PointRead::NotFinite;
}

PointRead readPair(std::string_view line, bool commaSeparated, double& x, double& y)
{
    const char* p = line.data();
    const char* end = p + line.size();
    const PointRead first = readNumber(p, end, x);
    if (first == PointRead::None)
        return first;
    if (commaSeparated) {
        while (p < end && isSpace(*p))
            ++p;
        if (p == end || (*p != ',' && *p != ';'))
            return PointRead::None;
        ++p;
    }
    const PointRead second = readNumber(p, end, y);
    if (second == PointRead::None)
        return second;
    return first == PointRead::Point && second == PointRead::Point ? PointRead::Point : PointRead::NotFinite;
}

} // namespace

PlotLines::PlotLines(const char* data, std::size_t size) : m_pos(data), m_end(data + size)
{
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        m_pos += 3;
}

bool PlotLines::next(std::string_view& line)
{
    if (m_pos >= m_end)
        return false;
    ++m_number;
    const char* eol = static_cast<const char*>(std::memchr(m_pos, '\n', static_cast<std::size_t>(m_end - m_pos)));
    const char* stop = eol ? eol : m_end;
    std::size_t n = static_cast<std::size_t>(stop - m_pos);
    if (n > 0 && m_pos[n - 1] == '\r')
        --n;
    line = std::string_view(m_pos, std::min(n, kLineChars));
    m_pos = eol ? eol + 1 : m_end;
    return true;
}

PointRead ReadPointOf(std::string_view line, double& x, double& y)
{
    const bool comma = line.find(',') != std::string_view::npos;
    // "0,5 0,25": decimals written with commas, which only a line without a
    // decimal point can mean.
    if (comma && line.find('.') == std::string_view::npos) {
        std::string dotted(line);
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        if (const PointRead read = readPair(dotted, false, x, y); read != PointRead::None)
            return read;
    }
    if (const PointRead read = readPair(line, false, x, y); read != PointRead::None)
        return read;
    return comma ? readPair(line, true, x, y) : PointRead::None;
}

bool ReadPoint(std::string_view line, double& x, double& y)
{
    return ReadPointOf(line, x, y) == PointRead::Point;
}

bool ParsePlotText(
    const char* data, std::size_t size, std::size_t maxPoints, std::vector<ZopPoint2D>& out, std::string* error)
{
    out.clear();
    const auto fail = [&](std::string why) {
        out.clear();
        if (error)
            *error = std::move(why);
        return false;
    };
    PlotLines lines(data, size);
    std::string_view line;
    // A point of NaN or infinity cannot be drawn or kept: the file is
    // refused, naming the line, rather than read with a made-up point.
    bool bad = false;
    const auto read = [&](double& x, double& y) {
        const PointRead r = ReadPointOf(line, x, y);
        bad = bad || r == PointRead::NotFinite;
        return r == PointRead::Point;
    };
    const auto notFinite = [&] {
        return fail("line " + std::to_string(lines.number()) + " holds a number that is not finite (NaN or infinity)");
    };
    if (!lines.next(line))
        return fail("the file is empty");
    double x = 0;
    double y = 0;
    // A file without a title: its first line is a point, and kept as one.
    bool pending = read(x, y) && line.find_first_not_of(" \t0123456789.+-eE") == std::string_view::npos;
    bad = false; // a first line of words that read as NaN is a title
    if (!pending && !lines.next(line))
        return fail("the file holds a title and no points");
    if (!pending)
        pending = read(x, y);
    else
        line = {};
    if (bad)
        return notFinite();

    if (pending && x > kCountThreshold && y > kCountThreshold) {
        // Counted layout. The counts bound the two runs but allocate
        // nothing: only the points present are kept. Lines without a point
        // (the blank lines around the runs) are not counted.
        const auto cap = static_cast<double>(maxPoints);
        const auto upper = static_cast<std::size_t>(std::min(x, cap));
        const auto lower = static_cast<std::size_t>(std::min(y, cap));
        std::vector<ZopPoint2D> top;
        while (top.size() < upper && lines.next(line))
            if (read(x, y))
                top.push_back({x, y});
            else if (bad)
                return notFinite();
        out.assign(top.rbegin(), top.rend());
        std::size_t taken = 0;
        while (taken < lower && lines.next(line))
            if (read(x, y)) {
                out.push_back({x, y});
                ++taken;
            } else if (bad) {
                return notFinite();
            }
        if (out.size() > maxPoints)
            return fail("more than " + std::to_string(maxPoints) + " points");
        return !out.empty() || fail("the file holds no points");
    }

    // Free layout: every line is a point; one without two numbers repeats
    // the point before it. Lines before the first point give none.
    if (pending)
        out.push_back({x, y});
    while (lines.next(line)) {
        if (read(x, y))
            out.push_back({x, y});
        else if (bad)
            return notFinite();
        else if (!out.empty())
            out.push_back(out.back());
        if (out.size() > maxPoints)
            return fail("more than " + std::to_string(maxPoints) + " points");
    }
    return !out.empty() || fail("the file holds no points");
}

} // namespace zop
