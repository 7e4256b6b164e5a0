#include "airfoil/ZopAirfoil.h"

#include "airfoil/ZopPlotParser_p.h"
#include "platform/ByteSource.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
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

} // namespace

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
    return m_nodes >= 1 && m_nodes <= kMaxNodes && inPercentRange(m_thickness, 0.0) && inPercentRange(m_camber, -100.0)
        && inPercentRange(m_position, 0.0);
}

ZopPoint2D* ZopAirfoil::Make(const char* path)
{
    switch (m_type) {
    case 1: return MakeNACA4();
    case 2: return MakeNACA5();
    case 3: return path && *path ? ReadPlot(path, &m_nodes) : nullptr;
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

ZopPoint2D* ZopAirfoil::MakeNACA4()
{
    if (!computable())
        return nullptr;
    ZopPoint2D* points = allocPoints(m_nodes);
    if (!points)
        return nullptr;
    const int n = m_nodes;
    const double m = m_camber * kPercent;
    const double p = m_position * kPercent;
    const double t = m_thickness * kPercent;
    points[0] = {0.0, 0.0};
    const double dx = 2.0 / n;
    double x = dx;
    for (int i = 1; i <= n / 2; ++i, x += dx) {
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
            points[i] = minus;
            points[n - i] = plus;
        } else {
            mean.y = m * (1.0 - 2.0 * p + a) / ((1.0 - p) * (1.0 - p));
            const double phi = dd == 0.0 ? kHalfPi : std::atan((1.0 - p) * (1.0 - p) / dd);
            polar(&plus, mean, yt, phi);
            polar(&minus, mean, -yt, phi);
            points[i] = plus;
            points[n - i] = minus;
        }
    }
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
    const double t = m_thickness * kPercent;
    const int q = -static_cast<int>(m_position * -0.2);
    const MeanLineRow row = q >= 1 && q <= 5 ? kMeanLines[q - 1] : kMeanLines[4];
    const double r = row.r;
    const double k = row.k1 / 6.0;
    const double a = r * r * (3.0 - r);
    const double c = k * r * r * r;
    points[0] = {0.0, 0.0};
    const double dx = 2.0 / n;
    double x = dx;
    for (int i = 1; i <= n / 2; ++i, x += dx) {
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
            points[i] = minus;
            points[n - i] = plus;
        } else {
            mean.y = c * (1.0 - x);
            const double phi = std::atan(1.0 / c);
            polar(&plus, mean, yt, phi);
            polar(&minus, mean, -yt, phi);
            points[i] = plus;
            points[n - i] = minus;
        }
        // The slope turns negative just before r, where the front point
        // would fall below the back one: the front indices stay the upper
        // surface.
        if (points[i].y < points[n - i].y) {
            const ZopPoint2D front = points[i];
            points[i] = points[n - i];
            points[n - i] = front;
        }
    }
    return points;
}

ZopPoint2D* ZopAirfoil::ParsePlot(const void* data, std::size_t size, int* count)
{
    try {
        std::vector<ZopPoint2D> read;
        if (!data || !zop::ParsePlotText(static_cast<const char*>(data), size, kMaxNodes, read))
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
    if (!path || !source.openFile(path) || source.size() > kMaxFileBytes)
        return nullptr;
    std::vector<std::uint8_t> bytes;
    try {
        if (!source.readRange(0, source.size(), bytes, kMaxFileBytes))
            return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
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
