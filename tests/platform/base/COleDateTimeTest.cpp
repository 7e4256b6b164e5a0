// SPDX-License-Identifier: MIT
#include "platform/base/COleDateTime.h"

#include <gtest/gtest.h>

TEST(COleDateTime, DaysCountFromEndOf1899)
{
    EXPECT_EQ(COleDateTime(0.0).Format(), "1899-12-30 00:00:00");
    EXPECT_EQ(COleDateTime(2.0).Format(), "1900-01-01 00:00:00");
    EXPECT_EQ(COleDateTime(36526.5).Format(), "2000-01-01 12:00:00");
    // Before the epoch the time of day still counts forward: -1.25 is 29 Dec, 06:00.
    EXPECT_EQ(COleDateTime(-1.25).Format(), "1899-12-29 06:00:00");
    // The last second of a leap day, rounded to the second, with its weekday.
    const COleDateTime leap(45351 + 86398.0 / 86400);
    EXPECT_EQ(leap.Format("%Y-%m-%d %H:%M:%S %w"), "2024-02-29 23:59:58 4");
    EXPECT_EQ(COleDateTime(45351 + 86399.6 / 86400).Format(), "2024-03-01 00:00:00") << "rounds into the next day";
    EXPECT_EQ(leap.Format(nullptr), "");
}

TEST(COleDateTime, FromTimeTIsLocalTimeWithinYears100To9999)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char expected[64];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &local);
    EXPECT_EQ(COleDateTime(now).Format(), expected);
    EXPECT_NEAR(COleDateTime::GetCurrentTime().m_dt, COleDateTime(now).m_dt, 1.0 / 24);
    const std::time_t year10000 = 253402300800 + 86400 * 2; // past 9999 in any time zone
    EXPECT_EQ(COleDateTime(year10000).Format(), "") << "invalid";
    EXPECT_EQ(COleDateTime(year10000).m_dt, 0.0);
}
