// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "OutputFile.h"
#include "Terminal.h"

#include "cad/KivSlideDraw.h"
#include "cad/KivSlideSvg.h"

#include <QImage>
#include <QRegularExpression>

#include <cinttypes>

namespace cli {

namespace {

int writeSvg(const QByteArray& ref, const QString& out, int width, int height, COLORREF back, bool invert)
{
    std::string svg;
    const int code = KivSlideSvg::Write(ref.constData(), width, height, back, invert ? 1 : 0, &svg);
    if (svg.empty())
        return code;
    if (!writeOutputFile(out, QByteArray::fromStdString(svg)))
        return -1;
    return code;
}

} // namespace

int runSlideRender(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Draws a slide as the slide view control does: scaled into WxH pixels, "
                                     "origin at the bottom left, on the back colour. OUT ending in .png, .jpg or .bmp "
                                     "gets that image format (at most 4096x4096 pixels); OUT ending in .svg gets the "
                                     "same primitives as SVG in slide coordinates. The status is the slide's result "
                                     "code (0 drawn, 2 drawn with a warning).");
    parser.addPositionalArgument("REF", "slide.sld or LIBRARY(SLIDE)");
    const QCommandLineOption output({"o", "output"}, "The PNG, JPEG, BMP or SVG file to write.", "OUT");
    const QCommandLineOption size("size", "Client area in pixels (default 640x480).", "WxH", "640x480");
    const QCommandLineOption back("back", "Back colour (default #000000).", "#RRGGBB", "#000000");
    const QCommandLineOption invert("invert", "Invert the colours of the drawn area.");
    parser.addOption(output);
    parser.addOption(size);
    parser.addOption(back);
    parser.addOption(invert);
    int exit = Ok;
    if (!parse(parser, args, "slide render REF -o OUT [--size WxH] [--back #RRGGBB] [--invert]", exit))
        return exit;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output))
        return usageError("slide render takes one slide and -o OUT");
    int width = 0, height = 0;
    COLORREF backColor = 0;
    if (!parseSize(parser.value(size), width, height) || !parseColor(parser.value(back), "back", backColor))
        return Failed;
    const QByteArray ref = utf8(parser.positionalArguments().first());
    const QString out = parser.value(output);
    const QByteArray format = outputFormat(out, true);
    if (format.isEmpty() || (format != "SVG" && !checkRasterSize(width, height)))
        return Failed;

    int code;
    if (format == "SVG") {
        code = writeSvg(ref, out, width, height, backColor, parser.isSet(invert));
        if (code < 0)
            return Failed;
    } else {
        QImage image(width, height, QImage::Format_RGB32);
        {
            CDC dc(&image);
            const CRect all(0, 0, width, height);
            dc.FillSolidRect(all, backColor);
            KivSlideDraw slide;
            slide.SetBackColor(backColor);
            code = slide.Draw(nullptr, &dc, ref.constData(), parser.isSet(invert) ? 1 : 0);
        }
        if (code == 1 || code == 4 || code == 5 || (code == 3 && !ref.contains('('))) {
            // Nothing was found to draw.
        } else if (!writeImage(out, image, format)) {
            return Failed;
        }
    }
    if (code != 0) {
        printError(QString::fromUtf8(KivSlideFile::GetSlideError()));
        if (const std::string reason = KivSlideFile::GetSlideErrorReason(); !reason.empty())
            printError(QString::fromStdString(escapeControls(reason)));
    }
    return code;
}

} // namespace cli
