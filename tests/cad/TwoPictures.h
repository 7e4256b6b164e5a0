// SPDX-License-Identifier: MIT
// A slide drawn twice, on a device context as the cells and views draw it
// and on a bare raster as the thumbnailer does, and how far they differ.
#pragma once

#include "cad/KivSlideDraw.h"
#include "cad/KivSlideRaster.h"

#include <QImage>

#include <cstdint>
#include <utility>
#include <vector>

// Pixels where the two pictures differ after both drew the slide's bytes
// into w × h on back; codes, when given, gets the two result codes.
inline int pictureDifferences(
    const std::vector<std::uint8_t>& bytes, int w, int h, COLORREF back, std::pair<int, int>* codes = nullptr)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(GetRValue(back), GetGValue(back), GetBValue(back)));
    KivSlideDraw draw;
    draw.SetBackColor(back);
    int drawn;
    {
        CDC dc(&image);
        drawn = draw.DrawBytes(nullptr, &dc, "test.sld", bytes.data(), bytes.size(), 0);
    }
    KivSlideFile slide;
    slide.OpenBytes(bytes.data(), bytes.size());
    KivRaster raster(w, h);
    const int rastered = KivSlideRaster().Draw(slide, raster, back);
    if (codes)
        *codes = {drawn, rastered};
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            count += RGB(qRed(p), qGreen(p), qBlue(p)) != raster.Pixel(x, y);
        }
    return count;
}
