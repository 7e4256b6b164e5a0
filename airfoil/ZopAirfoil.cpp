// SPDX-License-Identifier: MIT
#include "airfoil/ZopAirfoil.h"

#include "airfoil/ZopPlotParser_p.h"
#include "platform/io/ByteSource.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kPercent = 0.01;
constexpr double kJoukowskiThickness = 0.77;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kHalfPi = 1.5707963267948966;

// The 2xx mean lines of the 5-digit sections: the camber ends at r, and k1
// scales it to the design lift of 0.3.
struct MeanLineRow {
    double r;
    double k1;
};
constexpr MeanLineRow kMeanLines[5] = {
    {0.058, 361.4},
    {0.126, 51.64},
    {0.2025, 15.957},
    {0.29, 6.643},
    {0.391, 3.23},
};

ZopPoint2D* allocPoints(int n)
{
    return static_cast<ZopPoint2D*>(std::malloc(static_cast<std::size_t>(n) * sizeof(ZopPoint2D)));
}

bool inPercentRange(double v, double low)
{
    return std::isfinite(v) && v >= low && v <= 100.0;
}

thread_local std::string t_error;

ZopPoint2D* failed(std::string why)
{
    t_error = std::move(why);
    return nullptr;
}

// Twice the signed area: positive when the points run anticlockwise.
double signedArea(const std::vector<ZopPoint2D>& p)
{
    double sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const ZopPoint2D& a = p[i];
        const ZopPoint2D& b = p[(i + 1) % p.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

} // namespace

const char* ZopAirfoil::GetError()
{
    return t_error.c_str();
}

ZopAirfoil::ZopAirfoil() : ZopAirfoil(0, 0.0, 0.0, 12.0, 180)
{
}

ZopAirfoil::ZopAirfoil(int type, double camber, double position, double thickness, int nodes)
{
    Set(type, camber, position, thickness, nodes);
}

void ZopAirfoil::Set(int type, double camber, double position, double thickness, int nodes)
{
    m_type = type;
    m_camber = camber;
    m_position = position;
    m_thickness = thickness;
    m_nodes = nodes;
}

bool ZopAirfoil::computable() const
{
    // A thickness past the chord or a camber or position outside it is no
    // section; the percentages also keep every conversion to int defined.
    const bool ok = m_nodes >= 1 && m_nodes <= kMaxNodes && inPercentRange(m_thickness, 0.0)
        && inPercentRange(m_camber, -100.0) && inPercentRange(m_position, 0.0);
    if (!ok)
        t_error = "the parameters make no outline (1 to " + std::to_string(kMaxNodes)
            + " points; thickness and position 0 to 100, camber -100 to 100 percent)";
    return ok;
}

ZopPoint2D* ZopAirfoil::MakeSection(const char* path, int* count)
{
    if (count)
        *count = 0;
    try {
        std::vector<ZopPoint2D> section;
        if (m_type == 1 || m_type == 2) {
            if (!computable())
                return nullptr;
            // Every station with both its points: the upper surface back
            // from the trailing edge, the nose, the lower surface out.
            std::vector<ZopPoint2D> upper, lower;
            forEachStation([&](int, const ZopPoint2D& front, const ZopPoint2D& back) {
                upper.push_back(front.y >= back.y ? front : back);
                lower.push_back(front.y >= back.y ? back : front);
            });
            section.assign(upper.rbegin(), upper.rend());
            section.push_back({0.0, 0.0});
            section.insert(section.end(), lower.begin(), lower.end());
        } else {
            ZopPoint2D* made = Make(path);
            if (!made)
                return nullptr;
            section.assign(made, made + m_nodes);
            std::free(made);
            if (m_type != 3 && section.size() >= 3) {
                // The closed Joukowski curve starts at its rearmost point
                // and ends there again, scaled to a chord from 0 to 1 as
                // sections are exchanged.
                const auto [front, rear] = std::minmax_element(
                    section.begin(), section.end(), [](const ZopPoint2D& a, const ZopPoint2D& b) { return a.x < b.x; });
                const double left = front->x, chord = rear->x - front->x;
                std::rotate(section.begin(), rear, section.end());
                if (signedArea(section) < 0)
                    std::reverse(section.begin() + 1, section.end());
                section.push_back(section.front());
                if (chord > 0)
                    for (ZopPoint2D& p : section)
                        p = {(p.x - left) / chord, p.y / chord};
            } else {
                // The lines of a file that held no point repeat the one
                // before (as Make keeps them); a section lists it once.
                section.erase(std::unique(section.begin(), section.end(),
                                  [](const ZopPoint2D& a, const ZopPoint2D& b) { return a.x == b.x && a.y == b.y; }),
                    section.end());
                if (signedArea(section) < 0)
                    std::reverse(section.begin(), section.end()); // a file listed the other way round
            }
        }
        ZopPoint2D* points = allocPoints(static_cast<int>(section.size()));
        if (!points)
            return failed("out of memory");
        std::memcpy(points, section.data(), section.size() * sizeof(ZopPoint2D));
        if (count)
            *count = static_cast<int>(section.size());
        return points;
    } catch (const std::bad_alloc&) {
        return failed("out of memory");
    }
}

ZopPoint2D* ZopAirfoil::Make(const char* path)
{
    switch (m_type) {
    case 1: return MakeNACA4();
    case 2: return MakeNACA5();
    case 3: return path && *path ? ReadPlot(path, &m_nodes) : failed("no coordinate file named");
    default: return MakeJoukowski();
    }
}

void ZopAirfoil::polar(ZopPoint2D* out, ZopPoint2D centre, double radius, double angle)
{
    out->x = centre.x + radius * std::cos(angle);
    out->y = centre.y + radius * std::sin(angle);
}

void ZopAirfoil::thickness(double* out, double t, double x)
{
    // The open trailing edge of the NACA definition (-0.1015, not -0.1036).
    *out = 5.0 * t * (0.2969 * std::sqrt(x) - 0.126 * x - 0.3516 * x * x + 0.2843 * x * x * x - 0.1015 * x * x * x * x);
}

ZopPoint2D* ZopAirfoil::MakeJoukowski()
{
    if (!computable())
        return nullptr;
    ZopPoint2D* points = allocPoints(m_nodes);
    if (!points)
        return nullptr;
    const double c = m_thickness * kPercent * kJoukowskiThickness;
    const double d = 1.0 / (4.0 * (c * c + 1.0));
    const double e = 2.0 * (m_camber * kPercent) * d;
    const double step = 360.0 / m_nodes;
    for (int i = 0; i < m_nodes; ++i) {
        const double theta = i * step * kDegreesToRadians;
        const double s = std::sin(theta);
        const double co = std::cos(theta);
        points[i].x = 0.5 - 2.0 * d * co;
        points[i].y = 2.0 * (c * d * s * (1.0 + co) + e * s * s);
    }
    return points;
}

void ZopAirfoil::naca4Station(double x, ZopPoint2D& front, ZopPoint2D& back) const
{
    const double m = m_camber * kPercent;
    const double p = m_position * kPercent;
    const double t = m_thickness * kPercent;
    const double a = 2.0 * p * x - x * x;
    const double dd = 2.0 * m * (x - p);
    double yt = 0;
    thickness(&yt, t, x);
    ZopPoint2D mean {x, 0.0};
    ZopPoint2D plus {};
    ZopPoint2D minus {};
    if (x < p) {
        // Not guarded: with no camber D is -0 and the normal -pi/2.
        mean.y = m * a / (p * p);
        const double phi = std::atan(p * p / dd);
        polar(&plus, mean, yt, phi);
        polar(&minus, mean, -yt, phi);
        front = minus;
        back = plus;
    } else {
        mean.y = m * (1.0 - 2.0 * p + a) / ((1.0 - p) * (1.0 - p));
        const double phi = dd == 0.0 ? kHalfPi : std::atan((1.0 - p) * (1.0 - p) / dd);
        polar(&plus, mean, yt, phi);
        polar(&minus, mean, -yt, phi);
        front = plus;
        back = minus;
    }
}

void ZopAirfoil::naca5Station(double x, ZopPoint2D& front, ZopPoint2D& back) const
{
    const double t = m_thickness * kPercent;
    const int q = -static_cast<int>(m_position * -0.2);
    const MeanLineRow row = q >= 1 && q <= 5 ? kMeanLines[q - 1] : kMeanLines[4];
    const double r = row.r;
    const double k = row.k1 / 6.0;
    const double a = r * r * (3.0 - r);
    const double c = k * r * r * r;
    double yt = 0;
    thickness(&yt, t, x);
    ZopPoint2D mean {x, 0.0};
    ZopPoint2D plus {};
    ZopPoint2D minus {};
    if (x <= r) {
        mean.y = k * (x * x * x - 3.0 * r * x * x + a * x);
        const double s = k * (3.0 * x * x - 6.0 * r * x + a);
        const double phi = std::atan(-1.0 / s);
        polar(&plus, mean, yt, phi);
        polar(&minus, mean, -yt, phi);
        front = minus;
        back = plus;
    } else {
        mean.y = c * (1.0 - x);
        const double phi = std::atan(1.0 / c);
        polar(&plus, mean, yt, phi);
        polar(&minus, mean, -yt, phi);
        front = plus;
        back = minus;
    }
    // The slope turns negative just before r, where the front point would
    // fall below the back one: the front stays the upper surface.
    if (front.y < back.y)
        std::swap(front, back);
}

template <class Station> void ZopAirfoil::forEachStation(const Station& station) const
{
    // The station steps as the original's did, by adding dx each time.
    const int n = m_nodes;
    const double dx = 2.0 / n;
    double x = dx;
    for (int i = 1; i <= n / 2; ++i, x += dx) {
        ZopPoint2D front {}, back {};
        if (m_type == 1)
            naca4Station(x, front, back);
        else
            naca5Station(x, front, back);
        station(i, front, back);
    }
}

ZopPoint2D* ZopAirfoil::MakeNACA4()
{
    if (!computable())
        return nullptr;
    ZopPoint2D* points = allocPoints(m_nodes);
    if (!points)
        return nullptr;
    const int n = m_nodes;
    points[0] = {0.0, 0.0};
    ZopAirfoil naca = *this;
    naca.m_type = 1;
    naca.forEachStation([&](int i, const ZopPoint2D& front, const ZopPoint2D& back) {
        points[i] = front;
        points[n - i] = back;
    });
    return points;
}

ZopPoint2D* ZopAirfoil::MakeNACA5()
{
    if (!computable())
        return nullptr;
    ZopPoint2D* points = allocPoints(m_nodes);
    if (!points)
        return nullptr;
    const int n = m_nodes;
    points[0] = {0.0, 0.0};
    ZopAirfoil naca = *this;
    naca.m_type = 2;
    naca.forEachStation([&](int i, const ZopPoint2D& front, const ZopPoint2D& back) {
        points[i] = front;
        points[n - i] = back;
    });
    return points;
}

ZopPoint2D* ZopAirfoil::ParsePlot(const void* data, std::size_t size, int* count)
{
    try {
        std::vector<ZopPoint2D> read;
        if (!data)
            return failed("no data");
        if (!zop::ParsePlotText(static_cast<const char*>(data), size, kMaxNodes, read, &t_error))
            return nullptr;
        ZopPoint2D* points = allocPoints(static_cast<int>(read.size()));
        if (!points)
            return nullptr;
        std::memcpy(points, read.data(), read.size() * sizeof(ZopPoint2D));
        if (count)
            *count = static_cast<int>(read.size());
        return points;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

ZopPoint2D* ZopAirfoil::ReadPlot(const char* path, int* count)
{
    ByteSource source;
    if (!path || !source.openFile(path))
        return failed(std::string("cannot open ") + (path ? path : "no file") + ": " + source.errorText());
    if (source.size() > kMaxFileBytes)
        return failed("larger than the " + std::to_string(kMaxFileBytes >> 20) + " MiB a coordinate file may hold");
    std::vector<std::uint8_t> bytes;
    try {
        if (!source.readRange(0, source.size(), bytes, kMaxFileBytes))
            return failed(std::string("cannot read ") + path);
    } catch (const std::bad_alloc&) {
        return failed("out of memory");
    }
    return ParsePlot(bytes.data(), bytes.size(), count);
}

int ZopAirfoil::GetAirfoilInfo(const char* path, char* title)
{
    if (!title)
        return 0;
    title[0] = '\0';
    ByteSource source;
    if (!path || !source.openFile(path))
        return 0;
    char buffer[zop::PlotLines::kLineChars + 1] = {};
    // A line ends at a line feed; a longer first line gives its first 255
    // characters, as a 256-byte line buffer does.
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), sizeof buffer - 1));
    if (!source.read(0, buffer, n))
        return 0;
    zop::PlotLines lines(buffer, n);
    std::string_view line;
    if (lines.next(line)) {
        const std::size_t len = std::min(line.size(), std::strlen(line.data()));
        std::memcpy(title, line.data(), len);
        title[len] = '\0';
    }
    return 0;
}
