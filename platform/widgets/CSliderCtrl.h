// SPDX-License-Identifier: MIT
// A track bar (slider): a range, tick marks and a position. A move by the
// user posts WM_HSCROLL to the parent, this window in lParam.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QSlider>

class KIVGUI_EXPORT CSliderCtrl : public WidgetWnd<QSlider> {
public:
    explicit CSliderCtrl(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum, BOOL redraw = false);
    int GetRangeMin() const { return widget()->minimum(); }
    int GetRangeMax() const { return widget()->maximum(); }
    void SetTicFreq(int frequency);
    // Kept within the range; posts nothing.
    void SetPos(int position);
    int GetPos() const { return widget()->value(); }
};
