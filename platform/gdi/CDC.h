// SPDX-License-Identifier: MIT
// A device context with GDI semantics over QPainter: mapping modes (MM_TEXT,
// MM_ISOTROPIC with the isotropic extent adjustment, MM_ANISOTROPIC), pens
// (width 0 is one pixel), solid brushes, raster operations, clipping, and
// GDI's pixel geometry: LineTo leaves out its last pixel, rectangles leave
// out their right and bottom edges. Antialiasing is never on.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/LogicalMapping.h"
#include "platform/base/Win32Types.h"

#include <QImage>
#include <QRegion>

#include <memory>

class QPainter;
class QPaintDevice;
class QWidget;

namespace vandrel::win32 {

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD DSTINVERT = 0x00550009;

constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int RGN_ERROR = 0;

// Raster operations of pens (SetROP2)
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_COPYPEN = 13;

constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

} // namespace vandrel::win32

class KIVGUI_EXPORT CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    int m_style = vandrel::win32::PS_SOLID;
    int m_width = 0;
    COLORREF m_color = 0;
};

class KIVGUI_EXPORT CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    COLORREF m_color = 0;
};

class KIVGUI_EXPORT CRgn {
public:
    // The rectangle with its edges in either order.
    BOOL CreateRectRgnIndirect(const CRect& rect);
    QRegion m_region; // device coordinates
};

class KIVGUI_EXPORT CBitmap {
public:
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    CSize GetSize() const { return {m_image.width(), m_image.height()}; }
    QImage m_image;
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

// A logical palette. Qt draws in true colour, so creating, selecting and
// realising one changes no pixel.
class KIVGUI_EXPORT CPalette {
public:
    virtual ~CPalette();
    BOOL CreatePalette(const PALETTEENTRY* entries, int count);
};

// A device bitmap handle: the caller releases it with DeleteObject.
using HBITMAP = CBitmap*;
KIVGUI_EXPORT BOOL DeleteObject(HBITMAP bitmap);

class KIVGUI_EXPORT CDC {
public:
    CDC();
    // Draws on image, which must outlive the context.
    explicit CDC(QImage* image);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context: nothing to draw on until a CBitmap is selected.
    BOOL CreateCompatibleDC(CDC* dc);
    // The whole surface, in device pixels.
    CRect GetSurfaceRect() const;
    // The painter behind the context, for drawings that need more than GDI
    // offers (antialiased curves, scaled text); null before painting starts.
    QPainter* GetPainter() const { return m_painter.get(); }

    // MM_TEXT (one unit a pixel) resets the extents; MM_ISOTROPIC shrinks
    // the viewport extent of the axis with the larger scale so a unit is as
    // long in x as in y; a zero extent is refused.
    int SetMapMode(int mode);
    CSize SetWindowExt(int x, int y);
    CSize SetViewportExt(int x, int y);
    CPoint SetViewportOrg(int x, int y);
    CSize GetWindowExt() const { return m_mapping.GetWindowExt(); }
    // The whole mapping at once, as a raster drawing the same picture has it.
    const LogicalMapping& GetMapping() const { return m_mapping; }
    void SetMapping(const LogicalMapping& mapping) { m_mapping = mapping; }
    // Logical to device coordinates, rounded to the nearest pixel.
    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;

    // Each gives back the object it replaced.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CBitmap* SelectObject(CBitmap* bitmap);

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint p) { return LineTo(p.x, p.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    int SetPolyFillMode(int mode);
    BOOL Polygon(const CPoint* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    void FillRect(const CRect* rect, CBrush* brush);
    void FillSolidRect(const CRect& rect, COLORREF color);
    BOOL InvertRect(const CRect* rect);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    int SetStretchBltMode(int mode);
    // How one-pixel lines meet what is there: R2_COPYPEN (the default),
    // R2_NOT (inverts it) or R2_XORPEN (xor with the pen's colour); drawing
    // the same line twice in the last two restores the surface.
    int SetROP2(int mode);

    // Clip regions are in device coordinates, as in GDI; null removes the clip.
    int SelectClipRgn(CRgn* region);

    // Copies the source rectangle of image onto the logical destination,
    // scaling by nearest pixels as GDI's default stretch mode does.
    BOOL StretchImage(int x, int y, int width, int height, const QImage& image, int sx, int sy, int sw, int sh,
        DWORD rop = vandrel::win32::SRCCOPY);
    // A DIB's pixels (1–32 bits, uncompressed) stretched onto the context;
    // the number of scan lines copied, 0 on failure.
    int StretchDIBits(int x, int y, int width, int height, int sx, int sy, int sw, int sh, const void* bits,
        const struct BITMAPINFO* info, UINT usage, DWORD rop);
    int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int sx, int sy, UINT startScan, UINT lines,
        const void* bits, const struct BITMAPINFO* info, UINT usage);
    // From a memory context; SRCCOPY, SRCINVERT (xor) or DSTINVERT.
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw, int sh, DWORD rop);

protected:
    // Starts painting on device; the derived paint context uses it.
    void begin(QPaintDevice* device);
    void end();

private:
    CPoint toDevice(int x, int y) const { return m_mapping.ToDevice(x, y); }
    void plot(const QPoint& p, COLORREF color);
    void cosmeticLine(CPoint from, CPoint to);
    // Sets the pixels straight in the image being painted, where nothing
    // (a transform beyond a shift, a clip, a raster operation) stands in
    // between; false when something does and the painter must draw them.
    bool plotDirect(const QPolygon& points, COLORREF color);

    std::unique_ptr<QPainter> m_painter;
    QImage* m_image = nullptr; // the surface when it is an image
    CBitmap* m_bitmap = nullptr; // selected into a memory context
    bool m_memory = false;

    LogicalMapping m_mapping;

    CPen m_defaultPen {vandrel::win32::PS_SOLID, 0, 0};
    CBrush m_defaultBrush {0xFFFFFF};
    CPen* m_pen = &m_defaultPen;
    CBrush* m_brush = &m_defaultBrush;
    CPoint m_position;
    int m_polyFillMode = vandrel::win32::ALTERNATE;
    int m_stretchMode = vandrel::win32::COLORONCOLOR;
    int m_rop2 = vandrel::win32::R2_COPYPEN;
    // The clip SelectClipRgn set, when it is one rectangle: lines may then
    // be set pixel by pixel within it.
    bool m_clipIsRect = false;
    QRect m_clipRect;
    CPalette* m_palette = nullptr;
};

// The context of a paint: valid inside the window's OnPaint.
class KIVGUI_EXPORT CPaintDC : public CDC {
public:
    explicit CPaintDC(QWidget* window);
    ~CPaintDC() override;
};
