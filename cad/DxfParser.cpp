// SPDX-License-Identifier: MIT
#include "cad/DxfParser_p.h"

#include "cad/DxfGeometry_p.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <cstring>

Q_DECLARE_LOGGING_CATEGORY(lcDxf)
Q_LOGGING_CATEGORY(lcDxf, "vandrel.cad.dxf")

using dxfgeometry::kPi;

namespace {

using Groups = std::vector<KivDxfGroup>;

double real(const Groups& groups, int code, double otherwise = 0.0)
{
    for (const auto& g : groups)
        if (g.code == code)
            return g.number;
    return otherwise;
}

long long integer(const Groups& groups, int code, long long otherwise = 0)
{
    for (const auto& g : groups)
        if (g.code == code)
            return g.integer;
    return otherwise;
}

const std::string* string(const Groups& groups, int code)
{
    for (const auto& g : groups)
        if (g.code == code)
            return &g.text;
    return nullptr;
}

// The points of the groups xCode/xCode+10 in order: a y joins the last x.
std::vector<KivDxfVertex> points(const Groups& groups, int xCode, int bulgeCode = -1)
{
    std::vector<KivDxfVertex> out;
    for (const auto& g : groups) {
        if (g.code == xCode) {
            if (out.size() >= KivDxfFile::kMaxVertices)
                break;
            out.push_back({g.number, 0.0, 0.0});
        } else if (g.code == xCode + 10 && !out.empty()) {
            out.back().y = g.number;
        } else if (g.code == bulgeCode && !out.empty()) {
            out.back().bulge = g.number;
        }
    }
    return out;
}

bool finite(const KivDxfEntity& e)
{
    for (const auto& p : e.points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.bulge))
            return false;
    const double values[]
        = {e.radius, e.start, e.end, e.axis[0], e.axis[1], e.ratio, e.height, e.rotation, e.widthFactor, e.scale[0],
            e.scale[1], e.spacing[0], e.spacing[1], e.elevation, e.extrusion[0], e.extrusion[1], e.extrusion[2]};
    for (const double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

bool DxfParser::next()
{
    m_have = m_tokens.Next(m_group);
    if (!m_have && m_tokens.Failed())
        truncate(m_tokens.Why());
    return m_have;
}

bool DxfParser::at(int code, const char* text) const
{
    return m_have && m_group.code == code && m_group.text == text;
}

void DxfParser::truncate(const std::string& why)
{
    if (m_file.m_truncated)
        return;
    m_file.m_truncated = true;
    m_file.m_error = why;
    qCInfo(lcDxf) << "drawing cut short:" << why.c_str();
}

bool DxfParser::admit()
{
    if (++m_count <= KivDxfFile::kMaxEntities)
        return true;
    truncate("more than " + std::to_string(KivDxfFile::kMaxEntities) + " entities");
    m_have = false;
    return false;
}

bool DxfParser::Run()
{
    bool sections = false;
    next();
    while (m_have) {
        if (at(0, "EOF"))
            break;
        if (!at(0, "SECTION")) {
            next();
            continue;
        }
        if (!next() || m_group.code != 2)
            continue;
        sections = true;
        const std::string name = m_group.text;
        next();
        if (name == "HEADER")
            header();
        else if (name == "TABLES")
            tables();
        else if (name == "BLOCKS")
            blocks();
        else if (name == "ENTITIES") {
            // Room for as many entities as the bytes could hold (the
            // smallest takes about 40): growing a vector of them copies
            // every one, and untouched room costs nothing.
            m_file.m_entities.reserve(std::min(m_tokens.Size() / 40, KivDxfFile::kMaxEntities));
            entities(m_file.m_entities, true, "ENDSEC");
        } else if (name == "THUMBNAILIMAGE")
            thumbnail();
        else
            skipSection();
        if (at(0, "ENDSEC"))
            next();
    }
    if (!sections && m_file.m_error.empty())
        m_file.m_error = "no DXF sections";
    return sections;
}

void DxfParser::skipSection()
{
    while (m_have && !at(0, "ENDSEC") && !at(0, "EOF"))
        next();
}

void DxfParser::header()
{
    std::string variable;
    while (m_have && !at(0, "ENDSEC") && !at(0, "EOF")) {
        if (m_group.code == 9) {
            variable = m_group.text;
        } else if (variable == "$ACADVER" && m_group.code == 1) {
            m_file.m_version = m_group.text;
            m_text.SetVersion(m_group.text);
        } else if (variable == "$DWGCODEPAGE" && m_group.code == 3) {
            m_file.m_codePage = m_group.text;
            m_text.SetCodePage(m_group.text);
        } else if ((variable == "$EXTMIN" || variable == "$EXTMAX") && (m_group.code == 10 || m_group.code == 20)) {
            double* target = variable == "$EXTMIN" ? m_file.m_extMin : m_file.m_extMax;
            target[m_group.code == 10 ? 0 : 1] = m_group.number;
            if (variable == "$EXTMAX" && m_group.code == 20)
                m_file.m_hasExtents = true;
        }
        next();
    }
}

void DxfParser::tables()
{
    Groups groups;
    while (m_have && !at(0, "ENDSEC") && !at(0, "EOF")) {
        if (!at(0, "LAYER")) {
            next();
            continue;
        }
        collect(groups);
        KivDxfLayer layer;
        if (const std::string* name = string(groups, 2))
            layer.name = m_text.Decode(*name);
        const long long colour = integer(groups, 62, 7);
        layer.off = colour < 0;
        layer.colour = static_cast<int>(std::llabs(colour) % 257);
        layer.trueColour = static_cast<std::int32_t>(integer(groups, 420, -1) & 0xFFFFFFFF);
        if (layer.trueColour != -1)
            layer.trueColour &= 0xFFFFFF;
        layer.frozen = (integer(groups, 70) & 1) != 0;
        m_file.m_layerIndex.emplace(layer.name, m_file.m_layers.size());
        m_file.m_layers.push_back(std::move(layer));
    }
}

void DxfParser::blocks()
{
    Groups groups;
    while (m_have && !at(0, "ENDSEC") && !at(0, "EOF")) {
        if (!at(0, "BLOCK")) {
            next();
            continue;
        }
        collect(groups);
        KivDxfBlock block;
        if (const std::string* name = string(groups, 2))
            block.name = m_text.Decode(*name);
        block.base[0] = real(groups, 10);
        block.base[1] = real(groups, 20);
        entities(block.entities, false, "ENDBLK", "ENDSEC");
        if (at(0, "ENDBLK"))
            next();
        if (!std::isfinite(block.base[0]) || !std::isfinite(block.base[1]))
            block.base[0] = block.base[1] = 0.0;
        m_file.m_blockIndex[block.name] = m_file.m_blocks.size();
        m_file.m_blocks.push_back(std::move(block));
    }
}

void DxfParser::thumbnail()
{
    while (m_have && !at(0, "ENDSEC") && !at(0, "EOF")) {
        if (m_group.code == 310) {
            if (m_file.m_thumbnail.size() + m_group.text.size() > KivDxfFile::kMaxThumbnailBytes) {
                m_file.m_thumbnail.clear();
                skipSection();
                return;
            }
            m_file.m_thumbnail.insert(m_file.m_thumbnail.end(), m_group.text.begin(), m_group.text.end());
        }
        next();
    }
}

void DxfParser::collect(Groups& groups)
{
    groups.clear();
    while (next() && m_group.code != 0)
        groups.push_back(m_group);
}

void DxfParser::entities(std::vector<KivDxfEntity>& into, bool modelSpace, const char* end1, const char* end2)
{
    Groups groups, vertex;
    while (m_have && !at(0, end1) && !(end2 && at(0, end2)) && !at(0, "EOF")) {
        if (m_group.code != 0) {
            next();
            continue;
        }
        const std::string type = m_group.text;
        collect(groups);
        if (m_tokens.Failed()) {
            ++m_file.m_skipped; // cut by the damage: what it holds is not known
            return;
        }
        if (!admit())
            return;
        if (type == "POLYLINE") {
            // Its vertices follow as entities of their own, up to SEQEND.
            while (at(0, "VERTEX")) {
                collect(vertex);
                // Spline frame control points and polyface face records are no outline vertices.
                if ((integer(vertex, 70) & (16 | 128)) == 0)
                    groups.insert(groups.end(), vertex.begin(), vertex.end());
                if (!admit())
                    return;
            }
            if (at(0, "SEQEND"))
                collect(vertex);
        }
        KivDxfEntity entity;
        const bool paper = modelSpace && integer(groups, 67) == 1;
        const bool drawn = !paper && integer(groups, 60) == 0 && read(type, groups, entity) && finite(entity);
        if (drawn)
            into.push_back(std::move(entity));
        else
            ++m_file.m_skipped;
        if (type == "INSERT" && integer(groups, 66) == 1) {
            // The block's attributes follow, each a text in the drawing's coordinates.
            while (at(0, "ATTRIB")) {
                collect(vertex);
                if (!admit())
                    return;
                KivDxfEntity text;
                if (!paper && (integer(vertex, 70) & 1) == 0 && readText("ATTRIB", vertex, text) && finite(text))
                    into.push_back(std::move(text));
            }
            if (at(0, "SEQEND"))
                collect(vertex);
        }
    }
}

void DxfParser::readCommon(const std::string& type, const Groups& groups, KivDxfEntity& e)
{
    e.type = type;
    if (const std::string* layer = string(groups, 8))
        e.layer = m_text.Decode(*layer);
    const long long colour = integer(groups, 62, 256);
    e.colour = colour < 0 || colour > 256 ? 256 : static_cast<int>(colour);
    if (const long long rgb = integer(groups, 420, -1); rgb >= 0)
        e.trueColour = static_cast<std::int32_t>(rgb & 0xFFFFFF);
    e.extrusion[0] = real(groups, 210);
    e.extrusion[1] = real(groups, 220);
    e.extrusion[2] = real(groups, 230, 1.0);
}

bool DxfParser::read(const std::string& type, const Groups& groups, KivDxfEntity& e)
{
    using Kind = KivDxfEntity::Kind;
    readCommon(type, groups, e);
    e.elevation = real(groups, 38, real(groups, 30));

    if (type == "LINE") {
        e.kind = Kind::Line;
        e.ocs = false;
        e.points = {{real(groups, 10), real(groups, 20)}, {real(groups, 11), real(groups, 21)}};
    } else if (type == "POINT") {
        e.kind = Kind::Point;
        e.ocs = false;
        e.points = {{real(groups, 10), real(groups, 20)}};
    } else if (type == "CIRCLE" || type == "ARC") {
        e.kind = type == "ARC" ? Kind::Arc : Kind::Circle;
        e.points = {{real(groups, 10), real(groups, 20)}};
        e.radius = real(groups, 40);
        e.start = real(groups, 50);
        e.end = real(groups, 51, 360.0);
        e.elevation = real(groups, 30);
        if (!(e.radius > 0.0))
            return false;
    } else if (type == "ELLIPSE") {
        e.kind = Kind::Ellipse;
        e.ocs = false;
        e.points = {{real(groups, 10), real(groups, 20)}};
        e.axis[0] = real(groups, 11);
        e.axis[1] = real(groups, 21);
        e.ratio = real(groups, 40, 1.0);
        e.start = real(groups, 41);
        e.end = real(groups, 42, 2 * kPi);
        if (e.axis[0] == 0.0 && e.axis[1] == 0.0)
            return false;
    } else if (type == "LWPOLYLINE") {
        e.kind = Kind::Polyline;
        e.points = points(groups, 10, 42);
        e.closed = (integer(groups, 70) & 1) != 0;
        if (e.points.empty())
            return false;
    } else if (type == "POLYLINE") {
        // The header's own 10/20 (its elevation) comes before the vertices.
        e.kind = Kind::Polyline;
        const long long flags = integer(groups, 70);
        if (flags & (16 | 64))
            return false; // meshes and polyface meshes are surfaces, not outlines
        e.ocs = (flags & 8) == 0;
        e.closed = (flags & 1) != 0;
        e.elevation = real(groups, 30);
        e.points = points(groups, 10, 42);
        if (!e.points.empty())
            e.points.erase(e.points.begin());
        if (e.points.empty())
            return false;
    } else if (type == "SPLINE") {
        return readSpline(groups, e);
    } else if (type == "SOLID" || type == "TRACE" || type == "3DFACE") {
        e.kind = type == "3DFACE" ? Kind::Face : Kind::Solid;
        e.ocs = type != "3DFACE";
        const KivDxfVertex c[4] = {{real(groups, 10), real(groups, 20)}, {real(groups, 11), real(groups, 21)},
            {real(groups, 12), real(groups, 22)},
            {real(groups, 13, real(groups, 12)), real(groups, 23, real(groups, 22))}};
        // Solids and traces store their corners in Z order: 1, 2, 4, 3 round.
        if (e.kind == Kind::Solid)
            e.points = {c[0], c[1], c[3], c[2]};
        else
            e.points = {c[0], c[1], c[2], c[3]};
        e.closed = true;
    } else if (type == "HATCH") {
        return readHatch(groups, e);
    } else if (type == "TEXT" || type == "MTEXT") {
        return readText(type, groups, e);
    } else if (type == "INSERT" || type == "DIMENSION") {
        e.kind = Kind::Insert;
        const std::string* block = string(groups, 2);
        if (!block)
            return false;
        e.block = m_text.Decode(*block);
        if (type == "DIMENSION") {
            // Its picture is an anonymous block drawn where it was made.
            e.points = {{0.0, 0.0}};
            e.ocs = false;
            return true;
        }
        e.points = {{real(groups, 10), real(groups, 20)}};
        e.elevation = real(groups, 30);
        e.scale[0] = real(groups, 41, 1.0);
        e.scale[1] = real(groups, 42, 1.0);
        e.rotation = real(groups, 50);
        e.columns = static_cast<int>(std::clamp<long long>(integer(groups, 70, 1), 1, 32767));
        e.rows = static_cast<int>(std::clamp<long long>(integer(groups, 71, 1), 1, 32767));
        e.spacing[0] = real(groups, 44);
        e.spacing[1] = real(groups, 45);
    } else {
        return false;
    }
    return true;
}

bool DxfParser::readSpline(const Groups& groups, KivDxfEntity& e)
{
    e.kind = KivDxfEntity::Kind::Spline;
    e.ocs = false;
    e.degree = static_cast<int>(integer(groups, 71, 3));
    e.closed = (integer(groups, 70) & 1) != 0;
    e.points = points(groups, 10);
    for (const auto& g : groups) {
        if (g.code == 40 && e.knots.size() < KivDxfFile::kMaxVertices)
            e.knots.push_back(g.number);
        else if (g.code == 41 && e.weights.size() < KivDxfFile::kMaxVertices)
            e.weights.push_back(g.number);
    }
    if (e.points.empty()) {
        e.points = points(groups, 11); // fit points only: joined as they are
        e.knots.clear();
    }
    for (const double k : e.knots)
        if (!std::isfinite(k))
            return false;
    return e.points.size() >= 2;
}

bool DxfParser::readText(const std::string& type, const Groups& groups, KivDxfEntity& e)
{
    e.kind = type == "MTEXT" ? KivDxfEntity::Kind::MText : KivDxfEntity::Kind::Text;
    if (type == "ATTRIB")
        readCommon(type, groups, e);
    std::string raw;
    for (const auto& g : groups)
        if (g.code == 3 && type == "MTEXT")
            raw += g.text;
    if (const std::string* text = string(groups, 1))
        raw += *text;
    if (raw.size() > KivDxfFile::kMaxTextBytes)
        raw.resize(KivDxfFile::kMaxTextBytes);
    const std::string text = m_text.Decode(raw);
    e.height = real(groups, 40, 1.0);
    e.points = {{real(groups, 10), real(groups, 20)}, {real(groups, 11), real(groups, 21)}};
    e.elevation = real(groups, 30);
    if (type == "MTEXT") {
        e.text = DxfText::PlainMText(text);
        e.ocs = false;
        // The attachment point, 1 to 9: top, middle, bottom rows of left, centre, right.
        const long long attach = std::clamp<long long>(integer(groups, 71, 1), 1, 9);
        e.halign = static_cast<int>((attach - 1) % 3);
        e.valign = static_cast<int>(3 - (attach - 1) / 3); // 3 top, 2 middle, 1 bottom
        bool direction = false;
        for (const auto& g : groups)
            direction = direction || g.code == 11;
        if (direction) {
            e.rotation = std::atan2(real(groups, 21), real(groups, 11)) * 180.0 / kPi;
        } else {
            e.rotation = real(groups, 50) * 180.0 / kPi;
        }
    } else {
        e.text = DxfText::PlainText(text);
        e.rotation = real(groups, 50);
        e.widthFactor = real(groups, 41, 1.0);
        e.halign = static_cast<int>(std::clamp<long long>(integer(groups, 72), 0, 5));
        e.valign = static_cast<int>(std::clamp<long long>(integer(groups, type == "ATTRIB" ? 74 : 73), 0, 3));
        bool alignPoint = false;
        for (const auto& g : groups)
            alignPoint = alignPoint || g.code == 11;
        if (!alignPoint)
            e.points[1] = e.points[0];
    }
    if (!(e.height > 0.0) || e.text.empty())
        return false;
    return true;
}

bool DxfParser::readHatch(const Groups& groups, KivDxfEntity& e)
{
    e.kind = KivDxfEntity::Kind::Hatch;
    e.solidFill = integer(groups, 70) == 1;
    e.elevation = real(groups, 30);
    // The boundary paths are read in order: their groups repeat codes that
    // mean other things before and after them.
    std::size_t i = 0;
    while (i < groups.size() && groups[i].code != 91)
        ++i;
    if (i == groups.size())
        return false;
    const long long paths = groups[i++].integer;
    auto num = [&](int code, double otherwise = 0.0) -> double {
        if (i < groups.size() && groups[i].code == code)
            return groups[i++].number;
        return otherwise;
    };
    auto whole = [&](int code, std::int64_t otherwise = 0) -> std::int64_t {
        if (i < groups.size() && groups[i].code == code)
            return groups[i++].integer;
        return otherwise;
    };
    for (long long p = 0; p < paths && i < groups.size(); ++p) {
        const long long type = whole(92);
        std::vector<KivDxfVertex> loop;
        if (type & 2) { // a polyline
            const bool bulges = whole(72) != 0;
            whole(73);
            const long long count = whole(93);
            for (long long v = 0; v < count && i < groups.size(); ++v) {
                KivDxfVertex vertex {num(10), num(20), 0.0};
                if (bulges)
                    vertex.bulge = num(42);
                if (++m_hatchEdges > KivDxfFile::kMaxHatchEdges || loop.size() >= KivDxfFile::kMaxVertices)
                    return false;
                loop.push_back(vertex);
            }
        } else {
            const long long edges = whole(93);
            for (long long k = 0; k < edges && i < groups.size(); ++k) {
                if (++m_hatchEdges > KivDxfFile::kMaxHatchEdges || loop.size() >= KivDxfFile::kMaxVertices)
                    return false;
                const long long edge = whole(72);
                if (edge == 1) {
                    const KivDxfVertex a {num(10), num(20)}, b {num(11), num(21)};
                    loop.push_back(a);
                    loop.push_back(b);
                } else if (edge == 2 || edge == 3) {
                    const double cx = num(10), cy = num(20);
                    double mx = 0, my = 0, ratio = 1, r = 1;
                    if (edge == 2) {
                        r = num(40);
                    } else {
                        mx = num(11);
                        my = num(21);
                        ratio = num(40);
                    }
                    const double a0 = num(50) * kPi / 180.0, a1 = num(51) * kPi / 180.0;
                    const bool ccw = whole(73, 1) != 0;
                    // A clockwise edge stores its angles mirrored.
                    const double s = ccw ? a0 : -a0, t = ccw ? a1 : -a1;
                    if (edge == 2)
                        dxfgeometry::arc(cx, cy, r, s, t, ccw, loop);
                    else
                        dxfgeometry::ellipse(cx, cy, mx, my, -my * ratio, mx * ratio, s, t, ccw, loop);
                } else if (edge == 4) {
                    const int degree = static_cast<int>(whole(94, 3));
                    const bool rational = whole(73) != 0;
                    whole(74);
                    const long long knots = whole(95), controls = whole(96);
                    std::vector<double> k, w;
                    std::vector<KivDxfVertex> c;
                    for (long long j = 0; j < knots && i < groups.size() && groups[i].code == 40; ++j)
                        k.push_back(num(40));
                    for (long long j = 0; j < controls && i < groups.size() && groups[i].code == 10; ++j) {
                        c.push_back({num(10), num(20)});
                        if (rational)
                            w.push_back(num(42, 1.0));
                    }
                    const long long fits = whole(97);
                    std::vector<KivDxfVertex> f;
                    for (long long j = 0; j < fits && i < groups.size() && groups[i].code == 11; ++j)
                        f.push_back({num(11), num(21)});
                    num(12);
                    num(22);
                    num(13);
                    num(23);
                    if (!dxfgeometry::spline(degree, k, c, w, loop))
                        loop.insert(loop.end(), f.empty() ? c.begin() : f.begin(), f.empty() ? c.end() : f.end());
                } else {
                    return false;
                }
            }
        }
        // The boundary objects the path came from.
        const long long sources = whole(97);
        for (long long s = 0; s < sources && i < groups.size() && groups[i].code == 330; ++s)
            ++i;
        if (loop.size() >= 2)
            e.loops.push_back(std::move(loop));
    }
    for (const auto& loop : e.loops)
        for (const auto& v : loop)
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.bulge))
                return false;
    return !e.loops.empty();
}
