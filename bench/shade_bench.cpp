#include <benchmark/benchmark.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsFrames.h"
#include "widgets/WsShading.h"

namespace {

void ShadeSystemColors(benchmark::State& state, int width, int height) {
    TBitmap target(width, height);
    const TShadeColors colors = PanelShadeColors(TDisplaySettings{}, gcsSystem);
    for (auto _ : state) {
        ShadeRect(target.Canvas(), Rect(0, 0, width, height), gdHorizontalEnd, colors.Start,
                  colors.Stop);
        benchmark::DoNotOptimize(target.Buffer().Data());
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

// 60 wide and 1920 high: 1920 lines of colour, few pixels each.
void BM_ShadeStrip60x1920(benchmark::State& state) {
    ShadeSystemColors(state, 60, 1920);
}
BENCHMARK(BM_ShadeStrip60x1920);

// The tool bar of a full-HD-wide window: 60 lines, copied 1920 across.
void BM_ShadeToolBar1920x60(benchmark::State& state) {
    ShadeSystemColors(state, 1920, 60);
}
BENCHMARK(BM_ShadeToolBar1920x60);

// What any shading of this size costs before a single band is drawn: the off-screen bitmap
// and the one copy onto the target.
void BM_BitmapAndCopyOnly(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    TBitmap target(width, height);
    for (auto _ : state) {
        TBitmap bitmap(width, height);
        target.Canvas().CopyRect(Rect(0, 0, width, height), bitmap.Canvas(),
                                 Rect(0, 0, width, height));
        benchmark::DoNotOptimize(target.Buffer().Data());
    }
}
BENCHMARK(BM_BitmapAndCopyOnly)->Args({60, 1920})->Args({1920, 60});

void BM_DrawStyledFrame(benchmark::State& state) {
    TBitmap target(1920, 60);
    const auto style = static_cast<TFrameStyle>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawStyledFrame(target.Canvas(), Rect(0, 0, 1920, 60), style));
    }
}
BENCHMARK(BM_DrawStyledFrame)->Arg(fsFlat)->Arg(fsGroove)->Arg(fsRaised);

}  // namespace

BENCHMARK_MAIN();
