// SPDX-License-Identifier: MIT
// A DXF drawing as what is drawn: outlines, fills and texts in drawing
// coordinates, with every block insertion, array and object coordinate
// system resolved and every colour decided (ByLayer, ByBlock, true colour).
// Readers of any toolkit draw from it: the painter of the views and cells,
// the SVG writer, the thumbnailer. Self-inserting blocks, deep nesting,
// huge arrays and coordinates that are no numbers are cut, never followed.
#pragma once

#include "core/KivCore_export.h"

#include "cad/KivDxfFile.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct KivDxfPoint {
    double x = 0.0;
    double y = 0.0;
};

struct KivDxfColour {
    int aci = 7; // 1-255; 7 shows black on a light background
    std::int32_t rgb = -1; // a true colour 0xRRGGBB, else -1
};

// One outline or fill; a fill of several contours (a hatch with holes) is
// filled by the even-odd rule.
struct KivDxfShape {
    std::vector<KivDxfPoint> points;
    std::vector<std::size_t> contourEnds; // the end of each contour in points
    bool closed = false;
    bool filled = false;
    KivDxfColour colour;
};

struct KivDxfLabel {
    std::string text; // lines separated by '\n'
    KivDxfPoint at;
    double height = 1.0;
    double angle = 0.0; // degrees, counter-clockwise
    double widthFactor = 1.0;
    int halign = 0; // 0 left, 1 centre, 2 right
    int valign = 0; // 0 baseline, 1 bottom, 2 middle, 3 top
    KivDxfColour colour;
};

class KIVCORE_EXPORT KivDxfScene {
public:
    static constexpr int kMaxBlockDepth = 16;
    static constexpr std::size_t kMaxPoints = 20'000'000;
    static constexpr std::size_t kMaxCopies = 2'000'000; // block copies, arrays and nesting together

    // The whole drawing, or only the entities on the named layers (a
    // block's entities on layer 0 count as on its insertion's layer).
    void Build(const KivDxfFile& file, const std::set<std::string>& layers = {});

    const std::vector<KivDxfShape>& GetShapes() const { return m_shapes; }
    const std::vector<KivDxfLabel>& GetLabels() const { return m_labels; }
    // How wide a line of text is for a height of 1 (glyphs are as tall as
    // the height says from baseline to capital top).
    using TextWidth = std::function<double(const std::string& line)>;
    // Of everything drawn; texts by width, or by an estimate of a sans
    // serif font's when none is given. False for an empty drawing.
    bool GetExtents(KivDxfPoint& min, KivDxfPoint& max, const TextWidth& width = {}) const;
    // A cap cut the drawing: what was built before is kept.
    bool IsTruncated() const { return m_truncated; }

private:
    struct Affine {
        double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
        KivDxfPoint apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
        Affine then(const Affine& outer) const;
    };
    struct Context {
        Affine transform;
        std::string layer; // the insertion's layer, for entities on layer 0
        KivDxfColour colour; // the insertion's colour, for ByBlock
        int depth = 0;
    };

    void entities(const std::vector<KivDxfEntity>& list, const Context& context);
    void entity(const KivDxfEntity& e, const Context& context);
    void insert(const KivDxfEntity& e, const Context& context, const Affine& ocs, const std::string& layer,
        const KivDxfColour& colour);
    void label(const KivDxfEntity& e, const Affine& to, const KivDxfColour& colour);
    bool add(KivDxfShape&& shape);
    static Affine ocsOf(const KivDxfEntity& e);

    const KivDxfFile* m_file = nullptr;
    const std::set<std::string>* m_only = nullptr;
    std::vector<KivDxfShape> m_shapes;
    std::vector<KivDxfLabel> m_labels;
    std::vector<const KivDxfBlock*> m_stack; // blocks being inserted, against self-insertion
    std::size_t m_points = 0;
    std::size_t m_copies = 0;
    bool m_truncated = false;
};
