// The shopping gestures as the main window runs them on the large generated list (60,000
// products, 20,000 of them on the list): the button or handler, the data's walk, the views
// following it and the window redrawn at once.
#include "bench_support.h"
#include "gui_benchmarks.h"

#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"

#include <QApplication>
#include <QPushButton>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

// The real platform, but with a fixed day and every question answered Yes (validation).
class BenchPlatform : public QtPlatform {
public:
    Button message(const Message&) override { return Button::Yes; }
    void beep() override {}
    QDate today() override { return QDate(2026, 12, 9); }
};

struct Window {
    BenchPlatform platform;
    Tfrm_main window;

    Window() : window(platform, options()) {
        window.show();
        QApplication::processEvents();
    }
    static StartOptions options() {
        StartOptions o;
        o.arguments = {bench::tempPath(QStringLiteral("absent.pnv"))};
        o.startDirectory = bench::tempPath(QString());
        return o;
    }
    // The large list read afresh, the filter off.
    void reload() {
        window.loadList(bench::largeListFile());
        QApplication::processEvents();
    }
    // What the user waits for after a gesture: the views updated and the window drawn.
    void redraw() {
        QApplication::processEvents();
        window.repaint();
    }
};

// Runs a gesture on a freshly read list at every iteration; the reading is not timed.
template <typename Gesture> void onFreshList(benchmark::State& state, Gesture gesture) {
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.reload();
        state.ResumeTiming();
        gesture(w.window);
        w.redraw();
    }
    state.counters["list_rows"] = w.window.table2().recordCount();
}

// Double click on "Prévu": every planned product not yet listed gets a row.
void BM_WindowBlockAddPlanned(benchmark::State& state) {
    onFreshList(state, [](Tfrm_main& w) { w.cpanel1DblClick(1); });
}

// "Annule": 20,000 rows deleted, their products unmarked.
void BM_WindowAnnule(benchmark::State& state) {
    onFreshList(state, [](Tfrm_main& w) { bench::part<QPushButton>(w, "SpeedButton3")->click(); });
}

// "Valide", the question answered Yes: every listed product's marks and reminder updated.
void BM_WindowValidate(benchmark::State& state) {
    onFreshList(state,
                [](Tfrm_main& w) { bench::part<QPushButton>(w, "spd_btn_valide")->click(); });
}

// "Total": the list counted from scratch, each row's product found by name.
void BM_WindowTotal(benchmark::State& state) {
    Window w;
    w.reload();
    QPushButton* total = bench::part<QPushButton>(w.window, "btn_total");
    for (auto _ : state) {
        total->click();
        w.redraw();
    }
}

// The shop filter switched on (the first shop) and off again, with both grids following.
void BM_WindowFilterOn(benchmark::State& state) {
    Window w;
    w.reload();
    w.window.spd_btn_rayonClick();
    w.redraw();
    QToolButton* filter = bench::part<QToolButton>(w.window, "spd_btn_filtre");
    int shown = 0;
    for (auto _ : state) {
        filter->click();
        w.redraw();
        state.PauseTiming();
        shown = bench::part<RecordGrid>(w.window, "RxDBGrid1")->gridModel()->rowCount();
        filter->click();
        w.redraw();
        state.ResumeTiming();
    }
    state.counters["shown"] = shown; // the products of the first shop
}

void BM_WindowFilterOff(benchmark::State& state) {
    Window w;
    w.reload();
    w.window.spd_btn_rayonClick();
    w.redraw();
    QToolButton* filter = bench::part<QToolButton>(w.window, "spd_btn_filtre");
    for (auto _ : state) {
        state.PauseTiming();
        filter->click();
        w.redraw();
        state.ResumeTiming();
        filter->click();
        w.redraw();
    }
    state.counters["shown"] =
        bench::part<RecordGrid>(w.window, "RxDBGrid1")->gridModel()->rowCount();
}

} // namespace

BENCHMARK(BM_WindowBlockAddPlanned)->Unit(benchmark::kMillisecond)->Iterations(8)->Repetitions(3);
BENCHMARK(BM_WindowAnnule)->Unit(benchmark::kMillisecond)->Iterations(8)->Repetitions(3);
BENCHMARK(BM_WindowValidate)->Unit(benchmark::kMillisecond)->Iterations(8)->Repetitions(3);
BENCHMARK(BM_WindowTotal)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_WindowFilterOn)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_WindowFilterOff)->Unit(benchmark::kMillisecond)->Repetitions(3);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
