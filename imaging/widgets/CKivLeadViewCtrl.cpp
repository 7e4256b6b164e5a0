// SPDX-License-Identifier: MIT
#include "imaging/widgets/CKivLeadViewCtrl.h"

#include "imaging/devices/KivLeadDevices.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <string>

namespace {

// Win32's MulDiv: the product in 64 bits, rounded half away from zero.
int mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const long long p = static_cast<long long>(number) * numerator;
    const long long half = std::abs(static_cast<long long>(denominator)) / 2;
    const long long r = ((p < 0) != (denominator < 0) ? p - half : p + half) / denominator;
    return static_cast<int>(std::clamp<long long>(r, INT32_MIN, INT32_MAX));
}

// Steps of a transition; the delay passes between them.
constexpr int kTransitionSteps = 16;

} // namespace

CKivLeadViewCtrl::CKivLeadViewCtrl(QWidget* parent) : CKivStatic(parent)
{
    AttachBitmap(nullptr); // a blank image of its own
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CKivLeadViewCtrl::~CKivLeadViewCtrl()
{
    DeleteBitmap();
}

void CKivLeadViewCtrl::DeleteBitmap()
{
    if (m_bOwnsBitmap)
        delete m_pBitmap;
    m_pBitmap = nullptr;
    m_bOwnsBitmap = true;
}

void CKivLeadViewCtrl::AttachBitmap(CLeadBitmap* shown)
{
    DeleteBitmap();
    if (shown) {
        m_pBitmap = shown;
        m_bOwnsBitmap = false;
    } else {
        m_pBitmap = new CLeadBitmap;
        KivLeadCreateBitmap(m_pBitmap, 1, 1, 24, RGB(255, 255, 255));
    }
    ImageChanged();
}

void CKivLeadViewCtrl::SetFileName(const char* file, int center, int fit)
{
    m_bCenter = center;
    m_bFit = fit;
    m_strFile = file ? file : "";
    DeleteBitmap();
    m_pBitmap = new CLeadBitmap;
    KivLeadLoadFile(m_strFile.c_str(), m_pBitmap, 0, 1);
    m_ptOffset = CPoint(0, 0);
    ImageChanged();
}

void CKivLeadViewCtrl::SetZoom(int zoom)
{
    m_nZoom = std::max(1, zoom);
}

void CKivLeadViewCtrl::ZoomIn()
{
    SetZoom(m_nZoom + m_nZoomStep);
}

void CKivLeadViewCtrl::ZoomOut()
{
    SetZoom(m_nZoom - m_nZoomStep);
}

void CKivLeadViewCtrl::ZoomFit()
{
    if (!m_pBitmap)
        return;
    const int w = m_pBitmap->DisplayWidth();
    const int h = m_pBitmap->DisplayHeight();
    if (w < 1 || h < 1)
        return;
    CRect client;
    GetClientRect(&client);
    const long long zx = static_cast<long long>(client.Width()) * 100 / w;
    const long long zy = static_cast<long long>(client.Height()) * 100 / h;
    m_nZoom = static_cast<int>(std::clamp<long long>(std::min(zx, zy), 1, INT32_MAX));
    m_rcPaint = CRect(0, 0, mulDiv(w, m_nZoom, 100), mulDiv(h, m_nZoom, 100));
}

void CKivLeadViewCtrl::SetEffect(int effect, int delay)
{
    m_nEffect = effect;
    m_nDelay = std::max(0, delay);
    ImageChanged();
}

void CKivLeadViewCtrl::Offset(int dx, int dy)
{
    m_ptOffset.x += dx;
    m_ptOffset.y += dy;
}

CSize CKivLeadViewCtrl::GetSize() const
{
    if (!m_pBitmap)
        return CSize(0, 0);
    return CSize(m_pBitmap->DisplayWidth() * m_nZoom / 100, m_pBitmap->DisplayHeight() * m_nZoom / 100);
}

CSize CKivLeadViewCtrl::GetScrollLimit() const
{
    if (m_bFit == 1) // fitted, whatever zoom the last paint left
        return CSize(0, 0);
    const CSize shown = GetSize();
    return CSize(std::max(0, shown.cx - width()), std::max(0, shown.cy - height()));
}

CPoint CKivLeadViewCtrl::GetScrollPosition() const
{
    const CSize limit = GetScrollLimit();
    return CPoint(limit.cx > 0 ? -m_ptOffset.x : 0, limit.cy > 0 ? -m_ptOffset.y : 0);
}

void CKivLeadViewCtrl::ScrollToPosition(CPoint position)
{
    const CSize limit = GetScrollLimit();
    m_ptOffset = CPoint(-std::clamp(position.x, 0, limit.cx), -std::clamp(position.y, 0, limit.cy));
    update();
}

int CKivLeadViewCtrl::CopyBitmap(CLeadBitmap* bitmap) const
{
    return m_pBitmap ? KivLeadCopyBitmap(bitmap, m_pBitmap) : KIVLEAD_ERROR_INVALID_ARGUMENT;
}

void CKivLeadViewCtrl::PrintBitmap()
{
    if (m_pBitmap && m_pBitmap->IsAllocated())
        KivLeadPrint(m_pBitmap);
}

int CKivLeadViewCtrl::DisplayError(int code)
{
    if (code != KIVLEAD_SUCCESS) {
        const std::string text = "Error has occured.\nCODE = " + std::to_string(code);
        MessageBox(
            this, text.c_str(), QCoreApplication::applicationName().toUtf8().constData(), MB_OK | MB_ICONEXCLAMATION);
    }
    return code;
}

int CKivLeadViewCtrl::EffectGrain(long long area)
{
    if (area <= 10000)
        return 1;
    if (area <= 40000)
        return 2;
    if (area <= 160000)
        return 4;
    if (area <= 640000)
        return 8;
    if (area <= 1440000)
        return 16;
    return 32;
}

void CKivLeadViewCtrl::ImageChanged()
{
    m_shownKey = 0;
}

const QImage& CKivLeadViewCtrl::oriented()
{
    const QImage& paint = m_pBitmap->PaintImage();
    const int perspective = m_pBitmap->ViewPerspective();
    if (perspective == 0)
        return paint;
    if (m_orientedKey != paint.cacheKey() || m_orientedPerspective != perspective) {
        // Bottom-left rows run upward; the rotated perspectives turn the
        // picture a quarter (4, 5) or three quarters (7, 8), 5 and 8 mirrored.
        QTransform turn;
        if (perspective == 4 || perspective == 5)
            turn.rotate(90);
        else if (perspective == 7 || perspective == 8)
            turn.rotate(270);
        QImage out = perspective == 2 ? paint.mirrored(false, true) : paint.transformed(turn);
        if (perspective == 5 || perspective == 8)
            out = out.mirrored(true, false);
        m_oriented = std::move(out);
        m_orientedKey = paint.cacheKey();
        m_orientedPerspective = perspective;
    }
    return m_oriented;
}

const QImage& CKivLeadViewCtrl::scaledFor(int width, int height)
{
    const QImage& source = oriented();
    const unsigned mode = KivLeadGetDisplayMode()
        & (KIVLEAD_DISPLAY_SCALING | KIVLEAD_DISPLAY_FAVORBLACK | KIVLEAD_DISPLAY_SCALETOGRAY);
    if (m_scaledKey != source.cacheKey() || m_scaledMode != mode || m_scaled.width() != width
        || m_scaled.height() != height) {
        const bool bitonal = m_pBitmap && m_pBitmap->BitsPerPixel() == 1;
        CLeadBitmap black;
        if (bitonal && (mode & KIVLEAD_DISPLAY_FAVORBLACK) && KivLeadCopyBitmap(&black, m_pBitmap) == KIVLEAD_SUCCESS
            && m_pBitmap->ViewPerspective() == 0
            && KivLeadResize(&black, width, height, KIVLEAD_RESIZE_FAVORBLACK) == KIVLEAD_SUCCESS) {
            m_scaled = black.PaintImage();
        } else {
            const bool smooth = (mode & KIVLEAD_DISPLAY_SCALING) || (bitonal && (mode & KIVLEAD_DISPLAY_SCALETOGRAY));
            m_scaled = source.scaled(
                width, height, Qt::IgnoreAspectRatio, smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
        }
        m_scaledKey = source.cacheKey();
        m_scaledMode = mode;
    }
    return m_scaled;
}

void CKivLeadViewCtrl::Paint(QPainter& painter, const CRect& client)
{
    const QRect area(client.left, client.top, client.Width(), client.Height());
    painter.fillRect(area, palette().window());
    if (!m_pBitmap || !m_pBitmap->IsAllocated())
        return;
    if (m_bFit == 1)
        ZoomFit();
    const int dw = mulDiv(m_pBitmap->DisplayWidth(), m_nZoom, 100);
    const int dh = mulDiv(m_pBitmap->DisplayHeight(), m_nZoom, 100);
    int cx = (client.Width() - dw) / 2;
    int cy = (client.Height() - dh) / 2;
    if (m_bEditable == 0) {
        cx = std::max(cx, 0);
        cy = std::max(cy, 0);
    }
    if (m_bCenter != 1)
        cx = cy = 0;
    QRect dest(0, 0, dw, dh);
    if (m_bStoreOffset == 1) {
        dest.translate(m_ptOffset.x, m_ptOffset.y);
    } else {
        dest.translate(cx, cy);
        m_ptOffset = CPoint(cx, cy);
    }
    const QRect visible = dest.intersected(area);
    if (visible.isEmpty() || dw < 1 || dh < 1)
        return;
    const QImage& image = oriented();
    if (image.isNull())
        return;
    painter.save();
    painter.setClipRect(visible);
    if (m_transition && m_transition->isActive()) {
        if (m_nEffect == 3)
            painter.setOpacity(m_progress);
        // The wipes uncover whole bands, wider on a larger picture.
        const int grain = EffectGrain(static_cast<long long>(dw) * dh);
        if (m_nEffect == 1)
            painter.setClipRect(
                QRect(dest.left(), dest.top(), int(dw * m_progress) / grain * grain, dh), Qt::IntersectClip);
        else if (m_nEffect == 2)
            painter.setClipRect(
                QRect(dest.left(), dest.top(), dw, int(dh * m_progress) / grain * grain), Qt::IntersectClip);
    }
    if (m_nZoom < 100) {
        // The whole image at this zoom, made once; a repaint copies pixels.
        const QImage& scaled = scaledFor(dw, dh);
        painter.drawImage(visible.topLeft(), scaled, visible.translated(-dest.topLeft()));
    } else {
        // Only the pixels under the visible part, stretched by the painter.
        const double f = 100.0 / m_nZoom;
        // Enlarged pixels stay sharp unless bicubic painting is asked for.
        painter.setRenderHint(
            QPainter::SmoothPixmapTransform, (KivLeadGetDisplayMode() & KIVLEAD_DISPLAY_BICUBIC) != 0);
        const QRectF from((visible.left() - dest.left()) * f, (visible.top() - dest.top()) * f, visible.width() * f,
            visible.height() * f);
        painter.drawImage(QRectF(visible), image, from);
    }
    painter.restore();
}

void CKivLeadViewCtrl::stepTransition()
{
    m_progress = std::min(1.0, m_progress + 1.0 / kTransitionSteps);
    if (m_progress >= 1.0)
        m_transition->stop();
    update();
}

void CKivLeadViewCtrl::OnPaint()
{
    if (!m_pBitmap)
        return;
    const bool effect = m_nEffect == 1 || m_nEffect == 2 || m_nEffect == 3;
    const qint64 key = m_pBitmap->PaintImage().cacheKey();
    if (effect && key != m_shownKey && !(m_transition && m_transition->isActive())) {
        // A new picture comes in with the transition; later paints are plain.
        if (!m_transition) {
            m_transition = new QTimer(this);
            QObject::connect(m_transition, &QTimer::timeout, this, [this] { stepTransition(); });
        }
        m_progress = 0.0;
        m_transition->start(std::max(1, m_nDelay));
    }
    m_shownKey = key;
    QPainter painter(this);
    CRect client;
    GetClientRect(&client);
    Paint(painter, client);
}

void CKivLeadViewCtrl::MatchAspectRatio(CRect* rect, int width, int height)
{
    if (!rect || width <= 0 || height <= 0)
        return;
    const long long w = rect->Width(), h = rect->Height();
    long long fw = w, fh = h;
    if (w * height > h * width)
        fw = h * width / height; // too wide: the height decides
    else
        fh = w * height / width;
    const int left = rect->left + static_cast<int>((w - fw) / 2);
    const int top = rect->top + static_cast<int>((h - fh) / 2);
    *rect = CRect(left, top, left + static_cast<int>(fw), top + static_cast<int>(fh));
}
