// SPDX-License-Identifier: MIT
#include "platform/base/COleDateTime.h"

#include <chrono>
#include <cmath>

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

const long long kEpochOffset = daysFromCivil(1899, 12, 30); // 1899-12-30 in Unix days

bool isLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

} // namespace

COleDateTime::COleDateTime(std::time_t t)
{
    std::tm local {};
    if (!localtime_r(&t, &local)) {
        m_valid = false;
        return;
    }
    set(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    set(year, month, day, hour, minute, second);
}

namespace {

// Reads count digits at text[pos]; false when one is missing.
bool digits(const char* text, std::size_t& pos, int count, int& value)
{
    value = 0;
    for (int i = 0; i < count; ++i, ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

bool COleDateTime::ParseDateTime(const char* text)
{
    m_valid = false;
    m_dt = 0.0;
    if (!text)
        return false;
    std::size_t pos = 0;
    while (text[pos] == ' ')
        ++pos;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    // strftime writes years below 1000 without leading zeros.
    int yearDigits = 0;
    while (yearDigits < 4 && text[pos + yearDigits] >= '0' && text[pos + yearDigits] <= '9')
        ++yearDigits;
    if (yearDigits < 3 || !digits(text, pos, yearDigits, year) || text[pos++] != '-' || !digits(text, pos, 2, month)
        || text[pos++] != '-' || !digits(text, pos, 2, day))
        return false;
    if (text[pos] == ' ' || text[pos] == 'T') {
        ++pos;
        if (!digits(text, pos, 2, hour) || text[pos++] != ':' || !digits(text, pos, 2, minute) || text[pos++] != ':'
            || !digits(text, pos, 2, second))
            return false;
    }
    if (text[pos] != '\0')
        return false;
    set(year, month, day, hour, minute, second);
    return m_valid;
}

COleDateTime COleDateTime::FromUtcTime(std::time_t t)
{
    std::tm utc {};
    if (!gmtime_r(&t, &utc)) {
        COleDateTime invalid;
        invalid.m_valid = false;
        return invalid;
    }
    return COleDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(std::time(nullptr));
}

void COleDateTime::set(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0
        || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        m_dt = 0.0;
        m_valid = false;
        return;
    }
    const long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffset;
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight.
    m_dt = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
    m_valid = true;
}

COleDateTime::Fields COleDateTime::fields() const
{
    const double whole = std::trunc(m_dt);
    long long days = static_cast<long long>(whole);
    // Round to the nearest second so that 0.5/86400 steps do not show as :59.
    long long seconds = std::llround(std::fabs(m_dt - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += m_dt >= 0 ? 1 : -1;
    }
    Fields f {};
    civilFromDays(days + kEpochOffset, f.year, f.month, f.day);
    f.hour = static_cast<int>(seconds / 3600);
    f.minute = static_cast<int>(seconds / 60 % 60);
    f.second = static_cast<int>(seconds % 60);
    const long long unixDays = days + kEpochOffset; // 1970-01-01 was a Thursday
    f.weekday = static_cast<int>(((unixDays % 7) + 11) % 7) + 1;
    return f;
}

CString COleDateTime::Format(const char* format) const
{
    if (!m_valid || !format)
        return {};
    const Fields f = fields();
    std::tm tm {};
    tm.tm_year = f.year - 1900;
    tm.tm_mon = f.month - 1;
    tm.tm_mday = f.day;
    tm.tm_hour = f.hour;
    tm.tm_min = f.minute;
    tm.tm_sec = f.second;
    tm.tm_wday = f.weekday - 1;
    char buffer[256];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
    return CString(buffer, n);
}
