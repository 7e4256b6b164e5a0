// SPDX-License-Identifier: MIT
// vandrel dwg and vandrel ini, run as processes.
#include "support/DwgWriter.h"
#include "support/HttpTestServer.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

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

TEST(VandrelDwg, ADrawingWithoutAPictureIsAnError)
{
    TempDir dir;
    writeFile(dir.file("empty.dwg"), makeDwg("AC1032", {{1, Bytes(80, 0)}}));
    auto r = vandrel(dir, {"dwg", "preview", "empty.dwg", "-o", "e.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("holds no preview picture"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("e.png"))) << "no blank picture";

    // Release 2.1: its text sorts above "AC1014", its bytes at 13 are no address.
    writeFile(
        dir.file("r21.dwg"), makeDwg("AC2.10", {{1, Bytes(80, 0)}, {2, makeDib8(2, 2, {0xFFFFFF}, {0, 0, 0, 0})}}));
    r = vandrel(dir, {"dwg", "info", "r21.dwg"});
    EXPECT_NE(r.out.find("AC2.10 (0)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("before release 13"), std::string::npos);
    r = vandrel(dir, {"dwg", "preview", "r21.dwg", "-o", "r21.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("before release 13"), std::string::npos) << r.err;

    // 32768 × 32768 in a few bytes of runs: info tells the size, preview refuses it.
    writeFile(
        dir.file("bomb.dwg"), makeDwg("AC1015", {{1, Bytes(80, 0)}, {2, makeRle8Dib(32768, 32768, {0}, {0, 1})}}));
    r = vandrel(dir, {"dwg", "info", "bomb.dwg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("image:    32768 x 32768"), std::string::npos) << r.out;
    r = vandrel(dir, {"dwg", "preview", "bomb.dwg", "-o", "bomb.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos) << r.err;
    writeFile(dir.file("png.dwg"), makeDwg("AC1027", {{1, Bytes(80, 0)}, {6, makePngHeader(100000, 100000)}}));
    EXPECT_EQ(vandrel(dir, {"dwg", "preview", "png.dwg", "-o", "png.png"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("png.png")));
}

TEST(VandrelDwg, InfoEscapesControlBytesAndRefusesWhatIsNoFile)
{
    TempDir dir;
    // Only what starts with "AC" and a release is a drawing: not a text or
    // a web page, nor a crafted version of control bytes.
    writeFile(dir.file("esc.dwg"), makeDwg("AC\x1b[2J", {}));
    writeText(dir.file("page.dwg"), "<html><body>hello</body></html>");
    for (const char* file : {"esc.dwg", "page.dwg"}) {
        const auto r = vandrel(dir, {"dwg", "info", file});
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_NE(r.err.find("is no DWG drawing"), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find('\x1b') + r.err.find('\x1b'), 2 * std::string::npos) << "no escape reaches the terminal";
        EXPECT_EQ(vandrel(dir, {"dwg", "preview", file, "-o", "x.png"}).status, 1);
    }
    // The releases before 10 wrote "AC1.50", "AC2.10": drawings without a preview.
    writeFile(dir.file("old.dwg"), makeDwg("AC2.10", {}));
    auto r = vandrel(dir, {"dwg", "info", "old.dwg"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("version:  AC2.10 (0)"), std::string::npos) << r.out;

    ASSERT_EQ(run({"mkfifo", dir.file("pipe.dwg")}).status, 0);
    r = vandrel(dir, {"dwg", "info", "pipe.dwg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    r = vandrel(dir, {"dwg", "info", "."});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
}

TEST(VandrelDwg, DownloadsWithinTheirLimits)
{
    TempDir dir, temp;
    const auto env = [&](std::vector<std::pair<std::string, std::string>> more) {
        more.push_back({"XDG_CONFIG_HOME", dir.path().string()});
        more.push_back({"TMPDIR", temp.path().string()});
        return more;
    };
    HttpTestServer good(HttpTestServer::Mode::Serve,
        makeDwg("AC1018", {{1, Bytes(80, 0)}, {2, makeDib8(2, 2, {0xFFFFFF}, {0, 0, 0, 0})}}));
    auto r = runVandrel({"dwg", "preview", good.url(), "-o", "a.png", "--image-back", "#00ff00"}, dir.path(), env({}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("a.png"))).pixel(160, 120) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(good.requests(), 1);

    HttpTestServer trickle(HttpTestServer::Mode::Trickle);
    r = runVandrel({"dwg", "info", trickle.url()}, dir.path(), env({{"VANDREL_DOWNLOAD_TIMEOUT_MS", "1000"}}));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("within 1 s"), std::string::npos) << r.err;

    HttpTestServer endless(HttpTestServer::Mode::Endless);
    r = runVandrel({"dwg", "info", endless.url()}, dir.path(), env({{"VANDREL_DOWNLOAD_MAX_BYTES", "300000"}}));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cap of 300000 bytes"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(temp.path())) << "no partial file is left";
}

TEST(VandrelDwg, DownloadsAreTriedAgainAndLeaveNothingBehind)
{
    TempDir dir, temp;
    // A server that never answers is tried again, three times.
    HttpTestServer silent(HttpTestServer::Mode::Silent);
    auto r = runVandrel({"dwg", "info", silent.url()}, dir.path(), {{"TMPDIR", temp.path().string()}});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no answer within 1 s, 4 times"), std::string::npos) << r.err;
    EXPECT_GE(silent.requests(), 4);
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
    // Interrupted or ended halfway, the partial file goes with the process.
    HttpTestServer trickle(HttpTestServer::Mode::Trickle);
    for (const char* signal : {"INT", "TERM"}) {
        r = run({"/bin/sh", "-c", std::string("\"$0\" \"$@\" & pid=$!; sleep 1; kill -") + signal + " $pid; wait $pid",
                    binary("vandrel").string(), "dwg", "info", trickle.url()},
            dir.path(), {{"TMPDIR", temp.path().string()}});
        EXPECT_NE(r.status, 0) << signal;
        EXPECT_TRUE(std::filesystem::is_empty(temp.path())) << signal;
    }
}

TEST(VandrelDwg, AFailedWriteKeepsTheOldFileAndSaysWhy)
{
    TempDir dir;
    writeFile(dir.file("a.dwg"), makeDwg("AC1018", {{1, Bytes(80, 0)}, {2, makeDib8(2, 2, {0xFFFFFF}, {0, 0, 0, 0})}}));
    writeText(dir.file("out.bmp"), "the old picture");
    // A file size limit makes the write fail the way a full disk does.
    const auto r = run({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"", binary("vandrel").string(),
                           "dwg", "preview", "a.dwg", "-o", "out.bmp", "--size", "200x200"},
        dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write out.bmp: File too large"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir.file("out.bmp")),
        Bytes({'t', 'h', 'e', ' ', 'o', 'l', 'd', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 2) << "no temporary file is left";
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
    EXPECT_EQ(vandrel(dir, {"ini", "get", "app.ini", "Main"}).status, 2) << "get without KEY is a usage error";
}
