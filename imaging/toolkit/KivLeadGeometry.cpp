// SPDX-License-Identifier: MIT
// Geometry: flip, mirror, rotate, shear, resize.
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/toolkit/LeadProcess_p.h"

#include <algorithm>
#include <cmath>

using namespace kivlead;

int KivLeadFlip(CLeadBitmap* bitmap)
{
    return process(bitmap, [](Magick::Image& image) {
        image.flip();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadMirror(CLeadBitmap* bitmap)
{
    return process(bitmap, [](Magick::Image& image) {
        image.flop();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadRotate(CLeadBitmap* bitmap, int angle, int resize, COLORREF fill)
{
    if (angle < -36000 || angle > 36000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        if (angle % 36000 == 0)
            return KIVLEAD_SUCCESS;
        const size_t w = image.columns(), h = image.rows();
        image.backgroundColor(colorOf(fill));
        image.rotate(angle / 100.0);
        image.page(Magick::Geometry(0, 0));
        if (!resize && (image.columns() != w || image.rows() != h)) {
            // The middle of the turned canvas at the old size.
            const ssize_t x = (static_cast<ssize_t>(image.columns()) - static_cast<ssize_t>(w)) / 2;
            const ssize_t y = (static_cast<ssize_t>(image.rows()) - static_cast<ssize_t>(h)) / 2;
            if (x >= 0 && y >= 0)
                image.crop(Magick::Geometry(w, h, x, y));
            else
                image.extent(Magick::Geometry(w, h), colorOf(fill), Magick::CenterGravity);
        }
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadShear(CLeadBitmap* bitmap, int angle, int horizontal, COLORREF fill)
{
    if (angle < -4500 || angle > 4500)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.backgroundColor(colorOf(fill));
        if (horizontal)
            image.shear(angle / 100.0, 0);
        else
            image.shear(0, angle / 100.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadResize(CLeadBitmap* bitmap, int width, int height, int mode)
{
    if (width < 1 || height < 1 || width > KivLeadLimits::kMaxWidth || height > KivLeadLimits::kMaxHeight
        || static_cast<long long>(width) * height > KivLeadLimits::kMaxArea || mode < 0 || mode > 2)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        Magick::Geometry g(static_cast<size_t>(width), static_cast<size_t>(height));
        g.aspect(true);
        if (mode == KIVLEAD_RESIZE_RESAMPLE) {
            image.resize(g);
            return KIVLEAD_SUCCESS;
        }
        if (mode == KIVLEAD_RESIZE_FAVORBLACK) {
            // Spread the dark pixels over the block one pixel will come
            // from, so lines a pixel thin survive the shrink.
            const size_t fx = image.columns() / static_cast<size_t>(width);
            const size_t fy = image.rows() / static_cast<size_t>(height);
            const size_t r = std::min<size_t>(std::max(fx, fy) / 2, 8);
            if (r > 0)
                image.morphology(Magick::ErodeMorphology, "Square:" + std::to_string(r));
        }
        image.sample(g);
        return KIVLEAD_SUCCESS;
    });
}
