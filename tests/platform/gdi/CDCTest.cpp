// SPDX-License-Identifier: MIT
#include "platform/gdi/CDC.h"
#include "platform/gdi/Dib.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QImage canvas(int w, int h, QRgb fill = 0xFF000000)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

COLORREF at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int count(const QImage& image, COLORREF color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += at(image, x, y) == color;
    return n;
}

} // namespace

TEST(CDC, LineToLeavesOutTheLastPixel)
{
    QImage image = canvas(20, 20);
    {
        CDC dc(&image);
        CPen pen(PS_SOLID, 0, RGB(255, 0, 0));
        CPen* old = dc.SelectObject(&pen);
        EXPECT_NE(old, nullptr) << "the previous pen comes back";
        dc.MoveTo(2, 5);
        dc.LineTo(12, 5);
        dc.MoveTo(3, 10);
        dc.LineTo(3, 10); // empty
        dc.SelectObject(old);
    }
    EXPECT_EQ(at(image, 2, 5), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 11, 5), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 12, 5), RGB(0, 0, 0));
    EXPECT_EQ(count(image, RGB(255, 0, 0)), 10) << "one pixel wide, ten long";
    EXPECT_EQ(at(image, 3, 10), RGB(0, 0, 0));
}

TEST(CDC, IsotropicMappingKeepsUnitsSquare)
{
    QImage image = canvas(400, 200);
    {
        CDC dc(&image);
        dc.SetMapMode(MM_ISOTROPIC);
        dc.SetWindowExt(2000, 1000);
        dc.SetViewportExt(399, -199);
        dc.SetViewportOrg(0, 199);
        // The larger scale (x: 399/2000) shrinks to the smaller (y: 199/1000):
        // logical x 2000 lands on 398, not 399.
        CPoint p[3] = {{0, 0}, {1000, 1000}, {2000, 0}};
        dc.LPtoDP(p, 3);
        EXPECT_EQ(p[0], CPoint(0, 199));
        EXPECT_EQ(p[1], CPoint(199, 0));
        EXPECT_EQ(p[2], CPoint(398, 199));
        dc.SetPixel(2000, 0, RGB(255, 0, 0));
        dc.SetPixel(1000, 500, RGB(0, 255, 0)); // 99.5 rounds half up
        // A zero extent is refused and changes nothing.
        EXPECT_EQ(dc.SetWindowExt(0, 5), CSize(2000, 1000));
        EXPECT_EQ(dc.GetWindowExt(), CSize(2000, 1000));
        CRect r(0, 0, 10, 10);
        dc.LPtoDP(&r);
        EXPECT_EQ(r, CRect(0, 199, 2, 197)) << "mapped corners, not normalised";
    }
    EXPECT_EQ(at(image, 398, 199), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 199, 100), RGB(0, 255, 0));
}

TEST(CDC, TextModeIgnoresExtentsAndShiftsByTheViewportOrigin)
{
    QImage image = canvas(20, 20);
    {
        CDC dc(&image);
        dc.SetMapMode(MM_ISOTROPIC);
        dc.SetWindowExt(10, 10);
        dc.SetViewportExt(20, 20);
        EXPECT_EQ(dc.SetMapMode(MM_TEXT), MM_ISOTROPIC);
        EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1)) << "MM_TEXT resets the extents";
        EXPECT_EQ(dc.SetWindowExt(5, 5), CSize(1, 1));
        EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1)) << "and ignores new ones";
        EXPECT_EQ(dc.SetViewportOrg(3, 4), CPoint(0, 0));
        dc.SetPixel(1, 1, RGB(9, 9, 9));
        EXPECT_EQ(dc.GetSurfaceRect(), CRect(0, 0, 20, 20));
    }
    EXPECT_EQ(at(image, 4, 5), RGB(9, 9, 9));
    EXPECT_EQ(count(image, RGB(9, 9, 9)), 1);
}

TEST(CDC, PensWideNullAndScaled)
{
    QImage image = canvas(40, 40);
    {
        CDC dc(&image);
        CPen none(PS_NULL, 0, RGB(255, 0, 0));
        dc.SelectObject(&none);
        dc.MoveTo(0, 0);
        EXPECT_TRUE(dc.LineTo(39, 0)); // moves without drawing
        EXPECT_EQ(dc.MoveTo(5, 20), CPoint(39, 0)) << "LineTo left the position at its end";
        CPen wide(PS_SOLID, 5, RGB(0, 0, 255));
        dc.SelectObject(&wide);
        dc.LineTo(35, 20);
        CPen negative(PS_SOLID, -3, RGB(0, 255, 0));
        EXPECT_EQ(negative.m_width, 0) << "a negative width is a one-pixel pen";
    }
    EXPECT_EQ(count(image, RGB(255, 0, 0)), 0);
    EXPECT_EQ(at(image, 20, 18), RGB(0, 0, 255)) << "five pixels wide";
    EXPECT_EQ(at(image, 20, 22), RGB(0, 0, 255));
    EXPECT_EQ(at(image, 20, 24), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 3, 20), RGB(0, 0, 255)) << "round ends reach beyond the points";
}

TEST(CDC, RectanglesLeaveOutRightAndBottom)
{
    QImage image = canvas(20, 20);
    {
        CDC dc(&image);
        dc.FillSolidRect(CRect(2, 2, 6, 5), RGB(0, 0, 255));
        CPen pen(PS_SOLID, 0, RGB(255, 255, 255));
        CBrush brush(RGB(0, 255, 0));
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.Rectangle(10, 10, 15, 14);
        CBrush red(RGB(255, 0, 0));
        const CRect flipped(19, 19, 17, 17);
        dc.FillRect(&flipped, &red); // edges in either order
        dc.Rectangle(8, 8, 8, 12); // empty: nothing
    }
    EXPECT_EQ(count(image, RGB(0, 0, 255)), 12);
    EXPECT_EQ(at(image, 6, 2), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 14, 13), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 15, 13), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 12, 12), RGB(0, 255, 0));
    EXPECT_EQ(count(image, RGB(255, 0, 0)), 4);
    EXPECT_EQ(at(image, 8, 10), RGB(0, 0, 0));
}

TEST(CDC, InvertRectFlipsEveryBit)
{
    QImage image = canvas(10, 10, 0xFF102030);
    {
        CDC dc(&image);
        const CRect left(0, 0, 5, 10);
        EXPECT_TRUE(dc.InvertRect(&left));
        const CRect top(0, 0, 10, 1);
        dc.InvertRect(&top); // back on the left of the top row
        EXPECT_FALSE(dc.InvertRect(nullptr));
    }
    EXPECT_EQ(at(image, 1, 3), RGB(0xFF - 0x10, 0xFF - 0x20, 0xFF - 0x30));
    EXPECT_EQ(at(image, 7, 3), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(at(image, 1, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(at(image, 7, 0), RGB(0xFF - 0x10, 0xFF - 0x20, 0xFF - 0x30));
}

TEST(CDC, WindingFillsWhereAlternateLeavesAHoleAndClipHolds)
{
    // A square traced twice the same way: winding number 2 inside.
    const CPoint twice[8] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2}, {12, 2}, {12, 12}, {2, 12}};
    QImage image = canvas(40, 20);
    {
        CDC dc(&image);
        CPen pen(PS_NULL, 0, 0);
        CBrush brush(RGB(0, 255, 0));
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        EXPECT_EQ(dc.SetPolyFillMode(WINDING), ALTERNATE);
        dc.Polygon(twice, 8);
        CPoint shifted[8];
        for (int i = 0; i < 8; ++i)
            shifted[i] = CPoint(twice[i].x + 20, twice[i].y);
        dc.SetPolyFillMode(ALTERNATE);
        dc.Polygon(shifted, 8);
        EXPECT_FALSE(dc.Polygon(shifted, 1));

        CRgn clip;
        clip.CreateRectRgnIndirect(CRect(0, 15, 5, 20));
        EXPECT_EQ(dc.SelectClipRgn(&clip), SIMPLEREGION);
        dc.FillSolidRect(CRect(0, 14, 40, 20), RGB(0, 0, 255));
        CRgn none;
        none.CreateRectRgnIndirect(CRect(3, 3, 3, 9));
        EXPECT_EQ(dc.SelectClipRgn(&none), NULLREGION);
        EXPECT_EQ(dc.SelectClipRgn(nullptr), SIMPLEREGION);
        dc.SetPixel(39, 19, RGB(1, 2, 3));
    }
    EXPECT_EQ(at(image, 7, 7), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 27, 7), RGB(0, 0, 0)) << "alternate: an even crossing count is outside";
    EXPECT_EQ(count(image, RGB(0, 0, 255)), 25) << "only inside the clip";
    EXPECT_EQ(at(image, 39, 19), RGB(1, 2, 3)) << "no clip after null";
}

TEST(CDC, MemoryContextStretchesItsBitmap)
{
    QImage screen = canvas(10, 10);
    CBitmap bitmap; // outlives the context it is selected into, as in GDI
    {
        CDC dc(&screen);
        CDC memory;
        EXPECT_TRUE(memory.CreateCompatibleDC(&dc));
        EXPECT_FALSE(memory.LineTo(1, 1)) << "nothing to draw on yet";
        bitmap.CreateCompatibleBitmap(&dc, 2, 2);
        EXPECT_EQ(bitmap.GetSize(), CSize(2, 2));
        EXPECT_EQ(memory.SelectObject(&bitmap), nullptr);
        memory.FillSolidRect(CRect(0, 0, 2, 2), RGB(9, 8, 7));
        memory.SetPixel(1, 1, RGB(200, 0, 0));
        EXPECT_TRUE(dc.StretchBlt(3, 3, 4, 4, &memory, 0, 0, 2, 2, SRCCOPY));
        memory.SetPixel(0, 0, RGB(1, 1, 1)); // still drawable after the copy
        EXPECT_FALSE(dc.StretchBlt(0, 0, 1, 1, nullptr, 0, 0, 1, 1, SRCCOPY));
    }
    EXPECT_EQ(at(screen, 3, 3), RGB(9, 8, 7));
    EXPECT_EQ(at(screen, 4, 4), RGB(9, 8, 7)) << "each source pixel doubled";
    EXPECT_EQ(at(screen, 5, 5), RGB(200, 0, 0));
    EXPECT_EQ(at(screen, 6, 6), RGB(200, 0, 0));
    EXPECT_EQ(at(screen, 7, 7), RGB(0, 0, 0));
    EXPECT_EQ(bitmap.m_image.pixel(0, 0) & 0xFFFFFF, 0x010101u);
    EXPECT_EQ(CBitmap().CreateCompatibleBitmap(nullptr, 0, -3), TRUE);
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(CDC, DibRowsCountFromTheBottomAndImagesMirror)
{
    // A 2 × 2 8-bit DIB, bottom-up: the first row in memory is the bottom one.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[4];
    } info {
        {40, 2, 2, 1, 8, BI_RGB, 0, 0, 0, 4, 0}, {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}}};
    const std::uint8_t bits[8] = {0, 1, 0, 0, 2, 3, 0, 0}; // bottom: red green; top: blue white
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(&info);
    QImage image = canvas(8, 8);
    {
        CDC dc(&image);
        EXPECT_EQ(dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, bits, bmi, DIB_RGB_COLORS, SRCCOPY), 2);
        // The source rectangle (0,0) 1 × 1 is the bottom-left pixel.
        dc.StretchDIBits(4, 0, 2, 2, 0, 0, 1, 1, bits, bmi, DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(dc.SetDIBitsToDevice(0, 4, 2, 2, 0, 0, 0, 2, bits, bmi, DIB_RGB_COLORS), 2);
        EXPECT_EQ(dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, nullptr, bmi, DIB_RGB_COLORS, SRCCOPY), 0);
        // Negative extents mirror the picture.
        QImage pair(2, 1, QImage::Format_RGB32);
        pair.setPixel(0, 0, 0xFFFF0000);
        pair.setPixel(1, 0, 0xFF0000FF);
        dc.StretchImage(7, 7, -2, 1, pair, 0, 0, 2, 1);
    }
    EXPECT_EQ(at(image, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(at(image, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 1, 1), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 4, 0), RGB(255, 0, 0)) << "the bottom-left pixel, stretched";
    EXPECT_EQ(at(image, 5, 1), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 0, 4), RGB(0, 0, 255));
    EXPECT_EQ(at(image, 1, 5), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 5, 7), RGB(0, 0, 255)) << "mirrored: the right pixel first";
    EXPECT_EQ(at(image, 6, 7), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 7, 7), RGB(0, 0, 0)) << "the destination's right edge is outside";
}

TEST(CDC, PalettesAndStretchModesAreKeptNotApplied)
{
    QImage image = canvas(2, 2);
    CDC dc(&image);
    CPalette palette;
    const PALETTEENTRY entry {1, 2, 3, 0};
    EXPECT_TRUE(palette.CreatePalette(&entry, 1));
    EXPECT_EQ(dc.SelectPalette(&palette, FALSE), nullptr);
    EXPECT_EQ(dc.SelectPalette(nullptr, FALSE), &palette);
    EXPECT_EQ(dc.RealizePalette(), 0u);
    EXPECT_EQ(dc.SetStretchBltMode(HALFTONE), COLORONCOLOR);
    EXPECT_EQ(dc.SetStretchBltMode(COLORONCOLOR), HALFTONE);
    CDC idle;
    EXPECT_EQ(idle.SetPixel(0, 0, 0), static_cast<COLORREF>(-1)) << "CLR_INVALID without a surface";
    EXPECT_EQ(idle.GetSurfaceRect(), CRect());
}

// A ghost line: inverted dots that a second draw takes away again.
TEST(CDC, DottedLineInNotModeInvertsEveryOtherPixelAndUndoesItself)
{
    QImage image = canvas(20, 5, 0xFF204060);
    const QImage before = image;
    CPen pen(PS_DOT, 0, RGB(0, 0, 0));
    {
        CDC dc(&image);
        dc.SelectObject(&pen);
        EXPECT_EQ(dc.SetROP2(R2_NOT), R2_COPYPEN);
        dc.MoveTo(0, 2);
        dc.LineTo(10, 2);
    }
    EXPECT_EQ(at(image, 0, 2), RGB(0xFF - 0x20, 0xFF - 0x40, 0xFF - 0x60));
    EXPECT_EQ(at(image, 1, 2), RGB(0x20, 0x40, 0x60));
    EXPECT_EQ(at(image, 8, 2), RGB(0xFF - 0x20, 0xFF - 0x40, 0xFF - 0x60));
    EXPECT_EQ(at(image, 10, 2), RGB(0x20, 0x40, 0x60)); // the last pixel stays out
    EXPECT_EQ(count(image, RGB(0xFF - 0x20, 0xFF - 0x40, 0xFF - 0x60)), 5);
    {
        CDC dc(&image);
        dc.SelectObject(&pen);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(0, 2);
        dc.LineTo(10, 2);
    }
    EXPECT_EQ(image, before);
}

TEST(CDC, XorPenTwiceRestoresAndUnknownModesAreRefused)
{
    QImage image = canvas(8, 3, 0xFF102030);
    const QImage before = image;
    CPen pen(PS_SOLID, 0, RGB(0xFF, 0x0F, 0x00));
    CDC dc(&image);
    dc.SelectObject(&pen);
    dc.SetROP2(R2_XORPEN);
    EXPECT_EQ(dc.SetROP2(99), R2_XORPEN); // kept
    dc.MoveTo(0, 1);
    dc.LineTo(8, 1);
    EXPECT_EQ(at(image, 3, 1), RGB(0x10 ^ 0xFF, 0x20 ^ 0x0F, 0x30));
    dc.MoveTo(0, 1);
    dc.LineTo(8, 1);
    EXPECT_EQ(image, before);
}

namespace {

// A window that paints a fan of lines, clipped by a region, as slides are
// drawn in thumbnail cells.
class Fan : public QWidget {
public:
    QRegion clip;

protected:
    void paintEvent(QPaintEvent*) override
    {
        CPaintDC dc(this);
        CPen pen(PS_SOLID, 0, RGB(255, 255, 0));
        dc.SelectObject(&pen);
        CRgn region;
        region.m_region = clip;
        if (!clip.isEmpty())
            dc.SelectClipRgn(&region);
        for (int i = 0; i < 12; ++i) {
            dc.MoveTo(25, 25);
            dc.LineTo(25 + (i * 37) % 51 - 25, 25 + (i * 23) % 47 - 23);
        }
    }
};

// The fan rendered into a fresh image at (dx, dy), as a sheet renders cells.
QImage fan(const QRegion& clip, int dx, int dy)
{
    Fan window;
    window.resize(50, 50);
    window.clip = clip;
    QImage image = canvas(60, 60);
    window.render(&image, QPoint(dx, dy), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(CDC, LinesSetPixelByPixelMatchThePaintersThroughShiftsAndClips)
{
    // One clip rectangle lets lines be set pixel by pixel; two make the
    // painter draw them. Both must give the same pixels, shifted or not.
    const QRegion one(5, 5, 35, 25);
    const QRegion two = one.united(QRect(45, 45, 1, 1));
    for (const auto& [dx, dy] : std::vector<std::pair<int, int>> {{0, 0}, {7, 3}}) {
        const QImage direct = fan(one, dx, dy), painted = fan(two, dx, dy);
        EXPECT_EQ(direct, painted) << dx << "," << dy;
        EXPECT_GT(count(direct, RGB(255, 255, 0)), 50);
        EXPECT_EQ(at(direct, 45 + dx, 2 + dy), RGB(0, 0, 0)) << "outside the clip";
    }
    const QImage unclipped = fan(QRegion(), 4, 4);
    EXPECT_EQ(at(unclipped, 29, 29), RGB(255, 255, 0));
    EXPECT_EQ(at(unclipped, 2, 2), RGB(0, 0, 0)) << "nothing left of the window";
}
