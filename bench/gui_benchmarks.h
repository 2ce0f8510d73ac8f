#pragma once

#include <QApplication>
#include <QList>
#include <benchmark/benchmark.h>
#include <functional>

namespace bench {

// A part of a window by its object name and type; a benchmark stops when it is missing.
template <typename T> T* part(const QObject& window, const char* name) {
    const QList<T*> found = window.findChildren<T*>(QString::fromLatin1(name));
    if (found.size() != 1)
        qFatal("%lld parts named %s of the expected type", static_cast<long long>(found.size()),
               name);
    return found.constFirst();
}

} // namespace bench

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
