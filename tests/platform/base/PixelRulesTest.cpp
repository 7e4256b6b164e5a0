// SPDX-License-Identifier: MIT
// The pixel rules a device context and a bare raster share: which pixels a
// polygon's fill and edges cover, and the logical mapping.
#include "platform/base/LogicalMapping.h"
#include "platform/base/PixelLine.h"
#include "platform/base/PolygonSpans.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

using namespace vandrel::win32;

namespace {

std::set<std::pair<int, int>> filled(const std::vector<CPoint>& polygon, bool winding, int top = 0, int bottom = 100)
{
    std::set<std::pair<int, int>> pixels;
    ForEachPolygonSpan(polygon, winding, top, bottom, [&pixels](int y, int left, int right) {
        for (int x = left; x <= right; ++x)
            pixels.insert({x, y});
    });
    return pixels;
}

} // namespace

TEST(PolygonSpans, CentresInsideByEitherRule)
{
    // A 4 × 3 rectangle covers exactly its 12 pixels, whichever way it runs.
    const std::vector<CPoint> box {{2, 1}, {6, 1}, {6, 4}, {2, 4}};
    EXPECT_EQ(filled(box, true).size(), 12u);
    EXPECT_EQ(filled({box.rbegin(), box.rend()}, true), filled(box, true));
    EXPECT_TRUE(filled(box, true).count({2, 1}) && filled(box, true).count({5, 3}));
    EXPECT_FALSE(filled(box, true).count({6, 1})) << "right and bottom edges are outside";

    // The same square twice over: winding fills it, alternate leaves it empty.
    std::vector<CPoint> twice = box;
    twice.insert(twice.end(), box.begin(), box.end());
    EXPECT_EQ(filled(twice, true).size(), 12u);
    EXPECT_TRUE(filled(twice, false).empty());

    EXPECT_TRUE(filled({{0, 0}, {50, 0}}, true).empty()) << "no area";
    EXPECT_EQ(filled(box, true, 2, 3).size(), 4u) << "only the rows asked for";
}

TEST(PolygonSpans, HugeCoordinatesVisitOnlyTheRowsAskedFor)
{
    int rows = 0;
    ForEachPolygonSpan(
        {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}}, true, 0, 10, [&rows](int, int left, int right) {
            ++rows;
            EXPECT_LE(left, right);
        });
    EXPECT_EQ(rows, 10);
}

TEST(EdgePixels, OnePerRowOrColumnTheSameEitherWay)
{
    const CRect all(-100, -100, 100, 100);
    for (const auto& [a, b] : std::vector<std::pair<CPoint, CPoint>> {
             {{0, 0}, {10, 3}}, {{3, 1}, {5, 20}}, {{0, 0}, {7, 7}}, {{4, 4}, {4, 4}}, {{-5, 9}, {8, -2}}}) {
        std::set<std::pair<int, int>> forth, back;
        ForEachEdgePixel(a, b, all, [&forth](int x, int y) { forth.insert({x, y}); });
        ForEachEdgePixel(b, a, all, [&back](int x, int y) { back.insert({x, y}); });
        EXPECT_EQ(forth, back);
        for (const auto& [x, y] : forth) {
            // Each pixel holds the edge: its centre lies within a pixel of the line.
            const double cross = std::abs((b.x - a.x) * (y + 0.5 - a.y) - (b.y - a.y) * (x + 0.5 - a.x));
            EXPECT_LE(cross, std::max(1.0, std::hypot(b.x - a.x, b.y - a.y))) << x << "," << y;
        }
        const int major = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        EXPECT_EQ(static_cast<int>(forth.size()), major + 1);
    }
    int visited = 0;
    ForEachEdgePixel({INT_MIN / 2, 0}, {INT_MAX / 2, 1}, CRect(0, 0, 9, 9), [&visited](int, int) { ++visited; });
    EXPECT_EQ(visited, 10) << "only the columns that meet the bounds";
}

TEST(LogicalMapping, IsotropicKeepsOneScaleAndFlipsY)
{
    LogicalMapping m;
    m.SetMapMode(MM_ISOTROPIC);
    m.SetWindowExt(1000, 1000);
    m.SetViewportExt(399, -199);
    m.SetViewportOrg(0, 199);
    EXPECT_EQ(m.GetViewportExt().cx, 199) << "x shrinks to y's scale";
    EXPECT_EQ(m.ToDevice(0, 0), CPoint(0, 199));
    EXPECT_EQ(m.ToDevice(1000, 1000), CPoint(199, 0));
    EXPECT_EQ(m.SetWindowExt(0, 5), CSize(1000, 1000)) << "a zero extent is refused";
    EXPECT_EQ(m.GetWindowExt(), CSize(1000, 1000));
    m.SetMapMode(MM_TEXT);
    EXPECT_EQ(m.ToDevice(3, 4), CPoint(3, 203));
}
