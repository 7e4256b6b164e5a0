// SPDX-License-Identifier: MIT
#include "platform/widgets/CProgressCtrl.h"

#include <algorithm>

CProgressCtrl::CProgressCtrl(QWidget* parent) : WidgetWnd(parent, new QProgressBar)
{
    widget()->setTextVisible(false);
    widget()->setRange(0, 100);
    widget()->setValue(0);
}

BOOL CProgressCtrl::Create(DWORD style, const CRect& rect, QWidget* parent, UINT id)
{
    widget()->setOrientation((style & PBS_VERTICAL) ? Qt::Vertical : Qt::Horizontal);
    return WidgetWnd::Create(style, rect, parent, id);
}

void CProgressCtrl::SetRange32(int lower, int upper)
{
    // Qt resets a bar whose value falls outside a new range; Win32 keeps it
    // at the nearest end.
    const int pos = GetPos();
    widget()->setRange(lower, std::max(lower, upper));
    widget()->setValue(std::clamp(pos, widget()->minimum(), widget()->maximum()));
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = widget()->minimum();
    upper = widget()->maximum();
}

int CProgressCtrl::SetPos(int pos)
{
    const int previous = GetPos();
    widget()->setValue(std::clamp(pos, widget()->minimum(), widget()->maximum()));
    return previous;
}

int CProgressCtrl::GetPos() const
{
    // Qt's bar is "reset" (below its minimum) until a value is set.
    return std::max(widget()->value(), widget()->minimum());
}
