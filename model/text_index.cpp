#include "model/text_index.h"

#include <QHashSeed>
#include <algorithm>
#include <cstring>
#include <utility>

// A multiply-and-rotate hash over four code units at a time, seeded per process so that texts
// read from a file cannot be chosen to collide. Names are short: this costs a few cycles where
// a general-purpose byte hash costs tens.
size_t TextIndex::hashOf(const QString& key) {
    static const uint64_t seed = QHashSeed::globalSeed() | 1;
    constexpr uint64_t k = 0x9E3779B97F4A7C15ull;
    const auto* p = reinterpret_cast<const char16_t*>(key.constData());
    const size_t n = static_cast<size_t>(key.size());
    uint64_t h = seed ^ (n * k);
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        uint64_t w;
        std::memcpy(&w, p + i, sizeof w);
        h = (h ^ w) * k;
        h ^= h >> 29;
    }
    uint64_t tail = 0;
    for (; i < n; ++i)
        tail = (tail << 16) | p[i];
    h = (h ^ tail) * k;
    h ^= h >> 32;
    h *= k;
    h ^= h >> 29;
    return static_cast<size_t>(h);
}

void TextIndex::reserve(size_t count) {
    size_t capacity = 16;
    while (capacity < count * 2)
        capacity *= 2;
    if (capacity > slots_.size())
        grow(capacity);
}

size_t TextIndex::findSlot(const QString& key, size_t hash) const {
    if (slots_.empty())
        return npos;
    const uint32_t tag = tagOf(hash);
    for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
        const uint32_t t = tags_[i];
        if (t == 0)
            return npos;
        // Texts copied from one another share their code units: no need to read them.
        if (t == tag && slots_[i].hash == hash && slots_[i].key.size() == key.size() &&
            (slots_[i].key.constData() == key.constData() || slots_[i].key == key))
            return i;
    }
}

const TextIndex::Holders* TextIndex::find(const QString& key) const {
    const size_t i = findSlot(key, hashOf(key));
    return i == npos ? nullptr : &slots_[i].holders;
}

void TextIndex::grow(size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    std::vector<uint32_t> oldTags = std::move(tags_);
    slots_.assign(capacity, Slot{});
    tags_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (size_t j = 0; j < old.size(); ++j) {
        if (oldTags[j] == 0)
            continue;
        size_t i = old[j].hash & mask_;
        while (tags_[i] != 0)
            i = (i + 1) & mask_;
        tags_[i] = oldTags[j];
        slots_[i] = std::move(old[j]);
    }
}

void TextIndex::insert(const QString& key, Record* r) {
    const size_t hash = hashOf(key);
    const size_t at = findSlot(key, hash);
    if (at != npos) {
        std::vector<Record*>& more = slots_[at].holders.more;
        if (more.empty())
            ++shared_;
        more.push_back(r);
        return;
    }
    // At most half full, so that runs of occupied slots stay short.
    if ((count_ + 1) * 2 > slots_.size())
        grow(std::max<size_t>(16, slots_.size() * 2));
    size_t i = hash & mask_;
    while (tags_[i] != 0)
        i = (i + 1) & mask_;
    tags_[i] = tagOf(hash);
    Slot& s = slots_[i];
    s.key = key;
    s.hash = hash;
    s.holders.first = r;
    ++count_;
}

void TextIndex::erase(const QString& key, Record* r) {
    const size_t i = findSlot(key, hashOf(key));
    if (i == npos)
        return;
    Holders& h = slots_[i].holders;
    if (h.first == r) {
        if (h.more.empty()) {
            removeSlot(i);
            return;
        }
        h.first = h.more.back();
        h.more.pop_back();
    } else {
        auto pos = std::find(h.more.begin(), h.more.end(), r);
        if (pos == h.more.end())
            return;
        *pos = h.more.back();
        h.more.pop_back();
    }
    if (h.more.empty())
        --shared_;
}

// Empties slot i and moves back the slots after it that their probe would no longer reach
// (backward-shift deletion: no tombstones, searches stay short).
void TextIndex::removeSlot(size_t i) {
    size_t j = i;
    for (;;) {
        j = (j + 1) & mask_;
        if (tags_[j] == 0)
            break;
        const size_t home = slots_[j].hash & mask_;
        // Slot j may move to i when its home is not cyclically within (i, j].
        const bool reachable = i <= j ? (home > i && home <= j) : (home > i || home <= j);
        if (reachable)
            continue;
        tags_[i] = tags_[j];
        slots_[i] = std::move(slots_[j]);
        i = j;
    }
    tags_[i] = 0;
    slots_[i] = Slot{};
    --count_;
}
