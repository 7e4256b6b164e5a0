// SPDX-License-Identifier: MIT
// A plain window or child control: a QWidget with the calls of every window
// (CWndT), a control identifier and a style. Its notifications to the parent
// also come as the notified signal, so a Qt host can connect() to a control
// instead of reading WM_COMMAND.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/CWndT.h"

#include <map>

class KIVGUI_EXPORT CWnd : public CWndT<QWidget> {
    Q_OBJECT

public:
    explicit CWnd(QWidget* parent = nullptr);
    ~CWnd() override;

    // A child window at rect (parent client coordinates) with identifier id.
    virtual BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id);
    // Takes the place of the control id that parent's dialog template made:
    // its rectangle, style, identifier, stacking and place in the tab order;
    // the template's control goes. FALSE when parent has no such control.
    BOOL SubclassDlgItem(UINT id, QWidget* parent);

    // A window timer: OnTimer(id) about every elapse milliseconds until
    // KillTimer(id); setting an id again restarts it. 0 when elapse is 0.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);

    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    void SetDlgCtrlID(UINT id) { m_id = id; }
    DWORD GetStyle() const { return m_style; }

Q_SIGNALS:
    // The code (high word of wParam) of every WM_COMMAND this window posts
    // to its parent, emitted as it is posted.
    void notified(unsigned int code);

protected:
    // Posts message to the parent, if there is one; a WM_COMMAND is also
    // emitted as notified.
    void PostToParent(UINT message, WPARAM wParam, LPARAM lParam);
    // The child control's WM_COMMAND: identifier and code, this window in lParam.
    void NotifyParent(UINT code);
    // A tick of the window timer id; ticks come through the event loop.
    virtual void OnTimer(UINT_PTR id);
    void timerEvent(QTimerEvent* event) override;

    // For controls whose styles change after creation.
    void SetStyle(DWORD style) { m_style = style; }

private:
    UINT m_id = 0;
    std::map<UINT_PTR, int> m_timers; // window timer id -> Qt's timer id
    DWORD m_style = 0;
};
