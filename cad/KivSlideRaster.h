// SPDX-License-Identifier: MIT
// Draws a slide into a bare pixel raster exactly as the slide view fits it
// into a window: the same mapping, the same one-pixel lines and winding
// fills, colour 0 in the background colour. For programs that start without
// a GUI toolkit, such as the desktop's thumbnailer.
#pragma once

#include "core/KivCore_export.h"

#include "cad/KivSlideFile.h"
#include "core/KivRaster.h"

class KIVCORE_EXPORT KivSlideRaster : private KivSlideSink {
public:
    // The slide must be open at its first byte (Open or OpenBytes). Gives
    // the header's code (0, or 2 for a header of another display) when the
    // records end properly, else 2; 3 and nothing drawn when the bytes are
    // no slide. The raster is filled with back first.
    int Draw(KivSlideFile& slide, KivRaster& raster, COLORREF back);

private:
    void SlideLine(KivSlidePoint from, KivSlidePoint to) override;
    void SlidePolygon(const std::vector<KivSlidePoint>& vertices) override;
    void SlideColor(int aci) override;

    KivRaster* m_raster = nullptr;
    LogicalMapping m_mapping;
    COLORREF m_back = 0;
    COLORREF m_colour = 0xFFFFFF;
    std::vector<CPoint> m_points;
};
