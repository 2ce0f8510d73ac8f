#pragma once

#include "model/record_table.h"

#include <cstddef>
#include <memory>
#include <vector>

// Two field values in the order of a table sort: null before any value; texts without case and
// accents first, then without case, then exactly (text::compareNoCase); numbers and dates by
// value.
int compareFieldValues(const FieldValue& a, const FieldValue& b);

// The positions of `records` in the order of a stable sort on the fields `keys`, the first field
// first, each compared as compareFieldValues does. `ties`, when given, tells whether some
// records are equal on every key (their order then depends on the order they stood in).
//
// Texts are sorted on their folded keys (base letters) with a multikey quicksort: each record's
// key is read once per level of the order and a comparison never runs again over the beginning
// that many names share ("Biscuits nature réf. 000123"). Only the records whose folded keys
// agree are then compared in full.
std::vector<size_t> sortedOrder(const std::vector<std::unique_ptr<Record>>& records,
                                const std::vector<int>& keys, bool* ties = nullptr);
