// SPDX-License-Identifier: MIT
// vandrel slide render and vandrel aci, run as processes.
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

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

TEST(VandrelRender, SvgStrokesAreOnePixelOfTheRequestedSize)
{
    TempDir dir;
    writeFile(dir.file("A.SLD"), SlideWriter(100, 50).color(1).vector(1, 2, 3, 4).end().bytes());
    auto svgOf = [&](const char* size) {
        const auto r = vandrel(dir, {"slide", "render", "a.sld", "-o", "a.svg", "--size", size});
        EXPECT_EQ(r.status, 0) << r.err;
        const Bytes bytes = readFile(dir.file("a.svg"));
        return std::string(bytes.begin(), bytes.end());
    };
    // 100 × 50 fitted into 640 × 480: a pixel is 100 / 640 slide units.
    std::string svg = svgOf("640x480");
    EXPECT_NE(svg.find("stroke-width=\"0.15625\""), std::string::npos) << svg;
    EXPECT_EQ(svg.find("vector-effect"), std::string::npos) << "many renderers ignore it";
    svg = svgOf("50x10");
    EXPECT_NE(svg.find("stroke-width=\"5\""), std::string::npos) << "the height limits: 50 / 10" << svg;
}

TEST(VandrelRender, TheExtensionChoosesTheFormat)
{
    TempDir dir;
    writeFile(dir.file("BOX.SLD"), SlideWriter(10, 10).fill({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).end().bytes());
    const auto head = [&](const char* name) {
        const Bytes b = readFile(dir.file(name));
        return std::string(b.begin(), b.begin() + std::min<std::size_t>(b.size(), 4));
    };
    ASSERT_EQ(vandrel(dir, {"slide", "render", "box", "-o", "box.jpg", "--size", "40x20"}).status, 0);
    EXPECT_EQ(head("box.jpg").substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("box.jpg"))).size(), QSize(40, 20));
    ASSERT_EQ(vandrel(dir, {"slide", "render", "box", "-o", "box.BMP", "--size", "40x20"}).status, 0);
    EXPECT_EQ(head("box.BMP").substr(0, 2), "BM");
    ASSERT_EQ(vandrel(dir, {"slide", "render", "box", "-o", "box.png"}).status, 0);
    EXPECT_EQ(head("box.png"), "\x89PNG");
    const auto r = vandrel(dir, {"slide", "render", "box", "-o", "box.gif"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(".gif"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("box.gif")));
}

TEST(VandrelRender, RasterSizeHasACapAndWritesAreAtomic)
{
    TempDir dir;
    writeFile(dir.file("BOX.SLD"), SlideWriter(10, 10).fill({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).end().bytes());
    auto r = vandrel(dir, {"slide", "render", "box", "-o", "big.png", "--size", "16384x16384"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("at most 16777216 pixels"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("big.png")));
    EXPECT_EQ(vandrel(dir, {"slide", "render", "box", "-o", "big.svg", "--size", "16384x16384"}).status, 0)
        << "an SVG holds no pixels";

    writeText(dir.file("out.bmp"), "old");
    r = run({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"", binary("vandrel").string(), "slide",
                "render", "box", "-o", "out.bmp"},
        dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write out.bmp: File too large"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir.file("out.bmp")), Bytes({'o', 'l', 'd'}));
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
    EXPECT_EQ(vandrel(dir, {"slide", "render", "a"}).status, 2) << "no -o is a usage error";
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
