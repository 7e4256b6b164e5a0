// SPDX-License-Identifier: MIT
// vandrel slide and slb, run as processes.
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {
RunResult vandrel(const TempDir& dir, std::vector<std::string> args)
{
    return runVandrel(std::move(args), dir.path());
}
} // namespace

TEST(VandrelSlide, InfoReportsFormatRecordsAndResult)
{
    TempDir dir;
    writeFile(dir.file("a.sld"), SlideWriter(640, 480, 2, true).color(1).vector(1, 2, 3, 4).end().bytes());
    auto r = vandrel(dir, {"slide", "info", "a.sld"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("level 2"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("big-endian"), std::string::npos);
    EXPECT_NE(r.out.find("640 x 480"), std::string::npos);
    EXPECT_NE(r.out.find("1 vectors, 0 fills, 1 colours, end record"), std::string::npos);

    writeFile(dir.file("cut.sld"), SlideWriter().vector(1, 2, 3, 4).bytes());
    r = vandrel(dir, {"slide", "info", "cut.sld"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Warning--Slide prepared for different display."), std::string::npos);

    r = vandrel(dir, {"slide", "info", "none.sld"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\"none.sld\": Can't open file"), std::string::npos);
}

TEST(VandrelSlb, EveryActionEndToEnd)
{
    TempDir dir;
    const Bytes one = SlideWriter().color(1).end().bytes(), two = SlideWriter().color(2).end().bytes();
    writeFile(dir.file("one.sld"), one);
    writeFile(dir.file("two.sld"), two);
    fs::create_directory(dir.path() / "out");

    EXPECT_EQ(vandrel(dir, {"slb", "create", "lib"}).status, 0);
    EXPECT_EQ(readFile(dir.file("lib.slb")).size(), 68u);
    EXPECT_EQ(vandrel(dir, {"slb", "append", "lib", "one.sld", "two"}).status, 0);
    auto r = vandrel(dir, {"slb", "list", "LIB.SLB"});
    EXPECT_EQ(r.out, "ONE\nTWO\n");
    r = vandrel(dir, {"slb", "list", "lib", "--long"});
    EXPECT_NE(r.out.find("140"), std::string::npos) << r.out;

    r = vandrel(dir, {"slb", "append", "lib", "one.sld"});
    EXPECT_EQ(r.status, 8);
    EXPECT_NE(r.err.find("Slide ONE already exists in library lib."), std::string::npos);

    EXPECT_EQ(vandrel(dir, {"slb", "extract", "lib", "two", "-d", "out"}).status, 0);
    EXPECT_EQ(readFile(dir.path() / "out" / "TWO.SLD"), two);
    EXPECT_EQ(vandrel(dir, {"slb", "replace", "lib", "one.sld"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "lib"}).out, "TWO\nONE\n");
    EXPECT_EQ(vandrel(dir, {"slb", "delete", "lib", "two"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"slb", "delete", "lib", "two"}).status, 5);
    EXPECT_EQ(vandrel(dir, {"slb", "explode", "lib", "--dir", "out"}).status, 0);
    EXPECT_EQ(readFile(dir.path() / "out" / "ONE.SLD"), one);
    // one.sld beside the library is replaced only when the user says so.
    EXPECT_EQ(vandrel(dir, {"slb", "remove", "lib", "one"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"--yes", "slb", "remove", "lib", "one"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "lib"}).status, 7);

    // Several slides go in one rewrite; a missing one is named, the rest go.
    for (const char* f : {"a.sld", "b.sld", "c.sld"})
        writeFile(dir.file(f), one);
    EXPECT_EQ(vandrel(dir, {"slb", "append", "lib", "a.sld", "b.sld", "c.sld", "one.sld"}).status, 0);
    r = vandrel(dir, {"slb", "delete", "lib", "a", "zz", "c"});
    EXPECT_EQ(r.status, 5);
    EXPECT_NE(r.err.find("zz"), std::string::npos) << r.err;
    EXPECT_EQ(vandrel(dir, {"slb", "list", "lib"}).out, "B\nONE\n");
    EXPECT_EQ(vandrel(dir, {"--yes", "slb", "remove", "lib", "b", "one", "-d", "out"}).status, 0);
    EXPECT_EQ(readFile(dir.path() / "out" / "B.SLD"), one);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "lib"}).status, 7);

    EXPECT_EQ(vandrel(dir, {"slb", "frobnicate", "lib"}).status, 2);
    EXPECT_EQ(vandrel(dir, {"slb", "append", "lib"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"slb", "--help"}).status, 0);
}

TEST(VandrelSlb, ExtractingOverAFileAsksFirstAndMakesTheFolder)
{
    TempDir dir;
    const Bytes door = SlideWriter().color(1).end().bytes(), window = SlideWriter().color(2).end().bytes();
    writeFile(dir.file("lib.slb"), makeLibrary({{"DOOR", door}, {"WINDOW", window}}));
    fs::create_directory(dir.path() / "out");
    writeText(dir.file("out/door.sld"), "my own drawing");
    // A console answers No: nothing is written, the existing file is named.
    for (const std::vector<std::string>& args :
        std::vector<std::vector<std::string>> {{"slb", "extract", "lib", "door", "-d", "out"},
            {"slb", "explode", "lib", "-d", "out"}, {"slb", "remove", "lib", "DOOR", "-d", "out"}}) {
        const auto r = vandrel(dir, args);
        EXPECT_EQ(r.status, 1) << args[1];
        EXPECT_NE(r.err.find("door.sld exists"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--yes"), std::string::npos) << r.err;
    }
    const Bytes mine = readFile(dir.file("out/door.sld"));
    EXPECT_EQ(std::string(mine.begin(), mine.end()), "my own drawing");
    EXPECT_FALSE(fs::exists(dir.file("out/WINDOW.SLD")));
    EXPECT_EQ(vandrel(dir, {"slb", "list", "lib"}).out, "DOOR\nWINDOW\n");
    // --yes replaces it, in its own letter case.
    EXPECT_EQ(vandrel(dir, {"--yes", "slb", "explode", "lib", "-d", "out"}).status, 0);
    EXPECT_EQ(readFile(dir.file("out/door.sld")), door);
    EXPECT_FALSE(fs::exists(dir.file("out/DOOR.SLD")));
    // A folder that is not there yet is made, parents and all.
    EXPECT_EQ(vandrel(dir, {"slb", "explode", "lib", "-d", "new/deeper"}).status, 0);
    EXPECT_EQ(readFile(dir.file("new/deeper/WINDOW.SLD")), window);
    // A file where the folder should be is named as the cause.
    writeText(dir.file("plain"), "x");
    const auto r = vandrel(dir, {"slb", "extract", "lib", "door", "-d", "plain"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("plain is no folder"), std::string::npos) << r.err;
}

TEST(VandrelSlb, FolderNamesAreNeverFoldedOnTheCommandLine)
{
    TempDir dir;
    fs::create_directory(dir.path() / "proj");
    fs::create_directory(dir.path() / "Proj");
    const Bytes library = makeLibrary({{"DOOR", SlideWriter().end().bytes()}});
    writeFile(dir.file("proj/lib.slb"), library);
    auto r = vandrel(dir, {"slb", "delete", "Proj/lib.slb", "DOOR"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Proj/lib.slb"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir.file("proj/lib.slb")), library);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "Proj/lib.slb"}).out, "");
    EXPECT_EQ(vandrel(dir, {"slb", "list", "proj/LIB.SLB"}).out, "DOOR\n");
    // "parts.lib": the one file that exists, for listing and changing alike.
    writeFile(dir.file("parts.lib"), library);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "parts.lib"}).out, "DOOR\n");
}

TEST(VandrelSlb, AReadOnlyLibraryIsLeftAlone)
{
    TempDir dir;
    writeFile(dir.file("ro.slb"), makeLibrary({{"A", SlideWriter().end().bytes()}}));
    fs::permissions(dir.file("ro.slb"), fs::perms::owner_read);
    EXPECT_EQ(vandrel(dir, {"slb", "delete", "ro", "A"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "ro"}).out, "A\n");
}

TEST(VandrelSlb, SlideNamesCannotSendEscapesToTheTerminal)
{
    TempDir dir;
    writeFile(dir.file("evil.slb"),
        makeLibrary({{"A\x1b]0;owned\x07"
                      "B",
            SlideWriter().end().bytes()}}));
    const auto r = vandrel(dir, {"slb", "list", "evil"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "A\\x1b]0;owned\\x07B\n");
}

TEST(VandrelSlb, CreateEmptiesAnExistingLibraryOnlyWhenTold)
{
    TempDir dir;
    const Bytes library = makeLibrary({{"A", SlideWriter().end().bytes()}});
    writeFile(dir.file("parts.slb"), library);
    EXPECT_EQ(vandrel(dir, {"slb", "create", "parts"}).status, 1);
    EXPECT_EQ(readFile(dir.file("parts.slb")), library);
    EXPECT_EQ(vandrel(dir, {"--yes", "slb", "create", "parts"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"slb", "list", "parts"}).status, 7);
}
