#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"

// The log page's list with 100 000 session rows: refilling it, repainting it after a scroll
// by a page, and what a row costs in memory besides its texts, or in all when the list makes
// its texts as it reads them.

namespace {

// Every allocation of the program is counted while counting is on. The allocator's own
// bookkeeping (about 16 bytes a block) is added per block, since it is memory the row holds.
std::atomic<bool> counting{false};
std::atomic<long long> liveBytes{0};
std::atomic<long long> liveBlocks{0};

}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size + 16);
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = size;
    if (counting) {
        liveBytes += static_cast<long long>(size);
        ++liveBlocks;
    }
    return static_cast<char*>(p) + 16;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    char* base = static_cast<char*>(p) - 16;
    if (counting) {
        liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(base));
        --liveBlocks;
    }
    std::free(base);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int kRows = 100'000;

struct TRowTexts {
    std::string Boot, Shutdown, Duration, User, Status;
    int State;
};

std::vector<TRowTexts> MakeRows() {
    std::vector<TRowTexts> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        std::string day = "2024-" + std::to_string(1 + i % 12) + "-" + std::to_string(1 + i % 28);
        rows.push_back({day + " 08:12:" + std::to_string(10 + i % 50),
                        day + " 17:40:" + std::to_string(10 + i % 50), "9 时28 分0 秒",
                        i % 3 ? "alice" : "", i % 7 ? "正常关机" : "非正常关机", i % 7 ? 0 : 1});
    }
    return rows;
}

void Fill(TWsListView& list, const std::vector<TRowTexts>& rows) {
    TListItems& items = list.Items();
    items.BeginUpdate();
    items.Clear();
    items.Reserve(static_cast<int>(rows.size()));
    for (const TRowTexts& r : rows)
        items.Add("", {r.Boot, r.Shutdown, r.Duration, r.User, r.Status}, r.State);
    items.EndUpdate();
}

struct TListFixture {
    THeadlessHost host;
    TApplication app{host};
    std::vector<TRowTexts> rows = MakeRows();
    TListFixture() {
        InstallFreeTypeFontEngine();
        app.CreateForm(FormVigil);
        FormVigil->Show();
        host.Advance(1);
    }
    TWsListView& List() { return *FormVigil->WsLWMsg; }
};

void BM_FillHundredThousandRows(benchmark::State& state) {
    TListFixture fx;
    for (auto _ : state) Fill(fx.List(), fx.rows);
    state.counters["rows"] = fx.List().Items().Count();
}
BENCHMARK(BM_FillHundredThousandRows)->Unit(benchmark::kMillisecond);

void BM_PaintScrolledPage(benchmark::State& state) {
    TListFixture fx;
    Fill(fx.List(), fx.rows);
    fx.List().SetTopIndex(kRows / 2);
    FormVigil->UpdateWindow();
    int page = fx.List().VisibleRowCount();
    bool down = true;
    for (auto _ : state) {
        fx.List().SetTopIndex(fx.List().TopIndex() + (down ? page : -page));
        down = !down;
        FormVigil->UpdateWindow();
    }
    state.counters["rows shown"] = page;
}
BENCHMARK(BM_PaintScrolledPage)->Unit(benchmark::kMicrosecond);

void BM_MemoryPerRow(benchmark::State& state) {
    TListFixture fx;
    long long textBytes = 0;
    for (const TRowTexts& r : fx.rows)
        textBytes += static_cast<long long>(r.Boot.size() + r.Shutdown.size() + r.Duration.size() +
                                            r.User.size() + r.Status.size());
    double beyond = 0;
    for (auto _ : state) {
        fx.List().Items().Clear();
        counting = true;
        long long bytes0 = liveBytes, blocks0 = liveBlocks;
        Fill(fx.List(), fx.rows);
        long long bytes = liveBytes - bytes0, blocks = liveBlocks - blocks0;
        counting = false;
        beyond = static_cast<double>(bytes + 16 * blocks - textBytes) / kRows;
    }
    state.counters["bytes per row beyond texts"] = beyond;
}
BENCHMARK(BM_MemoryPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

// A row added without texts, which the list makes from its owner's records when it reads them
// (the log page's rows): everything such a row holds.
void BM_MemoryPerSourceRow(benchmark::State& state) {
    TListFixture fx;
    TListItems& items = fx.List().Items();
    double perRow = 0;
    for (auto _ : state) {
        items.Clear();
        counting = true;
        long long bytes0 = liveBytes, blocks0 = liveBlocks;
        items.BeginUpdate();
        items.Reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            items.AddFromSource(reinterpret_cast<void*>(static_cast<std::uintptr_t>(i)),
                                fx.rows[static_cast<std::size_t>(i)].State);
        items.EndUpdate();
        long long bytes = liveBytes - bytes0, blocks = liveBlocks - blocks0;
        counting = false;
        perRow = static_cast<double>(bytes + 16 * blocks) / kRows;
    }
    state.counters["bytes per row"] = perRow;
}
BENCHMARK(BM_MemoryPerSourceRow)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
