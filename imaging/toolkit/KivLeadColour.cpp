// SPDX-License-Identifier: MIT
// Colour: resolution, grey, fill, intensity, hue and saturation, histograms, planes.
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/toolkit/LeadProcess_p.h"

#include <algorithm>
#include <cmath>

using namespace kivlead;

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
            // Turning back blends the dots' edges into greys: the screen is
            // made black and white again.
            image.threshold(QuantumRange / 2.0);
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
