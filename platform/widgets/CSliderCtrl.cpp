// SPDX-License-Identifier: MIT
#include "platform/widgets/CSliderCtrl.h"

CSliderCtrl::CSliderCtrl(QWidget* parent) : WidgetWnd(parent, new QSlider(Qt::Horizontal))
{
    widget()->setTickPosition(QSlider::TicksBelow);
    // Only what the user does reaches the parent, as with a track bar.
    QObject::connect(widget(), &QSlider::actionTriggered, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { PostToParent(vandrel::win32::WM_HSCROLL, 0, reinterpret_cast<LPARAM>(this)); },
            Qt::QueuedConnection);
    });
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL)
{
    const QSignalBlocker quiet(widget());
    widget()->setRange(minimum, maximum);
}

void CSliderCtrl::SetTicFreq(int frequency)
{
    widget()->setTickInterval(frequency);
}

void CSliderCtrl::SetPos(int position)
{
    const QSignalBlocker quiet(widget());
    widget()->setValue(position);
}
