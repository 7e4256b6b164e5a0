// SPDX-License-Identifier: MIT
// Slides held in memory for the cells of one page of a browser: each slide
// file is read once, and each slide library once, its directory parsed once
// for all the members the page shows. Clear drops everything, so a new page
// reads a library again (once).
#pragma once

#include "core/KivCore_export.h"
#include "platform/io/ByteSource.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct KivSldLibInfo;

class KIVCORE_EXPORT KivSlideShelf {
public:
    using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;

    KivSlideShelf();
    ~KivSlideShelf();
    KivSlideShelf(const KivSlideShelf&) = delete;
    KivSlideShelf& operator=(const KivSlideShelf&) = delete;

    // The bytes of the slide a reference names (a file, or library(slide)),
    // found as the slide drawing finds them; null when it cannot be read.
    Bytes Get(const char* reference);
    void Clear();
    // How many library files were read since the last Clear.
    int GetLibraryReads() const { return m_nLibraryReads; }

private:
    struct Library;
    Bytes slideFile(const std::string& name);
    Bytes libraryMember(const std::string& library, const std::string& slide);

    std::map<std::string, std::unique_ptr<Library>> m_libraries;
    std::map<std::string, Bytes> m_slides;
    int m_nLibraryReads = 0;
};
