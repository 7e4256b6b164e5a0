// SPDX-License-Identifier: MIT
#include "cad/KivSlideDraw.h"

#include "cad/SlideLibrary_p.h"
#include "core/KivAciColor.h"
#include "platform/io/PathNoCase.h"
#include "platform/widgets/CWnd.h"

#include <cmath>

KivSlideDraw::KivSlideDraw() = default;

KivSlideDraw::~KivSlideDraw() = default;

namespace {

std::size_t nameStart(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? 0 : sep + 1;
}

} // namespace

int KivSlideDraw::Draw(CWnd* window, CDC* dc, const char* reference, int invert)
{
    if (!dc)
        return 0;
    beginDraw(window, dc);
    int code = OpenReference(reference);
    if (code == 0)
        code = drawOpenSlide();
    return endDraw(invert, code);
}

int KivSlideDraw::DrawBytes(
    CWnd* window, CDC* dc, const char* reference, const std::uint8_t* data, std::size_t size, int invert)
{
    if (!dc)
        return 0;
    beginDraw(window, dc);
    SetReference(reference);
    int code = 1;
    if (data && size) {
        OpenBytes(data, size);
        code = drawOpenSlide();
    } else {
        SetSlideError(1, reference, nullptr);
    }
    return endDraw(invert, code);
}

void KivSlideDraw::beginDraw(CWnd* window, CDC* dc)
{
    m_pWnd = window;
    m_pDC = dc;
    if (window)
        window->GetClientRect(&m_client);
    else
        m_client = dc->GetSurfaceRect();
    CRgn clip;
    clip.CreateRectRgnIndirect(m_client);
    dc->SelectClipRgn(&clip);
}

int KivSlideDraw::endDraw(int invert, int code)
{
    if (invert == 1) {
        const CSize ext = m_pDC->GetWindowExt();
        const CRect all(-2 * ext.cx, -2 * ext.cy, 2 * ext.cx, 2 * ext.cy);
        m_pDC->InvertRect(&all);
    }
    m_pDC->SelectClipRgn(nullptr);
    Close();
    return code;
}

int KivSlideDraw::OpenReference(const char* reference)
{
    SetReference(reference);
    return GetLibraryName()[0] ? openLibraryMember() : openSlideFile();
}

int KivSlideDraw::openSlideFile()
{
    // The name as given is tried first: "test.sld" must not open a
    // "TEST.SLD" beside it. Only then the upper-cased name of the original.
    std::string given = GetSlideName();
    const std::size_t start = nameStart(given);
    if (given.find('.', start) == std::string::npos) {
        given += ".SLD";
    } else if (MakeUpperName(given.c_str()).find(".SLD", start) == std::string::npos) {
        SetSlideError(3, nullptr, nullptr);
        return 3;
    }
    const std::string name = MakeUpperName(given.c_str());
    ByteSource bytes;
    std::string why;
    if (!slidelib::openWholeFile(given, bytes, &why)
        && !slidelib::openWholeFile(ResolvePathNoCase(name.c_str()), bytes)) {
        SetSlideError(1, name.c_str(), nullptr);
        SetSlideErrorReason(why);
        return 1;
    }
    OpenSource({}, std::move(bytes));
    return 0;
}

int KivSlideDraw::openLibraryMember()
{
    // "lib(door)" reads lib.SLB; a library named with its extension is taken as it is.
    std::string file = GetLibraryName();
    if (file.size() < 4 || CompareNoCase(file.c_str() + file.size() - 4, ".slb") != 0)
        file += ".SLB";
    const std::string slide = MakeUpper(GetSlideName());
    ByteSource library, bytes;
    if (const int code = slidelib::openSlideFromLibraryFile(file, file, slide.c_str(), library, bytes))
        return code;
    OpenSource(std::move(library), std::move(bytes));
    return 0;
}

int KivSlideDraw::drawOpenSlide()
{
    short highX = 0, highY = 0;
    const int header = GetSlideSize(&highX, &highY);
    const int x = static_cast<std::uint16_t>(highX);
    const int y = static_cast<std::uint16_t>(highY);

    int ended = 0;
    LogicalMapping mapping;
    if (FitMapping(x, y, GetAspectRatio(), m_client, mapping)) {
        m_pDC->SetMapping(mapping);
        m_pen.CreatePen(PS_SOLID, 0, 0xFFFFFF);
        m_brush.CreateSolidBrush(0xFFFFFF);
        CPen* oldPen = m_pDC->SelectObject(&m_pen);
        CBrush* oldBrush = m_pDC->SelectObject(&m_brush);
        KivSlidePoint last {static_cast<std::uint16_t>(m_nLastX), static_cast<std::uint16_t>(m_nLastY)};
        ended = DecodeRecords(*this, last);
        m_nLastX = last.x;
        m_nLastY = last.y;
        m_pDC->SelectObject(oldPen);
        m_pDC->SelectObject(oldBrush);
    }
    if (ended)
        return header;
    SetSlideError(2, nullptr, nullptr);
    return 2;
}

void KivSlideDraw::SlideLine(KivSlidePoint from, KivSlidePoint to)
{
    if (from == to) {
        // An empty line still shows: one pixel in the pen's colour.
        m_pDC->SetPixel(from.x, from.y, m_pen.m_color);
        return;
    }
    m_pDC->MoveTo(from.x, from.y);
    m_pDC->LineTo(to.x, to.y);
}

void KivSlideDraw::SlidePolygon(const std::vector<KivSlidePoint>& vertices)
{
    m_points.clear();
    for (const auto& v : vertices)
        m_points.emplace_back(v.x, v.y);
    m_pDC->SetPolyFillMode(WINDING);
    m_pDC->Polygon(m_points.data(), static_cast<int>(m_points.size()));
}

void KivSlideDraw::SlideColor(int aci)
{
    const COLORREF rgb = aci == 0 ? m_crBack : static_cast<COLORREF>(KivAciColor::GetRGB(aci));
    m_pen.CreatePen(PS_SOLID, 0, rgb);
    m_brush.CreateSolidBrush(rgb);
}
