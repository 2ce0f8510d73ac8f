#pragma once

#include "model/money.h"
#include "model/remembered_orders.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

enum class FieldType { Text, SmallInt, Integer, Money, Date };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0; // characters, for text fields
    bool required = false;
};

// A field's value: null, or a value of the field's type. SmallInt and Integer hold qint32,
// Money holds the double of the price field.
using FieldValue = std::variant<std::monostate, QString, qint32, double, QDate>;

class TableSchema {
public:
    TableSchema() = default;
    explicit TableSchema(std::vector<FieldDef> fields) : fields_(std::move(fields)) {}
    int count() const { return static_cast<int>(fields_.size()); }
    const FieldDef& at(int i) const { return fields_[static_cast<size_t>(i)]; }
    // Index of the field named so, ignoring case; -1 when there is none.
    int indexOf(QStringView name) const;

private:
    std::vector<FieldDef> fields_;
};

// One record of a table. Positions and identities are managed by the table.
struct Record {
    quint64 id = 0;    // identity for bookmarks, never reused within a table
    int pos = 0;       // position in the table's present order
    quint32 stamp = 0; // the change journal's mark of the step that added the record
    std::vector<FieldValue> values;
    // A record of another table found for this one by name, and the version of the finding
    // (see RowProducts): remembered beside the record, never part of its content.
    mutable const Record* link = nullptr;
    mutable quint64 linkVersion = 0;
};

class RecordTable;

// A record out of its table, or to be taken out of it, with its position there: `owned` holds
// it while it is out.
struct HeldRecord {
    int pos = 0;
    Record* record = nullptr;
    std::unique_ptr<Record> owned;
};

// Receives every change of a table's records as it happens, so that it can be undone: a field
// written (with the value it held), records added, records taken out (handed over with their
// positions, in ascending order), and all records exchanged for others.
class RecordJournal {
public:
    virtual ~RecordJournal() = default;
    virtual void fieldWritten(RecordTable& table, Record* r, int f, const FieldValue& before) = 0;
    virtual void recordAdded(RecordTable& table, Record* r) = 0;
    virtual void recordsRemoved(RecordTable& table, std::vector<HeldRecord>&& gone) = 0;
    virtual void recordsReplaced(RecordTable& table) = 0;
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // the field begins with the value
};

// An ordered, typed, in-memory table with a cursor, an optional filter and change
// notifications, in the manner of a data set bound to grids.
//
// Records keep the order in which they were appended until sort() reorders them. The cursor
// stands on one record (or none when the table shows none); first/next walk the records that
// pass the filter while it is switched on. Field writes go straight to the current record; post()
// ends the edit and tells the views.
class RecordTable : public QObject {
    Q_OBJECT
public:
    enum class State { Browse, Edit, Insert };
    using Bookmark = quint64; // 0: no record
    using Predicate = std::function<bool(const Record&)>;

    explicit RecordTable(TableSchema schema, QObject* parent = nullptr);
    ~RecordTable() override;

    const TableSchema& schema() const { return schema_; }
    int fieldIndex(QStringView name) const { return schema_.indexOf(name); }

    // --- records, filter ignored
    int recordCount() const { return static_cast<int>(recs_.size()); }
    const Record& recordAt(int pos) const { return *recs_[static_cast<size_t>(pos)]; }
    void reserve(int n) { recs_.reserve(static_cast<size_t>(n)); }

    // --- cursor
    void first();
    void next();
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    // No record passes the filter (or there is none).
    bool isEmpty() const;
    bool hasCurrent() const { return cur_ >= 0; }
    int currentPos() const { return cur_; }
    const Record* current() const {
        return cur_ >= 0 ? recs_[static_cast<size_t>(cur_)].get() : nullptr;
    }
    // Moves the cursor to the record at a position (it must pass the filter to be reachable by
    // walks, but grids may put the cursor on any shown row). Posts a pending edit.
    void setCurrentPos(int pos);

    // --- editing
    State state() const { return state_; }
    // Adds an empty record at the end and makes it current, in insert state (a pending record
    // is posted first).
    void append();
    void edit();
    void post();
    void cancel();
    // Deletes the current record; the cursor moves to the next record shown, else the previous.
    void remove();
    // Deletes every record for which pred holds (filter ignored), in one pass.
    int removeIf(const std::function<bool(const Record&)>& pred);
    // Deletes all records.
    void empty();
    // Bulk filling of a table that no view shows yet (the list file reader): adds a record at the
    // end holding `values`, which the caller has already made valid for the fields (types, widths,
    // ranges; one value per field). The cursor and the views are not told: call first() or
    // swapRecords() afterwards.
    void appendLoaded(std::vector<FieldValue>&& values);

    // --- field access on the current record (no current record: null / no effect)
    bool isNull(int f) const;
    const FieldValue& value(int f) const;
    QString text(int f) const;
    qint32 integer(int f) const;
    double real(int f) const;
    Money money(int f) const;
    QDate date(int f) const;
    // Setters put a browsing record in edit state. Text is cut to the field's width (a
    // one-character field keeps the first character). Integers out of the field's range and
    // values of the wrong type are refused (false, nothing changes).
    bool setText(int f, const QString& v);
    bool setInteger(int f, qint64 v);
    bool setReal(int f, double v);
    bool setMoney(int f, Money v);
    bool setDate(int f, QDate v);
    bool setValue(int f, const FieldValue& v);
    void clear(int f);

    // Static helpers on a record's values.
    static QString textOf(const Record& r, int f);
    static std::optional<qint32> integerOf(const Record& r, int f);
    static std::optional<double> realOf(const Record& r, int f);
    static QDate dateOf(const Record& r, int f);

    // Makes the text stored at (pos, f) share the storage of `same` when both are equal, so
    // that comparing them later reads no code unit. Nothing a view could see changes. Returns
    // whether the text is shared now.
    bool shareText(int pos, int f, const QString& same);

    // --- searching
    // Makes current the record whose field equals the value: the current record wins when it
    // matches, otherwise the first match in present order among the records shown. Fails on
    // an empty table and leaves the cursor where it was. Posts a pending edit first.
    bool locate(int f, const QString& value, LocateOptions opt = {});
    // Where locate would put the cursor if it stood on the record at `preferred` (-1: none),
    // without moving it: -1 when nothing matches. A pending edit is posted, as by locate.
    // Lets a walk find many records by name and leave the cursor alone.
    int findPosition(int f, const QString& value, int preferred, LocateOptions opt = {});
    bool locate(int f, qint32 value);
    // Whether no two records hold the same text in the text field f (the filter ignored).
    bool textsDistinct(int f);
    // Whether a record other than the one of `except` holds exactly `value` in the text field f
    // (the filter ignored). Uses the field's index when a search built it, else reads every
    // record.
    bool holdsText(int f, const QString& value, Bookmark except = 0) const;

    // Sorts on fields separated by ";" ("Secteur;Rayon;Produit"), ascending, texts compared
    // without case; stable; the current record stays current. The orders found lately are
    // remembered while no record comes or goes and no key changes: sorting again on the same
    // fields (a click on one title, then on the other, then back) only puts the records back.
    void sort(const QString& fieldList);
    // Finds the order sort() would give and remembers it without moving any record, so that a
    // later sort on these fields only puts the records in place.
    void prepareSort(const QString& fieldList);
    // Every record, in the order a sort on the field `f` would give, none of them moved. The
    // order is remembered as sort() remembers its own, so asking again costs a copy.
    std::vector<const Record*> sortedOn(int f);

    // --- versions, for what is remembered about the table elsewhere
    // Changes whenever which record holds which text of field f may have changed: a record
    // added or taken out, all records exchanged, or field f written. No value is ever given
    // twice, even by two tables: an unchanged reading means none of that happened.
    quint64 holdersVersion(int f) const;
    // Changes whenever field f of a record is written or all records are exchanged.
    quint64 writesVersion(int f) const { return written_[static_cast<size_t>(f)]; }
    // Changes whenever a record is added or taken out, any field is written or all records are
    // exchanged.
    quint64 contentVersion() const;
    // The record holding exactly `text` in the text field f, the filter ignored; nullptr when
    // none or several do. A pending edit is posted first, as by locate.
    const Record* soleHolder(int f, const QString& text);

    // --- filter
    void setFilter(Predicate p);
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    // The predicate's inputs changed: re-applies the filter (the cursor goes to the first record).
    void refilter();
    bool passes(const Record& r) const { return !filtered_ || !filter_ || filter_(r); }
    // Positions of the records shown, in order (all of them when unfiltered).
    const std::vector<int>& visiblePositions() const;
    // Row of the current record among those shown; -1 when it is not shown.
    int currentRow() const;

    // --- bookmarks
    Bookmark bookmark() const { return cur_ >= 0 ? recs_[static_cast<size_t>(cur_)]->id : 0; }
    bool bookmarkValid(Bookmark b) const;
    bool gotoBookmark(Bookmark b);

    // --- refresh of the views
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return suspend_ > 0; }

    // --- change journal: what the table reports changes to, and how they are taken back
    void setJournal(RecordJournal* journal) { journal_ = journal; }
    // Exchanges the value of field f of a record of the table with `v`.
    void exchangeValue(Record* r, int f, FieldValue& v);
    // Puts records back at their positions (ascending), taking them from `held`.
    void restoreRecords(std::vector<HeldRecord>& held);
    // Takes records out into `held`, noting their present positions (sorted ascending).
    void withdrawRecords(std::vector<HeldRecord>& held);
    // Makes a record current (none: no current record). A pending edit is posted.
    void restoreCurrent(const Record* r);
    bool holds(const Record* r) const {
        return r && r->pos >= 0 && r->pos < recordCount() &&
               recs_[static_cast<size_t>(r->pos)].get() == r;
    }

    // Exchanges all records with another table of the same schema (used to swap in a table
    // read from a file only once reading succeeded). The cursor goes to the first record.
    void swapRecords(RecordTable& other);

signals:
    // The set, order or content of records changed in a way views must re-read whole.
    void reset();
    // One record's values changed (pos is its position).
    void recordChanged(int pos);
    // The cursor moved to another record.
    void currentChanged();

private:
    struct Index;

    void postPending();
    void moveTo(int pos);
    int firstVisibleFrom(int pos) const;
    int lastVisibleBefore(int pos) const;
    void structureChanged();
    void recordTouched(int pos);
    void renumber(int from);
    void indexRemove(Record* r);
    void indexInsert(Record* r);
    void indexUpdate(Record* r, int f, const QString& oldText, const QString& newText);
    Index* indexFor(int f);
    void emitCurrentIfMoved(quint64 before);
    static quint64 freshVersion();
    void bumpRecords() { records_ = freshVersion(); }
    void bumpWrites(int f) { written_[static_cast<size_t>(f)] = freshVersion(); }
    std::vector<int> sortKeys(const QString& fieldList) const;

    TableSchema schema_;
    std::vector<std::unique_ptr<Record>> recs_;
    quint64 nextId_ = 1;
    int cur_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    State state_ = State::Browse;
    // Original values of the fields changed since edit(), for cancel().
    std::vector<std::pair<int, FieldValue>> backup_;
    Predicate filter_;
    bool filtered_ = false;
    mutable std::vector<int> visible_;
    mutable bool visibleDirty_ = true;
    int suspend_ = 0;
    bool pendingReset_ = false;
    bool pendingCurrent_ = false;
    std::vector<std::unique_ptr<Index>> indexes_; // per field, built on first exact locate
    RememberedOrders orders_;
    RecordJournal* journal_ = nullptr;
    quint64 records_ = 0;          // version of the set of records
    std::vector<quint64> written_; // per field, version of its writes
};
