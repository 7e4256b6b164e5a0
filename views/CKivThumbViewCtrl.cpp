// SPDX-License-Identifier: MIT
#include "views/CKivThumbViewCtrl.h"

#include "core/KivUtil.h"
#include "platform/base/Translation.h"
#include "views/CKivDwgPreviewCtrl.h"

#include <QPainter>

#include <algorithm>

CKivThumbViewCtrl::CKivThumbViewCtrl(QWidget* parent) : CKivStatic(parent)
{
}

CKivThumbViewCtrl::~CKivThumbViewCtrl() = default;

int CKivThumbViewCtrl::GetFileType(const char* file)
{
    if (!file || !*file)
        return 0;
    // A library member: library(slide), also when the library is named
    // with its extension ("lib.slb(door)", whose "extension" runs to the
    // end of the name).
    const CString name = KivUtil::GetFileName(file);
    if (!name.empty() && name.back() == ')' && name.find('(') != CString::npos)
        return 1;
    const CString ext = KivUtil::GetFileExt(file);
    if (CompareNoCase(ext.c_str(), ".sld") == 0)
        return 1;
    if (CompareNoCase(ext.c_str(), ".dwg") == 0)
        return 2;
    if (CompareNoCase(ext.c_str(), ".dxf") == 0)
        return 3;
    return 0;
}

void CKivThumbViewCtrl::repaint(int redraw)
{
    if (redraw == 1)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The preview of the drawing in the current colours, read once per state:
// paints draw what was read and never touch the file.
void CKivThumbViewCtrl::readPreview()
{
    const int inverted = GetInvert() == 1 ? 1 : 0;
    if (!m_pDwgPreview || m_previewRead[inverted])
        return;
    m_preview[inverted] = ReadPreview(*m_pDwgPreview, m_strFileName.c_str(), m_crImageBack, inverted);
    m_previewRead[inverted] = true;
}

void CKivThumbViewCtrl::SetInvert(int invert, int redraw)
{
    CKivStatic::SetInvert(invert, 0);
    readPreview();
    repaint(redraw);
}

void CKivThumbViewCtrl::dropPreview()
{
    for (int i = 0; i < 2; ++i) {
        m_preview[i] = QImage();
        m_previewRead[i] = false;
    }
}

int CKivThumbViewCtrl::SetFileName(const char* file, int redraw)
{
    m_strFileName = file ? file : "";
    const int type = GetFileType(m_strFileName.c_str());
    m_pDxf.reset();
    if (type == 3) {
        m_pDxf = std::make_unique<KivDxfDraw>();
        if (!m_pDxf->Open(m_strFileName.c_str()))
            m_pDxf.reset();
    }
    if (type != m_nFileType) {
        m_pSlide.reset();
        m_pDwgPreview.reset();
        m_nFileType = type;
        if (type == 1)
            m_pSlide = std::make_unique<KivSlideDraw>();
        else if (type == 2)
            m_pDwgPreview = std::make_unique<KivDwgPreview>();
    }
    m_slideBytes.reset();
    dropPreview();
    if (m_pSlide) {
        m_pSlide->SetReference(m_strFileName.c_str());
        if (m_pShelf) {
            m_slideBytes = m_pShelf->Get(m_strFileName.c_str());
        } else {
            KivSlideShelf own;
            m_slideBytes = own.Get(m_strFileName.c_str());
        }
    }
    readPreview();
    repaint(redraw);
    return type >= 1 && type <= 3 ? 1 : 0;
}

void CKivThumbViewCtrl::SetBackColor(COLORREF colour, int redraw)
{
    m_crBack = colour;
    repaint(redraw);
}

void CKivThumbViewCtrl::SetImageBackColor(COLORREF colour, int redraw)
{
    if (colour != m_crImageBack)
        dropPreview();
    m_crImageBack = colour;
    readPreview();
    repaint(redraw);
}

void CKivThumbViewCtrl::SetAutoSize(int autoSize, int redraw)
{
    m_bAutoSize = autoSize;
    if (m_pDwgPreview)
        repaint(redraw);
}

QImage CKivThumbViewCtrl::ReadPreview(KivDwgPreview& reader, const char* file, COLORREF imageBack, int invert)
{
    if (!file || !*file || KivDwgPreview::IsAddress(file))
        return {};
    if (!reader.Open(file) || !reader.HasPreviewVersion()) {
        reader.Close();
        return {};
    }
    QImage image = reader.ReadImage(invert == 1 ? 0xFFFFFF - (imageBack & 0xFFFFFF) : imageBack);
    reader.Close();
    return image;
}

namespace {

// A drawing that carries no preview picture: a sheet with a folded corner
// and "No preview" in a grey that stands off the back colour, where a bare
// cell of the back colour would look like a drawing of nothing.
void paintNoPreview(CDC& dc, const CRect& client, COLORREF back)
{
    dc.FillSolidRect(client, back);
    QPainter* painter = dc.GetPainter();
    if (!painter || client.Width() < 8 || client.Height() < 8)
        return;
    const int level = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
    const QColor ink = level > 128 ? QColor(110, 110, 110) : QColor(170, 170, 170);
    // A tall, narrow pane gets a sheet its width holds, not its height.
    const int h = std::min(client.Height() * 2 / 5, client.Width() * 8 / 15), w = h * 3 / 4, fold = std::max(w / 4, 2);
    const QPoint corner(client.left + (client.Width() - w) / 2, client.top + client.Height() / 2 - h * 3 / 4);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(ink, 1));
    painter->setBrush(Qt::NoBrush);
    const QPolygon sheet(
        {corner, corner + QPoint(w - fold, 0), corner + QPoint(w, fold), corner + QPoint(w, h), corner + QPoint(0, h)});
    painter->drawPolygon(sheet);
    painter->drawPolyline(
        QPolygon({corner + QPoint(w - fold, 0), corner + QPoint(w - fold, fold), corner + QPoint(w, fold)}));
    QFont font = painter->font();
    font.setPixelSize(std::clamp(client.Height() / 9, 8, 14));
    painter->setFont(font);
    painter->setPen(ink);
    const QRect below(client.left, corner.y() + h + 2, client.Width(), client.bottom - corner.y() - h - 2);
    painter->drawText(below, Qt::AlignHCenter | Qt::AlignTop, KivTranslateText("Dialog", "No preview"));
    painter->restore();
}

} // namespace

void CKivThumbViewCtrl::Paint(CDC& dc, const CRect& client, int fileType, KivSlideDraw* slide, const char* file,
    const std::vector<std::uint8_t>* slideBytes, const QImage& preview, COLORREF back, int autoSize, int invert,
    const KivDxfDraw* drawing)
{
    if (fileType == 2 && preview.isNull()) {
        paintNoPreview(dc, client, back);
        if (invert == 1)
            dc.InvertRect(&client);
        return;
    }
    if (fileType == 2) {
        CKivDwgPreviewCtrl::Paint(dc, client, preview, back, autoSize, invert);
        return;
    }
    dc.FillSolidRect(client, back);
    if (fileType == 3 && drawing)
        drawing->Paint(dc, client, back, true);
    if (fileType == 1 && slide) {
        slide->SetBackColor(back);
        slide->DrawBytes(
            nullptr, &dc, file, slideBytes ? slideBytes->data() : nullptr, slideBytes ? slideBytes->size() : 0, 0);
        dc.SetMapMode(MM_TEXT);
        dc.SetViewportOrg(0, 0);
    }
    if (invert == 1)
        dc.InvertRect(&client);
}

void CKivThumbViewCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int inverted = m_bInvert == 1 ? 1 : 0;
    Paint(dc, client, m_nFileType, m_pSlide.get(), m_strFileName.c_str(), m_slideBytes.get(), m_preview[inverted],
        m_crBack, m_bAutoSize, inverted, m_pDxf.get());
}

void CKivThumbViewCtrl::postMouse(UINT message, CPoint point)
{
    PostMessageToParent(message, reinterpret_cast<WPARAM>(static_cast<QWidget*>(this)),
        static_cast<LPARAM>(
            (static_cast<std::uint32_t>(point.y) << 16) + static_cast<std::uint32_t>(point.x & 0xFFFF)));
}

void CKivThumbViewCtrl::OnLButtonUp(UINT, CPoint point)
{
    postMouse(WM_LBUTTONUP, point);
}

void CKivThumbViewCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    postMouse(WM_LBUTTONDBLCLK, point);
    PostNotifyToParent(kDoubleClickCode, 0);
}

void CKivThumbViewCtrl::OnRButtonDown(UINT, CPoint point)
{
    postMouse(WM_RBUTTONDOWN, point);
}

void CKivThumbViewCtrl::OnRButtonUp(UINT, CPoint point)
{
    postMouse(WM_RBUTTONUP, point);
}

void CKivThumbViewCtrl::OnRButtonDblClk(UINT, CPoint point)
{
    postMouse(WM_RBUTTONDBLCLK, point);
}
