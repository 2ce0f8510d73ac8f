#include "model/shopping_commands.h"

#include "model/platform.h"
#include "model/read_ahead.h"
#include "model/regional_settings.h"
#include "model/text_compare.h"

#include <QSet>
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace {

// Suspends the refresh of the views of some tables for the lifetime of the guard.
class SuspendRefresh {
public:
    SuspendRefresh(std::initializer_list<RecordTable*> tables) : tables_(tables) {
        for (RecordTable* t : tables_)
            t->disableControls();
    }
    ~SuspendRefresh() {
        for (RecordTable* t : tables_)
            t->enableControls();
    }
    SuspendRefresh(const SuspendRefresh&) = delete;
    SuspendRefresh& operator=(const SuspendRefresh&) = delete;

private:
    std::vector<RecordTable*> tables_;
};

// Puts a table's current record back when the guard goes (when that record still exists).
// Declared after a SuspendRefresh, it runs first, so the views see only the final position.
class KeepCurrent {
public:
    explicit KeepCurrent(RecordTable& t) : t_(t), mark_(t.bookmark()) {}
    ~KeepCurrent() {
        if (mark_ != 0)
            t_.gotoBookmark(mark_);
    }
    KeepCurrent(const KeepCurrent&) = delete;
    KeepCurrent& operator=(const KeepCurrent&) = delete;

private:
    RecordTable& t_;
    RecordTable::Bookmark mark_;
};

// The current record when the table shows it (a record that left the filter after an edit
// may still hold the cursor; gestures do not act on it).
const Record* shownCurrent(const RecordTable& t) {
    const Record* r = t.current();
    return r && t.passes(*r) ? r : nullptr;
}

// A text field's stored value, read in place: the walks read many of them and copying each
// would touch its shared data. Empty for a null field.
const QString& textRef(const Record& r, int f) {
    static const QString kEmpty;
    const auto* s = std::get_if<QString>(&r.values[static_cast<size_t>(f)]);
    return s ? *s : kEmpty;
}

// Whether `name`, its letters a to z folded to capitals, contains `foldedKey` (already folded
// so), without making the folded copy.
bool containsFoldAZ(QStringView name, QStringView foldedKey) {
    const qsizetype n = foldedKey.size();
    for (qsizetype at = 0; at + n <= name.size(); ++at)
        if (text::equalFoldAZ(name.sliced(at, n), foldedKey))
            return true;
    return false;
}

// Positions of the records a walk sees, taken once at its start: every record while the table
// is unfiltered (listing them through the table would read each record once more for nothing),
// else those that pass the filter.
std::vector<int> shownPositions(const RecordTable& t) {
    if (!t.filtered()) {
        std::vector<int> all(static_cast<size_t>(t.recordCount()));
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
    return t.visiblePositions();
}

bool isYes(const Record& r, int f) {
    return textRef(r, f) == Flag::Yes;
}
bool isListed(const Record& r) {
    return textRef(r, Cat::color) == Flag::Listed;
}

qint32 quantityOf(const Record& row) {
    return RecordTable::integerOf(row, Lst::unite_vente).value_or(0);
}

constexpr qint32 kMaxQuantity = std::numeric_limits<qint16>::max();

// Leading and trailing blanks (and control characters) of the search box's text.
QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= u' ')
        ++b;
    while (e > b && s.at(e - 1).unicode() <= u' ')
        --e;
    return s.mid(b, e - b);
}

// Does a product qualify for a colour state's block add?
bool qualifies(int tag, const Record& product, const GestureContext& ctx) {
    if (tag == 1)
        return isYes(product, Cat::prevu);
    const reminder::State s =
        reminder::state(reminder::fromCatalogue(product), ctx.today, ctx.coefDelai);
    if (tag == 2)
        return s == reminder::State::Due;
    return s != reminder::State::None;
}

// The list field that tells whether a row carries a panel's code.
int panelField(int tag) {
    return tag == 1 ? Lst::Prevu : Lst::Rappel;
}

// Does a list row carry a panel's code (block removal)?
bool rowMatchesPanel(int tag, const Record& row) {
    const QString& code = textRef(row, panelField(tag));
    switch (tag) {
    case 1:
        return code == Flag::Yes;
    case 2:
        return code != Flag::No;
    case 3:
        return code == Flag::Window;
    default:
        return false;
    }
}

// Validation of one bought product: the planned flag is cleared and a reminder inside its window
// or due restarts (from its due date, or from today when due). Leaves the cursor on it when it
// changed.
void validateProductAt(RecordTable& cat, int pos, const GestureContext& ctx) {
    const Record& product = cat.recordAt(pos);
    const bool planned = isYes(product, Cat::prevu);
    const reminder::Inputs in = reminder::fromCatalogue(product);
    if (!planned && !in.active)
        return; // nothing to change
    cat.setCurrentPos(pos);
    if (planned)
        cat.setText(Cat::prevu, Flag::No);
    if (in.active) {
        const QDate due = reminder::dueDate(in);
        const int w = reminder::window(in.period, ctx.coefDelai);
        if (ctx.today >= due.addDays(-w))
            cat.setDate(Cat::date_dern_achat, due);
        if (ctx.today >= due)
            cat.setDate(Cat::date_dern_achat, ctx.today);
    }
    cat.post();
}

} // namespace

// ---------------------------------------------------------------- colour states

namespace colour {

State catalogueState(const Record& product, QDate today, int coefDelai) {
    if (isYes(product, Cat::prevu))
        return State::Planned;
    switch (reminder::state(reminder::fromCatalogue(product), today, coefDelai)) {
    case reminder::State::Due:
        return State::Due;
    case reminder::State::Window:
        return State::Window;
    case reminder::State::None:
        break;
    }
    return State::None;
}

State listState(const Record& row) {
    if (isYes(row, Lst::Prevu))
        return State::Planned;
    const QString& rappel = textRef(row, Lst::Rappel);
    if (rappel == Flag::Yes)
        return State::Due;
    if (rappel == Flag::Window)
        return State::Window;
    return State::None;
}

QDate pickerMinimum() {
    return QDate(1752, 9, 14);
}
QDate pickerMaximum() {
    return QDate(9999, 12, 31);
}

SheetInfo sheetFor(const Record& product, QDate today, int coefDelai) {
    SheetInfo info;
    info.strip = catalogueState(product, today, coefDelai);
    info.caption = RecordTable::textOf(product, Cat::color);
    const reminder::Inputs in = reminder::fromCatalogue(product);
    const QDate due = reminder::dueDate(in);
    // A product never bought has no due date worth showing (it would fall in 1899): the
    // picker then opens on today, as for a date out of its range.
    const bool shown = in.lastPurchase.isValid() && due.isValid() && due >= pickerMinimum() &&
                       due <= pickerMaximum();
    info.pickerDate = shown ? due : today;
    return info;
}

} // namespace colour

// ---------------------------------------------------------------- names of the undo steps

namespace undoName {

QString panelCaption(int tag) {
    switch (tag) {
    case 1:
        return QString::fromUtf8("Prévu");
    case 2:
        return QStringLiteral("Rappel");
    default:
        return QStringLiteral("Rappel(+)");
    }
}

QString blockAdd(int tag) {
    return QStringLiteral("Ajout en bloc ") + panelCaption(tag);
}

QString blockRemove(int tag) {
    return QStringLiteral("Retrait en bloc ") + panelCaption(tag);
}

QString stateDrop(int tag) {
    return QString::fromUtf8("Dépôt sur ") + panelCaption(tag);
}

} // namespace undoName

// ---------------------------------------------------------------- texts

void ShoppingCommands::prepareLookups() {
    SuspendRefresh suspend{&d_.catalogue, &d_.list};
    KeepCurrent keepCat(d_.catalogue);
    KeepCurrent keepList(d_.list);
    // A search for the empty name builds the index whatever it finds.
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    cat.locate(Cat::Produit, QString());
    // The rows' names share the storage of their products' names: the many searches of a row
    // by its product's name, or of a product by its row's, then compare them without reading.
    // Finding them also leaves each row its product for the walks to come.
    const RowProducts::Finder products = d_.rowProducts.finder(cat, lst);
    int partner = -1;
    for (int pos = 0; pos < lst.recordCount(); ++pos)
        if (const Record* product = products.shownProductOf(lst.recordAt(pos), partner))
            lst.shareText(pos, Lst::Produit, textRef(*product, Cat::Produit));
    lst.locate(Lst::Produit, QString());
    // The orders of the two titles, so that the first click on one only puts records in place.
    for (RecordTable* t : {&cat, &lst})
        for (SortColumn c : {SortColumn::Rayon, SortColumn::Produit})
            t->prepareSort(titleSortFields(c));
}

QString ShoppingCommands::fullListCaption() {
    return QString::fromUtf8("Liste complète");
}

QString ShoppingCommands::validationQuestion() {
    return QString::fromUtf8("La validation implique l'emploi de la liste ce jour.\r\n"
                             "Pour les produits retenus, les échéances seront\r\n"
                             " recalculées à partir d'aujourd'hui\r\n"
                             "\r\n"
                             "Validez-vous la liste ?");
}

QString ShoppingCommands::validationTitle() {
    return QStringLiteral("Confirmation");
}

// ---------------------------------------------------------------- tree, filter, sorting, search

QString ShoppingCommands::filterCaption() const {
    if (!d_.shopFilterOn())
        return fullListCaption();
    if (d_.selection.level == 1)
        return d_.selection.sector + QStringLiteral(" / ") + d_.selection.aisle;
    return d_.selection.sector;
}

void ShoppingCommands::treePress(int level, const QString& nodeText, const QString& parentText) {
    ShopSelection& sel = d_.selection;
    sel.level = level;
    sel.aisle.clear();
    sel.sector = nodeText;
    if (level == 1) {
        sel.aisle = nodeText;
        sel.sector = parentText;
    }
    if (d_.shopFilterOn()) {
        d_.reapplyShopFilter(); // both tables go to their first record under the new selection
        totalClick();
        d_.setListLabel(filterCaption());
        return;
    }
    if (level == 0)
        d_.catalogue.locate(Cat::Secteur, sel.sector);
    else
        d_.catalogue.locate(Cat::Rayon, sel.aisle);
}

ShoppingCommands::FilterOutcome ShoppingCommands::setShopFilter(bool on) {
    FilterOutcome out;
    // Without any node there is nothing to filter on: the request is refused.
    if (on && d_.tree.isEmpty()) {
        out.filterOn = d_.shopFilterOn();
        return out;
    }
    if (d_.selection.sector.isEmpty() && !d_.tree.isEmpty()) {
        d_.selection.sector = d_.tree.roots().front().text;
        out.selectFirstNode = true;
    }
    const bool wasOn = d_.shopFilterOn();
    d_.setShopFilter(on); // switching it on filters both tables
    if (on && wasOn)
        d_.reapplyShopFilter(); // the selection may have changed while the filter was on
    d_.setListLabel(filterCaption());
    d_.catalogue.first();
    d_.list.first();
    totalClick();
    out.filterOn = d_.shopFilterOn();
    return out;
}

QString ShoppingCommands::titleSortFields(SortColumn column) {
    return column == SortColumn::Rayon ? QStringLiteral("Secteur;Rayon;Produit")
                                       : QStringLiteral("Produit");
}

void ShoppingCommands::sortByTitle(SortColumn column) {
    const QString fields = titleSortFields(column);
    d_.catalogue.sort(fields);
    d_.list.sort(fields);
    d_.list.first();
}

bool ShoppingCommands::showListRowProduct() {
    const Record* row = shownCurrent(d_.list);
    if (!row)
        return false;
    return locatePartner(RecordTable::textOf(*row, Lst::Produit));
}

// A name that begins with a text begins with every beginning of it: when no name shown began
// with an earlier text, none begins with that text lengthened, as long as no product changed
// and the filter shows the same ones. Typing on after a miss then costs no walk over the
// catalogue, which is what most keystrokes cost when nothing begins so.
bool ShoppingCommands::missedAlready(const QString& typed) const {
    const RecordTable& cat = d_.catalogue;
    return !missed_.typed.isEmpty() && typed.startsWith(missed_.typed) &&
           missed_.catalogueVersion == cat.contentVersion() && missed_.filtered == cat.filtered() &&
           (!cat.filtered() || missed_.selection == d_.selection);
}

bool ShoppingCommands::searchBeginsWith(const QString& typed) {
    RecordTable& cat = d_.catalogue;
    if (missedAlready(typed)) {
        cat.post(); // as the search would have
        return false;
    }
    LocateOptions opt;
    opt.caseInsensitive = true;
    opt.partialKey = true;
    if (cat.locate(Cat::Produit, typed, opt))
        return true;
    // Case folding pairs the halves of a character outside the basic plane: a text ending in a
    // first half is no beginning to build on.
    if (!typed.isEmpty() && !typed.back().isHighSurrogate())
        missed_ = {typed, cat.contentVersion(), cat.filtered(), d_.selection};
    return false;
}

std::optional<QStringList> ShoppingCommands::searchItems(const QString& typed) const {
    const QString key = text::foldAZ(trimBlanks(typed));
    if (key.isEmpty())
        return std::nullopt;
    // The names in the order of a sort on them, which the catalogue remembers between
    // searches; only the shown ones that hold the text are kept.
    RecordTable& cat = d_.catalogue;
    std::vector<bool> shown;
    if (cat.filtered()) {
        shown.assign(static_cast<size_t>(cat.recordCount()), false);
        for (int pos : cat.visiblePositions())
            shown[static_cast<size_t>(pos)] = true;
    }
    QStringList items;
    for (const Record* r : cat.sortedOn(Cat::Produit)) {
        if (!shown.empty() && !shown[static_cast<size_t>(r->pos)])
            continue;
        const QString& name = textRef(*r, Cat::Produit);
        if (containsFoldAZ(name, key))
            items << name;
    }
    return items;
}

// ---------------------------------------------------------------- moving products

bool ShoppingCommands::locatePartner(const QString& produit) {
    return d_.catalogue.locate(Cat::Produit, produit);
}

void ShoppingCommands::addRow(const GestureContext& ctx, ListTotal& total) {
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    const Record& product = *cat.current();
    lst.append();
    lst.setValue(Lst::Secteur, product.values[Cat::Secteur]);
    lst.setValue(Lst::Rayon, product.values[Cat::Rayon]);
    lst.setValue(Lst::Produit, product.values[Cat::Produit]);
    lst.setInteger(Lst::unite_vente, 1);
    lst.setValue(Lst::Prevu, product.values[Cat::prevu]);
    lst.setText(Lst::Rappel,
                reminder::listRowCode(reminder::fromCatalogue(product), ctx.today, ctx.coefDelai));
    lst.post();
    cat.setText(Cat::color, Flag::Listed);
    cat.post();
    total.price += cat.money(Cat::Prix);
    total.units += 1;
}

ShoppingCommands::AddResult ShoppingCommands::addOne(const GestureContext& ctx) {
    UndoStep step(d_.history, QStringLiteral("Ajout"));
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    const Record* product = shownCurrent(cat);
    if (!product)
        return AddResult::Nothing;
    if (!lst.locate(Lst::Produit, textRef(*product, Cat::Produit))) {
        // A new row with quantity 1, the product marked "X", the total one unit more.
        ListTotal t = d_.total();
        addRow(ctx, t);
        d_.setTotal(t);
        d_.setModified();
        return AddResult::Added;
    }
    const qint32 q = lst.integer(Lst::unite_vente);
    if (q >= kMaxQuantity)
        return AddResult::AtMaximum; // the 16-bit quantity cannot grow further
    lst.setInteger(Lst::unite_vente, q + 1);
    lst.post();
    ListTotal t = d_.total();
    t.price += cat.money(Cat::Prix);
    t.units += 1;
    d_.setTotal(t);
    d_.setModified();
    return AddResult::Incremented;
}

ShoppingCommands::RemoveResult ShoppingCommands::removeOne() {
    UndoStep step(d_.history, QStringLiteral("Retrait"));
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    const Record* row = shownCurrent(lst);
    if (!row)
        return RemoveResult::Nothing;
    const QString produit = RecordTable::textOf(*row, Lst::Produit);
    const qint32 q = quantityOf(*row);
    RemoveResult result;
    if (locatePartner(produit)) {
        const Money price = cat.money(Cat::Prix);
        ListTotal t = d_.total();
        if (q - 1 <= 0) {
            // The row leaves the total with what it brought to it (q units, q being 1 unless
            // a file brought in a null or non-positive quantity).
            t.price -= price * q;
            t.units -= q;
            lst.remove();
            cat.setText(Cat::color, Flag::NotListed);
            cat.post();
            result = RemoveResult::RowDeleted;
        } else {
            t.price -= price;
            t.units -= 1;
            lst.setInteger(Lst::unite_vente, q - 1);
            lst.post();
            result = RemoveResult::Decremented;
        }
        d_.setTotal(t);
    } else {
        lst.remove(); // it counted for nothing in the total
        result = RemoveResult::OrphanDeleted;
    }
    d_.setModified();
    return result;
}

bool ShoppingCommands::emptyList() {
    UndoStep step(d_.history, QStringLiteral("Annule"));
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    const std::vector<int> shown = shownPositions(cat);
    const bool anyListed = std::any_of(shown.begin(), shown.end(),
                                       [&](int pos) { return isListed(cat.recordAt(pos)); });
    if (!anyListed)
        return false;
    {
        SuspendRefresh suspend{&cat, &lst};
        KeepCurrent keep(cat);
        read_ahead::walk(cat, shown, Cat::color, [&](int pos) {
            if (textRef(cat.recordAt(pos), Cat::color) == Flag::NotListed)
                return;
            cat.setCurrentPos(pos);
            cat.setText(Cat::color, Flag::NotListed);
            cat.post();
        });
        if (lst.filtered())
            lst.removeIf([&lst](const Record& r) { return lst.passes(r); });
        else
            lst.empty();
    }
    d_.setTotal({});
    d_.setModified();
    return true;
}

int ShoppingCommands::blockAdd(int tag, const GestureContext& ctx) {
    UndoStep step(d_.history, undoName::blockAdd(tag));
    if (tag < 1 || tag > 3)
        return 0;
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    const std::vector<int> shown = shownPositions(cat);
    const int flagField = tag == 1 ? Cat::prevu : Cat::Rappel;
    if (std::none_of(shown.begin(), shown.end(),
                     [&](int pos) { return isYes(cat.recordAt(pos), flagField); }))
        return 0;
    int added = 0;
    ListTotal t = d_.total();
    {
        SuspendRefresh suspend{&cat, &lst};
        KeepCurrent keep(cat);
        read_ahead::walk(cat, shown, flagField, [&](int pos) {
            const Record& product = cat.recordAt(pos);
            // Most products fail the colour state's test: taking it first leaves the listed
            // mark, on another cache line of the record, unread for them.
            if (!qualifies(tag, product, ctx) || isListed(product))
                return;
            cat.setCurrentPos(pos);
            addRow(ctx, t);
            ++added;
        });
    }
    if (added > 0) {
        d_.setTotal(t);
        d_.setModified();
    }
    return added;
}

int ShoppingCommands::blockRemove(int tag) {
    UndoStep step(d_.history, undoName::blockRemove(tag));
    if (tag < 1 || tag > 3)
        return 0;
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    int removed = 0;
    {
        SuspendRefresh suspend{&cat, &lst};
        KeepCurrent keepList(lst);
        KeepCurrent keep(cat);
        // Rows are collected first (by position: the list does not change meanwhile) and
        // deleted in one pass.
        std::vector<char> doomed(static_cast<size_t>(lst.recordCount()), 0);
        int doomedCount = 0;
        auto doom = [&](int row, int product) {
            doomed[static_cast<size_t>(row)] = 1;
            ++doomedCount;
            cat.setCurrentPos(product);
            cat.setText(Cat::color, Flag::NotListed);
            cat.post();
        };
        if (cat.textsDistinct(Cat::Produit) && lst.textsDistinct(Lst::Produit)) {
            // Each name belongs to one product and one row at most: walking the rows, fewer
            // than the products, finds the same pairs.
            const RowProducts::Finder products = d_.rowProducts.finder(cat, lst);
            int partner = -1;
            products.walk(lst, shownPositions(lst), panelField(tag), Cat::color, [&](int row) {
                const Record& r = lst.recordAt(row);
                if (!rowMatchesPanel(tag, r))
                    return;
                const Record* product = products.shownProductOf(r, partner);
                if (product && isListed(*product))
                    doom(row, product->pos);
            });
        } else {
            // Each shown listed product's row is found as locating it would, the row found
            // before winning when it bears the name, without moving the list's cursor.
            const std::vector<int> shown = shownPositions(cat);
            int partner = lst.currentPos();
            for (const int pos : shown) {
                const Record& product = cat.recordAt(pos);
                if (!isListed(product))
                    continue;
                const int found =
                    lst.findPosition(Lst::Produit, textRef(product, Cat::Produit), partner);
                if (found < 0)
                    continue;
                partner = found;
                if (!doomed[static_cast<size_t>(found)] &&
                    rowMatchesPanel(tag, lst.recordAt(found)))
                    doom(found, pos);
            }
        }
        if (doomedCount > 0)
            removed = lst.removeIf(
                [&doomed](const Record& r) { return doomed[static_cast<size_t>(r.pos)] != 0; });
    }
    recomputeTotal();
    if (removed > 0)
        d_.setModified();
    return removed;
}

bool ShoppingCommands::deleteListRow() {
    UndoStep step(d_.history, QStringLiteral("Suppression de la ligne"));
    const Record* row = shownCurrent(d_.list);
    if (!row)
        return false;
    const QString produit = RecordTable::textOf(*row, Lst::Produit);
    d_.list.remove();
    if (locatePartner(produit)) {
        d_.catalogue.setText(Cat::color, Flag::NotListed);
        d_.catalogue.post();
    }
    recomputeTotal();
    d_.setModified();
    return true;
}

bool ShoppingCommands::deleteCatalogueRow() {
    UndoStep step(d_.history, QStringLiteral("Suppression du produit"));
    if (!shownCurrent(d_.catalogue))
        return false;
    d_.catalogue.remove();
    recomputeTotal();
    d_.setModified();
    return true;
}

// ---------------------------------------------------------------- list total

void ShoppingCommands::recomputeTotal() {
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    ListTotal t;
    {
        SuspendRefresh suspend{&cat, &lst};
        KeepCurrent keepList(lst);
        // Each row's product is found as locating it would (the product found for the row
        // before wins when it bears the name), without moving the catalogue's cursor, which
        // stays where it was.
        const RowProducts::Finder products = d_.rowProducts.finder(cat, lst);
        int partner = cat.currentPos();
        products.walk(lst, shownPositions(lst), Lst::unite_vente, Cat::Prix, [&](int pos) {
            const Record& row = lst.recordAt(pos);
            const Record* product = products.shownProductOf(row, partner);
            if (!product)
                return; // a row without its product counts for nothing
            const qint32 q = quantityOf(row);
            const double price = RecordTable::realOf(*product, Cat::Prix).value_or(0);
            t.price += Money::fromDoubleOrZero(price) * q;
            t.units += q;
        });
    }
    d_.setTotal(t);
}

void ShoppingCommands::totalClick() {
    recomputeTotal();
    if (const Record* row = shownCurrent(d_.list))
        locatePartner(RecordTable::textOf(*row, Lst::Produit));
}

// ---------------------------------------------------------------- marks and reminders

bool ShoppingCommands::togglePlanned() {
    UndoStep step(d_.history, QString::fromUtf8("Case Prévu"));
    const Record* product = shownCurrent(d_.catalogue);
    if (!product)
        return false;
    d_.catalogue.setText(Cat::prevu, isYes(*product, Cat::prevu) ? Flag::No : Flag::Yes);
    d_.catalogue.post();
    d_.setModified();
    return true;
}

bool ShoppingCommands::toggleReminder() {
    UndoStep step(d_.history, QStringLiteral("Rappel le"));
    const Record* product = shownCurrent(d_.catalogue);
    if (!product)
        return false;
    d_.catalogue.setText(Cat::Rappel, isYes(*product, Cat::Rappel) ? Flag::No : Flag::Yes);
    d_.catalogue.post();
    d_.setModified();
    return true;
}

bool ShoppingCommands::setDueDate(QDate p) {
    UndoStep step(d_.history, QStringLiteral("Date de rappel"));
    const Record* product = shownCurrent(d_.catalogue);
    if (!product || !p.isValid())
        return false;
    const qint32 period = RecordTable::integerOf(*product, Cat::Duree_rappel).value_or(0);
    d_.catalogue.setDate(Cat::date_dern_achat, p.addDays(-period));
    d_.catalogue.post();
    d_.setModified();
    return true;
}

bool ShoppingCommands::setStateByDrop(int tag, StateSource source, const GestureContext& ctx) {
    UndoStep step(d_.history, undoName::stateDrop(tag));
    if (tag < 1 || tag > 3)
        return false;
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    bool haveProduct = false;
    if (source == StateSource::ListRow) {
        const Record* row = shownCurrent(lst);
        if (!row)
            return false;
        // A row whose product has left the catalogue only gets its own code: no other
        // product may be touched in its place.
        haveProduct = locatePartner(RecordTable::textOf(*row, Lst::Produit));
        if (tag == 1)
            lst.setText(Lst::Prevu, Flag::Yes);
        else
            lst.setText(Lst::Rappel, tag == 2 ? Flag::Yes : Flag::Window);
        lst.post();
    } else {
        haveProduct = shownCurrent(cat) != nullptr;
        if (!haveProduct)
            return false;
    }
    if (haveProduct) {
        if (tag == 1) {
            cat.setText(Cat::prevu, Flag::Yes);
        } else {
            cat.setText(Cat::Rappel, Flag::Yes);
            const reminder::DropChange change = reminder::byDrop(
                tag == 2 ? reminder::DropMeaning::DueToday : reminder::DropMeaning::InWindow,
                reminder::fromCatalogue(*cat.current()), ctx.today, ctx.coefDelai);
            if (change.period)
                cat.setInteger(Cat::Duree_rappel, *change.period);
            if (change.lastPurchase)
                cat.setDate(Cat::date_dern_achat, *change.lastPurchase);
        }
        cat.post();
    }
    d_.setModified();
    return true;
}

bool ShoppingCommands::hasListedProduct() const {
    const RecordTable& cat = d_.catalogue;
    const std::vector<int> shown = shownPositions(cat);
    return std::any_of(shown.begin(), shown.end(),
                       [&](int pos) { return isListed(cat.recordAt(pos)); });
}

bool ShoppingCommands::validate(const GestureContext& ctx, const QString& longDate) {
    UndoStep step(d_.history, QStringLiteral("Valide"));
    if (!hasListedProduct())
        return false;
    RecordTable& cat = d_.catalogue;
    {
        SuspendRefresh suspend{&cat};
        KeepCurrent keep(cat);
        const std::vector<int> shown = shownPositions(cat);
        read_ahead::walk(cat, shown, Cat::color, [&](int pos) {
            if (isListed(cat.recordAt(pos)))
                validateProductAt(cat, pos, ctx);
        });
    }
    d_.validationText = QStringLiteral(" ") + longDate;
    d_.setModified();
    return true;
}

int ShoppingCommands::validatePurchased(const GestureContext& ctx, const QString& longDate,
                                        const QStringList& products) {
    const QSet<QString> bought(products.begin(), products.end());
    RecordTable& cat = d_.catalogue;
    RecordTable& lst = d_.list;
    int validated = 0;
    int removed = 0;
    {
        SuspendRefresh suspend{&cat, &lst};
        KeepCurrent keep(cat);
        for (int pos = 0; pos < cat.recordCount(); ++pos) {
            const Record& product = cat.recordAt(pos);
            if (!isListed(product) || !bought.contains(textRef(product, Cat::Produit)))
                continue;
            validateProductAt(cat, pos, ctx);
            cat.setCurrentPos(pos);
            cat.setText(Cat::color, Flag::NotListed);
            cat.post();
            ++validated;
        }
        removed = lst.removeIf(
            [&](const Record& row) { return bought.contains(textRef(row, Lst::Produit)); });
    }
    if (validated == 0 && removed == 0)
        return 0;
    if (validated > 0)
        d_.validationText = QStringLiteral(" ") + longDate;
    recomputeTotal();
    d_.setModified();
    return validated;
}

bool ShoppingCommands::validate(const GestureContext& ctx, const RegionalSettings& regional) {
    return validate(ctx, regional.longDate(ctx.today));
}

bool ShoppingCommands::validateAsking(const GestureContext& ctx, Platform& platform) {
    if (!hasListedProduct())
        return false;
    if (!platform.confirm(validationQuestion(), validationTitle()))
        return false;
    return validate(ctx, platform.regional());
}
