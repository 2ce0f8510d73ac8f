#pragma once

#include "model/shopping_data.h"

#include <QDate>
#include <QString>

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

// A file holding the large generated list (kLargeProducts, kLargeListRows), written once per
// process in a temporary directory that lives as long as the process.
QString largeListFile();
// A file holding a generated list of `products` products and `listRows` list rows, written once
// per process and size in the same temporary directory.
QString listFile(int products, int listRows);
// A path in that temporary directory.
QString tempPath(const QString& name);

// Peak resident memory of the process so far, in megabytes.
double peakMemoryMB();

} // namespace bench
