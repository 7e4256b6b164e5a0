// The preview picture stored in DWG drawings of release 13 and later: read
// from a local file or an http(s) address and drawn into a window. Bitmap
// previews of any depth and the PNG previews of release 2013 and later are
// drawn; white (and the drawing's own back colour) take the given colour.
// Nothing past the image data or the file is ever read.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/CDC.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

class CWnd;

// One entry of the preview's directory: 1 header, 2 bitmap, 3 metafile, 6 PNG.
struct KivDwgPreviewEntry {
    int code;
    std::uint32_t start;
    std::uint32_t size;
};

class KIVCTRL_EXPORT KivDwgPreview {
public:
    KivDwgPreview();
    ~KivDwgPreview();
    KivDwgPreview(const KivDwgPreview&) = delete;
    KivDwgPreview& operator=(const KivDwgPreview&) = delete;

    // A path (".DWG" is added when it opens without) or an http(s) address,
    // fetched into a private temporary file. 1 on success, 0 on failure.
    int Open(const char* path);
    // The drawing's bytes directly (tests, fuzzing).
    int OpenBytes(const std::uint8_t* data, std::size_t size);
    void Close();

    int GetVersion() const { return m_nVersion; }
    const char* GetVersionString() const { return m_szVersion; }
    // Release 13 or later: only these carry a preview.
    bool HasPreviewVersion() const { return m_nVersion >= 1300; }
    static int VersionNumber(const char* version);

    // The preview section's address and entries; false when there is none.
    bool ReadEntries(std::uint32_t* address, std::vector<KivDwgPreviewEntry>* entries);
    // The picture, recoloured: white and colour swap as the palette rule
    // says; a null image when there is none.
    QImage ReadImage(COLORREF colour);

    // Draws the preview centred (or scaled to the client area with autoSize)
    // into the window's client area, or the whole surface without a window.
    void DrawPreview(CWnd* window, CDC* dc, COLORREF colour, int invert, int autoSize);

private:
    bool readSection(std::vector<std::uint8_t>& data, std::uint32_t* address);

    struct Source;
    std::unique_ptr<Source> m_source;
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
