#include <benchmark/benchmark.h>

#include <cstring>

#include "graphics/Canvas.h"

// Figures for the canvas's hot paths. Fill and memset run side by side over the same bytes so
// that their ratio can be read off one run.

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void BM_MemsetFullHd(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    const std::size_t bytes = sizeof(TPixel) * kWidth * kHeight;
    int value = 0;
    for (auto _ : state) {
        std::memset(buffer.Data(), ++value & 0xFF, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_MemsetFullHd);

void BM_FillRectFullHd(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    int value = 0;
    for (auto _ : state) {
        canvas.Brush().Color = RGB(++value & 0xFF, 30, 60);
        canvas.FillRect({0, 0, kWidth, kHeight});
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * sizeof(TPixel) *
                            kWidth * kHeight);
}
BENCHMARK(BM_FillRectFullHd);

// A fill that is not the whole width goes row by row.
void BM_FillRectInset(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    canvas.Brush().Color = clRed;
    for (auto _ : state) {
        canvas.FillRect({1, 1, kWidth - 1, kHeight - 1});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillRectInset);

enum LineKind { kHorizontal, kVertical, kDiagonal, kWide, kDotted };

// 100 lines of about 1000 pixels each per iteration.
void BM_Lines(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    const auto kind = static_cast<LineKind>(state.range(0));
    if (kind == kWide) canvas.Pen().Width = 5;
    if (kind == kDotted) canvas.Pen().Style = psDot;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            switch (kind) {
                case kHorizontal:
                    canvas.MoveTo(100, i * 10), canvas.LineTo(1100, i * 10);
                    break;
                case kVertical:
                    canvas.MoveTo(i * 10, 50), canvas.LineTo(i * 10, 1050);
                    break;
                default:
                    canvas.MoveTo(i * 5, 0), canvas.LineTo(i * 5 + 1000, 700);
                    break;
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 100);
}
BENCHMARK(BM_Lines)
    ->ArgName("kind")
    ->Arg(kHorizontal)
    ->Arg(kVertical)
    ->Arg(kDiagonal)
    ->Arg(kWide)
    ->Arg(kDotted);

// The chart's bars: outlined, filled rectangles.
void BM_Rectangles(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    canvas.Brush().Color = clBlue;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) canvas.Rectangle(i * 18, 300 - i, i * 18 + 15, 1000);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 100);
}
BENCHMARK(BM_Rectangles);

void BM_Polygon(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    canvas.Brush().Color = clLime;
    const std::vector<TPoint> star{{500, 50}, {800, 950}, {50, 350}, {950, 350}, {200, 950}};
    const std::vector<TPoint> triangle{{1200, 100}, {1250, 140}, {1180, 160}};
    const bool small = state.range(0) == 0;
    for (auto _ : state) {
        canvas.Polygon(small ? triangle : star);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Polygon)->ArgName("large")->Arg(0)->Arg(1);

void BM_Ellipse(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    for (auto _ : state) {
        canvas.Ellipse({100, 100, 900, 700});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Ellipse);

// The rubber band: an inverted outline over a full-HD picture.
void BM_InvertedRectangle(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    canvas.Pen().Mode = pmNot;
    canvas.Brush().Style = bsClear;
    for (auto _ : state) {
        canvas.Rectangle(100, 100, 1800, 1000);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InvertedRectangle);

void BM_CopyRect(benchmark::State& state) {
    TPixelBuffer from(kWidth, kHeight), to(kWidth, kHeight);
    TCanvas source(from), dest(to);
    const bool sameCanvas = state.range(0) == 1;
    for (auto _ : state) {
        if (sameCanvas) {
            dest.CopyRect({0, 0, kWidth - 10, kHeight}, dest, {10, 0, kWidth, kHeight});
        } else {
            dest.CopyRect({0, 0, kWidth, kHeight}, source, {0, 0, kWidth, kHeight});
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * sizeof(TPixel) *
                            kWidth * kHeight);
}
BENCHMARK(BM_CopyRect)->ArgName("overlapping")->Arg(0)->Arg(1);

// A form's back buffer presented through a clip of several rectangles.
void BM_FillRectClipped(benchmark::State& state) {
    TPixelBuffer buffer(kWidth, kHeight);
    TCanvas canvas(buffer);
    for (int i = 0; i < 10; ++i)
        canvas.ExcludeClipRect({i * 190, i * 100, i * 190 + 50, i * 100 + 50});
    canvas.Brush().Color = clYellow;
    for (auto _ : state) {
        canvas.FillRect({0, 0, kWidth, kHeight});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillRectClipped);

}  // namespace

BENCHMARK_MAIN();
