// SPDX-License-Identifier: MIT
// Text below the widget boundary is UTF-8 in std::string; CString is that type.
// Formatting is printf-style and bounded: nothing ever writes past a buffer.
#pragma once

#include "platform/KivPlatform_export.h"

#include <cstdarg>
#include <cstddef>
#include <string>

using CString = std::string;

#if defined(__GNUC__)
#define VANDREL_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define VANDREL_PRINTF(fmt, args)
#endif

// The whole formatted text, however long.
KIVPLATFORM_EXPORT CString StringFormat(const char* format, ...) VANDREL_PRINTF(1, 2);

// Formats into buffer[capacity], truncating and always terminating (when
// capacity > 0). Gives the number of characters written, without the NUL.
KIVPLATFORM_EXPORT std::size_t FormatBounded(char* buffer, std::size_t capacity, const char* format, ...)
    VANDREL_PRINTF(3, 4);
KIVPLATFORM_EXPORT std::size_t FormatBoundedV(char* buffer, std::size_t capacity, const char* format, va_list args);

// Copies at most capacity - 1 bytes of source (null counts as empty) and
// terminates. Gives the number of bytes copied.
KIVPLATFORM_EXPORT std::size_t CopyBounded(char* buffer, std::size_t capacity, const char* source);

// Case folding for names: ASCII letters only, every other byte compared as is,
// so multibyte text is never split or altered.
KIVPLATFORM_EXPORT int CompareNoCase(const char* a, const char* b);
KIVPLATFORM_EXPORT int CompareNoCaseN(const char* a, const char* b, std::size_t n);
KIVPLATFORM_EXPORT CString MakeUpper(CString text);
KIVPLATFORM_EXPORT CString MakeLower(CString text);
constexpr char AsciiToLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char AsciiToUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
