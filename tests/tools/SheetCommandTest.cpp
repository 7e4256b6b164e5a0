// SPDX-License-Identifier: MIT
#include "support/SlideWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace testsupport;

namespace {

bool hasColor(const QImage& image, QRgb color, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                return true;
    return false;
}

Bytes line()
{
    return SlideWriter(100, 100).vector(0, 0, 100, 100).end().bytes();
}

} // namespace

TEST(SheetCommand, OnePagePerGridOfLibraryMembers)
{
    TempDir dir;
    writeFile(dir.file("lib.slb"), makeLibrary({{"A", line()}, {"B", line()}, {"C", line()}}));
    const RunResult r
        = runVandrel({"sheet", dir.file("lib.slb"), "-o", dir.file("s.png"), "--grid", "2x1", "--cell", "100x80"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("s.png")));
    const QImage first(QString::fromStdString(dir.file("s-1.png")));
    const QImage second(QString::fromStdString(dir.file("s-2.png")));
    ASSERT_EQ(first.size(), QSize(200, 80));
    ASSERT_EQ(second.size(), QSize(200, 80));
    // Both cells of page 1 show a white diagonal on black; page 2 has one.
    EXPECT_TRUE(hasColor(first, qRgb(255, 255, 255), QRect(10, 10, 80, 60)));
    EXPECT_TRUE(hasColor(first, qRgb(255, 255, 255), QRect(110, 10, 80, 60)));
    EXPECT_TRUE(hasColor(second, qRgb(255, 255, 255), QRect(10, 10, 80, 60)));
    EXPECT_FALSE(hasColor(second, qRgb(0, 0, 0), QRect(110, 10, 80, 60))) << "no cell past the last member";
}

TEST(SheetCommand, FoldersListWhatTheyCanAndBadInputFails)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "in");
    writeFile(dir.path() / "in" / "a.sld", line());
    writeFile(dir.path() / "in" / "bad\nname.sld", Bytes(40, 0xFF));
    writeFile(dir.path() / "in" / "lat\xE9.dwg", Bytes(10, 0));
    writeText(dir.path() / "in" / "notes.txt", "x");
    std::filesystem::create_symlink(dir.path() / "gone.sld", dir.path() / "in" / "dangling.sld");
    RunResult r = runVandrel({"sheet", dir.file("in"), "-o", dir.file("s.png"), "--labels", "--grid", "4x1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage sheet(QString::fromStdString(dir.file("s.png")));
    EXPECT_EQ(sheet.size(), QSize(640, 120));

    r = runVandrel({"sheet", dir.file("in/notes.txt"), "-o", dir.file("t.png")});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("nothing to draw"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("t.png")));
    EXPECT_NE(runVandrel({"sheet", dir.file("in"), "-o", dir.file("t.png"), "--grid", "0x3"}).status, 0);
    EXPECT_NE(runVandrel({"sheet", dir.file("in"), "-o", dir.file("t.svg")}).status, 0);
    EXPECT_NE(runVandrel({"sheet", dir.file("in")}).status, 0);
    // Sizes that do not fit say so, naming the option given.
    for (const char* cell : {"9000x9000", "4096x4096", "16384x1"}) {
        r = runVandrel({"sheet", dir.file("in"), "-o", dir.file("t.png"), "--cell", cell});
        EXPECT_EQ(r.status, 1) << cell;
        EXPECT_NE(r.err.find("--cell or --grid"), std::string::npos) << cell << ": " << r.err;
    }
    r = runVandrel({"sheet", dir.file("in"), "-o", dir.file("t.png"), "--cell", "0x5"});
    EXPECT_NE(r.err.find("--cell takes WxH"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("t.png")));
}
