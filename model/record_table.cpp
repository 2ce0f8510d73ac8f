#include "model/record_table.h"

#include "model/record_sort.h"
#include "model/record_table_index.h"

#include <algorithm>
#include <atomic>
#include <limits>

// ---------------------------------------------------------------- schema

int TableSchema::indexOf(QStringView name) const {
    for (int i = 0; i < count(); ++i)
        if (QStringView(fields_[static_cast<size_t>(i)].name).compare(name, Qt::CaseInsensitive) ==
            0)
            return i;
    return -1;
}

// ---------------------------------------------------------------- helpers

namespace {

const FieldValue kNull;

bool fitsType(FieldType t, qint64 v) {
    switch (t) {
    case FieldType::SmallInt:
        return v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max();
    case FieldType::Integer:
        return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
    default:
        return false;
    }
}

} // namespace

// The text of a text field without copying it (an empty view for null and other types).
static QStringView textViewOf(const Record& r, int f) {
    if (auto* s = std::get_if<QString>(&r.values[static_cast<size_t>(f)]))
        return *s;
    return {};
}

// ---------------------------------------------------------------- table

RecordTable::RecordTable(TableSchema schema, QObject* parent)
    : QObject(parent), schema_(std::move(schema)) {
    indexes_.resize(static_cast<size_t>(schema_.count()));
    records_ = freshVersion();
    written_.assign(static_cast<size_t>(schema_.count()), records_);
}

quint64 RecordTable::freshVersion() {
    static std::atomic<quint64> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

// Both versions come from one counter that only grows: the later of the two is the latest
// change that concerns field f.
quint64 RecordTable::holdersVersion(int f) const {
    return std::max(records_, written_[static_cast<size_t>(f)]);
}

quint64 RecordTable::contentVersion() const {
    return std::max(records_, *std::max_element(written_.begin(), written_.end()));
}

RecordTable::~RecordTable() = default;

bool RecordTable::isEmpty() const {
    if (recs_.empty())
        return true;
    if (!filtered_ || !filter_)
        return false;
    return firstVisibleFrom(0) < 0;
}

int RecordTable::firstVisibleFrom(int pos) const {
    const int n = recordCount();
    for (int p = std::max(pos, 0); p < n; ++p)
        if (passes(*recs_[static_cast<size_t>(p)]))
            return p;
    return -1;
}

int RecordTable::lastVisibleBefore(int pos) const {
    for (int p = std::min(pos, recordCount()) - 1; p >= 0; --p)
        if (passes(*recs_[static_cast<size_t>(p)]))
            return p;
    return -1;
}

void RecordTable::emitCurrentIfMoved(quint64 before) {
    if (bookmark() == before)
        return;
    if (suspend_ > 0)
        pendingCurrent_ = true;
    else
        emit currentChanged();
}

void RecordTable::moveTo(int pos) {
    const quint64 before = bookmark();
    cur_ = pos;
    emitCurrentIfMoved(before);
}

void RecordTable::first() {
    postPending();
    const int p = firstVisibleFrom(0);
    moveTo(p);
    bof_ = true;
    eof_ = p < 0;
}

void RecordTable::next() {
    postPending();
    if (cur_ < 0) {
        eof_ = true;
        return;
    }
    const int p = firstVisibleFrom(cur_ + 1);
    if (p < 0) {
        eof_ = true;
    } else {
        moveTo(p);
        eof_ = false;
    }
    bof_ = false;
}

void RecordTable::setCurrentPos(int pos) {
    postPending();
    if (pos < 0 || pos >= recordCount())
        return;
    moveTo(pos);
    bof_ = eof_ = false;
}

void RecordTable::postPending() {
    if (state_ != State::Browse)
        post();
}

void RecordTable::append() {
    postPending();
    auto r = std::make_unique<Record>();
    r->id = nextId_++;
    r->pos = recordCount();
    r->values.resize(static_cast<size_t>(schema_.count()));
    Record* raw = r.get();
    recs_.push_back(std::move(r));
    orders_.recordAdded(raw);
    bumpRecords();
    indexInsert(raw);
    if (journal_)
        journal_->recordAdded(*this, raw);
    const quint64 before = bookmark();
    cur_ = raw->pos;
    bof_ = eof_ = false;
    state_ = State::Insert;
    backup_.clear();
    structureChanged();
    emitCurrentIfMoved(before);
}

void RecordTable::edit() {
    if (cur_ < 0 || state_ != State::Browse)
        return;
    backup_.clear();
    state_ = State::Edit;
}

void RecordTable::post() {
    if (state_ == State::Browse)
        return;
    state_ = State::Browse;
    backup_.clear();
    if (cur_ < 0)
        return;
    if (filtered_ && filter_)
        structureChanged(); // the record may have left or joined the filtered view
    else
        recordTouched(cur_);
}

void RecordTable::cancel() {
    if (state_ == State::Browse || cur_ < 0) {
        state_ = State::Browse;
        return;
    }
    if (state_ == State::Insert) {
        state_ = State::Browse;
        remove();
        return;
    }
    Record* r = recs_[static_cast<size_t>(cur_)].get();
    indexRemove(r);
    for (auto& [f, original] : backup_) {
        if (journal_)
            journal_->fieldWritten(*this, r, f, r->values[static_cast<size_t>(f)]);
        r->values[static_cast<size_t>(f)] = std::move(original);
        orders_.keyWritten(f, r);
        bumpWrites(f);
    }
    indexInsert(r);
    backup_.clear();
    state_ = State::Browse;
    recordTouched(cur_);
}

void RecordTable::renumber(int from) {
    for (int p = std::max(from, 0); p < recordCount(); ++p)
        recs_[static_cast<size_t>(p)]->pos = p;
}

void RecordTable::remove() {
    if (cur_ < 0)
        return;
    state_ = State::Browse;
    backup_.clear();
    const quint64 before = bookmark();
    const int at = cur_;
    const Record* gone = recs_[static_cast<size_t>(at)].get();
    orders_.recordsRemoved([gone](const Record* r) { return r == gone; });
    bumpRecords();
    indexRemove(recs_[static_cast<size_t>(at)].get());
    std::unique_ptr<Record> owned = std::move(recs_[static_cast<size_t>(at)]);
    recs_.erase(recs_.begin() + at);
    renumber(at);
    if (journal_) {
        std::vector<HeldRecord> held(1);
        held[0].pos = at;
        held[0].record = owned.get();
        held[0].owned = std::move(owned);
        journal_->recordsRemoved(*this, std::move(held));
    }
    int p = firstVisibleFrom(at);
    if (p >= 0) {
        cur_ = p;
        eof_ = bof_ = false;
    } else {
        p = lastVisibleBefore(at);
        cur_ = p;
        eof_ = true;
        bof_ = p < 0;
    }
    structureChanged();
    emitCurrentIfMoved(before);
}

int RecordTable::removeIf(const std::function<bool(const Record&)>& pred) {
    postPending();
    const quint64 before = bookmark();
    const Record* curRec = current();
    bool curGone = false;
    int removed = 0;
    size_t out = 0;
    int firstGone = -1; // where the deleted current record stood among the records kept
    std::vector<char> gone(recs_.size());
    for (size_t i = 0; i < recs_.size(); ++i)
        if (pred(*recs_[i])) {
            gone[i] = 1;
            ++removed;
        }
    if (removed == 0)
        return 0;
    orders_.recordsRemoved(
        [&gone](const Record* r) { return gone[static_cast<size_t>(r->pos)] != 0; });
    bumpRecords();
    // Taking most records out of the name indexes costs more than building them again from
    // the few kept, which the next search does.
    const bool dropIndexes = static_cast<size_t>(removed) * 2 > recs_.size();
    if (dropIndexes)
        for (auto& ix : indexes_)
            ix.reset();
    std::vector<HeldRecord> taken;
    if (journal_)
        taken.reserve(static_cast<size_t>(removed));
    for (size_t i = 0; i < recs_.size(); ++i) {
        if (gone[i]) {
            if (recs_[i].get() == curRec) {
                curGone = true;
                firstGone = static_cast<int>(out);
            }
            if (!dropIndexes)
                indexRemove(recs_[i].get());
            if (journal_) {
                Record* raw = recs_[i].get();
                taken.push_back(HeldRecord{static_cast<int>(i), raw, std::move(recs_[i])});
            }
            recs_[i].reset();
        } else {
            if (out != i)
                recs_[out] = std::move(recs_[i]);
            ++out;
        }
    }
    recs_.resize(out);
    renumber(0);
    if (!curGone && curRec) {
        cur_ = curRec->pos;
    } else if (curRec) {
        // Like a single delete: the next record shown, else the previous one.
        int p = firstVisibleFrom(firstGone);
        bof_ = eof_ = false;
        if (p < 0) {
            p = lastVisibleBefore(firstGone);
            eof_ = true;
        }
        cur_ = p;
        if (p < 0)
            bof_ = eof_ = true;
    } else {
        cur_ = -1;
    }
    if (journal_)
        journal_->recordsRemoved(*this, std::move(taken));
    structureChanged();
    emitCurrentIfMoved(before);
    return removed;
}

void RecordTable::empty() {
    state_ = State::Browse;
    backup_.clear();
    const quint64 before = bookmark();
    if (journal_ && !recs_.empty()) {
        std::vector<HeldRecord> taken;
        taken.reserve(recs_.size());
        for (size_t i = 0; i < recs_.size(); ++i) {
            Record* raw = recs_[i].get();
            taken.push_back(HeldRecord{static_cast<int>(i), raw, std::move(recs_[i])});
        }
        recs_.clear();
        journal_->recordsRemoved(*this, std::move(taken));
    }
    recs_.clear();
    orders_.clear();
    for (auto& i : indexes_)
        i.reset();
    bumpRecords();
    cur_ = -1;
    bof_ = eof_ = true;
    structureChanged();
    emitCurrentIfMoved(before);
}

void RecordTable::appendLoaded(std::vector<FieldValue>&& values) {
    values.resize(static_cast<size_t>(schema_.count()));
    auto r = std::make_unique<Record>();
    r->id = nextId_++;
    r->pos = recordCount();
    r->values = std::move(values);
    Record* raw = r.get();
    recs_.push_back(std::move(r));
    orders_.recordAdded(raw);
    bumpRecords();
    indexInsert(raw);
    if (journal_)
        journal_->recordAdded(*this, raw);
    visibleDirty_ = true;
}

void RecordTable::swapRecords(RecordTable& other) {
    // Taken before the exchange: afterwards the cursor may point past the end of the records.
    const quint64 before = bookmark();
    state_ = State::Browse;
    other.state_ = State::Browse;
    std::swap(recs_, other.recs_);
    for (RecordTable* t : {this, &other})
        if (t->journal_)
            t->journal_->recordsReplaced(*t);
    orders_.clear();
    other.orders_.clear();
    // Records that changed tables may have been written in the other one.
    for (RecordTable* t : {this, &other}) {
        t->bumpRecords();
        std::fill(t->written_.begin(), t->written_.end(), t->records_);
    }
    // The incoming records get fresh identities, so a bookmark taken before the exchange can
    // never land on an unrelated new record.
    quint64 id = std::max(nextId_, other.nextId_);
    for (auto& r : recs_)
        r->id = id++;
    for (auto& r : other.recs_)
        r->id = id++;
    nextId_ = other.nextId_ = id;
    for (auto& i : indexes_)
        i.reset();
    for (auto& i : other.indexes_)
        i.reset();
    cur_ = -1;
    first();
    structureChanged();
    emitCurrentIfMoved(before);
    other.cur_ = -1;
    other.first();
    other.structureChanged();
}

// ---------------------------------------------------------------- values

bool RecordTable::isNull(int f) const {
    return std::holds_alternative<std::monostate>(value(f));
}

const FieldValue& RecordTable::value(int f) const {
    if (cur_ < 0 || f < 0 || f >= schema_.count())
        return kNull;
    return recs_[static_cast<size_t>(cur_)]->values[static_cast<size_t>(f)];
}

QString RecordTable::textOf(const Record& r, int f) {
    const FieldValue& v = r.values[static_cast<size_t>(f)];
    if (auto* s = std::get_if<QString>(&v))
        return *s;
    if (auto* i = std::get_if<qint32>(&v))
        return QString::number(*i);
    if (auto* d = std::get_if<double>(&v))
        return QString::number(*d, 'g', 15);
    if (auto* d = std::get_if<QDate>(&v))
        return d->toString(QStringLiteral("dd/MM/yyyy"));
    return QString();
}

std::optional<qint32> RecordTable::integerOf(const Record& r, int f) {
    const FieldValue& v = r.values[static_cast<size_t>(f)];
    if (auto* i = std::get_if<qint32>(&v))
        return *i;
    if (auto* d = std::get_if<double>(&v))
        return static_cast<qint32>(*d);
    return std::nullopt;
}

std::optional<double> RecordTable::realOf(const Record& r, int f) {
    const FieldValue& v = r.values[static_cast<size_t>(f)];
    if (auto* d = std::get_if<double>(&v))
        return *d;
    if (auto* i = std::get_if<qint32>(&v))
        return *i;
    return std::nullopt;
}

QDate RecordTable::dateOf(const Record& r, int f) {
    const FieldValue& v = r.values[static_cast<size_t>(f)];
    if (auto* d = std::get_if<QDate>(&v))
        return *d;
    return QDate();
}

QString RecordTable::text(int f) const {
    if (cur_ < 0 || f < 0 || f >= schema_.count())
        return QString();
    return textOf(*recs_[static_cast<size_t>(cur_)], f);
}

qint32 RecordTable::integer(int f) const {
    if (cur_ < 0 || f < 0 || f >= schema_.count())
        return 0;
    return integerOf(*recs_[static_cast<size_t>(cur_)], f).value_or(0);
}

double RecordTable::real(int f) const {
    if (cur_ < 0 || f < 0 || f >= schema_.count())
        return 0;
    return realOf(*recs_[static_cast<size_t>(cur_)], f).value_or(0);
}

Money RecordTable::money(int f) const {
    return Money::fromDoubleOrZero(real(f));
}

QDate RecordTable::date(int f) const {
    if (cur_ < 0 || f < 0 || f >= schema_.count())
        return QDate();
    return dateOf(*recs_[static_cast<size_t>(cur_)], f);
}

bool RecordTable::setValue(int f, const FieldValue& v) {
    if (cur_ < 0 || f < 0 || f >= schema_.count())
        return false;
    const FieldDef& def = schema_.at(f);
    FieldValue stored;
    switch (def.type) {
    case FieldType::Text:
        if (auto* s = std::get_if<QString>(&v)) {
            stored = def.width > 0 ? s->left(def.width) : *s;
        } else if (!std::holds_alternative<std::monostate>(v)) {
            return false;
        }
        break;
    case FieldType::SmallInt:
    case FieldType::Integer:
        if (auto* i = std::get_if<qint32>(&v)) {
            if (!fitsType(def.type, *i))
                return false;
            stored = *i;
        } else if (!std::holds_alternative<std::monostate>(v)) {
            return false;
        }
        break;
    case FieldType::Money:
        if (auto* d = std::get_if<double>(&v))
            stored = *d;
        else if (auto* i = std::get_if<qint32>(&v))
            stored = static_cast<double>(*i);
        else if (!std::holds_alternative<std::monostate>(v))
            return false;
        break;
    case FieldType::Date:
        if (auto* d = std::get_if<QDate>(&v)) {
            if (d->isValid())
                stored = *d;
        } else if (!std::holds_alternative<std::monostate>(v)) {
            return false;
        }
        break;
    }
    if (state_ == State::Browse)
        edit();
    Record* r = recs_[static_cast<size_t>(cur_)].get();
    FieldValue& slot = r->values[static_cast<size_t>(f)];
    orders_.keyWritten(f, r);
    bumpWrites(f);
    if (state_ == State::Edit &&
        std::none_of(backup_.begin(), backup_.end(), [f](const auto& b) { return b.first == f; }))
        backup_.emplace_back(f, slot);
    if (journal_ && slot != stored)
        journal_->fieldWritten(*this, r, f, slot);
    if (indexes_[static_cast<size_t>(f)]) {
        const QString oldKey = textOf(*r, f);
        slot = std::move(stored);
        indexUpdate(r, f, oldKey, textOf(*r, f));
    } else {
        slot = std::move(stored);
    }
    return true;
}

bool RecordTable::setText(int f, const QString& v) {
    if (f >= 0 && f < schema_.count() && schema_.at(f).type != FieldType::Text)
        return false;
    return setValue(f, FieldValue(v));
}

bool RecordTable::setInteger(int f, qint64 v) {
    if (f < 0 || f >= schema_.count())
        return false;
    const FieldType t = schema_.at(f).type;
    if (t == FieldType::Money)
        return setValue(f, FieldValue(static_cast<double>(v)));
    if (!fitsType(t, v))
        return false;
    return setValue(f, FieldValue(static_cast<qint32>(v)));
}

bool RecordTable::setReal(int f, double v) {
    return setValue(f, FieldValue(v));
}

bool RecordTable::setMoney(int f, Money v) {
    return setValue(f, FieldValue(v.toDouble()));
}

bool RecordTable::setDate(int f, QDate v) {
    return setValue(f, FieldValue(v));
}

void RecordTable::clear(int f) {
    setValue(f, FieldValue());
}

bool RecordTable::shareText(int pos, int f, const QString& same) {
    if (pos < 0 || pos >= recordCount() || f < 0 || f >= schema_.count())
        return false;
    Record* r = recs_[static_cast<size_t>(pos)].get();
    auto* s = std::get_if<QString>(&r->values[static_cast<size_t>(f)]);
    if (!s || s->size() != same.size())
        return false;
    if (s->constData() == same.constData())
        return true;
    if (*s != same)
        return false;
    Index* ix = indexes_[static_cast<size_t>(f)].get();
    if (ix)
        ix->erase(*s, r);
    *s = same;
    if (ix)
        ix->insert(*s, r);
    return true;
}

// ---------------------------------------------------------------- locate

RecordTable::Index* RecordTable::indexFor(int f) {
    auto& slot = indexes_[static_cast<size_t>(f)];
    if (!slot) {
        slot = std::make_unique<Index>();
        slot->reserve(recs_.size());
        for (auto& r : recs_)
            slot->insert(textOf(*r, f), r.get());
    }
    return slot.get();
}

void RecordTable::indexInsert(Record* r) {
    for (size_t f = 0; f < indexes_.size(); ++f)
        if (indexes_[f])
            indexes_[f]->insert(textOf(*r, static_cast<int>(f)), r);
}

void RecordTable::indexRemove(Record* r) {
    for (size_t f = 0; f < indexes_.size(); ++f)
        if (indexes_[f])
            indexes_[f]->erase(textOf(*r, static_cast<int>(f)), r);
}

void RecordTable::indexUpdate(Record* r, int f, const QString& oldText, const QString& newText) {
    if (oldText == newText)
        return;
    Index* ix = indexes_[static_cast<size_t>(f)].get();
    ix->erase(oldText, r);
    ix->insert(newText, r);
}

bool RecordTable::locate(int f, const QString& value, LocateOptions opt) {
    const int found = findPosition(f, value, cur_, opt);
    if (found < 0)
        return false;
    if (found == cur_)
        return true;
    moveTo(found);
    bof_ = eof_ = false;
    return true;
}

int RecordTable::findPosition(int f, const QString& value, int preferred, LocateOptions opt) {
    postPending();
    if (f < 0 || f >= schema_.count() || recs_.empty())
        return -1;
    const bool isText = schema_.at(f).type == FieldType::Text;
    const Qt::CaseSensitivity cs = opt.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    auto matches = [&](const Record& r) {
        const QString other = isText ? QString() : textOf(r, f);
        const QStringView t = isText ? textViewOf(r, f) : QStringView(other);
        if (opt.partialKey)
            return t.startsWith(value, cs);
        return t.compare(value, cs) == 0;
    };
    const bool hasPreferred = preferred >= 0 && preferred < recordCount();
    const FieldDef& def = schema_.at(f);
    int found = -1;
    if (!opt.caseInsensitive && !opt.partialKey && def.type == FieldType::Text && def.width > 1) {
        Index* ix = indexFor(f);
        const TextIndex::Holders* held = ix->find(value);
        if (!held)
            return -1;
        const TextIndex::Holders& holders = *held;
        // A text held by one record (most names): that record, whoever is preferred.
        if (holders.more.empty())
            return passes(*holders.first) ? holders.first->pos : -1;
        if (hasPreferred) {
            const Record& c = *recs_[static_cast<size_t>(preferred)];
            if (passes(c) && matches(c))
                return preferred;
        }
        holders.forEach([&](Record* r) {
            if ((found < 0 || r->pos < found) && passes(*r))
                found = r->pos;
        });
    } else {
        if (hasPreferred) {
            const Record& c = *recs_[static_cast<size_t>(preferred)];
            if (passes(c) && matches(c))
                return preferred;
        }
        for (int p = 0; p < recordCount(); ++p) {
            const Record& r = *recs_[static_cast<size_t>(p)];
            if (passes(r) && matches(r)) {
                found = p;
                break;
            }
        }
    }
    return found;
}

bool RecordTable::textsDistinct(int f) {
    if (f < 0 || f >= schema_.count() || schema_.at(f).type != FieldType::Text)
        return false;
    return !indexFor(f)->hasSharedTexts();
}

const Record* RecordTable::soleHolder(int f, const QString& text) {
    postPending();
    if (f < 0 || f >= schema_.count() || schema_.at(f).type != FieldType::Text)
        return nullptr;
    const TextIndex::Holders* held = indexFor(f)->find(text);
    return held && held->more.empty() ? held->first : nullptr;
}

bool RecordTable::holdsText(int f, const QString& value, Bookmark except) const {
    if (f < 0 || f >= schema_.count())
        return false;
    if (const Index* ix = indexes_[static_cast<size_t>(f)].get()) {
        const TextIndex::Holders* held = ix->find(value);
        bool other = false;
        if (held)
            held->forEach([&](const Record* r) { other = other || r->id != except; });
        return other;
    }
    for (const auto& r : recs_)
        if (r->id != except && textViewOf(*r, f) == value)
            return true;
    return false;
}

bool RecordTable::locate(int f, qint32 value) {
    postPending();
    if (f < 0 || f >= schema_.count() || recs_.empty())
        return false;
    auto matches = [&](const Record& r) {
        const auto v = integerOf(r, f);
        return v && *v == value;
    };
    if (cur_ >= 0) {
        const Record& c = *recs_[static_cast<size_t>(cur_)];
        if (passes(c) && matches(c))
            return true;
    }
    for (int p = 0; p < recordCount(); ++p) {
        const Record& r = *recs_[static_cast<size_t>(p)];
        if (passes(r) && matches(r)) {
            moveTo(p);
            bof_ = eof_ = false;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- sort

std::vector<int> RecordTable::sortKeys(const QString& fieldList) const {
    std::vector<int> keys;
    for (const QString& name : fieldList.split(u';', Qt::SkipEmptyParts)) {
        const int f = fieldIndex(name.trimmed());
        if (f >= 0)
            keys.push_back(f);
    }
    return keys;
}

void RecordTable::prepareSort(const QString& fieldList) {
    postPending();
    const std::vector<int> keys = sortKeys(fieldList);
    if (keys.empty() || recs_.size() < 2 || orders_.has(keys))
        return;
    bool ties = false;
    const std::vector<size_t> order = sortedOrder(recs_, keys, &ties);
    if (ties)
        return;
    std::vector<Record*> records;
    records.reserve(order.size());
    for (size_t i : order)
        records.push_back(recs_[i].get());
    orders_.remember(keys, std::move(records));
}

std::vector<const Record*> RecordTable::sortedOn(int f) {
    const std::vector<int> keys{f};
    std::vector<Record*> records;
    if (auto known = orders_.orderFor(keys, recs_.size())) {
        records = std::move(*known);
    } else {
        bool ties = false;
        const std::vector<size_t> order = sortedOrder(recs_, keys, &ties);
        records.reserve(order.size());
        for (size_t i : order)
            records.push_back(recs_[i].get());
        if (!ties && records.size() > 1)
            orders_.remember(keys, records);
    }
    return {records.begin(), records.end()};
}

void RecordTable::sort(const QString& fieldList) {
    postPending();
    const std::vector<int> keys = sortKeys(fieldList);
    if (keys.empty() || recs_.size() < 2)
        return;
    const Record* curRec = current();
    std::vector<std::unique_ptr<Record>> sorted;
    sorted.reserve(recs_.size());
    if (const auto known = orders_.orderFor(keys, recs_.size())) {
        for (Record* r : *known)
            sorted.push_back(std::move(recs_[static_cast<size_t>(r->pos)]));
    } else {
        bool ties = false;
        const std::vector<size_t> order = sortedOrder(recs_, keys, &ties);
        for (size_t i : order)
            sorted.push_back(std::move(recs_[i]));
        if (!ties) {
            std::vector<Record*> records;
            records.reserve(sorted.size());
            for (const auto& r : sorted)
                records.push_back(r.get());
            orders_.remember(keys, std::move(records));
        }
    }
    recs_ = std::move(sorted);
    renumber(0);
    if (curRec)
        cur_ = curRec->pos;
    structureChanged();
}

// ---------------------------------------------------------------- filter

void RecordTable::setFilter(Predicate p) {
    filter_ = std::move(p);
    if (filtered_)
        refilter();
}

void RecordTable::setFiltered(bool on) {
    postPending();
    if (filtered_ == on)
        return;
    filtered_ = on;
    refilter();
}

void RecordTable::refilter() {
    postPending();
    visibleDirty_ = true;
    structureChanged();
    first();
}

const std::vector<int>& RecordTable::visiblePositions() const {
    if (visibleDirty_) {
        visible_.clear();
        visible_.reserve(recs_.size());
        for (const auto& r : recs_)
            if (passes(*r))
                visible_.push_back(r->pos);
        visibleDirty_ = false;
    }
    return visible_;
}

int RecordTable::currentRow() const {
    if (cur_ < 0)
        return -1;
    const auto& v = visiblePositions();
    auto it = std::lower_bound(v.begin(), v.end(), cur_);
    if (it == v.end() || *it != cur_)
        return -1;
    return static_cast<int>(it - v.begin());
}

// ---------------------------------------------------------------- bookmarks

bool RecordTable::bookmarkValid(Bookmark b) const {
    if (b == 0)
        return false;
    for (const auto& r : recs_)
        if (r->id == b)
            return true;
    return false;
}

bool RecordTable::gotoBookmark(Bookmark b) {
    postPending();
    if (b == 0)
        return false;
    if (cur_ >= 0 && recs_[static_cast<size_t>(cur_)]->id == b)
        return true;
    for (const auto& r : recs_)
        if (r->id == b) {
            moveTo(r->pos);
            bof_ = eof_ = false;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------- notifications

void RecordTable::disableControls() {
    ++suspend_;
}

void RecordTable::enableControls() {
    if (suspend_ == 0)
        return;
    if (--suspend_ > 0)
        return;
    if (pendingReset_) {
        pendingReset_ = false;
        emit reset();
    }
    if (pendingCurrent_) {
        pendingCurrent_ = false;
        emit currentChanged();
    }
}

void RecordTable::structureChanged() {
    visibleDirty_ = true;
    if (suspend_ > 0)
        pendingReset_ = true;
    else
        emit reset();
}

void RecordTable::recordTouched(int pos) {
    if (suspend_ > 0)
        pendingReset_ = true;
    else
        emit recordChanged(pos);
}
