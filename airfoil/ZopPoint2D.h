// SPDX-License-Identifier: MIT
// One outline point of an airfoil, in chord units (chord = 1): x along the
// chord from the leading edge, y up. A plain record, so outlines can be
// blocks from malloc that the caller frees.
#pragma once

struct ZopPoint2D {
    double x;
    double y;
};
