#include "cad/KivSlideFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CountingSink : KivSlideSink {
    long n = 0;
    void SlideLine(KivSlidePoint, KivSlidePoint) override { ++n; }
    void SlidePolygon(const std::vector<KivSlidePoint>&) override { ++n; }
    void SlideColor(int) override { ++n; }
};

void put16(std::vector<std::uint8_t>& b, unsigned w)
{
    b.push_back(static_cast<std::uint8_t>(w));
    b.push_back(static_cast<std::uint8_t>(w >> 8));
}

// A slide of about 1 MB mixing every record kind.
std::vector<std::uint8_t> bigSlide(int groups)
{
    const char id[] = "AutoCAD Slide\r\n\x1a";
    std::vector<std::uint8_t> b(id, id + 17);
    b.push_back('V');
    b.push_back(2);
    put16(b, 2000);
    put16(b, 1500);
    for (int i = 0; i < 4; ++i)
        b.push_back(0);
    put16(b, 2);
    put16(b, 0x1234);
    for (int i = 0; i < groups; ++i) {
        put16(b, 0xFF00 | (i & 0xFF));
        for (int v = 0; v < 8; ++v) {
            put16(b, (i + v) % 2000);
            put16(b, v * 10);
            put16(b, 100);
            put16(b, 200);
        }
        for (int v = 0; v < 8; ++v) {
            put16(b, 0xFB01);
            b.insert(b.end(), {2, 3, 4});
            put16(b, 0xFE05);
            b.push_back(6);
        }
        put16(b, 0xFD00);
        put16(b, 4);
        put16(b, 0);
        for (int v = 0; v < 4; ++v) {
            put16(b, 0xFD00);
            put16(b, v * 100);
            put16(b, v * 50);
        }
        put16(b, 0xFD00);
        put16(b, 0);
        put16(b, 0xFFFF);
    }
    put16(b, 0xFC00);
    return b;
}

void write(const fs::path& p, const std::vector<std::uint8_t>& b)
{
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

fs::path scratch()
{
    const fs::path dir = fs::temp_directory_path() / ("vandrel-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

} // namespace

static void BM_KivSlideFile_Decode(benchmark::State& state)
{
    const auto bytes = bigSlide(4000);
    for (auto _ : state) {
        KivSlideFile slide;
        slide.OpenBytes(bytes.data(), bytes.size());
        slide.ReadHeader();
        CountingSink sink;
        KivSlidePoint last;
        benchmark::DoNotOptimize(slide.DecodeRecords(sink, last));
        benchmark::DoNotOptimize(sink.n);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(BM_KivSlideFile_Decode);

// A library of 5,000 slides of 1 KB: one more slide appended, one extracted,
// all exploded.
class LibraryFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        dir = scratch();
        lib = (dir / "big.slb").string();
        slideFile = (dir / "extra.sld").string();
        write(slideFile, bigSlide(3));
        // Built directly: 5,000 appends would each rewrite the library.
        const auto one = bigSlide(3);
        std::vector<std::uint8_t> out;
        const char id[] = "AutoCAD Slide Library 1.0\r\n\x1a";
        out.assign(id, id + 29);
        out.resize(32, 0);
        const int n = 5000;
        std::uint32_t address = 32 + 36 * (n + 1);
        for (int i = 0; i < n; ++i) {
            char name[32] = {};
            std::snprintf(name, sizeof name, "S%05d", i);
            out.insert(out.end(), name, name + 32);
            for (int k = 0; k < 4; ++k)
                out.push_back(static_cast<std::uint8_t>(address >> (8 * k)));
            address += static_cast<std::uint32_t>(one.size());
        }
        out.resize(out.size() + 36, 0);
        for (int i = 0; i < n; ++i)
            out.insert(out.end(), one.begin(), one.end());
        write(lib, out);
    }
    void TearDown(const benchmark::State&) override { fs::remove_all(dir); }

    fs::path dir;
    std::string lib, slideFile;
};

BENCHMARK_F(LibraryFixture, BM_KivSlideFile_Append5000)(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(KivSlideFile::AppendLibrary(lib.c_str(), slideFile.c_str()));
        state.PauseTiming();
        KivSlideFile::DeleteLibrary(lib.c_str(), "EXTRA");
        state.ResumeTiming();
    }
}

BENCHMARK_F(LibraryFixture, BM_KivSlideFile_Extract5000)(benchmark::State& state)
{
    const std::string out = (dir / "out").string();
    fs::create_directories(out);
    for (auto _ : state)
        benchmark::DoNotOptimize(KivSlideFile::ExtractLibrary(lib.c_str(), "S04999", out.c_str()));
}

BENCHMARK_DEFINE_F(LibraryFixture, BM_KivSlideFile_Explode5000)(benchmark::State& state)
{
    const fs::path out = dir / "exploded";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(out);
        fs::create_directories(out);
        state.ResumeTiming();
        benchmark::DoNotOptimize(KivSlideFile::ExplodeLibrary(lib.c_str(), out.c_str()));
    }
}
BENCHMARK_REGISTER_F(LibraryFixture, BM_KivSlideFile_Explode5000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
