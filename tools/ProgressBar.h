// A progress bar for long work, shown to a person at a terminal only.
#pragma once

#include <chrono>

namespace cli {

// A bar on standard error, drawn only when it is a terminal and the work
// takes a moment; it clears itself when done or destroyed.
class ProgressBar {
public:
    ProgressBar(const char* label, long long total);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(long long done);
    void finish();

private:
    const char* m_label;
    long long m_total;
    bool m_shown = false;
    bool m_enabled;
    int m_lastPercent = -1;
    std::chrono::steady_clock::time_point m_start;
};

} // namespace cli
