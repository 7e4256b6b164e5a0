#include "platform/COleDateTime.h"

#include <gtest/gtest.h>

TEST(COleDateTime, DaysCountFromEndOf1899)
{
    EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).m_dt, 0.0);
    EXPECT_DOUBLE_EQ(COleDateTime(1900, 1, 1, 0, 0, 0).m_dt, 2.0);
    EXPECT_DOUBLE_EQ(COleDateTime(2000, 1, 1, 12, 0, 0).m_dt, 36526.5);
    // Before the epoch the time of day still counts forward: -1.25 is 29 Dec, 06:00.
    const COleDateTime before(-1.25);
    EXPECT_EQ(before.GetDay(), 29);
    EXPECT_EQ(before.GetHour(), 6);
}

TEST(COleDateTime, FieldsRoundTrip)
{
    const COleDateTime t(2024, 2, 29, 23, 59, 58);
    EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 23);
    EXPECT_EQ(t.GetMinute(), 59);
    EXPECT_EQ(t.GetSecond(), 58);
    EXPECT_EQ(t.GetDayOfWeek(), 5); // a Thursday
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-02-29 23:59:58");
}

TEST(COleDateTime, RejectsImpossibleDates)
{
    EXPECT_EQ(COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2023, 13, 1, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2023, 1, 1, 24, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2023, 1, 1, 24, 0, 0).Format(), "");
}

TEST(COleDateTime, FromTimeTIsLocalTime)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    const COleDateTime t(now);
    EXPECT_EQ(t.GetYear(), local.tm_year + 1900);
    EXPECT_EQ(t.GetHour(), local.tm_hour);
    EXPECT_EQ(t.GetMinute(), local.tm_min);
}
