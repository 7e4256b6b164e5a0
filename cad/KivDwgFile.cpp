// SPDX-License-Identifier: MIT
#include "cad/KivDwgFile.h"

#include "platform/base/ByteOrder.h"
#include "platform/io/ByteReader.h"
#include "platform/io/PathNoCase.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const std::uint8_t kStartSentinel[16]
    = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28, 0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kHeaderEntry = 1;
// The image address lies at offset 13 of the file.
constexpr std::uint64_t kAddressAt = 13;
// A PNG's width and height end 24 bytes in (signature, IHDR length and tag).
constexpr std::size_t kPngSizeEnd = 24;
// A bitmap's header (BITMAPINFOHEADER): its width at 4, its height at 8.
constexpr std::size_t kBitmapHeaderSize = 40;

bool startsWithNoCase(const char* text, const char* prefix)
{
    return CompareNoCaseN(text, prefix, std::strlen(prefix)) == 0;
}

} // namespace

bool KivDwgFile::IsPng(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

int KivDwgFile::VersionNumber(const char* version)
{
    // "AC" and four digits; the releases before 13 also used "AC1.50",
    // "AC2.10" and the like, which no byte-wise comparison orders.
    if (!version || version[0] != 'A' || version[1] != 'C')
        return 0;
    int number = 0;
    for (int i = 2; i < 6; ++i) {
        if (version[i] < '0' || version[i] > '9')
            return 0;
        number = number * 10 + (version[i] - '0');
    }
    switch (number) {
    case 1014: return 1400;
    case 1013: return 1304;
    case 1012: return 1300;
    case 1009: return 1200;
    default: break;
    }
    if (number > 1014)
        return 1499;
    if (number > 1012)
        return 1399;
    if (number > 1009)
        return 1299;
    return 0;
}

bool KivDwgFile::IsAddress(const char* path)
{
    return path && (startsWithNoCase(path, "http://") || startsWithNoCase(path, "https://"));
}

void KivDwgFile::readVersion()
{
    std::uint8_t version[6] = {};
    m_source.read(0, version, sizeof version);
    std::memcpy(m_szVersion, version, 6);
    m_szVersion[6] = '\0';
    m_nVersion = VersionNumber(m_szVersion);
}

int KivDwgFile::Open(const char* path)
{
    Close();
    m_error.clear();
    if (!path || !*path) {
        m_error = "no file name";
        return 0;
    }
    ByteSource file;
    if (!file.openFile(ResolvePathNoCase(path))) {
        CString why = file.errorText();
        const bool missing = file.error() == ENOENT;
        if (!file.openFile(ResolvePathNoCase((CString(path) + ".DWG").c_str()))) {
            if (missing)
                why = file.errorText();
            m_error = why;
            return 0;
        }
    }
    m_source = std::move(file);
    m_path = path;
    readVersion();
    return 1;
}

void KivDwgFile::Adopt(ByteSource&& source, const char* name)
{
    Close();
    m_source = std::move(source);
    m_path = name ? name : "";
    readVersion();
}

int KivDwgFile::OpenBytes(const std::uint8_t* data, std::size_t size)
{
    Close();
    m_source = ByteSource::fromBytes(data ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>());
    readVersion();
    return 1;
}

void KivDwgFile::Close()
{
    m_source.close();
    m_path.clear();
    m_nVersion = 0;
    m_szVersion[0] = '\0';
    m_imageAddress = 0;
}

bool KivDwgFile::readDirectory(std::uint32_t* address, std::vector<KivDwgPreviewEntry>& entries, std::uint64_t& dataAt,
    std::uint64_t& dataSize, bool& complete)
{
    complete = false;
    entries.clear();
    // Before release 13 the bytes at offset 13 are no address.
    if (!IsOpen() || !HasPreviewVersion())
        return false;
    ByteReader in(m_source, kAddressAt);
    if (!in.le32(m_imageAddress))
        return false;
    if (address)
        *address = m_imageAddress;
    std::uint32_t n = 0;
    std::uint8_t sentinel[16] = {};
    if (!in.seek(m_imageAddress) || !in.bytes(sentinel, 16) || std::memcmp(sentinel, kStartSentinel, 16) != 0
        || !in.le32(n))
        return false;
    dataAt = in.pos();
    if (n == 0 || n > in.remaining())
        return false; // more image data than the file holds
    dataSize = n;
    std::uint8_t count = 0;
    in.u8(count);
    const std::uint64_t fit = std::min<std::uint64_t>(count, (n - 1) / 9);
    for (std::uint64_t i = 0; i < fit; ++i) {
        std::uint8_t e[9];
        if (!in.bytes(e, sizeof e))
            return false;
        entries.push_back({e[0], ReadLe32(e + 1), ReadLe32(e + 5)});
    }
    complete = fit == count;
    return true;
}

bool KivDwgFile::ReadEntries(std::uint32_t* address, std::vector<KivDwgPreviewEntry>* entries)
{
    std::vector<KivDwgPreviewEntry> found;
    std::uint64_t dataAt = 0, dataSize = 0;
    bool complete = false;
    // A directory longer than the image data still shows what fits.
    if (!readDirectory(address, found, dataAt, dataSize, complete))
        return false;
    if (entries)
        *entries = std::move(found);
    return true;
}

bool KivDwgFile::ReadPicture(Picture& picture, std::uint64_t limit)
{
    std::vector<KivDwgPreviewEntry> entries;
    std::uint64_t dataAt = 0, dataSize = 0;
    bool complete = false;
    if (!readDirectory(nullptr, entries, dataAt, dataSize, complete) || !complete)
        return false;
    const KivDwgPreviewEntry* chosen = nullptr;
    std::uint64_t headerSize = 0;
    for (const auto& e : entries) {
        if (e.code == kHeaderEntry)
            headerSize = e.size;
        // The first bitmap where there is one, else the PNG of release 2013
        // and later.
        if ((e.code == kBitmapEntry && (!chosen || chosen->code != kBitmapEntry)) || (e.code == kPngEntry && !chosen))
            chosen = &e;
    }
    if (!chosen)
        return false;
    const std::uint64_t dataEnd = dataAt + dataSize;
    std::uint64_t at = chosen->start, size = chosen->size;
    if (size == 0 || at < dataAt || at > dataEnd || dataEnd - at < size) {
        // An entry whose address does not lie in the image data: the
        // picture is taken to follow the header data, as older readers did.
        const std::uint64_t offset = 1 + 9 * static_cast<std::uint64_t>(entries.size()) + headerSize;
        if (offset >= dataSize)
            return false;
        at = dataAt + offset;
        size = dataSize - offset;
    }
    picture.code = chosen->code;
    return m_source.readRange(at, std::min(size, limit), picture.bytes, kMaxPictureBytes);
}

bool KivDwgFile::ReadImageSize(int* width, int* height)
{
    Picture picture;
    if (!ReadPicture(picture, std::max<std::size_t>(kBitmapHeaderSize, kPngSizeEnd)))
        return false;
    std::int64_t w = 0, h = 0;
    const std::uint8_t* b = picture.bytes.data();
    if (picture.code == kBitmapEntry && picture.bytes.size() >= kBitmapHeaderSize) {
        w = static_cast<std::int32_t>(ReadLe32(b + 4));
        h = static_cast<std::int32_t>(ReadLe32(b + 8));
        h = h < 0 ? -h : h;
    } else if (picture.code == kPngEntry && IsPng(picture.bytes) && picture.bytes.size() >= kPngSizeEnd) {
        w = ReadBe32(b + 16);
        h = ReadBe32(b + 20);
    }
    if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX)
        return false;
    if (width)
        *width = static_cast<int>(w);
    if (height)
        *height = static_cast<int>(h);
    return true;
}
