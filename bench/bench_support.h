#pragma once

#include "model/shopping_data.h"

#include <QDate>
#include <QString>
#include <benchmark/benchmark.h>

// Shared helpers of the benchmarks and of the generator gen_list.
namespace bench {

// Size of the large list the benchmarks work on.
constexpr int kLargeProducts = 60000;
constexpr int kLargeListRows = 20000;

// Fills `data` (emptied first) with a generated list: `products` catalogue products over about
// forty sectors of twenty-five aisles, and `listRows` of them on the shopping list. The same
// arguments always give the same list.
void generateList(ShoppingData& data, int products, int listRows);

// The example list shipped with the program: a few shops, a realistic French catalogue with
// euro prices, notes, planned products and reminders in every state around mid-December 2026.
void makeExample(ShoppingData& data);
// The day the example's reminders are reckoned from.
QDate exampleToday();

// A file holding a generated list of `products` products, `listRows` of them on the list,
// written once per process in a temporary directory that lives as long as the process.
QString listFile(int products, int listRows);
// The large one (kLargeProducts, kLargeListRows).
QString largeListFile();

// Reads the list file `path` into `data` (the program exits on failure), the shop filter off,
// and prepares its name lookups as the window does after opening: gestures then run as they
// do during a session.
void loadOrExit(const QString& path, ShoppingData& data);
void openList(const QString& path, ShoppingData& data);

// Runs a benchmark at 6,000 and 60,000 products, and at 600,000 when the environment variable
// KABIRO_BENCH_HUGE is set; the argument is the number of products, a third of them listed.
void applySizes(benchmark::internal::Benchmark* b);
// A path in that temporary directory.
QString tempPath(const QString& name);

// Peak resident memory of the process so far, in megabytes.
double peakMemoryMB();

} // namespace bench
