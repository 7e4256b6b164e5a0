// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "OutputFile.h"
#include "Terminal.h"

#include "cad/KivDxfDraw.h"
#include "platform/io/FileSystem.h"

#include <QCommandLineParser>
#include <QImage>

#include <set>

namespace cli {

namespace {

QString svgColour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

// The drawing as SVG, fitted as the picture is: one path per outline, one
// text element per line of text.
QByteArray drawingSvg(const KivDxfDraw& drawing, int width, int height, COLORREF back)
{
    const KivDxfScene& scene = drawing.GetScene();
    QString svg
        = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                  "<rect width=\"100%\" height=\"100%\" fill=\"%3\"/>\n")
              .arg(width)
              .arg(height)
              .arg(svgColour(QColor(GetRValue(back), GetGValue(back), GetBValue(back))));
    if (!scene.GetShapes().empty() || !scene.GetLabels().empty()) {
        // The drawing's own units inside, fitted as the picture is; strokes
        // stay one pixel wide.
        const QTransform fit = drawing.Fit(QRectF(0, 0, width, height));
        svg += QString("<g transform=\"matrix(%1 0 0 %2 %3 %4)\" stroke-width=\"%5\" stroke-linejoin=\"round\">\n")
                   .arg(fit.m11())
                   .arg(fit.m22())
                   .arg(fit.dx())
                   .arg(fit.dy())
                   .arg(1.0 / fit.m11());
        for (const KivDxfShape& s : scene.GetShapes()) {
            const QString colour = svgColour(KivDxfDraw::ColourOn(s.colour, back));
            QString d;
            std::size_t start = 0;
            for (const std::size_t end : s.contourEnds) {
                for (std::size_t i = start; i < end; ++i)
                    d += QString("%1%2 %3").arg(i == start ? "M" : " L").arg(s.points[i].x).arg(s.points[i].y);
                if (s.closed || s.points.size() == 1)
                    d += s.points.size() == 1 ? " h0" : " Z";
                start = end;
            }
            svg += QString("<path d=\"%1\" fill=\"%2\" stroke=\"%3\"%4/>\n")
                       .arg(d, s.filled ? colour : "none", colour,
                           s.filled ? " fill-rule=\"evenodd\""
                                    : (s.points.size() == 1 ? " stroke-linecap=\"round\"" : ""));
        }
        for (const KivDxfLabel& l : scene.GetLabels()) {
            const char* anchor = l.halign == 1 ? "middle" : l.halign == 2 ? "end" : "start";
            const char* baseline = l.valign == 3 ? "hanging" : l.valign == 2 ? "middle" : "alphabetic";
            const QStringList lines = QString::fromUtf8(l.text.c_str()).split('\n');
            for (int i = 0; i < lines.size(); ++i)
                svg += QString(
                    "<text transform=\"translate(%1 %2) rotate(%3) scale(%4 -1)\" y=\"%5\" font-family=\"DejaVu "
                    "Sans, sans-serif\" font-size=\"%6\" fill=\"%7\" stroke=\"none\" text-anchor=\"%8\" "
                    "dominant-baseline=\"%9\">%10</text>\n")
                           .arg(l.at.x)
                           .arg(l.at.y)
                           .arg(l.angle)
                           .arg(l.widthFactor)
                           .arg(1.4 * l.height * i)
                           .arg(l.height * 1.4)
                           .arg(svgColour(KivDxfDraw::ColourOn(l.colour, back)), anchor, baseline,
                               lines[i].toHtmlEscaped());
        }
        svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg.toUtf8();
}

std::set<std::string> layersOf(const QString& list)
{
    std::set<std::string> layers;
    for (const QString& name : list.split(',', Qt::SkipEmptyParts))
        layers.insert(utf8(name.trimmed()).toStdString());
    return layers;
}

} // namespace

int runDxfRender(const QStringList& args)
{
    QCommandLineParser parser;
    QString sub;
    QByteArray path;
    int exit = Ok;
    const QList<QCommandLineOption> options = dxfOptions();
    if (!parseDxf(args, parser, options, sub, path, exit))
        return exit;
    if (sub == "info")
        return runDxf(args);
    const QString out = parser.value("output");
    if (out.isEmpty()) {
        printError("dxf render needs -o OUT");
        return Failed;
    }
    int width = 0, height = 0;
    COLORREF back = 0;
    if (!parseSize(parser.value("size"), width, height) || !parseColor(parser.value("back"), "back", back))
        return Failed;
    const QByteArray format = outputFormat(out, true);
    if (format.isEmpty())
        return Failed;
    if (format != "SVG" && !checkRasterSize(width, height))
        return Failed;
    if (SameFile(path.constData(), utf8(out).constData())) {
        printError(QString("%1 is the drawing itself: nothing written").arg(shownPath(utf8(out))));
        return Failed;
    }
    KivDxfDraw drawing;
    if (!drawing.Open(path.constData(), layersOf(parser.value("layers")))) {
        printError(QString("%1: %2").arg(shownPath(path), QString::fromStdString(drawing.GetError())));
        return Failed;
    }
    if (format == "SVG")
        return writeOutputFile(out, drawingSvg(drawing, width, height, back)) ? Ok : Failed;
    const QImage image = drawing.Render(width, height, back, parser.isSet("preview"));
    return writeImage(out, image, format) ? Ok : Failed;
}

} // namespace cli
