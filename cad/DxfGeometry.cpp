// SPDX-License-Identifier: MIT
#include "cad/DxfGeometry_p.h"

#include <algorithm>
#include <cmath>

namespace dxfgeometry {

namespace {

int segmentsFor(double sweep)
{
    return std::clamp(
        static_cast<int>(std::ceil(std::fabs(sweep) / (2 * kPi) * kSegmentsPerTurn)), 2, kSegmentsPerTurn);
}

// The sweep from a0 to a1 in the direction asked, in (0, 2π].
double sweepOf(double a0, double a1, bool ccw)
{
    double s = ccw ? a1 - a0 : a0 - a1;
    if (!std::isfinite(s))
        return 0.0;
    s = std::fmod(s, 2 * kPi);
    if (s <= 1e-12)
        s += 2 * kPi;
    return s;
}

} // namespace

void arc(double cx, double cy, double r, double a0, double a1, bool ccw, std::vector<KivDxfVertex>& out)
{
    ellipse(cx, cy, r, 0.0, 0.0, r, a0, a1, ccw, out);
}

void ellipse(double cx, double cy, double mx, double my, double nx, double ny, double p0, double p1, bool ccw,
    std::vector<KivDxfVertex>& out)
{
    const double sweep = sweepOf(p0, p1, ccw);
    const int n = segmentsFor(sweep);
    const double step = (ccw ? sweep : -sweep) / n;
    for (int i = 0; i <= n; ++i) {
        const double p = p0 + step * i;
        const double c = std::cos(p), s = std::sin(p);
        out.push_back({cx + mx * c + nx * s, cy + my * c + ny * s, 0.0});
    }
}

void bulge(const KivDxfVertex& a, const KivDxfVertex& b, std::vector<KivDxfVertex>& out)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double chord = std::hypot(dx, dy);
    if (a.bulge == 0.0 || !std::isfinite(a.bulge) || chord == 0.0 || std::fabs(a.bulge) > 1e6) {
        out.push_back({b.x, b.y, 0.0});
        return;
    }
    // The sweep is 4 atan(bulge); the centre lies on the chord's normal.
    const double sweep = 4.0 * std::atan(a.bulge);
    const double r = chord / (2.0 * std::sin(std::fabs(sweep) / 2.0));
    const double toCentre = r * std::cos(std::fabs(sweep) / 2.0) * (a.bulge > 0 ? 1.0 : -1.0);
    const double mx = (a.x + b.x) / 2.0 - dy / chord * toCentre;
    const double my = (a.y + b.y) / 2.0 + dx / chord * toCentre;
    const double a0 = std::atan2(a.y - my, a.x - mx);
    const int n = segmentsFor(sweep);
    for (int i = 1; i < n; ++i) {
        const double p = a0 + sweep * i / n;
        out.push_back({mx + r * std::cos(p), my + r * std::sin(p), 0.0});
    }
    out.push_back({b.x, b.y, 0.0});
}

bool spline(int degree, const std::vector<double>& knots, const std::vector<KivDxfVertex>& controls,
    const std::vector<double>& weights, std::vector<KivDxfVertex>& out)
{
    const std::size_t n = controls.size();
    if (degree < 1 || degree > 11 || n < static_cast<std::size_t>(degree) + 1 || knots.size() != n + degree + 1)
        return false;
    for (std::size_t i = 1; i < knots.size(); ++i)
        if (!(knots[i] >= knots[i - 1]))
            return false;
    const bool rational = weights.size() == n;
    const double t0 = knots[degree], t1 = knots[n];
    if (!(t1 > t0))
        return false;
    const int samples = std::clamp(static_cast<int>(n) * 8, 16, 4096);
    std::vector<double> x(degree + 1), y(degree + 1), w(degree + 1);
    std::size_t span = degree;
    for (int s = 0; s <= samples; ++s) {
        const double t = s == samples ? t1 : t0 + (t1 - t0) * s / samples;
        while (span + 1 < n && knots[span + 1] <= t)
            ++span;
        // de Boor's algorithm on the degree + 1 points the span depends on.
        for (int j = 0; j <= degree; ++j) {
            const KivDxfVertex& p = controls[span - degree + j];
            const double wj = rational ? weights[span - degree + j] : 1.0;
            x[j] = p.x * wj;
            y[j] = p.y * wj;
            w[j] = wj;
        }
        for (int r = 1; r <= degree; ++r)
            for (int j = degree; j >= r; --j) {
                const std::size_t i = span - degree + j;
                const double d = knots[i + degree - r + 1] - knots[i];
                const double a = d > 0 ? (t - knots[i]) / d : 0.0;
                x[j] = (1 - a) * x[j - 1] + a * x[j];
                y[j] = (1 - a) * y[j - 1] + a * y[j];
                w[j] = (1 - a) * w[j - 1] + a * w[j];
            }
        if (!(w[degree] != 0.0))
            return false;
        out.push_back({x[degree] / w[degree], y[degree] / w[degree], 0.0});
    }
    return true;
}

} // namespace dxfgeometry
