#include "dialogs/CKivDrawingViewCtrl.h"

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

const char* CKivDrawingViewCtrl::GetNotice() const
{
    if (IsLoading())
        return kLoading;
    return GetPreviewImage().isNull() ? kNoPreview : "";
}

void CKivDrawingViewCtrl::OnPaint()
{
    CKivDwgPreviewCtrl::OnPaint();
    const char* notice = GetNotice();
    if (!*notice)
        return;
    QPainter painter(this);
    // Light text on a dark back colour, dark on a light one.
    const COLORREF back = GetInvert() == 1 ? (~m_crViewBack & 0xFFFFFF) : m_crViewBack;
    const int luma = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
    painter.setPen(luma < 128 ? QColor(224, 224, 224) : QColor(64, 64, 64));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(notice));
}
