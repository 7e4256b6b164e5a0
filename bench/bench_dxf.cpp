// SPDX-License-Identifier: MIT
// DXF drawings: a generated one of 50,000 entities (lines, arcs, texts and
// insertions of a block) read, built and drawn to 1024 x 768, and the
// thumbnail of a drawing that carries its preview picture.
#include "cad/KivDxfDraw.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <string>

namespace {

std::string bigDrawing()
{
    std::string s = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nMARK\n10\n0\n20\n0\n";
    for (int i = 0; i < 5; ++i)
        s += "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n" + std::to_string(i + 1) + "\n21\n" + std::to_string(5 - i) + "\n";
    s += "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    char entity[256];
    for (int i = 0; i < 50000; ++i) {
        const double x = (i % 250) * 10.0, y = (i / 250) * 10.0;
        switch (i % 5) {
        case 0:
        case 1:
            std::snprintf(entity, sizeof entity, "0\nLINE\n8\nL%d\n62\n%d\n10\n%g\n20\n%g\n11\n%g\n21\n%g\n", i % 7,
                1 + i % 7, x, y, x + 8, y + 6);
            break;
        case 2:
            std::snprintf(entity, sizeof entity, "0\nARC\n8\nA\n62\n3\n10\n%g\n20\n%g\n40\n4\n50\n0\n51\n270\n", x, y);
            break;
        case 3: std::snprintf(entity, sizeof entity, "0\nTEXT\n8\nT\n10\n%g\n20\n%g\n40\n2\n1\nT%d\n", x, y, i); break;
        default: std::snprintf(entity, sizeof entity, "0\nINSERT\n8\nI\n2\nMARK\n10\n%g\n20\n%g\n50\n30\n", x, y);
        }
        s += entity;
    }
    return s + "0\nENDSEC\n0\nEOF\n";
}

// A small drawing with a 128 x 96 bitmap preview, as CAD programs save them.
std::string drawingWithPreview()
{
    const int w = 128, h = 96, row = w * 3;
    std::string dib(40, '\0');
    const auto put32 = [&dib](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            dib[at + i] = static_cast<char>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, w);
    put32(8, h);
    dib[12] = 1;
    dib[14] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < row; ++x)
            dib += static_cast<char>((x * y) & 0xFF);
    std::string hex;
    char two[3];
    for (const char c : dib) {
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(c));
        hex += two;
    }
    std::string s = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < 200; ++i)
        s += "0\nLINE\n10\n0\n20\n0\n11\n" + std::to_string(i) + "\n21\n100\n";
    s += "0\nENDSEC\n0\nSECTION\n2\nTHUMBNAILIMAGE\n90\n" + std::to_string(dib.size()) + "\n";
    for (std::size_t i = 0; i < hex.size(); i += 254)
        s += "310\n" + hex.substr(i, 254) + "\n";
    return s + "0\nENDSEC\n0\nEOF\n";
}

const std::uint8_t* bytes(const std::string& s)
{
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

void BM_Dxf50kReadAndBuild(benchmark::State& state)
{
    const std::string text = bigDrawing();
    for (auto _ : state) {
        KivDxfDraw drawing;
        benchmark::DoNotOptimize(drawing.OpenBytes(bytes(text), text.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Dxf50kReadAndBuild)->Unit(benchmark::kMillisecond);

void BM_Dxf50kReadBuildAndDraw1024x768(benchmark::State& state)
{
    const std::string text = bigDrawing();
    for (auto _ : state) {
        KivDxfDraw drawing;
        drawing.OpenBytes(bytes(text), text.size());
        benchmark::DoNotOptimize(drawing.Render(1024, 768, 0, false));
    }
}
BENCHMARK(BM_Dxf50kReadBuildAndDraw1024x768)->Unit(benchmark::kMillisecond);

// The same, and the picture encoded as PNG at the quality given (-1 is
// Qt's default), as vandrel dxf render writes it.
void BM_Dxf50kDrawAndEncodePng(benchmark::State& state)
{
    const std::string text = bigDrawing();
    for (auto _ : state) {
        KivDxfDraw drawing;
        drawing.OpenBytes(bytes(text), text.size());
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        drawing.Render(1024, 768, 0, false).save(&buffer, "PNG", static_cast<int>(state.range(0)));
        state.counters["png_kib"] = static_cast<double>(png.size()) / 1024;
    }
}
BENCHMARK(BM_Dxf50kDrawAndEncodePng)->Arg(-1)->Arg(70)->Unit(benchmark::kMillisecond);

void BM_DxfThumbnailFromEmbeddedPreview(benchmark::State& state)
{
    const std::string text = drawingWithPreview();
    for (auto _ : state) {
        KivDxfDraw drawing;
        drawing.OpenBytes(bytes(text), text.size());
        benchmark::DoNotOptimize(drawing.Render(128, 96, 0, true));
    }
}
BENCHMARK(BM_DxfThumbnailFromEmbeddedPreview)->Unit(benchmark::kMillisecond);

} // namespace
