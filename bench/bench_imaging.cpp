// SPDX-License-Identifier: MIT
// The imaging library on a 24-megapixel photo: load, ten edit commands
// through the edit protocol (snapshots included) beside the same operation in
// plain Magick++, undo and redo, and view repaints at 37 % and 400 %.
// VANDREL_BENCH_PHOTO names a real photo to use; otherwise a synthetic
// 6000 × 4000 one (gradients, noise and soft shapes) is written to a
// temporary JPEG first.
#include "imaging/editor/CKivLeadEditCtrl.h"
#include "imaging/toolkit/KivLeadCommand.h"
#include "imaging/toolkit/KivLeadEditor.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <Magick++.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

namespace {

std::string g_photo;

const std::string& photo()
{
    static QTemporaryDir dir;
    if (!g_photo.empty())
        return g_photo;
    if (const char* env = std::getenv("VANDREL_BENCH_PHOTO")) {
        g_photo = env;
        return g_photo;
    }
    g_photo = dir.filePath("photo.jpg").toStdString();
    Magick::Image image;
    image.size(Magick::Geometry(6000, 4000));
    image.read("gradient:#2060a0-#e0c080");
    image.addNoise(Magick::GaussianNoise);
    image.blur(0, 1.0);
    image.quality(90);
    image.write(g_photo);
    return g_photo;
}

CLeadBitmap& loaded()
{
    static CLeadBitmap bitmap;
    if (!bitmap.IsAllocated())
        KivLeadLoadFile(photo().c_str(), &bitmap);
    return bitmap;
}

void BM_KivLead_Load(benchmark::State& state)
{
    for (auto _ : state) {
        CLeadBitmap bitmap;
        if (KivLeadLoadFile(photo().c_str(), &bitmap) != KIVLEAD_SUCCESS)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(bitmap.Width());
    }
}

void BM_Magick_Load(benchmark::State& state)
{
    for (auto _ : state) {
        Magick::Image image;
        image.read(photo());
        benchmark::DoNotOptimize(image.columns());
    }
}

// Our layer: the command through the edit protocol on a fresh copy.
void runOurs(benchmark::State& state, const char* name, std::initializer_list<int> values)
{
    const KivLeadCommand* command = KivLeadFindCommand(name);
    int v[KivLeadCommand::kMaxValues] = {};
    std::copy(values.begin(), values.end(), v);
    for (auto _ : state) {
        state.PauseTiming();
        CLeadBitmap image;
        KivLeadCopyBitmap(&image, &loaded());
        CLeadBitmap* current = &image;
        KivLeadEditor editor(current);
        state.ResumeTiming();
        KivLeadCommandContext context;
        if (editor.Run(*command, v, context) != KIVLEAD_SUCCESS)
            state.SkipWithError("command failed");
        state.PauseTiming();
        // Freeing the before and after images is not the command's time.
        editor.DeleteUndo();
        editor.DeleteRedo();
        KivLeadFreeBitmap(&image);
        state.ResumeTiming();
    }
}

Magick::Image& original()
{
    static Magick::Image image;
    if (image.columns() == 0)
        image.read(photo());
    return image;
}

template <class F> void runPlain(benchmark::State& state, F&& op)
{
    for (auto _ : state) {
        state.PauseTiming();
        Magick::Image image = original();
        state.ResumeTiming();
        op(image);
        state.PauseTiming();
        image = Magick::Image();
        state.ResumeTiming();
    }
}

void BM_KivLead_Undo(benchmark::State& state)
{
    CLeadBitmap image;
    KivLeadCopyBitmap(&image, &loaded());
    CLeadBitmap* current = &image;
    KivLeadEditor editor(current);
    KivLeadCommandContext context;
    const int none[4] = {};
    editor.Run(*KivLeadFindCommand("invert"), none, context);
    for (auto _ : state) {
        editor.Undo();
        editor.Redo();
    }
}

void paintAt(benchmark::State& state, int zoom, int dx, int dy)
{
    CKivLeadEditCtrl view;
    view.resize(1280, 800);
    KivLeadCopyBitmap(view.GetBitmap(), &loaded());
    view.SetFit(0);
    view.SetZoom(zoom);
    view.Offset(dx, dy);
    QImage surface(1280, 800, QImage::Format_RGB32);
    const CRect client(0, 0, 1280, 800);
    {
        // The first paint makes the paint image and the zoomed copy.
        QPainter painter(&surface);
        view.Paint(painter, client);
    }
    for (auto _ : state) {
        QPainter painter(&surface);
        view.Paint(painter, client);
    }
}

void BM_View_FirstPaint37(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CKivLeadEditCtrl view;
        view.resize(1280, 800);
        KivLeadLoadFile(photo().c_str(), view.GetBitmap());
        view.SetFit(0);
        view.SetZoom(37);
        QImage surface(1280, 800, QImage::Format_RGB32);
        state.ResumeTiming();
        QPainter painter(&surface);
        view.Paint(painter, CRect(0, 0, 1280, 800));
    }
}

} // namespace

BENCHMARK(BM_Magick_Load)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_KivLead_Load)->Unit(benchmark::kMillisecond)->Iterations(5);

#define PAIR(ours, name, values, plain)                                                                                \
    static void BM_KivLead_##ours(benchmark::State& s)                                                                 \
    {                                                                                                                  \
        runOurs(s, name, values);                                                                                      \
    }                                                                                                                  \
    static void BM_Magick_##ours(benchmark::State& s)                                                                  \
    {                                                                                                                  \
        runPlain(s, [](Magick::Image& image) { plain; });                                                              \
    }                                                                                                                  \
    BENCHMARK(BM_KivLead_##ours)->Unit(benchmark::kMillisecond)->Iterations(3);                                        \
    BENCHMARK(BM_Magick_##ours)->Unit(benchmark::kMillisecond)->Iterations(3);

#define V(...)                                                                                                         \
    {                                                                                                                  \
        __VA_ARGS__                                                                                                    \
    }
PAIR(Rotate90, "rotate90clockwise", V(), image.rotate(90))
PAIR(Rotate30, "rotate", V(3000), image.backgroundColor(Magick::Color("black")); image.rotate(30))
PAIR(Resize, "resample", V(3000, 2000), image.resize(Magick::Geometry("3000x2000!")))
PAIR(Sharpen, "sharpen", V(300), image.sharpen(0.0, 1.25))
PAIR(Median, "median", V(3), image.medianFilter(1.5))
PAIR(Emboss, "emboss", V(45, 100), image.emboss(0.0, 1.0))
PAIR(Hue, "hue", V(20), image.modulate(100.0, 100.0, 100.0 + 20 * 100.0 / 180.0))
PAIR(Contrast, "contrast", V(200), image.brightnessContrast(0.0, 20.0))
PAIR(GrayScale, "grayscale8", V(), image.type(Magick::GrayscaleType); image.depth(8))
PAIR(Invert, "invert", V(), image.negate())

BENCHMARK(BM_KivLead_Undo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_View_FirstPaint37)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(paintAt, Repaint37, 37, 0, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintAt, Repaint400Offset, 400, -9000, -6000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Magick::InitializeMagick(*argv);
    benchmark::Initialize(&argc, argv);
    // The photo is made (or read) before any timing.
    photo();
    loaded();
    original();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
