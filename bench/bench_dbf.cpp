// SPDX-License-Identifier: MIT
// Reading every value of a 1,000,000-record table: KivDbfData::getValue
// against shapelib's DBFReadStringAttribute, the C reference.
#include "dbf/KivDbfData.h"

#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 1000000;
constexpr int kFields = 10;

// Built with shapelib itself, so both readers see a table it accepts.
const std::string& table()
{
    static const std::string path = [] {
        const fs::path dir = fs::temp_directory_path() / ("vandrel-bench-dbf-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        const std::string p = (dir / "big.dbf").string();
        DBFHandle dbf = DBFCreate(p.c_str());
        for (int f = 0; f < kFields; ++f) {
            const std::string name = "F" + std::to_string(f);
            if (f % 3 == 0)
                DBFAddField(dbf, name.c_str(), FTInteger, 9, 0);
            else
                DBFAddField(dbf, name.c_str(), FTString, 12, 0);
        }
        char text[16];
        for (int r = 0; r < kRecords; ++r)
            for (int f = 0; f < kFields; ++f) {
                if (f % 3 == 0) {
                    DBFWriteIntegerAttribute(dbf, r, f, r + f);
                } else {
                    std::snprintf(text, sizeof text, "v%d_%d", r % 9973, f);
                    DBFWriteStringAttribute(dbf, r, f, text);
                }
            }
        DBFClose(dbf);
        return p;
    }();
    return path;
}

} // namespace

static void BM_KivDbfData_ReadAll(benchmark::State& state)
{
    const std::string& path = table();
    for (auto _ : state) {
        KivDbfData data;
        data.open(path.c_str());
        KivDbfRecord* records = data.createRecord();
        char value[257];
        long sum = 0;
        for (long r = 0; r < records->getCount(); ++r)
            for (int f = 0; f < kFields; ++f) {
                records->getValue(r, f, value);
                sum += value[0];
            }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords * kFields);
}
BENCHMARK(BM_KivDbfData_ReadAll)->Unit(benchmark::kMillisecond);

static void BM_Shapelib_ReadAll(benchmark::State& state)
{
    const std::string& path = table();
    for (auto _ : state) {
        DBFHandle dbf = DBFOpen(path.c_str(), "rb");
        const int count = DBFGetRecordCount(dbf);
        long sum = 0;
        for (int r = 0; r < count; ++r)
            for (int f = 0; f < kFields; ++f)
                sum += DBFReadStringAttribute(dbf, r, f)[0];
        DBFClose(dbf);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords * kFields);
}
BENCHMARK(BM_Shapelib_ReadAll)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(fs::path(table()).parent_path());
    return 0;
}
