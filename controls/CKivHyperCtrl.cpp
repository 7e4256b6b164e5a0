// SPDX-License-Identifier: MIT
#include "controls/CKivHyperCtrl.h"

#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"

#include <QFontMetrics>
#include <QPainter>

QCursor* CKivHyperCtrl::s_linkCursor = nullptr;

CKivHyperCtrl::CKivHyperCtrl(QWidget* parent) : CKivStatic(parent)
{
}

BOOL CKivHyperCtrl::Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    const BOOL created = CKivStatic::Create(text, style, rect, parent, id);
    PreSubclassWindow();
    return created;
}

void CKivHyperCtrl::PreSubclassWindow()
{
    if (m_strURL.empty())
        m_strURL = GetWindowText();
    m_linkFont = font();
    m_linkFont.setUnderline(true);
    setFont(m_linkFont);
    SetDefaultCursor();
    if (s_linkCursor)
        setCursor(*s_linkCursor);
    m_toolTip.Create(this);
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, m_strURL.c_str(), &client, kToolId);
}

void CKivHyperCtrl::SetDefaultCursor()
{
    if (!s_linkCursor)
        s_linkCursor = new QCursor(Qt::PointingHandCursor);
}

void CKivHyperCtrl::SetURL(const char* url)
{
    m_strURL = url ? url : "";
    hide();
    ResizeWindow();
    m_toolTip.UpdateTipText(m_strURL.c_str(), this, kToolId);
    show();
}

LRESULT CKivHyperCtrl::GotoURL(const char* url, int)
{
    if (!url)
        return 0;
    return RunProcess("xdg-open", {url}, false) == 0 ? 33 : 2; // 2: ERROR_FILE_NOT_FOUND
}

int CKivHyperCtrl::GotoLink()
{
    if (GotoURL(m_strURL.c_str(), SW_SHOW) <= 32) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 0;
    }
    return 1;
}

void CKivHyperCtrl::SetUnderline(int underline)
{
    m_linkFont = font();
    m_linkFont.setUnderline(underline != 0);
    setFont(m_linkFont);
    update();
}

void CKivHyperCtrl::ResizeWindow()
{
    const QFontMetrics metrics(font());
    const QString text = QString::fromStdString(GetWindowText());
    const int w = metrics.horizontalAdvance(text) + 1;
    const int h = std::max(metrics.height(), height());
    const QRect old = geometry();
    int left = old.left();
    const DWORD align = GetStyle() & 0x3;
    if (align == SS_CENTER)
        left = old.left() + (old.width() - w) / 2;
    else if (align == SS_RIGHT)
        left = old.left() + old.width() - w;
    setGeometry(left, old.top(), w, h);
}

void CKivHyperCtrl::OnPaint()
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(QColor(0, 0, 255));
    const DWORD align = GetStyle() & 0x3;
    const int flags = (align == SS_CENTER         ? Qt::AlignHCenter
                              : align == SS_RIGHT ? Qt::AlignRight
                                                  : Qt::AlignLeft)
        | Qt::AlignVCenter;
    painter.drawText(rect(), flags, QString::fromStdString(GetWindowText()));
}

void CKivHyperCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    CKivStatic::OnLButtonDown(flags, point);
    GotoLink();
}
