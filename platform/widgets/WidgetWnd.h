// SPDX-License-Identifier: MIT
// A child control that is one Qt widget filling its window: the widget
// follows the window's size, and Create makes the control a visible child,
// as every control of the libraries is. widget() gives the Qt widget to
// hosts that style or drive it (owned by the control).
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/CWnd.h"

template <class Widget> class KIVGUI_EXPORT WidgetWnd : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override
    {
        return CWnd::Create(style | vandrel::win32::WS_CHILD | vandrel::win32::WS_VISIBLE, rect, parent, id);
    }
    Widget* widget() const { return m_widget; }

protected:
    // widget may be null when it depends on how the control is created;
    // adopt gives it then.
    WidgetWnd(QWidget* parent, Widget* widget) : CWnd(parent) { adopt(widget); }

    void adopt(Widget* widget)
    {
        m_widget = widget;
        if (widget) {
            widget->setParent(this);
            widget->setGeometry(rect());
            widget->show(); // with this window
        }
    }

    void resizeEvent(QResizeEvent* event) override
    {
        if (m_widget)
            m_widget->setGeometry(rect());
        CWnd::resizeEvent(event);
    }

private:
    Widget* m_widget = nullptr;
};
