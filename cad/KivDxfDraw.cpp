// SPDX-License-Identifier: MIT
#include "cad/KivDxfDraw.h"

#include "cad/KivDwgPreview.h"
#include "core/KivAciColor.h"
#include "platform/gdi/CDC.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr double kMargin = 0.02; // of the target, on each side

bool isLight(COLORREF back)
{
    return (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000 >= 128;
}

QFont labelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(100); // scaled to each text's height when drawn
    font.setStyleHint(QFont::SansSerif);
    return font;
}

double capHeight(const QFontMetricsF& metrics)
{
    return metrics.capHeight() > 0 ? metrics.capHeight() : metrics.ascent() * 0.7;
}

} // namespace

bool KivDxfDraw::Open(const char* path, const std::set<std::string>& layers)
{
    return prepare(m_file.Open(path), layers);
}

bool KivDxfDraw::OpenBytes(const std::uint8_t* data, std::size_t size, const std::set<std::string>& layers)
{
    return prepare(m_file.OpenBytes(data, size), layers);
}

bool KivDxfDraw::prepare(bool read, const std::set<std::string>& layers)
{
    m_scene = KivDxfScene();
    m_preview = QImage();
    if (!read)
        return false;
    m_scene.Build(m_file, layers);
    if (!m_file.GetThumbnail().empty())
        m_preview = KivDwgPreview::DecodePicture(m_file.GetThumbnail(), RGB(255, 255, 255));
    return true;
}

QImage KivDxfDraw::GetPreview(COLORREF back) const
{
    if (m_preview.isNull() || back == RGB(255, 255, 255))
        return m_preview;
    return KivDwgPreview::DecodePicture(m_file.GetThumbnail(), back);
}

QColor KivDxfDraw::ColourOn(const KivDxfColour& colour, COLORREF back)
{
    COLORREF rgb;
    if (colour.rgb >= 0)
        rgb = RGB((colour.rgb >> 16) & 0xFF, (colour.rgb >> 8) & 0xFF, colour.rgb & 0xFF);
    else if (colour.aci == 7)
        rgb = isLight(back) ? RGB(0, 0, 0) : RGB(255, 255, 255);
    else
        rgb = static_cast<COLORREF>(KivAciColor::GetRGB(colour.aci));
    // A colour that is the background's own would vanish: its complement shows.
    if ((rgb & 0xFFFFFF) == (back & 0xFFFFFF))
        rgb = ~rgb & 0xFFFFFF;
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QTransform KivDxfDraw::Fit(const QRectF& target) const
{
    const QFontMetricsF metrics(labelFont());
    const double cap = capHeight(metrics);
    KivDxfPoint lo, hi;
    const auto width = [&metrics, cap](const std::string& line) {
        return metrics.horizontalAdvance(QString::fromUtf8(line.c_str())) / cap;
    };
    if (!m_scene.GetExtents(lo, hi, width) || target.width() <= 0 || target.height() <= 0)
        return {};
    const double w = std::max(hi.x - lo.x, 0.0), h = std::max(hi.y - lo.y, 0.0);
    const QRectF inner = target.adjusted(
        target.width() * kMargin, target.height() * kMargin, -target.width() * kMargin, -target.height() * kMargin);
    double scale = std::min(w > 0 ? inner.width() / w : HUGE_VAL, h > 0 ? inner.height() / h : HUGE_VAL);
    if (!std::isfinite(scale))
        scale = 1.0; // a single point
    // The drawing's centre on the target's centre, y up.
    const double cx = lo.x / 2 + hi.x / 2, cy = lo.y / 2 + hi.y / 2;
    if (!std::isfinite(w) || !std::isfinite(h) || !(scale > 0))
        return {}; // extents past the reals (1e308 apart): nothing can be fitted
    return QTransform(scale, 0, 0, -scale, inner.center().x() - cx * scale, inner.center().y() + cy * scale);
}

void KivDxfDraw::DrawScene(QPainter& painter, const QRectF& target, COLORREF back) const
{
    if (m_scene.GetShapes().empty() && m_scene.GetLabels().empty())
        return;
    const QTransform fit = Fit(target);
    const double scale = fit.m11();
    auto toDevice = [&fit](const KivDxfPoint& p) { return fit.map(QPointF(p.x, p.y)); };

    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen;
    pen.setCosmetic(true);
    pen.setWidth(1);
    QPolygonF line;
    for (const KivDxfShape& shape : m_scene.GetShapes()) {
        const QColor colour = ColourOn(shape.colour, back);
        pen.setColor(colour);
        painter.setPen(pen);
        if (shape.points.size() == 1) {
            painter.drawPoint(toDevice(shape.points[0]));
            continue;
        }
        if (shape.filled) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            std::size_t start = 0;
            for (const std::size_t end : shape.contourEnds) {
                for (std::size_t i = start; i < end; ++i)
                    i == start ? path.moveTo(toDevice(shape.points[i])) : path.lineTo(toDevice(shape.points[i]));
                path.closeSubpath();
                start = end;
            }
            painter.setBrush(colour);
            painter.drawPath(path);
            painter.setBrush(Qt::NoBrush);
            continue;
        }
        std::size_t start = 0;
        for (const std::size_t end : shape.contourEnds) {
            line.clear();
            for (std::size_t i = start; i < end; ++i)
                line.append(toDevice(shape.points[i]));
            if (shape.closed)
                painter.drawPolygon(line);
            else
                painter.drawPolyline(line);
            start = end;
        }
    }

    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    const double cap = capHeight(metrics);
    painter.setFont(font);
    for (const KivDxfLabel& label : m_scene.GetLabels()) {
        const double pixels = label.height * scale;
        if (!(pixels >= 1.0))
            continue; // smaller than a pixel: nothing a reader could see
        painter.setPen(ColourOn(label.colour, back));
        painter.save();
        painter.translate(toDevice(label.at));
        painter.rotate(-label.angle);
        const double k = pixels / cap;
        painter.scale(k * label.widthFactor, k);
        const QStringList lines = QString::fromUtf8(label.text.c_str()).split(QLatin1Char('\n'));
        const double spacing = 1.4 * cap;
        const double block = cap + spacing * (lines.size() - 1);
        // The first baseline below the anchor (y runs down here) when the
        // anchor is the baseline, the bottom, the middle or the top.
        double y = label.valign == 3 ? cap
            : label.valign == 2      ? cap - block / 2
            : label.valign == 1      ? cap - block
                                     : 0.0;
        for (const QString& text : lines) {
            const double width = metrics.horizontalAdvance(text);
            const double x = label.halign == 1 ? -width / 2 : label.halign == 2 ? -width : 0.0;
            painter.drawText(QPointF(x, y), text);
            y += spacing;
        }
        painter.restore();
    }
    painter.restore();
}

void KivDxfDraw::Paint(CDC& dc, const CRect& client, COLORREF back, bool preferPreview) const
{
    dc.FillSolidRect(client, back);
    if (preferPreview && HasPreview()) {
        KivDwgPreview::DrawImage(&dc, client, GetPreview(back), 1);
        return;
    }
    if (QPainter* painter = dc.GetPainter())
        DrawScene(*painter, QRectF(client.left, client.top, client.Width(), client.Height()), back);
}

QImage KivDxfDraw::Render(int width, int height, COLORREF back, bool preferPreview) const
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    CDC dc(&image);
    Paint(dc, CRect(0, 0, width, height), back, preferPreview);
    return image;
}
