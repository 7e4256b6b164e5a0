// SPDX-License-Identifier: MIT
// The THUMB.DB index of a thumbnail folder held in memory: one line per
// thumbnail made, "source|date|name\n", folded into a hash map from the
// source path (ASCII letters folded to lower case) to its newest line. Only
// the live lines are kept, each once, so memory follows the live entries,
// not the size of the file. Text is untrusted: lines over 255 characters,
// lines without three fields, dates that are no number and names that are
// not 16 hex digits count as dead lines and are never used.
#pragma once

#include "imaging/KivLeadKit_export.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// One live line; the views point into text the index holds.
struct KivLeadThumbEntry {
    std::string_view source; // as it was written
    double date = 0.0; // days since 1899-12-30, local time
    std::string_view name; // 16 hex digits
    std::string_view line; // the whole line, with its end
    std::size_t order = 0; // position among the lines read
};

class KIVLEADKIT_EXPORT KivLeadThumbIndex {
public:
    static constexpr std::size_t kMaxLine = 255; // characters before the line end

    KivLeadThumbIndex();
    ~KivLeadThumbIndex();
    KivLeadThumbIndex(const KivLeadThumbIndex&) = delete;
    KivLeadThumbIndex& operator=(const KivLeadThumbIndex&) = delete;

    // Adds the whole lines of text; a last line without its end is left out.
    // Returns the bytes taken, so that the rest is read again once complete.
    std::size_t parse(std::string_view text);
    // The newest entry for source, compared ignoring ASCII case; null if none.
    const KivLeadThumbEntry* find(std::string_view source) const;
    // How many live lines name the thumbnail name: more than one only where
    // a forged line names another's.
    int references(std::string_view name) const;
    // Whether a line this index has read named the thumbnail before a newer
    // line for its source replaced it: a file of that name, if no live line
    // names it, was left by this cache.
    bool retired(std::string_view name) const;
    // Empties the index; the retired names stay known.
    void clear();
    std::size_t lines() const { return m_lines; }
    std::size_t live() const { return m_map.size(); }
    // Bytes of the live lines.
    std::size_t liveBytes() const { return m_liveBytes; }
    // More than half the lines are dead (superseded or unreadable).
    bool wantsCompaction() const;
    // The live entries in the order they were written.
    std::vector<const KivLeadThumbEntry*> entries() const;
    // The live lines in the order they were written.
    std::string compacted() const;
    // line becomes "%s|%lf|%s\n" of the fields; false when it would pass
    // kMaxLine or a field holds a line end (such a line could never be found).
    static bool formatLine(std::string_view source, double date, std::string_view name, std::string& line);
    static bool isThumbName(std::string_view name);
    static std::string fold(std::string_view text);

private:
    void addLine(std::string_view line, std::size_t withEnd);
    void forget(std::string_view name);
    static std::uint64_t valueOf(std::string_view name);

    struct FoldedHash {
        std::size_t operator()(std::string_view s) const;
    };
    struct FoldedEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct Slot {
        std::unique_ptr<char[]> text; // the line, which the views point into
        KivLeadThumbEntry entry;
    };
    // Keyed by the entry's source, a view into its own slot's text.
    std::unordered_map<std::string_view, Slot, FoldedHash, FoldedEqual> m_map;
    // How many live lines name each thumbnail (a forged line may name
    // another's), by the value of its 16 hex digits.
    std::unordered_map<std::uint64_t, int> m_names;
    std::unordered_set<std::uint64_t> m_retired;
    std::size_t m_lines = 0;
    std::size_t m_liveBytes = 0;
};
