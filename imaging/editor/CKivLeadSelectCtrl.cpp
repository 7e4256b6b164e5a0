// SPDX-License-Identifier: MIT
#include "imaging/editor/CKivLeadSelectCtrl.h"

#include "imaging/devices/KivLeadDevices.h"
#include "imaging/widgets/KivLeadDlg.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kShiftKey = 0x0004; // MK_SHIFT

QColor colorOf(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Two corners as a rectangle whose far edges are exclusive, as regions take it.
QRect spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

} // namespace

CKivLeadSelectCtrl::CKivLeadSelectCtrl(QWidget* parent) : CKivLeadEditCtrl(parent)
{
    m_font = QFont("Arial");
    m_font.setPixelSize(13);
    m_font.setWeight(QFont::Normal);
    m_timer.setInterval(kTimerPeriod);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(1); });
}

CKivLeadSelectCtrl::~CKivLeadSelectCtrl()
{
    m_timer.stop();
    FreeBitmaps();
}

QPoint CKivLeadSelectCtrl::toImage(CPoint p) const
{
    const double scale = 100.0 / std::max(1, m_nZoom);
    return QPoint(static_cast<int>(std::floor((p.x - m_ptOffset.x) * scale)),
        static_cast<int>(std::floor((p.y - m_ptOffset.y) * scale)));
}

QRect CKivLeadSelectCtrl::GetSelectionBounds() const
{
    QRect bounds;
    if (!m_pBitmap || KivLeadGetRegionBounds(m_pBitmap, &bounds) != KIVLEAD_SUCCESS)
        return QRect();
    return bounds;
}

void CKivLeadSelectCtrl::SetPen(int style, int width)
{
    m_nPenWidth = std::max(1, width);
    // A wide pen is always solid.
    m_nPenStyle = m_nPenWidth > 1 ? 0 : style;
}

void CKivLeadSelectCtrl::startOutline()
{
    m_timer.start();
    update();
}

void CKivLeadSelectCtrl::stopOutline()
{
    m_timer.stop();
}

void CKivLeadSelectCtrl::OnTimer(UINT id)
{
    if (id != 1)
        return;
    m_nPhase = (m_nPhase + 1) % 8;
    update();
}

void CKivLeadSelectCtrl::FreeBitmaps()
{
    DeleteSelect();
    m_points.clear();
    m_points.shrink_to_fit();
    m_region = QRegion();
}

void CKivLeadSelectCtrl::clearTools()
{
    m_bPoint = m_bLine = m_bRect = m_bEllipse = m_bText = 0;
}

void CKivLeadSelectCtrl::ResetDraw()
{
    if (m_bSelectActive) {
        stopOutline();
        repaint();
        if (m_pBitmap)
            m_pBitmap->FreeRegion();
    }
    m_bDrawing = m_bSelectActive = m_bSelectMode = m_bFloating = 0;
    clearTools();
    m_ptDown = m_ptLast = m_ptPrev = CPoint(-1, -1);
}

void CKivLeadSelectCtrl::InitSelect(int kind)
{
    ResetDraw();
    m_nShape = std::clamp(kind, static_cast<int>(kShapeRect), static_cast<int>(kShapeColor));
    m_bSelectMode = 1;
    // Regions are kept top-down: an image stored bottom-up is turned first.
    if (m_pBitmap && m_pBitmap->IsAllocated() && m_pBitmap->ViewPerspective() == 2) {
        KivLeadFlip(m_pBitmap);
        m_pBitmap->SetViewPerspective(0);
    }
}

void CKivLeadSelectCtrl::OnDrawPoint()
{
    ResetDraw();
    m_bPoint = 1;
}

void CKivLeadSelectCtrl::OnDrawLine()
{
    ResetDraw();
    m_bLine = 1;
}

void CKivLeadSelectCtrl::OnDrawRectangle()
{
    ResetDraw();
    m_bRect = 1;
}

void CKivLeadSelectCtrl::OnDrawEllipse()
{
    ResetDraw();
    m_bEllipse = 1;
}

void CKivLeadSelectCtrl::OnDrawText()
{
    ResetDraw();
    m_bText = 1;
}

// Mouse --------------------------------------------------------------------------

void CKivLeadSelectCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    const bool tool = m_bPoint || m_bLine || m_bRect || m_bEllipse || m_bText;
    if (!m_pBitmap || !m_pBitmap->IsAllocated() || (!tool && !m_bSelectMode && !m_bSelectActive)) {
        CKivLeadEditCtrl::OnLButtonDown(flags, point);
        return;
    }
    const bool add = flags & kShiftKey;
    const bool subtract = !add && (QGuiApplication::keyboardModifiers() & Qt::AltModifier);
    m_nCombine = add ? KIVLEAD_RGN_OR : subtract ? KIVLEAD_RGN_ANDNOT : KIVLEAD_RGN_SET;
    if (!m_pBitmap->HasRegion())
        m_nCombine = KIVLEAD_RGN_SET;
    // With Shift or Alt held the press starts a shape that changes the
    // region; otherwise a press on an active selection picks it up or drops it.
    if (m_bSelectActive && m_nCombine == KIVLEAD_RGN_SET) {
        const QPoint at = toImage(point);
        if (!KivLeadIsPtInRegion(m_pBitmap, at.x(), at.y())) {
            m_bFloating = m_bSelectActive = 0;
            m_bSelectMode = 1;
            DeleteSelect();
            stopOutline();
            // A dropped selection leaves no region behind to limit later commands.
            m_pBitmap->FreeRegion();
            update();
            return;
        }
        const QRect bounds = GetSelectionBounds();
        m_region = m_pBitmap->Region().translated(-bounds.topLeft());
        m_ptFloat = bounds.topLeft();
        KivLeadCopyBitmapRect(GetSelectBitmap(), m_pBitmap, bounds.x(), bounds.y(), bounds.width(), bounds.height());
        stopOutline();
        m_pBitmap->FreeRegion();
        m_bFloating = 1;
        m_ptPrev = point;
    } else if (m_bSelectMode) {
        if (m_nCombine == KIVLEAD_RGN_SET) {
            InitSelect(m_nShape);
        } else {
            stopOutline();
            m_bSelectActive = 0;
        }
        m_points.clear();
        m_points.reserve(m_nShape == kShapeFreeHand ? 64 : 2);
        m_points.push_back(point);
    }
    m_ptDown = m_ptLast = point;
    m_bDrawing = 1;
}

void CKivLeadSelectCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bDrawing) {
        CKivLeadEditCtrl::OnMouseMove(flags, point);
        return;
    }
    if (m_bFloating) {
        // Nothing is drawn while dragging; the selection lands where it is dropped.
        m_ptFloat += toImage(point) - toImage(m_ptPrev);
        m_ptPrev = point;
        return;
    }
    if (m_bSelectMode && !m_points.empty()) {
        if (m_nShape == kShapeFreeHand) {
            if (m_points.size() < static_cast<std::size_t>(kMaxPoints))
                m_points.push_back(point);
        } else if (m_points.size() < 2) {
            m_points.push_back(point);
        } else {
            m_points[1] = point;
        }
    }
    m_ptLast = point;
    update();
}

void CKivLeadSelectCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_bDrawing) {
        CKivLeadEditCtrl::OnLButtonUp(flags, point);
        return;
    }
    m_bDrawing = 0;
    m_ptLast = point;
    if (m_bFloating) {
        dropSelection();
    } else if (m_bPoint || m_bLine || m_bRect || m_bEllipse || m_bText) {
        drawShape(point);
    } else if (m_bSelectMode && (m_points.size() >= 2 || (m_nShape == kShapeColor && !m_points.empty()))) {
        closeShape();
    } else {
        m_points.clear();
    }
}

void CKivLeadSelectCtrl::closeShape()
{
    const QPoint a = toImage(m_points.front());
    const QPoint b = toImage(m_points.back());
    const QRect r = spanned(a, b);
    int status = KIVLEAD_ERROR_INVALID_ARGUMENT;
    switch (m_nShape) {
    case kShapeRect: status = KivLeadSetRegionRect(m_pBitmap, r, m_nCombine); break;
    case kShapeEllipse: status = KivLeadSetRegionEllipse(m_pBitmap, r, m_nCombine); break;
    case kShapeRoundRect:
        status = KivLeadSetRegionRoundRect(m_pBitmap, r, r.width() / 4, r.height() / 4, m_nCombine);
        break;
    case kShapeFreeHand: {
        QPolygon polygon;
        for (const CPoint& p : m_points)
            polygon << toImage(p);
        status = KivLeadSetRegionPolygon(m_pBitmap, polygon, m_nCombine);
        break;
    }
    case kShapeColor: {
        COLORREF colour = 0;
        status = KivLeadGetPixel(m_pBitmap, a.x(), a.y(), &colour);
        if (status == KIVLEAD_SUCCESS)
            status = KivLeadSetRegionColor(m_pBitmap, colour, m_nCombine);
        break;
    }
    default: break;
    }
    m_points.clear();
    m_points.shrink_to_fit();
    const QRect bounds = GetSelectionBounds();
    if (status != KIVLEAD_SUCCESS || bounds.isEmpty()) {
        // Nothing is selected and nothing lifted.
        m_pBitmap->FreeRegion();
        m_bSelectActive = 0;
        update();
        return;
    }
    m_bSelectActive = 1;
    SetSelectRect(bounds.x() * m_nZoom / 100, bounds.y() * m_nZoom / 100, bounds.width(), bounds.height());
    m_ptFloat = bounds.topLeft();
    m_region = m_pBitmap->Region().translated(-bounds.topLeft());
    KivLeadCopyBitmapRect(GetSelectBitmap(), m_pBitmap, bounds.x(), bounds.y(), bounds.width(), bounds.height());
    KivLeadCopyBitmap(GetSelectCopy(), GetSelectBitmap());
    setCursor(Qt::ArrowCursor);
    startOutline();
}

namespace {

struct Paste {
    const QImage* image;
    QRegion clip;
    QPoint at;
};

void paste(QPainter& painter, void* context)
{
    const auto* p = static_cast<Paste*>(context);
    painter.setClipRegion(p->clip);
    painter.drawImage(p->at, *p->image);
}

struct Fill {
    QRegion clip;
    QColor colour;
};

void fill(QPainter& painter, void* context)
{
    const auto* f = static_cast<Fill*>(context);
    painter.setClipRegion(f->clip);
    painter.fillRect(f->clip.boundingRect(), f->colour);
}

} // namespace

void CKivLeadSelectCtrl::dropSelection()
{
    m_bFloating = 0;
    const QImage lifted = GetSelectBitmap()->PaintImage();
    // The lifted pixels land through the region's shape at the new place;
    // the place they came from keeps them, so a move copies.
    Paste p {&lifted, m_region.translated(m_ptFloat), m_ptFloat};
    BeginProcessing();
    const int status = KivLeadDrawInto(m_pBitmap, paste, &p);
    OnChanged(0);
    EndProcessing(status);
    m_pBitmap->SetRegion(m_region.translated(m_ptFloat) & QRegion(0, 0, m_pBitmap->Width(), m_pBitmap->Height()));
    if (m_pBitmap->HasRegion()) {
        const QRect bounds = GetSelectionBounds();
        SetSelectRect(bounds.x() * m_nZoom / 100, bounds.y() * m_nZoom / 100, bounds.width(), bounds.height());
        startOutline();
    } else {
        // Dropped wholly off the image: nothing is left selected.
        m_bSelectActive = 0;
        m_bSelectMode = 1;
        DeleteSelect();
    }
    update();
}

void CKivLeadSelectCtrl::FillSelection(COLORREF colour)
{
    if (!m_bSelectActive || !m_pBitmap || !m_pBitmap->HasRegion())
        return;
    Fill f {m_pBitmap->Region(), colorOf(colour)};
    BeginProcessing();
    const int status = KivLeadDrawInto(m_pBitmap, fill, &f);
    OnChanged(0);
    EndProcessing(status);
    InitSelect(m_nShape);
}

void CKivLeadSelectCtrl::OnColorFillBorder()
{
    COLORREF colour = GetDrawColor();
    if (m_bSelectActive && KivLeadDlgColor(this, &colour) == KIVLEAD_SUCCESS)
        FillSelection(colour);
}

void CKivLeadSelectCtrl::OnImageCrop()
{
    if (!m_bSelectActive || !m_pBitmap || !m_pBitmap->HasRegion())
        return;
    const QRect bounds = GetSelectionBounds();
    BeginProcessing();
    CLeadBitmap cropped;
    int status = KivLeadCopyBitmapRect(&cropped, m_pBitmap, bounds.x(), bounds.y(), bounds.width(), bounds.height());
    if (status == KIVLEAD_SUCCESS) {
        status = KivLeadCopyBitmap(m_pBitmap, &cropped);
        m_pBitmap->FreeRegion();
    }
    OnChanged(2);
    EndProcessing(status);
    m_bSelectActive = 0; // the region went with the old pixels
    InitSelect(m_nShape);
}

// Drawing tools ----------------------------------------------------------------------

namespace {

struct Shape {
    int tool; // 1 point, 2 line, 3 rectangle, 4 ellipse, 5 text
    QPoint from, to;
    QPen pen;
    QFont font;
    QString text;
};

void drawInto(QPainter& painter, void* context)
{
    const auto* s = static_cast<Shape*>(context);
    painter.setPen(s->pen);
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int grow = s->pen.width();
    const QRect r = spanned(s->from, s->to).adjusted(-grow, -grow, grow, grow);
    switch (s->tool) {
    case 1: painter.fillRect(QRect(s->to, QSize(1, 1)), s->pen.color()); break;
    case 2: painter.drawLine(s->from, s->to); break;
    case 3: painter.drawRect(r); break;
    case 4: painter.drawEllipse(r); break;
    case 5: {
        // Ten points high at the image's resolution.
        QFont font = s->font;
        const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
        font.setPixelSize(std::max(1, (10 * dpi + 36) / 72));
        painter.setFont(font);
        painter.drawText(QRect(s->to, QSize(1 << 16, 1 << 16)), Qt::AlignLeft | Qt::AlignTop, s->text);
        break;
    }
    default: break;
    }
}

} // namespace

void CKivLeadSelectCtrl::drawShape(CPoint to)
{
    Shape s;
    s.tool = m_bPoint ? 1 : m_bLine ? 2 : m_bRect ? 3 : m_bEllipse ? 4 : 5;
    s.from = toImage(m_ptDown);
    s.to = toImage(to);
    s.pen = QPen(colorOf(GetDrawColor()), m_nPenWidth,
        m_nPenStyle == 1       ? Qt::DashLine
            : m_nPenStyle == 2 ? Qt::DotLine
                               : Qt::SolidLine);
    s.font = m_font;
    s.text = m_strText;
    BeginProcessing();
    const int status = KivLeadDrawInto(m_pBitmap, drawInto, &s);
    OnChanged(0);
    EndProcessing(status);
}

// Painting -----------------------------------------------------------------------

void CKivLeadSelectCtrl::OnPaint()
{
    CKivLeadEditCtrl::OnPaint();
    if (!m_pBitmap || !m_pBitmap->IsAllocated())
        return;
    QPainter painter(this);
    const double scale = m_nZoom / 100.0;
    if (m_bSelectActive && m_pBitmap->HasRegion()) {
        // Moving dashes: black and white dashes that swap places as the phase steps.
        QPainterPath outline;
        outline.addRegion(m_pBitmap->Region());
        outline = outline.simplified();
        painter.save();
        painter.translate(m_ptOffset.x, m_ptOffset.y);
        painter.scale(scale, scale);
        QPen pen(Qt::black, 0);
        pen.setDashPattern({4, 4});
        pen.setDashOffset(m_nPhase);
        painter.setPen(pen);
        painter.drawPath(outline);
        pen.setColor(Qt::white);
        pen.setDashOffset(m_nPhase + 4);
        painter.setPen(pen);
        painter.drawPath(outline);
        painter.restore();
    }
    if (!m_bDrawing || m_bFloating)
        return;
    // The outline being dragged, inverting what it crosses.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(QRect(m_ptOffset.x, m_ptOffset.y, static_cast<int>(m_pBitmap->Width() * scale),
        static_cast<int>(m_pBitmap->Height() * scale)));
    const QRect r = spanned(QPoint(m_ptDown.x, m_ptDown.y), QPoint(m_ptLast.x, m_ptLast.y));
    if (m_bSelectMode && m_nShape == kShapeFreeHand) {
        QPolygon line;
        for (const CPoint& p : m_points)
            line << QPoint(p.x, p.y);
        painter.drawPolyline(line);
    } else if ((m_bSelectMode && m_nShape == kShapeEllipse) || m_bEllipse) {
        painter.drawEllipse(r);
    } else if (m_bSelectMode && m_nShape == kShapeRoundRect) {
        painter.drawRoundedRect(r, r.width() / 8.0, r.height() / 8.0);
    } else if (m_bLine) {
        painter.drawLine(m_ptDown.x, m_ptDown.y, m_ptLast.x, m_ptLast.y);
    } else if ((m_bSelectMode && m_nShape == kShapeRect) || m_bRect) {
        painter.drawRect(r);
    }
}

int CKivLeadSelectCtrl::OnAcquire(HWND)
{
    // The scan lands beside the image first, so a failed one changes nothing.
    CLeadBitmap scanned;
    const int status = KivLeadScanAcquireAny(m_strScanDevice.c_str(), &scanned);
    if (status != KIVLEAD_SUCCESS || !m_pBitmap)
        return status;
    ResetDraw();
    BeginProcessing();
    const int copied = KivLeadCopyBitmap(m_pBitmap, &scanned);
    OnChanged(2);
    EndProcessing(copied);
    return copied;
}
