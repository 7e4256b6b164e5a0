// vandrel slide render and vandrel aci, run as processes.
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace testsupport;

namespace {
RunResult vandrel(const TempDir& dir, std::vector<std::string> args)
{
    return runVandrel(std::move(args), dir.path());
}
} // namespace

TEST(VandrelRender, PngIsTheControlsDrawing)
{
    TempDir dir;
    writeFile(dir.file("BOX.SLD"), SlideWriter(10, 10).fill({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).end().bytes());
    auto r = vandrel(dir, {"slide", "render", "box", "-o", "box.png", "--size", "40x20", "--back", "#0000ff"});
    ASSERT_EQ(r.status, 0) << r.err;
    QImage image(QString::fromStdString(dir.file("box.png")));
    ASSERT_EQ(image.size(), QSize(40, 20));
    EXPECT_EQ(image.pixel(1, 18) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(35, 5) & 0xFFFFFF, 0x0000FFu);

    r = vandrel(dir, {"slide", "render", "box", "-o", "inv.png", "--size", "40x20", "--invert"});
    ASSERT_EQ(r.status, 0);
    QImage inverted(QString::fromStdString(dir.file("inv.png")));
    EXPECT_EQ(inverted.pixel(35, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(VandrelRender, SvgHoldsThePrimitivesInSlideCoordinates)
{
    TempDir dir;
    writeFile(dir.file("A.SLD"),
        SlideWriter(100, 50).color(1).vector(1, 2, 3, 4).fill({{0, 0}, {5, 0}, {5, 5}}).end().bytes());
    const auto r = vandrel(dir, {"slide", "render", "a.sld", "-o", "a.svg"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes bytes = readFile(dir.file("a.svg"));
    const std::string svg(bytes.begin(), bytes.end());
    EXPECT_NE(svg.find("viewBox=\"0 0 100 50\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("<path d=\"M1 2L3 4\" stroke=\"#ff0000\"/>"), std::string::npos) << svg;
    EXPECT_NE(svg.find("<polygon points=\"0,0 5,0 5,5\" fill=\"#ff0000\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("matrix(1 0 0 -1 0 50)"), std::string::npos);
}

TEST(VandrelRender, FailuresAndMisuse)
{
    TempDir dir;
    auto r = vandrel(dir, {"slide", "render", "none", "-o", "x.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Can't open file"), std::string::npos);
    EXPECT_EQ(vandrel(dir, {"slide", "render", "x.txt", "-o", "x.png"}).status, 3);
    EXPECT_EQ(vandrel(dir, {"slide", "render", "a", "-o", "x.png", "--size", "0x5"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"slide", "render", "a", "-o", "x.png", "--back", "red"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"slide", "render", "a"}).status, 1);
}

TEST(VandrelAci, ShowsRgbAndNames)
{
    TempDir dir;
    auto r = vandrel(dir, {"aci", "21"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("#ff9f7f (255, 159, 127)"), std::string::npos) << r.out;
    r = vandrel(dir, {"aci", "red"});
    EXPECT_NE(r.out.find("index:   1"), std::string::npos);
    EXPECT_NE(r.out.find("빨간색"), std::string::npos);
    r = vandrel(dir, {"aci", "하늘색"});
    EXPECT_NE(r.out.find("index:   4"), std::string::npos) << r.out;
}
