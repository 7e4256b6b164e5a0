// SPDX-License-Identifier: MIT
#include "platform/gdi/CDC.h"

#include "platform/base/PixelLine.h"
#include "platform/base/PolygonSpans.h"
#include "platform/gdi/Dib.h"

#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <cstdlib>

namespace {

QColor qcolor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    m_style = style;
    m_width = width < 0 ? 0 : width;
    m_color = color & 0xFFFFFF;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_color = color & 0xFFFFFF;
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const CRect& rect)
{
    CRect r = rect;
    r.NormalizeRect();
    m_region = QRegion(r.left, r.top, r.Width(), r.Height());
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    m_image.fill(Qt::black);
    return TRUE;
}

CPalette::~CPalette() = default;

BOOL CPalette::CreatePalette(const PALETTEENTRY*, int)
{
    return TRUE;
}

BOOL DeleteObject(HBITMAP bitmap)
{
    if (!bitmap)
        return FALSE;
    delete bitmap;
    return TRUE;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL)
{
    CPalette* previous = m_palette;
    m_palette = palette;
    return previous;
}

UINT CDC::RealizePalette()
{
    return 0; // true colour: no entry of a system palette changes
}

int CDC::SetStretchBltMode(int mode)
{
    const int previous = m_stretchMode;
    m_stretchMode = mode;
    return previous;
}

int CDC::SetROP2(int mode)
{
    const int previous = m_rop2;
    if (mode == R2_NOT || mode == R2_XORPEN || mode == R2_COPYPEN)
        m_rop2 = mode;
    return previous;
}

CDC::CDC() = default;

CDC::CDC(QImage* image) : m_image(image)
{
    if (image)
        begin(image);
}

CDC::~CDC()
{
    end();
}

void CDC::begin(QPaintDevice* device)
{
    end();
    m_painter = std::make_unique<QPainter>(device);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, false);
}

void CDC::end()
{
    if (m_painter) {
        if (m_painter->isActive())
            m_painter->end();
        m_painter.reset();
    }
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    end();
    m_memory = true;
    return TRUE;
}

CRect CDC::GetSurfaceRect() const
{
    if (!m_painter || !m_painter->device())
        return {};
    return CRect(0, 0, m_painter->device()->width(), m_painter->device()->height());
}

int CDC::SetMapMode(int mode)
{
    return m_mapping.SetMapMode(mode);
}

CSize CDC::SetWindowExt(int x, int y)
{
    return m_mapping.SetWindowExt(x, y);
}

CSize CDC::SetViewportExt(int x, int y)
{
    return m_mapping.SetViewportExt(x, y);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return m_mapping.SetViewportOrg(x, y);
}

void CDC::LPtoDP(CPoint* points, int count) const
{
    for (int i = 0; points && i < count; ++i)
        points[i] = toDevice(points[i].x, points[i].y);
}

void CDC::LPtoDP(CRect* rect) const
{
    if (!rect)
        return;
    const CPoint a = toDevice(rect->left, rect->top);
    const CPoint b = toDevice(rect->right, rect->bottom);
    *rect = CRect(a.x, a.y, b.x, b.y);
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* previous = m_pen;
    if (pen)
        m_pen = pen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* previous = m_brush;
    if (brush)
        m_brush = brush;
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    CBitmap* previous = m_bitmap;
    if (!bitmap || !m_memory)
        return previous;
    m_bitmap = bitmap;
    m_image = &bitmap->m_image;
    begin(m_image);
    return previous;
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint previous = m_position;
    m_position = CPoint(x, y);
    return previous;
}

void CDC::cosmeticLine(CPoint from, CPoint to)
{
    QPolygon points;
    points.reserve(std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) + 1);
    ForEachLinePixel(from, to, [&points](int x, int y) { points.append(QPoint(x, y)); });
    if (m_pen->m_style == PS_DOT) { // every other pixel, from the first
        QPolygon dots;
        dots.reserve(points.size() / 2 + 1);
        for (int i = 0; i < points.size(); i += 2)
            dots.append(points[i]);
        points = dots;
    }
    if (points.isEmpty() || (m_rop2 == R2_COPYPEN && plotDirect(points, m_pen->m_color)))
        return;
    m_painter->save();
    if (m_rop2 == R2_NOT)
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    else if (m_rop2 == R2_XORPEN)
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(qcolor(m_pen->m_color));
    pen.setWidth(0);
    pen.setCosmetic(true);
    m_painter->setPen(pen);
    m_painter->drawPoints(points);
    m_painter->restore();
}

bool CDC::plotDirect(const QPolygon& points, COLORREF color)
{
    // A slide is thousands of short lines: handing each pixel to the painter
    // costs far more than setting it.
    QPaintEngine* engine = m_painter->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice()
        || engine->paintDevice()->devType() != QInternal::Image || (m_painter->hasClipping() && !m_clipIsRect)
        || m_painter->opacity() != 1.0)
        return false;
    auto* image = static_cast<QImage*>(engine->paintDevice());
    const QImage::Format format = image->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32
            && format != QImage::Format_ARGB32_Premultiplied)
        || !image->isDetached())
        return false;
    const QTransform to = m_painter->deviceTransform();
    if (to.type() > QTransform::TxTranslate || to.dx() != std::floor(to.dx()) || to.dy() != std::floor(to.dy()))
        return false;
    QRect bounds = image->rect();
    const QRegion system = engine->systemClip();
    if (!system.isEmpty()) {
        if (system.rectCount() != 1)
            return false;
        bounds &= system.boundingRect();
    }
    const int dx = static_cast<int>(to.dx()), dy = static_cast<int>(to.dy());
    if (m_painter->hasClipping())
        bounds &= m_clipRect.translated(dx, dy);
    const QRgb rgb = qcolor(color).rgb();
    for (const QPoint& p : points) {
        const int x = p.x() + dx, y = p.y() + dy;
        if (bounds.contains(x, y))
            reinterpret_cast<QRgb*>(image->scanLine(y))[x] = rgb;
    }
    return true;
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_painter)
        return FALSE;
    const CPoint from = toDevice(m_position.x, m_position.y);
    const CPoint to = toDevice(x, y);
    m_position = CPoint(x, y);
    if (m_pen->m_style == PS_NULL)
        return TRUE;
    if (m_pen->m_width <= 1) {
        cosmeticLine(from, to);
        return TRUE;
    }
    // A wide pen draws with round ends, as a geometric GDI pen does.
    const double scale = m_mapping.ScaleX();
    m_painter->save();
    QPen pen(qcolor(m_pen->m_color), std::max(1.0, m_pen->m_width * scale), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter->setPen(pen);
    m_painter->drawLine(from.x, from.y, to.x, to.y);
    m_painter->restore();
    return TRUE;
}

void CDC::plot(const QPoint& p, COLORREF color)
{
    m_painter->save();
    m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->fillRect(QRect(p, QSize(1, 1)), qcolor(color));
    m_painter->restore();
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (!m_painter)
        return static_cast<COLORREF>(-1);
    const CPoint d = toDevice(x, y);
    plot(QPoint(d.x, d.y), color);
    return color & 0xFFFFFF;
}

int CDC::SetPolyFillMode(int mode)
{
    const int previous = m_polyFillMode;
    m_polyFillMode = mode;
    return previous;
}

BOOL CDC::Polygon(const CPoint* points, int count)
{
    if (!m_painter || !points || count < 2)
        return FALSE;
    std::vector<CPoint> device;
    device.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        device.push_back(toDevice(points[i].x, points[i].y));
    // The fill covers the pixels whose centres lie inside and a one-pixel
    // outline the pixels that hold the edges: a bare raster drawing the same
    // polygon covers the same pixels.
    m_painter->save();
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(qcolor(m_brush->m_color));
    QRect surface;
    if (m_painter->device())
        surface = m_painter->deviceTransform().inverted().mapRect(
            QRect(0, 0, m_painter->device()->width(), m_painter->device()->height()));
    ForEachPolygonSpan(device, m_polyFillMode == WINDING, surface.top() - 1, surface.bottom() + 2,
        [this, &surface](int y, int left, int right) {
            left = std::max(left, surface.left() - 1);
            right = std::min(right, surface.right() + 1);
            if (left <= right)
                m_painter->drawRect(QRect(left, y, right - left + 1, 1));
        });
    if (m_pen->m_style != PS_NULL && m_pen->m_width > 1) {
        QPolygon poly;
        for (const CPoint& p : device)
            poly.append(QPoint(p.x, p.y));
        QPen pen(qcolor(m_pen->m_color));
        pen.setWidth(m_pen->m_width);
        m_painter->setPen(pen);
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawPolygon(poly);
    }
    m_painter->restore();
    if (m_pen->m_style != PS_NULL && m_pen->m_width <= 1) {
        QPolygon outline;
        for (int i = 0; i < count; ++i)
            ForEachEdgePixel(device[static_cast<std::size_t>(i)], device[static_cast<std::size_t>((i + 1) % count)],
                CRect(surface.left() - 1, surface.top() - 1, surface.right() + 1, surface.bottom() + 1),
                [&outline](int x, int y) { outline.append(QPoint(x, y)); });
        if (!plotDirect(outline, m_pen->m_color)) {
            QPen pen(qcolor(m_pen->m_color));
            pen.setWidth(0);
            pen.setCosmetic(true);
            m_painter->save();
            m_painter->setPen(pen);
            m_painter->drawPoints(outline);
            m_painter->restore();
        }
    }
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (!m_painter)
        return FALSE;
    CRect r(left, top, right, bottom);
    LPtoDP(&r);
    r.NormalizeRect();
    if (r.IsRectEmpty())
        return TRUE;
    m_painter->save();
    m_painter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), qcolor(m_brush->m_color));
    if (m_pen->m_style != PS_NULL) {
        QPen pen(qcolor(m_pen->m_color));
        pen.setWidth(0);
        pen.setCosmetic(true);
        m_painter->setPen(pen);
        m_painter->setBrush(Qt::NoBrush);
        // The outline runs on the outermost pixels inside the rectangle.
        m_painter->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    }
    m_painter->restore();
    return TRUE;
}

void CDC::FillRect(const CRect* rect, CBrush* brush)
{
    if (!m_painter || !rect || !brush)
        return;
    CRect r = *rect;
    LPtoDP(&r);
    r.NormalizeRect();
    m_painter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), qcolor(brush->m_color));
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    CBrush brush(color);
    FillRect(&rect, &brush);
}

BOOL CDC::InvertRect(const CRect* rect)
{
    if (!m_painter || !rect)
        return FALSE;
    CRect r = *rect;
    LPtoDP(&r);
    r.NormalizeRect();
    m_painter->save();
    m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), Qt::white);
    m_painter->restore();
    return TRUE;
}

int CDC::SelectClipRgn(CRgn* region)
{
    if (!m_painter)
        return RGN_ERROR;
    m_clipIsRect = false;
    if (!region) {
        m_painter->setClipping(false);
        return SIMPLEREGION;
    }
    m_painter->setClipRegion(region->m_region);
    m_clipIsRect = region->m_region.rectCount() <= 1;
    m_clipRect = region->m_region.boundingRect();
    return region->m_region.isEmpty() ? NULLREGION : SIMPLEREGION;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw, int sh, DWORD rop)
{
    if (!m_painter || !source || !source->m_image)
        return FALSE;
    CRect dst(x, y, x + width, y + height);
    LPtoDP(&dst);
    CRect src(sx, sy, sx + sw, sy + sh);
    source->LPtoDP(&src);
    m_painter->save();
    if (rop == SRCINVERT)
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else if (rop == DSTINVERT)
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    else
        m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    if (source->m_painter)
        source->m_painter->end(); // the image is read while nothing paints on it
    m_painter->drawImage(QRect(dst.left, dst.top, dst.Width(), dst.Height()), *source->m_image,
        QRect(src.left, src.top, src.Width(), src.Height()));
    if (source->m_painter)
        source->m_painter->begin(source->m_image);
    m_painter->restore();
    return TRUE;
}

BOOL CDC::StretchImage(
    int x, int y, int width, int height, const QImage& image, int sx, int sy, int sw, int sh, DWORD rop)
{
    if (!m_painter || image.isNull())
        return FALSE;
    CRect dst(x, y, x + width, y + height);
    LPtoDP(&dst);
    const bool flipX = dst.right < dst.left, flipY = dst.bottom < dst.top;
    dst.NormalizeRect();
    QImage source = image.copy(sx, sy, sw, sh);
    if (flipX || flipY)
        source = source.mirrored(flipX, flipY);
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (rop == SRCINVERT)
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else
        m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->drawImage(QRect(dst.left, dst.top, dst.Width(), dst.Height()), source);
    m_painter->restore();
    return TRUE;
}

int CDC::StretchDIBits(int x, int y, int width, int height, int sx, int sy, int sw, int sh, const void* bits,
    const BITMAPINFO* info, UINT, DWORD rop)
{
    if (!info || !bits)
        return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const std::int64_t lines = h.biHeight < 0 ? -static_cast<std::int64_t>(h.biHeight) : h.biHeight;
    // As with GDI, the caller vouches that bits holds every row (or, for runs,
    // biSizeImage bytes).
    const bool rle = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
    const std::size_t size
        = rle ? h.biSizeImage : DibRowBytes(h.biWidth, h.biBitCount) * static_cast<std::size_t>(lines);
    const QImage image = DibToImage(h, info->bmiColors, DibColorCount(h), static_cast<const std::uint8_t*>(bits), size);
    if (image.isNull())
        return 0;
    // DIB source coordinates count rows from the bottom.
    const int top = h.biHeight > 0 ? static_cast<int>(lines) - sy - sh : sy;
    return StretchImage(x, y, width, height, image, sx, top, sw, sh, rop) ? static_cast<int>(lines) : 0;
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int sx, int sy, UINT, UINT lines, const void* bits,
    const BITMAPINFO* info, UINT usage)
{
    const int copied = StretchDIBits(x, y, static_cast<int>(width), static_cast<int>(height), sx, sy,
        static_cast<int>(width), static_cast<int>(height), bits, info, usage, SRCCOPY);
    return copied ? static_cast<int>(lines) : 0;
}

CPaintDC::CPaintDC(QWidget* window)
{
    if (window)
        begin(window);
}

CPaintDC::~CPaintDC() = default;
