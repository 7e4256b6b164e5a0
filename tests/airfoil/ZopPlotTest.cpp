// SPDX-License-Identifier: MIT
// Coordinate files: the two layouts, and the messy files found in the wild.
#include "airfoil/ZopAirfoil.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::vector<ZopPoint2D> parse(const std::string& text, int* count = nullptr)
{
    int n = -7;
    ZopPoint2D* p = ZopAirfoil::ParsePlot(text.data(), text.size(), &n);
    std::vector<ZopPoint2D> out;
    if (p)
        out.assign(p, p + n);
    std::free(p);
    if (count)
        *count = n;
    return out;
}

std::string line(double x, double y)
{
    return std::to_string(x) + " " + std::to_string(y) + "\n";
}

} // namespace

TEST(ZopPlot, CountedLayoutReversesTheUpperRun)
{
    std::string text = "NACA counted\n   61.   61.\n";
    for (int i = 0; i < 61; ++i)
        text += line(i / 60.0, 0.001 * i);
    for (int i = 0; i < 61; ++i)
        text += line(i / 60.0, -0.001 * i);
    int n = 0;
    const auto p = parse(text, &n);
    ASSERT_EQ(n, 122);
    EXPECT_NEAR(p[0].x, 1.0, 1e-6); // the upper trailing edge first
    EXPECT_NEAR(p[0].y, 0.060, 1e-6);
    EXPECT_NEAR(p[60].x, 0.0, 1e-6);
    EXPECT_NEAR(p[61].x, 0.0, 1e-6); // then the lower run in file order
    EXPECT_NEAR(p[121].y, -0.060, 1e-6);
}

TEST(ZopPlot, CountedLayoutSkipsBlankLinesAndNeverTrustsItsCounts)
{
    // The blank lines around the runs hold no point.
    const auto p = parse("T\n 4. 4.\n\n0 0\n0.3 0.08\n0.5 0.1\n1 0\n\n0 0\n0.4 -0.1\n0.7 -0.05\n1 0\n");
    ASSERT_EQ(p.size(), 8u);
    EXPECT_EQ(p[0].x, 1.0);
    EXPECT_EQ(p[3].x, 0.0);
    EXPECT_EQ(p[4].y, 0.0);
    EXPECT_EQ(p[7].x, 1.0);
    // Counts far past the file: what is there, nothing allocated for the rest.
    const auto q = parse("T\n1e9 2147483648\n0 0\n1 0.1\n");
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0].x, 1.0);
    // Counts and nothing after them: no outline.
    EXPECT_TRUE(parse("T\n 61. 61.\n\n").empty());
}

TEST(ZopPlot, FreeLayout)
{
    // 3 is not above the threshold: a point, not a count line.
    int n = 0;
    auto p = parse("T\n3 5\n1 0\n", &n);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(p[0].x, 3.0);
    EXPECT_EQ(p[0].y, 5.0);
    // A line without two numbers repeats the point before it.
    p = parse("T\n1 0\n0.5 x\n0 0\n");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1].x, 1.0);
    // Only a title, or nothing: no outline and the count as it was.
    n = 42;
    EXPECT_TRUE(parse("Title only\n", &n).empty());
    EXPECT_EQ(n, -7);
    EXPECT_TRUE(parse("").empty());
}

TEST(ZopPlot, MessyFiles)
{
    // CRLF, tabs, a byte-order mark, trailing text, Fortran-style numbers.
    auto p = parse("\xEF\xBB\xBFTitle\r\n1.0\t0.001 upper\r\n  .5  -.02\r\n+0 0\r\n");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1].x, 0.5);
    EXPECT_EQ(p[1].y, -0.02);
    // Comma decimals and comma-separated pairs.
    p = parse("T\n0,5 0,25\n0.75,0.125\n1, 0\n");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].x, 0.5);
    EXPECT_EQ(p[0].y, 0.25);
    EXPECT_EQ(p[1].y, 0.125);
    EXPECT_EQ(p[2].x, 1.0);
    // A first line without two numbers gives no point (there is none to repeat).
    p = parse("T\n\nx y\n1 0\n0 0\n");
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].x, 1.0);
    // No title: a first line of two numbers is a point.
    p = parse("1 0\n0 0\n1 0\n");
    EXPECT_EQ(p.size(), 3u);
    // A point of not-a-number or infinity is refused, naming its line,
    // not replaced by the point before it.
    for (const char* bad :
        {"T\n1 0\nnan 1\n0 0\n", "T\n1 0\n0.5 inf\n0 0\n", "T\n1 0\n0.5,-INF\n0 0\n", "T\n4 4\n0 0\n1 nan\n"}) {
        int count = 7;
        EXPECT_EQ(ZopAirfoil::ParsePlot(bad, std::strlen(bad), &count), nullptr) << bad;
        EXPECT_EQ(count, 7);
        const std::string error = ZopAirfoil::GetError();
        EXPECT_NE(error.find(std::strstr(bad, "4 4") ? "line 4" : "line 3"), std::string::npos) << error;
    }
    // A title is words, even ones that read as a number.
    p = parse("NaN wing\n1 0\n0 0\n");
    EXPECT_EQ(p.size(), 2u);
    // A 300-character line: its first 255 characters, nothing beyond them.
    p = parse("T\n" + std::string(250, ' ') + "1 0.25" + std::string(44, '9') + "\n0 0\n");
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].x, 1.0);
    EXPECT_EQ(p[0].y, 0.2); // "0.25" cut at the 255th character
}

TEST(ZopPlot, HugeFilesFailCleanly)
{
    std::string text = "T\n";
    text.reserve(4 * (ZopAirfoil::kMaxNodes + 2));
    for (int i = 0; i <= ZopAirfoil::kMaxNodes; ++i)
        text += "0 0\n";
    EXPECT_TRUE(parse(text).empty());
}

TEST(ZopPlot, MakeReadsFilesAndKeepsTheCount)
{
    TempDir dir;
    writeText(dir.file("a.dat"), "Wing\n1 0\n0 0\n1 0\n");
    writeText(dir.file("title.dat"), "Only\n");
    ZopAirfoil a(3, 0, 0, 12, 180);
    ZopPoint2D* p = a.Make(dir.file("a.dat").c_str());
    ASSERT_TRUE(p);
    EXPECT_EQ(a.m_nodes, 3);
    std::free(p);
    EXPECT_EQ(a.Make(dir.file("title.dat").c_str()), nullptr);
    EXPECT_EQ(a.Make(dir.file("missing.dat").c_str()), nullptr);
    EXPECT_EQ(a.Make(dir.path().string().c_str()), nullptr); // a folder
    EXPECT_EQ(a.m_nodes, 3);
    // A computed kind made afterwards uses the file's count.
    a.m_type = 1;
    p = a.Make(nullptr);
    ASSERT_TRUE(p);
    std::free(p);
    EXPECT_EQ(a.m_nodes, 3);
}

TEST(ZopPlot, GetAirfoilInfoReadsTheTitleLine)
{
    TempDir dir;
    char title[256] = "junk";
    EXPECT_EQ(ZopAirfoil::GetAirfoilInfo(dir.file("missing.dat").c_str(), title), 0);
    EXPECT_STREQ(title, "");
    writeText(dir.file("a.dat"), "NACA 2412\r\n1 0\n");
    ZopAirfoil::GetAirfoilInfo(dir.file("a.dat").c_str(), title);
    EXPECT_STREQ(title, "NACA 2412");
    writeText(dir.file("long.dat"), std::string(400, 'x') + "\n1 0\n");
    ZopAirfoil::GetAirfoilInfo(dir.file("long.dat").c_str(), title);
    EXPECT_EQ(std::string(title), std::string(255, 'x'));
}
