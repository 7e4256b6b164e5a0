// SPDX-License-Identifier: MIT
#include "cad/KivSlideRaster.h"

#include "core/KivAciColor.h"

int KivSlideRaster::Draw(KivSlideFile& slide, KivRaster& raster, COLORREF back)
{
    raster.Fill(back);
    const int header = slide.ReadHeader();
    if (header == 3)
        return 3;
    m_raster = &raster;
    m_back = back;
    m_colour = 0xFFFFFF;
    m_mapping = LogicalMapping();
    int ended = 0;
    const CRect client(0, 0, raster.Width(), raster.Height());
    if (!raster.IsEmpty()
        && KivSlideFile::FitMapping(slide.GetHighX(), slide.GetHighY(), slide.GetAspectRatio(), client, m_mapping)) {
        KivSlidePoint last;
        ended = slide.DecodeRecords(*this, last);
    }
    m_raster = nullptr;
    if (ended)
        return header;
    KivSlideFile::SetSlideError(2, nullptr, nullptr);
    return 2;
}

void KivSlideRaster::SlideLine(KivSlidePoint from, KivSlidePoint to)
{
    const CPoint a = m_mapping.ToDevice(from.x, from.y);
    if (from == to) {
        // An empty line still shows: one pixel in the pen's colour.
        m_raster->SetPixel(a.x, a.y, m_colour);
        return;
    }
    m_raster->Line(a, m_mapping.ToDevice(to.x, to.y), m_colour);
}

void KivSlideRaster::SlidePolygon(const std::vector<KivSlidePoint>& vertices)
{
    m_points.clear();
    for (const auto& v : vertices)
        m_points.push_back(m_mapping.ToDevice(v.x, v.y));
    m_raster->Polygon(m_points, m_colour);
}

void KivSlideRaster::SlideColor(int aci)
{
    m_colour = aci == 0 ? m_back : static_cast<COLORREF>(KivAciColor::GetRGB(aci));
}
