// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "OutputFile.h"
#include "Terminal.h"

#include "cad/KivSlideDraw.h"
#include "core/KivAciColor.h"

#include <QImage>
#include <QRegularExpression>

#include <cinttypes>

namespace cli {

namespace {

// The primitives of a slide in slide coordinates, Y up, one path per run of
// lines in one colour.
class SvgSink : public KivSlideSink {
public:
    // pixel: the size of one pixel of the requested image in slide units.
    SvgSink(bool invert, const QString& pixel, COLORREF back) : m_invert(invert), m_pixel(pixel), m_back(back) { }
    QString body;

    void SlideLine(KivSlidePoint a, KivSlidePoint b) override
    {
        if (a == b) {
            flush();
            body += QString("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"%4\"/>\n")
                        .arg(a.x)
                        .arg(a.y)
                        .arg(m_pixel, color());
            return;
        }
        if (!(a == m_end) || m_path.isEmpty())
            m_path += QString("M%1 %2").arg(a.x).arg(a.y);
        m_path += QString("L%1 %2").arg(b.x).arg(b.y);
        m_end = b;
    }
    void SlidePolygon(const std::vector<KivSlidePoint>& v) override
    {
        flush();
        QString points;
        for (const auto& p : v)
            points += QString("%1,%2 ").arg(p.x).arg(p.y);
        body += QString("<polygon points=\"%1\" fill=\"%2\" stroke=\"%2\"/>\n").arg(points.trimmed(), color());
    }
    void SlideColor(int aci) override
    {
        flush();
        // Colour 0 masks what lies behind: it takes the back colour.
        m_rgb = aci == 0 ? m_back : static_cast<COLORREF>(KivAciColor::GetRGB(aci));
    }
    void flush()
    {
        if (!m_path.isEmpty())
            body += QString("<path d=\"%1\" stroke=\"%2\"/>\n").arg(m_path, color());
        m_path.clear();
    }
    QString color() const { return colorText(m_invert ? (~m_rgb & 0xFFFFFF) : m_rgb); }

private:
    bool m_invert;
    QString m_pixel;
    COLORREF m_back;
    COLORREF m_rgb = 0xFFFFFF;
    QString m_path;
    KivSlidePoint m_end;
};

int writeSvg(const QByteArray& ref, const QString& out, int width, int height, COLORREF back, bool invert)
{
    KivSlideDraw slide;
    int code = slide.OpenReference(ref.constData());
    if (code != 0)
        return code;
    code = slide.ReadHeader();
    const int y = slide.GetHighY();
    // A stored aspect ratio the extents do not give stretches X.
    const double f = KivSlideDraw::AspectStretch(slide.GetHighX(), y, slide.GetAspectRatio());
    const int x = static_cast<int>(slide.GetHighX() * f + 0.5);
    // The view box is fitted into width × height ("meet"): one pixel is the
    // larger of the two ratios. Strokes of that width stay one pixel wide in
    // every renderer, not only in those that know non-scaling strokes.
    const double pixel
        = std::max(static_cast<double>(std::max(x, 1)) / width, static_cast<double>(std::max(y, 1)) / height);
    const QString stroke = QString::number(pixel, 'g', 6);
    SvgSink sink(invert, stroke, back);
    KivSlidePoint last;
    if (!slide.DecodeRecords(sink, last) && code == 0) {
        code = 2;
        KivSlideFile::SetSlideError(2, nullptr, nullptr);
    }
    sink.flush();
    const QString backHex = colorText(invert ? (~back & 0xFFFFFF) : back);
    QString svg = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %3 %4\" "
                          "preserveAspectRatio=\"xMinYMax meet\" style=\"background:%5\">\n"
                          "<rect x=\"%6\" y=\"%7\" width=\"%8\" height=\"%9\" fill=\"%5\"/>\n")
                      .arg(width)
                      .arg(height)
                      .arg(std::max(x, 1))
                      .arg(std::max(y, 1))
                      .arg(backHex)
                      .arg(-4 * std::max(x, 1))
                      .arg(-4 * std::max(y, 1))
                      .arg(9 * std::max(x, 1))
                      .arg(9 * std::max(y, 1));
    svg += QString("<g transform=\"matrix(%3 0 0 -1 0 %1)\" fill=\"none\" stroke-width=\"%2\" "
                   "stroke-linecap=\"square\">\n")
               .arg(y)
               .arg(stroke)
               .arg(QString::number(f, 'g', 8));
    svg += sink.body;
    svg += "</g>\n</svg>\n";
    if (!writeOutputFile(out, svg.toUtf8()))
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
