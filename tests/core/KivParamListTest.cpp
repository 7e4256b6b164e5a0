// SPDX-License-Identifier: MIT
#include "core/KivParamList.h"

#include <gtest/gtest.h>

#include <string>

TEST(KivParamList, AddParamTakesAtMost255Characters)
{
    KivParamList list;
    const std::string n255(255, 'n');
    const std::string n256(256, 'n');
    list.addParam(n255.c_str(), "v");
    list.addParam(n256.c_str(), "v");
    list.addParam("W", n256.c_str());
    list.addParam(nullptr, "v");
    list.addParam("W", nullptr);
    ASSERT_EQ(list.getCount(), 1);
    EXPECT_EQ(std::string(list.getParam(0)), n255);
}

TEST(KivParamList, LookupsTakeTheFirstExactMatch)
{
    KivParamList list;
    list.addParam("W", "10");
    list.addParam("H", "5");
    list.addParam("W", "99");
    char value[KivParamData::kTextSize] = "stale";
    EXPECT_EQ(list.getValue("W", value), 1);
    EXPECT_STREQ(value, "10");
    EXPECT_EQ(list.getValue("X", value), 0);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(list.getValue("W", nullptr), 0);
    EXPECT_EQ(list.isExist("w"), 0);
    EXPECT_EQ(list.isExist("H"), 1);
    EXPECT_EQ(list.isExist(nullptr), 0);
    EXPECT_STREQ(list.getValue(1), "5");
    EXPECT_EQ(list.getValue(3), nullptr);
    EXPECT_EQ(list.getParam(-1), nullptr);
}

TEST(KivParamList, TextForms)
{
    KivParamList list;
    EXPECT_EQ(list.getParamStr(), "");
    list.addParam("W", "10");
    list.addParam("H", "5");
    char text[512];
    EXPECT_EQ(list.getParamStr(0, text), 1);
    EXPECT_STREQ(text, "W=10");
    EXPECT_EQ(list.getParamStr(2, text), 0);
    EXPECT_EQ(list.getParamStr(0, nullptr), 0);
    EXPECT_EQ(list.getParamStr(), "W=\"10\" H=\"5\"");
    EXPECT_EQ(list.getParamStr(nullptr), "");
}

TEST(KivParamList, LongestRecordFitsTheTextBuffer)
{
    KivParamList list;
    const std::string n(255, 'n'), v(255, 'v');
    list.addParam(n.c_str(), v.c_str());
    char text[512 + 8];
    std::fill(std::begin(text), std::end(text), '#');
    EXPECT_EQ(list.getParamStr(0, text), 1);
    EXPECT_EQ(std::string(text), n + "=" + v);
    EXPECT_EQ(text[512], '#');
}

TEST(KivParamData, ConstructorCutsLongTexts)
{
    const std::string long300(300, 'x');
    const KivParamData d(long300.c_str(), nullptr);
    EXPECT_EQ(std::string(d.name).size(), 255u);
    EXPECT_STREQ(d.value, "");
    KivParamData copy;
    copy = d;
    EXPECT_EQ(std::string(copy.name), std::string(d.name));
}
