#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct Record;

// The records of a table holding each text of one field, for exact searches by name.
//
// Open addressing with linear probing. Beside the slots, a compact array holds a tag of each
// slot's hash, so that a search reads the slots (and their texts, which lie in the records'
// heap blocks) only where the tag matches: a search costs about one slot read, however many
// names have the same length.
class TextIndex {
public:
    // The records holding one text: the first indexed, then the others, in no defined order.
    struct Holders {
        Record* first = nullptr;
        std::vector<Record*> more;
        template <typename F> void forEach(F&& f) const {
            if (first)
                f(first);
            for (Record* r : more)
                f(r);
        }
    };

    void reserve(size_t count);
    void insert(const QString& key, Record* r);
    void erase(const QString& key, Record* r);
    // The records holding `key`; nullptr when none does.
    const Holders* find(const QString& key) const;
    size_t size() const { return count_; }
    // Whether some text is held by more than one record.
    bool hasSharedTexts() const { return shared_ > 0; }

private:
    struct Slot {
        QString key;
        size_t hash = 0;
        Holders holders;
    };

    static size_t hashOf(const QString& key);
    static uint32_t tagOf(size_t hash) { return static_cast<uint32_t>(hash >> 32) | 1u; }
    size_t findSlot(const QString& key, size_t hash) const; // npos when absent
    void grow(size_t capacity);
    void removeSlot(size_t i);

    static constexpr size_t npos = static_cast<size_t>(-1);
    std::vector<uint32_t> tags_; // 0: empty slot
    std::vector<Slot> slots_;
    size_t count_ = 0;
    size_t shared_ = 0; // texts held by more than one record
    size_t mask_ = 0;
};
