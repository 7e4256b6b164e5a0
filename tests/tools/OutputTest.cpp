// SPDX-License-Identifier: MIT
// What every command does when its results cannot be written: a full disk
// or a closed pipe is a failure with the system's reason, never exit 0; and
// commands keep the toolkit's own chatter off standard error.
#include "support/DbfWriter.h"
#include "support/DwgWriter.h"
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

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

// One command line per row, run with its standard output on a full disk in
// a folder of small inputs made once.
class VandrelFullDisk : public testing::TestWithParam<std::vector<std::string>> {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempDir;
        writeFile(dir->file("a.sld"), SlideWriter().color(1).vector(0, 0, 9, 9).end().bytes());
        writeFile(dir->file("lib.slb"), makeLibrary({{"A", SlideWriter().end().bytes()}}));
        QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(dir->file("p.png")));
        DbfTable table;
        table.fields = {{"NAME", 'C', 8}};
        table.records = {{"Ann"}};
        table.deleted = {false};
        writeFile(dir->file("t.dbf"), table.bytes());
        writeFile(dir->file("a.dwg"), makeDwg("AC1015", {}));
        ASSERT_EQ(runVandrel({"album", "sqlite:a.db", "init"}, dir->path()).status, 0);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    static TempDir* dir;
};

TempDir* VandrelFullDisk::dir = nullptr;

TEST_P(VandrelFullDisk, IsAFailureWithItsReason)
{
    const auto r = toFullDisk(*dir, GetParam());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write to standard output: No space left on device"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Commands, VandrelFullDisk,
    testing::Values(std::vector<std::string> {"--version"}, std::vector<std::string> {"--help"},
        std::vector<std::string> {"calc", "2*3^2"}, std::vector<std::string> {"aci", "21"},
        std::vector<std::string> {"airfoil", "naca4", "2412", "--nodes", "100000"},
        std::vector<std::string> {"timer", "--countdown", "00:00:00"},
        std::vector<std::string> {"album", "sqlite:a.db", "find"}, std::vector<std::string> {"slb", "list", "lib"},
        std::vector<std::string> {"slide", "info", "a.sld"}, std::vector<std::string> {"image", "info", "p.png"},
        std::vector<std::string> {"image", "edit", "--list"}, std::vector<std::string> {"dbf", "dump", "t.dbf"},
        std::vector<std::string> {"dwg", "info", "a.dwg"}),
    [](const testing::TestParamInfo<std::vector<std::string>>& info) {
        std::string name;
        for (const std::string& arg : info.param)
            for (char c : arg)
                if (std::isalnum(static_cast<unsigned char>(c)))
                    name += c;
        return name + "_" + std::to_string(info.index);
    });

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
