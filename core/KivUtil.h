// SPDX-License-Identifier: MIT
// Static helpers over files and paths, a confirmed copy or move, free disk
// space, formatted message boxes, the default dialog icon and the session's
// log-off or shutdown. Paths may use "/" or "\" and an "X:" drive prefix;
// their pieces split as the C library's _splitpath does.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/base/COleDateTime.h"
#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"
#include "platform/gdi/CDC.h"
#include "platform/widgets/Resources.h"

namespace vandrel::win32 {
// ExitWindowsEx flags
constexpr UINT EWX_LOGOFF = 0x0;
constexpr UINT EWX_SHUTDOWN = 0x1;
constexpr UINT EWX_REBOOT = 0x2;
constexpr UINT EWX_FORCE = 0x4;
constexpr UINT EWX_POWEROFF = 0x8;
} // namespace vandrel::win32

class KIVCTRL_EXPORT KivUtil {
public:
    // Size in bytes; -1 when the file cannot be opened.
    static long GetFileSize(const char* path);
    // Free bytes of the volume holding root for this user; 0 when unknown.
    static float GetDiskFreeSpaceA(const char* root);
    static int IsExistFile(const char* path);

    static CString GetFilePath(const char* path); // "C:\dir\" of "C:\dir\a.sld"
    static CString GetFileName(const char* path); // "a.sld"
    static CString GetFileTitle(const char* path); // "a"
    static CString GetFileExt(const char* path); // ".sld", empty without a dot

    // Last-write time (local) of the first file matching path, which may hold
    // wildcards; the current time when nothing matches.
    static COleDateTime GetFileDate(const char* path);

    // Copies (move == 0) or moves source to target. An existing target is
    // replaced only after the user agreed when *confirm is 1 (or confirm is
    // null). 1 done, 2 refused, 0 failed. The target ends up owner-writable.
    static int CopyFileUpdate(const char* source, const char* target, int move, int* confirm);

    // Formats into 1024 characters and shows a message box; gives its answer.
    static int MessagePrint(HWND owner, const char* caption, UINT type, const char* format, ...) VANDREL_PRINTF(4, 5);

    // A bitmap of module's resources, else the image file of that name,
    // scaled to width × height unless both are 0. Release it with
    // DeleteObject; null when neither exists.
    static HBITMAP GetBitmapHandle(HINSTANCE module, const char* name, DWORD width, DWORD height);
    // Draws that bitmap (the application's resources first) stretched onto
    // (x, y, width, height): S_OK, E_INVALIDARG for a null context or empty
    // name, E_FAIL when it cannot be loaded.
    static long DrawBitmap(CDC* dc, const char* name, DWORD x, DWORD y, DWORD width, DWORD height);

    static void SetDlgIcon(HICON icon);
    // The default dialog icon, null until set.
    static HICON GetDlgIcon();

    // EWX_LOGOFF ends the session; other flags reboot or power off through
    // logind. 1 when asked, 0 when the system offers no way to do it.
    static int SystemShutdown(UINT flags);

protected:
    static int SystemShutdownReady();
};
