#pragma once

#include "model/record_table.h"

#include <initializer_list>
#include <vector>

// A walk over many records of a table waits on memory at each step: the record, its values
// and its texts lie in separate heap blocks. This asks for them a few steps ahead, each block
// once the block pointing to it has arrived, so that the reads overlap. Call at(i) at step i
// of the walk over `positions`.
class WalkPrefetch {
public:
    WalkPrefetch(const RecordTable& table, const std::vector<int>& positions,
                 std::initializer_list<int> textFields)
        : t_(table), pos_(positions), fields_(textFields) {}

    void at(size_t i) const {
        const size_t n = pos_.size();
        if (i + 3 * kStep < n)
            __builtin_prefetch(&t_.recordAt(pos_[i + 3 * kStep]));
        if (i + 2 * kStep < n)
            __builtin_prefetch(t_.recordAt(pos_[i + 2 * kStep]).values.data());
        if (i + kStep < n) {
            const Record& r = t_.recordAt(pos_[i + kStep]);
            for (int f : fields_)
                if (const auto* s = std::get_if<QString>(&r.values[static_cast<size_t>(f)]))
                    __builtin_prefetch(s->constData());
        }
    }

private:
    static constexpr size_t kStep = 8;
    const RecordTable& t_;
    const std::vector<int>& pos_;
    std::vector<int> fields_;
};
