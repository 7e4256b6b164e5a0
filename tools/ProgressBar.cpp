#include "ProgressBar.h"

#include <cstdio>
#include <unistd.h>

namespace cli {

ProgressBar::ProgressBar(const char* label, long long total)
    : m_label(label), m_total(total), m_enabled(total > 0 && ::isatty(STDERR_FILENO) == 1),
      m_start(std::chrono::steady_clock::now())
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::update(long long done)
{
    if (!m_enabled)
        return;
    // Quick work shows no bar at all.
    if (!m_shown && std::chrono::steady_clock::now() - m_start < std::chrono::milliseconds(300))
        return;
    const int percent = static_cast<int>(done * 100 / m_total);
    if (percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    m_shown = true;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%% (%lld/%lld)", m_label, filled, "##############################",
        kWidth - filled, "", percent, done, m_total);
    std::fflush(stderr);
}

void ProgressBar::finish()
{
    if (m_shown)
        std::fprintf(stderr, "\r\033[K");
    m_shown = false;
    m_enabled = false;
}

} // namespace cli
