// A window: a QWidget with a control identifier, Win32 messages posted and
// sent to it, and the framework's On… handlers. Any QWidget can be a parent;
// posted messages reach a CWnd through WindowProc and any other widget as a
// WinMessageEvent it may filter.
#pragma once

#include "platform/CString.h"
#include "platform/Geometry.h"
#include "platform/WinMessages.h"

#include <QEvent>
#include <QWidget>

#include <map>

// A posted Win32 message as a Qt event.
class KIVPLATFORM_EXPORT WinMessageEvent : public QEvent {
public:
    static QEvent::Type type();
    WinMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Queues message for target; it arrives when the event loop runs. FALSE for
// a null target.
KIVPLATFORM_EXPORT BOOL PostMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers at once and gives the handler's result (0 for a plain widget).
KIVPLATFORM_EXPORT LRESULT SendMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

// The hourglass while work runs; nests.
KIVPLATFORM_EXPORT void BeginWaitCursor();
KIVPLATFORM_EXPORT void EndWaitCursor();

class KIVPLATFORM_EXPORT CWnd : public QWidget {
public:
    explicit CWnd(QWidget* parent = nullptr);
    ~CWnd() override;

    // A child window at rect (parent client coordinates) with identifier id.
    virtual BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id);

    HWND GetSafeHwnd() { return this; }
    QWidget* GetParent() const { return parentWidget(); }
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    void SetDlgCtrlID(UINT id) { m_id = id; }
    DWORD GetStyle() const { return m_style; }

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const; // in screen coordinates
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = true);
    void MoveWindow(const CRect& rect, BOOL repaint = true);
    BOOL ShowWindow(int command);
    BOOL EnableWindow(BOOL enable = true);
    BOOL IsWindowEnabled() const { return isEnabled(); }
    BOOL IsWindowVisible() const { return isVisible(); }
    void SetWindowText(const char* text);
    CString GetWindowText() const { return m_text; }
    BOOL RedrawWindow(const CRect* rect = nullptr, void* region = nullptr,
        UINT flags = vandrel::win32::RDW_INVALIDATE | vandrel::win32::RDW_UPDATENOW | vandrel::win32::RDW_ERASE);
    void Invalidate(BOOL erase = true);
    void UpdateWindow();

    // Window timers: OnTimer(id) every elapse milliseconds until killed.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* callback = nullptr);
    BOOL KillTimer(UINT_PTR id);

    HWND SetCapture();
    static BOOL ReleaseCapture();
    static HWND GetCapture();

    // The message pump of this window: the default dispatches to the On…
    // handlers; overrides call it for what they do not handle.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // WM_COMMAND from a child: wParam holds its identifier (low word) and
    // the code (high word), lParam its window.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual void OnTimer(UINT_PTR id);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnSize(UINT type, int cx, int cy);
    // Before each paint; TRUE when the background is done. The default leaves
    // it to the widget's own background.
    virtual BOOL OnEraseBkgnd(class CDC* dc);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    LRESULT mouse(QMouseEvent* event, UINT left, UINT right);

    UINT m_id = 0;
    DWORD m_style = 0;
    CString m_text;
    std::map<int, UINT_PTR> m_timers; // Qt timer id → window timer id
};
