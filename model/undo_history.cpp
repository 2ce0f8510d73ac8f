#include "model/undo_history.h"

#include "model/shopping_commands.h"
#include "model/shopping_data.h"

#include <algorithm>
#include <array>
#include <utility>

// The parts of a step. A named namespace, not an anonymous one: UndoHistory::Step, which has
// outside linkage, holds them.
namespace undo_parts {

// One field written: the record, the field, and the value it does not hold now (the value
// before while the step is done, the value after while it is undone).
struct FieldChange {
    Record* record;
    FieldValue value;
    qint32 field;
    quint8 table;
};

// Records added (taken out again by undo) or taken out (put back by undo). While they are out
// of their table, the entry owns them.
struct RecordsChange {
    bool added;
    quint8 table;
    std::vector<HeldRecord> records;
};

// A tree node added: sector index, aisle index (-1 for a sector node) and its text.
struct TreeChange {
    int sector;
    int aisle;
    QString text;
};

// What the data hold besides the tables and the tree, before and after a step.
struct Around {
    QString validationText;
    ListTotal total;
    bool totalShown = true;
    QString listLabel;
    ShopSelection selection;
    bool shopFilter = false;
    std::array<const Record*, 2> current{};
    bool modified = false;
};

bool sameValues(const Around& a, const Around& b) {
    return a.validationText == b.validationText && a.total.price == b.total.price &&
           a.total.units == b.total.units && a.totalShown == b.totalShown &&
           a.listLabel == b.listLabel && a.selection == b.selection;
}

std::size_t textBytes(const FieldValue& v) {
    // Counted from the value alone: asking the text's storage whether it is shared would fetch
    // one heap block per text, and a step can hold tens of thousands of records. A shared text
    // (a flag, a sector) is counted as if it were its own: a few bytes too many.
    if (const auto* s = std::get_if<QString>(&v); s && !s->isEmpty())
        return 16 + static_cast<std::size_t>(s->size()) * sizeof(QChar);
    return 0;
}

std::size_t recordBytes(const Record& r) {
    std::size_t n = sizeof(Record) + 16 + r.values.capacity() * sizeof(FieldValue);
    for (const FieldValue& v : r.values)
        n += textBytes(v);
    return n;
}

// The records' bytes, from at most kSample of them spread over the whole: reading every record
// of a block removal, each in its own heap blocks, would cost the gesture more than the removal
// itself, and the limit on the history is only approximate.
std::size_t sampledBytes(const std::vector<HeldRecord>& held) {
    constexpr std::size_t kSample = 256;
    const std::size_t count = held.size();
    const std::size_t read = std::min(count, kSample);
    std::size_t n = 0;
    for (std::size_t i = 0; i < read; ++i)
        n += recordBytes(*held[i * count / read].record);
    return read == 0 ? 0 : n * count / read;
}

} // namespace undo_parts

using namespace undo_parts;

struct UndoHistory::Step {
    QString name;
    quint32 serial = 0;
    std::vector<FieldChange> fields;
    std::vector<RecordsChange> records;
    std::vector<TreeChange> tree;
    std::array<int, 2> lastStructural{-1, -1}; // per table, its latest entry in `records`
    Around before;
    Around after;
    std::size_t bytes = 0;

    bool journalEmpty() const { return fields.empty() && records.empty() && tree.empty(); }

    std::size_t estimate() const {
        std::size_t n = sizeof(Step) + fields.capacity() * sizeof(FieldChange) +
                        records.capacity() * sizeof(RecordsChange) +
                        tree.capacity() * sizeof(TreeChange);
        for (const FieldChange& c : fields)
            n += textBytes(c.value);
        for (const RecordsChange& c : records) {
            n += c.records.capacity() * sizeof(HeldRecord);
            n += sampledBytes(c.records);
        }
        return n;
    }
};

namespace {

Around capture(const ShoppingData& d) {
    Around a;
    a.validationText = d.validationText;
    a.total = d.total();
    a.totalShown = d.totalShown();
    a.listLabel = d.listLabel();
    a.selection = d.selection;
    a.shopFilter = d.shopFilterOn();
    a.current = {d.catalogue.current(), d.list.current()};
    a.modified = d.modified();
    return a;
}

} // namespace

UndoHistory::UndoHistory(ShoppingData& data) : data_(data) {
    data_.catalogue.setJournal(this);
    data_.list.setJournal(this);
}

UndoHistory::~UndoHistory() {
    data_.catalogue.setJournal(nullptr);
    data_.list.setJournal(nullptr);
}

int UndoHistory::tableIndex(const RecordTable& t) const {
    return &t == &data_.list ? 1 : 0;
}

// ---------------------------------------------------------------- steps

UndoHistory::Step* UndoHistory::openStep() {
    if (!open_) {
        // A change outside any step: it gets a step of its own until the history is used.
        open_ = std::make_unique<Step>();
        open_->name = QStringLiteral("Modification");
        open_->serial = ++serial_;
        open_->before = capture(data_);
        loose_ = true;
    }
    return open_.get();
}

void UndoHistory::begin(const QString& name) {
    if (depth_++ > 0 || !recording_)
        return;
    closeLoose();
    open_ = std::make_unique<Step>();
    open_->name = name;
    open_->serial = ++serial_;
    open_->before = capture(data_);
}

void UndoHistory::end() {
    if (depth_ == 0)
        return;
    if (--depth_ == 0)
        closeStep();
}

void UndoHistory::closeLoose() {
    if (loose_ && depth_ == 0)
        closeStep();
}

void UndoHistory::closeStep() {
    loose_ = false;
    if (!recording_) {
        open_.reset();
        return;
    }
    std::unique_ptr<Step> s = std::move(open_);
    if (!s)
        return;
    s->after = capture(data_);
    const bool turnedModified = !s->before.modified && s->after.modified;
    if (s->journalEmpty() && sameValues(s->before, s->after) && !turnedModified)
        return; // nothing changed: no step
    s->bytes = s->estimate();
    push(std::move(s));
}

void UndoHistory::freeSteps(std::size_t from) {
    for (std::size_t i = from; i < steps_.size(); ++i)
        bytes_ -= steps_[i]->bytes;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(from), steps_.end());
}

void UndoHistory::push(std::unique_ptr<Step> step) {
    freeSteps(index_);
    if (savePoint_ > static_cast<long long>(index_))
        savePoint_ = -1; // the saved state was undone and is now replaced
    bytes_ += step->bytes;
    steps_.push_back(std::move(step));
    index_ = steps_.size();
    trim();
    emit changed();
}

void UndoHistory::trim() {
    std::size_t drop = 0;
    std::size_t bytes = bytes_;
    while (steps_.size() - drop > 1 &&
           (steps_.size() - drop > static_cast<std::size_t>(maxSteps_) || bytes > maxBytes_)) {
        bytes -= steps_[drop]->bytes;
        ++drop;
    }
    if (drop == 0)
        return;
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
    bytes_ = bytes;
    index_ -= drop;
    if (savePoint_ >= 0) {
        savePoint_ -= static_cast<long long>(drop);
        if (savePoint_ < 0)
            savePoint_ = -1;
    }
}

void UndoHistory::setLimits(int maxSteps, std::size_t maxBytes) {
    closeLoose();
    maxSteps_ = std::max(1, maxSteps);
    maxBytes_ = maxBytes;
    if (index_ == steps_.size())
        trim();
}

void UndoHistory::setRecording(bool on) {
    recording_ = on;
    data_.catalogue.setJournal(on ? this : nullptr);
    data_.list.setJournal(on ? this : nullptr);
    clear();
}

std::size_t UndoHistory::memoryUsed() {
    closeLoose();
    return bytes_;
}

void UndoHistory::clear() {
    if (open_) {
        // The step under way is given up: the records it follows are no longer the data's.
        auto fresh = std::make_unique<Step>();
        fresh->name = open_->name;
        fresh->serial = ++serial_;
        fresh->before = capture(data_);
        fresh->before.current = {};
        open_ = std::move(fresh);
    }
    freeSteps(0);
    bytes_ = 0;
    index_ = 0;
    savePoint_ = 0;
    emit changed();
}

void UndoHistory::markSaved() {
    closeLoose();
    savePoint_ = static_cast<long long>(index_);
}

// ---------------------------------------------------------------- journal

void UndoHistory::fieldWritten(RecordTable& table, Record* r, int f, const FieldValue& before) {
    if (applying_)
        return;
    Step* s = openStep();
    // A record the step added goes with its final values: nothing to note.
    if (r->stamp == s->serial)
        return;
    s->fields.push_back(FieldChange{r, before, f, static_cast<quint8>(tableIndex(table))});
}

void UndoHistory::recordAdded(RecordTable& table, Record* r) {
    if (applying_)
        return;
    Step* s = openStep();
    r->stamp = s->serial;
    const int t = tableIndex(table);
    const int last = s->lastStructural[static_cast<size_t>(t)];
    if (last >= 0 && s->records[static_cast<size_t>(last)].added) {
        // Records added one after the other form one entry: undo takes them out in one pass.
        s->records[static_cast<size_t>(last)].records.push_back(HeldRecord{r->pos, r, nullptr});
        return;
    }
    RecordsChange c{true, static_cast<quint8>(t), {}};
    c.records.push_back(HeldRecord{r->pos, r, nullptr});
    s->records.push_back(std::move(c));
    s->lastStructural[static_cast<size_t>(t)] = static_cast<int>(s->records.size()) - 1;
}

void UndoHistory::recordsRemoved(RecordTable& table, std::vector<HeldRecord>&& gone) {
    if (applying_ || gone.empty())
        return;
    Step* s = openStep();
    const int t = tableIndex(table);
    s->records.push_back(RecordsChange{false, static_cast<quint8>(t), std::move(gone)});
    s->lastStructural[static_cast<size_t>(t)] = static_cast<int>(s->records.size()) - 1;
}

void UndoHistory::recordsReplaced(RecordTable&) {
    // Every record the history follows is gone: a list read from a file starts it again.
    clear();
}

void UndoHistory::treeNodeAdded(int sector, int aisle) {
    if (applying_ || !recording_)
        return;
    auto& roots = data_.tree.roots();
    if (sector < 0 || sector >= static_cast<int>(roots.size()))
        return;
    const OrgNode& s = roots[static_cast<size_t>(sector)];
    if (aisle >= static_cast<int>(s.children.size()))
        return;
    const QString& text = aisle < 0 ? s.text : s.children[static_cast<size_t>(aisle)].text;
    openStep()->tree.push_back(TreeChange{sector, aisle, text});
}

// ---------------------------------------------------------------- undo and redo

bool UndoHistory::canUndo() {
    closeLoose();
    return depth_ == 0 && index_ > 0;
}

bool UndoHistory::canRedo() {
    closeLoose();
    return depth_ == 0 && index_ < steps_.size();
}

QString UndoHistory::undoName() {
    return canUndo() ? steps_[index_ - 1]->name : QString();
}

QString UndoHistory::redoName() {
    return canRedo() ? steps_[index_]->name : QString();
}

int UndoHistory::undoCount() {
    closeLoose();
    return static_cast<int>(index_);
}

int UndoHistory::redoCount() {
    closeLoose();
    return static_cast<int>(steps_.size() - index_);
}

bool UndoHistory::undo() {
    if (!canUndo())
        return false;
    apply(*steps_[index_ - 1], true);
    --index_;
    data_.setModified(static_cast<long long>(index_) != savePoint_);
    emit changed();
    emit applied();
    return true;
}

bool UndoHistory::redo() {
    if (!canRedo())
        return false;
    apply(*steps_[index_], false);
    ++index_;
    data_.setModified(static_cast<long long>(index_) != savePoint_);
    emit changed();
    emit applied();
    return true;
}

void UndoHistory::apply(Step& s, bool undoing) {
    applying_ = true;
    std::array<RecordTable*, 2> tables{&data_.catalogue, &data_.list};
    for (RecordTable* t : tables)
        t->post();
    // A table that changes much is shown again whole, once; a few records are shown one by one.
    std::array<int, 2> weight{0, 0};
    for (const FieldChange& c : s.fields)
        ++weight[c.table];
    for (const RecordsChange& c : s.records)
        weight[c.table] += 1000;
    std::array<bool, 2> suspended{false, false};
    for (size_t t = 0; t < 2; ++t)
        if (weight[t] > 32 || s.before.selection != s.after.selection) {
            tables[t]->disableControls();
            suspended[t] = true;
        }

    auto records = [&](RecordsChange& c, bool back) {
        RecordTable& t = *tables[c.table];
        // An added entry is taken out going back; a removal is put back.
        if (c.added == back)
            t.withdrawRecords(c.records);
        else
            t.restoreRecords(c.records);
    };
    auto field = [&](FieldChange& c) {
        tables[c.table]->exchangeValue(c.record, c.field, c.value);
    };
    auto& roots = data_.tree.roots();
    auto removeNode = [&roots](const TreeChange& c) {
        auto& level = c.aisle < 0 ? roots : roots[static_cast<size_t>(c.sector)].children;
        const auto at = static_cast<size_t>(c.aisle < 0 ? c.sector : c.aisle);
        if (at < level.size())
            level.erase(level.begin() + static_cast<std::ptrdiff_t>(at));
    };
    auto insertNode = [&roots](const TreeChange& c) {
        auto& level = c.aisle < 0 ? roots : roots[static_cast<size_t>(c.sector)].children;
        const auto at =
            std::min(static_cast<size_t>(c.aisle < 0 ? c.sector : c.aisle), level.size());
        level.insert(level.begin() + static_cast<std::ptrdiff_t>(at), OrgNode{c.text, {}});
    };

    if (undoing) {
        // Records first, so that every value goes back into a record that is in its table.
        for (auto it = s.records.rbegin(); it != s.records.rend(); ++it)
            records(*it, true);
        for (auto it = s.fields.rbegin(); it != s.fields.rend(); ++it)
            field(*it);
        for (auto it = s.tree.rbegin(); it != s.tree.rend(); ++it)
            removeNode(*it);
    } else {
        for (FieldChange& c : s.fields)
            field(c);
        for (RecordsChange& c : s.records)
            records(c, false);
        for (const TreeChange& c : s.tree)
            insertNode(c);
    }

    const Around& to = undoing ? s.before : s.after;
    // The tree selection and the list label go back only when the step changed them (a product
    // filed elsewhere): a sector chosen since stays chosen.
    if (s.before.selection != s.after.selection) {
        const bool moves = to.selection != data_.selection;
        data_.selection = to.selection;
        if (moves)
            data_.reapplyShopFilter();
    }
    if (s.before.listLabel != s.after.listLabel)
        data_.setListLabel(to.listLabel);
    data_.validationText = to.validationText;
    // The total is the one shown then, unless the filter shows other rows now: it is then
    // counted again over the rows shown.
    if (to.selection == data_.selection && to.shopFilter == data_.shopFilterOn()) {
        if (to.totalShown)
            data_.setTotal(to.total);
        else
            data_.clearTotal();
    } else {
        ShoppingCommands(data_).recomputeTotal();
    }
    for (size_t t = 0; t < 2; ++t)
        tables[t]->restoreCurrent(to.current[t]);
    applying_ = false;
    for (size_t t = 0; t < 2; ++t)
        if (suspended[t])
            tables[t]->enableControls();
}
