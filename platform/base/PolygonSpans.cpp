// SPDX-License-Identifier: MIT
#include "platform/base/PolygonSpans.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

struct Edge {
    double yTop; // the smaller y
    double yBottom;
    double xAtTop;
    double slope; // dx per dy
    int winding;
};

int clampToInt(double v)
{
    return static_cast<int>(std::clamp(v, static_cast<double>(INT_MIN / 2), static_cast<double>(INT_MAX / 2)));
}

} // namespace

void ForEachPolygonSpan(const std::vector<CPoint>& vertices, bool winding, int top, int bottom,
    const std::function<void(int y, int left, int right)>& span)
{
    std::vector<Edge> edges;
    edges.reserve(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const CPoint& a = vertices[i];
        const CPoint& b = vertices[(i + 1) % vertices.size()];
        if (a.y == b.y)
            continue;
        const bool down = a.y < b.y;
        const CPoint& t = down ? a : b;
        const CPoint& u = down ? b : a;
        edges.push_back({static_cast<double>(t.y), static_cast<double>(u.y), static_cast<double>(t.x),
            (static_cast<double>(u.x) - t.x) / (static_cast<double>(u.y) - t.y), down ? 1 : -1});
    }
    if (edges.empty())
        return;
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.yTop < r.yTop; });
    double yMax = edges.front().yBottom;
    for (const Edge& e : edges)
        yMax = std::max(yMax, e.yBottom);
    const int firstRow = std::max(top, clampToInt(std::ceil(edges.front().yTop - 0.5)));
    const int lastRow = std::min(bottom - 1, clampToInt(std::ceil(yMax - 0.5)) - 1);

    std::vector<const Edge*> active;
    std::vector<std::pair<double, int>> crossings;
    std::size_t next = 0;
    for (int y = firstRow; y <= lastRow; ++y) {
        const double yc = y + 0.5;
        while (next < edges.size() && edges[next].yTop <= yc)
            active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(), [yc](const Edge* e) { return e->yBottom <= yc; }),
            active.end());
        crossings.clear();
        for (const Edge* e : active)
            crossings.emplace_back(e->xAtTop + (yc - e->yTop) * e->slope, e->winding);
        std::sort(crossings.begin(), crossings.end());
        int inside = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            inside += winding ? crossings[i].second : 1;
            if (winding ? inside == 0 : inside % 2 == 0)
                continue;
            // The pixels whose centres x + 0.5 lie in [left crossing, right crossing).
            const int left = clampToInt(std::ceil(crossings[i].first - 0.5));
            const int right = clampToInt(std::ceil(crossings[i + 1].first - 0.5)) - 1;
            if (left <= right)
                span(y, left, right);
        }
    }
}
