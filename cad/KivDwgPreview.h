// The preview picture stored in DWG drawings of release 13 and later: read
// from a local file or an http(s) address and drawn into a window. Bitmap
// previews of any depth and the PNG previews of release 2013 and later are
// drawn; white (and the drawing's own back colour) take the given colour.
// Nothing past the image data or the file is ever read, and a picture of
// more than kMaxPreviewPixels pixels is not decoded.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/io/ByteSource.h"
#include "platform/gdi/CDC.h"

#include <QImage>

#include <cstdint>
#include <vector>

class CWnd;

// One entry of the preview's directory: 1 header, 2 bitmap, 3 metafile, 6 PNG.
// start is a file offset.
struct KivDwgPreviewEntry {
    int code;
    std::uint32_t start;
    std::uint32_t size;
};

class KIVCTRL_EXPORT KivDwgPreview {
public:
    // Previews are thumbnails; a bigger declared size is a damaged or
    // hostile file (4096 × 4096, 64 MiB decoded).
    static constexpr std::int64_t kMaxPreviewPixels = std::int64_t {4096} * 4096;
    // The most image data read for one picture.
    static constexpr std::uint64_t kMaxPictureBytes = std::uint64_t {64} << 20;

    KivDwgPreview();
    ~KivDwgPreview();
    KivDwgPreview(const KivDwgPreview&) = delete;
    KivDwgPreview& operator=(const KivDwgPreview&) = delete;

    // A path (".DWG" is added when it opens without) or an http(s) address,
    // fetched into a private temporary file within the download limits. The
    // drawing that is open under the same name is kept: it is neither read
    // nor fetched again. 1 on success, 0 on failure (GetError tells why).
    int Open(const char* path);
    // A drawing fetched from address into file by the caller: the reader
    // takes the file over and removes it on Close.
    int OpenDownloaded(const char* address, const CString& file);
    // The drawing's bytes directly (tests, fuzzing).
    int OpenBytes(const std::uint8_t* data, std::size_t size);
    void Close();
    bool IsOpen() const { return m_source.isOpen(); }
    // The name the open drawing was opened under.
    const CString& GetPath() const { return m_path; }
    // Why the last Open failed, for a message.
    const CString& GetError() const { return m_error; }
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
    // The picture, recoloured: white and colour swap as the palette rule
    // says; a null image when there is none.
    QImage ReadImage(COLORREF colour);

    // Draws image centred (or scaled to client with autoSize) into client.
    static void DrawImage(CDC* dc, const CRect& client, const QImage& image, int autoSize);
    // Reads the picture and draws it into the window's client area, or the
    // whole surface without a window.
    void DrawPreview(CWnd* window, CDC* dc, COLORREF colour, int invert, int autoSize);

private:
    struct Picture {
        int code = 0;
        std::vector<std::uint8_t> bytes;
    };
    // The section's entries and where its image data lies; complete when
    // every entry the count declares fits in the image data.
    bool readDirectory(std::uint32_t* address, std::vector<KivDwgPreviewEntry>& entries, std::uint64_t& dataAt,
        std::uint64_t& dataSize, bool& complete);
    bool readPicture(Picture& picture, std::uint64_t limit);
    void readVersion();

    ByteSource m_source;
    CString m_path;
    CString m_error;
    int m_nVersion = 0;
    char m_szVersion[7] = {};
    std::uint8_t m_sentinel[16] = {};
    std::uint32_t m_imageAddress = 0;
    CString m_downloaded; // removed on Close
};

// Opens the drawing in the program registered for ".dwg" (the registry
// store's "open" command, else the desktop's default application). 1 when
// started; 0, with a message box when it could not be started, otherwise.
KIVCTRL_EXPORT int KivShellCommandOpenDWG(const char* path);
