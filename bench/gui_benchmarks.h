#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

// The main of a benchmark of windows: an application on the offscreen platform unless another
// is asked for, the benchmarks, then `beforeExit` (windows the benchmarks kept must go before
// the application).
inline int runGuiBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}
