// SPDX-License-Identifier: MIT
#include "Terminal.h"

#include "platform/io/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace cli {

namespace {

const char kHex[] = "0123456789abcdef";

void appendByte(std::string& out, unsigned char c)
{
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

} // namespace

std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t n)
{
    const unsigned char c = p[0];
    std::size_t length = 0;
    std::uint32_t min = 0;
    std::uint32_t code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        code = c & 0x1Fu;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        code = c & 0x0Fu;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        code = c & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (n < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

namespace {

// Standard output is a stream of our own (CheckStandardOutput), which has no
// descriptor of its own: its descriptor is still 1.
int descriptorOf(std::FILE* stream)
{
    return stream == stdout ? STDOUT_FILENO : ::fileno(stream);
}

bool isPipe(std::FILE* stream)
{
    return IsPipe(descriptorOf(stream));
}

int g_stdoutError = 0;

ssize_t writeStandardOutput(void*, const char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(STDOUT_FILENO, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (!g_stdoutError)
                g_stdoutError = n < 0 ? errno : EIO;
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(size);
}

} // namespace

void CheckStandardOutput()
{
    const cookie_io_functions_t functions {nullptr, &writeStandardOutput, nullptr, nullptr};
    std::FILE* stream = ::fopencookie(nullptr, "w", functions);
    if (!stream)
        return;
    // As the C library buffers standard output: by line at a terminal.
    std::setvbuf(stream, nullptr, ::isatty(STDOUT_FILENO) == 1 ? _IOLBF : _IOFBF, BUFSIZ);
    stdout = stream;
}

int StandardOutputError()
{
    if (std::fflush(stdout) != 0 && !g_stdoutError)
        g_stdoutError = errno ? errno : EIO;
    if (std::ferror(stdout) && !g_stdoutError)
        g_stdoutError = EIO;
    return g_stdoutError;
}

bool AppendEscaped(std::string& out, std::string_view text, bool keepBytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    // Text that is not UTF-8 as a whole shows all its other bytes escaped,
    // not some of them as the characters they happen to make.
    bool utf8 = true;
    for (std::size_t i = 0; i < n && utf8;) {
        const std::size_t length = p[i] < 0x80 ? 1 : Utf8SequenceLength(p + i, n - i);
        utf8 = length != 0;
        i += length;
    }
    std::size_t plain = 0; // start of the run of bytes that need nothing
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c >= 0x20 && c < 0x7F) {
            ++i;
            continue;
        }
        out.append(text.data() + plain, i - plain);
        if (c < 0x80) {
            appendByte(out, c);
            ++i;
        } else if (!utf8) {
            if (keepBytes)
                out += static_cast<char>(c);
            else
                appendByte(out, c);
            ++i;
        } else {
            const std::size_t length = Utf8SequenceLength(p + i, n - i);
            if (length == 2 && c == 0xC2 && p[i + 1] < 0xA0) {
                out += "\\u00";
                out += kHex[p[i + 1] >> 4];
                out += kHex[p[i + 1] & 15];
            } else {
                out.append(text.data() + i, length);
            }
            i += length;
        }
        plain = i;
    }
    out.append(text.data() + plain, n - plain);
    return utf8;
}

std::string escapeControls(std::string_view text)
{
    std::string out;
    AppendEscaped(out, text, true);
    return out;
}

bool IsTerminal(std::FILE* stream)
{
    return stream && ::isatty(descriptorOf(stream)) == 1;
}

ProgressBar::ProgressBar(const char* label, std::uint64_t total, bool resultsOnStdout)
    : m_label(label ? label : ""), m_total(total)
{
    m_shown = total > 0 && IsTerminal(stderr) && !isPipe(stdout) && !(resultsOnStdout && IsTerminal(stdout));
    m_last = std::chrono::steady_clock::now();
}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::finish()
{
    if (!m_drawn)
        return;
    // Back to the start of the line, wiped.
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_drawn = false;
    m_shown = false;
}

void ProgressBar::draw(std::uint64_t done, bool force)
{
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_last < std::chrono::milliseconds(100))
        return;
    m_last = now;
    constexpr int kWidth = 30;
    const std::uint64_t capped = done < m_total ? done : m_total;
    const int filled = static_cast<int>(capped * kWidth / m_total);
    const int percent = static_cast<int>(capped * 100 / m_total);
    std::string bar = "\r[";
    bar.append(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), ' ');
    bar += "] ";
    std::fprintf(stderr, "%s%3d%%  %s", bar.c_str(), percent, m_label.c_str());
    std::fflush(stderr);
    m_drawn = true;
}

QString shownPath(const QByteArray& path)
{
    return QString::fromStdString(escapeControls(path.toStdString()));
}

} // namespace cli
