// SPDX-License-Identifier: MIT
// The common dialogs: "View Thumbnail" opened on a library of 1,000 slides
// with a 4 × 3 grid, from the call until its first page has been painted
// (the modal hook grabs the dialog, which paints every cell, and ends it).
#include "cad/KivSlideFile.h"
#include "dialogs/KivDlgThumbSlide.h"
#include "platform/base/CStringArray.h"

#include "BenchSlides.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kSlides = 1000;

// A slide of a few hundred vectors, different for each s.
std::string slideBytes(int s)
{
    const std::vector<std::uint8_t> b = benchslides::vectors(1000, 800, 200, s);
    return std::string(b.begin(), b.end());
}

// The library, made once in the temporary folder.
const std::string& library()
{
    static const std::string path = [] {
        const fs::path dir = fs::temp_directory_path() / "vandrel-bench-dialogs";
        const fs::path lib = dir / "MANY.SLB";
        CStringArray names;
        if (fs::exists(lib) && KivSlideFile::GetSlideList(lib.c_str(), &names) && names.GetSize() == kSlides)
            return lib.string();
        fs::remove_all(dir);
        fs::create_directories(dir);
        KivSlideFile::CreateLibrary(lib.c_str());
        for (int s = 0; s < kSlides; ++s) {
            const fs::path slide = dir / ("S" + std::to_string(10000 + s) + ".SLD");
            std::ofstream(slide, std::ios::binary) << slideBytes(s);
            KivSlideFile::AppendLibrary(lib.c_str(), slide.c_str());
            fs::remove(slide);
        }
        return lib.string();
    }();
    return path;
}

void BM_KivDlgThumbSlide_FirstPage(benchmark::State& state)
{
    CStringArray names;
    KivSlideFile::GetSlideList(library().c_str(), &names);
    CDialog::SetModalHook([](CDialog& d) {
        d.grab();
        d.EndDialog(IDOK);
    });
    for (auto _ : state)
        benchmark::DoNotOptimize(
            KivDlgThumbSlide(nullptr, library().c_str(), &names, 4, 3, 1, "Many", -1, -1, 0, 0, 5, 1));
    CDialog::SetModalHook(nullptr);
    state.SetLabel(std::to_string(names.GetSize()) + " slides");
}

} // namespace

BENCHMARK(BM_KivDlgThumbSlide_FirstPage)->Unit(benchmark::kMillisecond);
