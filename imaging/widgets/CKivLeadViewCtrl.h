// SPDX-License-Identifier: MIT
// A static window showing one image: zoomed in percent, fitted to the
// window, centred, scrolled by an offset, painted plainly or with a wipe or
// fade transition. It owns its CLeadBitmap. Painting draws from the image's
// cached paint handle, scaled once per zoom change (below 100 %) or only the
// visible part (from 100 % up), so a repaint never converts the image.
#pragma once

#include "controls/CKivStatic.h"
#include "imaging/KivLead_export.h"
#include "imaging/toolkit/CLeadBitmap.h"

#include <QImage>

class QPainter;
class QTimer;

class KIVLEAD_EXPORT CKivLeadViewCtrl : public CKivStatic {
public:
    // Shrinks rect to the largest centred rectangle of width:height.
    static void MatchAspectRatio(CRect* rect, int width, int height);

    // The effect code of plain painting.
    static constexpr int kNoEffect = 1000;

    explicit CKivLeadViewCtrl(QWidget* parent = nullptr);
    ~CKivLeadViewCtrl() override;

    // Loads file (keeping its own bits per pixel) in place of the image and
    // sets the view offset to (0, 0); a load error leaves an empty image and
    // is not reported.
    void SetFileName(const char* file, int center, int fit);
    const char* GetFileName() const { return m_strFile.c_str(); }

    void SetZoom(int zoom); // never below 1
    int GetZoom() const { return m_nZoom; }
    void SetZoomFactor(int step) { m_nZoomStep = step; }
    void ZoomIn();
    void ZoomOut();
    // The largest zoom that shows the whole image in the client area.
    void ZoomFit();
    void SetCenter(int center) { m_bCenter = center; }
    void SetFit(int fit) { m_bFit = fit; }
    int GetFit() const { return m_bFit; }
    void SetEditable(int editable) { m_bEditable = editable; }
    void SetEffect(int effect, int delay);
    void Offset(int dx, int dy);
    CPoint GetViewOffset() const { return m_ptOffset; }
    CRect GetPaintRect() const { return m_rcPaint; }
    // The displayed size: width and height × zoom / 100, swapped for the
    // rotated perspectives.
    CSize GetSize() const;
    // The largest scroll position, from the displayed size and the window.
    CSize GetScrollLimit() const;
    // Scroll position in display pixels (0, 0 at the top left; 0 on a side
    // where the picture fits the window).
    CPoint GetScrollPosition() const;
    // Shows the picture from position, kept within the limit.
    virtual void ScrollToPosition(CPoint position);

    CLeadBitmap* GetBitmap() const { return m_pBitmap; }
    // Shows shown, which stays the caller's and must outlive the control or
    // the next call; null gives the control an image of its own again.
    void AttachBitmap(CLeadBitmap* shown);
    // Copies the image into bitmap; the toolkit's status.
    int CopyBitmap(CLeadBitmap* bitmap) const;
    // One job on the default printer; nothing without an image.
    void PrintBitmap();
    // Shows "Error has occured.\nCODE = %d" for any code but 1; gives code.
    int DisplayError(int code);

    // The transition's band width for a displayed area (pixels).
    static int EffectGrain(long long area);
    // Paints the control's picture into painter as OnPaint does, for a
    // client rectangle of that size.
    void Paint(QPainter& painter, const CRect& client);

protected:
    void OnPaint() override;
    void DeleteBitmap();
    // The image changed: the next paint runs the transition again.
    void ImageChanged();

    CLeadBitmap* m_pBitmap = nullptr;
    CRect m_rcPaint;
    CString m_strFile;
    int m_nZoom = 100;
    int m_nZoomStep = 20;
    CPoint m_ptOffset;
    int m_nEffect = kNoEffect;
    int m_nDelay = 5;
    int m_bCenter = 0;
    int m_bFit = 1;
    int m_bEditable = 0;
    int m_bStoreOffset = 0;
    bool m_bOwnsBitmap = true;

private:
    const QImage& oriented();
    const QImage& scaledFor(int width, int height);
    void stepTransition();

    QImage m_oriented; // the paint handle turned to the view perspective
    qint64 m_orientedKey = 0;
    int m_orientedPerspective = -1;
    QImage m_scaled; // the whole image at the zoom, below 100 %
    qint64 m_scaledKey = 0;
    unsigned m_scaledMode = 0; // the display mode it was scaled under
    QTimer* m_transition = nullptr;
    double m_progress = 1.0;
    qint64 m_shownKey = 0; // the image the last transition showed
};
