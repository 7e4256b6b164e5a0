// SPDX-License-Identifier: MIT
// The bare raster must put a drawing on the pixels a device context puts
// it on: the thumbnailer draws slides on it and the browser's cells on CDC.
#include "core/KivRaster.h"
#include "core/KivPngEncoder.h"
#include "platform/gdi/CDC.h"

#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <climits>

using namespace vandrel::win32;

namespace {

constexpr int kW = 64, kH = 48;
constexpr COLORREF kInk = RGB(200, 40, 10);

QImage blank()
{
    QImage image(kW, kH, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Pixels where the context's picture and the raster's differ.
int differences(const QImage& image, const KivRaster& raster)
{
    int count = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const QRgb p = image.pixel(x, y);
            count += RGB(qRed(p), qGreen(p), qBlue(p)) != raster.Pixel(x, y);
        }
    return count;
}

struct Shape {
    const char* name;
    std::vector<CPoint> points;
};

class SameAsDeviceContext : public testing::TestWithParam<Shape> { };

} // namespace

TEST_P(SameAsDeviceContext, LinesLandOnTheSamePixels)
{
    const auto& points = GetParam().points;
    QImage image = blank();
    KivRaster raster(kW, kH);
    {
        CDC dc(&image);
        CPen pen(PS_SOLID, 0, kInk);
        dc.SelectObject(&pen);
        dc.MoveTo(points.front());
        for (std::size_t i = 1; i < points.size(); ++i) {
            dc.LineTo(points[i]);
            raster.Line(points[i - 1], points[i], kInk);
        }
    }
    EXPECT_EQ(differences(image, raster), 0);
}

TEST_P(SameAsDeviceContext, PolygonsFillAndOutlineTheSamePixels)
{
    const auto& points = GetParam().points;
    QImage image = blank();
    KivRaster raster(kW, kH);
    {
        CDC dc(&image);
        CPen pen(PS_SOLID, 0, kInk);
        CBrush brush(kInk);
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.SetPolyFillMode(WINDING);
        dc.Polygon(points.data(), static_cast<int>(points.size()));
    }
    raster.Polygon(points, kInk);
    EXPECT_EQ(differences(image, raster), 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, SameAsDeviceContext,
    testing::Values(Shape {"Triangle", {{3, 4}, {50, 10}, {20, 40}}},
        Shape {"Square", {{10, 10}, {30, 10}, {30, 30}, {10, 30}}},
        Shape {"Concave", {{5, 5}, {60, 5}, {30, 20}, {60, 44}, {5, 44}}},
        // Winding fills the star's middle, where even-odd would leave a hole.
        Shape {"Star", {{32, 2}, {44, 44}, {4, 16}, {60, 16}, {20, 44}}}, Shape {"Sliver", {{0, 0}, {63, 1}, {0, 2}}},
        Shape {"Flat", {{5, 20}, {40, 20}}}, Shape {"Steep", {{10, 0}, {12, 47}, {14, 0}}},
        Shape {"PastTheEdges", {{-20, -10}, {90, 5}, {70, 70}, {-5, 60}}}),
    [](const testing::TestParamInfo<Shape>& info) { return info.param.name; });

TEST(KivRaster, HostileCoordinatesAndSizesCostNothingAndBreakNothing)
{
    KivRaster raster(kW, kH);
    const auto start = std::chrono::steady_clock::now();
    raster.Line({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, kInk);
    raster.Line({-2000000000, 10}, {2000000000, 10}, kInk);
    raster.Polygon({{INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MAX}}, kInk);
    raster.Polygon({{0, INT_MIN}, {kW, INT_MAX}}, kInk);
    raster.SetPixel(-1, 0, kInk);
    raster.SetPixel(kW, kH, kInk);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "no pixel-by-pixel walk";
    EXPECT_EQ(raster.Pixel(20, 10), kInk) << "the long horizontal line still shows";
    EXPECT_EQ(raster.Pixel(-1, 0), 0u);

    for (const auto& size : {std::pair {0, 10}, {10, -1}, {KivRaster::kMaxSide + 1, 1}}) {
        KivRaster empty(size.first, size.second);
        EXPECT_TRUE(empty.IsEmpty());
        empty.Line({0, 0}, {5, 5}, kInk);
        empty.Polygon({{0, 0}, {5, 0}, {5, 5}}, kInk);
        EXPECT_TRUE(KivPngEncoder::Encode(empty).empty());
    }
}

TEST(KivPngEncoder, ReadsBackPixelForPixel)
{
    for (const auto& size : {std::pair {1, 1}, {3, 2}, {257, 5}}) {
        KivRaster raster(size.first, size.second, RGB(1, 2, 3));
        raster.SetPixel(0, 0, RGB(255, 0, 0));
        raster.SetPixel(size.first - 1, size.second - 1, RGB(0, 0, 255));
        raster.Line({0, size.second - 1}, {size.first, 0}, RGB(10, 200, 30));
        const std::vector<std::uint8_t> png = KivPngEncoder::Encode(raster);
        QImage image;
        ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
        ASSERT_EQ(image.size(), QSize(size.first, size.second));
        for (int y = 0; y < size.second; ++y)
            for (int x = 0; x < size.first; ++x) {
                const QRgb p = image.pixel(x, y);
                EXPECT_EQ(RGB(qRed(p), qGreen(p), qBlue(p)), raster.Pixel(x, y)) << x << "," << y;
            }
    }
}
