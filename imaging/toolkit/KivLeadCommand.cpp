// SPDX-License-Identifier: MIT
#include "imaging/toolkit/KivLeadCommand.h"

#include "imaging/toolkit/KivLeadToolkit.h"

#include <algorithm>
#include <memory>

namespace {

using C = KivLeadCommandContext;
constexpr unsigned G = KivLeadCommand::kGeometry;

int rotateBy(C& c, int angle)
{
    return KivLeadRotate(c.image, angle, 1, 0);
}

int cropTo(C& c, const int* v)
{
    const int x1 = std::min(v[0], v[2]), x2 = std::max(v[0], v[2]);
    const int y1 = std::min(v[1], v[3]), y2 = std::max(v[1], v[3]);
    // A rectangle dragged past the image's edge crops what it covers of it.
    const int left = std::clamp(x1, 0, c.image->Width()), right = std::clamp(x2, 0, c.image->Width());
    const int top = std::clamp(y1, 0, c.image->Height()), bottom = std::clamp(y2, 0, c.image->Height());
    CLeadBitmap part;
    int status = KivLeadCopyBitmapRect(&part, c.image, left, top, right - left, bottom - top);
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadCopyBitmap(c.image, &part);
    return status;
}

int uniqueColors(C& c, const int*)
{
    unsigned long count = 0;
    const int status = KivLeadGetColorCount(c.image, &count);
    if (status == KIVLEAD_SUCCESS)
        c.message = "Bitmap contains " + std::to_string(count) + " unique colors";
    return status;
}

const KivLeadCommand kCommands[] = {
    {"copy", "OnEditCopy", "&Copy", {}, "", 0, {}, {}, KivLeadCommand::kNoSnapshot | KivLeadCommand::kKeepsModified,
        "copy the image to the clipboard", [](C& c, const int*) { return KivLeadCopyToClipboard(c.image); }},
    {"paste", "OnEditPaste", "&Paste", {}, "", 0, {}, {}, G, "paste the clipboard's image over the image",
        [](C& c, const int*) { return KivLeadPaste(c.image); }},
    {"flip", "OnImageFlip", "&Flip", {}, "", 0, {}, {}, G, "flip top to bottom",
        [](C& c, const int*) { return KivLeadFlip(c.image); }},
    {"reverse", "OnImageReverse", "&Reverse", {}, "", 0, {}, {}, G, "mirror left to right",
        [](C& c, const int*) { return KivLeadMirror(c.image); }},
    {"flipreverse", "OnImageFlipReverse", "Flip / Reverse...", {}, "MIRROR,FLIP", 2, {1, 1}, {1, 1}, G,
        "mirror if MIRROR is 1, then flip if FLIP is 1",
        [](C& c, const int* v) {
            int status = KIVLEAD_SUCCESS;
            if (v[0] == 1)
                status = KivLeadMirror(c.image);
            if (status == KIVLEAD_SUCCESS && v[1] == 1)
                status = KivLeadFlip(c.image);
            return status;
        }},
    {"rotate90clockwise", "OnImageRotate90clockwise", "Rotate 90° clockwise", {}, "", 0, {}, {}, G,
        "turn a quarter clockwise", [](C& c, const int*) { return rotateBy(c, 9000); }},
    {"rotate180clockwise", "OnImageRotate180clockwise", "Rotate 180°", {}, "", 0, {}, {}, G, "turn half a circle",
        [](C& c, const int*) { return rotateBy(c, 18000); }},
    {"rotate270clockwise", "OnImageRotate270clockwise", "Rotate 270° clockwise", {}, "", 0, {}, {}, G,
        "turn three quarters clockwise", [](C& c, const int*) { return rotateBy(c, 27000); }},
    {"rotate", "OnImageRotate", "R&otate...", {}, "DEGREES", 1, {9000}, {100}, G,
        "turn clockwise, canvas enlarged, black corners", [](C& c, const int* v) { return rotateBy(c, v[0]); }},
    {"rotateanyangle", "OnImageRotateAnyangle", "Rotate any angle...", {}, "DEGREES,RESIZE", 2, {4500, 1}, {100, 1}, G,
        "turn clockwise in the fill colour; RESIZE 0 keeps the size",
        [](C& c, const int* v) { return KivLeadRotate(c.image, v[0], v[1], c.fill); }},
    {"shear", "OnImageShear", "S&hear...", {}, "DEGREES,HORIZONTAL", 2, {2000, 1}, {100, 1}, G,
        "slide rows (HORIZONTAL 1) or columns by up to 45 degrees",
        [](C& c, const int* v) { return KivLeadShear(c.image, v[0], v[1], c.fill); }},
    {"resize", "OnImageResize", "Resi&ze...", {}, "WIDTH,HEIGHT", 2, {640, 480}, {1, 1}, G, "resize by nearest pixels",
        [](C& c, const int* v) { return KivLeadResize(c.image, v[0], v[1], KIVLEAD_RESIZE_NORMAL); }},
    {"resample", "OnImageResample", "Resam&ple...", {}, "WIDTH,HEIGHT", 2, {640, 480}, {1, 1}, G,
        "resize with filtering",
        [](C& c, const int* v) { return KivLeadResize(c.image, v[0], v[1], KIVLEAD_RESIZE_RESAMPLE); }},
    {"crop", "CropBitmap", "Crop", {}, "X1,Y1,X2,Y2", 4, {0, 0, 100, 100}, {1, 1, 1, 1}, G,
        "keep the rectangle between two corners", cropTo},
    {"posterize", "OnImageEffectsPosterize", "Posterize...", {"Posterize", {{"&Levels", 2, 64, 8}}}, "LEVELS", 1, {8},
        {1}, 0, "levels per channel (2-64)", [](C& c, const int* v) { return KivLeadPosterize(c.image, v[0]); }},
    {"mosaic", "OnImageEffectsMosaic", "Mosaic...", {"Mosaic", {{"&Tile size", 1, 512, 8}}}, "SIZE", 1, {8}, {1}, 0,
        "tiles of SIZE pixels", [](C& c, const int* v) { return KivLeadMosaic(c.image, v[0]); }},
    {"average", "OnImageEffectsAverage", "Average...", {"Average", {{"&Size", 1, 31, 3}}}, "SIZE", 1, {3}, {1}, 0,
        "mean of SIZE x SIZE", [](C& c, const int* v) { return KivLeadAverage(c.image, v[0]); }},
    {"median", "OnImageEffectsMedian", "Median...", {"Median", {{"&Size", 1, 31, 3}}}, "SIZE", 1, {3}, {1}, 0,
        "median of SIZE x SIZE", [](C& c, const int* v) { return KivLeadMedian(c.image, v[0]); }},
    {"sharpen", "OnImageEffectsSharpen", "Sharpen...", {"Sharpen", {{"&Amount", -1000, 1000, 300}}}, "AMOUNT", 1, {300},
        {1}, 0, "sharpen (-1000-1000; below 0 softens)",
        [](C& c, const int* v) { return KivLeadSharpen(c.image, v[0]); }},
    {"addnoise", "OnImageEffectsAddnoise", "Add noise...",
        {"Add Noise", {{"&Range", 0, 1000, 200}, {"&Channel (0 all, 1 R, 2 G, 3 B)", 0, 3, 0}}}, "RANGE,CHANNEL", 2,
        {200, 0}, {1, 1}, 0, "noise of RANGE (0-1000) on all (0), red, green or blue",
        [](C& c, const int* v) { return KivLeadAddNoise(c.image, v[0], v[1]); }},
    {"emboss", "OnImageEffectsEmboss", "Emboss...", {"Emboss", {{"&Direction", 0, 359, 45}, {"D&epth", 0, 1000, 100}}},
        "DIRECTION,DEPTH", 2, {45, 100}, {1, 1}, 0, "relief lit from DIRECTION degrees, DEPTH 0-1000",
        [](C& c, const int* v) { return KivLeadEmboss(c.image, v[0], v[1]); }},
    {"oilify", "OnImageEffectsOilify", "Oilify...", {"Oilify", {{"&Size", 1, 31, 3}}}, "SIZE", 1, {3}, {1}, 0,
        "oil paint over SIZE pixels", [](C& c, const int* v) { return KivLeadOilify(c.image, v[0]); }},
    {"edgeenhance", "OnImageEffectsEdgeenhance", "Edge enhance", {}, "", 0, {}, {}, 0, "add the edges to the image",
        [](C& c, const int*) { return KivLeadEdgeEnhance(c.image); }},
    {"gradient", "OnImageSpatialfiltersGradient", "Gradient...", {}, "", 0, {}, {}, 0, "gradient kernel",
        [](C& c, const int*) { return KivLeadSpatialFilter(c.image, KIVLEAD_FILTER_GRADIENT); }},
    {"laplacian", "OnImageSpatialfiltersLaplacian", "Laplacian...", {}, "", 0, {}, {}, 0, "Laplacian kernel",
        [](C& c, const int*) { return KivLeadSpatialFilter(c.image, KIVLEAD_FILTER_LAPLACIAN); }},
    {"sobel", "OnImageSpatialfiltersSobel", "Sobel...", {}, "", 0, {}, {}, 0, "Sobel kernel",
        [](C& c, const int*) { return KivLeadSpatialFilter(c.image, KIVLEAD_FILTER_SOBEL); }},
    {"prewitt", "OnImageSpatialfiltersPrewitt", "Prewitt...", {}, "", 0, {}, {}, 0, "Prewitt kernel",
        [](C& c, const int*) { return KivLeadSpatialFilter(c.image, KIVLEAD_FILTER_PREWITT); }},
    {"shiftanddifference", "OnImageSpatialfiltersShiftanddifference", "Shift and difference...", {}, "", 0, {}, {}, 0,
        "shift-and-difference kernel",
        [](C& c, const int*) { return KivLeadSpatialFilter(c.image, KIVLEAD_FILTER_SHIFTDIFF); }},
    {"linesegment", "OnImageSpatialfiltersLinesegment", "Line segment...", {}, "", 0, {}, {}, 0, "line-segment kernel",
        [](C& c, const int*) { return KivLeadSpatialFilter(c.image, KIVLEAD_FILTER_LINESEGMENT); }},
    {"halftone", "OnColorHalftone", "Halftone...", {"Halftone", {{"&Angle", -360, 360, 45}}}, "DEGREES", 1, {45}, {1},
        0, "black and white dots at an angle", [](C& c, const int* v) { return KivLeadHalftone(c.image, v[0]); }},
    {"grayscale8", "OnColorGrayscale8", "Gray scale 8", {}, "", 0, {}, {}, 0, "grey with 8 bits",
        [](C& c, const int*) { return KivLeadGrayScale(c.image, 8); }},
    {"grayscale12", "OnColorGrayscale12", "Gray scale 12", {}, "", 0, {}, {}, 0, "grey with 12 bits",
        [](C& c, const int*) { return KivLeadGrayScale(c.image, 12); }},
    {"grayscale16", "OnColorGrayscale16", "Gray scale 16", {}, "", 0, {}, {}, 0, "grey with 16 bits",
        [](C& c, const int*) { return KivLeadGrayScale(c.image, 16); }},
    {"colorresolution", "OnColorColorresolution", "Color resolution...", {}, "BITS,DITHER", 2, {8, 1}, {1, 1}, 0,
        "1, 4, 8 (palette), 24 or 32 bits; DITHER 1 spreads the error",
        [](C& c, const int* v) { return KivLeadColorResolution(c.image, v[0], v[1]); }},
    {"windowlevel", "OnColorWindowlevel", "Window level...", {}, "LOW,HIGH", 2, {0, 255}, {1, 1}, 0,
        "grey levels LOW-HIGH spread from red to blue",
        [](C& c, const int* v) { return KivLeadWindowLevel(c.image, v[0], v[1], 0x0000FF, 0xFF0000); }},
    {"invert", "OnColorInvert", "Invert", {}, "", 0, {}, {}, 0, "negative",
        [](C& c, const int*) { return KivLeadInvert(c.image); }},
    {"histogramequalize", "OnColorHistogramequalize", "Histogram equalize", {}, "", 0, {}, {}, 0,
        "equalise the histogram", [](C& c, const int*) { return KivLeadHistogramEqualize(c.image); }},
    {"stretchintensity", "OnColorStretchintensity", "Stretch intensity", {}, "", 0, {}, {}, 0,
        "stretch to the full range", [](C& c, const int*) { return KivLeadStretchIntensity(c.image); }},
    {"hue", "OnColorHue", "Hue...", {"Hue", {{"&Angle", -360, 360, 0}}}, "DEGREES", 1, {20}, {1}, 0,
        "turn the hue (-360-360)", [](C& c, const int* v) { return KivLeadChangeHue(c.image, v[0]); }},
    {"saturation", "OnColorSaturation", "Saturation...", {"Saturation", {{"&Change", -1000, 1000, 0}}}, "CHANGE", 1,
        {200}, {1}, 0, "saturation in tenths of a percent (-1000-1000)",
        [](C& c, const int* v) { return KivLeadChangeSaturation(c.image, v[0]); }},
    {"histocontrast", "OnColorHistocontrast", "Histogram contrast...",
        {"Histogram Contrast", {{"&Change", -1000, 1000, 0}}}, "CHANGE", 1, {200}, {1}, 0,
        "S-curve contrast (-1000-1000)", [](C& c, const int* v) { return KivLeadHistoContrast(c.image, v[0]); }},
    {"brightness", "OnColorBrightness", "Brightness...", {"Brightness", {{"&Change", -1000, 1000, 0}}}, "CHANGE", 1,
        {200}, {1}, 0, "brightness (-1000-1000)",
        [](C& c, const int* v) { return KivLeadChangeBrightness(c.image, v[0]); }},
    {"contrast", "OnColorContrast", "Contrast...", {"Contrast", {{"&Change", -1000, 1000, 0}}}, "CHANGE", 1, {200}, {1},
        0, "contrast (-1000-1000)", [](C& c, const int* v) { return KivLeadChangeContrast(c.image, v[0]); }},
    {"gammacorrect", "OnColorGammacorrect", "Gamma correct...", {}, "GAMMA", 1, {150}, {100}, 0, "gamma 0.01-4.99",
        [](C& c, const int* v) { return KivLeadGammaCorrect(c.image, v[0]); }},
    {"intensitydetect", "OnColorIntensitydetect", "Intensity detect...", {}, "LOW,HIGH", 2, {128, 255}, {1, 1}, 0,
        "white where the grey level is in LOW-HIGH, black elsewhere",
        [](C& c, const int* v) { return KivLeadIntensityDetect(c.image, v[0], v[1]); }},
    {"solarize", "OnColorSolarize", "Solarize...", {"Solarize", {{"&Threshold", 0, 255, 128}}}, "THRESHOLD", 1, {128},
        {1}, 0, "invert the levels above THRESHOLD", [](C& c, const int* v) { return KivLeadSolarize(c.image, v[0]); }},
    {"uniquecolors", "OnColorUniquecolors", "Unique colors", {}, "", 0, {}, {}, KivLeadCommand::kKeepsModified,
        "count the colours", uniqueColors},
    {"color", "OnColorColor", "Color...", {}, "HUE,SATURATION,LIGHTNESS", 3, {0, 0, 0}, {10, 10, 10}, 0,
        "hue, saturation and lightness, each -100.0-100.0",
        [](C& c, const int* v) { return KivLeadSetColor(c.image, v[0], v[1], v[2]); }},
    {"level", "OnColorLevel", "Level...", {}, "BRIGHTNESS,CONTRAST,GAMMA", 3, {0, 0, 100}, {10, 10, 100}, 0,
        "brightness and contrast -100.0-100.0, gamma 0.01-4.99",
        [](C& c, const int* v) { return KivLeadSetLevel(c.image, v[0], v[1], v[2]); }},
    {"autolevels", "SetAutoLevels", "Auto levels", {}, "", 0, {}, {}, 0, "stretch each colour plane to its used levels",
        [](C& c, const int*) { return KivLeadAutoLevels(c.image); }},
    {"colorseparation", "ColorSeparation", "Color separation", {}, "KIND", 1, {0}, {1}, G,
        "keep the blue plane (KIND 0) or the black one (1)",
        [](C& c, const int* v) { return KivLeadColorSeparation(c.image, v[0]); }},
    {"fill", "OnColorFill", "Fill...", {}, "RED,GREEN,BLUE", 3, {255, 255, 255}, {1, 1, 1}, 0, "fill with one colour",
        [](C& c, const int* v) {
            if (v[0] < 0 || v[0] > 255 || v[1] < 0 || v[1] > 255 || v[2] < 0 || v[2] > 255)
                return KIVLEAD_ERROR_INVALID_ARGUMENT;
            return KivLeadFill(c.image, RGB(v[0], v[1], v[2]));
        }},
};

bool sameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        const char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
        if (x != *b)
            return false;
    }
    return *a == *b;
}

} // namespace

std::span<const KivLeadCommand> KivLeadCommands()
{
    return kCommands;
}

const KivLeadCommand* KivLeadFindCommand(const char* name)
{
    if (!name)
        return nullptr;
    for (const auto& c : kCommands)
        if (sameName(name, c.name))
            return &c;
    return nullptr;
}

bool KivLeadAutoLevelsTable(const unsigned long histogram[256], unsigned char table[256])
{
    int low = 0;
    while (low < 256 && histogram[low] == 0)
        ++low;
    int high = 255;
    while (high >= 0 && histogram[high] == 0)
        --high;
    if (low > high)
        return false;
    const int d = (high - low) / 40;
    low += d;
    high -= d;
    if (high <= low)
        return false;
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i < low ? 0 : i > high ? 255 : (i - low) * 255 / (high - low));
    return true;
}

int KivLeadAutoLevels(CLeadBitmap* image)
{
    unsigned long histogram[3][256];
    int status = KivLeadGetHistogram(image, histogram);
    if (status != KIVLEAD_SUCCESS)
        return status;
    unsigned char tables[3][256];
    const unsigned char* use[3] = {};
    for (int p = 0; p < 3; ++p)
        if (KivLeadAutoLevelsTable(histogram[p], tables[p]))
            use[p] = tables[p];
    status = KivLeadRemapPlanes(image, use[0], use[1], use[2]);
    return status == KIVLEAD_SUCCESS ? KIVLEAD_SUCCESS : status;
}

int KivLeadSetColor(CLeadBitmap* image, int hue, int saturation, int lightness)
{
    // ±1000 turns the hue half a circle either way.
    KivLeadChangeHue(image, std::clamp(hue, -1000, 1000) * 180 / 1000);
    KivLeadChangeSaturation(image, saturation);
    return KivLeadChangeBrightness(image, lightness);
}

int KivLeadSetLevel(CLeadBitmap* image, int brightness, int contrast, int gamma)
{
    KivLeadChangeBrightness(image, brightness);
    KivLeadChangeContrast(image, contrast);
    return KivLeadGammaCorrect(image, gamma);
}

int KivLeadEdgeEnhance(CLeadBitmap* image)
{
    CLeadBitmap edges;
    int status = KivLeadCopyBitmap(&edges, image);
    if (status != KIVLEAD_SUCCESS)
        return status;
    status = KivLeadSpatialFilter(&edges, KIVLEAD_FILTER_EDGE_ENHANCE);
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadCombine(image, 0, 0, edges.Width(), edges.Height(), &edges, 0, 0, KIVLEAD_COMBINE_ADD);
    return status;
}

int KivLeadColorSeparation(CLeadBitmap* image, int kind)
{
    CLeadBitmap planes[4];
    CLeadBitmap* p[4] = {&planes[0], &planes[1], &planes[2], &planes[3]};
    const int status = KivLeadSeparate(image, p, kind == 1);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return KivLeadCopyBitmap(image, p[kind == 1 ? 3 : 2]);
}
