// SPDX-License-Identifier: MIT
// A split bar between sibling windows of a dialog: dragging it grows the
// windows on one side and shrinks those on the other, none below the minimum
// size. While the button is held a dotted ghost line on the parent shows where
// the bar will go; the windows move when the button is released. AddLeft and
// AddRight make a bar that moves left and right, AddTop and AddBottom one that
// moves up and down.
#pragma once

#include "core/KivCtrl_export.h"
#include "core/KivObjList.h"
#include "platform/widgets/CWnd.h"

class KIVCTRL_EXPORT CKivSplitCtrl : public CWnd {
public:
    explicit CKivSplitCtrl(QWidget* parent = nullptr);
    // Only forgets the windows: they belong to the dialog.
    ~CKivSplitCtrl() override;

    void AddLeft(CWnd* window);
    void AddRight(CWnd* window);
    void AddTop(CWnd* window);
    void AddBottom(CWnd* window);
    void SetMinSize(int size) { m_nMinSize = size; }
    // From the parent's window corner to its client corner.
    void SetOffset(int x, int y)
    {
        m_nOffsetX = x;
        m_nOffsetY = y;
    }
    void SetRedraw(int redraw) { m_bRedraw = redraw; }

    int GetVertical() const { return m_bVertical; }
    int IsDragging() const { return m_bDragging; }

protected:
    void Resize(CPoint delta, int vertical);
    void ResizeHorz(int dx);
    void ResizeVert(int dy);
    // 1, or 0 (nothing moved) when a window would get smaller than the minimum.
    int ResizeLeft(const CRect& parent, int dx);
    int ResizeRight(const CRect& parent, int dx);
    int ResizeTop(const CRect& parent, int dy);
    int ResizeBottom(const CRect& parent, int dy);
    void MoveHorz(const CRect& parent, int dx);
    void MoveVert(const CRect& parent, int dy);
    // Drawn twice at the same place it is gone again.
    void DrawGhost(CPoint delta, const CRect& bar);

    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    // A window's rectangle turned into a position in the parent.
    CPoint PositionIn(const CRect& window, const CRect& parent) const;
    CRect ParentWindowRect() const;
    void MoveAndPaint(CWnd* window, int x, int y, int width, int height);
    int ResizeSide(KivObjList& side, const CRect& parent, int dx, int dy, int dw, int dh);
    void SetSizeCursor();

    KivObjList m_firstSide; // CWnd*, not owned
    KivObjList m_secondSide;
    CRect m_barRect;
    CPoint m_downPoint;
    CPoint m_delta;
    int m_nMinSize = 0;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    int m_bVertical = 0;
    int m_bPressed = 0;
    int m_bDragging = 0;
    int m_bRedraw = 0;
};
