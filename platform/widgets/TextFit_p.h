// SPDX-License-Identifier: MIT
// Room for a dialog template's texts. The templates were laid out for a
// Windows face; a desktop face of the same size is often wider, and a
// translation longer still, so a label or button could lose the end of its
// text. FitTexts widens what is too narrow by opening a column of the
// missing width at its right edge: what lies right of the column moves
// over, what spans it grows, so no two controls come to overlap and edges
// that lined up still line up.
#pragma once

class QWidget;

namespace textfit {

// The width control needs to show its whole text on the lines its height
// holds (a static wraps words); 0 for a control without text.
int NeededWidth(const QWidget& control);

// The width a window needs for its title beside the frame's icon and buttons.
int TitleWidth(const QWidget& window);

// Widens dialog's controls and dialog itself until every text and the title
// fit, within the screen's width. A dialog with a layout only gets the
// title's width as its least: the layout makes room for the rest.
void FitTexts(QWidget& dialog);

} // namespace textfit
