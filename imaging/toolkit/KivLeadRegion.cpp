// SPDX-License-Identifier: MIT
// Regions: Qt regions in image pixels, kept on the bitmap.
#include "imaging/toolkit/KivLeadToolkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

int combine(CLeadBitmap* bitmap, const QRegion& shape, int mode)
{
    if (!bitmap || !bitmap->IsAllocated())
        return bitmap ? KIVLEAD_ERROR_EMPTY_BITMAP : KIVLEAD_ERROR_INVALID_ARGUMENT;
    // A region never reaches outside the image.
    const QRegion clipped = shape.intersected(QRect(0, 0, bitmap->Width(), bitmap->Height()));
    const QRegion& old = bitmap->Region();
    switch (mode) {
    case KIVLEAD_RGN_SET: bitmap->SetRegion(clipped); break;
    case KIVLEAD_RGN_AND: bitmap->SetRegion(old.intersected(clipped)); break;
    case KIVLEAD_RGN_OR: bitmap->SetRegion(old.united(clipped)); break;
    case KIVLEAD_RGN_XOR: bitmap->SetRegion(old.xored(clipped)); break;
    case KIVLEAD_RGN_ANDNOT: bitmap->SetRegion(old.subtracted(clipped)); break;
    default: return KIVLEAD_ERROR_INVALID_ARGUMENT;
    }
    return KIVLEAD_SUCCESS;
}

QRegion regionOfPath(const QPainterPath& path)
{
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

} // namespace

int KivLeadSetRegionRect(CLeadBitmap* bitmap, const QRect& rect, int mode)
{
    return combine(bitmap, QRegion(rect.normalized()), mode);
}

int KivLeadSetRegionEllipse(CLeadBitmap* bitmap, const QRect& rect, int mode)
{
    return combine(bitmap, QRegion(rect.normalized(), QRegion::Ellipse), mode);
}

int KivLeadSetRegionPolygon(CLeadBitmap* bitmap, const QPolygon& polygon, int mode)
{
    if (polygon.size() < 3)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return combine(bitmap, QRegion(polygon, Qt::WindingFill), mode);
}

int KivLeadSetRegionRoundRect(CLeadBitmap* bitmap, const QRect& rect, int rx, int ry, int mode)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(rect.normalized()), rx, ry);
    return combine(bitmap, regionOfPath(path), mode);
}

int KivLeadSetRegionColor(CLeadBitmap* bitmap, COLORREF color, int mode)
{
    if (!bitmap || !bitmap->IsAllocated())
        return bitmap ? KIVLEAD_ERROR_EMPTY_BITMAP : KIVLEAD_ERROR_INVALID_ARGUMENT;
    const QImage& image = bitmap->PaintImage();
    if (image.isNull())
        return KIVLEAD_ERROR_NO_MEMORY;
    const QRgb wanted = qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
    QRegion shape;
    // Runs of the colour on each row, added as rectangles.
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (row[x] & 0xFFFFFF) != (wanted & 0xFFFFFF))
                ++x;
            const int start = x;
            while (x < image.width() && (row[x] & 0xFFFFFF) == (wanted & 0xFFFFFF))
                ++x;
            if (x > start)
                shape += QRect(start, y, x - start, 1);
        }
    }
    return combine(bitmap, shape, mode);
}

int KivLeadSetRegionHandle(CLeadBitmap* bitmap, const QRegion& region, int mode)
{
    return combine(bitmap, region, mode);
}

int KivLeadBitmapHasRegion(const CLeadBitmap* bitmap)
{
    return bitmap && bitmap->HasRegion() ? 1 : 0;
}

int KivLeadFreeRegion(CLeadBitmap* bitmap)
{
    if (!bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    bitmap->FreeRegion();
    return KIVLEAD_SUCCESS;
}

int KivLeadGetRegionBounds(const CLeadBitmap* bitmap, QRect* bounds)
{
    if (!bitmap || !bounds)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    *bounds = bitmap->Region().boundingRect();
    return KIVLEAD_SUCCESS;
}

int KivLeadIsPtInRegion(const CLeadBitmap* bitmap, int x, int y)
{
    return bitmap && bitmap->Region().contains(QPoint(x, y)) ? 1 : 0;
}

int KivLeadGetRegionHandle(const CLeadBitmap* bitmap, QRegion* region)
{
    if (!bitmap || !region)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    *region = bitmap->Region();
    return KIVLEAD_SUCCESS;
}

int KivLeadFrameRegion(QPainter* painter, const CLeadBitmap* bitmap, const QRect& source, const QRect& dest)
{
    if (!painter || !bitmap || source.isEmpty() || dest.isEmpty())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (!bitmap->HasRegion())
        return KIVLEAD_SUCCESS;
    QTransform map;
    map.translate(dest.left(), dest.top());
    map.scale(double(dest.width()) / source.width(), double(dest.height()) / source.height());
    map.translate(-source.left(), -source.top());
    QPainterPath outline;
    outline.addRegion(bitmap->Region());
    painter->save();
    painter->setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(map.map(outline.simplified()));
    painter->restore();
    return KIVLEAD_SUCCESS;
}
