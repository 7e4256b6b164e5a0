// SPDX-License-Identifier: MIT
// Sorting a report list of 100,000 rows by a number, a date and a text
// column: the keys are made once per row, never read per comparison. Opening
// a folder of 100,000 files in the directory tree with a file filter, and
// asking whether such a folder has a sub-folder.
#include "controls/CKivDirTreeCtrl.h"
#include "controls/CKivListCtrl.h"
#include "controls/CKivTimerCtrl.h"
#include "platform/gdi/CDC.h"
#include "platform/io/DirectoryReader.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

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

// A folder of count files, one in every "every" a drawing, the rest text;
// made once per process and removed at its end.
const QString& bigFolder(int count, int every)
{
    static QTemporaryDir dir;
    static QString made;
    const QString path = dir.path() + QString("/files-%1-%2").arg(count).arg(every);
    if (made == path)
        return made;
    QDir().mkpath(path);
    for (int i = 0; i < count; ++i) {
        QFile file(path + QString("/drawing%1.%2").arg(i, 6, 10, QChar('0')).arg(i % every == 0 ? "dwg" : "txt"));
        file.open(QIODevice::WriteOnly);
    }
    made = path;
    return made;
}

// Opening the folder, files shown and filtered to ".dwg".
void BM_CKivDirTreeCtrl_ExpandFiltered(benchmark::State& state)
{
    const QByteArray folder = QFile::encodeName(bigFolder(100000, static_cast<int>(state.range(0))));
    CKivDirTreeCtrl tree;
    tree.SetFileFilter(".dwg");
    for (auto _ : state) {
        tree.DisplayTree(folder.constData(), 1);
        benchmark::DoNotOptimize(tree.GetRootItem());
    }
    state.counters["items"] = static_cast<double>(tree.GetCount());
}

// The same folder opened by a person in a tree on the screen: its item is
// already open while its children arrive.
void BM_CKivDirTreeCtrl_ExpandShown(benchmark::State& state)
{
    const QString path = bigFolder(100000, static_cast<int>(state.range(0)));
    const QByteArray parent = QFile::encodeName(QFileInfo(path).path());
    CKivDirTreeCtrl tree;
    tree.resize(300, 600);
    tree.show();
    tree.SetFileFilter(".dwg");
    tree.DisplayTree(parent.constData(), 1);
    QTreeWidgetItem* item = tree.GetChildItem(tree.GetRootItem());
    for (auto _ : state) {
        tree.widget()->expandItem(item);
        QCoreApplication::processEvents();
        state.PauseTiming();
        tree.widget()->collapseItem(item);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// The placeholder question for a folder of 100,000 files and one
// sub-folder, beside reading the whole folder.
void BM_DirectoryReader_HasChild(benchmark::State& state)
{
    const QString path = bigFolder(100000, 10);
    QDir().mkpath(path + "/sub");
    const QByteArray folder = QFile::encodeName(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(DirectoryReader::HasChild(folder.constData(), false));
}
void BM_DirectoryReader_ListAll(benchmark::State& state)
{
    const QByteArray folder = QFile::encodeName(bigFolder(100000, 10));
    for (auto _ : state) {
        std::vector<CString> folders;
        DirectoryReader::List(folder.constData(), &folders, nullptr, nullptr);
        benchmark::DoNotOptimize(folders.data());
    }
}

} // namespace

// The timer's eight digits drawn on a window of 400 x 100 and on a full
// screen's width, as each tick repaints them.
static void BM_CKivTimerCtrl_DrawTimer(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    CKivTimerCtrl timer;
    timer.resize(width, width / 4);
    timer.SetTime(88, 88, 88);
    QImage image(width, width / 4, QImage::Format_RGB32);
    for (auto _ : state) {
        CDC dc(&image);
        benchmark::DoNotOptimize(timer.DrawTimer(&dc));
    }
}
BENCHMARK(BM_CKivTimerCtrl_DrawTimer)->Arg(400)->Arg(1920)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CKivDirTreeCtrl_ExpandFiltered)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CKivDirTreeCtrl_ExpandShown)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectoryReader_HasChild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectoryReader_ListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbers)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortDates)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTexts)->Arg(100000)->Unit(benchmark::kMillisecond);
