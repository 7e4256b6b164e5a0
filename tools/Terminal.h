// What the tool prints for a person at a terminal: file contents with their
// control characters made visible, and a progress bar for long work.
#pragma once

#include <QByteArray>

#include <chrono>
#include <string_view>

namespace cli {

// Control characters (below 0x20, and 0x7F) as \xNN, so that a crafted file
// cannot send escape sequences to the user's terminal; "\" stays as it is.
QByteArray escapeControls(std::string_view text);

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
