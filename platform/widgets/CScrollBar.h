// SPDX-License-Identifier: MIT
// A scroll bar control: range, position and page, with its scroll codes
// (SB_LINEUP …) reported, reflected, to OnScroll and then sent to the parent
// as WM_HSCROLL or WM_VSCROLL.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QScrollBar>

class KIVGUI_EXPORT CScrollBar : public WidgetWnd<QScrollBar> {
public:
    explicit CScrollBar(QWidget* parent = nullptr);
    // SBS_VERT in style makes the bar vertical.
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    void SetScrollRange(int min, int max, BOOL redraw = true);
    // Gives the previous position; moving the bar from here reports nothing.
    int SetScrollPos(int pos, BOOL redraw = true);
    int GetScrollPos() const;
    void SetPageSize(int page);

protected:
    virtual void OnScroll(UINT code, UINT pos);
};
