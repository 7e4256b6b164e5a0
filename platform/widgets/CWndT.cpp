// SPDX-License-Identifier: MIT
#include "platform/widgets/CWndT.h"

#include "platform/gdi/CDC.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>

namespace {
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
    if (!target)
        return 0;
    WinMessageEvent e(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &e);
    return e.result;
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

template <class QtBase> CWndT<QtBase>::CWndT(QWidget* parent) : QtBase(parent)
{
}

template <class QtBase> CWndT<QtBase>::~CWndT() = default;

template <class QtBase> void CWndT<QtBase>::GetClientRect(CRect* rect) const
{
    if (rect)
        *rect = CRect(0, 0, this->width(), this->height());
}

template <class QtBase> void CWndT<QtBase>::GetWindowRect(CRect* rect) const
{
    if (!rect)
        return;
    if (this->isWindow()) {
        const QRect frame = this->frameGeometry();
        *rect = CRect(frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height());
        return;
    }
    const QPoint topLeft = this->mapToGlobal(QPoint(0, 0));
    *rect = CRect(topLeft.x(), topLeft.y(), topLeft.x() + this->width(), topLeft.y() + this->height());
}

template <class QtBase> void CWndT<QtBase>::MoveWindow(int x, int y, int w, int h, BOOL repaint)
{
    if (this->isWindow()) {
        const QRect frame = this->frameGeometry();
        const int borderX = frame.width() - this->width(), borderY = frame.height() - this->height();
        this->move(x, y);
        this->resize(std::max(0, w - borderX), std::max(0, h - borderY));
    } else {
        this->setGeometry(x, y, std::max(0, w), std::max(0, h));
    }
    if (repaint)
        this->update();
}

template <class QtBase> BOOL CWndT<QtBase>::ShowWindow(int command)
{
    const BOOL wasVisible = this->isVisible();
    this->setVisible(command != SW_HIDE);
    return wasVisible;
}

template <class QtBase> void CWndT<QtBase>::SetWindowText(const char* text)
{
    m_text = text ? text : "";
    this->setWindowTitle(QString::fromStdString(m_text));
    this->update();
}

template <class QtBase> BOOL CWndT<QtBase>::RedrawWindow(const CRect* rect, void*, UINT flags)
{
    const QRect area = rect ? QRect(rect->left, rect->top, rect->Width(), rect->Height()) : QRect();
    if (flags & RDW_INVALIDATE)
        rect ? this->update(area) : this->update();
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        rect ? this->repaint(area) : this->repaint();
    return TRUE;
}

template <class QtBase> LRESULT CWndT<QtBase>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const UINT flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_PAINT: OnPaint(); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, point); return 0;
    case WM_LBUTTONUP: OnLButtonUp(flags, point); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, point); return 0;
    case WM_MOUSEMOVE: OnMouseMove(flags, point); return 0;
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

template <class QtBase> BOOL CWndT<QtBase>::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}
template <class QtBase> void CWndT<QtBase>::OnPaint()
{
}
template <class QtBase> void CWndT<QtBase>::OnLButtonDown(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnLButtonUp(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnLButtonDblClk(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnMouseMove(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnRButtonDown(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnRButtonUp(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnRButtonDblClk(UINT, CPoint)
{
}
template <class QtBase> void CWndT<QtBase>::OnSize(UINT, int, int)
{
}
template <class QtBase> BOOL CWndT<QtBase>::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

template <class QtBase> void CWndT<QtBase>::resizeEvent(QResizeEvent* e)
{
    QtBase::resizeEvent(e);
    WindowProc(WM_SIZE, SIZE_RESTORED, MAKELPARAM(this->width(), this->height()));
}

template <class QtBase> bool CWndT<QtBase>::event(QEvent* e)
{
    if (e->type() == WinMessageEvent::type()) {
        auto* m = static_cast<WinMessageEvent*>(e);
        m->result = WindowProc(m->message, m->wParam, m->lParam);
        return true;
    }
    return QtBase::event(e);
}

template <class QtBase> void CWndT<QtBase>::paintEvent(QPaintEvent*)
{
    {
        CPaintDC dc(this);
        OnEraseBkgnd(&dc);
    }
    WindowProc(WM_PAINT, 0, 0);
}

template <class QtBase> void CWndT<QtBase>::mouse(QMouseEvent* e, UINT left, UINT right)
{
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
        return;
    const QPoint p = e->position().toPoint();
    WindowProc(e->button() == Qt::RightButton ? right : left, keyFlags(e), MAKELPARAM(p.x(), p.y()));
}

template <class QtBase> void CWndT<QtBase>::mousePressEvent(QMouseEvent* e)
{
    mouse(e, WM_LBUTTONDOWN, WM_RBUTTONDOWN);
}

template <class QtBase> void CWndT<QtBase>::mouseReleaseEvent(QMouseEvent* e)
{
    mouse(e, WM_LBUTTONUP, WM_RBUTTONUP);
}

template <class QtBase> void CWndT<QtBase>::mouseDoubleClickEvent(QMouseEvent* e)
{
    mouse(e, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK);
}

template <class QtBase> void CWndT<QtBase>::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    WindowProc(WM_MOUSEMOVE, keyFlags(e), MAKELPARAM(p.x(), p.y()));
}

template class CWndT<QWidget>;
template class CWndT<QDialog>;
