// SPDX-License-Identifier: MIT
#include "controls/KivTimerClock.h"

#include <algorithm>
#include <cstdio>

namespace {
// Rows of the segment table, top to bottom: top, middle, bottom, upper
// left, upper right, lower left, lower right.
constexpr unsigned kDigits[10] = {
    0b1111101, // 0: every segment but the middle
    0b1010000, // 1
    0b0110111, // 2
    0b1010111, // 3
    0b1011010, // 4
    0b1001111, // 5
    0b1101111, // 6
    0b1011001, // 7
    0b1111111, // 8
    0b1011111, // 9
};
} // namespace

unsigned KivTimerClock::Segments(char digit)
{
    return digit >= '0' && digit <= '9' ? kDigits[digit - '0'] : 0;
}

DWORD KivTimerClock::GetSeconds(int h, int m, int s)
{
    // In 64 bits: 99 hours fit in 32, but minutes and seconds are not bounded.
    const long long ms = ((static_cast<long long>(h) * 60 + m) * 60 + s) * 1000;
    return static_cast<DWORD>(std::clamp<long long>(ms, 0, 0xFFFFFFFFLL));
}

void KivTimerClock::GetTime(unsigned long ms, int* h, int* m, int* s, int* fraction)
{
    if (h)
        *h = static_cast<int>(ms / 3600000);
    if (m)
        *m = static_cast<int>((ms / 1000 % 3600) / 60);
    if (s)
        *s = static_cast<int>(ms / 1000 % 60);
    if (fraction)
        *fraction = static_cast<int>(ms % 100);
}

CString KivTimerClock::Format(int h, int m, int s, int fraction)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", h, m, s, fraction);
    return text;
}

void KivTimerClock::SetTime(int h, int m, int s)
{
    m_hour = std::max(h, 0) % 100;
    m_minute = std::max(m, 0);
    m_second = std::max(s, 0);
    m_text = Format(m_hour, m_minute, m_second, 0);
    m_totalMs = GetSeconds(m_hour, m_minute, m_second);
}

void KivTimerClock::GetTime(int* h, int* m, int* s) const
{
    if (h)
        *h = m_hour;
    if (m)
        *m = m_minute;
    if (s)
        *s = m_second;
}

int KivTimerClock::Update(DWORD tick)
{
    const DWORD elapsed = tick - m_startTick; // unsigned: the counter's wrap is harmless
    DWORD shown = elapsed;
    if (m_mode == Countdown)
        shown = elapsed < m_totalMs ? m_totalMs - elapsed : 0;
    else if (m_mode == CountUp)
        shown = std::min(elapsed, m_totalMs);
    int h = 0, m = 0, s = 0, f = 0;
    GetTime(shown, &h, &m, &s, &f);
    m_text = Format(h % 100, m, s, f);
    if (m_mode == Countdown)
        return shown > 0 ? 1 : 0;
    if (m_mode == CountUp)
        return m_totalMs - shown > 0 ? 1 : 0;
    return 1;
}
