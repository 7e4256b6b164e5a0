// SPDX-License-Identifier: MIT
#include "platform/widgets/Resources.h"

#include "platform/base/Translation.h"

#include <QLoggingCategory>
#include <QPixmap>

#include <cstdlib>

namespace {
ResourceModule& applicationModule()
{
    static ResourceModule module("application");
    return module;
}
HINSTANCE g_current = nullptr;
} // namespace

const DialogTemplate* ResourceModule::dialog(UINT id) const
{
    const auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

CString ResourceModule::string(UINT id) const
{
    const auto it = m_strings.find(id);
    return it == m_strings.end() ? CString() : KivTranslate("String", it->second.c_str());
}

QIcon ResourceModule::icon(UINT id) const
{
    const auto it = m_icons.find(id);
    return it == m_icons.end() ? QIcon() : QIcon(QPixmap::fromImage(it->second));
}

QImage ResourceModule::bitmap(UINT id) const
{
    const auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? QImage() : it->second;
}

QImage ResourceModule::bitmap(const char* name) const
{
    if (!name)
        return {};
    if (name[0] == '#')
        return bitmap(static_cast<UINT>(std::atoi(name + 1)));
    const auto it = m_namedBitmaps.find(MakeUpper(name));
    return it == m_namedBitmaps.end() ? QImage() : it->second;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_current ? g_current : &applicationModule();
}

void AfxSetResourceHandle(HINSTANCE module)
{
    g_current = module;
}

ResourceScope::ResourceScope(HINSTANCE module) : m_previous(g_current)
{
    g_current = module;
}

ResourceScope::~ResourceScope()
{
    g_current = m_previous;
}

HINSTANCE AfxGetInstanceHandle()
{
    return &applicationModule();
}

HICON& DefaultDialogIcon()
{
    static HICON icon = nullptr;
    return icon;
}

Q_LOGGING_CATEGORY(lcGui, "vandrel.platform.gui", QtWarningMsg)

void LogFailedExportedCall(const char* what) noexcept
{
    try {
        qCWarning(lcGui, "a dialog call failed: %s", what ? what : "");
    } catch (...) {
        // Logging is best effort; the call's result already says it failed.
    }
}
