// Any bytes as a slide: header validation in both formats and record decoding.
#include "cad/KivSlideFile.h"

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
    return 0;
}
