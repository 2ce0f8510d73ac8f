// What the user waits for in the main window on the large generated list (60,000 products,
// 20,000 of them on the list): the first paint after start-up, scrolling the grids a page, and
// the gestures on one product, the search, sorting and the block removal, each with the redraw
// it causes (the block add, "Annule", validation, the total and the filter are in
// bench_gui_gestures). Each must stay under a frame (16 ms), the first paint excepted (it has
// the start-up second).
#include "bench_support.h"
#include "gui_benchmarks.h"

#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "model/shopping_tables.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The real platform, with every question answered Yes (or OK) and no beep.
class YesPlatform : public QtPlatform {
public:
    Button message(const Message& m) override {
        return m.buttons.contains(Button::Yes) ? Button::Yes : Button::Ok;
    }
    void beep() override {}
};

YesPlatform& platform() {
    static YesPlatform p;
    return p;
}

StartOptions largeListOptions() {
    StartOptions options;
    options.arguments = {bench::largeListFile()};
    options.startDirectory = bench::tempPath(QString());
    return options;
}

// What a gesture leaves to do: posted updates, the layout and the paint of what changed.
void settle() {
    QApplication::processEvents();
}

// One main window on the large list, shown, for the benchmarks that keep it; closed before the
// application ends.
std::unique_ptr<Tfrm_main> g_window;

Tfrm_main& window() {
    if (!g_window) {
        g_window = std::make_unique<Tfrm_main>(platform(), largeListOptions());
        g_window->resize(800, 560);
        g_window->show();
        settle();
    }
    return *g_window;
}

// The large list read again, so that a gesture that changes much finds it as after start-up.
void reload(Tfrm_main& w) {
    w.loadList(bench::largeListFile());
    settle();
}

// The next record of a table, the first again after the last.
void stepOn(RecordTable& t) {
    t.next();
    if (t.eof())
        t.first();
}

void key(QWidget* target, int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// ---------------------------------------------------------------- start-up

// From the creation of the window on the list file (reading, tree, grids, totals) to its first
// paint; the start-up second is left out (it is a wait, not work).
void BM_FirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto w = std::make_unique<Tfrm_main>(platform(), largeListOptions());
        w->resize(800, 560);
        w->show();
        w->repaint();
        settle();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}

// ---------------------------------------------------------------- scrolling

// Page Down in a grid: the current row moves a page, the product sheet follows it (catalogue)
// or the catalogue comes to the row's product (list), and the grid redraws.
void pageDownIn(benchmark::State& state, RecordGrid* grid) {
    Tfrm_main& w = window();
    grid->setFocus();
    key(grid, Qt::Key_Home);
    settle();
    for (auto _ : state) {
        key(grid, Qt::Key_PageDown);
        settle();
        if (grid->table().currentPos() >= grid->table().recordCount() - 1) {
            state.PauseTiming();
            key(grid, Qt::Key_Home);
            settle();
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(w.table1().recordCount());
}

void BM_CataloguePageDown(benchmark::State& state) {
    pageDownIn(state, bench::part<RecordGrid>(window(), "RxDBGrid1"));
}

void BM_ListPageDown(benchmark::State& state) {
    pageDownIn(state, bench::part<RecordGrid>(window(), "RxDBGrid2"));
}

// The scroll bar moved a page (a click beside its handle, the wheel): only the view moves.
void scrollBarPageIn(benchmark::State& state, RecordGrid* grid) {
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setValue(bar->minimum());
    settle();
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        settle();
        if (bar->value() >= bar->maximum()) {
            state.PauseTiming();
            bar->setValue(bar->minimum());
            settle();
            state.ResumeTiming();
        }
    }
}

void BM_CatalogueScrollBarPage(benchmark::State& state) {
    scrollBarPageIn(state, bench::part<RecordGrid>(window(), "RxDBGrid1"));
}

void BM_ListScrollBarPage(benchmark::State& state) {
    scrollBarPageIn(state, bench::part<RecordGrid>(window(), "RxDBGrid2"));
}

// The whole window drawn again (uncovered, resized).
void BM_WindowRepaint(benchmark::State& state) {
    Tfrm_main& w = window();
    for (auto _ : state)
        w.repaint();
}

// ---------------------------------------------------------------- gestures that change little

// ">" on the catalogue products in turn (a new list row, or one more unit of a listed one).
void BM_AddOne(benchmark::State& state) {
    Tfrm_main& w = window();
    w.table1().first();
    for (auto _ : state) {
        w.spd_btn_poseClick();
        settle();
        state.PauseTiming();
        stepOn(w.table1());
        state.ResumeTiming();
    }
}

// "<" on the current list row (one unit less, the row deleted at zero); with the window's
// repaint that the gesture asks for.
void BM_RemoveOne(benchmark::State& state) {
    Tfrm_main& w = window();
    for (auto _ : state) {
        w.spd_btn_retireClick();
        settle();
        if (w.table2().recordCount() < 100) {
            state.PauseTiming();
            reload(w);
            state.ResumeTiming();
        }
    }
}

// A click on a list row: its product comes up in the catalogue and on the sheet.
void BM_ListRowClick(benchmark::State& state) {
    Tfrm_main& w = window();
    w.table2().first();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 97; ++i) {
            stepOn(w.table2());
        }
        state.ResumeTiming();
        w.RxDBGrid2CellClick();
        settle();
    }
}

// The planned box on the sheet (also the right button and Space in the catalogue).
void BM_TogglePlanned(benchmark::State& state) {
    Tfrm_main& w = window();
    for (auto _ : state) {
        w.DBCheckBox1Enter();
        settle();
    }
}

// A letter typed in the search box: the catalogue goes to the first name beginning so.
void BM_SearchTyped(benchmark::State& state) {
    Tfrm_main& w = window();
    const QStringList typed = {QStringLiteral("P"), QStringLiteral("Pa"), QStringLiteral("Pai"),
                               QStringLiteral("Pain"), QStringLiteral("Pain b")};
    int i = 0;
    for (auto _ : state) {
        w.cbb_rechChange(typed[i]);
        settle();
        i = (i + 1) % static_cast<int>(typed.size());
    }
}

// The search box's list opened on a key: every name containing it.
void BM_SearchListOpened(benchmark::State& state) {
    Tfrm_main& w = window();
    for (auto _ : state) {
        state.PauseTiming();
        bench::part<QComboBox>(w, "cbb_rech")->setEditText(QStringLiteral("réf. 00"));
        state.ResumeTiming();
        w.cbb_rechDropDown();
        settle();
    }
}

// Clicks on the aisle and product titles in turn: both tables sorted each time.
void BM_SortByProduct(benchmark::State& state) {
    Tfrm_main& w = window();
    int column = 2;
    for (auto _ : state) {
        w.RxDBGrid1TitleBtnClick(column);
        settle();
        column = column == 2 ? 1 : 2; // aisle and product in turn, so each click sorts
    }
}

// ---------------------------------------------------------------- a gesture that changes much

// Runs `gesture` on the list as read at start; the reading is not timed.
template <typename Gesture> void onFreshList(benchmark::State& state, Gesture gesture) {
    Tfrm_main& w = window();
    for (auto _ : state) {
        state.PauseTiming();
        reload(w);
        state.ResumeTiming();
        gesture(w);
        settle();
    }
}

void BM_BlockRemoveDue(benchmark::State& state) {
    onFreshList(state, [](Tfrm_main& w) {
        w.controlDragDrop(QStringLiteral("cpanel2"), QStringLiteral("RxDBGrid1"));
    });
}

// The first click on a title after the list was read: no order is known yet.
void BM_FirstSortByProduct(benchmark::State& state) {
    onFreshList(state, [](Tfrm_main& w) { w.RxDBGrid1TitleBtnClick(2); });
}

void BM_FirstSortByAisle(benchmark::State& state) {
    onFreshList(state, [](Tfrm_main& w) { w.RxDBGrid1TitleBtnClick(1); });
}

// A title clicked after one more product went on the list: the list's remembered orders no
// longer hold, the catalogue's do.
void BM_SortAfterAddingOne(benchmark::State& state) {
    Tfrm_main& w = window();
    int column = 2;
    w.table1().first();
    for (auto _ : state) {
        state.PauseTiming();
        stepOn(w.table1());
        w.spd_btn_poseClick();
        settle();
        state.ResumeTiming();
        w.RxDBGrid1TitleBtnClick(column);
        settle();
        column = column == 2 ? 1 : 2;
    }
}

// A title clicked after a product was renamed: neither table's orders hold any more.
void BM_SortAfterRenamingOne(benchmark::State& state) {
    Tfrm_main& w = window();
    int column = 2;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.table1().first();
        w.table1().setText(Cat::Produit, QStringLiteral("Renommé %1").arg(++n));
        w.table1().post();
        settle();
        state.ResumeTiming();
        w.RxDBGrid1TitleBtnClick(column);
        settle();
        column = column == 2 ? 1 : 2;
    }
}

void quick(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(0.3);
}

void slow(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(5);
}

} // namespace

BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CataloguePageDown)->Apply(quick);
BENCHMARK(BM_ListPageDown)->Apply(quick);
BENCHMARK(BM_CatalogueScrollBarPage)->Apply(quick);
BENCHMARK(BM_ListScrollBarPage)->Apply(quick);
BENCHMARK(BM_WindowRepaint)->Apply(quick);
BENCHMARK(BM_AddOne)->Apply(quick);
BENCHMARK(BM_RemoveOne)->Apply(quick);
BENCHMARK(BM_ListRowClick)->Apply(quick);
BENCHMARK(BM_TogglePlanned)->Apply(quick);
BENCHMARK(BM_SearchTyped)->Apply(quick);
BENCHMARK(BM_SearchListOpened)->Apply(quick);
BENCHMARK(BM_SortByProduct)->Apply(quick);
BENCHMARK(BM_FirstSortByProduct)->Apply(slow);
BENCHMARK(BM_FirstSortByAisle)->Apply(slow);
BENCHMARK(BM_SortAfterAddingOne)->Apply(slow);
BENCHMARK(BM_SortAfterRenamingOne)->Apply(slow);
BENCHMARK(BM_BlockRemoveDue)->Apply(slow);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv, [] { g_window.reset(); });
}
