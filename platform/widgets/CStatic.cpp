// SPDX-License-Identifier: MIT
#include "platform/widgets/CStatic.h"

#include <QIcon>
#include <QPainter>

#include <algorithm>

CStatic::CStatic(QWidget* parent) : CWnd(parent)
{
}

BOOL CStatic::Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    SetWindowText(text);
    return CWnd::Create(style | WS_CHILD, rect, parent, id);
}

HICON CStatic::SetIcon(HICON icon)
{
    const HICON previous = m_icon;
    m_icon = icon;
    update();
    return previous;
}

void CStatic::OnPaint()
{
    QPainter painter(this);
    const DWORD type = GetStyle() & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ) {
        const int y = std::max(0, height() / 2 - 1); // a 2-pixel line fills its window
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(0, y, width() - 1, y);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, y + 1, width() - 1, y + 1);
        return;
    }
    if (m_icon || type == SS_ICON) {
        if (m_icon && !m_icon->isNull())
            m_icon->paint(&painter, QRect(0, 0, std::min(width(), 32), std::min(height(), 32)));
        return;
    }
    int flags = Qt::TextWordWrap;
    const DWORD style = GetStyle();
    // "&Name:" underlines the N and "&&" is one '&', unless SS_NOPREFIX.
    if (!(style & SS_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    flags |= (style & 0x3) == SS_CENTER ? Qt::AlignHCenter : (style & 0x3) == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    painter.drawText(rect(), flags, QString::fromStdString(GetWindowText()));
}
