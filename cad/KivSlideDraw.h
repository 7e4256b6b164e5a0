// SPDX-License-Identifier: MIT
// Draws a slide, given as a file or as library(slide), scaled into a window's
// client area: the slide's origin at the bottom left, its Y axis up, filling
// the width or the height, whichever limits. The slide is read anew on every
// call; the last point of the record stream carries over between calls.
#pragma once

#include "core/KivCtrl_export.h"

#include "cad/KivSlideFile.h"
#include "platform/gdi/CDC.h"

class CWnd;

class KIVCTRL_EXPORT KivSlideDraw : public KivSlideFile, private KivSlideSink {
public:
    KivSlideDraw();
    ~KivSlideDraw() override;

    // Gives the slide's result code (0 drawn; 1, 3, 4, 5 not found or not a
    // slide; 2 a header for another display or records cut short). Without
    // a window the whole surface of dc is the client area. 0 without dc.
    int Draw(CWnd* window, CDC* dc, const char* reference, int invert);
    // The same for a slide already in memory: the bytes of a slide file or
    // of one library member, which reference names. Code 1 without bytes.
    int DrawBytes(CWnd* window, CDC* dc, const char* reference, const std::uint8_t* data, std::size_t size, int invert);

    // The colour the drawing lies on: fills in colour 0 take it, since the
    // slide writers of today mask with colour 0 what lies behind a drawing.
    void SetBackColor(COLORREF colour) { m_crBack = colour; }

    // Loads the slide a reference names as Draw does (a file name gets
    // ".SLD", a library ".SLB"), ready for ReadHeader and DecodeRecords:
    // 0, or the code recorded.
    int OpenReference(const char* reference);

private:
    void beginDraw(CWnd* window, CDC* dc);
    int endDraw(int invert, int code);
    int openSlideFile();
    int openLibraryMember();
    int drawOpenSlide();
    void SlideLine(KivSlidePoint from, KivSlidePoint to) override;
    void SlidePolygon(const std::vector<KivSlidePoint>& vertices) override;
    void SlideColor(int aci) override;

    CWnd* m_pWnd = nullptr;
    CDC* m_pDC = nullptr;
    int m_nLastX = 0;
    int m_nLastY = 0;
    CRect m_client;
    COLORREF m_crBack = 0;
    CPen m_pen;
    CBrush m_brush;
    std::vector<CPoint> m_points;
};
