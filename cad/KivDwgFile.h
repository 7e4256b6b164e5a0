// SPDX-License-Identifier: MIT
// The preview section of a DWG drawing of release 13 and later, read from a
// local file or bytes without decoding anything: the release, the section's
// directory, the picture's size and its stored bytes. Nothing past the image
// data or the file is ever read. KivDwgPreview decodes and draws the picture
// and fetches drawings from http(s) addresses.
#pragma once

#include "core/KivCore_export.h"
#include "platform/base/CString.h"
#include "platform/io/ByteSource.h"

#include <cstdint>
#include <vector>

// One entry of the preview's directory: 1 header, 2 bitmap, 3 metafile, 6 PNG.
// start is a file offset.
struct KivDwgPreviewEntry {
    int code;
    std::uint32_t start;
    std::uint32_t size;
};

class KIVCORE_EXPORT KivDwgFile {
public:
    // Previews are thumbnails; a bigger declared size is a damaged or
    // hostile file (4096 × 4096, 64 MiB decoded).
    static constexpr std::int64_t kMaxPreviewPixels = std::int64_t {4096} * 4096;
    // The most image data read for one picture.
    static constexpr std::uint64_t kMaxPictureBytes = std::uint64_t {64} << 20;
    static constexpr int kBitmapEntry = 2;
    static constexpr int kPngEntry = 6;

    // The picture a preview stores: its entry code and its bytes.
    struct Picture {
        int code = 0;
        std::vector<std::uint8_t> bytes;
    };

    // A local path; ".DWG" is added when it opens without. 1 on success, 0
    // on failure (GetError tells why).
    int Open(const char* path);
    // A file opened by the caller, known under name.
    void Adopt(ByteSource&& source, const char* name);
    // The drawing's bytes directly (tests, fuzzing).
    int OpenBytes(const std::uint8_t* data, std::size_t size);
    void Close();
    bool IsOpen() const { return m_source.isOpen(); }
    const CString& GetPath() const { return m_path; }
    const CString& GetError() const { return m_error; }
    // An http or https address, which only KivDwgPreview fetches.
    static bool IsAddress(const char* path);

    int GetVersion() const { return m_nVersion; }
    const char* GetVersionString() const { return m_szVersion; }
    // Release 13 or later: only these carry a preview.
    bool HasPreviewVersion() const { return m_nVersion >= 1300; }
    static int VersionNumber(const char* version);

    // The preview section's address and entries; false when there is none.
    bool ReadEntries(std::uint32_t* address, std::vector<KivDwgPreviewEntry>* entries);
    // The picture's size from its header, without decoding its pixels.
    bool ReadImageSize(int* width, int* height);
    // The first bitmap where there is one, else the PNG, at most limit bytes
    // of it; false when there is none.
    bool ReadPicture(Picture& picture, std::uint64_t limit = kMaxPictureBytes);
    static bool IsPng(const std::vector<std::uint8_t>& bytes);

private:
    // The section's entries and where its image data lies; complete when
    // every entry the count declares fits in the image data.
    bool readDirectory(std::uint32_t* address, std::vector<KivDwgPreviewEntry>& entries, std::uint64_t& dataAt,
        std::uint64_t& dataSize, bool& complete);
    void readVersion();

    ByteSource m_source;
    CString m_path;
    CString m_error;
    int m_nVersion = 0;
    char m_szVersion[7] = {};
    std::uint32_t m_imageAddress = 0;
};
