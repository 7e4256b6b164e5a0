// SPDX-License-Identifier: MIT
// Reads a DXF file's group stream into a KivDxfFile: the header, the layer
// table, the blocks, the entities and the preview picture. Entities are
// gathered group by group and then read by their type; what cannot be drawn
// or breaks a cap is counted as skipped.
#pragma once

#include "cad/DxfText_p.h"
#include "cad/KivDxfFile.h"
#include "cad/KivDxfTokenizer.h"

#include <vector>

class DxfParser {
public:
    DxfParser(KivDxfFile& file, KivDxfTokenizer& tokens) : m_file(file), m_tokens(tokens) { }
    // false when the bytes hold no DXF section at all.
    bool Run();

private:
    using Groups = std::vector<KivDxfGroup>;

    bool next();
    bool at(int code, const char* text) const;
    void header();
    void tables();
    void blocks();
    void thumbnail();
    void skipSection();
    // Reads entities up to a 0 group with one of the end markers, which
    // stays current.
    void entities(std::vector<KivDxfEntity>& into, bool modelSpace, const char* end1, const char* end2 = nullptr);
    // The groups of the entity whose 0 group is current, up to the next 0.
    void collect(Groups& groups);
    bool read(const std::string& type, const Groups& groups, KivDxfEntity& out);
    // Type, layer, colours and extrusion, which every entity has.
    void readCommon(const std::string& type, const Groups& groups, KivDxfEntity& out);
    bool readHatch(const Groups& groups, KivDxfEntity& out);
    bool readSpline(const Groups& groups, KivDxfEntity& out);
    bool readText(const std::string& type, const Groups& groups, KivDxfEntity& out);
    bool admit();
    void truncate(const std::string& why);

    KivDxfFile& m_file;
    KivDxfTokenizer& m_tokens;
    DxfText m_text;
    KivDxfGroup m_group;
    bool m_have = false;
    std::size_t m_count = 0;
    std::size_t m_hatchEdges = 0;
};
