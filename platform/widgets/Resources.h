// SPDX-License-Identifier: MIT
// The resources of a library: dialog templates (positions in dialog units),
// strings, icons and bitmaps, registered by the library under the
// identifiers the original resource scripts used. Exported dialog functions
// make their library's module current for the duration of a call.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <QIcon>
#include <QImage>

#include <exception>
#include <map>
#include <vector>

struct DialogItemTemplate {
    UINT id;
    CString className; // "BUTTON", "STATIC", "EDIT" or a registered class
    DWORD style;
    int x, y, cx, cy; // dialog units
    CString text;
};

struct DialogTemplate {
    CString caption;
    DWORD style;
    int x, y, cx, cy; // dialog units
    std::vector<DialogItemTemplate> items;
};

class KIVGUI_EXPORT ResourceModule {
public:
    explicit ResourceModule(const char* name) : m_name(name ? name : "") { }
    const CString& name() const { return m_name; }

    void addDialog(UINT id, DialogTemplate dialog) { m_dialogs[id] = std::move(dialog); }
    void addString(UINT id, const char* text) { m_strings[id] = text ? text : ""; }
    // Icons are kept as images: an icon needs the GUI, which may come later.
    void addIcon(UINT id, const QImage& image) { m_icons[id] = image; }
    void addBitmap(UINT id, const QImage& image) { m_bitmaps[id] = image; }
    void addBitmap(const char* name, const QImage& image) { m_namedBitmaps[MakeUpper(name ? name : "")] = image; }

    const DialogTemplate* dialog(UINT id) const;
    // Empty when there is none.
    CString string(UINT id) const;
    QIcon icon(UINT id) const;
    QImage bitmap(UINT id) const;
    // By name, ignoring case; "#123" names the identifier 123.
    QImage bitmap(const char* name) const;

private:
    CString m_name;
    std::map<UINT, DialogTemplate> m_dialogs;
    std::map<UINT, CString> m_strings;
    std::map<UINT, QImage> m_icons;
    std::map<UINT, QImage> m_bitmaps;
    std::map<CString, QImage> m_namedBitmaps;
};

using HINSTANCE = ResourceModule*;

// The module whose resources are looked up now: the application's until a
// library switches to its own.
KIVGUI_EXPORT HINSTANCE AfxGetResourceHandle();
// Null makes the application's module current again.
KIVGUI_EXPORT void AfxSetResourceHandle(HINSTANCE module);
// The application's own module, which hosts register their resources in.
KIVGUI_EXPORT HINSTANCE AfxGetInstanceHandle();

// The process-wide default dialog icon, null until the application sets one.
// It lives here so that the utilities below the dialogs can set it.
KIVGUI_EXPORT HICON& DefaultDialogIcon();

// Makes a module current for a scope and the caller's current again at its
// end, as each exported dialog function does.
class KIVGUI_EXPORT ResourceScope {
public:
    explicit ResourceScope(HINSTANCE module);
    ~ResourceScope();
    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;

private:
    HINSTANCE m_previous;
};

// How an exported dialog function runs its call: with module's templates
// current, and without letting an exception into the host, which may be no
// C++ program at all. call returns the function's result; a throw gives 0.
// What a call that threw said, in the log ("vandrel.platform.gui").
KIVGUI_EXPORT void LogFailedExportedCall(const char* what) noexcept;

template <class Call> int CallWithResources(HINSTANCE module, Call&& call) noexcept
{
    try {
        ResourceScope scope(module);
        return call();
    } catch (const std::exception& e) {
        LogFailedExportedCall(e.what());
    } catch (...) {
        LogFailedExportedCall("an unknown exception");
    }
    return 0;
}

// Dialog units to pixels for the dialog font (MS Sans Serif 8).
constexpr int DialogUnitsToPixelsX(int du)
{
    return du * 6 / 4;
}
constexpr int DialogUnitsToPixelsY(int du)
{
    return du * 13 / 8;
}
