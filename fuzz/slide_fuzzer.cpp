// SPDX-License-Identifier: MIT
// Any bytes as a slide: header validation in both formats, record decoding,
// and drawing into a small raster and encoding it as the thumbnailer does.
#include "cad/KivSlideFile.h"
#include "cad/KivSlideRaster.h"
#include "core/KivPngEncoder.h"

#include <cstdint>

namespace {
struct NullSink : KivSlideSink {
    unsigned long n = 0;
    void SlideLine(KivSlidePoint a, KivSlidePoint b) override { n += a.x + b.y; }
    void SlidePolygon(const std::vector<KivSlidePoint>& v) override { n += v.size(); }
    void SlideColor(int aci) override { n += static_cast<unsigned>(aci); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KivSlideFile slide;
    slide.OpenBytes(data, size);
    slide.ReadHeader();
    NullSink sink;
    KivSlidePoint last;
    slide.DecodeRecords(sink, last);

    // The raster's size from the first byte, so thin and wide ones are tried.
    const int side = size ? 1 + data[0] % 97 : 16;
    slide.OpenBytes(data, size);
    KivRaster raster(side, 97 - side + 1);
    KivSlideRaster().Draw(slide, raster, 0);
    if (KivPngEncoder::Encode(raster).size() < 8)
        __builtin_trap();
    return 0;
}
