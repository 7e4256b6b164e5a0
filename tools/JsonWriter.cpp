// SPDX-License-Identifier: MIT
#include "JsonWriter.h"

#include "Terminal.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {

namespace {

void appendString(std::string& out, std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t n = text.size();
    while (n) {
        const unsigned char c = *p;
        if (c >= 0x80) {
            if (const std::size_t len = Utf8SequenceLength(p, n)) {
                // C1 controls and the line and paragraph separators are
                // escaped: readers that split lines on them (Python's
                // splitlines, JavaScript) would cut a JSON Lines record.
                const bool c1 = len == 2 && c == 0xC2 && p[1] < 0xA0;
                const bool separator = len == 3 && c == 0xE2 && p[1] == 0x80 && (p[2] == 0xA8 || p[2] == 0xA9);
                if (c1 || separator) {
                    out += separator ? (p[2] == 0xA8 ? "\\u2028" : "\\u2029") : "\\u00";
                    if (c1) {
                        out += kHex[p[1] >> 4];
                        out += kHex[p[1] & 15];
                    }
                    p += len;
                    n -= len;
                    continue;
                }
                out.append(reinterpret_cast<const char*>(p), len);
                p += len;
                n -= len;
                continue;
            }
            out += "\\udc";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
        ++p;
        --n;
    }
    out += '"';
}

// The digits of text in JSON's number form, or empty when it is no number.
std::string jsonNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string out;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            out += '-';
        ++i;
    }
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return text.substr(from, i - from);
    };
    std::string_view whole = digits();
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    std::string_view fraction;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fraction = digits();
    }
    if (whole.empty() && fraction.empty())
        return {};
    out += whole.empty() ? std::string_view("0") : whole;
    if (!fraction.empty())
        out.append(".").append(fraction);
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            out += text[i++];
        const std::string_view exponent = digits();
        if (exponent.empty())
            return {};
        out += exponent;
    }
    return i == text.size() ? out : std::string();
}

} // namespace

void JsonWriter::separate()
{
    if (m_afterKey)
        m_afterKey = false;
    else if (!m_first)
        m_out += ',';
    m_first = false;
}

JsonWriter& JsonWriter::open(char c)
{
    separate();
    m_out += c;
    m_first = true;
    return *this;
}

JsonWriter& JsonWriter::close(char c)
{
    m_out += c;
    m_first = false;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    separate();
    appendString(m_out, name);
    m_out += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    appendString(m_out, text);
    return *this;
}

JsonWriter& JsonWriter::value(bool b)
{
    separate();
    m_out += b ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::value(long long n)
{
    separate();
    m_out += std::to_string(n);
    return *this;
}

JsonWriter& JsonWriter::value(unsigned long long n)
{
    separate();
    m_out += std::to_string(n);
    return *this;
}

JsonWriter& JsonWriter::value(double d)
{
    if (!std::isfinite(d))
        return null();
    separate();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, d);
    m_out.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view text)
{
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return null();
    const std::string digits = jsonNumber(text);
    if (digits.empty())
        return value(text);
    separate();
    m_out += digits;
    return *this;
}

JsonWriter& JsonWriter::null()
{
    separate();
    m_out += "null";
    return *this;
}

bool JsonWriter::writeLine()
{
    m_out += '\n';
    const bool ok = std::fwrite(m_out.data(), 1, m_out.size(), stdout) == m_out.size();
    m_out.clear();
    m_first = true;
    m_afterKey = false;
    return ok;
}

} // namespace cli
