// SPDX-License-Identifier: MIT
// Any bytes as a slide library directory.
#include "cad/KivSlideFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<KivSldLibInfo> entries;
    if (KivSlideFile::ReadLibraryDirectory(data, size, &entries) == 0) {
        // Every slice the directory promises lies inside the bytes.
        for (const auto& e : entries)
            if (e.address < 0 || e.size < 0 || static_cast<std::size_t>(e.address + e.size) > size)
                __builtin_trap();
    }
    return 0;
}
