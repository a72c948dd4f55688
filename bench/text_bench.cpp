#include <benchmark/benchmark.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "platform/freetype/FreeTypeFontEngine.h"

namespace {

TBitmap& Surface() {
    static TBitmap bmp = [] {
        InstallFreeTypeFontEngine();
        return TBitmap(640, 480);
    }();
    return bmp;
}

void PrepareCanvas(TCanvas& canvas) {
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-12);
    canvas.Font().SetColor(clBlack);
    canvas.Brush().Style = bsClear;
}

// Twenty characters whose glyphs are in the cache after the first round.
void BM_TextOutCached20(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    canvas.TextOut(10, 10, "2026-12-08 13:45:10Z");
    for (auto _ : state) canvas.TextOut(10, 10, "2026-12-08 13:45:10Z");
}
BENCHMARK(BM_TextOutCached20);

void BM_TextOutCached20Opaque(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    canvas.Brush().Style = bsSolid;
    for (auto _ : state) canvas.TextOut(10, 10, "2026-12-08 13:45:10Z");
}
BENCHMARK(BM_TextOutCached20Opaque);

void BM_TextWidth(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    for (auto _ : state) benchmark::DoNotOptimize(canvas.TextWidth("2026-12-08 13:45:10Z"));
}
BENCHMARK(BM_TextWidth);

void BM_TextOutChinese(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    for (auto _ : state) canvas.TextOut(10, 40, "开机/关机日志 正常关机");
}
BENCHMARK(BM_TextOutChinese);

void BM_TextOutRotated(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    canvas.Font().SetOrientation(900);
    for (auto _ : state) canvas.TextOut(100, 300, "2026-12-08 13:45:10Z");
}
BENCHMARK(BM_TextOutRotated);

void BM_DrawTextWordBreak(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    const char* text =
        "Shows start-up time, shutdown time and the logged-on user; draws a chart of "
        "working time; finds out whether someone used the computer secretly.";
    for (auto _ : state) {
        TRect r{10, 100, 250, 400};
        benchmark::DoNotOptimize(canvas.DrawText(text, r, dtWordBreak));
    }
}
BENCHMARK(BM_DrawTextWordBreak);

void BM_DrawTextEllipsisPrefix(benchmark::State& state) {
    TCanvas& canvas = Surface().Canvas();
    PrepareCanvas(canvas);
    for (auto _ : state) {
        TRect r{10, 400, 90, 420};
        benchmark::DoNotOptimize(
            canvas.DrawText("刷新(&R) the whole history", r, dtSingleLine | dtEndEllipsis));
    }
}
BENCHMARK(BM_DrawTextEllipsisPrefix);

}  // namespace

BENCHMARK_MAIN();
