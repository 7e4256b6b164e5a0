// SPDX-License-Identifier: MIT
// vandrel bmp, run as a process.
#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace testsupport;

TEST(VandrelBmp, InfoAndCopy)
{
    TempDir dir;
    writeFile(dir.file("in.bmp"), makeBmp(7, 3, 4, {0x000000, 0x00FF00}, [](int x, int) { return x % 2u; }));
    const auto vandrel = [&](std::vector<std::string> args) { return runVandrel(std::move(args), dir.path()); };
    auto r = vandrel({"bmp", "info", "in.bmp"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("width:           7"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("bits per pixel:  4"), std::string::npos);
    EXPECT_NE(r.out.find("colours:         2"), std::string::npos);
    EXPECT_NE(r.out.find("palette:         yes"), std::string::npos);
    EXPECT_EQ(vandrel({"bmp", "copy", "in.bmp", "out.bmp"}).status, 0);
    const QImage copy(QString::fromStdString(dir.file("out.bmp")));
    ASSERT_EQ(copy.size(), QSize(7, 3));
    EXPECT_EQ(copy.pixel(1, 1) & 0xFFFFFF, 0x00FF00u);
    writeText(dir.file("bad.bmp"), "not a bitmap");
    EXPECT_EQ(vandrel({"bmp", "info", "bad.bmp"}).status, 1);
    EXPECT_EQ(vandrel({"bmp", "copy", "in.bmp"}).status, 2) << "copy without OUT is a usage error";
}

TEST(VandrelBmp, InfoRefusesWhatIsNoFileAndCopyWritesAtomically)
{
    TempDir dir;
    const auto vandrel = [&](std::vector<std::string> args) { return runVandrel(std::move(args), dir.path()); };
    ASSERT_EQ(run({"mkfifo", dir.file("pipe.bmp")}).status, 0);
    auto r = vandrel({"bmp", "info", "pipe.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;

    writeFile(dir.file("in.bmp"), makeBmp(300, 100, 24, {}, [](int x, int) { return x * 0x010101u; }));
    writeText(dir.file("out.bmp"), "old");
    r = run({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"", binary("vandrel").string(), "bmp",
                "copy", "in.bmp", "out.bmp"},
        dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write out.bmp: File too large"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir.file("out.bmp")), Bytes({'o', 'l', 'd'}));
}
