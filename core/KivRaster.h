// SPDX-License-Identifier: MIT
// A bare RGB pixel raster that draws as a device context does, without a
// GUI toolkit: one-pixel lines that leave out their last pixel, polygons
// filled by the winding rule with their outline, single pixels, inversion.
// Programs that only turn a drawing into a picture file (the desktop's
// thumbnailer) draw on it and so start without Qt Gui. Every coordinate is
// clipped to the raster; none is trusted.
#pragma once

#include "core/KivCore_export.h"

#include "platform/base/Geometry.h"
#include "platform/base/Win32Types.h"

#include <vector>

class KIVCORE_EXPORT KivRaster {
public:
    // The largest side; a larger or non-positive one gives an empty raster.
    static constexpr int kMaxSide = 16384;

    KivRaster(int width, int height, COLORREF fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_pixels.empty(); }
    // COLORREF values (0x00BBGGRR), row by row from the top; black outside.
    COLORREF Pixel(int x, int y) const;
    const std::vector<COLORREF>& Pixels() const { return m_pixels; }

    void Fill(COLORREF colour);
    void SetPixel(int x, int y, COLORREF colour);
    void Line(CPoint from, CPoint to, COLORREF colour);
    // Filled by the winding rule and outlined in the same colour, closed.
    void Polygon(const std::vector<CPoint>& vertices, COLORREF colour);
    void Invert();

private:
    void span(int y, int from, int to, COLORREF colour);

    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};
