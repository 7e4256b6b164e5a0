// SPDX-License-Identifier: MIT
// Any bytes as a THUMB.DB: every entry read names a thumbnail inside the
// folder, the compacted text reads back to the same entries, and a lookup
// of each source finds it.
#include "imaging/thumbcache/KivLeadThumbIndex.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    KivLeadThumbIndex index;
    const std::size_t taken = index.parse(text);
    if (taken > size || index.live() > index.lines())
        __builtin_trap();
    // Read in two pieces, as a growing file is, the result is the same.
    KivLeadThumbIndex pieces;
    const std::size_t half = pieces.parse(text.substr(0, size / 2));
    pieces.parse(text.substr(half));
    if (pieces.live() != index.live() || pieces.lines() != index.lines())
        __builtin_trap();
    const std::string compact = index.compacted();
    KivLeadThumbIndex again;
    if (again.parse(compact) != compact.size() || again.live() != index.live() || again.lines() != index.live())
        __builtin_trap();
    std::size_t start = 0;
    while (start < compact.size()) {
        const std::size_t end = compact.find('\n', start);
        const std::string_view line(compact.data() + start, end - start);
        const std::string_view source = line.substr(0, line.rfind('|', line.rfind('|') - 1));
        const KivLeadThumbEntry* entry = index.find(source);
        if (!entry || !KivLeadThumbIndex::isThumbName(entry->name))
            __builtin_trap();
        start = end + 1;
    }
    return 0;
}
