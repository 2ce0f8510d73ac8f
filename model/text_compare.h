#pragma once

#include <QString>
#include <vector>

// Text comparisons used across the program.
namespace text {

// Folds only the letters a to z to capitals; accented letters stay as they are. Used by the
// search box and the product dialog, where "é" and "É" are different letters.
QString foldAZ(QStringView s);
bool equalFoldAZ(QStringView a, QStringView b);

// Ordering for sorting tables and the organisation tree: letters compare without case and
// without accents first ("épices" sorts between "eau" and "farine"), then without case, then
// exactly, so the order is total and the same on every machine.
int compareNoCase(QStringView a, QStringView b);
// The first level of that ordering as code units appended to `out`: every letter replaced by
// its base letter, so that comparing two such keys code unit by code unit orders them as
// compareNoCase's first level does (a sort computes it once per record instead of once per
// comparison).
void appendSortKey(QStringView s, std::vector<char16_t>& out);
inline bool lessNoCase(QStringView a, QStringView b) {
    return compareNoCase(a, b) < 0;
}

// Case-insensitive (full Unicode case folding) prefix test, for the search box's begins-with.
bool startsWithNoCase(QStringView s, QStringView prefix);

} // namespace text
