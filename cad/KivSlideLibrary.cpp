// SPDX-License-Identifier: MIT
#include "cad/KivSlideFile.h"

#include "cad/SlideLibrary_p.h"
#include "platform/base/ByteOrder.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/io/PathPieces.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {

const char kLibraryId[29] = {'A', 'u', 't', 'o', 'C', 'A', 'D', ' ', 'S', 'l', 'i', 'd', 'e', ' ', 'L', 'i', 'b', 'r',
    'a', 'r', 'y', ' ', '1', '.', '0', '\r', '\n', 0x1A, 0};
constexpr std::size_t kChunk = 0xEFFF; // extraction copies at most this much at once

// Reads a source front to back in blocks, so a directory of thousands of
// entries costs a few reads, not one per entry.
class BlockReader {
public:
    explicit BlockReader(const ByteSource& source) : m_source(source) { }
    bool read(std::uint64_t offset, void* out, std::size_t n)
    {
        if (offset < m_start || offset + n > m_start + m_block.size()) {
            const std::uint64_t size = m_source.size();
            if (offset > size || size - offset < n)
                return false;
            m_start = offset;
            m_block.resize(
                static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, std::max<std::size_t>(n, 65536))));
            if (!m_source.read(offset, m_block.data(), m_block.size()))
                return false;
        }
        std::memcpy(out, m_block.data() + (offset - m_start), n);
        return true;
    }

private:
    const ByteSource& m_source;
    std::vector<std::uint8_t> m_block;
    std::uint64_t m_start = 0;
};

// 0, 4 (no library, or a damaged directory) or 7 (no slide).
int parseDirectory(const ByteSource& source, std::vector<KivSldLibInfo>& entries)
{
    entries.clear();
    const std::uint64_t size = source.size();
    BlockReader reader(source);
    std::uint8_t header[KivSlideFile::kLibraryHeaderSize];
    if (size > slidelib::kMaxLibrarySize || !reader.read(0, header, sizeof header)
        || std::memcmp(header, kLibraryId, sizeof kLibraryId) != 0)
        return 4;

    std::uint64_t at = KivSlideFile::kLibraryHeaderSize;
    for (;;) {
        std::uint8_t raw[KivSlideFile::kDirectoryEntrySize];
        if (!reader.read(at, raw, sizeof raw))
            return 4; // the file ends inside the directory
        at += sizeof raw;
        if (raw[0] == 0 && raw[1] == 0 && raw[2] == 0 && raw[3] == 0)
            break;
        KivSldLibInfo entry {};
        std::memcpy(entry.name, raw, 31);
        entry.name[31] = '\0';
        const std::uint32_t address = ReadLe32(raw + 32);
        // Addresses must lie in the file and never run backwards.
        if (address > size || (!entries.empty() && address < static_cast<std::uint32_t>(entries.back().address)))
            return 4;
        entry.address = static_cast<long>(address);
        entries.push_back(entry);
    }
    if (entries.empty())
        return 7;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const long next = i + 1 < entries.size() ? entries[i + 1].address : static_cast<long>(size);
        entries[i].size = next - entries[i].address;
    }
    return 0;
}

std::size_t nameStart(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? 0 : sep + 1;
}

bool nameHasDot(const std::string& path)
{
    return path.find('.', nameStart(path)) != std::string::npos;
}

// Listing: the file name lower-cased, ".slb" added unless it holds one.
std::string listingName(const char* library)
{
    std::string name = MakeLowerName(library);
    if (name.find(".slb", nameStart(name)) == std::string::npos)
        name += ".slb";
    return name;
}

// Creating and rewriting: ".slb" added when the name has no dot.
std::string rewriteName(const char* library)
{
    std::string name = library ? library : "";
    if (!nameHasDot(name))
        name += ".slb";
    return name;
}

// The file a completed name stands for. The caller's own spelling, completed
// alike, comes first ("Lib.slb" must not open a "lib.slb" beside it); then
// the completed name, its file name matched ignoring case.
std::string resolveCompleted(const char* library, const std::string& completed)
{
    const std::string given = library ? library : "";
    if (completed.size() >= given.size()) {
        const std::string asGiven = NativeSeparators((given + completed.substr(given.size())).c_str());
        if (PathExists(asGiven.c_str()))
            return asGiven;
    }
    return ResolvePathNoCase(completed.c_str());
}

// The existing library a name stands for: the listing's completion first,
// then the rewrite's ("parts.lib" is parts.lib.slb when that exists, else
// parts.lib), so that every operation finds the same file. Empty when
// neither exists.
std::string findLibrary(const char* library)
{
    for (const std::string& name : {listingName(library), rewriteName(library)})
        if (std::string resolved = resolveCompleted(library, name); PathExists(resolved.c_str()))
            return resolved;
    return {};
}

std::string slideFileName(const char* slideFile)
{
    std::string name = slideFile ? slideFile : "";
    if (!nameHasDot(name))
        name += ".SLD";
    return name;
}

// The slide name a file gets in a library: its title, upper-cased, cut to 31
// bytes without splitting a UTF-8 character.
std::string slideNameOf(const char* slideFile)
{
    std::string name = MakeUpper(SplitPath(slideFileName(slideFile).c_str()).title);
    if (name.size() > KivSlideFile::kMaxSlideName) {
        std::size_t cut = KivSlideFile::kMaxSlideName;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name;
}

int findSlide(const std::vector<KivSldLibInfo>& entries, const char* slide)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (CompareNoCase(entries[i].name, slide ? slide : "") == 0)
            return static_cast<int>(i);
    return -1;
}

int fail(int code, const std::string& name = {}, const std::string& slide = {})
{
    KivSlideFile::SetSlideError(code, name.c_str(), slide.c_str());
    return code;
}

// The same, with the reason the system gave: what was done to which file.
int failBecause(int code, const std::string& name, const std::string& what, const std::string& why)
{
    fail(code, name);
    KivSlideFile::SetSlideErrorReason(what + ": " + why);
    return code;
}

std::string systemReason()
{
    return std::strerror(errno);
}

// Lists a library, recording 1, 4 or 7 on failure; path is the file found.
int listLibrary(
    const char* library, std::vector<KivSldLibInfo>& entries, std::string* path = nullptr, ByteSource* opened = nullptr)
{
    const std::string resolved = findLibrary(library);
    if (path)
        *path = resolved;
    ByteSource local;
    ByteSource& source = opened ? *opened : local;
    if (resolved.empty())
        return failBecause(1, listingName(library), "cannot open " + listingName(library), std::strerror(ENOENT));
    if (!source.openFile(resolved))
        return failBecause(1, resolved, "cannot open " + resolved, source.errorText());
    const int code = parseDirectory(source, entries);
    if (code == 7)
        return fail(7, library ? library : "");
    if (code != 0)
        return fail(code);
    return 0;
}

bool writeLibraryHead(AtomicFile& out, const std::vector<KivSldLibInfo>& entries);

// A library being changed: the file, locked from reading its directory to
// the rename of its new version, and its directory.
struct LockedLibrary {
    std::string path;
    ByteSource source;
    std::vector<KivSldLibInfo> entries;
};

// Finds, locks and lists the library an operation changes. The file its
// listing name finds is taken, else the one its creation name finds: a file
// that exists is never taken for missing because of its name. Only when
// neither exists and create is set is an empty library made, and never over
// a file that appeared meanwhile. 0 (7 when it holds no slide), or 1 or 4
// recorded; an existing file that is no library stays untouched.
int lockLibrary(const char* library, LockedLibrary& lib, bool create)
{
    lib.path = findLibrary(library);
    if (lib.path.empty()) {
        const std::string completed = rewriteName(library);
        if (!create)
            return fail(1, listingName(library));
        lib.path = resolveCompleted(library, completed);
        AtomicFile out(lib.path);
        if (!out.open() || !writeLibraryHead(out, {}) || (!out.commitNew() && errno != EEXIST))
            return failBecause(1, completed, "cannot create " + lib.path, systemReason());
    }
    if (!lib.source.openLocked(lib.path))
        return failBecause(1, lib.path, "cannot open " + lib.path, lib.source.errorText());
    const int code = parseDirectory(lib.source, lib.entries);
    if (code == 7)
        return 7;
    if (code != 0)
        return fail(code);
    return 0;
}

bool writeLibraryHead(AtomicFile& out, const std::vector<KivSldLibInfo>& entries)
{
    std::vector<std::uint8_t> head(
        KivSlideFile::kLibraryHeaderSize + KivSlideFile::kDirectoryEntrySize * (entries.size() + 1));
    std::memcpy(head.data(), kLibraryId, sizeof kLibraryId);
    std::uint8_t* p = head.data() + KivSlideFile::kLibraryHeaderSize;
    for (const auto& e : entries) {
        std::memcpy(p, e.name, std::min(std::strlen(e.name), std::size_t {31}));
        WriteLe32(p + 32, static_cast<std::uint32_t>(e.address));
        p += KivSlideFile::kDirectoryEntrySize;
    }
    return out.write(head.data(), head.size());
}

bool copyRange(const ByteSource& from, std::uint64_t offset, std::uint64_t size, AtomicFile& out)
{
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk)));
    while (size > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk));
        if (!from.read(offset, buffer.data(), n) || !out.write(buffer.data(), n))
            return false;
        offset += n;
        size -= n;
    }
    return true;
}

struct AddedSlide {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Writes the locked library anew: the kept slides copied from the same open
// file that was listed, then the added one, under a directory whose
// addresses are where the bytes really land. The old file is replaced only
// once the new one is whole, and the lock is held until then.
int rewrite(LockedLibrary& lib, const std::vector<KivSldLibInfo>& kept, const AddedSlide* added)
{
    std::vector<KivSldLibInfo> directory = kept;
    if (added) {
        KivSldLibInfo entry {};
        CopyBounded(entry.name, sizeof entry.name, added->name.c_str());
        entry.size = static_cast<long>(added->bytes.size());
        directory.push_back(entry);
    }
    std::uint64_t total = KivSlideFile::kLibraryHeaderSize + KivSlideFile::kDirectoryEntrySize * (directory.size() + 1);
    for (auto& e : directory) {
        if (total + static_cast<std::uint64_t>(e.size) > slidelib::kMaxLibrarySize)
            return fail(6); // past what a library can address
        e.address = static_cast<long>(total);
        total += static_cast<std::uint64_t>(e.size);
    }

    AtomicFile out(lib.path);
    if (!out.open())
        return failBecause(1, lib.path, "cannot write " + lib.path, systemReason());
    bool ok = writeLibraryHead(out, directory);
    // Slides that lie one after another in the old file are copied as one
    // run, so a library of thousands of slides costs a few large copies.
    for (std::size_t i = 0; ok && i < kept.size();) {
        const std::uint64_t start = static_cast<std::uint64_t>(kept[i].address);
        std::uint64_t end = start + static_cast<std::uint64_t>(kept[i].size);
        for (++i; i < kept.size() && static_cast<std::uint64_t>(kept[i].address) == end; ++i)
            end += static_cast<std::uint64_t>(kept[i].size);
        ok = out.copyFrom(lib.source, start, end - start);
    }
    if (ok && added)
        ok = out.write(added->bytes.data(), added->bytes.size());
    if (!ok || !out.commit())
        return failBecause(6, {}, "cannot write " + lib.path, systemReason());
    return 0;
}

// Reads the slide file to add; 1 when it cannot be read, 3 when it is no
// slide (a library member that could never be read).
int readAddedSlide(const char* slideFile, AddedSlide& added)
{
    added.name = slideNameOf(slideFile);
    const std::string file = slideFileName(slideFile);
    ByteSource source;
    if (!source.openFile(ResolvePathNoCase(file.c_str())))
        return failBecause(1, file, "cannot open " + file, source.errorText());
    if (!source.readRange(0, source.size(), added.bytes, slidelib::kMaxLibrarySize))
        return failBecause(1, file, "cannot read " + file, source.error() ? source.errorText() : "too large");
    KivSlideFile slide;
    slide.OpenBytes(added.bytes.data(), added.bytes.size());
    if (!slidelib::hasSlideId(added.bytes) || slide.ReadHeader() == 3)
        return fail(3);
    return 0;
}

// A slide name as a file name: separators would leave the target folder.
std::string safeFileName(const char* stored)
{
    std::string name = stored;
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '_';
    return name;
}

std::string targetFolder(const char* folder, const char* library)
{
    if (!folder) {
        return NativeSeparators(FolderOfPath(library).c_str());
    }
    std::string dir = folder;
    if (dir.empty() || (dir.back() != '\\' && dir.back() != '/'))
        dir += '/';
    return ResolvePathNoCase(dir.c_str());
}

// A slide written where no file of its name is comes straight into its
// place: there is nothing to keep, so neither a temporary file nor a rename
// is needed, which makes exploding thousands of slides cheap. A file in the
// way, even one that appeared meanwhile, is replaced through a temporary.
int extractOne(const ByteSource& library, const KivSldLibInfo& entry, const FolderNameIndex& folder)
{
    const std::string target = folder.resolve(safeFileName(entry.name) + ".SLD");
    if (entry.size < 0 || static_cast<std::uint64_t>(entry.address) > library.size()
        || library.size() - static_cast<std::uint64_t>(entry.address) < static_cast<std::uint64_t>(entry.size))
        return fail(6);
    const auto address = static_cast<std::uint64_t>(entry.address);
    const auto size = static_cast<std::uint64_t>(entry.size);
    if (library.data()) {
        const WriteNewResult made = WriteNewFile(target, library.data() + address, static_cast<std::size_t>(size));
        if (made == WriteNewResult::Written)
            return 0;
        if (made == WriteNewResult::Failed)
            return failBecause(1, target, "cannot write " + target, systemReason());
    }
    AtomicFile out(target);
    if (!out.open())
        return failBecause(1, target, "cannot write " + target, systemReason());
    if (!copyRange(library, address, size, out) || !out.commit())
        return failBecause(6, {}, "cannot write " + target, systemReason());
    return 0;
}

} // namespace

namespace slidelib {

// The open file as one block: mapped, else read into memory.
static bool holdWhole(ByteSource& file)
{
    if (file.map())
        return true;
    std::vector<std::uint8_t> bytes;
    if (!file.readRange(0, file.size(), bytes))
        return false;
    file = ByteSource::fromBytes(std::move(bytes));
    return true;
}

bool openWholeFile(const std::string& path, ByteSource& out, std::string* why)
{
    ByteSource file;
    if (!file.openFile(path) || file.size() > kMaxLibrarySize || !holdWhole(file)) {
        if (why)
            *why = "cannot open " + path + ": "
                + (file.error() ? file.errorText()
                                : std::string("larger than the 2 GiB a slide or library can address"));
        return false;
    }
    out = std::move(file);
    return true;
}

int openSlideFromLibraryFile(
    const std::string& path, const std::string& name, const char* slide, ByteSource& file, ByteSource& view)
{
    if (std::string why; !openWholeFile(ResolvePathNoCase(path.c_str()), file, &why)) {
        fail(1, name);
        KivSlideFile::SetSlideErrorReason(why);
        return 1;
    }
    std::vector<KivSldLibInfo> entries;
    const int code = parseDirectory(file, entries);
    if (code == 7)
        return fail(5, name, slide ? slide : "");
    if (code != 0)
        return fail(4);
    const int index = findSlide(entries, slide);
    if (index < 0)
        return fail(5, name, slide ? slide : "");
    const KivSldLibInfo& e = entries[static_cast<std::size_t>(index)];
    view = ByteSource::fromMemory(file.data() + e.address, static_cast<std::size_t>(e.size));
    return 0;
}

int openLibrarySlide(const char* library, const char* slide, ByteSource& file, ByteSource& view)
{
    // The directory is read once, from the file the slide is then taken from.
    std::vector<KivSldLibInfo> entries;
    std::string path;
    if (const int code = listLibrary(library, entries, &path, &file))
        return code;
    const int index = findSlide(entries, slide);
    if (index < 0)
        return fail(5, library, slide ? slide : "");
    if (!holdWhole(file))
        return fail(1, path);
    const KivSldLibInfo& e = entries[static_cast<std::size_t>(index)];
    view = ByteSource::fromMemory(file.data() + e.address, static_cast<std::size_t>(e.size));
    return 0;
}

int addSlide(const char* library, const char* slideFile, bool replace)
{
    AddedSlide added;
    if (const int code = readAddedSlide(slideFile, added))
        return code;
    LockedLibrary lib;
    const int listed = lockLibrary(library, lib, true);
    if (listed != 0 && listed != 7)
        return listed;
    const int index = findSlide(lib.entries, added.name.c_str());
    if (index >= 0 && !replace)
        return fail(8, library, added.name);
    // Replacing is one rewrite that drops the old slide and adds the new
    // one, so that a failure never leaves the library without either.
    if (index >= 0)
        lib.entries.erase(lib.entries.begin() + index);
    return rewrite(lib, lib.entries, &added);
}

bool hasSlideId(const std::vector<std::uint8_t>& bytes)
{
    static const char kId[] = "AutoCAD Slide\r\n\x1a";
    return bytes.size() >= KivSlideFile::kNewHeaderSize && std::memcmp(bytes.data(), kId, sizeof kId) == 0
        && bytes[17] == 'V';
}

} // namespace slidelib

int KivSlideFile::ReadLibraryDirectory(const std::uint8_t* data, std::size_t size, std::vector<KivSldLibInfo>* entries)
{
    std::vector<KivSldLibInfo> local;
    const ByteSource source = ByteSource::fromMemory(data, data ? size : 0);
    return parseDirectory(source, entries ? *entries : local);
}

int KivSlideFile::CreateLibrary(const char* library)
{
    const std::string completed = rewriteName(library);
    const std::string path = resolveCompleted(library, completed);
    // A library being changed by another process is emptied after it.
    ByteSource held;
    if (PathExists(path.c_str()) && !held.openLocked(path))
        return fail(1, completed);
    AtomicFile out(path);
    if (!out.open())
        return fail(1, completed);
    if (!writeLibraryHead(out, {}) || !out.commit())
        return fail(1, completed);
    return 0;
}

KivSldLibInfo* KivSlideFile::GetSlideLibraryInfo(const char* library, int* count)
{
    if (count)
        *count = 0;
    std::vector<KivSldLibInfo> entries;
    if (listLibrary(library, entries) != 0)
        return nullptr;
    auto* info = new KivSldLibInfo[entries.size()];
    std::copy(entries.begin(), entries.end(), info);
    if (count)
        *count = static_cast<int>(entries.size());
    return info;
}

void KivSlideFile::FreeSlideLibraryInfo(KivSldLibInfo* info)
{
    delete[] info;
}

int KivSlideFile::GetSlideList(const char* library, CStringArray* names)
{
    if (names)
        names->RemoveAll();
    std::vector<KivSldLibInfo> entries;
    if (listLibrary(library, entries) != 0)
        return 0;
    if (names)
        for (const auto& e : entries)
            names->Add(e.name);
    return 1;
}

int KivSlideFile::AppendLibrary(const char* library, const char* slideFile)
{
    return slidelib::addSlide(library, slideFile, false);
}

int KivSlideFile::DeleteLibrary(const char* library, const char* slide)
{
    return DeleteLibrary(library, std::vector<std::string> {slide ? slide : ""});
}

int KivSlideFile::DeleteLibrary(const char* library, const std::vector<std::string>& slides)
{
    if (slides.empty())
        return 0;
    LockedLibrary lib;
    const int listed = lockLibrary(library, lib, false);
    if (listed == 7)
        return fail(7, library ? library : "");
    if (listed != 0)
        return listed;
    std::vector<bool> drop(lib.entries.size(), false);
    // Names are looked up by their folded form, so many deletions cost one
    // pass over the library rather than one per name; the first of equal
    // names counts, as findSlide's does.
    std::unordered_map<std::string, std::size_t> at;
    at.reserve(lib.entries.size());
    for (std::size_t i = 0; i < lib.entries.size(); ++i)
        at.emplace(
            MakeLower(std::string(lib.entries[i].name, strnlen(lib.entries[i].name, sizeof lib.entries[i].name))), i);
    const std::string* missing = nullptr;
    for (const std::string& slide : slides) {
        const auto found = at.find(MakeLower(slide));
        if (found == at.end() && !missing)
            missing = &slide;
        else if (found != at.end())
            drop[found->second] = true;
    }
    std::vector<KivSldLibInfo> kept;
    kept.reserve(lib.entries.size());
    for (std::size_t i = 0; i < lib.entries.size(); ++i)
        if (!drop[i])
            kept.push_back(lib.entries[i]);
    if (kept.size() < lib.entries.size())
        if (const int code = rewrite(lib, kept, nullptr))
            return code;
    // Like deleting one by one: the slides found are gone, and a name that
    // was not there is reported.
    if (missing)
        return fail(5, library ? library : "", *missing);
    return 0;
}

int KivSlideFile::ReplaceLibrary(const char* library, const char* slideFile)
{
    return slidelib::addSlide(library, slideFile, true);
}

int KivSlideFile::ExtractSlide(
    const char* folder, const char* library, const char* slide, KivSldLibInfo* info, int count)
{
    int index = -1;
    for (int i = 0; info && i < count && index < 0; ++i)
        if (CompareNoCase(info[i].name, slide ? slide : "") == 0)
            index = i;
    if (index < 0)
        return fail(5, library ? library : "", slide ? slide : "");
    const std::string path = findLibrary(library);
    ByteSource source;
    if (path.empty() || !source.openFile(path))
        return fail(1, path.empty() ? rewriteName(MakeUpperName(library).c_str()) : path);
    source.map();
    return extractOne(source, info[index], FolderNameIndex(targetFolder(folder, library)));
}

int KivSlideFile::ExtractLibrary(const char* library, const char* slide, const char* folder)
{
    int count = 0;
    std::unique_ptr<KivSldLibInfo[]> info(GetSlideLibraryInfo(library, &count));
    if (!info)
        return m_nSldError;
    return ExtractSlide(folder, library, slide, info.get(), count);
}

int KivSlideFile::RemoveLibrary(const char* library, const char* slide, const char* folder)
{
    if (const int code = ExtractLibrary(library, slide, folder))
        return code;
    return DeleteLibrary(library, slide);
}

int KivSlideFile::ExplodeLibrary(const char* library, const char* folder)
{
    return ExplodeLibrary(library, folder, {});
}

int KivSlideFile::ExplodeLibrary(
    const char* library, const char* folder, const std::function<void(int done, int total)>& progress)
{
    // One open of the library for its directory and all its slides.
    std::vector<KivSldLibInfo> entries;
    ByteSource source;
    if (const int code = listLibrary(library, entries, nullptr, &source))
        return code;
    const FolderNameIndex dir(targetFolder(folder, library));
    source.map(); // where it maps, each new slide file is one write

    const int total = static_cast<int>(entries.size());
    for (int i = 0; i < total; ++i) {
        if (const int code = extractOne(source, entries[static_cast<std::size_t>(i)], dir))
            return code;
        if (progress)
            progress(i + 1, total);
    }
    return 0;
}

std::vector<CString> KivSlideFile::ExtractedFilesThatExist(
    const char* folder, const char* library, const std::vector<std::string>& slides)
{
    const FolderNameIndex dir(targetFolder(folder, library));
    std::vector<CString> files;
    for (const std::string& slide : slides) {
        const std::string name = safeFileName(slide.c_str()) + ".SLD";
        if (dir.contains(name))
            files.push_back(dir.resolve(name));
    }
    return files;
}
