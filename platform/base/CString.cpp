// SPDX-License-Identifier: MIT
#include "platform/base/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
CString formatV(const char* format, va_list args)
{
    if (!format)
        return {};
    char small[256];
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0)
        return {};
    if (static_cast<std::size_t>(needed) < sizeof small)
        return CString(small, static_cast<std::size_t>(needed));
    std::vector<char> big(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(big.data(), big.size(), format, args);
    return CString(big.data(), static_cast<std::size_t>(needed));
}
} // namespace

CString StringFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text = formatV(format, args);
    va_end(args);
    return text;
}

std::size_t FormatBoundedV(char* buffer, std::size_t capacity, const char* format, va_list args)
{
    if (!buffer || capacity == 0)
        return 0;
    if (!format) {
        buffer[0] = '\0';
        return 0;
    }
    const int needed = std::vsnprintf(buffer, capacity, format, args);
    if (needed < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return std::min(static_cast<std::size_t>(needed), capacity - 1);
}

std::size_t FormatBounded(char* buffer, std::size_t capacity, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::size_t written = FormatBoundedV(buffer, capacity, format, args);
    va_end(args);
    return written;
}

std::size_t CopyBounded(char* buffer, std::size_t capacity, const char* source)
{
    if (!buffer || capacity == 0)
        return 0;
    std::size_t n = 0;
    if (source) {
        while (n + 1 < capacity && source[n] != '\0')
            ++n;
        std::memcpy(buffer, source, n);
    }
    buffer[n] = '\0';
    return n;
}

int CompareNoCaseN(const char* a, const char* b, std::size_t n)
{
    a = a ? a : "";
    b = b ? b : "";
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiToLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiToLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

int CompareNoCase(const char* a, const char* b)
{
    return CompareNoCaseN(a, b, static_cast<std::size_t>(-1));
}

CString MakeUpper(CString text)
{
    for (char& c : text)
        c = AsciiToUpper(c);
    return text;
}

CString MakeLower(CString text)
{
    for (char& c : text)
        c = AsciiToLower(c);
    return text;
}
