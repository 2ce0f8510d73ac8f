// The main window on the large generated list (60,000 products, 20,000 of them on the list):
// opening the file, and what the grids cost to show it.
#include "bench_support.h"
#include "gui_benchmarks.h"

#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"

#include <QApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

// The whole open of a list file: reading, tree, totals, grids reset and the window redrawn.
void BM_OpenLargeList(benchmark::State& state) {
    QtPlatform platform;
    StartOptions options;
    options.arguments = {bench::tempPath(QStringLiteral("absent.pnv"))};
    options.startDirectory = bench::tempPath(QString());
    Tfrm_main window(platform, options);
    window.show();
    const QString file = bench::largeListFile();
    for (auto _ : state) {
        window.loadList(file);
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["products"] = window.table1().recordCount();
}

// A grid reset over the whole catalogue, then one screenful of cells read.
void BM_GridResetAndScreenful(benchmark::State& state) {
    ShoppingData data;
    bench::generateList(data, bench::kLargeProducts, bench::kLargeListRows);
    RecordGridModel model(data.catalogue,
                          {GridColumn(QStringLiteral("*"), Cat::color, 14),
                           GridColumn(QStringLiteral("Rayon"), Cat::Rayon, 58),
                           GridColumn(QStringLiteral("Produit"), Cat::Produit, 137)});
    int row = 0;
    for (auto _ : state) {
        data.catalogue.refilter();
        for (int r = row; r < row + 40; ++r)
            for (int c = 0; c < 3; ++c)
                benchmark::DoNotOptimize(model.index(r, c).data());
        row = (row + 997) % (model.rowCount() - 40);
    }
}

// Drawing the grid scrolled to the last products, as the user sees it.
void BM_GridPaintAtTheEnd(benchmark::State& state) {
    ShoppingData data;
    bench::generateList(data, bench::kLargeProducts, bench::kLargeListRows);
    RecordGridModel model(data.catalogue,
                          {GridColumn(QStringLiteral("*"), Cat::color, 14),
                           GridColumn(QStringLiteral("Rayon"), Cat::Rayon, 58),
                           GridColumn(QStringLiteral("Produit"), Cat::Produit, 137)});
    RecordGrid grid(&model);
    grid.resize(260, 400);
    grid.show();
    data.catalogue.setCurrentPos(data.catalogue.recordCount() - 1);
    QPixmap target(grid.size());
    for (auto _ : state) {
        grid.render(&target);
        benchmark::DoNotOptimize(target.cacheKey());
    }
}

} // namespace

BENCHMARK(BM_OpenLargeList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridResetAndScreenful)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridPaintAtTheEnd)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
