// SPDX-License-Identifier: MIT
// The edit control with the mouse as a selection and drawing tool: regions
// of five shapes outlined with moving dashes, moved, cropped to or filled,
// and points, lines, rectangles, ellipses and text drawn into the image, all
// through the edit protocol so each change can be undone. The region lives
// on the image (its toolkit region); points are taken in window pixels and
// mapped to image pixels with the zoom.
#pragma once

#include "imaging/editor/CKivLeadEditCtrl.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <QFont>
#include <QTimer>

#include <string>
#include <vector>

class KIVLEAD_EXPORT CKivLeadSelectCtrl : public CKivLeadEditCtrl {
public:
    static constexpr int kShapeRect = 1;
    static constexpr int kShapeEllipse = 2;
    static constexpr int kShapeRoundRect = 3;
    static constexpr int kShapeFreeHand = 4;
    static constexpr int kShapeColor = 5;
    static constexpr int kMaxPoints = 32767;
    static constexpr int kTimerPeriod = 250; // ms per step of the outline

    explicit CKivLeadSelectCtrl(QWidget* parent = nullptr);
    ~CKivLeadSelectCtrl() override;

    void OnSelectRectangle() { InitSelect(kShapeRect); }
    void OnSelectEllipse() { InitSelect(kShapeEllipse); }
    void OnSelectRoundRect() { InitSelect(kShapeRoundRect); }
    void OnSelectFreeHand() { InitSelect(kShapeFreeHand); }
    void OnSelectColor() { InitSelect(kShapeColor); }
    void OnDrawPoint();
    void OnDrawLine();
    void OnDrawRectangle();
    void OnDrawEllipse();
    void OnDrawText();
    // The text tool is chosen (choosing a tool leaves select mode, so the
    // text tool alone decides).
    bool IsText() const { return m_bText != 0; }

    void OnImageCrop();
    // Asks for the colour, then fills the selection with it.
    void OnColorFillBorder();
    void FillSelection(COLORREF colour);
    // One image from the scanner (the device SetScanDevice named, else the
    // first SANE finds) in place of the image, as an undoable change; the
    // toolkit's status, and the image as it was on failure.
    int OnAcquire(HWND window);
    void SetScanDevice(const char* device) { m_strScanDevice = device ? device : ""; }
    void OnFileInsert() { }
    void FreeBitmaps();

    void InitSelect(int kind);
    void ResetDraw();

    // The mouse, in window pixels; the window's own mouse events arrive here too.
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // One step of the outline animation (timer 1).
    void OnTimer(UINT id);

    int GetShape() const { return m_nShape; }
    int IsSelectActive() const { return m_bSelectActive; }
    int GetPhase() const { return m_nPhase; }
    bool IsTimerRunning() const { return m_timer.isActive(); }
    int GetCombineMode() const { return m_nCombine; }
    void SetPen(int style, int width);
    void SetText(const QString& text) { m_strText = text; }
    const QFont& GetTextFont() const { return m_font; }
    // The selection's bounds in image pixels; empty when there is none.
    QRect GetSelectionBounds() const;

protected:
    void OnPaint() override;

private:
    QPoint toImage(CPoint p) const;
    void clearTools();
    void closeShape();
    void dropSelection();
    void drawShape(CPoint to);
    void startOutline();
    void stopOutline();

    std::vector<CPoint> m_points; // window pixels
    int m_nShape = kShapeRect;
    int m_nPenStyle = 0; // 0 solid, 1 dash, 2 dot
    int m_nPenWidth = 1;
    int m_nCombine = KIVLEAD_RGN_SET;
    int m_nPhase = 0;
    int m_bDrawing = 0;
    int m_bSelectActive = 0;
    int m_bSelectMode = 1;
    int m_bPoint = 0, m_bLine = 0, m_bRect = 0, m_bEllipse = 0, m_bText = 0;
    int m_bFloating = 0; // the selection is being dragged
    QPoint m_ptFloat; // the lifted selection's top left, image pixels
    CPoint m_ptDown, m_ptLast, m_ptPrev;
    QRegion m_region; // the lifted region, relative to its top left
    QFont m_font;
    QString m_strText;
    QTimer m_timer;
    std::string m_strScanDevice;
};
