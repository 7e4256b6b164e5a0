// SPDX-License-Identifier: MIT
// The runs of pixels inside a polygon, row by row: a pixel is inside when
// its centre is, by the winding or the alternate (even-odd) rule. Device
// contexts and bare rasters fill from the same runs, so a polygon covers the
// same pixels whichever of them draws it.
#pragma once

#include "platform/KivPlatform_export.h"

#include "platform/base/Geometry.h"

#include <functional>
#include <vector>

// Calls span(y, left, right) for each run, left to right inclusive, on the
// rows from top to bottom - 1 only; runs may reach past any column. The
// cost follows the rows and the edges that cross them, not rows × edges.
KIVPLATFORM_EXPORT void ForEachPolygonSpan(const std::vector<CPoint>& vertices, bool winding, int top, int bottom,
    const std::function<void(int y, int left, int right)>& span);
