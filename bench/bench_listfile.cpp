// Reading and writing the large generated list (60,000 products, 20,000 list rows), and finding a
// product by name in it.
#include "bench_support.h"

#include "model/list_file.h"

#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

QByteArray largeBytes() {
    QFile f(bench::largeListFile());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void reportSize(benchmark::State& state, qint64 bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
    state.counters["peak_MB"] = bench::peakMemoryMB();
}

void BM_LoadLarge(benchmark::State& state) {
    const QString path = bench::largeListFile();
    ShoppingData data;
    for (auto _ : state) {
        QString error;
        if (!listfile::load(path, data, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(data.catalogue.recordCount());
    }
    reportSize(state, QFileInfo(path).size());
}
BENCHMARK(BM_LoadLarge)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_SaveLarge(benchmark::State& state) {
    ShoppingData data;
    QString error;
    if (!listfile::load(bench::largeListFile(), data, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const QString out = bench::tempPath(QStringLiteral("saved.pnv"));
    for (auto _ : state)
        if (!listfile::save(out, data, &error))
            state.SkipWithError(qPrintable(error));
    reportSize(state, QFileInfo(out).size());
}
BENCHMARK(BM_SaveLarge)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two halves without the disk: decoding and building the tables, encoding.
void BM_ParseLarge(benchmark::State& state) {
    const QByteArray bytes = largeBytes();
    for (auto _ : state) {
        listfile::Contents contents;
        QString error;
        if (!listfile::parse(bytes, contents, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(contents.catalogue.recordCount());
    }
    reportSize(state, bytes.size());
}
BENCHMARK(BM_ParseLarge)->Unit(benchmark::kMillisecond);

void BM_SerializeLarge(benchmark::State& state) {
    ShoppingData data;
    QString error;
    listfile::load(bench::largeListFile(), data, &error);
    qint64 size = 0;
    for (auto _ : state) {
        const QByteArray bytes =
            listfile::serialize(data.tree, data.list, data.catalogue, data.validationText);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    reportSize(state, size);
}
BENCHMARK(BM_SerializeLarge)->Unit(benchmark::kMillisecond);

// Locate by name from the first record (which does not match) to a product near the end, the
// name index already built.
void BM_LocateProduct(benchmark::State& state) {
    ShoppingData data;
    QString error;
    listfile::load(bench::largeListFile(), data, &error);
    RecordTable& cat = data.catalogue;
    const QString target = RecordTable::textOf(cat.recordAt(cat.recordCount() - 5), Cat::Produit);
    for (auto _ : state) {
        cat.first();
        if (!cat.locate(Cat::Produit, target))
            state.SkipWithError("product not found");
    }
}
BENCHMARK(BM_LocateProduct)->Unit(benchmark::kMicrosecond);

// The same when every locate must first build the name index (the first locate after a load).
void BM_LocateProductFirstAfterLoad(benchmark::State& state) {
    ShoppingData data;
    QString error;
    listfile::load(bench::largeListFile(), data, &error);
    RecordTable& cat = data.catalogue;
    RecordTable spare(catalogueSchema());
    const QString target = RecordTable::textOf(cat.recordAt(cat.recordCount() - 5), Cat::Produit);
    for (auto _ : state) {
        state.PauseTiming();
        cat.swapRecords(spare); // each exchange drops the indexes
        cat.swapRecords(spare);
        state.ResumeTiming();
        if (!cat.locate(Cat::Produit, target))
            state.SkipWithError("product not found");
    }
}
BENCHMARK(BM_LocateProductFirstAfterLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
