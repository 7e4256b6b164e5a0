// SPDX-License-Identifier: MIT
// Windows open at the size their contents want, but never larger than the
// screen they open on: on a small screen, or at 2× scale, a window of
// 1100 × 760 would reach past its edges.
#pragma once

#include <QSize>

class QWidget;

// wanted, shrunk to at most nine tenths of the available area of the screen
// window is on (the primary screen before it is shown).
QSize SizeOnScreen(const QWidget* window, QSize wanted);
