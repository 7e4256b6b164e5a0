// SPDX-License-Identifier: MIT
// Thumbnail browsing: filling and sorting a KivThumbList of files on disk,
// and drawing one page of a 6 × 4 slide browser offscreen. The slides are the
// real samples when the folder VANDREL_SAMPLES names exists (the slide and
// library folders of the corpus), else slides written here.
#include "controls/KivThumbList.h"
#include "views/CKivSlideThumbListCtrl.h"

#include "BenchSlides.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 10000;

// A folder of kFiles files of varied names, sizes and times, made once.
const fs::path& fileFolder()
{
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / "vandrel-bench-thumbs";
        fs::create_directories(dir);
        std::mt19937 random(7);
        const char* ext[] = {".sld", ".dwg", ".slb", ".dxf", ".txt"};
        for (int i = 0; i < kFiles; ++i) {
            const fs::path file
                = dir / ("file" + std::to_string(random() % 100000) + "_" + std::to_string(i) + ext[i % 5]);
            if (!fs::exists(file)) {
                std::ofstream(file) << std::string(random() % 4096, 'x');
                fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(random() % 50000));
            }
        }
        return dir;
    }();
    return folder;
}

std::vector<std::string> fileNames()
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fileFolder()))
        names.push_back(e.path().string());
    std::shuffle(names.begin(), names.end(), std::mt19937(3));
    return names;
}

void BM_KivThumbList_Fill(benchmark::State& state)
{
    const std::vector<std::string> names = fileNames();
    for (auto _ : state) {
        KivThumbList list;
        for (const auto& n : names)
            list.addItem(n.c_str(), nullptr, nullptr);
        benchmark::DoNotOptimize(list.getCount());
        list.removeData();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(names.size()));
}

void BM_KivThumbList_Sort(benchmark::State& state)
{
    static KivThumbList* list = [] {
        auto* l = new KivThumbList;
        for (const auto& n : fileNames())
            l->addItem(n.c_str(), nullptr, nullptr);
        return l;
    }();
    const int key = static_cast<int>(state.range(0));
    std::vector<KivThumbItem*> shuffled;
    for (int i = 0; i < list->getCount(); ++i)
        shuffled.push_back(list->getAt(i));
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(11));
        for (int i = 0; i < list->getCount(); ++i)
            list->setAt(i, shuffled[static_cast<std::size_t>(i)]);
        state.ResumeTiming();
        list->sort(key, 0);
    }
    state.SetLabel(key == 0 ? "path" : key == 1 ? "size" : key == 2 ? "type" : "date");
}

// The slides a page shows: the samples' slides and library members, or
// slides of a few hundred vectors written for the benchmark.
void addSlides(CKivSlideThumbListCtrl& browser)
{
    const char* samples = std::getenv("VANDREL_SAMPLES");
    if (samples && fs::is_directory(samples)) {
        browser.AddDrawings((std::string(samples) + "/sld").c_str());
        browser.AddDrawings((std::string(samples) + "/slb").c_str());
        return;
    }
    const fs::path dir = fs::temp_directory_path() / "vandrel-bench-slides";
    fs::create_directories(dir);
    for (int s = 0; s < 12; ++s) {
        const std::vector<std::uint8_t> b = benchslides::vectors(1000, 800, 300, s);
        const std::string bytes(b.begin(), b.end());
        std::ofstream(dir / ("s" + std::to_string(s) + ".sld"), std::ios::binary) << bytes;
    }
    browser.AddDrawings(dir.c_str());
}

void BM_SlideBrowser_DrawPage(benchmark::State& state)
{
    CKivSlideThumbListCtrl browser;
    browser.resize(960, 480);
    browser.SetScrollEnable(0);
    // At least two pages of 24, so that every draw shows other slides.
    for (int round = 0; round < 8 && (!browser.GetThumbList() || browser.GetThumbList()->getCount() < 48); ++round)
        addSlides(browser);
    browser.MakeThumb(6, 4);
    browser.show();
    QCoreApplication::processEvents();
    int page = 0;
    for (auto _ : state) {
        browser.ViewThumb((page++ % 2) * 24);
        QCoreApplication::processEvents();
    }
    state.SetLabel(std::to_string(browser.GetThumbList()->getCount()) + " slides");
}

} // namespace

BENCHMARK(BM_KivThumbList_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KivThumbList_Sort)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlideBrowser_DrawPage)->Unit(benchmark::kMillisecond);
