// SPDX-License-Identifier: MIT
#include "core/KivAciColor.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(KivAciColor, TellingRows)
{
    const std::tuple<int, int, int, int> rows[] = {
        {10, 255, 0, 0},
        {11, 255, 127, 127},
        {12, 165, 0, 0},
        {13, 165, 82, 82},
        {14, 127, 0, 0},
        {16, 76, 0, 0},
        {18, 38, 0, 0},
        {19, 38, 19, 19},
        {20, 255, 63, 0},
        {21, 255, 159, 127},
        {30, 255, 127, 0},
        {50, 255, 255, 0},
        {90, 0, 255, 0},
        {130, 0, 255, 255},
        {170, 0, 0, 255},
        {210, 255, 0, 255},
        {240, 255, 0, 63},
        {249, 38, 19, 23},
        {0, 255, 255, 255},
        {256, 0, 0, 0},
        {250, 84, 84, 84},
        {251, 118, 118, 118},
        {252, 152, 152, 152},
        {253, 186, 186, 186},
        {254, 220, 220, 220},
        {255, 255, 255, 255},
        {1, 255, 0, 0},
        {5, 0, 0, 255},
        {8, 128, 128, 128},
    };
    for (const auto& [index, r, g, b] : rows)
        EXPECT_EQ(KivAciColor::GetRGB(index), static_cast<unsigned long>(r | (g << 8) | (b << 16))) << index;
    EXPECT_EQ(KivAciColor::GetRGB(7), 0xFFFFFFu);
    EXPECT_EQ(KivAciColor::GetRGB(300), 0u);
    EXPECT_EQ(KivAciColor::GetRGB(-1), 0u);
}

TEST(KivAciColor, Names)
{
    char text[KivAciColor::kNameSize];
    EXPECT_EQ(KivAciColor::GetName(256, 1, text), 1);
    EXPECT_STREQ(text, "BYLAYER");
    EXPECT_EQ(KivAciColor::GetName(42, 1, text), 0);
    EXPECT_STREQ(text, "42");
    EXPECT_EQ(KivAciColor::GetName(1, 0, text), 1);
    EXPECT_STREQ(text, "빨간색");
    EXPECT_EQ(KivAciColor::GetName(1, 1, nullptr), 0);
    KivAciColor blue(5);
    EXPECT_STREQ(blue.GetName(1), "BLUE");
    EXPECT_STREQ(blue.GetName(0), "파란색");
    EXPECT_EQ(blue.GetRGB(), 0xFF0000u);
}

TEST(KivAciColor, ParsingNamesAndNumbers)
{
    EXPECT_EQ(KivAciColor::GetColor("red", 1), 1);
    EXPECT_EQ(KivAciColor::GetColor("Red", 0), 0) << "no Korean match and atoi gives 0";
    EXPECT_EQ(KivAciColor::GetColor("하늘색", 0), 4);
    EXPECT_EQ(KivAciColor::GetColor("ByLayer", 1), 256);
    EXPECT_EQ(KivAciColor::GetColor("300", 1), 300);
    EXPECT_EQ(KivAciColor::GetColor("-5", 1), 256);
    EXPECT_EQ(KivAciColor::GetColor("", 1), 256);
    EXPECT_EQ(KivAciColor::GetColor(nullptr, 1), 256);
    KivAciColor c;
    c.SetColor("green", 1);
    EXPECT_EQ(c.GetColor(), 3);
}
