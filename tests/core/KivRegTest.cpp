// SPDX-License-Identifier: MIT
#include "core/KivReg.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace testsupport;

namespace {
// Every test gets a registry of its own.
class Registry : public testing::Test {
protected:
    TempDir dir;
    char value[256];
    void SetUp() override { setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1); }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }
};
} // namespace

TEST_F(Registry, SetStrNeverCreatesAKey)
{
    EXPECT_EQ(KivReg::setStr(HKEY_CURRENT_USER, "Software\\Nowhere", "x", "1"), 0);
    RegistryStore store(HKEY_CURRENT_USER);
    store.createKey("Software\\Vandrel");
    ASSERT_TRUE(store.save());
    EXPECT_EQ(KivReg::setStr(HKEY_CURRENT_USER, "Software\\Vandrel", "Path", "/opt"), 1);
    EXPECT_EQ(KivReg::getStr(HKEY_CURRENT_USER, "software\\vandrel", "PATH", value), 1);
    EXPECT_STREQ(value, "/opt");
    EXPECT_EQ(KivReg::getStr(HKEY_CURRENT_USER, "Software\\Vandrel", "none", value), 0);
    EXPECT_STREQ(value, "");
    const std::string longValue(300, 'x');
    KivReg::setStr(HKEY_CURRENT_USER, "Software\\Vandrel", "Long", longValue.c_str());
    EXPECT_EQ(KivReg::getStr(HKEY_CURRENT_USER, "Software\\Vandrel", "Long", value), 0);
    EXPECT_EQ(KivReg::getStr(HKEY_CURRENT_USER, "Software\\Vandrel", "Long"), longValue);
}

TEST_F(Registry, EnvironmentListsGrowWithoutDuplicates)
{
    EXPECT_EQ(KivReg::addEnv("PATH", "/tools"), 1);
    EXPECT_EQ(KivReg::getEnv("PATH"), "/tools") << "no separator on an empty variable";
    EXPECT_EQ(KivReg::setEnv("PATH", "/bin"), 1);
    EXPECT_EQ(KivReg::addEnv("PATH", "/tools"), 1);
    EXPECT_EQ(KivReg::getEnv("PATH"), "/bin;/tools");
    EXPECT_EQ(KivReg::addEnv("PATH", "/tools"), 0);
    EXPECT_EQ(KivReg::getEnv("PATH"), "/bin;/tools");
}

TEST_F(Registry, FileTypesFromTheStoreFirst)
{
    RegistryStore classes(HKEY_CLASSES_ROOT);
    classes.setValue(".dwg", "", "AutoCAD.Drawing");
    classes.setValue("AutoCAD.Drawing", "", "AutoCAD Drawing");
    classes.setValue("AutoCAD.Drawing\\DefaultIcon", "", "/opt/acad/acad.png,2");
    ASSERT_TRUE(classes.save());
    EXPECT_EQ(KivReg::getApp(".dwg", value), 1);
    EXPECT_STREQ(value, "AutoCAD.Drawing");
    EXPECT_EQ(KivReg::getType(".DWG", value), 1);
    EXPECT_STREQ(value, "AutoCAD Drawing");
    int index = -1;
    EXPECT_EQ(KivReg::getIcon(".dwg", value, &index), 1);
    EXPECT_STREQ(value, "/opt/acad/acad.png");
    EXPECT_EQ(index, 2);
}

TEST_F(Registry, FileTypesFallBackToTheMimeDatabase)
{
    EXPECT_EQ(KivReg::getApp(".png", value), 1);
    EXPECT_STREQ(value, "image/png");
    EXPECT_EQ(KivReg::getType(".png", value), 1);
    EXPECT_GT(std::strlen(value), 0u);
    int index = -1;
    EXPECT_EQ(KivReg::getIcon(".png", value, &index), 1);
    EXPECT_STREQ(value, "image-png");
    EXPECT_EQ(index, 0);
    EXPECT_EQ(KivReg::getApp(".dwg", value), 1);
    EXPECT_STREQ(value, "image/vnd.dwg");
    EXPECT_EQ(KivReg::getApp(".nosuchextension", value), 0);
    EXPECT_EQ(KivReg::getType(".nosuchextension", value), 0);
}
