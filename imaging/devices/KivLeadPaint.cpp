// SPDX-License-Identifier: MIT
// Painting, transitions and drawing into the pixels.
#include "imaging/toolkit/KivLeadToolkit.h"

#include <QPainter>

#include <algorithm>
#include <atomic>

namespace {
std::atomic<unsigned> g_displayMode {KIVLEAD_DISPLAY_ORDEREDDITHER | KIVLEAD_DISPLAY_RESAMPLE};
} // namespace

unsigned KivLeadGetDisplayMode()
{
    return g_displayMode.load();
}

unsigned KivLeadSetDisplayMode(unsigned mask, unsigned value)
{
    unsigned before = g_displayMode.load();
    while (!g_displayMode.compare_exchange_weak(before, (before & ~mask) | (value & mask))) { }
    return before;
}

int KivLeadPaint(
    QPainter* painter, const CLeadBitmap* bitmap, const QRect& source, const QRect& dest, const QRect& clip)
{
    if (!painter || !bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const QImage& image = bitmap->PaintImage();
    if (image.isNull())
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    painter->save();
    if (clip.isValid())
        painter->setClipRect(clip, Qt::IntersectClip);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->drawImage(dest, image, source);
    painter->restore();
    return KIVLEAD_SUCCESS;
}

int KivLeadPaintEffect(QPainter* painter, const CLeadBitmap* bitmap, const QRect& source, const QRect& dest,
    const QRect& clip, int effect, int grain, double progress)
{
    if (!painter || !bitmap || grain < 1)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    progress = std::clamp(progress, 0.0, 1.0);
    if (progress >= 1.0 || (effect != 1 && effect != 2 && effect != 3))
        return KivLeadPaint(painter, bitmap, source, dest, clip);
    QRect shown = clip.isValid() ? clip : dest;
    if (effect == 3) {
        // Fade: the image over what is there, more opaque with each step.
        const double steps = std::max(1, 64 / grain);
        painter->save();
        painter->setOpacity(std::floor(progress * steps) / steps);
        const int status = KivLeadPaint(painter, bitmap, source, dest, clip);
        painter->restore();
        return status;
    }
    // Wipes uncover the image in bands of grain pixels.
    if (effect == 1) {
        const int w = static_cast<int>(dest.width() * progress) / grain * grain;
        shown = shown.intersected(QRect(dest.left(), dest.top(), w, dest.height()));
    } else {
        const int h = static_cast<int>(dest.height() * progress) / grain * grain;
        shown = shown.intersected(QRect(dest.left(), dest.top(), dest.width(), h));
    }
    if (shown.isEmpty())
        return KIVLEAD_SUCCESS;
    return KivLeadPaint(painter, bitmap, source, dest, shown);
}

int KivLeadDrawInto(CLeadBitmap* bitmap, void (*draw)(QPainter&, void*), void* context)
{
    if (!bitmap || !draw)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!bitmap->IsAllocated())
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    QImage image = bitmap->PaintImage().copy();
    if (image.isNull())
        return KIVLEAD_ERROR_NO_MEMORY;
    {
        QPainter painter(&image);
        draw(painter, context);
    }
    const QRegion region = bitmap->Region();
    const int perspective = bitmap->ViewPerspective();
    const int status = KivLeadFromImage(bitmap, image);
    if (status == KIVLEAD_SUCCESS) {
        bitmap->SetRegion(region);
        bitmap->SetViewPerspective(perspective);
    }
    return status;
}
