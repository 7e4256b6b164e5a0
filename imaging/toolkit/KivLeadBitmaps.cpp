// SPDX-License-Identifier: MIT
// The helpers of the pixel operations, and the bitmaps themselves: create,
// copy, free, wrap, read a pixel, combine.
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/toolkit/LeadProcess_p.h"

#include <algorithm>
#include <cmath>

namespace kivlead {

// A command on an image with a region changes the pixels inside it only:
// the changed pixels are put back into the old image rectangle by
// rectangle of the region.
Magick::Image insideRegion(const Magick::Image& before, const Magick::Image& after, const QRegion& region)
{
    Magick::Image out = before;
    const QRect bounds(0, 0, static_cast<int>(before.columns()), static_cast<int>(before.rows()));
    for (const QRect& r : region.intersected(bounds)) {
        Magick::Image part = after;
        part.crop(Magick::Geometry(r.width(), r.height(), r.x(), r.y()));
        part.page(Magick::Geometry(0, 0));
        out.composite(part, r.x(), r.y(), MagickCore::CopyCompositeOp);
    }
    return out;
}

// The pixels at 8 bits, one byte per entry of map ("RGB", "I" …).
std::vector<unsigned char> exportBytes(Magick::Image image, const char* map)
{
    std::vector<unsigned char> out(image.columns() * image.rows() * std::strlen(map));
    image.write(0, 0, image.columns(), image.rows(), map, Magick::CharPixel, out.data());
    return out;
}

Magick::Image importBytes(size_t width, size_t height, const char* map, const std::vector<unsigned char>& bytes)
{
    Magick::Image image;
    image.read(width, height, map, Magick::CharPixel, bytes.data());
    return image;
}

COLORREF colorRefOf(const Magick::Color& c)
{
    const Magick::ColorRGB rgb(c);
    auto v = [](double x) { return static_cast<int>(std::lround(std::clamp(x, 0.0, 1.0) * 255)); };
    return RGB(v(rgb.red()), v(rgb.green()), v(rgb.blue()));
}

} // namespace kivlead

using namespace kivlead;

int KivLeadCreateBitmap(CLeadBitmap* bitmap, int width, int height, int bits, COLORREF fill)
{
    if (!bitmap || width < 1 || height < 1 || width > KivLeadLimits::kMaxWidth || height > KivLeadLimits::kMaxHeight
        || static_cast<long long>(width) * height > KivLeadLimits::kMaxArea)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        Magick::Image image(Magick::Geometry(static_cast<size_t>(width), static_cast<size_t>(height)), colorOf(fill));
        image.type(Magick::TrueColorType);
        KivLeadFreeBitmap(bitmap);
        adopt(bitmap, image, bits);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadCopyBitmap(CLeadBitmap* target, const CLeadBitmap* source)
{
    if (!target || !source)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (target == source)
        return KIVLEAD_SUCCESS;
    if (!source->data().allocated)
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    return guarded([&] {
        LeadBitmapData& t = target->data();
        const LeadBitmapData& s = source->data();
        // Both share the pixels and the paint handle until one side changes.
        t.image = s.image;
        t.allocated = true;
        t.bits = s.bits;
        t.perspective = s.perspective;
        t.region = s.region;
        t.paint = s.paint;
        t.paintValid = s.paintValid;
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadCopyBitmapRect(CLeadBitmap* target, const CLeadBitmap* source, int x, int y, int width, int height)
{
    const Magick::Image* pixels = pixelsOf(source);
    if (!target || !source)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!pixels)
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    if (x < 0 || y < 0 || width < 1 || height < 1 || static_cast<long long>(x) + width > source->Width()
        || static_cast<long long>(y) + height > source->Height())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        Magick::Image part = *pixels;
        part.crop(Magick::Geometry(static_cast<size_t>(width), static_cast<size_t>(height), x, y));
        part.page(Magick::Geometry(0, 0));
        const int bits = source->BitsPerPixel();
        const int perspective = source->ViewPerspective();
        KivLeadFreeBitmap(target);
        adopt(target, part, bits);
        target->SetViewPerspective(perspective);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadFreeBitmap(CLeadBitmap* bitmap)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        LeadBitmapData& d = bitmap->data();
        d.image = Magick::Image();
        d.allocated = false;
        d.region = QRegion();
        d.changed();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadFromImage(CLeadBitmap* bitmap, const QImage& image)
{
    if (!bitmap || image.isNull())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        Magick::Image out;
        // The QImage's rows may be padded: import row by row through a packed copy.
        std::vector<unsigned char> packed(static_cast<size_t>(argb.width()) * argb.height() * 4);
        for (int y = 0; y < argb.height(); ++y)
            std::memcpy(packed.data() + static_cast<size_t>(y) * argb.width() * 4, argb.constScanLine(y),
                static_cast<size_t>(argb.width()) * 4);
        out.read(argb.width(), argb.height(), "BGRA", Magick::CharPixel, packed.data());
        const bool alpha = image.hasAlphaChannel();
        if (!alpha)
            out.matte(false);
        KivLeadFreeBitmap(bitmap);
        adopt(bitmap, out, alpha ? 32 : 24);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadGetPixel(const CLeadBitmap* bitmap, int x, int y, COLORREF* color)
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels || !color || x < 0 || y < 0 || x >= bitmap->Width() || y >= bitmap->Height())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        // The pixel itself: Magick++'s pixelColor answers a palette image
        // from the colour map by an index that need not be this pixel's.
        const Magick::PixelPacket* p = pixels->getConstPixels(static_cast<ssize_t>(x), static_cast<ssize_t>(y), 1, 1);
        if (!p)
            return KIVLEAD_ERROR_FAILURE;
        *color = colorRefOf(Magick::Color(*p));
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadCombine(CLeadBitmap* target, int x, int y, int width, int height, const CLeadBitmap* source, int sx, int sy,
    unsigned operation)
{
    const Magick::Image* src = pixelsOf(source);
    if (!src || width < 1 || height < 1 || sx < 0 || sy < 0 || static_cast<long long>(sx) + width > source->Width()
        || static_cast<long long>(sy) + height > source->Height())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    Magick::CompositeOperator op;
    switch (operation) {
    case KIVLEAD_COMBINE_COPY: op = Magick::CopyCompositeOp; break;
    case KIVLEAD_COMBINE_AND: op = Magick::DarkenCompositeOp; break;
    case KIVLEAD_COMBINE_OR: op = Magick::LightenCompositeOp; break;
    case KIVLEAD_COMBINE_ADD: op = Magick::LinearDodgeCompositeOp; break;
    case KIVLEAD_COMBINE_SUBTRACT: op = Magick::MinusDstCompositeOp; break;
    case KIVLEAD_COMBINE_XOR: op = Magick::DifferenceCompositeOp; break;
    case KIVLEAD_COMBINE_AVERAGE: op = Magick::BlendCompositeOp; break;
    default: return KIVLEAD_ERROR_INVALID_ARGUMENT;
    }
    return process(target, [&](Magick::Image& image) {
        Magick::Image part = *src;
        if (sx != 0 || sy != 0 || width != source->Width() || height != source->Height()) {
            part.crop(Magick::Geometry(static_cast<size_t>(width), static_cast<size_t>(height), sx, sy));
            part.page(Magick::Geometry(0, 0));
        }
        if (op == Magick::BlendCompositeOp)
            image.artifact("compose:args", "50");
        image.composite(part, x, y, op);
        return KIVLEAD_SUCCESS;
    });
}
