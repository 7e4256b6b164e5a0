// SPDX-License-Identifier: MIT
// The image thumbnail cache warm: a page of 24 lookups among 10,000 indexed
// sources, and scrolling the image browser's grid page by page over a
// folder of 2,000 images whose thumbnails are all made.
#include "controls/KivThumbList.h"
#include "imaging/thumbcache/KivLeadThumbMgr.h"
#include "imaging/widgets/CKivLeadThumbCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot = fs::temp_directory_path() / "vandrel-bench-thumbcache";

// 10,000 sources with a line and a JPEG each, written directly.
const std::vector<std::string>& indexedSources()
{
    static const std::vector<std::string> sources = [] {
        const fs::path src = kRoot / "indexed", cache = kRoot / "indexed-cache";
        fs::create_directories(src);
        fs::create_directories(cache);
        std::vector<std::string> out;
        std::ofstream db(cache / "THUMB.DB", std::ios::trunc);
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
        for (int i = 0; i < 10000; ++i) {
            const std::string file = (src / ("photo" + std::to_string(i) + ".jpg")).string();
            if (!fs::exists(file)) {
                std::ofstream(file) << 'x';
                fs::last_write_time(file, old);
            }
            char name[17];
            std::snprintf(name, sizeof name, "%016x", i);
            std::ofstream(cache / (std::string(name) + ".jpg")) << 'x';
            db << file << "|99999.000000|" << name << "\n";
            out.push_back(file);
        }
        return out;
    }();
    return sources;
}

void BM_KivLeadThumbMgr_WarmPageOf24(benchmark::State& state)
{
    const auto& sources = indexedSources();
    KivLeadThumbMgr mgr;
    mgr.SetThumbPath((kRoot / "indexed-cache").c_str());
    std::mt19937 random(5);
    char out[KivLeadThumbMgr::kPathSize];
    int found = 0;
    for (auto _ : state) {
        const std::size_t first = random() % (sources.size() - 24);
        for (std::size_t i = first; i < first + 24; ++i)
            found += mgr.GetThumb(sources[i].c_str(), out);
    }
    if (found != 24 * static_cast<int>(state.iterations()))
        state.SkipWithError("a lookup missed");
}
BENCHMARK(BM_KivLeadThumbMgr_WarmPageOf24)->Unit(benchmark::kMicrosecond);

// 2,000 small photos with their thumbnails made.
const fs::path& browsedFolder()
{
    static const fs::path folder = [] {
        const fs::path dir = kRoot / "browsed";
        fs::create_directories(dir);
        for (int i = 0; i < 2000; ++i) {
            const fs::path file = dir / ("img" + std::to_string(10000 + i) + ".jpg");
            if (fs::exists(file))
                continue;
            QImage image(640, 480, QImage::Format_RGB32);
            image.fill(qRgb(i % 256, (i * 7) % 256, (i * 13) % 256));
            image.save(QString::fromStdString(file.string()), "JPEG", 85);
        }
        KivLeadThumbMgr mgr;
        mgr.SetThumbPath((kRoot / "browsed-cache").c_str());
        char out[KivLeadThumbMgr::kPathSize];
        for (const auto& e : fs::directory_iterator(dir))
            mgr.GetThumb(e.path().c_str(), out);
        return dir;
    }();
    return folder;
}

void BM_CKivLeadThumbListCtrl_ScrollPageWarm(benchmark::State& state)
{
    const fs::path& folder = browsedFolder();
    CKivLeadThumbListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 6 * 120 + 16, 4 * 90), nullptr, 1);
    list.SetThumbPath((kRoot / "browsed-cache").c_str());
    list.AddDirectory(folder.c_str());
    list.show();
    list.MakeThumb(0, 0);
    const int perPage = list.GetCellsPerPage();
    const int items = list.GetThumbList()->getCount();
    int first = 0;
    for (auto _ : state) {
        list.ViewThumb(first);
        QApplication::processEvents(); // the page is painted
        first = (first + perPage) % std::max(1, items - perPage);
    }
    state.counters["cells"] = perPage;
    state.counters["images"] = items;
}
BENCHMARK(BM_CKivLeadThumbListCtrl_ScrollPageWarm)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
