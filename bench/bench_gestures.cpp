// The shopping gestures that walk whole tables, on the large generated list (60,000 products,
// 20,000 of them on the list): each must stay well under a frame (16 ms).
#include "bench_support.h"

#include "model/list_file.h"
#include "model/shopping_commands.h"

#include <benchmark/benchmark.h>

namespace {

const GestureContext kContext{QDate(2026, 12, 9), 3};

// The large list read from its file, prepared as the window prepares it after opening.
void fresh(ShoppingData& data) {
    bench::openList(bench::largeListFile(), data);
}

// Runs `gesture` on a freshly read list at every iteration; only the gesture is timed.
template <typename Gesture> void onFreshList(benchmark::State& state, Gesture gesture) {
    ShoppingData data;
    ShoppingCommands cmd(data);
    for (auto _ : state) {
        state.PauseTiming();
        fresh(data);
        state.ResumeTiming();
        gesture(cmd);
        benchmark::DoNotOptimize(data.list.recordCount());
    }
    state.counters["list_rows"] = data.list.recordCount();
}

void BM_BlockAddPlanned(benchmark::State& state) {
    onFreshList(state, [](ShoppingCommands& cmd) { cmd.blockAdd(1, kContext); });
}

void BM_BlockRemoveReminders(benchmark::State& state) {
    onFreshList(state, [](ShoppingCommands& cmd) { cmd.blockRemove(2); });
}

void BM_EmptyList(benchmark::State& state) {
    onFreshList(state, [](ShoppingCommands& cmd) { cmd.emptyList(); });
}

// "Annule" on one shop: the rows of the other shops stay.
void BM_EmptyListOneShop(benchmark::State& state) {
    onFreshList(state, [](ShoppingCommands& cmd) {
        cmd.data().selection = {QStringLiteral("Magasin 01"), QString(), 0};
        cmd.data().setShopFilter(true);
        cmd.emptyList();
    });
}

void BM_Validate(benchmark::State& state) {
    onFreshList(state, [](ShoppingCommands& cmd) {
        cmd.validate(kContext, QStringLiteral(" mercredi 9 décembre 2026"));
    });
}

// Runs `work` on the large list just read, before any lookup or order was prepared; only the
// work is timed.
template <typename Work> void onListAsRead(benchmark::State& state, Work work) {
    ShoppingData data;
    for (auto _ : state) {
        state.PauseTiming();
        QString error;
        listfile::load(bench::largeListFile(), data, &error);
        state.ResumeTiming();
        work(data);
    }
}

void BM_PrepareLookups(benchmark::State& state) {
    onListAsRead(state, [](ShoppingData& data) { ShoppingCommands(data).prepareLookups(); });
}

void BM_Total(benchmark::State& state) {
    ShoppingData data;
    fresh(data);
    ShoppingCommands cmd(data);
    for (auto _ : state) {
        cmd.totalClick();
        benchmark::DoNotOptimize(data.total().units);
    }
}

void BM_FilterOn(benchmark::State& state) {
    ShoppingData data;
    fresh(data);
    ShoppingCommands cmd(data);
    cmd.treePress(0, QStringLiteral("Magasin 07"));
    for (auto _ : state) {
        cmd.setShopFilter(true);
        state.PauseTiming();
        cmd.setShopFilter(false);
        state.ResumeTiming();
    }
}

void BM_FilterOff(benchmark::State& state) {
    ShoppingData data;
    fresh(data);
    ShoppingCommands cmd(data);
    cmd.treePress(0, QStringLiteral("Magasin 07"));
    for (auto _ : state) {
        state.PauseTiming();
        cmd.setShopFilter(true);
        state.ResumeTiming();
        cmd.setShopFilter(false);
    }
}

void BM_SearchItems(benchmark::State& state) {
    ShoppingData data;
    fresh(data);
    ShoppingCommands cmd(data);
    for (auto _ : state)
        benchmark::DoNotOptimize(cmd.searchItems(QStringLiteral("bio réf. 00")));
}

// A click on a title: both tables sorted by product, or by sector, aisle and product, in
// turn so that each click reorders.
void BM_SortTitles(benchmark::State& state) {
    ShoppingData data;
    fresh(data);
    ShoppingCommands cmd(data);
    bool byProduct = true;
    for (auto _ : state) {
        cmd.sortByTitle(byProduct ? ShoppingCommands::SortColumn::Produit
                                  : ShoppingCommands::SortColumn::Rayon);
        byProduct = !byProduct;
    }
}

// The catalogue alone sorted, from the order of the file, with no order found ahead (the
// window finds both title orders after loading; this is what that costs, per order).
void sortUnprepared(benchmark::State& state, const QString& fields) {
    onListAsRead(state, [&fields](ShoppingData& data) { data.catalogue.sort(fields); });
}

void BM_SortCatalogueByProduct(benchmark::State& state) {
    sortUnprepared(state, QStringLiteral("Produit"));
}

void BM_SortCatalogueByAisle(benchmark::State& state) {
    sortUnprepared(state, QStringLiteral("Secteur;Rayon;Produit"));
}

void slowGesture(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5)->ReportAggregatesOnly(true);
}

void quickGesture(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_BlockAddPlanned)->Apply(slowGesture);
BENCHMARK(BM_BlockRemoveReminders)->Apply(slowGesture);
BENCHMARK(BM_EmptyList)->Apply(slowGesture);
BENCHMARK(BM_EmptyListOneShop)->Apply(slowGesture);
BENCHMARK(BM_Validate)->Apply(slowGesture);
BENCHMARK(BM_Total)->Apply(quickGesture);
BENCHMARK(BM_PrepareLookups)->Apply(slowGesture);
BENCHMARK(BM_FilterOn)->Apply(slowGesture);
BENCHMARK(BM_FilterOff)->Apply(slowGesture);
BENCHMARK(BM_SearchItems)->Apply(quickGesture);
BENCHMARK(BM_SortTitles)->Apply(quickGesture);
BENCHMARK(BM_SortCatalogueByProduct)->Apply(slowGesture);
BENCHMARK(BM_SortCatalogueByAisle)->Apply(slowGesture);
BENCHMARK_MAIN();
