// SPDX-License-Identifier: MIT
#include "cad/KivDxfTokenizer.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// A line of an ASCII file without its line end and, for numbers, blanks.
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

template <typename T> T readLe(const std::uint8_t* p)
{
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    T out;
    if constexpr (sizeof(T) == 8) {
        std::memcpy(&out, &v, 8);
    } else {
        out = static_cast<T>(v);
    }
    return out;
}

} // namespace

KivDxfTokenizer::Kind KivDxfTokenizer::KindOf(int code)
{
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239)
        || (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059))
        return Kind::Real;
    if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 289)
        || (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 420 && code <= 429)
        || (code >= 440 && code <= 459) || (code >= 1060 && code <= 1071))
        return Kind::Integer;
    if (code >= 290 && code <= 299)
        return Kind::Boolean;
    if ((code >= 310 && code <= 319) || code == 1004)
        return Kind::Chunk;
    return Kind::String;
}

KivDxfTokenizer::KivDxfTokenizer(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(data ? size : 0)
{
    if (m_size >= kBinarySentinelSize && std::memcmp(m_data, kBinarySentinel, kBinarySentinelSize) == 0) {
        m_binary = true;
        m_pos = kBinarySentinelSize;
        // Release 12 writes code 0 as one byte, then "SECTION"; later
        // releases write every code as two.
        m_wideCodes = m_size > m_pos + 1 && m_data[m_pos] == 0 && m_data[m_pos + 1] == 0;
    } else if (m_size >= 3 && m_data[0] == 0xEF && m_data[1] == 0xBB && m_data[2] == 0xBF) {
        m_pos = 3; // a UTF-8 byte order mark
    }
}

bool KivDxfTokenizer::fail(const std::string& why)
{
    m_failed = true;
    m_why = why + " at byte " + std::to_string(m_pos);
    m_pos = m_size;
    return false;
}

bool KivDxfTokenizer::line(std::string& out)
{
    if (m_pos >= m_size)
        return false;
    const void* end = std::memchr(m_data + m_pos, '\n', m_size - m_pos);
    const std::size_t stop = end ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - m_data) : m_size;
    out.assign(reinterpret_cast<const char*>(m_data + m_pos), stop - m_pos);
    if (!out.empty() && out.back() == '\r')
        out.pop_back();
    m_pos = end ? stop + 1 : m_size;
    return true;
}

bool KivDxfTokenizer::Next(KivDxfGroup& group)
{
    if (m_failed || m_pos >= m_size)
        return false;
    return m_binary ? nextBinary(group) : nextAscii(group);
}

bool KivDxfTokenizer::nextAscii(KivDxfGroup& group)
{
    if (!line(m_line)) {
        return false;
    }
    const std::string_view codeText = trimmed(m_line);
    if (codeText.empty() && m_pos >= m_size)
        return false; // a last empty line
    int code = 0;
    const auto parsed = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (parsed.ec != std::errc() || parsed.ptr != codeText.data() + codeText.size() || code < 0 || code > 1071)
        return fail("not a group code");
    if (!line(group.text))
        return fail("a group code without its value");
    group.code = code;
    group.number = 0.0;
    group.integer = 0;
    switch (KindOf(code)) {
    case Kind::Real: {
        const std::string_view v = trimmed(group.text);
        const auto r = std::from_chars(v.data(), v.data() + v.size(), group.number);
        if (r.ec == std::errc::result_out_of_range)
            group.number = NAN; // kept, and refused where a coordinate is used
        else if (r.ec != std::errc() || r.ptr != v.data() + v.size())
            return fail("not a number");
        break;
    }
    case Kind::Integer:
    case Kind::Boolean: {
        std::string_view v = trimmed(group.text);
        if (!v.empty() && v.front() == '+')
            v.remove_prefix(1);
        const auto r = std::from_chars(v.data(), v.data() + v.size(), group.integer);
        if (r.ec != std::errc() || r.ptr != v.data() + v.size())
            return fail("not an integer");
        break;
    }
    case Kind::Chunk: {
        const std::string_view v = trimmed(group.text);
        if (v.size() % 2)
            return fail("a binary chunk of odd length");
        std::string bytes(v.size() / 2, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const int hi = hexDigit(v[2 * i]), lo = hexDigit(v[2 * i + 1]);
            if (hi < 0 || lo < 0)
                return fail("a binary chunk that is not hexadecimal");
            bytes[i] = static_cast<char>(hi * 16 + lo);
        }
        group.text = std::move(bytes);
        break;
    }
    case Kind::String: break;
    }
    return true;
}

bool KivDxfTokenizer::nextBinary(KivDxfGroup& group)
{
    auto need = [this](std::size_t n) { return m_size - m_pos >= n; };
    int code;
    if (m_wideCodes) {
        if (!need(2))
            return fail("a cut group code");
        code = readLe<std::uint16_t>(m_data + m_pos);
        m_pos += 2;
    } else {
        if (!need(1))
            return fail("a cut group code");
        code = m_data[m_pos++];
        if (code == 255) { // an extended code follows
            if (!need(2))
                return fail("a cut group code");
            code = readLe<std::uint16_t>(m_data + m_pos);
            m_pos += 2;
        }
    }
    if (code > 1071)
        return fail("a group code out of range");
    group.code = code;
    group.number = 0.0;
    group.integer = 0;
    group.text.clear();
    switch (KindOf(code)) {
    case Kind::Real:
        if (!need(8))
            return fail("a cut real");
        group.number = readLe<double>(m_data + m_pos);
        m_pos += 8;
        break;
    case Kind::Integer: {
        // 16-bit, 32-bit or 64-bit by the code's range.
        const std::size_t n
            = (code >= 90 && code <= 99) || (code >= 420 && code <= 429) || (code >= 440 && code <= 459) || code == 1071
            ? 4
            : (code >= 160 && code <= 169) ? 8
                                           : 2;
        if (!need(n))
            return fail("a cut integer");
        group.integer = n == 2 ? readLe<std::int16_t>(m_data + m_pos)
            : n == 4           ? readLe<std::int32_t>(m_data + m_pos)
                               : readLe<std::int64_t>(m_data + m_pos);
        m_pos += n;
        break;
    }
    case Kind::Boolean:
        if (!need(1))
            return fail("a cut boolean");
        group.integer = m_data[m_pos++];
        break;
    case Kind::Chunk: {
        if (!need(1))
            return fail("a cut binary chunk");
        const std::size_t n = m_data[m_pos++];
        if (!need(n))
            return fail("a cut binary chunk");
        group.text.assign(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        break;
    }
    case Kind::String: {
        const void* nul = std::memchr(m_data + m_pos, 0, m_size - m_pos);
        if (!nul)
            return fail("a string without its end");
        const std::size_t end = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - m_data);
        group.text.assign(reinterpret_cast<const char*>(m_data + m_pos), end - m_pos);
        m_pos = end + 1;
        break;
    }
    }
    return true;
}
