#include "EditCommands.h"

namespace {

using E = CKivLeadEditCtrl;

const EditCommand kImage[] = {
    {"&Flip", &E::OnImageFlip},
    {"&Reverse", &E::OnImageReverse},
    {"Flip / Reverse...", &E::OnImageFlipReverse},
    {"Rotate 90° clockwise", &E::OnImageRotate90clockwise},
    {"Rotate 180°", &E::OnImageRotate180clockwise},
    {"Rotate 270° clockwise", &E::OnImageRotate270clockwise},
    {"R&otate...", &E::OnImageRotate},
    {"Rotate any angle...", &E::OnImageRotateAnyangle},
    {"S&hear...", &E::OnImageShear},
    {"Resi&ze...", &E::OnImageResize},
    {"Resam&ple...", &E::OnImageResample},
};

const EditCommand kEffects[] = {
    {"Posterize...", &E::OnImageEffectsPosterize},
    {"Mosaic...", &E::OnImageEffectsMosaic},
    {"Average...", &E::OnImageEffectsAverage},
    {"Median...", &E::OnImageEffectsMedian},
    {"Sharpen...", &E::OnImageEffectsSharpen},
    {"Add noise...", &E::OnImageEffectsAddnoise},
    {"Emboss...", &E::OnImageEffectsEmboss},
    {"Oilify...", &E::OnImageEffectsOilify},
    {"Edge enhance", &E::OnImageEffectsEdgeenhance},
    {"Underlay", &E::OnImageEffectsUnderlay},
};

const EditCommand kFilters[] = {
    {"Gradient...", &E::OnImageSpatialfiltersGradient},
    {"Laplacian...", &E::OnImageSpatialfiltersLaplacian},
    {"Sobel...", &E::OnImageSpatialfiltersSobel},
    {"Prewitt...", &E::OnImageSpatialfiltersPrewitt},
    {"Shift and difference...", &E::OnImageSpatialfiltersShiftanddifference},
    {"Line segment...", &E::OnImageSpatialfiltersLinesegment},
};

const EditCommand kColor[] = {
    {"Color...", &E::OnColorColor},
    {"Level...", &E::OnColorLevel},
    {"Halftone...", &E::OnColorHalftone},
    {"Gray scale 8", &E::OnColorGrayscale8},
    {"Gray scale 12", &E::OnColorGrayscale12},
    {"Gray scale 16", &E::OnColorGrayscale16},
    {"Color resolution...", &E::OnColorColorresolution},
    {"Window level...", &E::OnColorWindowlevel},
    {"Invert", &E::OnColorInvert},
    {"Histogram equalize", &E::OnColorHistogramequalize},
    {"Stretch intensity", &E::OnColorStretchintensity},
    {"Hue...", &E::OnColorHue},
    {"Saturation...", &E::OnColorSaturation},
    {"Histogram contrast...", &E::OnColorHistocontrast},
    {"Brightness...", &E::OnColorBrightness},
    {"Contrast...", &E::OnColorContrast},
    {"Gamma correct...", &E::OnColorGammacorrect},
    {"Intensity detect...", &E::OnColorIntensitydetect},
    {"Solarize...", &E::OnColorSolarize},
    {"Unique colors", &E::OnColorUniquecolors},
    {"Auto levels", &E::OnColorAutoLevels},
    {"Fill...", &E::OnColorFill},
};

} // namespace

namespace editcommands {

std::span<const EditCommand> image()
{
    return kImage;
}

std::span<const EditCommand> effects()
{
    return kEffects;
}

std::span<const EditCommand> filters()
{
    return kFilters;
}

std::span<const EditCommand> color()
{
    return kColor;
}

bool inEditor(const EditCommand& command)
{
    return command.handler != &E::OnColorColor && command.handler != &E::OnColorLevel
        && command.handler != &E::OnImageFlipReverse && command.handler != &E::OnImageRotate;
}

} // namespace editcommands
