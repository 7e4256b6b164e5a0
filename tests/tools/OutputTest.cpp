// What every command does when its results cannot be written: a full disk
// or a closed pipe is a failure with the system's reason, never exit 0; and
// commands keep the toolkit's own chatter off standard error.
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

using namespace testsupport;

namespace {

// vandrel with args, its standard output the full device.
RunResult toFullDisk(const TempDir& dir, const std::vector<std::string>& args)
{
    std::vector<std::string> argv {"/bin/sh", "-c", "exec \"$0\" \"$@\" > /dev/full", binary("vandrel").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv, dir.path());
}

} // namespace

TEST(VandrelOutput, AFullDiskIsAFailureWithItsReason)
{
    TempDir dir;
    writeFile(dir.file("a.sld"), SlideWriter().color(1).vector(0, 0, 9, 9).end().bytes());
    writeFile(dir.file("lib.slb"), makeLibrary({{"A", SlideWriter().end().bytes()}}));
    QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(dir.file("p.png")));
    ASSERT_EQ(runVandrel({"album", "sqlite:a.db", "init"}, dir.path()).status, 0);
    const std::vector<std::vector<std::string>> commands {
        {"--version"},
        {"--help"},
        {"calc", "2*3^2"},
        {"aci", "21"},
        {"airfoil", "naca4", "2412", "--nodes", "100000"},
        {"timer", "--countdown", "00:00:00"},
        {"album", "sqlite:a.db", "find"},
        {"slb", "list", "lib"},
        {"slide", "info", "a.sld"},
        {"image", "info", "p.png"},
        {"image", "edit", "--list"},
    };
    for (const auto& args : commands) {
        const auto r = toFullDisk(dir, args);
        EXPECT_EQ(r.status, 1) << args.front();
        EXPECT_NE(r.err.find("cannot write to standard output: No space left on device"), std::string::npos)
            << args.front() << ": " << r.err;
    }
}

TEST(VandrelOutput, CommandsThatDrawNoWindowKeepTheToolkitQuiet)
{
    TempDir dir;
    // Without a runtime folder Qt would warn about it on the first path it looks up.
    const auto r
        = run({"/usr/bin/env", "-u", "XDG_RUNTIME_DIR", binary("vandrel").string(), "calc", "1+1"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(r.err, "");
}
