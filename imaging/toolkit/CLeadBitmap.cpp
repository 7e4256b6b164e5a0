// SPDX-License-Identifier: MIT
#include "imaging/toolkit/CLeadBitmap.h"

#include "imaging/toolkit/LeadBitmapData_p.h"

CLeadBitmap::CLeadBitmap() : m_d(std::make_unique<LeadBitmapData>())
{
}

CLeadBitmap::~CLeadBitmap() = default;

bool CLeadBitmap::IsAllocated() const
{
    return m_d->allocated;
}

int CLeadBitmap::Width() const
{
    return m_d->allocated ? static_cast<int>(m_d->image.columns()) : 0;
}

int CLeadBitmap::Height() const
{
    return m_d->allocated ? static_cast<int>(m_d->image.rows()) : 0;
}

int CLeadBitmap::BitsPerPixel() const
{
    return m_d->allocated ? m_d->bits : 0;
}

int CLeadBitmap::ViewPerspective() const
{
    return m_d->perspective;
}

void CLeadBitmap::SetViewPerspective(int perspective)
{
    m_d->perspective = perspective;
}

static bool rotatedPerspective(int p)
{
    return p == 4 || p == 5 || p == 7 || p == 8;
}

int CLeadBitmap::DisplayWidth() const
{
    return rotatedPerspective(m_d->perspective) ? Height() : Width();
}

int CLeadBitmap::DisplayHeight() const
{
    return rotatedPerspective(m_d->perspective) ? Width() : Height();
}

const QImage& CLeadBitmap::PaintImage() const
{
    if (m_d->paintValid || !m_d->allocated)
        return m_d->paint;
    m_d->paintValid = true;
    m_d->paint = QImage();
    try {
        // Exporting is not const in the library; a copy shares the pixels.
        Magick::Image image = m_d->image;
        const int w = static_cast<int>(image.columns());
        const int h = static_cast<int>(image.rows());
        const bool alpha = image.matte();
        QImage out(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (out.isNull())
            return m_d->paint;
        // A 32-bit QImage row is exactly width × 4 bytes, so one export
        // fills it; an opaque image exports alpha 255, as RGB32 wants.
        image.write(0, 0, w, h, "BGRA", Magick::CharPixel, out.bits());
        if (alpha)
            out.convertTo(QImage::Format_ARGB32_Premultiplied);
        m_d->paint = std::move(out);
        ++m_d->paintBuilds;
    } catch (...) {
        m_d->paint = QImage();
    }
    return m_d->paint;
}

int CLeadBitmap::PaintImageBuilds() const
{
    return m_d->paintBuilds;
}

bool CLeadBitmap::HasRegion() const
{
    return !m_d->region.isEmpty();
}

const QRegion& CLeadBitmap::Region() const
{
    return m_d->region;
}

void CLeadBitmap::SetRegion(const QRegion& region)
{
    m_d->region = region;
}

void CLeadBitmap::FreeRegion()
{
    m_d->region = QRegion();
}

void CLeadBitmap::SetChangeInPlace(bool inPlace)
{
    m_d->inPlace = inPlace;
}
