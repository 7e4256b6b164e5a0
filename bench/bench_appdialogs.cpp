// SPDX-License-Identifier: MIT
// The slide library manager on a library of 5,000 slides: opening it with
// the library listed, deleting 500 selected slides (one rewrite) and
// previewing one selected slide.
#include "appdialogs/CKivSlideManagerDlg.h"
#include "appdialogs/resources.h"
#include "cad/KivSlideFile.h"
#include "platform/widgets/CWndT.h"

#include "BenchSlides.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace kivappdlg;

namespace {

using benchslides::put16;

// A slide of a few hundred vectors, about 3 KB.
std::vector<std::uint8_t> slide()
{
    return benchslides::vectors(2000, 1500, 370);
}

void writeLibrary(const std::string& path, int n)
{
    const auto out = benchslides::library(n, slide());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("vandrel-bench-slm-" + std::to_string(::getpid()));
    std::string lib = (dir / "big.slb").string();
    Scratch()
    {
        fs::create_directories(dir);
        writeLibrary(lib, 5000);
    }
    ~Scratch() { fs::remove_all(dir); }
};

// The manager open on the scratch library, made as a user opens it.
void openOn(CKivSlideManagerDlg& dialog, const Scratch& s)
{
    dialog.m_folder = s.dir.string();
    dialog.m_library = s.lib;
    dialog.Create(IDD_SLIDEMANAGER);
}

} // namespace

static void BM_SlideManager_OpenAndList5000(benchmark::State& state)
{
    Scratch s;
    ResourceScope resources(KivAppDlgResources());
    for (auto _ : state) {
        CKivSlideManagerDlg dialog;
        openOn(dialog, s);
        benchmark::DoNotOptimize(dialog.LibraryList().GetCount());
    }
}
BENCHMARK(BM_SlideManager_OpenAndList5000)->Unit(benchmark::kMillisecond);

static void BM_SlideManager_Delete500Of5000(benchmark::State& state)
{
    Scratch s;
    ResourceScope resources(KivAppDlgResources());
    CKivSlideManagerDlg dialog;
    openOn(dialog, s);
    for (auto _ : state) {
        state.PauseTiming();
        writeLibrary(s.lib, 5000);
        dialog.Refresh();
        for (int i = 0; i < 5000; i += 10)
            dialog.LibraryList().SetSel(i);
        state.ResumeTiming();
        SendMessage(&dialog, WM_COMMAND, MAKEWPARAM(IDC_SLM_DELETE, BN_CLICKED), 0);
    }
    state.counters["left"] = dialog.LibraryList().GetCount();
}
BENCHMARK(BM_SlideManager_Delete500Of5000)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_SlideManager_PreviewMember(benchmark::State& state)
{
    Scratch s;
    ResourceScope resources(KivAppDlgResources());
    CKivSlideManagerDlg dialog;
    openOn(dialog, s);
    int i = 0;
    for (auto _ : state) {
        char reference[64];
        std::snprintf(reference, sizeof reference, "(S%05d)", (i++ * 997) % 5000);
        dialog.LibraryView().SetFile((s.lib + reference).c_str(), 1);
        benchmark::DoNotOptimize(dialog.LibraryView().grab()); // the paint the selection brings, done now
    }
}
BENCHMARK(BM_SlideManager_PreviewMember)->Unit(benchmark::kMillisecond);
