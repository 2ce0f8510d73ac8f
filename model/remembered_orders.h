#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct Record;

// The orders a table was lately sorted in, kept so that sorting again on the same fields costs
// little. An order is kept only when no two records are equal on every key: it then does not
// depend on the order the records stood in before.
//
// The table reports what changes: a record added or one whose key field was written is noted
// and put back in its place at the next sort (a few binary searches); a removed record leaves
// the order. Past a few such records, or when two records come to be equal on every key, the
// order is forgotten and the next sort is a full one.
class RememberedOrders {
public:
    void clear();
    bool has(const std::vector<int>& keys) const { return find(keys) != nullptr; }
    // Keeps `records` (all the table's records, sorted on `keys`, no two equal on every key).
    void remember(const std::vector<int>& keys, std::vector<Record*> records);

    void recordAdded(Record* r);
    void keyWritten(int field, Record* r) {
        if (field < 64 && (keyFields_ >> field & 1u))
            markWritten(field, r);
    }
    // Called before the records go: `gone` tells which.
    template <typename Gone> void recordsRemoved(Gone&& gone) {
        for (Order& o : orders_) {
            std::erase_if(o.records, gone);
            std::erase_if(o.pending, gone);
        }
    }

    // The records in the order of `keys`, the noted ones put back in place; nullopt when that
    // order is not known (or no longer holds), and a full sort is needed. `count` is the
    // table's number of records.
    std::optional<std::vector<Record*>> orderFor(const std::vector<int>& keys, size_t count);

private:
    struct Order {
        std::vector<int> keys;
        std::vector<Record*> records; // sorted; holds every record but the pending added ones
        std::vector<Record*> pending; // added, or with a key written, since
    };
    static constexpr size_t kMaxPending = 64;

    const Order* find(const std::vector<int>& keys) const;
    void markWritten(int field, Record* r);
    void note(Order& o, Record* r);
    void forget(size_t i);
    void updateKeyFields();

    std::vector<Order> orders_;
    uint64_t keyFields_ = 0; // the fields some kept order is sorted on
};
