// SPDX-License-Identifier: MIT
#include "platform/base/Geometry.h"
#include "platform/base/Win32Types.h"

#include <gtest/gtest.h>

TEST(CRect, RightAndBottomEdgesAreOutside)
{
    const CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.Size(), CSize(20, 40));
    EXPECT_FALSE(r.IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 9, 6, 2).IsRectEmpty()) << "upside down is empty";
    CRect flipped(10, 10, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
    CRect half(0, 10, 10, 0);
    half.NormalizeRect();
    EXPECT_EQ(half, CRect(0, 0, 10, 10));
}

TEST(COLORREF, StoresBlueGreenRed)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(RGB(0x112, -1, 0), 0x0000FF12u) << "each channel is one byte";
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}
