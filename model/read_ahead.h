#pragma once

#include "model/record_table.h"

#include <vector>

// A walk over many records waits on memory at each step: a record, its values and the record it
// leads to lie in separate heap blocks, scattered over the heap. These walks visit the records
// at `positions` in order and ask, a few steps ahead of the visit, for the record, then for its
// field `field`, each once the block pointing to it has arrived. The positions and the records
// must stay in place during the walk (fields may be written).
namespace read_ahead {

// Steps ahead of the visit at which each block is asked for: far enough for the misses to
// overlap the visits in between, near enough for the blocks to stay in the cache.
constexpr std::size_t kRecord = 12;
constexpr std::size_t kValue = 8;
constexpr std::size_t kLinkedValue = 4;

inline void value(const Record& r, int f) {
    __builtin_prefetch(r.values.data() + f);
}

// `linkedOf(record)` names the record the visit will go on to from it (nullptr when none is
// known, and nothing is read from it): it is asked for with the record's field, and its own
// field `linkedField` a few steps later.
template <typename LinkedOf, typename Visit>
void walk(const RecordTable& table, const std::vector<int>& positions, int field,
          LinkedOf&& linkedOf, int linkedField, Visit&& visit) {
    const std::size_t n = positions.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kRecord < n)
            __builtin_prefetch(&table.recordAt(positions[i + kRecord]));
        if (i + kValue < n) {
            const Record& r = table.recordAt(positions[i + kValue]);
            value(r, field);
            if (const Record* linked = linkedOf(r))
                __builtin_prefetch(linked);
        }
        if (i + kLinkedValue < n)
            if (const Record* linked = linkedOf(table.recordAt(positions[i + kLinkedValue])))
                value(*linked, linkedField);
        visit(positions[i]);
    }
}

template <typename Visit>
void walk(const RecordTable& table, const std::vector<int>& positions, int field, Visit&& visit) {
    walk(
        table, positions, field, [](const Record&) -> const Record* { return nullptr; }, 0, visit);
}

} // namespace read_ahead
