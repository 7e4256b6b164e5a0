// vandrel dwg and vandrel ini, run as processes.
#include "support/DwgWriter.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace testsupport;

namespace {
RunResult vandrel(const TempDir& dir, std::vector<std::string> args)
{
    return runVandrel(std::move(args), dir.path(), {{"XDG_CONFIG_HOME", dir.path().string()}});
}
} // namespace

TEST(VandrelDwg, InfoAndPreview)
{
    TempDir dir;
    writeFile(dir.file("a.dwg"), makeDwg("AC1018", {{1, Bytes(80, 0)}, {2, makeDib8(2, 2, {0xFFFFFF}, {0, 0, 0, 0})}}));
    auto r = vandrel(dir, {"dwg", "info", "a.dwg"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("AC1018 (1499)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("code 2 bitmap"), std::string::npos);
    EXPECT_NE(r.out.find("2 x 2"), std::string::npos);

    r = vandrel(dir,
        {"dwg", "preview", "a", "-o", "a.png", "--size", "10x10", "--autosize", "--image-back", "#00ff00", "--back",
            "#0000ff"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(QString::fromStdString(dir.file("a.png")));
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0x00FF00u);

    EXPECT_EQ(vandrel(dir, {"dwg", "preview", "none.dwg", "-o", "x.png"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"dwg", "info", "none.dwg"}).status, 1);

    writeFile(dir.file("old.dwg"), makeDwg("AC1009", {}));
    r = vandrel(dir, {"dwg", "info", "old.dwg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("before release 13"), std::string::npos);
}

TEST(VandrelIni, PlainNumberedAndEnciphered)
{
    TempDir dir;
    EXPECT_EQ(vandrel(dir, {"ini", "set", "app.ini", "Main", "Name", "Kim"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "main", "NAME"}).out, "Kim\n");
    EXPECT_EQ(vandrel(dir, {"ini", "set", "app.ini", "Main", "Item", "three", "--number", "3"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Main", "Item3"}).out, "three\n");
    EXPECT_EQ(vandrel(dir, {"ini", "set", "app.ini", "Login", "Pass", "abc", "--password", "secret"}).status, 0);
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Login", "Pass", "-p", "secret"}).out, "abc\n");
    const Bytes b = readFile(dir.file("app.ini"));
    const std::string text(b.begin(), b.end());
    EXPECT_EQ(text.find("abc"), std::string::npos) << "stored enciphered";
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Main", "Missing"}).status, 1);
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Main"}).status, 1);
}
