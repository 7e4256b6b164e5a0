// SPDX-License-Identifier: MIT
// A static control: a window that shows its text, an icon (SS_ICON, or any
// static given one) or an etched line along its middle (SS_ETCHEDHORZ).
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/CWnd.h"

class KIVGUI_EXPORT CStatic : public CWnd {
public:
    explicit CStatic(QWidget* parent = nullptr);
    BOOL Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id = 0xFFFF);
    using CWnd::Create;

    // Gives the icon shown before; the caller keeps the icon alive.
    HICON SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon; }

protected:
    void OnPaint() override;

private:
    HICON m_icon = nullptr;
};
