// A date and time as days since 1899-12-30 00:00 in a double, the fraction
// being the time of day (counting forward from midnight also before 1899).
// Calendar fields are local time as written; no time zone is stored.
#pragma once

#include "platform/CString.h"

#include <ctime>

class KIVPLATFORM_EXPORT COleDateTime {
public:
    COleDateTime() = default;
    explicit COleDateTime(double days) : m_dt(days) { }
    // A time_t taken in the local time zone; one outside the years 100–9999
    // is invalid.
    explicit COleDateTime(std::time_t t);

    static COleDateTime GetCurrentTime();

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
