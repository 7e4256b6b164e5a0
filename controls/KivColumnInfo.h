// SPDX-License-Identifier: MIT
// One column of a report list: heading, alignment letter and width.
#pragma once

#include "core/KivCtrl_export.h"

struct KIVCTRL_EXPORT KivColumnInfo {
    static constexpr int kNameSize = 256; // 255 characters and the NUL

    char name[kNameSize] = {};
    // 'L' left, 'C' centre, 'R' right; any other value means left.
    int align = 'L';
    float width = 0.0f; // pixels
};
