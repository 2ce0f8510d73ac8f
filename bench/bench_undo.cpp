// Undo and redo on the large generated list (60,000 products, 20,000 of them on the list): what
// recording a step adds to a gesture, what undoing and redoing the heaviest gestures cost, and
// the memory the history holds.
#include "bench_support.h"

#include "model/shopping_commands.h"

#include <benchmark/benchmark.h>

namespace {

const GestureContext kContext{QDate(2026, 12, 9), 3};

// The large list read from its file, prepared as the window prepares it after opening.
void fresh(ShoppingData& data) {
    bench::openList(bench::largeListFile(), data);
}

// A gesture on a freshly read list, recorded in the history (range 1) or not (range 0).
template <typename Gesture> void gestureOnFreshList(benchmark::State& state, Gesture gesture) {
    ShoppingData data;
    data.history.setRecording(state.range(0) != 0);
    ShoppingCommands cmd(data);
    for (auto _ : state) {
        state.PauseTiming();
        fresh(data);
        state.ResumeTiming();
        gesture(cmd);
        benchmark::DoNotOptimize(data.list.recordCount());
    }
    state.counters["steps"] = data.history.undoCount();
}

void BM_Annule(benchmark::State& state) {
    gestureOnFreshList(state, [](ShoppingCommands& cmd) { cmd.emptyList(); });
}

void BM_BlockAddPlanned(benchmark::State& state) {
    gestureOnFreshList(state, [](ShoppingCommands& cmd) { cmd.blockAdd(1, kContext); });
}

void BM_Validate(benchmark::State& state) {
    gestureOnFreshList(state, [](ShoppingCommands& cmd) {
        cmd.validate(kContext, QString::fromUtf8(" mercredi 9 décembre 2026"));
    });
}

// ">" then "<" on products spread over the catalogue, the history filling up to its bound.
void BM_AddAndRemoveOne(benchmark::State& state) {
    ShoppingData data;
    data.history.setRecording(state.range(0) != 0);
    fresh(data);
    ShoppingCommands cmd(data);
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 7919) % data.catalogue.recordCount();
        data.catalogue.setCurrentPos(pos);
        cmd.addOne(kContext);
        cmd.showListRowProduct();
        cmd.removeOne();
    }
    state.counters["steps"] = data.history.undoCount();
}

// Undo (range 0) or redo (range 1) of one gesture done on a freshly read list.
template <typename Gesture> void undoRedo(benchmark::State& state, Gesture gesture) {
    ShoppingData data;
    ShoppingCommands cmd(data);
    const bool redo = state.range(0) != 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fresh(data);
        gesture(cmd);
        bytes = data.history.memoryUsed();
        if (redo)
            data.history.undo();
        state.ResumeTiming();
        if (redo)
            data.history.redo();
        else
            data.history.undo();
        benchmark::DoNotOptimize(data.list.recordCount());
    }
    state.counters["step_MB"] = static_cast<double>(bytes) / (1 << 20);
}

void BM_UndoRedoAnnule(benchmark::State& state) {
    undoRedo(state, [](ShoppingCommands& cmd) { cmd.emptyList(); });
}

void BM_UndoRedoBlockAdd(benchmark::State& state) {
    undoRedo(state, [](ShoppingCommands& cmd) { cmd.blockAdd(1, kContext); });
}

void BM_UndoRedoAddOne(benchmark::State& state) {
    undoRedo(state, [](ShoppingCommands& cmd) {
        cmd.data().catalogue.setCurrentPos(31337);
        cmd.addOne(kContext);
    });
}

// The memory held by 100 steps: everyday gestures (range 0), or the heaviest ones, "Annule" on
// the whole list and block adds, one after the other (range 1).
void BM_Memory100Steps(benchmark::State& state) {
    ShoppingData data;
    ShoppingCommands cmd(data);
    const bool heavy = state.range(0) != 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fresh(data);
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            if (heavy) {
                if (i % 2 == 0)
                    cmd.emptyList();
                else
                    cmd.blockAdd(1 + (i / 2) % 3, kContext);
                continue;
            }
            data.catalogue.setCurrentPos((i * 7919) % data.catalogue.recordCount());
            switch (i % 4) {
            case 0:
                cmd.addOne(kContext);
                break;
            case 1:
                cmd.togglePlanned();
                break;
            case 2:
                cmd.setDueDate(kContext.today.addDays(i));
                break;
            default:
                cmd.removeOne();
                break;
            }
        }
        bytes = data.history.memoryUsed();
    }
    state.counters["steps"] = data.history.undoCount();
    state.counters["history_MB"] = static_cast<double>(bytes) / (1 << 20);
    state.counters["peak_MB"] = bench::peakMemoryMB();
}

void slow(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);
}

void withAndWithout(benchmark::internal::Benchmark* b) {
    b->ArgName("recorded")->Arg(0)->Arg(1);
    slow(b);
}

} // namespace

BENCHMARK(BM_Annule)->Apply(withAndWithout);
BENCHMARK(BM_BlockAddPlanned)->Apply(withAndWithout);
BENCHMARK(BM_Validate)->Apply(withAndWithout);
BENCHMARK(BM_AddAndRemoveOne)
    ->ArgName("recorded")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UndoRedoAnnule)->ArgName("redo")->Arg(0)->Arg(1)->Apply(slow);
BENCHMARK(BM_UndoRedoBlockAdd)->ArgName("redo")->Arg(0)->Arg(1)->Apply(slow);
BENCHMARK(BM_UndoRedoAddOne)->ArgName("redo")->Arg(0)->Arg(1)->Apply(slow);
BENCHMARK(BM_Memory100Steps)
    ->ArgName("heavy")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(1);
BENCHMARK_MAIN();
