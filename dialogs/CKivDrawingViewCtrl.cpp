// SPDX-License-Identifier: MIT
#include "dialogs/CKivDrawingViewCtrl.h"

#include "platform/io/PathPieces.h"

#include <QPainter>

CKivDrawingViewCtrl::CKivDrawingViewCtrl(QWidget* parent) : CKivDwgPreviewCtrl(parent)
{
}

CKivDrawingViewCtrl::~CKivDrawingViewCtrl() = default;

void CKivDrawingViewCtrl::SetColors(COLORREF back, COLORREF imageBack)
{
    m_crViewBack = back;
    SetBackColor(back);
    SetImageBackColor(imageBack);
}

void CKivDrawingViewCtrl::SetFile(const char* path)
{
    const CString ext = SplitPath(path ? path : "").ext;
    m_isDxf = CompareNoCase(ext.c_str(), ".dxf") == 0 && !KivDwgPreview::IsAddress(path);
    m_dxf.reset();
    if (!m_isDxf) {
        CKivDwgPreviewCtrl::SetFile(path);
        return;
    }
    CKivDwgPreviewCtrl::SetFile("");
    m_dxf = std::make_unique<KivDxfDraw>();
    if (!m_dxf->Open(path))
        m_dxf.reset();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
}

const char* CKivDrawingViewCtrl::GetNotice() const
{
    if (m_isDxf) {
        if (!m_dxf)
            return kNoDrawing;
        return m_dxf->GetScene().GetShapes().empty() && m_dxf->GetScene().GetLabels().empty() ? kEmpty : "";
    }
    if (IsLoading())
        return kLoading;
    return GetPreviewImage().isNull() ? kNoPreview : "";
}

void CKivDrawingViewCtrl::OnPaint()
{
    const COLORREF back = GetInvert() == 1 ? (~m_crViewBack & 0xFFFFFF) : m_crViewBack;
    if (m_isDxf) {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, back);
        if (m_dxf)
            m_dxf->Paint(dc, client, back, false);
    } else {
        CKivDwgPreviewCtrl::OnPaint();
    }
    const char* notice = GetNotice();
    if (!*notice)
        return;
    QPainter painter(this);
    // Light text on a dark back colour, dark on a light one.
    const int luma = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
    painter.setPen(luma < 128 ? QColor(224, 224, 224) : QColor(64, 64, 64));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(notice));
}
