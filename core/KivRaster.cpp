// SPDX-License-Identifier: MIT
#include "core/KivRaster.h"

#include "platform/base/PixelLine.h"
#include "platform/base/PolygonSpans.h"

#include <algorithm>
#include <cmath>

namespace {

// Clips the segment to the box [lo, hi] on both axes (Liang and Barsky);
// false when nothing of it lies inside.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double lo, double hiX, double hiY)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo, hiX - x0, y0 - lo, hiY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 += t0 * dx;
    y0 += t0 * dy;
    return true;
}

} // namespace

KivRaster::KivRaster(int width, int height, COLORREF fill)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill & 0xFFFFFF);
}

COLORREF KivRaster::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void KivRaster::Fill(COLORREF colour)
{
    std::fill(m_pixels.begin(), m_pixels.end(), colour & 0xFFFFFF);
}

void KivRaster::SetPixel(int x, int y, COLORREF colour)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_pixels[static_cast<std::size_t>(y) * m_width + x] = colour & 0xFFFFFF;
}

void KivRaster::Line(CPoint from, CPoint to, COLORREF colour)
{
    const auto plot = [this, colour](int x, int y) { SetPixel(x, y, colour); };
    // A line far longer than the raster is cut to a margin around it first,
    // so that its cost follows what can show, not what the input claims.
    const long long steps = std::max(
        std::llabs(static_cast<long long>(to.x) - from.x), std::llabs(static_cast<long long>(to.y) - from.y));
    if (steps <= 4LL * (m_width + m_height) + 16) {
        ForEachLinePixel(from, to, plot);
        return;
    }
    double x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    if (!clipSegment(x0, y0, x1, y1, -2.0, m_width + 1.0, m_height + 1.0))
        return;
    const CPoint a(static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(y0)));
    const CPoint b(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)));
    ForEachLinePixel(a, b, plot);
    plot(b.x, b.y); // the cut end lies in the margin or is the line's own end, drawn either way
}

void KivRaster::span(int y, int from, int to, COLORREF colour)
{
    from = std::max(from, 0);
    to = std::min(to, m_width - 1);
    if (y < 0 || y >= m_height || from > to)
        return;
    auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
    std::fill(row + from, row + to + 1, colour & 0xFFFFFF);
}

void KivRaster::Polygon(const std::vector<CPoint>& vertices, COLORREF colour)
{
    if (vertices.size() < 2 || IsEmpty())
        return;
    ForEachPolygonSpan(
        vertices, true, 0, m_height, [this, colour](int y, int left, int right) { span(y, left, right, colour); });
    for (std::size_t i = 0; i < vertices.size(); ++i)
        ForEachEdgePixel(vertices[i], vertices[(i + 1) % vertices.size()], CRect(0, 0, m_width, m_height),
            [this, colour](int x, int y) { SetPixel(x, y, colour); });
}

void KivRaster::Invert()
{
    for (COLORREF& p : m_pixels)
        p = ~p & 0xFFFFFF;
}
