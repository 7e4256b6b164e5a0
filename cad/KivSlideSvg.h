// SPDX-License-Identifier: MIT
// A slide as SVG: the primitives the slide view draws, in slide coordinates
// with Y up, one path per run of lines in one colour, fitted ("meet") into
// width × height pixels on the back colour. Strokes are one pixel of that
// size wide in every renderer.
#pragma once

#include "core/KivCtrl_export.h"

#include "platform/base/Win32Types.h"

#include <string>

class KIVCTRL_EXPORT KivSlideSvg {
public:
    // The slide reference names (a file, or library(slide)) into svg; the
    // slide's result code: 0 drawn, 2 drawn with a warning, 1, 3, 4 or 5
    // when nothing was found to draw (svg is then left empty).
    static int Write(const char* reference, int width, int height, COLORREF back, int invert, std::string* svg);
};
