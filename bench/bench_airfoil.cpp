// SPDX-License-Identifier: MIT
// Making outlines of 10,001 points of each kind, and reading one back.
#include "airfoil/ZopAirfoil.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kNodes = 10001;

void makeKind(benchmark::State& state, int type)
{
    ZopAirfoil airfoil(type, 2, 40, 12, kNodes);
    for (auto _ : state) {
        ZopPoint2D* points = airfoil.Make(nullptr);
        benchmark::DoNotOptimize(points);
        std::free(points);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

void BM_ZopAirfoil_MakeJoukowski(benchmark::State& state)
{
    makeKind(state, 0);
}
void BM_ZopAirfoil_MakeNACA4(benchmark::State& state)
{
    makeKind(state, 1);
}
void BM_ZopAirfoil_MakeNACA5(benchmark::State& state)
{
    ZopAirfoil airfoil(2, 0, 15, 12, kNodes);
    for (auto _ : state) {
        ZopPoint2D* points = airfoil.Make(nullptr);
        benchmark::DoNotOptimize(points);
        std::free(points);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

void BM_ZopAirfoil_ParsePlot(benchmark::State& state)
{
    std::string text = "Free layout\n";
    char line[64];
    for (int i = 0; i < kNodes; ++i) {
        std::snprintf(line, sizeof line, "%.6f %.6f\n", 1.0 - i / double(kNodes), 0.01 * (i % 7));
        text += line;
    }
    for (auto _ : state) {
        int count = 0;
        ZopPoint2D* points = ZopAirfoil::ParsePlot(text.data(), text.size(), &count);
        benchmark::DoNotOptimize(points);
        std::free(points);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

} // namespace

BENCHMARK(BM_ZopAirfoil_MakeJoukowski);
BENCHMARK(BM_ZopAirfoil_MakeNACA4);
BENCHMARK(BM_ZopAirfoil_MakeNACA5);
BENCHMARK(BM_ZopAirfoil_ParsePlot);
BENCHMARK_MAIN();
