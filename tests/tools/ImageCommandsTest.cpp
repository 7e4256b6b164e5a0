#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

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
        EXPECT_EQ(r.status, 1) << args.back();
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
