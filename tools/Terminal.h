// SPDX-License-Identifier: MIT
// Output meant for a person at a terminal: control characters shown escaped,
// so that a crafted file cannot send escape sequences to the terminal, and a
// progress bar for long work on standard error.
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

// Appends text to out with the C0 controls and DEL shown as \x1b, and the C1
// controls of UTF-8 (U+0080 to U+009F) as \u009b. Bytes that are not UTF-8
// are shown as \xe9 too, unless keepBytes (the caller asked for the stored
// bytes): then they pass unchanged. False when text held such bytes.
bool AppendEscaped(std::string& out, std::string_view text, bool keepBytes);

// text with its controls escaped as AppendEscaped shows them, keeping other
// bytes (a Latin-1 "café" can be typed back): for names and labels read from
// files.
std::string escapeControls(std::string_view text);
// A path given on the command line, its controls escaped, for a message.
QString shownPath(const QByteArray& path);

// The length of the well-formed UTF-8 sequence at p, of at most n bytes (no
// overlong forms or surrogates); 0 when there is none.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t n);

bool IsTerminal(std::FILE* stream);

// Makes standard output a stream whose writes remember the first failure
// (a full disk, a closed pipe), so that the reason is known however much
// was buffered when it happened. Call before anything is written.
void CheckStandardOutput();
// Flushes standard output: 0, or the errno of the first write that failed.
int StandardOutputError();

// "[#####     ]  50%  label" on standard error, redrawn at most ten times a
// second. Drawn only when standard error is a terminal and standard output
// is not a pipe; commands that write their results to standard output also
// draw none when that is the terminal, where the bar would cut into them.
class ProgressBar {
public:
    ProgressBar(const char* label, std::uint64_t total, bool resultsOnStdout);
    ~ProgressBar(); // wipes the bar
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    bool isShown() const { return m_shown; }
    void update(std::uint64_t done)
    {
        // The first call draws at once; then every 256th looks at the clock.
        if (m_shown && (++m_calls & 255) == 1)
            draw(done, !m_drawn);
    }
    // For work whose steps take long: looks at the clock on every call.
    void tick(std::uint64_t done)
    {
        if (m_shown)
            draw(done, !m_drawn);
    }
    void finish();

private:
    void draw(std::uint64_t done, bool force);

    std::string m_label;
    std::uint64_t m_total;
    std::uint64_t m_calls = 0;
    bool m_shown = false;
    bool m_drawn = false;
    std::chrono::steady_clock::time_point m_last;
};

} // namespace cli
