// SPDX-License-Identifier: MIT
#include "platform/io/RegistryStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testsupport;

TEST(RegistryStore, ValuesSurviveASaveAndMatchIgnoringCase)
{
    TempDir dir;
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    {
        RegistryStore store(RegistryRoot::CurrentUser);
        EXPECT_FALSE(store.hasKey("Software\\Vandrel"));
        store.setValue("Software\\Vandrel\\Paths", "Slides", "/home/u/\"quoted\" \\ back");
        store.setValue("Software/Vandrel/Paths", "", "default");
        store.setValue("Software\\Vandrel\\Paths", "Multi", "one\ntwo");
        ASSERT_TRUE(store.save());
    }
    RegistryStore again(RegistryRoot::CurrentUser);
    EXPECT_TRUE(again.hasKey("SOFTWARE\\vandrel"));
    EXPECT_EQ(again.value("software\\vandrel\\paths", "slides").value_or("?"), "/home/u/\"quoted\" \\ back");
    EXPECT_EQ(again.value("Software\\Vandrel\\Paths", "").value_or("?"), "default");
    EXPECT_EQ(again.value("Software\\Vandrel\\Paths", "Multi").value_or("?"), "one\ntwo");
    EXPECT_FALSE(again.value("Software\\Vandrel\\Paths", "none").has_value());
    EXPECT_FALSE(again.value("Software\\Other", "Slides").has_value());
    EXPECT_TRUE(again.removeValue("Software\\Vandrel\\Paths", "SLIDES"));
    EXPECT_FALSE(again.removeValue("Software\\Vandrel\\Paths", "SLIDES"));
    EXPECT_NE(readFile(again.path()).size(), 0u);
    EXPECT_FALSE(RegistryStore(RegistryRoot::LocalMachine).hasKey("Software\\Vandrel")) << "one file per root";
    unsetenv("XDG_CONFIG_HOME");
}

TEST(RegistryStore, DamagedLinesAreSkipped)
{
    TempDir dir;
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    std::filesystem::create_directories(dir.path() / "vandrel" / "registry");
    writeText(dir.path() / "vandrel" / "registry" / "HKEY_CLASSES_ROOT.reg",
        "junk before any key\n[HKEY_CLASSES_ROOT\\.dwg]\r\n@=\"AutoCAD.Drawing\"\r\n\"broken=\"x\n"
        "\"unterminated\"=\"abc\n[unclosed\n");
    RegistryStore store(RegistryRoot::ClassesRoot);
    EXPECT_EQ(store.value(".DWG", "").value_or("?"), "AutoCAD.Drawing");
    EXPECT_FALSE(store.value(".dwg", "unterminated").has_value());
    unsetenv("XDG_CONFIG_HOME");
}
