// SPDX-License-Identifier: MIT
// A date and time as days since 1899-12-30 00:00 in a double, the fraction
// being the time of day (counting forward from midnight also before 1899).
// Calendar fields are local time as written; no time zone is stored.
#pragma once

#include "platform/base/CString.h"

#include <ctime>

class KIVPLATFORM_EXPORT COleDateTime {
public:
    COleDateTime() = default;
    explicit COleDateTime(double days) : m_dt(days) { }
    // A time_t taken in the local time zone; one outside the years 100–9999
    // is invalid.
    explicit COleDateTime(std::time_t t);

    // Calendar fields; a date outside the years 100–9999 or a field out of
    // range is invalid.
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();
    // The calendar fields of a time_t in UTC, without a zone.
    static COleDateTime FromUtcTime(std::time_t t);

    bool IsValid() const { return m_valid; }
    // Reads the text Format gives by default ("YYYY-MM-DD HH:MM:SS", the time
    // optional), which is the same in every locale; false, leaving the
    // object invalid, for anything else.
    bool ParseDateTime(const char* text);

    // strftime-style, e.g. "%Y-%m-%d %H:%M:%S"; empty when invalid.
    CString Format(const char* format = "%Y-%m-%d %H:%M:%S") const;

    double m_dt = 0.0;

private:
    struct Fields {
        int year, month, day, hour, minute, second, weekday;
    };
    Fields fields() const;
    void set(int year, int month, int day, int hour, int minute, int second);

    bool m_valid = true;
};
