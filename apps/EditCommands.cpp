// SPDX-License-Identifier: MIT
#include "EditCommands.h"

#include "imaging/toolkit/KivLeadCommand.h"

namespace {

using E = CKivLeadEditCtrl;

const EditCommand kImage[] = {
    {"flip", &E::OnImageFlip},
    {"reverse", &E::OnImageReverse},
    {"flipreverse", &E::OnImageFlipReverse},
    {"rotate90clockwise", &E::OnImageRotate90clockwise},
    {"rotate180clockwise", &E::OnImageRotate180clockwise},
    {"rotate270clockwise", &E::OnImageRotate270clockwise},
    {"rotate", &E::OnImageRotate},
    {"rotateanyangle", &E::OnImageRotateAnyangle},
    {"shear", &E::OnImageShear},
    {"resize", &E::OnImageResize},
    {"resample", &E::OnImageResample},
};

const EditCommand kEffects[] = {
    {"posterize", &E::OnImageEffectsPosterize},
    {"mosaic", &E::OnImageEffectsMosaic},
    {"average", &E::OnImageEffectsAverage},
    {"median", &E::OnImageEffectsMedian},
    {"sharpen", &E::OnImageEffectsSharpen},
    {"addnoise", &E::OnImageEffectsAddnoise},
    {"emboss", &E::OnImageEffectsEmboss},
    {"oilify", &E::OnImageEffectsOilify},
    {"edgeenhance", &E::OnImageEffectsEdgeenhance},
    {nullptr, &E::OnImageEffectsUnderlay, "Underlay"},
};

const EditCommand kFilters[] = {
    {"gradient", &E::OnImageSpatialfiltersGradient},
    {"laplacian", &E::OnImageSpatialfiltersLaplacian},
    {"sobel", &E::OnImageSpatialfiltersSobel},
    {"prewitt", &E::OnImageSpatialfiltersPrewitt},
    {"shiftanddifference", &E::OnImageSpatialfiltersShiftanddifference},
    {"linesegment", &E::OnImageSpatialfiltersLinesegment},
};

const EditCommand kColor[] = {
    {"color", &E::OnColorColor},
    {"level", &E::OnColorLevel},
    {"halftone", &E::OnColorHalftone},
    {"grayscale8", &E::OnColorGrayscale8},
    {"grayscale12", &E::OnColorGrayscale12},
    {"grayscale16", &E::OnColorGrayscale16},
    {"colorresolution", &E::OnColorColorresolution},
    {"windowlevel", &E::OnColorWindowlevel},
    {"invert", &E::OnColorInvert},
    {"histogramequalize", &E::OnColorHistogramequalize},
    {"stretchintensity", &E::OnColorStretchintensity},
    {"hue", &E::OnColorHue},
    {"saturation", &E::OnColorSaturation},
    {"histocontrast", &E::OnColorHistocontrast},
    {"brightness", &E::OnColorBrightness},
    {"contrast", &E::OnColorContrast},
    {"gammacorrect", &E::OnColorGammacorrect},
    {"intensitydetect", &E::OnColorIntensitydetect},
    {"solarize", &E::OnColorSolarize},
    {"uniquecolors", &E::OnColorUniquecolors},
    {"autolevels", &E::OnColorAutoLevels},
    {"fill", &E::OnColorFill},
};

} // namespace

namespace editcommands {

const char* textOf(const EditCommand& command)
{
    if (command.text)
        return command.text;
    const KivLeadCommand* c = KivLeadFindCommand(command.command);
    return c ? c->menu : "";
}

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
