// SPDX-License-Identifier: MIT
// The pixels of a one-pixel line, stepped by Bresenham from the first point
// and stopping before the last, as GDI's LineTo does: a device context and a
// bare pixel raster plot the same ones.
#pragma once

#include "platform/base/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

template <typename Visit> void ForEachLinePixel(CPoint from, CPoint to, Visit&& visit)
{
    long long x = from.x, y = from.y;
    const long long dx = std::llabs(static_cast<long long>(to.x) - x);
    const long long dy = -std::llabs(static_cast<long long>(to.y) - y);
    const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
    long long err = dx + dy;
    while (x != to.x || y != to.y) {
        visit(static_cast<int>(x), static_cast<int>(y));
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// The pixels of a polygon's one-pixel edge: in each row (or column, for an
// edge nearer level) the one that holds the edge at the row's centre, both
// ends included. They lie against the pixels the winding fill covers, so an
// outline drawn over a neighbour's fill leaves no stair of stray pixels, and
// an edge gives the same pixels whichever way it runs. Only the rows or
// columns that meet bounds are visited, so an edge's cost follows what can
// show.
template <typename Visit> void ForEachEdgePixel(CPoint from, CPoint to, const CRect& bounds, Visit&& visit)
{
    const double x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    const double dx = x1 - x0, dy = y1 - y0;
    if (dx == 0.0 && dy == 0.0) {
        visit(from.x, from.y);
        return;
    }
    const bool steep = std::fabs(dy) > std::fabs(dx);
    const double a0 = steep ? y0 : x0, a1 = steep ? y1 : x1; // along the major axis
    const double b0 = steep ? x0 : y0, b1 = steep ? x1 : y1;
    const double lo = std::min(a0, a1), hi = std::max(a0, a1);
    const double bLo = std::min(b0, b1), bHi = std::max(b0, b1);
    const long long first
        = std::max(static_cast<long long>(lo), static_cast<long long>(steep ? bounds.top : bounds.left));
    const long long last
        = std::min(static_cast<long long>(hi), static_cast<long long>(steep ? bounds.bottom : bounds.right));
    for (long long a = first; a <= last; ++a) {
        const double at = std::clamp(a + 0.5, lo, hi);
        const double b = std::clamp(b0 + (b1 - b0) * (at - a0) / (a1 - a0), bLo, bHi);
        const int minor = static_cast<int>(std::floor(b));
        if (steep)
            visit(minor, static_cast<int>(a));
        else
            visit(static_cast<int>(a), minor);
    }
}
