// SPDX-License-Identifier: MIT
// The check a scanner's declared frame passes before any pixel is
// allocated, apart from SANE so it can be driven with any numbers.
#pragma once

#include "imaging/KivLead_export.h"

namespace kivlead {

// The frame layouts a scan can arrive in.
enum class ScanLayout { Gray, Rgb, SinglePlane };

// KIVLEAD_SUCCESS when a frame of pixelsPerLine × lines (lines -1: not
// known yet) at depth bits per sample, bytesPerLine apart, is one this
// toolkit decodes and fits KivLeadLimits; otherwise the status to return.
KIVLEAD_EXPORT int checkScanFrame(ScanLayout layout, int depth, int pixelsPerLine, int lines, int bytesPerLine);

} // namespace kivlead
