// The THUMB.DB index of a thumbnail folder held in memory: one line per
// thumbnail made, "source|date|name\n", folded into a hash map from the
// source path (ASCII letters folded to lower case) to its newest line.
// Text is untrusted: lines over 255 characters, lines without three fields,
// dates that are no number and names that are not 16 hex digits count as
// dead lines and are never used.
#pragma once

#include "imaging/KivLead_export.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

struct KivLeadThumbEntry {
    std::string source; // as it was written
    double date = 0.0; // days since 1899-12-30, local time
    std::string name; // 16 hex digits
    std::string line; // the whole line, with its end
    std::size_t order = 0; // position among the lines read
};

class KIVLEAD_EXPORT KivLeadThumbIndex {
public:
    static constexpr std::size_t kMaxLine = 255; // characters before the line end

    // Adds the whole lines of text; a last line without its end is left out.
    // Returns the bytes taken, so that the rest is read again once complete.
    std::size_t parse(std::string_view text);
    // The newest entry for source, compared ignoring ASCII case; null if none.
    const KivLeadThumbEntry* find(std::string_view source) const;
    void clear();
    std::size_t lines() const { return m_lines; }
    std::size_t live() const { return m_map.size(); }
    // More than half the lines are dead (superseded or unreadable).
    bool wantsCompaction() const;
    // The live lines in the order they were written.
    std::string compacted() const;
    // line becomes "%s|%lf|%s\n" of the fields; false when it would pass
    // kMaxLine or a field holds a line end (such a line could never be found).
    static bool formatLine(std::string_view source, double date, std::string_view name, std::string& line);
    static bool isThumbName(std::string_view name);
    static std::string fold(std::string_view text);

private:
    void addLine(std::string_view line, std::size_t withEnd);

    std::unordered_map<std::string, KivLeadThumbEntry> m_map;
    std::size_t m_lines = 0;
};
