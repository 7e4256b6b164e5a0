// SPDX-License-Identifier: MIT
// A progress bar: a range (0 to 100 until set), a position clamped into it,
// drawn by Qt's progress bar without text.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/widgets/WidgetWnd.h"

#include <QProgressBar>

namespace vandrel::win32 {
constexpr DWORD PBS_SMOOTH = 0x01;
constexpr DWORD PBS_VERTICAL = 0x04;
} // namespace vandrel::win32

class KIVGUI_EXPORT CProgressCtrl : public WidgetWnd<QProgressBar> {
public:
    explicit CProgressCtrl(QWidget* parent = nullptr);
    // PBS_VERTICAL in style makes the bar vertical.
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;

    // A range with upper below lower is taken as lower to lower.
    void SetRange32(int lower, int upper);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void GetRange(int& lower, int& upper) const;
    // Gives the previous position.
    int SetPos(int pos);
    int GetPos() const;
};
