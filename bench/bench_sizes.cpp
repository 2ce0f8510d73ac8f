// What the model does behind the window's gestures at 6,000, 60,000 and (when asked, see
// bench::applySizes) 600,000 products, a third of them on the list: reading and writing the
// file, the title sorts, block removal, "Total", the search list's items and the product
// dialog's checks. The growth from one size to the next shows what is worse than n log n.
#include "bench_support.h"

#include "model/list_file.h"
#include "model/product_editing.h"
#include "model/shopping_commands.h"

#include <benchmark/benchmark.h>

namespace {

using Column = ShoppingCommands::SortColumn;

QString fileFor(const benchmark::State& state) {
    const int products = static_cast<int>(state.range(0));
    return bench::listFile(products, products / 3);
}

void BM_Load(benchmark::State& state) {
    const QString path = fileFor(state);
    ShoppingData data;
    for (auto _ : state) {
        bench::loadOrExit(path, data);
        benchmark::DoNotOptimize(data.catalogue.recordCount());
    }
}

// Reading, then what the window prepares before showing the list.
void BM_Open(benchmark::State& state) {
    const QString path = fileFor(state);
    ShoppingData data;
    for (auto _ : state)
        bench::openList(path, data);
}

void BM_Save(benchmark::State& state) {
    ShoppingData data;
    bench::loadOrExit(fileFor(state), data);
    const QString out = bench::tempPath(QStringLiteral("saved_%1.pnv").arg(state.range(0)));
    QString error;
    for (auto _ : state)
        if (!listfile::save(out, data, &error))
            state.SkipWithError(qPrintable(error));
}

// The first click on a title after opening.
void firstClick(benchmark::State& state, Column column) {
    const QString path = fileFor(state);
    ShoppingData data;
    ShoppingCommands cmd(data);
    for (auto _ : state) {
        state.PauseTiming();
        bench::openList(path, data);
        state.ResumeTiming();
        cmd.sortByTitle(column);
    }
}

void BM_SortFirstClickProduct(benchmark::State& state) {
    firstClick(state, Column::Produit);
}

void BM_SortFirstClickAisle(benchmark::State& state) {
    firstClick(state, Column::Rayon);
}

// Clicks on one title, then the other, in turn.
void BM_SortAlternateClicks(benchmark::State& state) {
    ShoppingData data;
    bench::openList(fileFor(state), data);
    ShoppingCommands cmd(data);
    bool byProduct = true;
    for (auto _ : state) {
        cmd.sortByTitle(byProduct ? Column::Produit : Column::Rayon);
        byProduct = !byProduct;
    }
}

// A click on a title after a product was renamed.
void BM_SortAfterRename(benchmark::State& state) {
    ShoppingData data;
    bench::openList(fileFor(state), data);
    ShoppingCommands cmd(data);
    cmd.sortByTitle(Column::Produit);
    cmd.sortByTitle(Column::Rayon);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        data.catalogue.setCurrentPos(data.catalogue.recordCount() / 2);
        data.catalogue.setText(Cat::Produit, QStringLiteral("Renommé %1").arg(++n));
        data.catalogue.post();
        state.ResumeTiming();
        cmd.sortByTitle(n % 2 ? Column::Produit : Column::Rayon);
    }
}

// A colour panel dropped on the catalogue: the rows of that state leave the list.
void blockRemove(benchmark::State& state, int tag) {
    const QString path = fileFor(state);
    ShoppingData data;
    ShoppingCommands cmd(data);
    for (auto _ : state) {
        state.PauseTiming();
        bench::openList(path, data);
        state.ResumeTiming();
        benchmark::DoNotOptimize(cmd.blockRemove(tag));
    }
}

void BM_BlockRemovePlanned(benchmark::State& state) {
    blockRemove(state, 1);
}

void BM_BlockRemoveReminders(benchmark::State& state) {
    blockRemove(state, 2);
}

void BM_Total(benchmark::State& state) {
    ShoppingData data;
    bench::openList(fileFor(state), data);
    ShoppingCommands cmd(data);
    for (auto _ : state) {
        cmd.totalClick();
        benchmark::DoNotOptimize(data.total().units);
    }
}

// The search box's items for a text every product name holds.
void BM_SearchItemsAll(benchmark::State& state) {
    ShoppingData data;
    bench::openList(fileFor(state), data);
    ShoppingCommands cmd(data);
    for (auto _ : state)
        benchmark::DoNotOptimize(cmd.searchItems(QStringLiteral("réf.")));
}

// The product dialog's checks, gathered at each opening on a product.
void BM_FormContext(benchmark::State& state) {
    ShoppingData data;
    bench::openList(fileFor(state), data);
    data.catalogue.setCurrentPos(data.catalogue.recordCount() / 2);
    const RecordTable::Bookmark edited = data.catalogue.bookmark();
    for (auto _ : state) {
        const product_edit::FormContext ctx =
            product_edit::formContext(data.tree, data.catalogue, edited);
        benchmark::DoNotOptimize(ctx.editing);
    }
}

void sized(benchmark::internal::Benchmark* b) {
    bench::applySizes(b);
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Load)->Apply(sized);
BENCHMARK(BM_Open)->Apply(sized);
BENCHMARK(BM_Save)->Apply(sized);
BENCHMARK(BM_SortFirstClickProduct)->Apply(sized);
BENCHMARK(BM_SortFirstClickAisle)->Apply(sized);
BENCHMARK(BM_SortAlternateClicks)->Apply(sized);
BENCHMARK(BM_SortAfterRename)->Apply(sized);
BENCHMARK(BM_BlockRemovePlanned)->Apply(sized);
BENCHMARK(BM_BlockRemoveReminders)->Apply(sized);
BENCHMARK(BM_Total)->Apply(sized);
BENCHMARK(BM_SearchItemsAll)->Apply(sized);
BENCHMARK(BM_FormContext)->Apply(sized);
BENCHMARK_MAIN();
