// The statistics page's map: its awake seconds computed from a long history, and its drawing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

#include "app/UsageMap.h"
#include "base/Clock.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "history/SessionRows.h"
#include "history/UsageHours.h"
#include "platform/freetype/FreeTypeFontEngine.h"

namespace {

// 100 000 finished sessions, three a day (morning, afternoon, evening) of one to four hours,
// over 91 years, so that every daylight-saving change of the zone is crossed; every third
// session sleeps for half an hour.
struct THistory {
    SessionTable Table;
    TSleepPeriods Sleeps;
    TUsageSpan Span;
};

const THistory& History() {
    static const THistory history = [] {
        THistory h;
        std::uint32_t seed = 12345;
        auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
        h.Table.resize(100000);
        std::int64_t end = 0;
        for (std::size_t n = 0; n < h.Table.size(); ++n) {
            SessionRecord& rec = h.Table[h.Table.size() - 1 - n];  // newest first
            const std::int64_t day = static_cast<std::int64_t>(n / 3) * 86400;
            const std::int64_t boot =
                day + (7 + 5 * static_cast<std::int64_t>(n % 3)) * 3600 + next() % 3600;
            end = boot + 3600 + next() % (3 * 3600);
            rec.BootTime = rec.ShutdownTime = 2.0;
            rec.BootUtc = static_cast<std::uint32_t>(boot);
            rec.ShutdownUtc = static_cast<std::uint32_t>(end);
            if (n % 3 == 0) h.Sleeps.push_back({boot + 1800, boot + 3600});
        }
        FinishRecords(h.Table);
        h.Span = {0, end, end};
        return h;
    }();
    return history;
}

void UseBerlinTime() {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
}

void BM_UsageHours100000Sessions(benchmark::State& state) {
    UseBerlinTime();
    const THistory& h = History();
    for (auto _ : state) {
        TUsageHours map = ComputeUsageHours(h.Table, h.Sleeps, h.Span, LocalUtcOffsetSeconds);
        benchmark::DoNotOptimize(map.Seconds[0][0]);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(h.Table.size()));
}
BENCHMARK(BM_UsageHours100000Sessions)->Unit(benchmark::kMillisecond);

// Paint is the control's own; the bench calls it on a bitmap of the control's size.
class TMapProbe : public TUsageMap {
  public:
    using TUsageMap::Paint;
};

void BM_UsageMapDraw(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    UseBerlinTime();
    const THistory& h = History();
    TMapProbe map;
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-11);
    map.SetFont(font);
    map.SetBounds(0, 160, 669, 209);
    map.SetHours(ComputeUsageHours(h.Table, h.Sleeps, h.Span, LocalUtcOffsetSeconds), {});
    TBitmap bitmap(669, 209);
    for (auto _ : state) {
        map.Paint(bitmap.Canvas());
        benchmark::DoNotOptimize(bitmap.Buffer().Data());
    }
}
BENCHMARK(BM_UsageMapDraw)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
