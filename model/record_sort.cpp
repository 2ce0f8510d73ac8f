#include "model/record_sort.h"

#include "model/text_compare.h"

#include <algorithm>
#include <cstdint>
#include <utility>

int compareFieldValues(const FieldValue& a, const FieldValue& b) {
    const bool an = std::holds_alternative<std::monostate>(a);
    const bool bn = std::holds_alternative<std::monostate>(b);
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (a.index() != b.index())
        return a.index() < b.index() ? -1 : 1;
    if (auto* s = std::get_if<QString>(&a))
        return text::compareNoCase(*s, std::get<QString>(b));
    if (auto* i = std::get_if<qint32>(&a)) {
        const qint32 j = std::get<qint32>(b);
        return *i < j ? -1 : (*i > j ? 1 : 0);
    }
    if (auto* d = std::get_if<double>(&a)) {
        const double e = std::get<double>(b);
        return *d < e ? -1 : (*d > e ? 1 : 0);
    }
    const QDate x = std::get<QDate>(a), y = std::get<QDate>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

namespace {

// A record during the sort: its position, where the folded key of the field being sorted lies,
// and four code units of that key from the depth reached (see chunkAt).
struct Item {
    const char16_t* key = nullptr;
    uint32_t length = 0;
    uint32_t pos = 0;
    uint64_t chunk = 0;
};

constexpr int kUnitsPerChunk = 4;
constexpr uint64_t kUnitMask = 0xFFFF;

// Code units d to d+3 of a key in 16 bits each, 0 standing for "past the end" (folded keys hold
// no 0 unit): comparing chunks orders keys as comparing their code units does, a key before the
// keys it begins.
inline uint64_t chunkAt(const Item& it, uint32_t d) {
    if (d + kUnitsPerChunk <= it.length) {
        const char16_t* k = it.key + d;
        return (uint64_t(k[0]) << 48) | (uint64_t(k[1]) << 32) | (uint64_t(k[2]) << 16) | k[3];
    }
    uint64_t c = 0;
    for (uint32_t i = 0; i < kUnitsPerChunk; ++i)
        c = (c << 16) | (d + i < it.length ? it.key[d + i] : 0);
    return c;
}

// Compares two keys known to agree before depth d.
int compareFrom(const Item& a, const Item& b, uint32_t d) {
    const uint32_t n = std::min(a.length, b.length);
    for (uint32_t i = d; i < n; ++i)
        if (a.key[i] != b.key[i])
            return a.key[i] < b.key[i] ? -1 : 1;
    return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
}

uint64_t median3(uint64_t a, uint64_t b, uint64_t c) {
    if (a > b)
        std::swap(a, b);
    return c < a ? a : (c > b ? b : c);
}

// Sorts a few items, or any part once partitioning stopped paying, by plain comparisons; marks
// the items equal to their predecessor.
void sortByComparison(Item* a, size_t n, uint32_t d, uint8_t* equal) {
    if (n < 16) {
        for (size_t i = 1; i < n; ++i) {
            const Item x = a[i];
            size_t j = i;
            for (; j > 0 && compareFrom(x, a[j - 1], d) < 0; --j)
                a[j] = a[j - 1];
            a[j] = x;
        }
    } else {
        std::sort(a, a + n, [d](const Item& x, const Item& y) { return compareFrom(x, y, d) < 0; });
    }
    for (size_t i = 1; i < n; ++i)
        equal[i] = compareFrom(a[i - 1], a[i], d) == 0;
}

// Multikey quicksort on chunks of three code units: a three-way partition on the chunk at depth
// d, the middle part going on at the next chunk. Each item's `chunk` holds its chunk at d.
// `equal[i]` is set when item i ends equal to item i - 1 (equal keys end in no defined order).
// `budget` bounds the partitions of the smaller and greater parts, which alone could degrade
// on unlucky pivots; when it runs out, comparisons finish the part.
void multikey(Item* a, size_t n, uint32_t d, int budget, uint8_t* equal) {
    while (n > 1) {
        if (n < 16 || budget <= 0) {
            sortByComparison(a, n, d, equal);
            return;
        }
        const uint64_t v = median3(a[0].chunk, a[n / 2].chunk, a[n - 1].chunk);
        size_t lt = 0, i = 0, gt = n;
        while (i < gt) {
            const uint64_t c = a[i].chunk;
            if (c < v)
                std::swap(a[lt++], a[i++]);
            else if (c > v)
                std::swap(a[i], a[--gt]);
            else
                ++i;
        }
        multikey(a, lt, d, budget - 1, equal);
        multikey(a + gt, n - gt, d, budget - 1, equal + gt);
        if ((v & kUnitMask) == 0) {
            // The keys of the middle part all ended within this chunk, at the same place.
            for (size_t j = lt + 1; j < gt; ++j)
                equal[j] = 1;
            return;
        }
        a += lt;
        equal += lt;
        n = gt - lt;
        d += kUnitsPerChunk;
        for (size_t j = 0; j < n; ++j) {
            if (j + 8 < n)
                __builtin_prefetch(a[j + 8].key + d);
            a[j].chunk = chunkAt(a[j], d);
        }
    }
}

int depthBudget(size_t n) {
    int log = 0;
    while (n >>= 1)
        ++log;
    return 2 * log + 4;
}

class Sorter {
public:
    Sorter(const std::vector<std::unique_ptr<Record>>& records, const std::vector<int>& keys)
        : recs_(records), keys_(keys), units_(keys.size()), starts_(keys.size()),
          lengths_(keys.size()) {}

    std::vector<size_t> run() {
        foldKeys();
        const size_t n = recs_.size();
        items_.resize(n);
        equal_.resize(n);
        for (size_t i = 0; i < n; ++i)
            items_[i].pos = static_cast<uint32_t>(i);
        sortLevel(0, n, 0);
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = items_[i].pos;
        return order;
    }

    bool hadTies() const { return ties_; }

private:
    // Every record's folded keys, end to end per field. Texts that share their storage (a
    // list row's name and its product's, texts copied from one another) are folded once: a
    // small cache keyed by the storage gives the key already made. The records, their values
    // and their texts lie in separate heap blocks; each is asked for a few records ahead, so
    // that the walk does not wait on memory at every step.
    void foldKeys() {
        const size_t n = recs_.size(), k = keys_.size();
        struct Folded {
            const QChar* data = nullptr;
            qsizetype size = 0;
            uint32_t start = 0;
        };
        constexpr size_t kCacheSize = 1024;
        std::vector<Folded> cache(kCacheSize);
        for (size_t j = 0; j < k; ++j) {
            starts_[j].resize(n);
            lengths_[j].resize(n);
            units_[j].reserve(n * 16);
        }
        constexpr size_t kAhead = 16;
        for (size_t i = 0; i < n; ++i) {
            if (i + 3 * kAhead < n)
                __builtin_prefetch(recs_[i + 3 * kAhead].get());
            if (i + 2 * kAhead < n)
                __builtin_prefetch(recs_[i + 2 * kAhead]->values.data());
            if (i + kAhead < n) {
                const Record& ahead = *recs_[i + kAhead];
                for (size_t j = 0; j < k; ++j)
                    if (auto* s =
                            std::get_if<QString>(&ahead.values[static_cast<size_t>(keys_[j])]))
                        __builtin_prefetch(s->constData());
            }
            const Record& r = *recs_[i];
            for (size_t j = 0; j < k; ++j) {
                std::vector<char16_t>& units = units_[j];
                const auto* s = std::get_if<QString>(&r.values[static_cast<size_t>(keys_[j])]);
                if (!s || s->isEmpty()) {
                    starts_[j][i] = 0;
                    lengths_[j][i] = 0;
                    continue;
                }
                const auto bits = reinterpret_cast<std::uintptr_t>(s->constData());
                Folded& f = cache[((bits >> 4) ^ (bits >> 14) ^ j) & (kCacheSize - 1)];
                if (f.data != s->constData() || f.size != s->size()) {
                    f.data = s->constData();
                    f.size = s->size();
                    f.start = static_cast<uint32_t>(units.size());
                    text::appendSortKey(*s, units);
                }
                starts_[j][i] = f.start;
                lengths_[j][i] = static_cast<uint32_t>(f.size);
            }
        }
    }

    const FieldValue& value(const Item& it, size_t level) const {
        return recs_[it.pos]->values[static_cast<size_t>(keys_[level])];
    }

    void byPosition(size_t from, size_t to) {
        std::sort(items_.begin() + static_cast<std::ptrdiff_t>(from),
                  items_.begin() + static_cast<std::ptrdiff_t>(to),
                  [](const Item& a, const Item& b) { return a.pos < b.pos; });
    }

    // Orders items [from, to), which agree on every field before `level`.
    void sortLevel(size_t from, size_t to, size_t level) {
        if (to - from < 2)
            return;
        if (level == keys_.size()) {
            ties_ = true;
            byPosition(from, to); // equal on every field: as they stood
            return;
        }
        const char16_t* units = units_[level].data();
        const std::vector<uint32_t>& starts = starts_[level];
        const std::vector<uint32_t>& lengths = lengths_[level];
        constexpr size_t kAhead = 16;
        for (size_t i = from; i < to; ++i) {
            if (i + kAhead < to)
                __builtin_prefetch(units + starts[items_[i + kAhead].pos]);
            Item& it = items_[i];
            it.key = units + starts[it.pos];
            it.length = lengths[it.pos];
            it.chunk = chunkAt(it, 0);
            equal_[i] = 0;
        }
        multikey(items_.data() + from, to - from, 0, depthBudget(to - from), equal_.data() + from);
        size_t i = from;
        while (i < to) {
            size_t e = i + 1;
            while (e < to && equal_[e])
                ++e;
            sortFoldedTies(i, e, level);
            i = e;
        }
    }

    bool sameValue(const FieldValue& a, const FieldValue& b) const {
        const QString* s = std::get_if<QString>(&a);
        const QString* t = std::get_if<QString>(&b);
        if (s && t) // the full text comparison ends on the exact text
            return s->size() == t->size() && (s->constData() == t->constData() || *s == *t);
        return compareFieldValues(a, b) == 0;
    }

    // Items [from, to) agree on `level`'s folded key. Mostly they hold the very same text and
    // go on to the next field; otherwise they are first put in the full order of this field.
    void sortFoldedTies(size_t from, size_t to, size_t level) {
        if (to - from < 2)
            return;
        const FieldValue& head = value(items_[from], level);
        bool same = true;
        for (size_t i = from + 1; i < to && same; ++i)
            same = sameValue(head, value(items_[i], level));
        if (same) {
            sortLevel(from, to, level + 1);
            return;
        }
        byPosition(from, to);
        std::stable_sort(items_.begin() + static_cast<std::ptrdiff_t>(from),
                         items_.begin() + static_cast<std::ptrdiff_t>(to),
                         [&](const Item& a, const Item& b) {
                             return compareFieldValues(value(a, level), value(b, level)) < 0;
                         });
        size_t i = from;
        while (i < to) {
            size_t e = i + 1;
            while (e < to &&
                   compareFieldValues(value(items_[i], level), value(items_[e], level)) == 0)
                ++e;
            sortLevel(i, e, level + 1);
            i = e;
        }
    }

    const std::vector<std::unique_ptr<Record>>& recs_;
    const std::vector<int>& keys_;
    std::vector<std::vector<char16_t>> units_;
    std::vector<std::vector<uint32_t>> starts_;
    std::vector<std::vector<uint32_t>> lengths_;
    std::vector<Item> items_;
    std::vector<uint8_t> equal_;
    bool ties_ = false;
};

} // namespace

std::vector<size_t> sortedOrder(const std::vector<std::unique_ptr<Record>>& records,
                                const std::vector<int>& keys, bool* ties) {
    Sorter sorter(records, keys);
    std::vector<size_t> order = sorter.run();
    if (ties)
        *ties = sorter.hadTies();
    return order;
}
