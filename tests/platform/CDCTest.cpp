#include "platform/CDC.h"

#include <QPainter>

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
    CDC dc(&image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(2000, 1000);
    dc.SetViewportExt(399, -199);
    dc.SetViewportOrg(0, 199);
    // The larger scale (x: 399/2000) shrinks to the smaller (y: 199/1000).
    EXPECT_EQ(dc.GetViewportExt(), CSize(398, -199));
    CPoint p[3] = {{0, 0}, {1000, 1000}, {2000, 0}};
    dc.LPtoDP(p, 3);
    EXPECT_EQ(p[0], CPoint(0, 199));
    EXPECT_EQ(p[1], CPoint(199, 0));
    EXPECT_EQ(p[2], CPoint(398, 199));
    dc.DPtoLP(p + 1, 1);
    EXPECT_NEAR(p[1].x, 1000, 5);
    // A zero extent is refused and changes nothing.
    dc.SetWindowExt(0, 5);
    EXPECT_EQ(dc.GetWindowExt(), CSize(2000, 1000));
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
    }
    EXPECT_EQ(count(image, RGB(0, 0, 255)), 12);
    EXPECT_EQ(at(image, 6, 2), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 14, 13), RGB(255, 255, 255));
    EXPECT_EQ(at(image, 15, 13), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 12, 12), RGB(0, 255, 0));
}

TEST(CDC, InvertAndXorFlipColours)
{
    QImage image = canvas(10, 10, 0xFF102030);
    {
        CDC dc(&image);
        const CRect left(0, 0, 5, 10);
        dc.InvertRect(&left);
        CRgn region;
        region.CreateRectRgn(0, 0, 10, 1);
        dc.InvertRgn(&region); // inverts the top row back on the left
        CPen pen(PS_SOLID, 0, RGB(0xFF, 0, 0));
        dc.SelectObject(&pen);
        dc.SetROP2(R2_XORPEN);
        dc.MoveTo(0, 5);
        dc.LineTo(10, 5);
        dc.MoveTo(0, 5);
        dc.LineTo(3, 5); // xor twice restores
    }
    EXPECT_EQ(at(image, 1, 3), RGB(0xFF - 0x10, 0xFF - 0x20, 0xFF - 0x30));
    EXPECT_EQ(at(image, 7, 3), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(at(image, 1, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(at(image, 7, 0), RGB(0xFF - 0x10, 0xFF - 0x20, 0xFF - 0x30));
    EXPECT_EQ(at(image, 1, 5), RGB(0xEF, 0xDF, 0xCF)) << "xored twice: back to the inverted colour";
    EXPECT_EQ(at(image, 7, 5), RGB(0x10 ^ 0xFF, 0x20, 0x30));
}

TEST(CDC, WindingPolygonsFillAndClipHolds)
{
    QImage image = canvas(30, 30);
    {
        CDC dc(&image);
        CRgn clip;
        clip.CreateRectRgn(0, 0, 15, 30);
        dc.SelectClipRgn(&clip);
        CPen pen(PS_SOLID, 0, RGB(0, 255, 0));
        CBrush brush(RGB(0, 255, 0));
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.SetPolyFillMode(WINDING);
        const CPoint square[4] = {{5, 5}, {25, 5}, {25, 25}, {5, 25}};
        dc.Polygon(square, 4);
        dc.SelectClipRgn(nullptr);
        dc.SetPixel(29, 29, RGB(1, 2, 3));
    }
    EXPECT_EQ(at(image, 10, 10), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 20, 10), RGB(0, 0, 0)) << "outside the clip";
    EXPECT_EQ(at(image, 29, 29), RGB(1, 2, 3));
    EXPECT_EQ(at(image, 2, 2), RGB(0, 0, 0));
}

TEST(CDC, MemoryContextBlitsItsBitmap)
{
    QImage screen = canvas(10, 10);
    CDC dc(&screen);
    CBitmap bitmap; // outlives the context it is selected into, as in GDI
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    bitmap.CreateCompatibleBitmap(&dc, 4, 4);
    memory.SelectObject(&bitmap);
    memory.FillSolidRect(CRect(0, 0, 4, 4), RGB(9, 8, 7));
    dc.BitBlt(3, 3, 4, 4, &memory, 0, 0, SRCCOPY);
    dc.GetPainter()->end();
    EXPECT_EQ(at(screen, 3, 3), RGB(9, 8, 7));
    EXPECT_EQ(at(screen, 6, 6), RGB(9, 8, 7));
    EXPECT_EQ(at(screen, 7, 7), RGB(0, 0, 0));
}
