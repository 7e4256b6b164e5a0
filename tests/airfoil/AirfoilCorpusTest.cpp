// SPDX-License-Identifier: MIT
// Every real coordinate file: finite points, a chord of about 0 to 1, and the
// counted and free layouts of one section giving one shape.
#include "airfoil/ZopAirfoil.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace testsupport;

namespace {

std::vector<ZopPoint2D> read(const std::filesystem::path& path)
{
    ZopAirfoil airfoil(3, 0, 0, 12, 180);
    ZopPoint2D* p = airfoil.Make(path.string().c_str());
    std::vector<ZopPoint2D> out;
    if (p)
        out.assign(p, p + airfoil.m_nodes);
    std::free(p);
    return out;
}

// The outline's half-thickness at x on its upper and lower runs, by the
// nearest points.
double thicknessAt(const std::vector<ZopPoint2D>& points, double x)
{
    double upper = -1e9, lower = 1e9;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const ZopPoint2D a = points[i], b = points[i + 1];
        if ((a.x - x) * (b.x - x) > 0 || a.x == b.x)
            continue;
        const double y = a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
        upper = std::max(upper, y);
        lower = std::min(lower, y);
    }
    return upper - lower;
}

} // namespace

TEST(AirfoilCorpus, EverySampleReads)
{
    const auto files = samplesIn("airfoil");
    if (files.empty())
        GTEST_SKIP() << "no airfoil samples";
    for (const auto& file : files) {
        const auto points = read(file);
        ASSERT_GE(points.size(), 10u) << file;
        double low = 1e9, high = -1e9;
        for (const ZopPoint2D& p : points) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << file;
            low = std::min(low, p.x);
            high = std::max(high, p.x);
        }
        EXPECT_NEAR(low, 0.0, 0.02) << file;
        EXPECT_NEAR(high, 1.0, 0.02) << file;
        char title[256];
        ZopAirfoil::GetAirfoilInfo(file.string().c_str(), title);
        EXPECT_GT(std::strlen(title), 0u) << file;
    }
}

TEST(AirfoilCorpus, CountedAndFreeLayoutsOfOneSectionAgree)
{
    const auto dir = samplesDir() / "airfoil";
    const auto counted = read(dir / "openvsp_n0012.dat");
    const auto free = read(dir / "uiuc_naca2412.dat");
    if (counted.empty())
        GTEST_SKIP() << "no airfoil samples";
    // The counted file holds NACA 0012; the free layouts are compared to
    // the formula of their section, and to each other through it.
    for (double x : {0.1, 0.3, 0.5, 0.8})
        EXPECT_NEAR(thicknessAt(counted, x),
            2 * 0.6
                * (0.2969 * std::sqrt(x) - 0.126 * x - 0.3516 * x * x + 0.2843 * x * x * x - 0.1015 * x * x * x * x),
            0.003)
            << x;
    // Reversed upper run: the counted outline starts at the trailing edge.
    EXPECT_NEAR(counted.front().x, 1.0, 1e-6);
    ASSERT_FALSE(free.empty());
    for (double x : {0.1, 0.3, 0.5, 0.8})
        EXPECT_NEAR(thicknessAt(free, x), thicknessAt(counted, x), 0.003) << x;
}
