// SPDX-License-Identifier: MIT
#include "controls/CKivThumbCtrl.h"

#include "core/KivUtil.h"
#include "platform/gdi/CDC.h"

#include <QContextMenuEvent>
#include <QPalette>

#include <algorithm>

namespace {

// The caption label's light yellow.
constexpr COLORREF kLabelColor = RGB(255, 255, 221);
constexpr COLORREF kShadowColor = RGB(64, 64, 64);

COLORREF colorOf(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace

CKivThumbCtrl::CKivThumbCtrl(int labelState, QWidget* parent) : CKivStatic(parent), m_nLabelState(labelState)
{
}

CKivThumbCtrl::~CKivThumbCtrl()
{
    DeleteThumb();
}

BOOL CKivThumbCtrl::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    if (!CKivStatic::Create(style, rect, parent, id))
        return FALSE;
    m_toolTip.Create(this);
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, "", &client, kToolId);
    return TRUE;
}

void CKivThumbCtrl::DestroyWindow()
{
    DeleteThumb();
    hide();
}

void CKivThumbCtrl::DeleteThumb()
{
    delete m_pImageCtrl;
    m_pImageCtrl = nullptr;
    delete m_pLabelCtrl;
    m_pLabelCtrl = nullptr;
}

void CKivThumbCtrl::SetFile(const char* file, const char* label, const char* data)
{
    m_item = KivThumbItem {};
    CopyBounded(m_item.file, sizeof m_item.file, file);
    CopyBounded(m_item.label, sizeof m_item.label, label);
    CopyBounded(m_item.data, sizeof m_item.data, data);
}

void CKivThumbCtrl::SetData(const KivThumbItem* item)
{
    m_item = item ? *item : KivThumbItem {};
}

void CKivThumbCtrl::SetImageSize(int x, int y, int width, int height)
{
    m_imageRect[0] = x;
    m_imageRect[1] = y;
    m_imageRect[2] = width;
    m_imageRect[3] = height;
    if (GetParent() || isVisible())
        ::PostMessage(this, WM_SIZE, SIZE_RESTORED, MAKELPARAM(this->width(), this->height()));
}

void CKivThumbCtrl::SetInvert(int invert, int redraw)
{
    if (m_pImageCtrl)
        m_pImageCtrl->SetInvert(invert, 0);
    CKivStatic::SetInvert(invert, redraw);
}

void CKivThumbCtrl::SetLabel(int mode, const char* text)
{
    switch (mode) {
    case 0: m_strCaption = text ? text : m_item.file; break;
    case 1: break;
    case 2: m_strCaption = m_item.data; break;
    case 4: m_strCaption = KivUtil::GetFileTitle(m_item.file); break;
    case 5: m_strCaption = KivUtil::GetFileName(m_item.file); break;
    default:
        if (mode < 0 || mode == 3)
            m_strCaption = m_item.file;
        break;
    }
    if (!m_pLabelCtrl)
        return;
    m_strShown = mode == 1 && m_item.label[0] ? m_strCaption + " : " + m_item.label : m_strCaption;
    showLabelText();
    m_toolTip.UpdateTipText(m_strShown.c_str(), this, kToolId);
}

BOOL CKivThumbCtrl::IsBound(CPoint point) const
{
    return point.x >= 0 && point.y >= 0 && point.x < width() && point.y < height();
}

void CKivThumbCtrl::showLabelText()
{
    if (!m_pLabelCtrl)
        return;
    // One line, shortened in the middle when it does not fit; the tooltip
    // keeps the whole text.
    const QString text = QString::fromUtf8(m_strShown.c_str());
    const int room = m_pLabelCtrl->width() - 4;
    const QString shown = room > 0 ? m_pLabelCtrl->fontMetrics().elidedText(text, Qt::ElideMiddle, room) : text;
    m_pLabelCtrl->SetWindowText(shown.toUtf8().constData());
}

void CKivThumbCtrl::MakeLabel()
{
    if (m_nLabelState != 1 || m_pLabelCtrl)
        return;
    m_pLabelCtrl = new CKivStatic(this);
    m_pLabelCtrl->Create("", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, CRect(), this, kLabelId);
    m_pLabelCtrl->setFont(font());
    QPalette palette = m_pLabelCtrl->palette();
    palette.setColor(QPalette::Window, QColor(GetRValue(kLabelColor), GetGValue(kLabelColor), GetBValue(kLabelColor)));
    palette.setColor(QPalette::WindowText, Qt::black);
    m_pLabelCtrl->setPalette(palette);
    m_pLabelCtrl->setAutoFillBackground(true);
    // Without the notify style a static lets clicks through to the cell.
    m_pLabelCtrl->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CKivThumbCtrl::CalcLayout(
    int cx, int cy, int margin, int labelHeight, int labelState, const int imageRect[4], CRect* image, CRect* label)
{
    const int pad = margin + 2;
    const int L = labelState == 1 ? labelHeight : 0;
    int w = imageRect[2] == -1 ? cx - 2 * pad : imageRect[2];
    int h = imageRect[3] == -1 ? cy - 2 * pad - margin - L : imageRect[3];
    const int x = std::max(imageRect[0] == -1 ? (cx - w) / 2 : imageRect[0], pad);
    int y = std::max(imageRect[1] == -1 ? (cy - h) / 2 : imageRect[1], pad);
    const int availH = cy - 2 * pad - L;
    w = std::min(w, cx - 2 * x);
    h = std::min(h, availH);
    if (imageRect[1] == -1)
        y = std::max((availH - h) / 2, pad);
    if (image)
        *image = CRect(x, y, x + w, y + h);
    if (label) {
        const int top = std::max(cy - pad - L, pad);
        *label = CRect(x, top, x + w, top + std::min(L, availH));
    }
}

void CKivThumbCtrl::OnSize(UINT type, int cx, int cy)
{
    CKivStatic::OnSize(type, cx, cy);
    CRect image, label;
    CalcLayout(cx, cy, m_nMargin, m_nLabelHeight, m_nLabelState, m_imageRect, &image, &label);
    if (m_pImageCtrl)
        m_pImageCtrl->MoveWindow(image.left, image.top, image.Width(), image.Height());
    if (m_pLabelCtrl) {
        m_pLabelCtrl->MoveWindow(label.left, label.top, label.Width(), label.Height());
        m_pLabelCtrl->ShowWindow(SW_SHOW);
        showLabelText();
    }
}

void CKivThumbCtrl::ShadeBox(CDC* dc, CRect rect, int mode)
{
    if (!dc || rect.Width() < 1 || rect.Height() < 1)
        return;
    const COLORREF light = mode == 1 ? RGB(255, 255, 255) : kShadowColor;
    const COLORREF dark = mode == 1 ? kShadowColor : RGB(255, 255, 255);
    dc->FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), light);
    dc->FillSolidRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom), light);
    dc->FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), dark);
    dc->FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), dark);
}

void CKivThumbCtrl::ShadeBox(CDC* dc, CRect rect, int mode, int depth)
{
    for (int i = 0; i < depth; ++i) {
        ShadeBox(dc, rect, mode);
        rect = CRect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    }
}

void CKivThumbCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const QPalette::ColorRole role = m_pImageCtrl && m_bInvert ? QPalette::Highlight : QPalette::Button;
    dc.FillSolidRect(client, colorOf(palette().color(role)));
    if (m_bBevel == 1)
        ShadeBox(&dc, client, 1, 2);
}

void CKivThumbCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_bFocus == 1)
        SetInvert(1, 1);
    PostNotifyToParent(0, static_cast<LPARAM>(flags));
    CKivStatic::OnLButtonDown(flags, point);
}

void CKivThumbCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    if (!m_bInvert)
        OnLButtonDown(flags, point);
}

void CKivThumbCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos();
    OnContextMenu(CPoint(at.x(), at.y()));
    event->accept();
}

void CKivThumbCtrl::OnContextMenu(CPoint)
{
}

bool CKivThumbCtrl::ShowForItem()
{
    if (!m_item.file[0]) {
        ShowWindow(SW_HIDE);
        SetInvert(0, 0);
        return false;
    }
    if (m_item.selected)
        SetInvert(1, 0);
    else if (m_bInvert)
        SetInvert(0, 0);
    if (!isVisible())
        ShowWindow(SW_SHOW);
    return true;
}
