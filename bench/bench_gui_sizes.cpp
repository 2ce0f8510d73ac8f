// The gestures of the main window as the user meets them, from the event to the window (or the
// drop-down, or the dialog) drawn, on generated lists of 6,000 and 60,000 products (a third of
// them on the list), and of 600,000 when KABIRO_BENCH_HUGE is set. Each should stay under a
// frame (16 ms) and grow no faster than n log n with the list.
#include "bench_support.h"
#include "gui_benchmarks.h"

#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "dialogs/saiprod.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// The real platform, with a fixed day, every question answered Yes and no beep.
class BenchPlatform : public QtPlatform {
public:
    Button message(const Message& m) override {
        return m.buttons.contains(Button::Yes) ? Button::Yes : Button::Ok;
    }
    void beep() override {}
    QDate today() override { return QDate(2026, 12, 9); }
};

BenchPlatform& platform() {
    static BenchPlatform p;
    return p;
}

QString fileOf(int products) {
    return bench::listFile(products, products / 3);
}

// One shown window per list size, kept between benchmarks and closed before the application.
std::map<int, std::unique_ptr<Tfrm_main>> g_windows;

// What the user waits for after a gesture: the posted updates, then the window drawn.
void redraw(Tfrm_main& w) {
    QApplication::processEvents();
    w.repaint();
}

Tfrm_main& window(int products) {
    std::unique_ptr<Tfrm_main>& w = g_windows[products];
    if (!w) {
        StartOptions o;
        o.arguments = {fileOf(products)};
        o.startDirectory = bench::tempPath(QString());
        w = std::make_unique<Tfrm_main>(platform(), o);
        w->resize(800, 560);
        w->show();
        redraw(*w);
    }
    return *w;
}

// The window on its list as read, for the benchmarks that run on it unchanged (a gesture
// benchmarked before may have emptied the list).
Tfrm_main& listAsRead(int products) {
    Tfrm_main& w = window(products);
    w.loadList(fileOf(products));
    redraw(w);
    return w;
}

// The list read afresh (the filter off), untimed, so that a gesture that changes much finds it
// as after start-up.
Tfrm_main& fresh(benchmark::State& state) {
    state.PauseTiming();
    Tfrm_main& w = window(static_cast<int>(state.range(0)));
    w.loadList(fileOf(static_cast<int>(state.range(0))));
    redraw(w);
    state.ResumeTiming();
    return w;
}

template <typename Gesture> void onFreshList(benchmark::State& state, Gesture gesture) {
    for (auto _ : state) {
        Tfrm_main& w = fresh(state);
        gesture(w);
        redraw(w);
    }
}

// ---------------------------------------------------------------- search box

// A letter typed in the search box (key events on its edit line): the catalogue goes to the
// first name beginning so and the window is drawn. "Savon b" finds names at every letter;
// no name begins with "Pommes", so each letter leaves the catalogue where it was.
void BM_SearchLetterTyped(benchmark::State& state, const char* text) {
    Tfrm_main& w = window(static_cast<int>(state.range(0)));
    QLineEdit* edit = bench::part<QComboBox>(w, "cbb_rech")->lineEdit();
    const QString typed = QString::fromLatin1(text);
    int i = 0;
    edit->clear();
    for (auto _ : state) {
        if (i == typed.size()) {
            state.PauseTiming();
            edit->clear();
            i = 0;
            state.ResumeTiming();
        }
        QTest::keyClick(edit, typed[i++].toLatin1());
        redraw(w);
    }
}

// The drop-down opened (F4) on a key every product contains, until the list is drawn.
void BM_SearchDropDownShown(benchmark::State& state) {
    Tfrm_main& w = window(static_cast<int>(state.range(0)));
    auto* box = bench::part<QComboBox>(w, "cbb_rech");
    for (auto _ : state) {
        state.PauseTiming();
        box->setEditText(QStringLiteral("réf"));
        state.ResumeTiming();
        QTest::keyClick(box, Qt::Key_F4);
        QApplication::processEvents();
        benchmark::DoNotOptimize(box->view()->window()->grab());
        state.PauseTiming();
        box->hidePopup();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["items"] = box->count();
}

// A letter typed while the drop-down shows every name, then the drop-down opened again.
void BM_SearchDropDownTypedAgain(benchmark::State& state) {
    Tfrm_main& w = window(static_cast<int>(state.range(0)));
    auto* box = bench::part<QComboBox>(w, "cbb_rech");
    for (auto _ : state) {
        state.PauseTiming();
        box->setEditText(QStringLiteral("ré"));
        state.ResumeTiming();
        QTest::keyClick(box->lineEdit(), 'f');
        box->showPopup();
        QApplication::processEvents();
        benchmark::DoNotOptimize(box->view()->window()->grab());
        state.PauseTiming();
        box->hidePopup();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// ---------------------------------------------------------------- product dialog

// From the click on "new product" to the dialog drawn on screen (it is then cancelled, untimed).
void BM_ProductDialogShown(benchmark::State& state) {
    Tfrm_main& w = window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QElapsedTimer clock;
        double seconds = 0;
        auto* poll = new QTimer;
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, poll, [&] {
            auto* d = qobject_cast<Tfrm_saiprod*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible())
                return;
            benchmark::DoNotOptimize(d->grab());
            seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            poll->stop();
            d->reject();
        });
        poll->start();
        clock.start();
        w.spdbtn_newproduitClick();
        delete poll;
        state.SetIterationTime(seconds);
        redraw(w);
    }
}

// ---------------------------------------------------------------- block moves, list buttons

void BM_BlockAdd(benchmark::State& state) {
    const int tag = static_cast<int>(state.range(1));
    onFreshList(state, [tag](Tfrm_main& w) { w.cpanel1DblClick(tag); });
}

// A colour panel ("Prévu", "Rappel", "Rappel(+)") dropped on the catalogue. The rows it took
// off the list are counted, so that a drop the window ignored shows.
void BM_BlockRemove(benchmark::State& state) {
    const QString panel = QStringLiteral("cpanel%1").arg(state.range(1));
    int removed = 0;
    onFreshList(state, [&panel, &removed](Tfrm_main& w) {
        const int before = w.table2().recordCount();
        // Dropped on the catalogue's rows, as the user's drop arrives.
        QWidget* rows = bench::part<RecordGrid>(w, "RxDBGrid1")->viewport();
        QMimeData mime;
        mime.setData(QStringLiteral("application/x-paniva-control"), panel.toLatin1());
        const QPoint at = rows->rect().center();
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(rows, &enter);
        QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(rows, &drop);
        removed = before - w.table2().recordCount();
    });
    state.counters["rows_removed"] = removed;
}

void BM_Annule(benchmark::State& state) {
    onFreshList(state, [](Tfrm_main& w) { bench::part<QPushButton>(w, "SpeedButton3")->click(); });
}

void BM_Validate(benchmark::State& state) {
    onFreshList(state,
                [](Tfrm_main& w) { bench::part<QPushButton>(w, "spd_btn_valide")->click(); });
}

void BM_Total(benchmark::State& state) {
    Tfrm_main& w = listAsRead(static_cast<int>(state.range(0)));
    auto* total = bench::part<QPushButton>(w, "btn_total");
    for (auto _ : state) {
        total->click();
        redraw(w);
    }
}

// Aisle and product titles in turn, so that each click sorts.
void BM_Sort(benchmark::State& state) {
    Tfrm_main& w = listAsRead(static_cast<int>(state.range(0)));
    int column = 2;
    for (auto _ : state) {
        w.RxDBGrid1TitleBtnClick(column);
        redraw(w);
        column = column == 2 ? 1 : 2;
    }
}

// The shop filter on the first shop switched on (range 1 = 1) or off (0), the other click
// untimed.
void BM_Filter(benchmark::State& state) {
    Tfrm_main& w = window(static_cast<int>(state.range(0)));
    w.loadList(fileOf(static_cast<int>(state.range(0))));
    w.spd_btn_rayonClick();
    redraw(w);
    auto* filter = bench::part<QToolButton>(w, "spd_btn_filtre");
    const bool timeOn = state.range(1) == 1;
    for (auto _ : state) {
        if (!timeOn)
            state.PauseTiming();
        filter->click();
        redraw(w);
        if (timeOn)
            state.PauseTiming();
        else
            state.ResumeTiming();
        filter->click();
        redraw(w);
        if (timeOn)
            state.ResumeTiming();
    }
    w.spd_btn_rayonClick();
    redraw(w);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Arg(6000)->Arg(60000);
    if (!qEnvironmentVariableIsEmpty("KABIRO_BENCH_HUGE"))
        b->Arg(600000);
}

void sizesAndPanels(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->ArgNames({"products", "panel"});
    for (int n : {6000, 60000, 600000}) {
        if (n == 600000 && qEnvironmentVariableIsEmpty("KABIRO_BENCH_HUGE"))
            continue;
        for (int p : {1, 2, 3})
            b->Args({n, p});
    }
}

void sizesOnOff(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->ArgNames({"products", "on"});
    for (int n : {6000, 60000, 600000}) {
        if (n == 600000 && qEnvironmentVariableIsEmpty("KABIRO_BENCH_HUGE"))
            continue;
        for (int on : {1, 0})
            b->Args({n, on});
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_SearchLetterTyped, found, "Savon b")->Apply(sizes)->MinTime(0.2);
BENCHMARK_CAPTURE(BM_SearchLetterTyped, none_begins, "Pommes")->Apply(sizes)->MinTime(0.2);
BENCHMARK(BM_SearchDropDownShown)->Apply(sizes)->Iterations(5);
BENCHMARK(BM_SearchDropDownTypedAgain)->Apply(sizes)->Iterations(5);
BENCHMARK(BM_ProductDialogShown)->Apply(sizes)->UseManualTime()->Iterations(5);
BENCHMARK(BM_BlockAdd)->Apply(sizesAndPanels)->Iterations(5);
BENCHMARK(BM_BlockRemove)->Apply(sizesAndPanels)->Iterations(5);
BENCHMARK(BM_Annule)->Apply(sizes)->Iterations(5);
BENCHMARK(BM_Validate)->Apply(sizes)->Iterations(5);
BENCHMARK(BM_Total)->Apply(sizes)->Iterations(10);
BENCHMARK(BM_Sort)->Apply(sizes)->Iterations(10);
BENCHMARK(BM_Filter)->Apply(sizesOnOff)->Iterations(10);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv, [] { g_windows.clear(); });
}
