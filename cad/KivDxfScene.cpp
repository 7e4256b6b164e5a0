// SPDX-License-Identifier: MIT
#include "cad/KivDxfScene.h"

#include "cad/DxfGeometry_p.h"

#include <algorithm>
#include <cmath>

using dxfgeometry::kPi;

namespace {

constexpr double kDegree = kPi / 180.0;

bool finitePoint(const KivDxfPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

std::size_t characters(const std::string& utf8)
{
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

KivDxfScene::Affine KivDxfScene::Affine::then(const Affine& o) const
{
    // o ∘ this: this applies first.
    return {o.a * a + o.c * b, o.b * a + o.d * b, o.a * c + o.c * d, o.b * c + o.d * d, o.a * e + o.c * f + o.e,
        o.b * e + o.d * f + o.f};
}

KivDxfScene::Affine KivDxfScene::ocsOf(const KivDxfEntity& e)
{
    double n[3] = {e.extrusion[0], e.extrusion[1], e.extrusion[2]};
    const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(len > 0.0) || (n[0] == 0.0 && n[1] == 0.0 && n[2] > 0.0))
        return Affine();
    for (double& v : n)
        v /= len;
    // The arbitrary axis algorithm: X is the world's Y or Z crossed with the
    // extrusion, Y the extrusion crossed with X.
    double ax[3];
    if (std::fabs(n[0]) < 1.0 / 64 && std::fabs(n[1]) < 1.0 / 64) {
        ax[0] = n[2];
        ax[1] = 0.0;
        ax[2] = -n[0];
    } else {
        ax[0] = -n[1];
        ax[1] = n[0];
        ax[2] = 0.0;
    }
    const double al = std::sqrt(ax[0] * ax[0] + ax[1] * ax[1] + ax[2] * ax[2]);
    for (double& v : ax)
        v /= al;
    const double ay[3] = {n[1] * ax[2] - n[2] * ax[1], n[2] * ax[0] - n[0] * ax[2], n[0] * ax[1] - n[1] * ax[0]};
    return {ax[0], ax[1], ay[0], ay[1], e.elevation * n[0], e.elevation * n[1]};
}

void KivDxfScene::Build(const KivDxfFile& file, const std::set<std::string>& layers)
{
    *this = KivDxfScene();
    m_file = &file;
    m_only = layers.empty() ? nullptr : &layers;
    m_shapes.reserve(file.GetEntities().size());
    entities(file.GetEntities(), Context());
    m_file = nullptr;
    m_only = nullptr;
}

void KivDxfScene::entities(const std::vector<KivDxfEntity>& list, const Context& context)
{
    for (const auto& e : list) {
        if (m_truncated)
            return;
        entity(e, context);
    }
}

bool KivDxfScene::add(KivDxfShape&& shape)
{
    for (const auto& p : shape.points)
        if (!finitePoint(p))
            return false; // a scale of 1e300 and the like
    if (shape.points.empty())
        return false;
    if (m_points + shape.points.size() > kMaxPoints) {
        m_truncated = true;
        return false;
    }
    m_points += shape.points.size();
    if (shape.contourEnds.empty())
        shape.contourEnds.push_back(shape.points.size());
    m_shapes.push_back(std::move(shape));
    return true;
}

void KivDxfScene::entity(const KivDxfEntity& e, const Context& context)
{
    using Kind = KivDxfEntity::Kind;
    // Entities of a block on layer 0 belong to the insertion's layer.
    const std::string& layerName = e.layer == "0" && context.depth > 0 ? context.layer : e.layer;
    const KivDxfLayer* layer = m_file->FindLayer(layerName);
    if (layer && (layer->off || layer->frozen))
        return;
    if (m_only && !m_only->count(layerName))
        return;
    KivDxfColour colour;
    if (e.trueColour >= 0) {
        colour.rgb = e.trueColour;
    } else if (e.colour == 0) {
        colour = context.colour;
    } else if (e.colour == 256) {
        if (layer) {
            colour.aci = layer->colour >= 1 && layer->colour <= 255 ? layer->colour : 7;
            colour.rgb = layer->trueColour;
        }
    } else {
        colour.aci = e.colour;
    }
    const Affine ocs = e.ocs ? ocsOf(e) : Affine();
    const Affine to = ocs.then(context.transform);
    auto map = [&to](double x, double y) { return to.apply(x, y); };

    KivDxfShape shape;
    shape.colour = colour;
    std::vector<KivDxfVertex> flat;
    switch (e.kind) {
    case Kind::Line:
    case Kind::Point:
        for (const auto& p : e.points)
            shape.points.push_back(map(p.x, p.y));
        break;
    case Kind::Circle:
    case Kind::Arc: {
        const bool whole = e.kind == Kind::Circle;
        dxfgeometry::arc(e.points[0].x, e.points[0].y, e.radius, whole ? 0.0 : e.start * kDegree,
            whole ? 2 * kPi : e.end * kDegree, true, flat);
        shape.closed = whole;
        break;
    }
    case Kind::Ellipse: {
        const double nz = e.extrusion[2] < 0 ? -1.0 : 1.0;
        const double mx = e.axis[0], my = e.axis[1];
        dxfgeometry::ellipse(
            e.points[0].x, e.points[0].y, mx, my, -nz * my * e.ratio, nz * mx * e.ratio, e.start, e.end, true, flat);
        shape.closed = std::fabs(std::fabs(e.end - e.start) - 2 * kPi) < 1e-9;
        break;
    }
    case Kind::Polyline: {
        flat.push_back({e.points[0].x, e.points[0].y, 0.0});
        for (std::size_t i = 0; i + 1 < e.points.size(); ++i)
            dxfgeometry::bulge(e.points[i], e.points[i + 1], flat);
        if (e.closed && e.points.size() > 1)
            dxfgeometry::bulge(e.points.back(), e.points.front(), flat);
        shape.closed = e.closed;
        break;
    }
    case Kind::Spline:
        if (!dxfgeometry::spline(e.degree, e.knots, e.points, e.weights, flat))
            flat = e.points;
        shape.closed = e.closed;
        break;
    case Kind::Solid:
    case Kind::Face:
        for (const auto& p : e.points)
            shape.points.push_back(map(p.x, p.y));
        shape.closed = true;
        shape.filled = e.kind == Kind::Solid;
        break;
    case Kind::Hatch:
        for (const auto& loop : e.loops) {
            flat.clear();
            flat.push_back({loop[0].x, loop[0].y, 0.0});
            for (std::size_t i = 0; i + 1 < loop.size(); ++i)
                dxfgeometry::bulge(loop[i], loop[i + 1], flat);
            dxfgeometry::bulge(loop.back(), loop.front(), flat);
            for (const auto& v : flat)
                shape.points.push_back(map(v.x, v.y));
            shape.contourEnds.push_back(shape.points.size());
        }
        flat.clear();
        shape.closed = true;
        shape.filled = e.solidFill;
        break;
    case Kind::Text:
    case Kind::MText: label(e, to, colour); return;
    case Kind::Insert: insert(e, context, ocs, layerName, colour); return;
    }
    for (const auto& v : flat)
        shape.points.push_back(map(v.x, v.y));
    add(std::move(shape));
}

void KivDxfScene::insert(const KivDxfEntity& e, const Context& context, const Affine& ocs, const std::string& layer,
    const KivDxfColour& colour)
{
    const KivDxfBlock* block = m_file->FindBlock(e.block);
    if (!block || context.depth >= kMaxBlockDepth || std::find(m_stack.begin(), m_stack.end(), block) != m_stack.end())
        return;
    m_stack.push_back(block);
    const double r = e.rotation * kDegree;
    const double cr = std::cos(r), sr = std::sin(r);
    for (int row = 0; row < e.rows && !m_truncated; ++row)
        for (int column = 0; column < e.columns && !m_truncated; ++column) {
            if (++m_copies > kMaxCopies) {
                m_truncated = true;
                break;
            }
            // Scaled about the block's base point, shifted to its cell of
            // the array, rotated, moved to the insertion point.
            const double sx = e.scale[0], sy = e.scale[1];
            const double cx = column * e.spacing[0], cy = row * e.spacing[1];
            const Affine local {sx, 0, 0, sy, cx - sx * block->base[0], cy - sy * block->base[1]};
            const Affine place {cr, sr, -sr, cr, e.points[0].x, e.points[0].y};
            Context inner;
            inner.transform = local.then(place).then(ocs).then(context.transform);
            inner.layer = layer;
            inner.colour = colour;
            inner.depth = context.depth + 1;
            entities(block->entities, inner);
        }
    m_stack.pop_back();
}

void KivDxfScene::label(const KivDxfEntity& e, const Affine& to, const KivDxfColour& colour)
{
    KivDxfLabel l;
    l.text = e.text;
    l.colour = colour;
    l.halign = e.halign == 1 || e.halign == 4 ? 1 : e.halign == 2 ? 2 : 0;
    l.valign = e.halign == 4 ? 2 : e.valign;
    // Aligned and fitted texts run from the first point to the second; the
    // others hang on the second point unless left on the baseline.
    const bool onFirst
        = e.kind == KivDxfEntity::Kind::MText || e.halign == 3 || e.halign == 5 || (e.halign == 0 && e.valign == 0);
    const KivDxfVertex& anchor = onFirst ? e.points[0] : e.points[1];
    double angle = e.rotation * kDegree;
    if (e.kind == KivDxfEntity::Kind::Text && (e.halign == 3 || e.halign == 5)) {
        l.halign = 0;
        l.valign = 0;
        angle = std::atan2(e.points[1].y - e.points[0].y, e.points[1].x - e.points[0].x);
    }
    l.at = to.apply(anchor.x, anchor.y);
    // The text's own axes through the transform: their lengths scale the
    // height and width, the first one's direction turns it.
    const double ux = std::cos(angle), uy = std::sin(angle);
    const double dxx = to.a * ux + to.c * uy, dxy = to.b * ux + to.d * uy;
    const double dyx = -to.a * uy + to.c * ux, dyy = -to.b * uy + to.d * ux;
    const double along = std::hypot(dxx, dxy), across = std::hypot(dyx, dyy);
    l.height = e.height * across;
    l.widthFactor = across > 0 ? e.widthFactor * along / across : e.widthFactor;
    l.angle = std::atan2(dxy, dxx) / kDegree;
    if (!finitePoint(l.at) || !std::isfinite(l.height) || !(l.height > 0) || !std::isfinite(l.widthFactor)
        || !std::isfinite(l.angle))
        return;
    m_labels.push_back(std::move(l));
}

bool KivDxfScene::GetExtents(KivDxfPoint& min, KivDxfPoint& max, const TextWidth& width) const
{
    bool any = false;
    auto grow = [&](const KivDxfPoint& p) {
        if (!any) {
            min = max = p;
            any = true;
            return;
        }
        min.x = std::min(min.x, p.x);
        min.y = std::min(min.y, p.y);
        max.x = std::max(max.x, p.x);
        max.y = std::max(max.y, p.y);
    };
    for (const auto& s : m_shapes)
        for (const auto& p : s.points)
            grow(p);
    for (const auto& l : m_labels) {
        // Lines 1.4 heights apart; without a measure, glyphs 0.82 heights
        // wide, as a sans serif's are on average.
        double longest = 0.0;
        std::size_t lines = 0, start = 0;
        for (;;) {
            const std::size_t end = l.text.find('\n', start);
            const std::string line = l.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            longest = std::max(longest, width ? width(line) : 0.82 * static_cast<double>(characters(line)));
            ++lines;
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        const double w = longest * l.height * l.widthFactor;
        const double h = l.height * (1.0 + 1.4 * static_cast<double>(lines - 1));
        const double left = l.halign == 1 ? -w / 2 : l.halign == 2 ? -w : 0.0;
        const double top = l.valign == 3 ? 0.0 : l.valign == 2 ? h / 2 : l.valign == 1 ? h : l.height;
        const double ca = std::cos(l.angle * kDegree), sa = std::sin(l.angle * kDegree);
        for (const double x : {left, left + w})
            for (const double y : {top, top - h})
                grow({l.at.x + x * ca - y * sa, l.at.y + x * sa + y * ca});
    }
    return any;
}
