// SPDX-License-Identifier: MIT
// One device-independent bitmap in memory (info header with a 256-entry
// colour table, pixel rows, a palette for 8 bits or fewer) that loads from
// and saves to BMP files, converts a device bitmap, and draws stretched or
// 1:1. Loading checks every size against the file: a damaged file gives 0
// and leaves the bitmap empty. Bitmaps are not copied.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Dib.h"
#include "platform/io/ByteSource.h"
#include "platform/io/CFile.h"

#include <memory>
#include <vector>

class CDIBitmap;

// The logical palette of a bitmap's colour table.
class KIVCTRL_EXPORT CBmpPalette : public CPalette {
public:
    explicit CBmpPalette(CDIBitmap* bitmap);
};

class KIVCTRL_EXPORT CDIBitmap {
public:
    static constexpr std::size_t kHeaderBlockSize = 40 + 256 * 4; // 1064

    CDIBitmap();
    virtual ~CDIBitmap();
    CDIBitmap(const CDIBitmap&) = delete;
    CDIBitmap& operator=(const CDIBitmap&) = delete;

    virtual int DrawDIB(CDC* dc, CRect& target, CRect& source);
    virtual void DrawDIB(CDC* dc, int x, int y, int width, int height);
    virtual void DrawDIB(CDC* dc, int x, int y);
    virtual int Load(const CString& path);
    // Reads the BMP from the file's current position: only the bytes it spans.
    virtual int Load(CFile* file);
    // The BMP at the start of source.
    int Load(const ByteSource& source);
    // The headers and colour table only, checked against source as Load
    // checks them: enough to tell the size, no pixels read or allocated.
    int LoadHeader(const ByteSource& source);
    // Through a temporary file and a rename: an existing file is replaced
    // only by a complete one.
    virtual int Save(const CString& path);
    virtual int Save(CFile* file);
    // The BMP file Save writes, in memory; empty when the bitmap is empty or
    // too big for the format's 32-bit sizes.
    std::vector<std::uint8_t> SaveBytes() { return serialize(); }

    void DestroyBitmap();
    int DeleteObject();
    void ClearPalette();
    int CreatePalette();

    BITMAPINFO* GetHeaderPtr() const { return reinterpret_cast<BITMAPINFO*>(m_header.get()); }
    RGBQUAD* GetColorTablePtr() const;
    BYTE* GetPixelPtr() const { return m_pixels.empty() ? nullptr : const_cast<BYTE*>(m_pixels.data()); }
    std::size_t GetPixelSize() const { return m_pixels.size(); }
    int GetWidth() const;
    int GetHeight() const;
    CBmpPalette* GetPalette() const { return m_palette.get(); }

    int GetColorCount() const;
    int GetPalEntries() const;
    // Row sizes in bytes; 0 when they do not fit an int.
    static int LastByte(int bitsPerPixel, int width);
    static int GetBytesPerLine(int bitsPerPixel, int width);

    // A bitmap resource of the current resource module, by name or number.
    int LoadResource(const char* name);
    int LoadResource(UINT id);
    int LoadBitmapA(const char* name) { return LoadResource(name); }
    int LoadBitmapA(UINT id) { return LoadResource(id); }
    int CreateFromBitmap(CDC* dc, CBitmap* bitmap);
    // The same from an image in memory.
    int CreateFromImage(const QImage& image);

protected:
    unsigned long GetBitsPerPixel() const;
    int PadBits();
    int UnPadBits();

private:
    struct Layout;
    static const char* plan(const std::uint8_t* head, std::size_t headSize, std::uint64_t available, Layout& out);
    int load(const ByteSource& source, bool withPixels);
    std::vector<std::uint8_t> serialize();
    int rows() const;

    std::unique_ptr<std::uint8_t[]> m_header;
    std::vector<std::uint8_t> m_pixels;
    std::unique_ptr<CBmpPalette> m_palette;
    int m_bPadded = 0;
};
