// SPDX-License-Identifier: MIT
#include "support/DwgWriter.h"
#include "support/SlideWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <map>
#include <sstream>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

RunResult thumbnail(const std::string& size, const std::string& input, const std::string& output)
{
    return run({binary("vandrel-thumbnailer").string(), "-s", size, input, output});
}

QImage image(const std::string& path)
{
    return QImage(QString::fromStdString(path));
}

Bytes wideSlide()
{
    // 400 × 100, a red diagonal.
    return SlideWriter(400, 100).color(1).vector(0, 0, 400, 100).end().bytes();
}

std::string text(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(Thumbnailer, DrawsSlidesLibrariesAndDrawingsIntoTheSize)
{
    TempDir dir;
    writeFile(dir.file("wide.sld"), wideSlide());
    writeFile(dir.file("lib.slb"), makeLibrary({{"FIRST", wideSlide()}, {"OTHER", SlideWriter(10, 10).end().bytes()}}));
    std::vector<std::uint8_t> pixels(64 * 32, 1);
    writeFile(dir.file("plan.dwg"),
        makeDwg("AC1018", {{1, Bytes(80, 0)}, {2, makeDib8(64, 32, {0xFFFFFF, 0x0000FF}, pixels)}}));

    for (const std::string& input : {dir.file("wide.sld"), dir.file("lib.slb"), "file://" + dir.file("wide.sld")}) {
        const RunResult r = thumbnail("128", input, dir.file("out.png"));
        ASSERT_EQ(r.status, 0) << input << r.err;
        const QImage png = image(dir.file("out.png"));
        EXPECT_EQ(png.size(), QSize(128, 32)) << input;
        int red = 0;
        for (int y = 0; y < png.height(); ++y)
            red += (png.pixel(64, y) & 0xFFFFFF) == 0xFF0000u;
        EXPECT_GE(red, 1) << "the red diagonal, " << input;
        EXPECT_EQ(png.pixel(120, 2) & 0xFFFFFF, 0u);
        fs::remove(dir.file("out.png"));
    }
    // A preview is made smaller, never larger.
    ASSERT_EQ(thumbnail("256", dir.file("plan.dwg"), dir.file("big.png")).status, 0);
    EXPECT_EQ(image(dir.file("big.png")).size(), QSize(64, 32));
    EXPECT_EQ(image(dir.file("big.png")).pixel(30, 10) & 0xFFFFFF, 0x0000FFu);
    ASSERT_EQ(thumbnail("32", dir.file("plan.dwg"), dir.file("small.png")).status, 0);
    EXPECT_EQ(image(dir.file("small.png")).size(), QSize(32, 16));
}

TEST(Thumbnailer, FailsWithOneLineAndNoFileForWhatItCannotDraw)
{
    TempDir dir;
    writeFile(dir.file("junk.sld"), Bytes(64, 0x41));
    writeFile(dir.file("junk.dwg"), Bytes(64, 0x41));
    writeFile(dir.file("empty.slb"), makeLibrary({}));
    writeFile(dir.file("old.dwg"), makeDwg("AC1009", {}));
    writeText(dir.path() / "notes.txt", "x");
    writeText(dir.path() / "out.png", "old");
    for (const std::string& input : {dir.file("junk.sld"), dir.file("junk.dwg"), dir.file("empty.slb"),
             dir.file("old.dwg"), dir.file("notes.txt"), dir.file("missing.sld"), dir.path().string()}) {
        const RunResult r = thumbnail("128", input, dir.file("out.png"));
        EXPECT_EQ(r.status, 1) << input;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(text(dir.path() / "out.png"), "old") << "the output is left alone";
    }
    EXPECT_EQ(thumbnail("0", dir.file("junk.sld"), dir.file("x.png")).status, 2);
    EXPECT_EQ(thumbnail("12x", dir.file("junk.sld"), dir.file("x.png")).status, 2);
    EXPECT_NE(run({binary("vandrel-thumbnailer").string()}).status, 0);
    // An output that is the input itself, through a link: refused, the slide kept.
    writeFile(dir.file("ok.sld"), wideSlide());
    fs::create_symlink(dir.file("ok.sld"), dir.file("ok.png"));
    const RunResult self = thumbnail("64", dir.file("ok.sld"), dir.file("ok.png"));
    EXPECT_EQ(self.status, 1);
    EXPECT_NE(self.err.find("is the input itself"), std::string::npos) << self.err;
    EXPECT_EQ(readFile(dir.file("ok.sld")), wideSlide());
    // An output folder that does not exist: no file, status 1.
    const RunResult r = thumbnail("64", dir.file("ok.sld"), dir.file("no/such/out.png"));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(dir.file("no/such/out.png")));
}

TEST(Thumbnailer, InstalledEntryAndFileTypesParse)
{
    TempDir prefix;
    const RunResult install = run({VANDREL_CMAKE, "--install", VANDREL_BUILD_DIR, "--prefix", prefix.path().string(),
        "--component", "thumbnailer"});
    ASSERT_EQ(install.status, 0) << install.out << install.err;
    const fs::path entry = prefix.path() / "share/thumbnailers/vandrel.thumbnailer";
    ASSERT_TRUE(fs::exists(entry));
    // A desktop entry: one group, key=value lines, lists ending in ";".
    std::map<std::string, std::string> keys;
    std::istringstream lines(text(entry));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "[Thumbnailer Entry]");
    while (std::getline(lines, line))
        if (const auto eq = line.find('='); eq != std::string::npos)
            keys[line.substr(0, eq)] = line.substr(eq + 1);
    const std::string program = (prefix.path() / "bin/vandrel-thumbnailer").string();
    EXPECT_EQ(keys["Exec"], program + " -s %s %i %o");
    EXPECT_EQ(keys["TryExec"], program);
    EXPECT_TRUE(fs::exists(program));
    EXPECT_TRUE(fs::exists(prefix.path() / "libexec/vandrel/vandrel-thumbnailer-full")) << "the half drawings go to";
    EXPECT_EQ(keys["MimeType"], "image/vnd.sld;application/x-autocad-slide-library;image/vnd.dwg;image/vnd.dxf;");

    const fs::path mime = prefix.path() / "share/mime";
    ASSERT_TRUE(fs::exists(mime / "packages/vandrel.xml"));
    const RunResult probe = run({"sh", "-c", "command -v update-mime-database"});
    if (probe.status != 0)
        GTEST_SKIP() << "update-mime-database is not installed";
    const RunResult update = run({"update-mime-database", "-V", mime.string()});
    ASSERT_EQ(update.status, 0) << update.err;
    EXPECT_EQ(update.err.find("rror"), std::string::npos) << update.err;
    for (const char* type : {"image/vnd.sld.xml", "application/x-autocad-slide-library.xml", "image/vnd.dwg.xml"})
        EXPECT_TRUE(fs::exists(mime / type)) << type;
    const std::string globs = text(mime / "globs2");
    EXPECT_NE(globs.find("image/vnd.sld:*.sld"), std::string::npos) << globs;
    EXPECT_NE(globs.find("application/x-autocad-slide-library:*.slb"), std::string::npos);
    EXPECT_NE(text(mime / "magic").find("AutoCAD Slide\r\n"), std::string::npos) << "escapes were read";
}
