// SPDX-License-Identifier: MIT
// The preview picture stored in DWG drawings of release 13 and later: read
// from a local file or an http(s) address and drawn into a window. Bitmap
// previews of any depth and the PNG previews of release 2013 and later are
// drawn; white (and the drawing's own back colour) take the given colour.
// Nothing past the image data or the file is ever read, and a picture of
// more than kMaxPreviewPixels pixels is not decoded.
#pragma once

#include "cad/KivDwgFile.h"
#include "core/KivCtrl_export.h"
#include "platform/gdi/CDC.h"

#include <QImage>

#include <cstdint>
#include <vector>

class CWnd;

class KIVCTRL_EXPORT KivDwgPreview {
public:
    // The caps of the file reader (KivDwgFile), which this reads through.
    static constexpr std::int64_t kMaxPreviewPixels = KivDwgFile::kMaxPreviewPixels;
    static constexpr std::uint64_t kMaxPictureBytes = KivDwgFile::kMaxPictureBytes;

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
    bool IsOpen() const { return m_file.IsOpen(); }
    // The name the open drawing was opened under.
    const CString& GetPath() const { return m_file.GetPath(); }
    // Why the last Open failed, for a message.
    const CString& GetError() const { return m_error; }
    static bool IsAddress(const char* path) { return KivDwgFile::IsAddress(path); }

    int GetVersion() const { return m_file.GetVersion(); }
    const char* GetVersionString() const { return m_file.GetVersionString(); }
    // Release 13 or later: only these carry a preview.
    bool HasPreviewVersion() const { return m_file.HasPreviewVersion(); }
    static int VersionNumber(const char* version) { return KivDwgFile::VersionNumber(version); }

    // The preview section's address and entries; false when there is none.
    bool ReadEntries(std::uint32_t* address, std::vector<KivDwgPreviewEntry>* entries)
    {
        return m_file.ReadEntries(address, entries);
    }
    // The picture's size from its header, without decoding its pixels.
    bool ReadImageSize(int* width, int* height) { return m_file.ReadImageSize(width, height); }
    // The picture, recoloured: white and colour swap as the palette rule
    // says; a null image when there is none.
    QImage ReadImage(COLORREF colour);
    // A stored picture's bytes (a BMP without its file header, or a PNG, as
    // DWG and DXF files keep their previews) decoded and recoloured as
    // ReadImage does; a null image when they are neither, or too big.
    static QImage DecodePicture(const std::vector<std::uint8_t>& bytes, COLORREF colour);

    // Draws image centred (or scaled to client with autoSize) into client.
    static void DrawImage(CDC* dc, const CRect& client, const QImage& image, int autoSize);
    // Reads the picture and draws it into the window's client area, or the
    // whole surface without a window.
    void DrawPreview(CWnd* window, CDC* dc, COLORREF colour, int invert, int autoSize);

private:
    KivDwgFile m_file;
    CString m_error;
    CString m_downloaded; // removed on Close
};

// Opens the drawing in the program registered for ".dwg" (the registry
// store's "open" command, else the desktop's default application). 1 when
// started; 0, with a message box when it could not be started, otherwise.
KIVCTRL_EXPORT int KivShellCommandOpenDWG(const char* path);
