// A date and time as days since 1899-12-30 00:00 in a double, the fraction
// being the time of day. Calendar fields are local time as written; no time
// zone is stored.
#pragma once

#include "platform/CString.h"

#include <ctime>

class KIVPLATFORM_EXPORT COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1 };

    COleDateTime() = default;
    explicit COleDateTime(double days) : m_dt(days) { }
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    // A time_t taken in the local time zone.
    explicit COleDateTime(std::time_t t);

    static COleDateTime GetCurrentTime();

    // Out-of-range fields make the value invalid and give 1.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday … 7 = Saturday
    DateTimeStatus GetStatus() const { return m_status; }

    // strftime-style, e.g. "%Y-%m-%d %H:%M:%S".
    CString Format(const char* format = "%Y-%m-%d %H:%M:%S") const;

    bool operator==(const COleDateTime& o) const { return m_dt == o.m_dt; }
    bool operator<(const COleDateTime& o) const { return m_dt < o.m_dt; }
    bool operator>(const COleDateTime& o) const { return m_dt > o.m_dt; }

    double m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    struct Fields {
        int year, month, day, hour, minute, second, weekday;
    };
    Fields fields() const;
};
