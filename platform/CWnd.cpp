#include "platform/CWnd.h"

#include "platform/CDC.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

namespace {
QPointer<QWidget> g_capture;
int g_waitDepth = 0;

UINT keyFlags(const QMouseEvent* e)
{
    UINT flags = 0;
    if (e->buttons() & Qt::LeftButton)
        flags |= 0x0001; // MK_LBUTTON
    if (e->buttons() & Qt::RightButton)
        flags |= 0x0002; // MK_RBUTTON
    if (e->modifiers() & Qt::ShiftModifier)
        flags |= 0x0004;
    if (e->modifiers() & Qt::ControlModifier)
        flags |= 0x0008;
    if (e->buttons() & Qt::MiddleButton)
        flags |= 0x0010;
    return flags;
}
} // namespace

QEvent::Type WinMessageEvent::type()
{
    static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
    return t;
}

WinMessageEvent::WinMessageEvent(UINT m, WPARAM w, LPARAM l) : QEvent(type()), message(m), wParam(w), lParam(l)
{
}

BOOL PostMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!target)
        return FALSE;
    QCoreApplication::postEvent(target, new WinMessageEvent(message, wParam, lParam));
    return TRUE;
}

LRESULT SendMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto* wnd = dynamic_cast<CWnd*>(target))
        return wnd->WindowProc(message, wParam, lParam);
    if (target) {
        WinMessageEvent e(message, wParam, lParam);
        QCoreApplication::sendEvent(target, &e);
    }
    return 0;
}

void BeginWaitCursor()
{
    if (g_waitDepth++ == 0 && qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void EndWaitCursor()
{
    if (g_waitDepth > 0 && --g_waitDepth == 0 && qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

CWnd::CWnd(QWidget* parent) : QWidget(parent)
{
}

CWnd::~CWnd()
{
    if (g_capture == this)
        g_capture = nullptr;
}

BOOL CWnd::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    setParent(parent);
    m_style = style;
    m_id = id;
    setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    setEnabled(!(style & WS_DISABLED));
    if (style & WS_VISIBLE)
        show();
    return TRUE;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(this, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

void CWnd::GetClientRect(CRect* rect) const
{
    if (rect)
        *rect = CRect(0, 0, width(), height());
}

void CWnd::GetWindowRect(CRect* rect) const
{
    if (!rect)
        return;
    if (isWindow()) {
        const QRect frame = frameGeometry();
        *rect = CRect(frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height());
        return;
    }
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    *rect = CRect(topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height());
}

void CWnd::MoveWindow(int x, int y, int w, int h, BOOL repaint)
{
    if (isWindow()) {
        // A top-level window: the rectangle is its frame's, as in Win32.
        const QRect frame = frameGeometry();
        const int borderX = frame.width() - width(), borderY = frame.height() - height();
        move(x, y);
        resize(std::max(0, w - borderX), std::max(0, h - borderY));
        if (repaint)
            update();
        return;
    }
    setGeometry(x, y, std::max(0, w), std::max(0, h));
    if (repaint)
        update();
}

void CWnd::MoveWindow(const CRect& rect, BOOL repaint)
{
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

BOOL CWnd::ShowWindow(int command)
{
    const BOOL wasVisible = isVisible();
    setVisible(command != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    const BOOL wasDisabled = !isEnabled();
    setEnabled(enable != FALSE);
    return wasDisabled;
}

void CWnd::SetWindowText(const char* text)
{
    m_text = text ? text : "";
    setWindowTitle(QString::fromStdString(m_text));
    update();
}

BOOL CWnd::RedrawWindow(const CRect* rect, void*, UINT flags)
{
    const QRect area = rect ? QRect(rect->left, rect->top, rect->Width(), rect->Height()) : QRect();
    if (flags & RDW_INVALIDATE)
        rect ? update(area) : update();
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        rect ? repaint(area) : repaint();
    return TRUE;
}

void CWnd::Invalidate(BOOL)
{
    update();
}

void CWnd::UpdateWindow()
{
    repaint();
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void*)
{
    KillTimer(id);
    const int qtId = startTimer(static_cast<int>(std::max<UINT>(elapse, 1)));
    if (qtId == 0)
        return 0;
    m_timers[qtId] = id;
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second == id) {
            killTimer(it->first);
            m_timers.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

HWND CWnd::SetCapture()
{
    QWidget* previous = g_capture;
    g_capture = this;
    grabMouse();
    return previous;
}

BOOL CWnd::ReleaseCapture()
{
    if (g_capture)
        g_capture->releaseMouse();
    g_capture = nullptr;
    return TRUE;
}

HWND CWnd::GetCapture()
{
    return g_capture;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const UINT flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_PAINT: OnPaint(); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(flags, point); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, point); return 0;
    case WM_LBUTTONUP: OnLButtonUp(flags, point); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, point); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(flags, point); return 0;
    case WM_RBUTTONUP: OnRButtonUp(flags, point); return 0;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(flags, point); return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
            HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    default: return 0;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}
void CWnd::OnPaint()
{
}
void CWnd::OnTimer(UINT_PTR)
{
}
void CWnd::OnMouseMove(UINT, CPoint)
{
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
}
void CWnd::OnSize(UINT, int, int)
{
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CWnd::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    WindowProc(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width(), height()));
}

bool CWnd::event(QEvent* e)
{
    if (e->type() == WinMessageEvent::type()) {
        const auto* m = static_cast<WinMessageEvent*>(e);
        WindowProc(m->message, m->wParam, m->lParam);
        return true;
    }
    return QWidget::event(e);
}

void CWnd::paintEvent(QPaintEvent*)
{
    {
        CPaintDC dc(this);
        OnEraseBkgnd(&dc);
    }
    WindowProc(WM_PAINT, 0, 0);
}

LRESULT CWnd::mouse(QMouseEvent* e, UINT left, UINT right)
{
    const UINT message = e->button() == Qt::RightButton ? right : left;
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
        return 0;
    const QPoint p = e->position().toPoint();
    return WindowProc(message, keyFlags(e), MAKELPARAM(p.x(), p.y()));
}

void CWnd::mousePressEvent(QMouseEvent* e)
{
    mouse(e, WM_LBUTTONDOWN, WM_RBUTTONDOWN);
}

void CWnd::mouseReleaseEvent(QMouseEvent* e)
{
    mouse(e, WM_LBUTTONUP, WM_RBUTTONUP);
}

void CWnd::mouseDoubleClickEvent(QMouseEvent* e)
{
    mouse(e, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK);
}

void CWnd::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    WindowProc(WM_MOUSEMOVE, keyFlags(e), MAKELPARAM(p.x(), p.y()));
}

void CWnd::timerEvent(QTimerEvent* e)
{
    const auto it = m_timers.find(e->timerId());
    if (it != m_timers.end())
        WindowProc(WM_TIMER, it->second, 0);
    else
        QWidget::timerEvent(e);
}
