// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <filesystem>

using namespace testsupport;

namespace {

// An 8 × 6 PNG of level 10 marked red at (1, 2).
void writeMarked(const std::string& path)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(10, 10, 10));
    image.setPixel(1, 2, qRgb(255, 0, 0));
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
}

} // namespace

TEST(VandrelImage, EditRunsTheCommandsInOrderAndSavesByExtension)
{
    TempDir dir;
    writeMarked(dir.file("in.png"));
    auto r = runVandrel({"image", "edit", "in.png", "-o", "out.bmp", "--do", "reverse", "--do", "invert", "--do",
                            "rotate=90", "--do", "uniquecolors"},
        dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Bitmap contains 2 unique colors\n");
    const QImage out(QString::fromStdString(dir.file("out.bmp")));
    ASSERT_EQ(out.size(), QSize(6, 8));
    // Mirrored to (6, 2), turned clockwise to (6 - 1 - 2, 6), inverted.
    EXPECT_EQ(out.pixel(3, 6) & 0xFFFFFF, 0x00FFFFu);
    EXPECT_EQ(out.pixel(0, 0) & 0xFFFFFF, 0xF5F5F5u);

    r = runVandrel({"image", "info", "out.bmp", "in.png"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("format:          BMP"), std::string::npos);
    EXPECT_NE(r.out.find("width:           6"), std::string::npos);
    EXPECT_NE(r.out.find("pages:           1"), std::string::npos);
}

TEST(VandrelImage, BadCommandsAndFilesFailWithoutWriting)
{
    TempDir dir;
    writeMarked(dir.file("in.png"));
    writeFile(dir.file("out.png"), {'o', 'l', 'd'});
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             {"image", "edit", "in.png", "-o", "out.png", "--do", "nosuch"},
             {"image", "edit", "in.png", "-o", "out.png", "--do", "emboss=1,2,3"},
             {"image", "edit", "in.png", "-o", "out.png", "--do", "rotate=x"},
             {"image", "edit", "in.png", "-o", "out.png", "--do", "posterize=1"},
             {"image", "edit", "missing.png", "-o", "out.png", "--do", "invert"},
             {"image", "edit", "in.png", "-o", "out.xyz", "--do", "invert"},
             {"image", "edit", "in.png", "--do", "invert"},
         }) {
        const auto r = runVandrel(args, dir.path());
        EXPECT_EQ(r.status, args.size() == 5 ? 2 : 1) << args.back() << ": without -o edit is misused";
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(readFile(dir.file("out.png")), (Bytes {'o', 'l', 'd'}));
    writeFile(dir.file("bad.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    const auto r = runVandrel({"image", "info", "bad.png"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("damaged"), std::string::npos);
}

TEST(VandrelImage, ListNamesEveryCommandWithItsValues)
{
    const auto r = runVandrel({"image", "edit", "--list"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"rotate90clockwise", "rotate=DEGREES", "emboss=DIRECTION,DEPTH", "grayscale8",
             "hue=DEGREES", "autolevels", "level=BRIGHTNESS,CONTRAST,GAMMA"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
}

TEST(VandrelImage, PagesAreInsertedReplacedDeletedAndExtractedCountingFromOne)
{
    TempDir dir;
    const auto solid = [&](const char* name, int width, QRgb colour) {
        QImage image(width, 4, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(dir.file(name)), "PNG"));
    };
    solid("red.png", 5, qRgb(255, 0, 0));
    solid("green.png", 6, qRgb(0, 255, 0));
    solid("blue.png", 7, qRgb(0, 0, 255));
    ASSERT_EQ(runVandrel({"image", "edit", "red.png", "-o", "doc.tif"}, dir.path()).status, 0);
    // Append green (N = count + 1), then blue before page 1.
    auto r = runVandrel({"image", "page", "doc.tif", "insert", "2", "green.png"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "inserted 1 page at page 2\n");
    ASSERT_EQ(runVandrel({"image", "page", "doc.tif", "insert", "1", "blue.png"}, dir.path()).status, 0);
    // Every page of a multi-page source goes in, in order: blue red green red green.
    ASSERT_EQ(runVandrel({"image", "edit", "red.png", "-o", "two.tif"}, dir.path()).status, 0);
    ASSERT_EQ(runVandrel({"image", "page", "two.tif", "insert", "2", "green.png"}, dir.path()).status, 0);
    r = runVandrel({"image", "page", "doc.tif", "insert", "4", "two.tif"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "inserted 2 pages at page 4\n");
    r = runVandrel({"image", "pages", "doc.tif"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("pages:  5\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("     1  7 x 4"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("     5  6 x 4"), std::string::npos) << r.out;

    ASSERT_EQ(runVandrel({"image", "page", "doc.tif", "replace", "2", "green.png"}, dir.path()).status, 0);
    ASSERT_EQ(runVandrel({"image", "page", "doc.tif", "delete", "1"}, dir.path()).status, 0);
    ASSERT_EQ(runVandrel({"image", "page", "doc.tif", "extract", "1", "-o", "first.png"}, dir.path()).status, 0);
    const QImage first(QString::fromStdString(dir.file("first.png")));
    ASSERT_EQ(first.size(), QSize(6, 4));
    EXPECT_EQ(first.pixel(2, 2) & 0xFFFFFF, 0x00FF00u);
    ASSERT_EQ(runVandrel({"image", "page", "doc.tif", "extract", "3", "-o", "third.png"}, dir.path()).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("third.png"))).pixel(0, 0) & 0xFFFFFF, 0xFF0000u);

    const Bytes before = readFile(dir.file("doc.tif"));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             {"image", "page", "doc.tif", "delete", "0"},
             {"image", "page", "doc.tif", "delete", "9"},
             {"image", "page", "doc.tif", "insert", "7", "red.png"},
             {"image", "page", "doc.tif", "replace", "1", "missing.png"},
             {"image", "page", "doc.tif", "extract", "1", "-o", "x.xyz"},
             {"image", "page", "doc.tif", "extract", "1"},
             {"image", "page", "doc.tif", "move", "1"},
             {"image", "page", "red.png", "insert", "1", "green.png"},
         }) {
        r = runVandrel(args, dir.path());
        EXPECT_EQ(r.status, 1) << args[3] << " " << args[4];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(readFile(dir.file("doc.tif")), before);
}

TEST(VandrelImage, EditingAFileOfSeveralPagesInPlaceKeepsTheOtherPages)
{
    TempDir dir;
    const auto solid = [&](const char* name, QRgb colour) {
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(dir.file(name)), "PNG"));
    };
    solid("red.png", qRgb(255, 0, 0));
    solid("green.png", qRgb(0, 255, 0));
    solid("blue.png", qRgb(0, 0, 255));
    ASSERT_EQ(runVandrel({"image", "edit", "red.png", "-o", "scan.tif"}, dir.path()).status, 0);
    ASSERT_EQ(runVandrel({"image", "page", "scan.tif", "insert", "2", "green.png"}, dir.path()).status, 0);
    ASSERT_EQ(runVandrel({"image", "page", "scan.tif", "insert", "3", "blue.png"}, dir.path()).status, 0);
    std::filesystem::create_symlink("scan.tif", dir.file("link.tif"));
    const auto pageColour = [&](int page) {
        const std::string out = "p" + std::to_string(page) + ".png";
        EXPECT_EQ(
            runVandrel({"image", "page", "scan.tif", "extract", std::to_string(page), "-o", out}, dir.path()).status,
            0);
        return QImage(QString::fromStdString(dir.file(out))).pixel(1, 1) & 0xFFFFFF;
    };
    // The output is the input (also through a link): only the edited page
    // is replaced.
    auto r = runVandrel({"image", "edit", "scan.tif", "--page", "2", "-o", "link.tif", "--do", "invert"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    r = runVandrel({"image", "pages", "scan.tif"}, dir.path());
    EXPECT_NE(r.out.find("pages:  3\n"), std::string::npos) << r.out;
    EXPECT_EQ(pageColour(1), 0xFF0000u);
    EXPECT_EQ(pageColour(2), 0xFF00FFu) << "green inverted";
    EXPECT_EQ(pageColour(3), 0x0000FFu);
    // Into a format that cannot hold the other pages: refused, naming the
    // page command that puts a page back.
    std::filesystem::create_hard_link(dir.file("scan.tif"), dir.file("same.png"));
    const Bytes before = readFile(dir.file("scan.tif"));
    r = runVandrel({"image", "edit", "scan.tif", "-o", "same.png", "--do", "invert"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("image page scan.tif replace 1"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir.file("scan.tif")), before);
}
