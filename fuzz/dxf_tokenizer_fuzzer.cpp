// SPDX-License-Identifier: MIT
// Any bytes as a DXF group stream, ASCII or binary: every pair is read
// inside the bytes, and a stream that fails says where.
#include "cad/KivDxfTokenizer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivDxfTokenizer tokens(data, size);
    KivDxfGroup group;
    std::size_t last = 0;
    while (tokens.Next(group)) {
        if (tokens.Offset() <= last || tokens.Offset() > size)
            __builtin_trap(); // every pair moves forward and stays inside
        last = tokens.Offset();
    }
    if (tokens.Failed() && tokens.Why().empty())
        __builtin_trap();
    return 0;
}
