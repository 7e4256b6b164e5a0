// SPDX-License-Identifier: MIT
// Filters: posterize, mosaic, blur and sharpen, noise, emboss, morphology, spatial kernels.
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/toolkit/LeadProcess_p.h"

#include <algorithm>
#include <cmath>

using namespace kivlead;

namespace {

int convolve3(Magick::Image& image, const double (&k)[9])
{
    image.convolve(3, k);
    return KIVLEAD_SUCCESS;
}

} // namespace

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
        // Magick++'s medianFilter passes its radius on as the window's width,
        // so half the size made a median of a window half as wide (one pixel
        // for 3: nothing changed). The statistic is asked for the whole
        // size × size window.
        if (size < 2)
            return KIVLEAD_SUCCESS;
        MagickCore::ExceptionInfo* error = MagickCore::AcquireExceptionInfo();
        MagickCore::Image* median = MagickCore::StatisticImage(image.constImage(), MagickCore::MedianStatistic,
            static_cast<size_t>(size), static_cast<size_t>(size), error);
        MagickCore::DestroyExceptionInfo(error);
        if (!median)
            return KIVLEAD_ERROR_NO_MEMORY;
        image.replaceImage(median);
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
