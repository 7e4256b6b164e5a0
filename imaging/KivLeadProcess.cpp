// Bitmaps, combine, geometry, colour and filters on ImageMagick.
#include "imaging/KivLeadToolkit.h"
#include "imaging/LeadBitmapData_p.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace kivlead;

namespace {

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

// Runs change on the pixels of bitmap, which must have them; marks the
// paint handle stale after it changed them.
template <class F> int process(CLeadBitmap* bitmap, F&& change)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!bitmap->data().allocated)
        return KIVLEAD_ERROR_EMPTY_BITMAP;
    return guarded([&] {
        LeadBitmapData& d = bitmap->data();
        // Work on a copy that shares the pixels: a throw halfway leaves the
        // bitmap as it was, and a copy made for undo is never written. In
        // place, the bitmap lets go of its pixels meanwhile, so the change
        // finds them unshared and makes no copy; they come back whatever
        // happens.
        Magick::Image work = d.image;
        const bool inPlace = d.inPlace && d.region.isEmpty();
        struct GiveBack {
            LeadBitmapData& d;
            Magick::Image& work;
            bool active;
            ~GiveBack()
            {
                if (active)
                    d.image = work;
            }
        } giveBack {d, work, inPlace};
        if (inPlace)
            d.image = Magick::Image();
        const int status = change(work);
        if (status == KIVLEAD_SUCCESS) {
            work.page(Magick::Geometry(0, 0));
            if (!d.region.isEmpty() && work.columns() == d.image.columns() && work.rows() == d.image.rows())
                work = insideRegion(d.image, work, d.region);
            d.image = work;
            d.changed();
        }
        return status;
    });
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

int convolve3(Magick::Image& image, const double (&k)[9])
{
    image.convolve(3, k);
    return KIVLEAD_SUCCESS;
}

COLORREF colorRefOf(const Magick::Color& c)
{
    const Magick::ColorRGB rgb(c);
    auto v = [](double x) { return static_cast<int>(std::lround(std::clamp(x, 0.0, 1.0) * 255)); };
    return RGB(v(rgb.red()), v(rgb.green()), v(rgb.blue()));
}

} // namespace

// Bitmaps -------------------------------------------------------------------

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
        *color = colorRefOf(pixels->pixelColor(static_cast<ssize_t>(x), static_cast<ssize_t>(y)));
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

// Geometry ------------------------------------------------------------------

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

// Colour ----------------------------------------------------------------------

int KivLeadColorResolution(CLeadBitmap* bitmap, int bits, int dither)
{
    if (!(bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int status = process(bitmap, [&](Magick::Image& image) {
        return reduceTo(image, bits, dither != 0) ? KIVLEAD_SUCCESS : KIVLEAD_ERROR_INVALID_ARGUMENT;
    });
    if (status == KIVLEAD_SUCCESS)
        bitmap->data().bits = bits;
    return status;
}

int KivLeadGrayScale(CLeadBitmap* bitmap, int bits)
{
    if (!(bits == 8 || bits == 12 || bits == 16))
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int status = process(bitmap, [&](Magick::Image& image) {
        image.matte(false);
        image.type(Magick::GrayscaleType);
        image.depth(bits == 8 ? 8 : 16);
        return KIVLEAD_SUCCESS;
    });
    if (status == KIVLEAD_SUCCESS)
        bitmap->data().bits = bits;
    return status;
}

int KivLeadFill(CLeadBitmap* bitmap, COLORREF color)
{
    return process(bitmap, [&](Magick::Image& image) {
        image = Magick::Image(Magick::Geometry(image.columns(), image.rows()), colorOf(color));
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadInvert(CLeadBitmap* bitmap)
{
    return process(bitmap, [](Magick::Image& image) {
        image.negate();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadHistogramEqualize(CLeadBitmap* bitmap)
{
    return process(bitmap, [](Magick::Image& image) {
        image.equalize();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadStretchIntensity(CLeadBitmap* bitmap)
{
    return process(bitmap, [](Magick::Image& image) {
        image.autoLevel();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadChangeHue(CLeadBitmap* bitmap, int angle)
{
    if (angle < -360 || angle > 360)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        // 100 keeps the hue; 0 and 200 turn it half a circle.
        image.modulate(100.0, 100.0, 100.0 + angle * 100.0 / 180.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadChangeSaturation(CLeadBitmap* bitmap, int change)
{
    if (change < -1000 || change > 1000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.modulate(100.0, 100.0 + change / 10.0, 100.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadChangeBrightness(CLeadBitmap* bitmap, int change)
{
    if (change < -1000 || change > 1000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.brightnessContrast(change / 10.0, 0.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadChangeContrast(CLeadBitmap* bitmap, int change)
{
    if (change < -1000 || change > 1000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.brightnessContrast(0.0, change / 10.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadHistoContrast(CLeadBitmap* bitmap, int change)
{
    if (change < -1000 || change > 1000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        if (change != 0)
            image.sigmoidalContrast(change > 0, std::abs(change) / 100.0, QuantumRange / 2.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadGammaCorrect(CLeadBitmap* bitmap, int gamma)
{
    if (gamma < 1 || gamma > 499)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.gamma(gamma / 100.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadIntensityDetect(CLeadBitmap* bitmap, int low, int high)
{
    if (low < 0 || high > 255 || low > high)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        std::vector<unsigned char> grey = exportBytes(image, "I");
        for (unsigned char& v : grey)
            v = v >= low && v <= high ? 255 : 0;
        image = importBytes(image.columns(), image.rows(), "I", grey);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadSolarize(CLeadBitmap* bitmap, int threshold)
{
    if (threshold < 0 || threshold > 255)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.solarize(quantumOf(threshold));
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadHalftone(CLeadBitmap* bitmap, int angle)
{
    if (angle < -360 || angle > 360)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        const size_t w = image.columns(), h = image.rows();
        image.type(Magick::GrayscaleType);
        // The dot screen runs at the angle: turn, dither, turn back.
        image.backgroundColor(Magick::Color("white"));
        if (angle % 360 != 0)
            image.rotate(angle);
        image.orderedDither("h6x6o");
        if (angle % 360 != 0) {
            image.rotate(-angle);
            image.page(Magick::Geometry(0, 0));
            const ssize_t x = (static_cast<ssize_t>(image.columns()) - static_cast<ssize_t>(w)) / 2;
            const ssize_t y = (static_cast<ssize_t>(image.rows()) - static_cast<ssize_t>(h)) / 2;
            image.crop(Magick::Geometry(w, h, std::max<ssize_t>(x, 0), std::max<ssize_t>(y, 0)));
        }
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadGetColorCount(const CLeadBitmap* bitmap, unsigned long* count)
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels || !count)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        *count = static_cast<unsigned long>(pixels->totalColors());
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadWindowLevel(CLeadBitmap* bitmap, int low, int high, COLORREF lowColor, COLORREF highColor)
{
    if (low < 0 || high > 255 || low >= high)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.type(Magick::GrayscaleType);
        image.level(quantumOf(low), quantumOf(high));
        image.type(Magick::TrueColorType);
        image.levelColors(colorOf(lowColor), colorOf(highColor));
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadGetMinMaxValue(const CLeadBitmap* bitmap, int* minimum, int* maximum)
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels || !minimum || !maximum)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        const std::vector<unsigned char> grey = exportBytes(*pixels, "I");
        const auto [lo, hi] = std::minmax_element(grey.begin(), grey.end());
        *minimum = *lo;
        *maximum = *hi;
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadGetHistogram(const CLeadBitmap* bitmap, unsigned long histogram[3][256])
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels || !histogram)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        const std::vector<unsigned char> rgb = exportBytes(*pixels, "RGB");
        for (int p = 0; p < 3; ++p)
            std::fill(histogram[p], histogram[p] + 256, 0UL);
        for (size_t i = 0; i < rgb.size(); i += 3) {
            ++histogram[0][rgb[i]];
            ++histogram[1][rgb[i + 1]];
            ++histogram[2][rgb[i + 2]];
        }
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadRemapPlanes(
    CLeadBitmap* bitmap, const unsigned char* red, const unsigned char* green, const unsigned char* blue)
{
    return process(bitmap, [&](Magick::Image& image) {
        if (!red && !green && !blue)
            return KIVLEAD_SUCCESS;
        std::vector<unsigned char> rgb = exportBytes(image, "RGB");
        const unsigned char* tables[3] = {red, green, blue};
        for (int p = 0; p < 3; ++p)
            if (tables[p])
                for (size_t i = static_cast<size_t>(p); i < rgb.size(); i += 3)
                    rgb[i] = tables[p][rgb[i]];
        image = importBytes(image.columns(), image.rows(), "RGB", rgb);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadSeparate(const CLeadBitmap* bitmap, CLeadBitmap** planes, int cmyk)
{
    const Magick::Image* pixels = pixelsOf(bitmap);
    if (!pixels || !planes)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int n = cmyk ? 4 : 3;
    for (int i = 0; i < n; ++i)
        if (!planes[i])
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        const size_t w = pixels->columns(), h = pixels->rows();
        const std::vector<unsigned char> rgb = exportBytes(*pixels, "RGB");
        std::vector<std::vector<unsigned char>> out(static_cast<size_t>(n), std::vector<unsigned char>(w * h));
        for (size_t i = 0, j = 0; j < w * h; i += 3, ++j) {
            if (!cmyk) {
                out[0][j] = rgb[i];
                out[1][j] = rgb[i + 1];
                out[2][j] = rgb[i + 2];
                continue;
            }
            const int c = 255 - rgb[i], m = 255 - rgb[i + 1], y = 255 - rgb[i + 2];
            const int k = std::min({c, m, y});
            const int rest = 255 - k;
            out[0][j] = static_cast<unsigned char>(rest ? (c - k) * 255 / rest : 0);
            out[1][j] = static_cast<unsigned char>(rest ? (m - k) * 255 / rest : 0);
            out[2][j] = static_cast<unsigned char>(rest ? (y - k) * 255 / rest : 0);
            out[3][j] = static_cast<unsigned char>(k);
        }
        for (int i = 0; i < n; ++i) {
            Magick::Image plane = importBytes(w, h, "I", out[static_cast<size_t>(i)]);
            KivLeadFreeBitmap(planes[i]);
            adopt(planes[i], plane, 8);
        }
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadMerge(CLeadBitmap* bitmap, CLeadBitmap* const* planes, int cmyk)
{
    if (!bitmap || !planes)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    const int n = cmyk ? 4 : 3;
    for (int i = 0; i < n; ++i)
        if (!pixelsOf(planes[i]) || planes[i]->Width() != planes[0]->Width()
            || planes[i]->Height() != planes[0]->Height())
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return guarded([&] {
        const size_t w = static_cast<size_t>(planes[0]->Width()), h = static_cast<size_t>(planes[0]->Height());
        std::vector<std::vector<unsigned char>> in;
        for (int i = 0; i < n; ++i)
            in.push_back(exportBytes(planes[i]->data().image, "I"));
        std::vector<unsigned char> rgb(w * h * 3);
        for (size_t j = 0; j < w * h; ++j)
            for (int p = 0; p < 3; ++p) {
                int v = in[static_cast<size_t>(p)][j];
                if (cmyk) {
                    const int k = in[3][j];
                    v = 255 - std::min(255, v * (255 - k) / 255 + k);
                }
                rgb[j * 3 + static_cast<size_t>(p)] = static_cast<unsigned char>(v);
            }
        const Magick::Image merged = importBytes(w, h, "RGB", rgb);
        KivLeadFreeBitmap(bitmap);
        adopt(bitmap, merged, 24);
        return KIVLEAD_SUCCESS;
    });
}

// Filters ---------------------------------------------------------------------

int KivLeadPosterize(CLeadBitmap* bitmap, int levels)
{
    if (levels < 2 || levels > 64)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.posterize(static_cast<size_t>(levels), false);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadMosaic(CLeadBitmap* bitmap, int size)
{
    if (size < 1 || size > 512)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        if (size == 1)
            return KIVLEAD_SUCCESS;
        const size_t w = image.columns(), h = image.rows();
        const size_t s = static_cast<size_t>(size);
        Magick::Geometry small((w + s - 1) / s, (h + s - 1) / s);
        small.aspect(true);
        image.scale(small); // each tile's mean colour
        Magick::Geometry big(image.columns() * s, image.rows() * s);
        big.aspect(true);
        image.sample(big);
        image.crop(Magick::Geometry(w, h, 0, 0));
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadAverage(CLeadBitmap* bitmap, int size)
{
    if (size < 1 || size > 31)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        const size_t n = static_cast<size_t>(size | 1);
        const std::vector<double> kernel(n * n, 1.0 / static_cast<double>(n * n));
        image.convolve(n, kernel.data());
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadMedian(CLeadBitmap* bitmap, int size)
{
    if (size < 1 || size > 31)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.medianFilter(size / 2.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadSharpen(CLeadBitmap* bitmap, int amount)
{
    if (amount < -1000 || amount > 1000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        const double sigma = 0.5 + std::abs(amount) / 400.0;
        if (amount > 0)
            image.sharpen(0.0, sigma);
        else if (amount < 0)
            image.blur(0.0, sigma);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadAddNoise(CLeadBitmap* bitmap, int range, int channel)
{
    if (range < 0 || range > 1000 || channel < 0 || channel > 3)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        if (range == 0)
            return KIVLEAD_SUCCESS;
        image.attenuate(range / 100.0);
        static const Magick::ChannelType kChannel[]
            = {Magick::AllChannels, Magick::RedChannel, Magick::GreenChannel, Magick::BlueChannel};
        image.addNoiseChannel(kChannel[channel], Magick::UniformNoise);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadEmboss(CLeadBitmap* bitmap, int direction, int depth)
{
    if (direction < 0 || direction > 359 || depth < 0 || depth > 1000)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        const ssize_t w = static_cast<ssize_t>(image.columns()), h = static_cast<ssize_t>(image.rows());
        const std::vector<unsigned char> grey = exportBytes(image, "I");
        std::vector<unsigned char> out(grey.size());
        // Light comes from the direction: each pixel against its neighbour there.
        const double rad = direction * 3.14159265358979323846 / 180.0;
        const ssize_t dx = std::lround(std::cos(rad)), dy = -std::lround(std::sin(rad));
        for (ssize_t y = 0; y < h; ++y)
            for (ssize_t x = 0; x < w; ++x) {
                const ssize_t nx = std::clamp<ssize_t>(x + dx, 0, w - 1), ny = std::clamp<ssize_t>(y + dy, 0, h - 1);
                const int d = grey[static_cast<size_t>(y * w + x)] - grey[static_cast<size_t>(ny * w + nx)];
                out[static_cast<size_t>(y * w + x)]
                    = static_cast<unsigned char>(std::clamp(128 + d * depth / 100, 0, 255));
            }
        image = importBytes(image.columns(), image.rows(), "I", out);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadOilify(CLeadBitmap* bitmap, int size)
{
    if (size < 1 || size > 31)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        image.oilPaint(size / 2.0);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadDeskew(CLeadBitmap* bitmap, COLORREF fill)
{
    return process(bitmap, [&](Magick::Image& image) {
        const size_t w = image.columns(), h = image.rows();
        image.backgroundColor(colorOf(fill));
        image.deskew(0.4 * QuantumRange);
        image.page(Magick::Geometry(0, 0));
        if (image.columns() != w || image.rows() != h)
            image.extent(Magick::Geometry(w, h), colorOf(fill), Magick::CenterGravity);
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadDespeckle(CLeadBitmap* bitmap)
{
    return process(bitmap, [](Magick::Image& image) {
        image.despeckle();
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadMinMaxFilter(CLeadBitmap* bitmap, int size, int maximum)
{
    if (size < 1 || size > 31)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return process(bitmap, [&](Magick::Image& image) {
        // Grey-level dilation and erosion are the maximum and minimum over the kernel.
        if (size > 1)
            image.morphology(maximum ? MagickCore::DilateMorphology : MagickCore::ErodeMorphology,
                "Square:" + std::to_string(size / 2));
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadBinaryFilter(CLeadBitmap* bitmap, int dilation)
{
    return process(bitmap, [&](Magick::Image& image) {
        image.morphology(dilation ? MagickCore::DilateMorphology : MagickCore::ErodeMorphology, "Square:1");
        return KIVLEAD_SUCCESS;
    });
}

int KivLeadSpatialFilter(CLeadBitmap* bitmap, int filter)
{
    static const double kGradient[9] = {-1, -1, -1, 0, 0, 0, 1, 1, 1};
    static const double kLaplacian[9] = {0, -1, 0, -1, 4, -1, 0, -1, 0};
    static const double kSobel[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
    static const double kPrewitt[9] = {-1, -1, -1, 1, -2, 1, 1, 1, 1};
    static const double kShiftDiff[9] = {0, 0, 0, 0, 1, 0, -1, 0, 0};
    static const double kLineSegment[9] = {-1, -1, -1, 2, 2, 2, -1, -1, -1};
    static const double kEdges[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
    const double(*k)[9] = nullptr;
    switch (filter) {
    case KIVLEAD_FILTER_GRADIENT: k = &kGradient; break;
    case KIVLEAD_FILTER_LAPLACIAN: k = &kLaplacian; break;
    case KIVLEAD_FILTER_SOBEL: k = &kSobel; break;
    case KIVLEAD_FILTER_PREWITT: k = &kPrewitt; break;
    case KIVLEAD_FILTER_SHIFTDIFF: k = &kShiftDiff; break;
    case KIVLEAD_FILTER_LINESEGMENT: k = &kLineSegment; break;
    case KIVLEAD_FILTER_EDGE_ENHANCE: k = &kEdges; break;
    default: return KIVLEAD_ERROR_INVALID_ARGUMENT;
    }
    return process(bitmap, [&](Magick::Image& image) { return convolve3(image, *k); });
}
