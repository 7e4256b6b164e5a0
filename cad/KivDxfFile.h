// SPDX-License-Identifier: MIT
// A DXF drawing as read from its file, ASCII or binary, release 12 to
// current: the header's release, code page and extents, the layers, the
// blocks and the model space's entities, and the preview picture a
// THUMBNAILIMAGE section may carry. Strings are UTF-8 whatever the file's
// code page. Any input is safe: a file past the caps below, or a damaged
// one, fails or keeps what was read before the damage, never reading
// outside the bytes.
#pragma once

#include "core/KivCore_export.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct KivDxfVertex {
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0; // tan(sweep / 4) of the arc to the next vertex
};

struct KivDxfEntity {
    enum class Kind { Line, Point, Circle, Arc, Ellipse, Polyline, Spline, Solid, Face, Hatch, Text, MText, Insert };
    Kind kind = Kind::Line;
    std::string type; // the DXF name: "LWPOLYLINE", "TRACE", "DIMENSION" …
    std::string layer = "0";
    int colour = 256; // ACI: 0 by block, 256 by layer, 1-255
    std::int32_t trueColour = -1; // 0xRRGGBB, or -1
    double extrusion[3] = {0.0, 0.0, 1.0};
    double elevation = 0.0;

    // Line: 2 points; point: 1; circle, arc, ellipse: the centre; polyline:
    // its vertices; solid and face: 3 or 4 corners in drawing order; spline:
    // control points (fit points when there are none); text: the insertion
    // and the alignment point; insert: the insertion point.
    std::vector<KivDxfVertex> points;
    bool closed = false;
    bool ocs = true; // points lie in the entity's object coordinate system

    double radius = 0.0;
    double start = 0.0; // arc: degrees; ellipse: parameter in radians
    double end = 0.0;
    double axis[2] = {1.0, 0.0}; // ellipse: major axis; mtext: direction
    double ratio = 1.0; // ellipse: minor to major

    int degree = 3; // spline
    std::vector<double> knots;
    std::vector<double> weights;

    std::string text; // text, mtext: formatting codes already stripped
    double height = 0.0;
    double rotation = 0.0; // degrees
    double widthFactor = 1.0;
    int halign = 0; // 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit
    int valign = 0; // 0 baseline, 1 bottom, 2 middle, 3 top

    std::string block; // insert, dimension
    double scale[2] = {1.0, 1.0};
    int columns = 1;
    int rows = 1;
    double spacing[2] = {0.0, 0.0};

    bool solidFill = false; // hatch
    std::vector<std::vector<KivDxfVertex>> loops; // hatch boundaries, flattened, in the OCS
};

struct KivDxfLayer {
    std::string name;
    int colour = 7;
    std::int32_t trueColour = -1;
    bool off = false;
    bool frozen = false;
};

struct KivDxfBlock {
    std::string name;
    double base[2] = {0.0, 0.0};
    std::vector<KivDxfEntity> entities;
};

class KIVCORE_EXPORT KivDxfFile {
public:
    // The caps: a file or drawing beyond them is refused or cut there.
    static constexpr std::uint64_t kMaxFileBytes = std::uint64_t {256} << 20;
    static constexpr std::size_t kMaxEntities = 2'000'000; // model space and blocks together
    static constexpr std::size_t kMaxVertices = 1'000'000; // one polyline, spline or hatch boundary
    static constexpr std::size_t kMaxHatchEdges = 100'000; // one hatch, all its boundaries
    static constexpr std::size_t kMaxTextBytes = 65'536; // one text
    static constexpr std::size_t kMaxThumbnailBytes = std::size_t {16} << 20;

    // false, and GetError tells why, when the file cannot be read or is no
    // DXF drawing.
    bool Open(const char* path);
    bool OpenBytes(const std::uint8_t* data, std::size_t size);
    const std::string& GetError() const { return m_error; }

    bool IsBinary() const { return m_binary; }
    // $ACADVER ("AC1015"), and the release it names ("R2000"); "AC1009"
    // when the header does not say.
    const std::string& GetVersion() const { return m_version; }
    std::string GetRelease() const;
    // $DWGCODEPAGE ("ANSI_1252"), empty when the header does not say.
    const std::string& GetCodePage() const { return m_codePage; }
    // $EXTMIN and $EXTMAX when the header gives both.
    bool GetHeaderExtents(double min[2], double max[2]) const;

    const std::vector<KivDxfLayer>& GetLayers() const { return m_layers; }
    const KivDxfLayer* FindLayer(const std::string& name) const;
    const std::vector<KivDxfBlock>& GetBlocks() const { return m_blocks; }
    const KivDxfBlock* FindBlock(const std::string& name) const;
    // The model space's entities, in file order.
    const std::vector<KivDxfEntity>& GetEntities() const { return m_entities; }
    // The THUMBNAILIMAGE section's bytes (a BMP without its file header, or
    // a PNG), empty when there is none.
    const std::vector<std::uint8_t>& GetThumbnail() const { return m_thumbnail; }

    // Entities left out: of a kind not drawn, with a coordinate that is no
    // number, or past a cap.
    std::size_t GetSkipped() const { return m_skipped; }
    // The file ended in damage or a cap cut it: what was read before is
    // kept; GetError says where.
    bool IsTruncated() const { return m_truncated; }

private:
    friend class DxfParser;

    std::string m_error;
    bool m_binary = false;
    std::string m_version = "AC1009";
    std::string m_codePage;
    bool m_hasExtents = false;
    double m_extMin[2] = {0.0, 0.0};
    double m_extMax[2] = {0.0, 0.0};
    std::vector<KivDxfLayer> m_layers;
    std::vector<KivDxfBlock> m_blocks;
    std::map<std::string, std::size_t> m_blockIndex;
    std::map<std::string, std::size_t> m_layerIndex;
    std::vector<KivDxfEntity> m_entities;
    std::vector<std::uint8_t> m_thumbnail;
    std::size_t m_skipped = 0;
    bool m_truncated = false;
};
