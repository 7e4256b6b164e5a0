// SPDX-License-Identifier: MIT
#include "cad/KivSlideShelf.h"

#include "cad/SlideLibrary_p.h"
#include "platform/io/PathNoCase.h"

struct KivSlideShelf::Library {
    ByteSource file;
    std::vector<KivSldLibInfo> entries;
    bool readable = false;
};

KivSlideShelf::KivSlideShelf() = default;

KivSlideShelf::~KivSlideShelf() = default;

void KivSlideShelf::Clear()
{
    m_libraries.clear();
    m_slides.clear();
    m_nLibraryReads = 0;
}

namespace {

KivSlideShelf::Bytes copyOf(const std::uint8_t* data, std::size_t size)
{
    return std::make_shared<const std::vector<std::uint8_t>>(data, data + size);
}

std::size_t nameStart(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? 0 : sep + 1;
}

} // namespace

KivSlideShelf::Bytes KivSlideShelf::Get(const char* reference)
{
    const std::string text = reference ? reference : "";
    if (text.empty())
        return nullptr;
    if (const auto it = m_slides.find(text); it != m_slides.end())
        return it->second;
    Bytes bytes;
    const auto open = text.find('(');
    if (open == std::string::npos) {
        bytes = slideFile(text);
    } else {
        const auto close = text.find(')', open + 1);
        bytes = libraryMember(
            text.substr(0, open), text.substr(open + 1, close == std::string::npos ? close : close - open - 1));
    }
    m_slides[text] = bytes;
    return bytes;
}

KivSlideShelf::Bytes KivSlideShelf::slideFile(const std::string& name)
{
    // As the slide drawing opens a file: the name as given, with ".SLD"
    // when it has no extension, then its upper-cased spelling.
    std::string given = name;
    const std::size_t start = nameStart(given);
    if (given.find('.', start) == std::string::npos)
        given += ".SLD";
    else if (MakeUpperName(given.c_str()).find(".SLD", start) == std::string::npos)
        return nullptr;
    ByteSource source;
    if (!slidelib::openWholeFile(given, source)
        && !slidelib::openWholeFile(ResolvePathNoCase(MakeUpperName(given.c_str()).c_str()), source))
        return nullptr;
    return copyOf(source.data(), source.size());
}

KivSlideShelf::Bytes KivSlideShelf::libraryMember(const std::string& library, const std::string& slide)
{
    std::string file = library;
    if (file.size() < 4 || CompareNoCase(file.c_str() + file.size() - 4, ".slb") != 0)
        file += ".SLB";
    auto& entry = m_libraries[file];
    if (!entry) {
        entry = std::make_unique<Library>();
        ++m_nLibraryReads;
        entry->readable = slidelib::openWholeFile(ResolvePathNoCase(file.c_str()), entry->file)
            && KivSlideFile::ReadLibraryDirectory(entry->file.data(), entry->file.size(), &entry->entries) == 0;
    }
    if (!entry->readable)
        return nullptr;
    for (const KivSldLibInfo& e : entry->entries) {
        if (CompareNoCase(e.name, slide.c_str()) != 0)
            continue;
        // The directory was checked against the file when it was read.
        const auto at = static_cast<std::size_t>(e.address), size = static_cast<std::size_t>(e.size);
        if (at > entry->file.size() || size > entry->file.size() - at)
            return nullptr;
        return copyOf(entry->file.data() + at, size);
    }
    return nullptr;
}
