#include "platform/CStatic.h"

#include <QPainter>

CStatic::CStatic(QWidget* parent) : CWnd(parent)
{
}

BOOL CStatic::Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    SetWindowText(text);
    return CWnd::Create(style | WS_CHILD, rect, parent, id);
}

void CStatic::OnPaint()
{
    QPainter painter(this);
    int flags = Qt::TextWordWrap;
    const DWORD style = GetStyle();
    flags |= (style & 0x3) == SS_CENTER ? Qt::AlignHCenter : (style & 0x3) == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    painter.drawText(rect(), flags, QString::fromStdString(GetWindowText()));
}
