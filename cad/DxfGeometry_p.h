// SPDX-License-Identifier: MIT
// Curves of DXF entities as points: arcs, bulges, ellipses and B-splines,
// flattened finely enough for a drawing of a few thousand pixels.
#pragma once

#include "cad/KivDxfFile.h"

#include <vector>

namespace dxfgeometry {

constexpr double kPi = 3.14159265358979323846;
// Segments for a whole turn; fewer for a part of one, never fewer than 2.
constexpr int kSegmentsPerTurn = 72;

// From angle a0 to a1 (radians) about the centre, counter-clockwise when
// ccw (a1 taken past a0), clockwise otherwise; both ends included.
void arc(double cx, double cy, double r, double a0, double a1, bool ccw, std::vector<KivDxfVertex>& out);
// The same for an ellipse with major axis (mx, my) and minor axis (nx, ny),
// by its parameter.
void ellipse(double cx, double cy, double mx, double my, double nx, double ny, double p0, double p1, bool ccw,
    std::vector<KivDxfVertex>& out);
// The arc a bulge makes from a to b, without a, with b.
void bulge(const KivDxfVertex& a, const KivDxfVertex& b, std::vector<KivDxfVertex>& out);
// A B-spline of the degree by its knots and control points (weights when
// rational); false when they do not make one (the caller then joins the
// points as they are).
bool spline(int degree, const std::vector<double>& knots, const std::vector<KivDxfVertex>& controls,
    const std::vector<double>& weights, std::vector<KivDxfVertex>& out);

} // namespace dxfgeometry
