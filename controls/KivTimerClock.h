// SPDX-License-Identifier: MIT
// The arithmetic of the timer control, apart from any window: the set time,
// the mode, the start tick and the time shown at a given tick, and the
// seven-segment pattern of each digit. The control and the command line's
// timer share it.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

class KIVCTRL_EXPORT KivTimerClock {
public:
    enum Mode { Stopwatch = 0, Countdown = 1, CountUp = 2 };
    static constexpr unsigned kTickMs = 100; // how often a running timer updates

    // hour = h % 100; the set time in milliseconds. Negative parts count as 0.
    void SetTime(int h, int m, int s);
    void GetTime(int* h, int* m, int* s) const;
    // The text on display: "%02d:%02d:%02d:%02d".
    const CString& GetText() const { return m_text; }
    DWORD GetTotalMs() const { return m_totalMs; }
    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }

    void Start(DWORD tick) { m_startTick = tick; }
    // Recomputes the text for the tick; 1 while the timer keeps running,
    // 0 when its time is reached.
    int Update(DWORD tick);

    // ((h × 60 + m) × 60 + s) × 1000, without overflow for any h < 100.
    static DWORD GetSeconds(int h, int m, int s);
    // ms split into hours, minutes, seconds and the remainder of the
    // milliseconds divided by 100 (so 0 to 99).
    static void GetTime(unsigned long ms, int* h, int* m, int* s, int* fraction);
    static CString Format(int h, int m, int s, int fraction);

    // Segments lit for a digit, bit i for segment i in the order top,
    // middle, bottom, upper left, upper right, lower left, lower right;
    // 0 for a character that is no digit.
    static unsigned Segments(char digit);

private:
    DWORD m_totalMs = 0;
    DWORD m_startTick = 0;
    int m_hour = 0, m_minute = 0, m_second = 0;
    int m_mode = Stopwatch;
    CString m_text = "00:00:00:00";
};
