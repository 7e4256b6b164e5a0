// SPDX-License-Identifier: MIT
// The installer run as a process in a scratch folder with its own system
// directory and registry store.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

class Installer : public testing::Test {
protected:
    TempDir dir;
    fs::path sys = dir.path() / "sys";
    fs::path work = dir.path() / "work";
    void SetUp() override
    {
        fs::create_directories(sys);
        fs::create_directories(work);
    }
    void list(const std::string& text) { writeText(work / "FILELIST.TXT", text); }
    void file(const std::string& name, const std::string& text = "bytes") { writeText(work / name, text); }
    RunResult install()
    {
        return run({binary("installer").string()}, work,
            {{"VANDREL_SYSTEM_DIR", sys.string()}, {"XDG_CONFIG_HOME", (dir.path() / "cfg").string()}});
    }
    std::string registry()
    {
        std::ifstream in(dir.path() / "cfg" / "vandrel" / "registry" / "HKEY_CLASSES_ROOT.reg");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

} // namespace

TEST_F(Installer, NoListPrintsNothingAndExitsZero)
{
    const auto r = install();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST_F(Installer, CopiesEveryEntryAndRegistersControlsIgnoringCase)
{
    file("KivCtrl.so", "library");
    file("MYCTRL.OCX", "upper");
    file("other.ocx", "lower");
    list("KivCtrl.so\nMYCTRL.OCX\nother.ocx\n");
    const auto r = install();
    EXPECT_EQ(r.status, 1) << r.err;
    const std::string s = sys.string();
    EXPECT_EQ(r.out,
        "\nCopy KivCtrl.so -> " + s + "/KivCtrl.so" + "\nCopy MYCTRL.OCX -> " + s + "/MYCTRL.OCX" + "\nRegister " + s
            + "/MYCTRL.OCX" + "\nCopy other.ocx -> " + s + "/other.ocx" + "\nRegister " + s + "/other.ocx\n");
    EXPECT_EQ(readFile(sys / "KivCtrl.so"), readFile(work / "KivCtrl.so"));
    EXPECT_NE(registry().find("\"MYCTRL.OCX\"=\"" + s + "/MYCTRL.OCX\""), std::string::npos) << registry();
    EXPECT_NE(registry().find("\"other.ocx\"=\"" + s + "/other.ocx\""), std::string::npos);

    // Copies overwrite.
    file("KivCtrl.so", "newer library");
    list("KivCtrl.so\n");
    EXPECT_EQ(install().status, 1);
    EXPECT_EQ(readFile(sys / "KivCtrl.so"), readFile(work / "KivCtrl.so"));
}

TEST_F(Installer, EntriesEndAtTheFirstBlankAndEmptyLinesCopyNothing)
{
    file("first.so");
    list("first.so second.so\n\n\tfirst.so\r\n");
    const auto r = install();
    EXPECT_EQ(r.status, 1) << "an empty entry is no failure: " << r.err;
    const std::string s = sys.string();
    EXPECT_EQ(r.out, "\nCopy first.so -> " + s + "/first.so" + "\nCopy  -> " + s + "/" + "\nCopy  -> " + s + "/\n");
    EXPECT_FALSE(fs::exists(sys / "second.so"));
}

TEST_F(Installer, LongLinesContinueAsTheNextEntry)
{
    const std::string longName(255, 'a');
    file("tail.so");
    list(longName + "tail.so\n");
    const auto r = install();
    EXPECT_NE(r.out.find("\nCopy " + longName + " -> "), std::string::npos);
    EXPECT_NE(r.out.find("\nCopy tail.so -> "), std::string::npos);
    EXPECT_TRUE(fs::exists(sys / "tail.so"));
    EXPECT_EQ(r.status, 0) << "the 255-character name does not exist";
}

TEST_F(Installer, AFailedCopyIsReportedAndFailsTheRun)
{
    file("ok.so");
    list("missing.so\nok.so\nbroken.ocx\n");
    const auto r = install();
    EXPECT_EQ(r.status, 0);
    const std::string s = sys.string();
    // Every line is still printed, the control still registered from its target.
    EXPECT_EQ(r.out,
        "\nCopy missing.so -> " + s + "/missing.so" + "\nCopy ok.so -> " + s + "/ok.so" + "\nCopy broken.ocx -> " + s
            + "/broken.ocx" + "\nRegister " + s + "/broken.ocx\n");
    EXPECT_NE(r.err.find("cannot copy missing.so"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("cannot copy broken.ocx"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(sys / "ok.so"));
}

TEST_F(Installer, UsesRegsvr32FromTheSystemDirectoryWhenThere)
{
    writeText(sys / "REGSVR32.EXE", "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/called\"\n");
    fs::permissions(sys / "REGSVR32.EXE", fs::perms::owner_all);
    file("x.ocx");
    list("x.ocx\n");
    EXPECT_EQ(install().status, 1);
    std::ifstream called(sys / "called");
    std::string args;
    std::getline(called, args);
    EXPECT_EQ(args, (sys / "x.ocx").string() + " /s");
    EXPECT_EQ(registry(), "") << "the system's own tool did the registering";
}
