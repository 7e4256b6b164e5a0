// SPDX-License-Identifier: MIT
#include "platform/widgets/CScrollBar.h"

CScrollBar::CScrollBar(QWidget* parent) : WidgetWnd(parent, new QScrollBar(Qt::Horizontal))
{
    QObject::connect(widget(), &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: OnScroll(SB_LINEUP, 0); break;
        case QAbstractSlider::SliderSingleStepAdd: OnScroll(SB_LINEDOWN, 0); break;
        case QAbstractSlider::SliderPageStepSub: OnScroll(SB_PAGEUP, 0); break;
        case QAbstractSlider::SliderPageStepAdd: OnScroll(SB_PAGEDOWN, 0); break;
        case QAbstractSlider::SliderMove: OnScroll(SB_THUMBTRACK, static_cast<UINT>(widget()->sliderPosition())); break;
        default: break;
        }
    });
    QObject::connect(widget(), &QScrollBar::sliderReleased, this,
        [this] { OnScroll(SB_THUMBPOSITION, static_cast<UINT>(widget()->sliderPosition())); });
}

BOOL CScrollBar::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    widget()->setOrientation((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal);
    return WidgetWnd::Create(style, rect, parent, id);
}

void CScrollBar::SetScrollRange(int min, int max, BOOL)
{
    widget()->setRange(min, max);
}

int CScrollBar::SetScrollPos(int pos, BOOL)
{
    const int previous = widget()->value();
    const QSignalBlocker quiet(widget());
    widget()->setValue(pos);
    return previous;
}

int CScrollBar::GetScrollPos() const
{
    return widget()->value();
}

void CScrollBar::SetPageSize(int page)
{
    widget()->setPageStep(std::max(page, 1));
}

void CScrollBar::OnScroll(UINT code, UINT pos)
{
    if (QWidget* parent = GetParent())
        ::SendMessage(parent, widget()->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL,
            MAKEWPARAM(static_cast<int>(code), static_cast<int>(pos)),
            reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
}
