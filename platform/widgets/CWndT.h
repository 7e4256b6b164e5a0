// SPDX-License-Identifier: MIT
// What every window is: Win32 messages posted and sent to it and the
// framework's On… handlers, over the Qt class that carries the window. Any
// QWidget can be a parent; posted messages reach a window through WindowProc
// and any other widget as a WinMessageEvent it may filter.
//
// Why a template: a plain window or control is a QWidget (CWnd) and a dialog
// must be a QDialog (CDialog) so that it runs, ends and takes keys as Qt's
// dialogs do. Qt allows one QObject base per object, so a dialog cannot be a
// QDialog and a QWidget-based CWnd at once, and a dialog owning a QDialog
// beside itself would split one window into two widgets with two sizes,
// titles and visibilities. CWndT<QtBase> gives both the same Win32 calls on
// the one widget; a dialog is not a CWnd, so code that takes any window,
// dialogs included, takes an HWND.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinMessages.h"

#include <QEvent>
#include <QWidget>

// A posted or sent Win32 message as a Qt event. A widget that handles a sent
// one may store its answer in result.
class KIVGUI_EXPORT WinMessageEvent : public QEvent {
public:
    static QEvent::Type type();
    WinMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
};

// Queues message for target; it arrives when the event loop runs. FALSE for
// a null target.
KIVGUI_EXPORT BOOL PostMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers at once and gives the handler's result (0 for a widget that does
// not answer).
KIVGUI_EXPORT LRESULT SendMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

// The hourglass while work runs; nests.
KIVGUI_EXPORT void BeginWaitCursor();
KIVGUI_EXPORT void EndWaitCursor();

class CDC;

template <class QtBase> class KIVGUI_EXPORT CWndT : public QtBase {
public:
    explicit CWndT(QWidget* parent = nullptr);
    ~CWndT() override;

    QWidget* GetParent() const { return this->parentWidget(); }

    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const; // in screen coordinates
    // A top-level window's rectangle is its frame's, as in Win32.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = true);
    BOOL ShowWindow(int command);
    void SetWindowText(const char* text);
    CString GetWindowText() const { return m_text; }
    BOOL RedrawWindow(const CRect* rect = nullptr, void* region = nullptr,
        UINT flags = vandrel::win32::RDW_INVALIDATE | vandrel::win32::RDW_UPDATENOW | vandrel::win32::RDW_ERASE);

    // The message pump of this window: dispatches to the On… handlers.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // WM_COMMAND from a child: wParam holds its identifier (low word) and
    // the code (high word), lParam its window.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    // Also while a button is held: the window that took the press keeps the
    // mouse until its release, as a captured window does.
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnSize(UINT type, int cx, int cy);
    // Before each paint; TRUE when the background is done. The default leaves
    // it to the widget's own background.
    virtual BOOL OnEraseBkgnd(CDC* dc);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void mouse(QMouseEvent* event, UINT left, UINT right);

    CString m_text;
};

extern template class CWndT<QWidget>;
