// The part of RecordTable that takes changes back for the change journal: values exchanged,
// records put back or taken out at given positions, the current record set again. Nothing here
// reports to the journal itself.

#include "model/record_table.h"

#include "model/record_table_index.h"

#include <algorithm>

void RecordTable::exchangeValue(Record* r, int f, FieldValue& v) {
    if (!holds(r) || f < 0 || f >= schema_.count())
        return;
    FieldValue& slot = r->values[static_cast<size_t>(f)];
    orders_.keyWritten(f, r);
    bumpWrites(f);
    if (indexes_[static_cast<size_t>(f)]) {
        const QString oldKey = textOf(*r, f);
        std::swap(slot, v);
        indexUpdate(r, f, oldKey, textOf(*r, f));
    } else {
        std::swap(slot, v);
    }
    if (filtered_ && filter_)
        structureChanged(); // the record may have left or joined the filtered view
    else
        recordTouched(r->pos);
}

void RecordTable::restoreRecords(std::vector<HeldRecord>& held) {
    if (held.empty())
        return;
    postPending();
    const Record* curRec = current();
    // Merged in one pass: each record goes to its own position, the others keep their order.
    std::vector<std::unique_ptr<Record>> merged;
    merged.reserve(recs_.size() + held.size());
    size_t from = 0;
    for (HeldRecord& h : held) {
        const size_t at = std::max<size_t>(static_cast<size_t>(std::max(h.pos, 0)), merged.size());
        while (merged.size() < at && from < recs_.size())
            merged.push_back(std::move(recs_[from++]));
        merged.push_back(std::move(h.owned));
    }
    while (from < recs_.size())
        merged.push_back(std::move(recs_[from++]));
    const int firstChanged = std::clamp(held.front().pos, 0, static_cast<int>(merged.size()));
    recs_ = std::move(merged);
    renumber(firstChanged);
    for (const HeldRecord& h : held) {
        orders_.recordAdded(h.record);
        indexInsert(h.record);
    }
    bumpRecords();
    if (curRec)
        cur_ = curRec->pos;
    structureChanged();
}

void RecordTable::withdrawRecords(std::vector<HeldRecord>& held) {
    if (held.empty())
        return;
    postPending();
    const quint64 before = bookmark();
    const Record* curRec = current();
    for (HeldRecord& h : held)
        h.pos = h.record->pos;
    std::sort(held.begin(), held.end(),
              [](const HeldRecord& a, const HeldRecord& b) { return a.pos < b.pos; });
    std::vector<char> gone(recs_.size(), 0);
    for (const HeldRecord& h : held)
        gone[static_cast<size_t>(h.pos)] = 1;
    const bool curStays = curRec && gone[static_cast<size_t>(curRec->pos)] == 0;
    orders_.recordsRemoved(
        [&gone](const Record* r) { return gone[static_cast<size_t>(r->pos)] != 0; });
    bumpRecords();
    const bool dropIndexes = held.size() * 2 > recs_.size();
    if (dropIndexes)
        for (auto& ix : indexes_)
            ix.reset();
    size_t next = 0;
    size_t out = static_cast<size_t>(held.front().pos);
    for (size_t i = out; i < recs_.size(); ++i) {
        if (next < held.size() && static_cast<size_t>(held[next].pos) == i) {
            if (!dropIndexes)
                indexRemove(recs_[i].get());
            held[next++].owned = std::move(recs_[i]);
        } else {
            recs_[out++] = std::move(recs_[i]);
        }
    }
    recs_.resize(out);
    renumber(held.front().pos);
    // The cursor stays on its record when it remains; the caller sets it otherwise.
    if (curStays)
        cur_ = curRec->pos;
    else
        cur_ = recs_.empty() ? -1 : std::min(cur_, recordCount() - 1);
    bof_ = eof_ = cur_ < 0;
    structureChanged();
    emitCurrentIfMoved(before);
}

void RecordTable::restoreCurrent(const Record* r) {
    postPending();
    if (holds(r) && passes(*r)) {
        moveTo(r->pos);
        bof_ = eof_ = false;
    } else {
        first();
    }
}
