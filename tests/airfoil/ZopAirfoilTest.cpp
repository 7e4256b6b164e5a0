// SPDX-License-Identifier: MIT
// The computed outlines against the published NACA and Joukowski formulas,
// written here in their textbook form (surface points offset by the
// half-thickness normal to the mean line, x - yt sin(theta), yc + yt cos(theta)).
#include "airfoil/ZopAirfoil.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

struct Outline {
    std::unique_ptr<ZopPoint2D, decltype(&std::free)> points {nullptr, &std::free};
    int count = 0;
    const ZopPoint2D& operator[](int i) const { return points.get()[i]; }
};

Outline make(ZopAirfoil airfoil)
{
    Outline out;
    out.points.reset(airfoil.Make(nullptr));
    out.count = airfoil.m_nodes;
    return out;
}

double halfThickness(double t, double x)
{
    return t / 0.2
        * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x - 0.1015 * std::pow(x, 4));
}

struct Surface {
    double xu, yu, xl, yl;
};

Surface surfaces(double x, double yc, double slope, double t)
{
    const double theta = std::atan(slope);
    const double yt = halfThickness(t, x);
    return {x - yt * std::sin(theta), yc + yt * std::cos(theta), x + yt * std::sin(theta), yc - yt * std::cos(theta)};
}

Surface naca4(double m, double p, double t, double x)
{
    if (x < p)
        return surfaces(x, m / (p * p) * (2 * p * x - x * x), 2 * m / (p * p) * (p - x), t);
    return surfaces(
        x, m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x), 2 * m / ((1 - p) * (1 - p)) * (p - x), t);
}

// The 230 mean line: r = 0.2025, k1 = 15.957.
Surface naca230(double t, double x)
{
    const double r = 0.2025;
    const double k1 = 15.957;
    if (x <= r)
        return surfaces(x, k1 / 6 * (x * x * x - 3 * r * x * x + r * r * (3 - r) * x),
            k1 / 6 * (3 * x * x - 6 * r * x + r * r * (3 - r)), t);
    return surfaces(x, k1 * r * r * r / 6 * (1 - x), -k1 * r * r * r / 6, t);
}

constexpr double kTol = 1e-9;

} // namespace

TEST(ZopAirfoil, DefaultsAndSetStoreUnchecked)
{
    ZopAirfoil a;
    EXPECT_EQ(a.m_type, 0);
    EXPECT_EQ(a.m_camber, 0.0);
    EXPECT_EQ(a.m_position, 0.0);
    EXPECT_EQ(a.m_thickness, 12.0);
    EXPECT_EQ(a.m_nodes, 180);
    a.Set(7, -5, 1000, 1e9, -3);
    ZopAirfoil b;
    b = a;
    EXPECT_EQ(b.m_type, 7);
    EXPECT_EQ(b.m_position, 1000);
    EXPECT_EQ(b.m_nodes, -3);
}

TEST(ZopAirfoil, Naca2412MatchesThePublishedFormulas)
{
    const int n = 200; // stations every 0.01
    const Outline o = make(ZopAirfoil(1, 2, 40, 12, n));
    ASSERT_TRUE(o.points);
    EXPECT_EQ(o[0].x, 0.0);
    EXPECT_EQ(o[0].y, 0.0);
    for (int i : {1, 5, 10, 25, 30, 39, 41, 55, 70, 90, 99}) {
        const Surface s = naca4(0.02, 0.4, 0.12, i * 0.01);
        EXPECT_NEAR(o[i].x, s.xu, kTol) << i;
        EXPECT_NEAR(o[i].y, s.yu, kTol) << i;
        EXPECT_NEAR(o[n - i].x, s.xl, kTol) << i;
        EXPECT_NEAR(o[n - i].y, s.yl, kTol) << i;
    }
    // The mean line of 2412 at 30 percent: 0.02 / 0.16 * (0.24 - 0.09).
    EXPECT_NEAR((o[30].y + o[n - 30].y) / 2, 0.02 / 0.16 * 0.15, 2e-4);
}

TEST(ZopAirfoil, Naca0012IsSymmetricAndHasTheTabulatedThickness)
{
    for (double position : {0.0, 40.0}) {
        // Position 40 without camber: stations before 0.4 take the normal
        // of an unguarded division by zero, -pi/2, and stay symmetric.
        const Outline o = make(ZopAirfoil(1, 0, position, 12, 180));
        ASSERT_TRUE(o.points);
        for (int i = 1; i < 90; ++i) {
            const double x = i * 2.0 / 180;
            EXPECT_NEAR(o[i].x, x, kTol);
            EXPECT_NEAR(o[i].y, halfThickness(0.12, x), kTol) << i;
            EXPECT_NEAR(o[180 - i].x, x, kTol);
            EXPECT_NEAR(o[180 - i].y, -halfThickness(0.12, x), kTol);
        }
        // Even n: index 90 keeps the lower point at the open trailing edge.
        EXPECT_NEAR(o[90].x, 1.0, kTol);
        EXPECT_NEAR(o[90].y, -0.00126, 1e-8);
    }
    // The tabulated 0012 half-thickness at 30 percent is 0.0600.
    const Outline o = make(ZopAirfoil(1, 0, 0, 12, 200));
    EXPECT_NEAR(o[30].y, 0.0600, 2e-4);
}

TEST(ZopAirfoil, Naca23012MatchesTheMeanLineTableAndExchangesSurfaces)
{
    // 2000 nodes put stations just before r, where the slope is already
    // negative and the front point would be the lower one.
    const int n = 2000;
    const Outline o = make(ZopAirfoil(2, 0, 15, 12, n));
    ASSERT_TRUE(o.points);
    for (int i = 1; i < n / 2; ++i) {
        const Surface s = naca230(0.12, i * 2.0 / n);
        ASSERT_NEAR(o[i].x, s.xu, kTol) << i;
        ASSERT_NEAR(o[i].y, s.yu, kTol) << i;
        ASSERT_NEAR(o[n - i].x, s.xl, kTol) << i;
        ASSERT_NEAR(o[n - i].y, s.yl, kTol) << i;
    }
    // Maximum camber of the 230 mean line: 1.84 percent at 15 percent.
    EXPECT_NEAR((o[150].y + o[n - 150].y) / 2, 0.0184, 1e-4);
}

TEST(ZopAirfoil, FiveDigitRowFollowsThePosition)
{
    const auto same = [](double a, double b) {
        const Outline x = make(ZopAirfoil(2, 0, a, 12, 101));
        const Outline y = make(ZopAirfoil(2, 0, b, 12, 101));
        for (int i = 0; i < 101; ++i)
            if (x[i].x != y[i].x || x[i].y != y[i].y)
                return false;
        return true;
    };
    EXPECT_TRUE(same(0, 25)); // below 5: the last row
    EXPECT_TRUE(same(30, 25));
    EXPECT_TRUE(same(4.9, 25));
    EXPECT_TRUE(same(10, 14.9)); // whole fifths
    EXPECT_FALSE(same(10, 15));
    EXPECT_FALSE(same(5, 10));
}

TEST(ZopAirfoil, FourDigitMakesNoExchange)
{
    // Negative camber: the front indices carry the lower surface.
    const Outline o = make(ZopAirfoil(1, -4, 40, 12, 100));
    EXPECT_LT(o[30].y, o[70].y);
}

TEST(ZopAirfoil, OddAndSingleNodeStations)
{
    const Outline odd = make(ZopAirfoil(1, 0, 0, 12, 181));
    EXPECT_NEAR(odd[90].x, 180.0 / 181, kTol);
    EXPECT_NEAR(odd[91].x, 180.0 / 181, kTol);
    EXPECT_NEAR(odd[91].y, -odd[90].y, kTol);
    for (int type : {0, 1, 2}) {
        const Outline one = make(ZopAirfoil(type, 0, 0, 12, 1));
        ASSERT_TRUE(one.points);
        if (type) {
            EXPECT_EQ(one[0].x, 0.0);
        }
        EXPECT_EQ(one[0].y, 0.0);
    }
}

TEST(ZopAirfoil, JoukowskiPoints)
{
    const Outline o = make(ZopAirfoil());
    ASSERT_TRUE(o.points);
    const double c = 0.12 * 0.77;
    const double d = 1 / (4 * (1 + c * c));
    EXPECT_NEAR(o[0].x, 0.5 - 2 * d, 1e-12);
    EXPECT_EQ(o[0].y, 0.0);
    EXPECT_NEAR(o[90].x, 0.5 + 2 * d, 1e-12); // the trailing edge at 180 degrees
    EXPECT_NEAR(o[45].x, 0.5, 1e-12);
    EXPECT_NEAR(o[45].y, 2 * c * d, 1e-12);
    for (int i = 1; i < 180; ++i) {
        EXPECT_NEAR(o[i].x, o[180 - i].x, 1e-12);
        EXPECT_NEAR(o[i].y, -o[180 - i].y, 1e-12);
    }
    // Camber adds 2 e sin^2: at 90 degrees 2 (c d + e), e = 2 m d.
    const Outline cambered = make(ZopAirfoil(0, 4, 99, 12, 360));
    EXPECT_NEAR(cambered[90].y, 2 * (c * d + 2 * 0.04 * d), 1e-12);
    // Any unknown kind is made as Joukowski.
    const Outline other = make(ZopAirfoil(9, 0, 0, 12, 180));
    EXPECT_EQ(other[45].y, o[45].y);
}

TEST(ZopAirfoil, AbsurdParametersGiveNoOutline)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int type : {0, 1, 2}) {
        for (int nodes : {0, -1, -2147483647, ZopAirfoil::kMaxNodes + 1})
            EXPECT_FALSE(make(ZopAirfoil(type, 0, 0, 12, nodes)).points) << type << " " << nodes;
        EXPECT_FALSE(make(ZopAirfoil(type, 0, 0, 1000, 180)).points);
        EXPECT_FALSE(make(ZopAirfoil(type, 0, 0, -1, 180)).points);
        EXPECT_FALSE(make(ZopAirfoil(type, nan, 0, 12, 180)).points);
        EXPECT_FALSE(make(ZopAirfoil(type, 0, inf, 12, 180)).points);
        EXPECT_FALSE(make(ZopAirfoil(type, 0, 1e300, 12, 180)).points);
        EXPECT_FALSE(make(ZopAirfoil(type, 0, 0, nan, 180)).points);
        EXPECT_TRUE(make(ZopAirfoil(type, 0, 0, 12, ZopAirfoil::kMaxNodes)).points);
    }
    // The file kind without a path.
    ZopAirfoil file(3, 0, 0, 12, 180);
    EXPECT_EQ(file.Make(nullptr), nullptr);
    EXPECT_EQ(file.Make(""), nullptr);
    EXPECT_EQ(file.m_nodes, 180);
}

namespace {

Outline section(ZopAirfoil airfoil, const char* path = nullptr)
{
    Outline out;
    out.points.reset(airfoil.MakeSection(path, &out.count));
    return out;
}

} // namespace

TEST(ZopAirfoil, SectionsRunFromTheUpperTrailingEdgeToTheLowerOne)
{
    // Even and odd counts, both kinds, cambered either way: the section
    // starts on the upper surface at the rear, passes the nose at (0, 0) in
    // its middle and ends on the lower surface at the rear.
    for (int type : {1, 2})
        for (int nodes : {180, 181, 2}) {
            for (double camber : {0.0, 4.0, -4.0}) {
                const Outline s = section(ZopAirfoil(type, camber, 40, 12, nodes));
                ASSERT_TRUE(s.points);
                ASSERT_EQ(s.count, nodes / 2 * 2 + 1) << type << " " << nodes;
                const int nose = s.count / 2;
                EXPECT_EQ(s[nose].x, 0.0);
                EXPECT_EQ(s[nose].y, 0.0);
                const double rear = nodes % 2 ? (nodes - 1.0) / nodes : 1.0;
                EXPECT_NEAR(s[0].x, rear, 1e-3); // cambered surfaces lean off the station
                EXPECT_NEAR(s[s.count - 1].x, rear, 1e-3);
                for (int i = 0; i < nose; ++i)
                    EXPECT_GE(s[i].y, s[s.count - 1 - i].y) << "upper first, at station " << nose - i;
            }
        }
    // NACA 0012 has both trailing-edge points: +0.00126 first, -0.00126 last.
    const Outline naca = section(ZopAirfoil(1, 0, 0, 12, 180));
    EXPECT_NEAR(naca[0].y, 0.00126, 1e-8);
    EXPECT_NEAR(naca[180].y, -0.00126, 1e-8);
    // The Joukowski section is closed at its pointed trailing edge, and
    // runs from 0 to 1 as exchanged sections do.
    const Outline j = section(ZopAirfoil());
    ASSERT_EQ(j.count, 181);
    EXPECT_EQ(j[0].x, j[180].x);
    EXPECT_EQ(j[0].y, j[180].y);
    EXPECT_DOUBLE_EQ(j[0].x, 1.0);
    EXPECT_NEAR(j[90].x, 0.0, 1e-15);
    EXPECT_GT(j[45].y, 0.0) << "the upper surface first";
    // A file's lines without a point repeat the one before in Make's
    // outline; the section lists each point once.
    testsupport::TempDir dir;
    testsupport::writeText(dir.file("gaps.dat"), "Gaps\n1 0\n\n0.5 0.1\nnote\n0 0\n0.5 -0.1\n1 0\n");
    ZopAirfoil file(3, 0, 0, 12, 180);
    ZopPoint2D* made = file.Make(dir.file("gaps.dat").c_str());
    ASSERT_NE(made, nullptr);
    std::free(made);
    EXPECT_EQ(file.m_nodes, 7);
    EXPECT_EQ(section(file, dir.file("gaps.dat").c_str()).count, 5);
    // No outline, and why.
    EXPECT_FALSE(section(ZopAirfoil(1, 0, 0, 1000, 180)).points);
    EXPECT_NE(std::string(ZopAirfoil::GetError()).find("thickness"), std::string::npos);
    EXPECT_FALSE(section(ZopAirfoil(3, 0, 0, 12, 180), "/no/such/file.dat").points);
    EXPECT_NE(std::string(ZopAirfoil::GetError()).find("cannot open"), std::string::npos);
}
