// SPDX-License-Identifier: MIT
// How much of the system a command loads: the commands that read files and
// print text start with Qt Core and the readers alone; the ones that draw run
// in the full program, whichever half the user called.
#include "support/DbfWriter.h"
#include "support/DwgWriter.h"
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <set>
#include <sstream>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

// The shared objects the loader opened while the program ran args (its own
// report, so libraries opened later, or after handing over, count too).
std::set<std::string> loadedBy(const TempDir& dir, const std::vector<std::string>& args, RunResult* result = nullptr,
    const char* program = "vandrel")
{
    std::vector<std::string> argv {binary(program).string()};
    argv.insert(argv.end(), args.begin(), args.end());
    const RunResult r = run(argv, dir.path(), {{"LD_DEBUG", "files"}});
    if (result)
        *result = r;
    std::set<std::string> names;
    std::istringstream lines(r.err);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find("file=");
        const auto end = line.find(" [", at);
        if (at != std::string::npos && end != std::string::npos && line.find("needed by") != std::string::npos)
            names.insert(fs::path(line.substr(at + 5, end - at - 5)).filename().string());
    }
    return names;
}

bool loadsAny(const std::set<std::string>& names, std::initializer_list<const char*> prefixes)
{
    for (const auto& name : names)
        for (const char* prefix : prefixes)
            if (name.rfind(prefix, 0) == 0)
                return true;
    return false;
}

} // namespace

TEST(VandrelStartup, TextCommandsLoadNoGuiToolkit)
{
    TempDir dir;
    DbfTable table;
    table.fields = {{"NAME", 'C', 8}};
    table.records = {{"Ann"}};
    table.deleted = {false};
    writeFile(dir.file("t.dbf"), table.bytes());
    writeFile(dir.file("a.sld"), SlideWriter().color(1).vector(0, 0, 9, 9).end().bytes());
    writeFile(dir.file("lib.slb"), makeLibrary({{"A", SlideWriter().end().bytes()}}));
    writeText(dir.file("a.ini"), "[S]\nK=v\n");
    writeFile(dir.file("a.dwg"), makeDwg("AC1015", {}));
    writeText(dir.file("a.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n0\nEOF\n");
    ASSERT_EQ(runVandrel({"album", "sqlite:a.db", "init"}, dir.path()).status, 0);
    const std::vector<std::vector<std::string>> commands {
        {"--version"},
        {"--help"},
        {"calc", "2*3"},
        {"aci", "red"},
        {"dbf", "info", "t.dbf"},
        {"dbf", "dump", "t.dbf"},
        {"slide", "info", "a.sld"},
        {"slb", "list", "lib.slb"},
        {"ini", "get", "a.ini", "S", "K"},
        {"airfoil", "naca4", "2412", "-o", "a.svg"},
        {"album", "sqlite:a.db", "find"},
        {"dwg", "info", "a.dwg"},
        {"dxf", "info", "a.dxf"},
    };
    for (const auto& args : commands) {
        RunResult r;
        const auto names = loadedBy(dir, args, &r);
        EXPECT_EQ(r.status, 0) << args.front() << ": " << r.err.substr(r.err.size() > 400 ? r.err.size() - 400 : 0);
        ASSERT_FALSE(names.empty()) << "the loader reported nothing";
        EXPECT_FALSE(loadsAny(names,
            {"libQt6Gui", "libQt6Widgets", "libQt6Multimedia", "libQt6PrintSupport", "libMagick", "libKivCtrl",
                "libKivGui", "libKivLead", "libpq"}))
            << args.front();
        if (args.front() == "--version" || args.front() == "dbf") {
            EXPECT_LE(names.size(), 25u) << args.front();
        }
    }
}

TEST(VandrelStartup, DrawingCommandsRunInTheFullProgram)
{
    TempDir dir;
    writeFile(dir.file("a.sld"), SlideWriter().color(1).vector(0, 0, 9, 9).end().bytes());
    QImage(8, 6, QImage::Format_RGB32).save(QString::fromStdString(dir.file("p.png")));
    RunResult r;
    EXPECT_TRUE(loadsAny(loadedBy(dir, {"image", "info", "p.png"}, &r), {"libMagick"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("width:           8"), std::string::npos) << r.out;
    // The same command line, answered by the other half: options before the
    // command and the exit status go across.
    const auto png = runVandrel({"--yes", "airfoil", "naca4", "0012", "-o", "a.png", "--size", "40x30"}, dir.path());
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("a.png"))).size(), QSize(40, 30));
    EXPECT_EQ(runVandrel({"slide", "render", "missing.sld", "-o", "x.png"}, dir.path()).status, 1);
}

TEST(VandrelStartup, AMissingFullProgramIsNamed)
{
    // A copy of the front without its other half beside it.
    TempDir dir;
    fs::create_directories(dir.file("bin"));
    fs::copy_file(binary("vandrel"), dir.file("bin/vandrel"));
    fs::create_directory_symlink(binary("vandrel").parent_path().parent_path() / "lib", dir.file("lib"));
    QImage(8, 6, QImage::Format_RGB32).save(QString::fromStdString(dir.file("p.png")));
    const auto text = run({dir.file("bin/vandrel"), "calc", "1+1"}, dir.path());
    EXPECT_EQ(text.status, 0) << text.err;
    const auto r = run({dir.file("bin/vandrel"), "image", "info", "p.png"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot run "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("vandrel-full: No such file or directory"), std::string::npos) << r.err;
}

TEST(VandrelStartup, TheThumbnailerDrawsSlidesWithoutTheGuiToolkit)
{
    TempDir dir;
    const Bytes slide = SlideWriter(100, 50).color(1).vector(0, 0, 100, 50).end().bytes();
    writeFile(dir.file("a.sld"), slide);
    writeFile(dir.file("lib.slb"), makeLibrary({{"FIRST", slide}}));
    writeFile(dir.file("a.dwg"), makeDwg("AC1015", {}));
    for (const char* input : {"a.sld", "lib.slb"}) {
        RunResult r;
        const auto names = loadedBy(dir, {"-s", "64", input, "out.png"}, &r, "vandrel-thumbnailer");
        EXPECT_EQ(r.status, 0) << input;
        EXPECT_FALSE(loadsAny(names, {"libQt6Gui", "libQt6Widgets", "libKivGui", "libKivCtrl"})) << input;
        EXPECT_EQ(QImage(QString::fromStdString(dir.file("out.png"))).size(), QSize(64, 32)) << input;
    }
    // A drawing goes to the half that decodes pictures, with the same
    // arguments and the same one-line failure.
    RunResult r;
    EXPECT_TRUE(loadsAny(loadedBy(dir, {"-s", "64", "a.dwg", "d.png"}, &r, "vandrel-thumbnailer"), {"libQt6Gui"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("a.dwg: holds no preview picture"), std::string::npos) << r.err;
}
