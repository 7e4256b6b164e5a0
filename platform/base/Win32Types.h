// SPDX-License-Identifier: MIT
// The Win32 scalar types and handles that the public calls are declared
// with, and the Win32 constants and macros with their Win32 values, so that
// ported code reads the same.
#pragma once

#include <cstdint>

class QIcon;
class QWidget;

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using HRESULT = std::int32_t;

// A window handle is the widget itself, so any Qt widget can own a dialog.
using HWND = QWidget*;
using HICON = const QIcon*;

// 0x00BBGGRR, as GDI stores it.
using COLORREF = std::uint32_t;

// The Win32 constants and macros, as values and functions in a namespace of
// their own, so that a host's global namespace and its macros stay its own.
// The libraries are built with VANDREL_WIN32_NAMES, which brings them in
// unqualified; a host that wants the same includes "platform/Win32.h".
namespace vandrel::win32 {

// Where a host's C library defines TRUE and FALSE as macros first, those serve.
#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

} // namespace vandrel::win32

#if defined(VANDREL_WIN32_NAMES)
using namespace vandrel::win32;
#endif
