// SPDX-License-Identifier: MIT
// A 500-page fax-like TIFF (1700 × 2340 bilevel pages, CCITT G4, made at
// start): opening it and loading page 250, with the peak memory that takes
// beside loading a one-page file of the same page; then deleting and
// replacing page 250 in place beside tiffcp rewriting the same file with the
// same result, each on a fresh copy.
#include "imaging/app/CKivLeadApp.h"
#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/CKivLeadPageFrame.h"
#include "imaging/app/CKivLeadThumbView.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kPages = 500;
constexpr int kWidth = 1700;
constexpr int kHeight = 2340;

int quiet(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

// Lines of "text": runs of black words on white, different on every page.
bool writeDocument(const std::string& path, int pages)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TIFF* t = TIFFOpenExt(path.c_str(), "w", options);
    TIFFOpenOptionsFree(options);
    if (!t)
        return false;
    std::vector<std::uint8_t> row(kWidth / 8 + 1);
    unsigned seed = 1;
    for (int p = 0; p < pages; ++p) {
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, kWidth);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, kHeight);
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, kHeight);
        TIFFSetField(t, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(t, TIFFTAG_PAGENUMBER, p, pages);
        std::vector<std::uint8_t> words(kWidth / 8);
        for (int y = 0; y < kHeight; ++y) {
            std::fill(row.begin(), row.end(), 0);
            const int line = y % 40;
            if (line == 0)
                for (auto& w : words)
                    w = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24 & 1 ? 0xFF : 0);
            if (line >= 8 && line < 28 && y > 150 && y < kHeight - 150)
                for (int x = 12; x < kWidth / 8 - 12; ++x)
                    row[x] = static_cast<std::uint8_t>(words[x] & (0xFF ^ (1 << (y % 8))));
            if (TIFFWriteScanline(t, row.data(), static_cast<std::uint32_t>(y), 0) != 1)
                return TIFFClose(t), false;
        }
        if (!TIFFWriteDirectory(t))
            return TIFFClose(t), false;
    }
    TIFFClose(t);
    return true;
}

struct Files {
    QTemporaryDir dir;
    std::string document = dir.filePath("document.tif").toStdString();
    std::string single = dir.filePath("single.tif").toStdString();
    std::string work = dir.filePath("work.tif").toStdString();
    std::string page = dir.filePath("page.tif").toStdString();
    bool ok = writeDocument(document, kPages) && writeDocument(single, 1) && writeDocument(page, 1);
};

Files& files()
{
    static Files f;
    return f;
}

void copyWork()
{
    std::filesystem::copy_file(files().document, files().work, std::filesystem::copy_options::overwrite_existing);
}

long statusKb(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return -1;
}

// Peak resident memory the work adds, in MiB: the high-water mark is reset
// first so only this work counts.
template <class F> double peakMiB(F&& work)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const long base = statusKb("VmRSS:");
    work();
    return static_cast<double>(statusKb("VmHWM:") - base) / 1024.0;
}

int runTiffcp(const std::string& args)
{
    return std::system(("tiffcp " + args + " 2>/dev/null").c_str());
}

std::string pagesOf(const std::string& file, int from, int to)
{
    std::string s = file;
    for (int i = from; i <= to; ++i)
        s += "," + std::to_string(i);
    return s;
}

// In a fresh process (freed memory of this one would hide the growth):
// the libraries warmed on a tiny file, then the peak that opening file and
// loading page adds.
double peakInChild(const std::string& file, int page)
{
    const std::string command = "/proc/" + std::to_string(::getpid()) + "/exe --memory " + file + " "
        + std::to_string(page) + " " + files().page;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    double mib = -1;
    if (pipe) {
        if (std::fscanf(pipe, "%lf", &mib) != 1)
            mib = -1;
        ::pclose(pipe);
    }
    return mib;
}

int measureMemory(const char* file, int page, const char* warmUp)
{
    CLeadBitmap warm;
    KivLeadLoadFile(warmUp, &warm, 0, 1);
    KivLeadFreeBitmap(&warm);
    const double mib = peakMiB([&] {
        KivLeadFileInfo info;
        CLeadBitmap bitmap;
        if (KivLeadGetFileInfo(file, &info) != KIVLEAD_SUCCESS
            || KivLeadLoadFile(file, &bitmap, 0, page) != KIVLEAD_SUCCESS)
            std::exit(1);
    });
    std::printf("%.2f\n", mib);
    return 0;
}

void BM_KivLeadPages_OpenAndLoadPage250(benchmark::State& state)
{
    if (!files().ok)
        return state.SkipWithError("could not write the document");
    for (auto _ : state) {
        KivLeadFileInfo info;
        CLeadBitmap bitmap;
        if (KivLeadGetFileInfo(files().document.c_str(), &info) != KIVLEAD_SUCCESS || info.pages != kPages
            || KivLeadLoadFile(files().document.c_str(), &bitmap, 0, 250) != KIVLEAD_SUCCESS)
            state.SkipWithError("load failed");
    }
    state.counters["peak_MiB"] = peakInChild(files().document, 250);
    state.counters["one_page_file_peak_MiB"] = peakInChild(files().single, 1);
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(files().document)) / (1 << 20);
}

void BM_KivLeadPages_DeletePage250(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        copyWork();
        state.ResumeTiming();
        if (KivLeadDeletePage(files().work.c_str(), 250) != KIVLEAD_SUCCESS)
            state.SkipWithError("delete failed");
    }
}

void BM_Tiffcp_DeletePage250(benchmark::State& state)
{
    const std::string out = files().work + ".new";
    for (auto _ : state) {
        state.PauseTiming();
        copyWork();
        state.ResumeTiming();
        // The same pages in one list, written anew and renamed over the file.
        std::string list = files().work;
        for (int i = 0; i < kPages; ++i)
            if (i != 249)
                list += "," + std::to_string(i);
        if (runTiffcp(list + " " + out) != 0 || std::rename(out.c_str(), files().work.c_str()) != 0)
            state.SkipWithError("tiffcp failed");
    }
}

void BM_KivLeadPages_ReplacePage250(benchmark::State& state)
{
    CLeadBitmap page;
    if (KivLeadLoadFile(files().page.c_str(), &page, 0, 1) != KIVLEAD_SUCCESS)
        return state.SkipWithError("page");
    for (auto _ : state) {
        state.PauseTiming();
        copyWork();
        state.ResumeTiming();
        if (KivLeadSaveFile(files().work.c_str(), &page, KIVLEAD_FORMAT_TIFF, 0, 0, 250, KIVLEAD_SAVE_REPLACE)
            != KIVLEAD_SUCCESS)
            state.SkipWithError("replace failed");
    }
}

void BM_Tiffcp_ReplacePage250(benchmark::State& state)
{
    const std::string out = files().work + ".new";
    for (auto _ : state) {
        state.PauseTiming();
        copyWork();
        state.ResumeTiming();
        const std::string args = pagesOf(files().work, 0, 248) + " " + files().page + " "
            + pagesOf(files().work, 250, kPages - 1) + " " + out;
        if (runTiffcp(args) != 0 || std::rename(out.c_str(), files().work.c_str()) != 0)
            state.SkipWithError("tiffcp failed");
    }
}

// The editor as a user meets it: the file opened into a document with its
// page list and page 250 shown; then, apart, every page's thumbnail made.
struct EditorHost {
    QTemporaryDir dir;
    CKivLeadApp app {dir.filePath("profile.ini").toStdString()};
    EditorHost() { app.AddImageTemplate(); }
    CKivLeadThumbView* open()
    {
        auto* doc = dynamic_cast<CKivLeadAppDoc*>(app.OpenDocumentFile(files().document.c_str()));
        return doc ? static_cast<CKivLeadPageFrame*>(doc->GetFrames().front())->GetPageList() : nullptr;
    }
    void close()
    {
        app.CloseAllDocuments();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void BM_Editor_OpenAndShowPage250(benchmark::State& state)
{
    if (!files().ok)
        return state.SkipWithError("could not write the document");
    EditorHost host;
    // The first window of a process also starts the platform, loads fonts
    // and styles: reported apart, not in the mean.
    QElapsedTimer first;
    first.start();
    if (CKivLeadThumbView* pages = host.open())
        pages->SelectPage(249);
    state.counters["first_open_in_process_ms"] = static_cast<double>(first.nsecsElapsed()) / 1e6;
    host.close();
    // What a second open adds at its peak: the page before, the page
    // shown, their paint handles and the thumbnails made so far.
    state.counters["peak_MiB"] = peakMiB([&] {
        if (CKivLeadThumbView* pages = host.open())
            pages->SelectPage(249);
    });
    host.close();
    double openMs = 0, pageMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        CKivLeadThumbView* pages = host.open();
        if (!pages || pages->GetCount() != kPages)
            return state.SkipWithError("open failed");
        openMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        pages->SelectPage(249);
        pageMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (pages->GetCurrentPage() != 249)
            state.SkipWithError("page 250 not shown");
        state.PauseTiming();
        host.close();
        state.ResumeTiming();
    }
    state.counters["open_ms"] = openMs / static_cast<double>(state.iterations());
    state.counters["page_change_ms"] = pageMs / static_cast<double>(state.iterations());
}

void BM_Editor_AllPageThumbnails(benchmark::State& state)
{
    EditorHost host;
    for (auto _ : state) {
        state.PauseTiming();
        CKivLeadThumbView* pages = host.open();
        state.ResumeTiming();
        if (!pages)
            return state.SkipWithError("open failed");
        pages->MakePendingThumbs();
        state.PauseTiming();
        host.close();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Editor_OpenAndShowPage250)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Editor_AllPageThumbnails)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_KivLeadPages_OpenAndLoadPage250)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_KivLeadPages_DeletePage250)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Tiffcp_DeletePage250)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_KivLeadPages_ReplacePage250)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Tiffcp_ReplacePage250)->Unit(benchmark::kMillisecond)->Iterations(5);
int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--memory") == 0)
        return measureMemory(argv[2], std::atoi(argv[3]), argv[4]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
