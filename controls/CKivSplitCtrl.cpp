// SPDX-License-Identifier: MIT
#include "controls/CKivSplitCtrl.h"

#include "platform/gdi/CClientDC.h"

#include <QCursor>

namespace {
CRect rectOf(const QWidget* w)
{
    if (w->isWindow()) {
        const QRect frame = w->frameGeometry();
        return CRect(frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height());
    }
    const QPoint topLeft = w->mapToGlobal(QPoint(0, 0));
    return CRect(topLeft.x(), topLeft.y(), topLeft.x() + w->width(), topLeft.y() + w->height());
}
} // namespace

CKivSplitCtrl::CKivSplitCtrl(QWidget* parent) : CWnd(parent)
{
    SetSizeCursor();
}

CKivSplitCtrl::~CKivSplitCtrl()
{
    m_firstSide.removeAll();
    m_secondSide.removeAll();
}

void CKivSplitCtrl::SetSizeCursor()
{
    setCursor(m_bVertical ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

void CKivSplitCtrl::AddLeft(CWnd* window)
{
    m_bVertical = 0;
    m_firstSide.addTail(window);
    SetSizeCursor();
}

void CKivSplitCtrl::AddRight(CWnd* window)
{
    m_bVertical = 0;
    m_secondSide.addTail(window);
    SetSizeCursor();
}

void CKivSplitCtrl::AddTop(CWnd* window)
{
    m_bVertical = 1;
    m_firstSide.addTail(window);
    SetSizeCursor();
}

void CKivSplitCtrl::AddBottom(CWnd* window)
{
    m_bVertical = 1;
    m_secondSide.addTail(window);
    SetSizeCursor();
}

CRect CKivSplitCtrl::ParentWindowRect() const
{
    return GetParent() ? rectOf(GetParent()) : CRect();
}

CPoint CKivSplitCtrl::PositionIn(const CRect& r, const CRect& p) const
{
    return CPoint(r.left - m_nOffsetX - p.left, r.top - m_nOffsetY - p.top);
}

void CKivSplitCtrl::OnMouseMove(UINT, CPoint point)
{
    SetSizeCursor();
    if (!m_bDragging)
        return;
    if (m_delta.x != 0 || m_delta.y != 0)
        DrawGhost(m_delta, m_barRect);
    m_delta = CPoint(point.x - m_downPoint.x, point.y - m_downPoint.y);
    DrawGhost(m_delta, m_barRect);
}

// The press keeps the mouse on this window until the release, so no capture
// of its own is needed.
void CKivSplitCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_downPoint = point;
    m_bDragging = 1;
    if (!GetParent())
        return;
    m_delta = CPoint(0, 0);
    m_bPressed = 1;
    CRect r;
    GetWindowRect(&r);
    const CPoint at = PositionIn(r, ParentWindowRect());
    m_barRect = CRect(at.x, at.y, at.x + r.Width(), at.y + r.Height());
}

void CKivSplitCtrl::OnLButtonUp(UINT, CPoint point)
{
    m_bPressed = 0;
    if (m_bDragging) {
        if (m_delta.x != 0 || m_delta.y != 0)
            DrawGhost(m_delta, m_barRect);
        m_delta = CPoint(0, 0);
        Resize(CPoint(point.x - m_downPoint.x, point.y - m_downPoint.y), m_bVertical);
    }
    m_bDragging = 0;
    if (m_bRedraw && GetParent()) {
        GetParent()->update();
        GetParent()->repaint();
    }
}

void CKivSplitCtrl::Resize(CPoint delta, int vertical)
{
    if (vertical == 1)
        ResizeVert(delta.y);
    else
        ResizeHorz(delta.x);
}

// The side that shrinks is asked first; when one of its windows refuses, the
// bar and the other side stay where they are.
void CKivSplitCtrl::ResizeHorz(int dx)
{
    const CRect p = ParentWindowRect();
    if (dx < 1) {
        if (ResizeLeft(p, dx)) {
            MoveHorz(p, dx);
            ResizeRight(p, dx);
        }
    } else if (ResizeRight(p, dx)) {
        MoveHorz(p, dx);
        ResizeLeft(p, dx);
    }
}

void CKivSplitCtrl::ResizeVert(int dy)
{
    const CRect p = ParentWindowRect();
    if (dy < 1) {
        if (ResizeTop(p, dy)) {
            MoveVert(p, dy);
            ResizeBottom(p, dy);
        }
    } else if (ResizeBottom(p, dy)) {
        MoveVert(p, dy);
        ResizeTop(p, dy);
    }
}

void CKivSplitCtrl::MoveAndPaint(CWnd* window, int x, int y, int width, int height)
{
    window->MoveWindow(x, y, width, height, TRUE);
    window->RedrawWindow();
}

// Every window of the side is checked before any moves: one window too small
// must not leave the others of its side moved while the bar stays.
int CKivSplitCtrl::ResizeSide(KivObjList& side, const CRect& p, int dx, int dy, int dw, int dh)
{
    for (int i = 0; i < side.getCount(); ++i) {
        CRect r;
        static_cast<CWnd*>(side.getAt(i))->GetWindowRect(&r);
        if ((dw != 0 && r.Width() + dw < m_nMinSize) || (dh != 0 && r.Height() + dh < m_nMinSize))
            return 0;
    }
    for (int i = 0; i < side.getCount(); ++i) {
        auto* w = static_cast<CWnd*>(side.getAt(i));
        CRect r;
        w->GetWindowRect(&r);
        const CPoint at = PositionIn(r, p);
        MoveAndPaint(w, at.x + dx, at.y + dy, r.Width() + dw, r.Height() + dh);
    }
    return 1;
}

int CKivSplitCtrl::ResizeLeft(const CRect& p, int dx)
{
    return ResizeSide(m_firstSide, p, 0, 0, dx, 0);
}

int CKivSplitCtrl::ResizeRight(const CRect& p, int dx)
{
    return ResizeSide(m_secondSide, p, dx, 0, -dx, 0);
}

int CKivSplitCtrl::ResizeTop(const CRect& p, int dy)
{
    return ResizeSide(m_firstSide, p, 0, 0, 0, dy);
}

int CKivSplitCtrl::ResizeBottom(const CRect& p, int dy)
{
    return ResizeSide(m_secondSide, p, 0, dy, 0, -dy);
}

void CKivSplitCtrl::MoveHorz(const CRect& p, int dx)
{
    CRect r;
    GetWindowRect(&r);
    const CPoint at = PositionIn(r, p);
    MoveWindow(at.x + dx, at.y, r.Width(), r.Height(), TRUE);
}

void CKivSplitCtrl::MoveVert(const CRect& p, int dy)
{
    CRect r;
    GetWindowRect(&r);
    const CPoint at = PositionIn(r, p);
    MoveWindow(at.x, at.y + dy, r.Width(), r.Height(), TRUE);
}

// The ghost inverts the pixels it covers, so it shows on any background and
// a second draw restores them (a black pen in xor mode would change nothing).
void CKivSplitCtrl::DrawGhost(CPoint delta, const CRect& bar)
{
    QWidget* parent = GetParent();
    if (!parent)
        return;
    CRect r = bar;
    const int dx = m_bVertical == 1 ? 0 : delta.x, dy = m_bVertical == 1 ? delta.y : 0;
    r = CRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
    CClientDC dc(parent);
    CPen pen(PS_DOT, 0, RGB(0, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.SetROP2(R2_NOT);
    if (m_bVertical == 1) {
        dc.MoveTo(r.left, (r.top + r.bottom) / 2);
        dc.LineTo(r.right, (r.top + r.bottom) / 2);
    } else {
        dc.MoveTo((r.left + r.right) / 2, r.top);
        dc.LineTo((r.left + r.right) / 2, r.bottom);
    }
    dc.SelectObject(old);
}
