// Internals of the slide library operations shared with the slide reader.
#pragma once

#include "cad/KivSlideFile.h"

#include <string>
#include <vector>

namespace slidelib {

// Libraries address slides with 32-bit signed offsets: nothing past 2 GiB.
constexpr std::uint64_t kMaxLibrarySize = 0x7FFFFFFF;

// The whole file into out; false when it cannot be read or is too large.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

// The bytes of one slide of a library: 0, or the code recorded.
int readLibrarySlide(const char* library, const char* slide, std::vector<std::uint8_t>& out);

} // namespace slidelib

namespace slidelib {

// The bytes of one slide of the library file at path (resolved ignoring
// case): 0, 1 (cannot open; name in the message), 4 (no library or a
// damaged directory) or 5 (not found; name and slide in the message).
int readSlideFromLibraryFile(
    const std::string& path, const std::string& name, const char* slide, std::vector<std::uint8_t>& out);

} // namespace slidelib
