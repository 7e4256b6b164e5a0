// SPDX-License-Identifier: MIT
// vandrel dxf info and render, and the thumbnailer, on the ezdxf fixtures.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <sys/stat.h>

using namespace testsupport;

namespace {

const std::string kFixtures = VANDREL_DXF_FIXTURES;

std::string fixture(const char* name)
{
    return kFixtures + "/" + name;
}

int count(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// Pixels mostly red: antialiased lines blend into the back colour.
int reddish(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() - std::max(c.green(), c.blue()) > 90;
        }
    return n;
}

} // namespace

TEST(VandrelDxf, InfoNamesReleaseCodePageExtentsAndEntities)
{
    TempDir dir;
    const RunResult r = runVandrel({"dxf", "info", fixture("insert.dxf")}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"format:     ASCII", "version:    AC1032 (R2018)", "code page:  ANSI_1252",
             "extents:    -10,-15 to 47.0711,67", "layers:     3", "SQUARE, TWO", "entities:   3", "  INSERT       3",
             "preview:    none"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_EQ(r.out.find("$EXTMIN"), std::string::npos) << "ezdxf's unset header extents are not shown";
    const RunResult binary = runVandrel({"dxf", "info", fixture("binary_r2000.dxf")}, dir.path());
    EXPECT_NE(binary.out.find("format:     binary"), std::string::npos) << binary.out;
    EXPECT_NE(binary.out.find("  ARC          1"), std::string::npos) << binary.out;
}

TEST(VandrelDxf, RendersFittedPicturesAndSvgOfTheChosenLayers)
{
    TempDir dir;
    ASSERT_EQ(
        runVandrel({"dxf", "render", fixture("line.dxf"), "-o", "line.png", "--size", "200x100"}, dir.path()).status,
        0);
    const QImage line(QString::fromStdString(dir.file("line.png")));
    ASSERT_EQ(line.size(), QSize(200, 100));
    EXPECT_GT(reddish(line), 190) << "the red line runs across";
    EXPECT_EQ(line.pixelColor(199, 99), QColor(0, 0, 0));

    // Only the layer asked for; layers that are off or frozen never.
    ASSERT_EQ(
        runVandrel({"dxf", "render", fixture("layers.dxf"), "-o", "red.png", "--layers", "RED", "--back", "#ffffff"},
            dir.path())
            .status,
        0);
    const QImage red(QString::fromStdString(dir.file("red.png")));
    EXPECT_GT(reddish(red), 500);
    ASSERT_EQ(
        runVandrel({"dxf", "render", fixture("layers.dxf"), "-o", "none.png", "--layers", "OFF"}, dir.path()).status,
        0);
    EXPECT_EQ(count(QImage(QString::fromStdString(dir.file("none.png"))), QColor(0, 0, 0)), 1024 * 768);

    ASSERT_EQ(runVandrel({"dxf", "render", fixture("text.dxf"), "-o", "text.svg"}, dir.path()).status, 0);
    QFile svg(QString::fromStdString(dir.file("text.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, QStringList({"Left", "Centre", QString::fromUtf8("⌀20 °")}));
}

TEST(VandrelDxf, FailuresSayWhy)
{
    TempDir dir;
    writeText(dir.file("no.dxf"), "hello\n");
    std::filesystem::create_directory(dir.file("folder.dxf"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.dxf").c_str(), 0600), 0);
    const Bytes drawing = readFile(fixture("line.dxf"));
    writeFile(dir.file("plan.dxf"), drawing);
    std::filesystem::create_symlink(dir.file("plan.dxf"), dir.file("plan.png"));
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"dxf", "info", "missing.dxf"}, "cannot open missing.dxf: No such file or directory"},
        {{"dxf", "info", "no.dxf"}, "not a DXF drawing"},
        {{"dxf", "render", fixture("line.dxf")}, "needs -o OUT"},
        {{"dxf", "render", fixture("line.dxf"), "-o", "x.gif"}, "gif"},
        {{"dxf", "show", fixture("line.dxf")}, "dxf takes info or render"},
        {{"dxf", "info", "folder.dxf"}, "not a regular file"},
        {{"dxf", "info", "pipe.dxf"}, "not a regular file"}, // refused at once: no reader ever waits on it
        {{"dxf", "render", "plan.dxf", "-o", "plan.png"}, "is the drawing itself"},
    };
    for (const auto& c : cases) {
        const RunResult r = runVandrel(c.args, dir.path());
        EXPECT_EQ(r.status, c.args[1] == "show" ? 2 : 1) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(dir.file("plan.dxf")), drawing) << "the drawing behind the link is left as it was";
}

TEST(Thumbnailer, DrawsDxfDrawingsInTheirProportions)
{
    TempDir dir;
    const RunResult r
        = run({binary("vandrel-thumbnailer").string(), "-s", "128", fixture("line.dxf"), dir.file("t.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage thumb(QString::fromStdString(dir.file("t.png")));
    EXPECT_EQ(thumb.width(), 128);
    EXPECT_NEAR(thumb.height(), 64, 3) << "a drawing twice as wide as high";
    writeText(dir.file("empty.dxf"), "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
    const RunResult empty
        = run({binary("vandrel-thumbnailer").string(), "-s", "64", dir.file("empty.dxf"), dir.file("e.png")});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("draws nothing"), std::string::npos) << empty.err;
}
