// SPDX-License-Identifier: MIT
#include "cad/KivSlideFile.h"

#include "BenchSlides.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using benchslides::put16;

struct CountingSink : KivSlideSink {
    long n = 0;
    void SlideLine(KivSlidePoint, KivSlidePoint) override { ++n; }
    void SlidePolygon(const std::vector<KivSlidePoint>&) override { ++n; }
    void SlideColor(int) override { ++n; }
};

// A slide of about 1 MB mixing every record kind.
std::vector<std::uint8_t> bigSlide(int groups)
{
    std::vector<std::uint8_t> b = benchslides::header(2000, 1500);
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

void writeLibrary(const std::string& lib, int n, const std::vector<std::uint8_t>& one)
{
    write(lib, benchslides::library(n, one));
}

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
        writeLibrary(lib, 5000, bigSlide(3));
    }
    void TearDown(const benchmark::State&) override { fs::remove_all(dir); }

    fs::path dir;
    std::string lib, slideFile;
};

// 20,000 slides of 3 KB, 61 MB: appending one slide rewrites it all, which
// is measured beside copying the same file with cp and flushing it.
class HugeLibraryFixture : public LibraryFixture {
public:
    void SetUp(const benchmark::State&) override
    {
        dir = scratch();
        lib = (dir / "huge.slb").string();
        slideFile = (dir / "extra.sld").string();
        write(slideFile, bigSlide(18));
        writeLibrary(lib, 20000, bigSlide(18));
    }
};

BENCHMARK_DEFINE_F(HugeLibraryFixture, BM_KivSlideFile_Append20000)(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(KivSlideFile::AppendLibrary(lib.c_str(), slideFile.c_str()));
        state.PauseTiming();
        KivSlideFile::DeleteLibrary(lib.c_str(), "EXTRA");
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(lib)) / 1e6;
}
BENCHMARK_REGISTER_F(HugeLibraryFixture, BM_KivSlideFile_Append20000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(10);

BENCHMARK_DEFINE_F(HugeLibraryFixture, BM_CpSync20000)(benchmark::State& state)
{
    const std::string copy = (dir / "copy.slb").string();
    const std::string command = "cp " + lib + " " + copy + " && sync " + copy;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str()));
        state.PauseTiming();
        fs::remove(copy);
        state.ResumeTiming();
    }
}
// The child's CPU time is not the process's: compare wall times.
BENCHMARK_REGISTER_F(HugeLibraryFixture, BM_CpSync20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

BENCHMARK_DEFINE_F(LibraryFixture, BM_KivSlideFile_Delete500Of5000)(benchmark::State& state)
{
    std::vector<std::string> names;
    for (int i = 0; i < 5000; i += 10) {
        char name[16];
        std::snprintf(name, sizeof name, "S%05d", i);
        names.push_back(name);
    }
    for (auto _ : state) {
        state.PauseTiming();
        writeLibrary(lib, 5000, bigSlide(3));
        state.ResumeTiming();
        benchmark::DoNotOptimize(KivSlideFile::DeleteLibrary(lib.c_str(), names));
    }
}
BENCHMARK_REGISTER_F(LibraryFixture, BM_KivSlideFile_Delete500Of5000)->Unit(benchmark::kMillisecond)->Iterations(10);

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
