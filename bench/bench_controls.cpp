// Sorting a report list of 100,000 rows by a number, a date and a text
// column: the keys are made once per row, never read per comparison.
#include "controls/CKivListCtrl.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

void fill(CKivListCtrl& list, int rows)
{
    KivColumnList columns;
    columns.add("Size", 'R', 80);
    columns.add("Date", 'L', 140);
    columns.add("Name", 'L', 200);
    list.SetHeader(&columns, 0);
    std::srand(7);
    char text[64];
    for (int i = 0; i < rows; ++i) {
        const int r = std::rand();
        list.InsertItem(i, "");
        std::snprintf(text, sizeof text, "%d", r % 1000000);
        list.SetItemText(i, 0, text);
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", 1990 + r % 35, 1 + r % 12, 1 + r % 28, r % 24,
            r % 60, (r / 7) % 60);
        list.SetItemText(i, 1, text);
        std::snprintf(text, sizeof text, "Drawing %c%d", 'a' + r % 26, r);
        list.SetItemText(i, 2, text);
    }
}

void sortColumn(benchmark::State& state, int column, unsigned short kind)
{
    CKivListCtrl list;
    fill(list, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        list.Sort(column, kind, 1);
        benchmark::DoNotOptimize(list.GetItemData(0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortNumbers(benchmark::State& state)
{
    sortColumn(state, 0, CKivListCtrl::kSortLong);
}
void BM_SortDates(benchmark::State& state)
{
    sortColumn(state, 1, CKivListCtrl::kSortDate);
}
void BM_SortTexts(benchmark::State& state)
{
    sortColumn(state, 2, CKivListCtrl::kSortText);
}

} // namespace

BENCHMARK(BM_SortNumbers)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortDates)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTexts)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
