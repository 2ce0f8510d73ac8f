#include "model/remembered_orders.h"

#include "model/record_sort.h"
#include "model/record_table.h"

#include <algorithm>

namespace {

// Compares two records on `keys` in turn.
int compareOn(const std::vector<int>& keys, const Record* a, const Record* b) {
    for (int f : keys) {
        const auto i = static_cast<size_t>(f);
        if (const int c = compareFieldValues(a->values[i], b->values[i]))
            return c;
    }
    return 0;
}

} // namespace

void RememberedOrders::clear() {
    orders_.clear();
    keyFields_ = 0;
}

const RememberedOrders::Order* RememberedOrders::find(const std::vector<int>& keys) const {
    for (const Order& o : orders_)
        if (o.keys == keys)
            return &o;
    return nullptr;
}

void RememberedOrders::updateKeyFields() {
    keyFields_ = 0;
    for (const Order& o : orders_)
        for (int k : o.keys)
            keyFields_ |= k >= 0 && k < 64 ? uint64_t(1) << k : 0;
}

void RememberedOrders::remember(const std::vector<int>& keys, std::vector<Record*> records) {
    std::erase_if(orders_, [&keys](const Order& o) { return o.keys == keys; });
    if (orders_.size() >= 3)
        orders_.erase(orders_.begin()); // the two titles' orders and the search's
    orders_.push_back(Order{keys, std::move(records), {}});
    updateKeyFields();
}

void RememberedOrders::forget(size_t i) {
    orders_.erase(orders_.begin() + static_cast<std::ptrdiff_t>(i));
    updateKeyFields();
}

void RememberedOrders::note(Order& o, Record* r) {
    if (std::find(o.pending.begin(), o.pending.end(), r) == o.pending.end())
        o.pending.push_back(r);
}

void RememberedOrders::recordAdded(Record* r) {
    for (size_t i = orders_.size(); i-- > 0;) {
        if (orders_[i].pending.size() >= kMaxPending)
            forget(i);
        else
            note(orders_[i], r);
    }
}

void RememberedOrders::markWritten(int field, Record* r) {
    for (size_t i = orders_.size(); i-- > 0;) {
        Order& o = orders_[i];
        if (std::find(o.keys.begin(), o.keys.end(), field) == o.keys.end())
            continue;
        if (o.pending.size() >= kMaxPending)
            forget(i);
        else
            note(o, r);
    }
}

std::optional<std::vector<Record*>> RememberedOrders::orderFor(const std::vector<int>& keys,
                                                               size_t count) {
    auto it = std::find_if(orders_.begin(), orders_.end(),
                           [&keys](const Order& o) { return o.keys == keys; });
    if (it == orders_.end())
        return std::nullopt;
    Order& o = *it;
    if (o.pending.empty()) {
        if (o.records.size() != count)
            return std::nullopt;
        return o.records;
    }
    // The noted records leave the order, then each goes back where it now belongs.
    std::vector<Record*> pending = o.pending;
    std::sort(pending.begin(), pending.end());
    std::vector<Record*> base;
    base.reserve(count);
    for (Record* r : o.records)
        if (!std::binary_search(pending.begin(), pending.end(), r))
            base.push_back(r);
    auto less = [&keys](const Record* a, const Record* b) { return compareOn(keys, a, b) < 0; };
    std::sort(pending.begin(), pending.end(), less);
    std::vector<Record*> merged;
    merged.reserve(count);
    auto from = base.begin();
    bool ties = false;
    for (Record* p : pending) {
        const auto at = std::upper_bound(from, base.end(), p, less);
        merged.insert(merged.end(), from, at);
        from = at;
        // What stands before is not greater; equal on every key, the order would depend on
        // the one before the sort.
        if (!merged.empty() && compareOn(keys, merged.back(), p) == 0) {
            ties = true;
            break;
        }
        merged.push_back(p);
    }
    merged.insert(merged.end(), from, base.end());
    if (ties || merged.size() != count) {
        forget(static_cast<size_t>(it - orders_.begin()));
        return std::nullopt;
    }
    o.records = merged;
    o.pending.clear();
    return merged;
}
