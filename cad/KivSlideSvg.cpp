// SPDX-License-Identifier: MIT
#include "cad/KivSlideSvg.h"

#include "cad/KivSlideDraw.h"
#include "core/KivAciColor.h"

#include <QString>

#include <algorithm>

namespace {

QString colorText(COLORREF c)
{
    return QString::asprintf("#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
}

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

} // namespace

int KivSlideSvg::Write(const char* reference, int width, int height, COLORREF back, int invert, std::string* svg)
{
    if (!svg)
        return 1;
    svg->clear();
    KivSlideDraw slide;
    int code = slide.OpenReference(reference);
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
    const double pixel = std::max(static_cast<double>(std::max(x, 1)) / std::max(width, 1),
        static_cast<double>(std::max(y, 1)) / std::max(height, 1));
    const QString stroke = QString::number(pixel, 'g', 6);
    SvgSink sink(invert != 0, stroke, back);
    KivSlidePoint last;
    if (!slide.DecodeRecords(sink, last) && code == 0) {
        code = 2;
        KivSlideFile::SetSlideError(2, nullptr, nullptr);
    }
    sink.flush();
    const QString backHex = colorText(invert ? (~back & 0xFFFFFF) : back);
    QString text = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
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
    text += QString("<g transform=\"matrix(%3 0 0 -1 0 %1)\" fill=\"none\" stroke-width=\"%2\" "
                    "stroke-linecap=\"square\">\n")
                .arg(y)
                .arg(stroke)
                .arg(QString::number(f, 'g', 8));
    text += sink.body;
    text += "</g>\n</svg>\n";
    *svg = text.toStdString();
    return code;
}
