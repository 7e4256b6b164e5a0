// SPDX-License-Identifier: MIT
#include "core/KivCalculator.h"
#include "core/KivObjList.h"
#include "platform/services/MessageBox.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Walking a list by position, the way every caller iterates: linear in all.
static void BM_KivObjList_GetAtWalk(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<int> values(static_cast<std::size_t>(n));
    KivObjList list;
    for (auto& v : values)
        list.addTail(&v);
    for (auto _ : state) {
        long sum = 0;
        for (int i = 0; i < n; ++i)
            sum += *static_cast<int*>(list.getAt(i));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_KivObjList_GetAtWalk)->Arg(1000)->Arg(10000)->Arg(100000);

static void BM_KivCalculator_Evaluate(benchmark::State& state)
{
    const std::string text = "(12.5+3.75)*2^3-[144]/4+sin(0.5)*cos(0.25)-7.125";
    for (auto _ : state) {
        double result = 0;
        benchmark::DoNotOptimize(KivCalculator(text.c_str(), &result));
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::to_string(text.size()) + " characters");
}
BENCHMARK(BM_KivCalculator_Evaluate);

BENCHMARK_MAIN();
