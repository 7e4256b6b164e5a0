// SPDX-License-Identifier: MIT
// A slide drawn on a bare raster (the thumbnailer) and on a device context
// (the browser's cells, the slide view) must be the same picture.
#include "TwoPictures.h"
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

Bytes withAspect(Bytes bytes, std::uint32_t aspect)
{
    for (int i = 0; i < 4; ++i)
        bytes[23 + i] = static_cast<std::uint8_t>(aspect >> (8 * i));
    return bytes;
}

} // namespace

TEST(KivSlideRaster, DrawsWhatTheDeviceContextDraws)
{
    const Bytes mixed = SlideWriter(1000, 800)
                            .color(1)
                            .vector(0, 0, 1000, 800)
                            .vector(500, 400, 500, 400) // a point
                            .color(3)
                            .fill({{100, 100}, {900, 150}, {400, 700}})
                            .color(0)
                            .fill({{300, 200}, {500, 200}, {400, 400}}) // masked with the back colour
                            .color(5)
                            .offsetVector(10, 10, 90, -30)
                            .commonEndpoint(40, 90)
                            .end()
                            .bytes();
    const Bytes star
        = SlideWriter(100, 100).color(2).fill({{50, 0}, {80, 100}, {0, 35}, {100, 35}, {20, 100}}).end().bytes();
    const Bytes square = SlideWriter(1000, 500).vector(0, 0, 0, 500).vector(0, 0, 1000, 500).end().bytes();
    const struct {
        const char* what;
        Bytes bytes;
        int w, h;
        COLORREF back;
    } cases[] = {
        {"lines, fills, a point, a mask", mixed, 256, 205, 0},
        {"the same, wide client", mixed, 300, 100, RGB(0, 0, 255)},
        {"the same, tall client", mixed, 90, 300, RGB(255, 255, 255)},
        {"a self-crossing fill", star, 97, 61, 0},
        {"a stored aspect ratio that stretches X", withAspect(square, 10000000), 128, 128, 0},
        {"a big-endian slide", SlideWriter(100, 100, 2, true).color(4).vector(0, 0, 100, 50).end().bytes(), 64, 64, 0},
        {"a level 1 slide", SlideWriter(100, 100, 1).color(6).vector(0, 100, 100, 0).end().bytes(), 33, 17, 0},
    };
    for (const auto& c : cases) {
        std::pair<int, int> codes;
        EXPECT_EQ(pictureDifferences(c.bytes, c.w, c.h, c.back, &codes), 0) << c.what;
        EXPECT_EQ(codes.first, codes.second) << c.what;
    }
}

TEST(KivSlideRaster, CodesForWhatIsNoSlide)
{
    KivRaster raster(20, 20, RGB(9, 9, 9));
    KivSlideFile slide;
    const Bytes junk(40, 0x41);
    slide.OpenBytes(junk.data(), junk.size());
    EXPECT_EQ(KivSlideRaster().Draw(slide, raster, 0), 3);
    EXPECT_EQ(raster.Pixel(5, 5), 0u) << "filled with the back colour all the same";

    Bytes cut = SlideWriter(100, 100).vector(0, 0, 100, 100).vector(0, 100, 100, 0).end().bytes();
    cut.resize(cut.size() - 5);
    slide.OpenBytes(cut.data(), cut.size());
    EXPECT_EQ(KivSlideRaster().Draw(slide, raster, 0), 2) << "records cut short";

    const Bytes fine = SlideWriter(100, 100).vector(0, 0, 100, 100).end().bytes();
    slide.OpenBytes(fine.data(), fine.size());
    KivRaster empty(0, 0);
    EXPECT_EQ(KivSlideRaster().Draw(slide, empty, 0), 2) << "nothing to draw on";
}
