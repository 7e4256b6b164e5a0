// SPDX-License-Identifier: MIT
// Internals of the slide library operations shared with the slide readers,
// and exported for the drawing half in the widget library.
#pragma once

#include "cad/KivSlideFile.h"
#include "platform/io/ByteSource.h"

#include <string>
#include <vector>

namespace slidelib {

// Libraries address slides with 32-bit signed offsets: nothing past 2 GiB.
constexpr std::uint64_t kMaxLibrarySize = 0x7FFFFFFF;

// A whole slide or library file as one block (mapped, else read); false when
// it is no regular file that can be read, or too large.
KIVCORE_EXPORT bool openWholeFile(const std::string& path, ByteSource& out, std::string* why = nullptr);

// One slide of a library: file gets the library, view the slide's bytes in
// it. 0, or the code recorded.
KIVCORE_EXPORT int openLibrarySlide(const char* library, const char* slide, ByteSource& file, ByteSource& view);

// The same for the library file at path (resolved ignoring case): 0, 1
// (cannot open; name in the message), 4 (no library or a damaged directory)
// or 5 (not found; name and slide in the message).
KIVCORE_EXPORT int openSlideFromLibraryFile(
    const std::string& path, const std::string& name, const char* slide, ByteSource& file, ByteSource& view);

// Appends the slide file to the library, or replaces the slide of its name:
// 0, or the code recorded.
int addSlide(const char* library, const char* slideFile, bool replace);

// The bytes start with a slide's identification.
bool hasSlideId(const std::vector<std::uint8_t>& bytes);

} // namespace slidelib
