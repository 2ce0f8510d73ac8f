#pragma once

#include "model/reminder.h"
#include "model/shopping_data.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class Platform;
class RegionalSettings;

// The day a command runs on and the reminder tolerance (Coef_delai, tenths of the period)
// in force: everything that decides a reminder state needs both.
struct GestureContext {
    QDate today;
    int coefDelai = 3;
};

// ---------------------------------------------------------------- colour states

// The colour a state cell takes. Each state is drawn with its panel's current colour
// (Planned: cpanel1 "Prévu", Due: cpanel2 "Rappel", Window: cpanel3 "Rappel(+)"). None means
// the window system's button face: rows in no state show it, and so does the highlighted row
// when it is in no state (the highlighted row never shows the selection colour in that column).
namespace colour {

enum class State { None, Window, Due, Planned };

// First column of the catalogue grid (field color). Planned beats due, due beats window.
State catalogueState(const Record& product, QDate today, int coefDelai);
// First column of the list grid (field Color), from the row's own snapshot codes: Prevu "O"
// planned, Rappel "O" due, Rappel "P" window, with the same precedence.
State listState(const Record& row);

// Earliest and latest dates the product sheet's date picker can show.
QDate pickerMinimum();
QDate pickerMaximum();

// What the product sheet shows for the highlighted catalogue product: the colour strip takes
// the cell's state and the cell's text (the color value, "X" or " ") as caption; the date
// picker shows the due date, or today when the product has no purchase date or the due date is
// out of the picker's range.
struct SheetInfo {
    State strip = State::None;
    QString caption;
    QDate pickerDate;
};
SheetInfo sheetFor(const Record& product, QDate today, int coefDelai);

} // namespace colour

// ---------------------------------------------------------------- names of the undo steps

// What the "Edition" menu calls the colour gestures, from the panels' designed captions
// ("Prévu", "Rappel", "Rappel(+)" for tags 1 to 3).
namespace undoName {
QString panelCaption(int tag);
QString blockAdd(int tag);    // "Ajout en bloc Prévu"
QString blockRemove(int tag); // "Retrait en bloc Prévu"
QString stateDrop(int tag);   // "Dépôt sur Prévu"
} // namespace undoName

// ---------------------------------------------------------------- commands

// The effect on the data of every shopping gesture of the main window: tree and filter,
// sorting, search box, putting products on the list and taking them off, block moves of the
// colour states, the list total, the product marks and validation. The window's handlers call
// these and then deal with focus, repainting and message boxes.
//
// Every walk over a table suspends the refresh of the tables concerned, sees only the records
// that pass the shop filter, and puts the walked table's current record back afterwards. Every
// change of the data sets the modified flag; the list total is published through
// ShoppingData::setTotal (signal totalChanged).
class ShoppingCommands {
public:
    explicit ShoppingCommands(ShoppingData& data) : d_(data) {}

    ShoppingData& data() { return d_; }

    // After a list file was read: builds the name lookups of both tables (the partner searches
    // of every gesture use them) and finds the orders of the two sorting titles, so that the
    // first gestures do not pay for them. The current records stay.
    void prepareLookups();

    // Texts shown by the window.
    static QString fullListCaption();    // "Liste complète"
    static QString validationQuestion(); // the confirmation asked before validation
    static QString validationTitle();    // title of that box

    // ------------------------------------------------------------ tree, filter, sorting, search

    // The caption of the list (lbl_eliste) for the present filter and selection: "Liste
    // complète" with the filter off, else the sector, or sector + " / " + aisle on an aisle.
    QString filterCaption() const;

    // TreeView1MouseDown: a press on a tree node of the given level (0 sector, 1 aisle); parentText
    // is the sector of an aisle node. With the filter on both tables go to their first record, the
    // total is recomputed (as the "Total" button) and the caption follows; with it off the
    // catalogue moves to the first product of the sector (level 0) or of the aisle name (level 1).
    void treePress(int level, const QString& nodeText, const QString& parentText = QString());

    // What the window must do after a request to switch the shop filter.
    struct FilterOutcome {
        bool filterOn = false;        // state the button and the menu item must show now
        bool selectFirstNode = false; // select and focus the tree's node 0, collapse every node
    };
    // spd_btn_filtreClick: switches the shop filter. When no sector was chosen yet, the tree's
    // first sector is taken. Both tables go to their first record, the caption follows and the
    // total is recomputed (as the "Total" button). Asked to switch on while the tree has no node at
    // all, it does nothing and answers filterOn false: the button must come back up.
    FilterOutcome setShopFilter(bool on);

    // RxDBGrid1TitleBtnClick on the Rayon or Produit title: both tables sorted, each keeping its
    // current record, then the list goes to its first record.
    enum class SortColumn { Rayon, Produit };
    void sortByTitle(SortColumn column);
    static QString titleSortFields(SortColumn column); // "Secteur;Rayon;Produit", "Produit"

    // RxDBGrid2CellClick: the catalogue moves to the product of the current list row
    // (exact name). Nothing on an empty list; false when no product bears that name.
    bool showListRowProduct();

    // cbb_rechChange: the catalogue moves to the first product whose name begins
    // with the text, ignoring case; it stays where it was when none does.
    bool searchBeginsWith(const QString& typed);

    // cbb_rechDropDown: nothing when the trimmed text is empty (the list keeps its
    // items); otherwise the new items, every product shown whose name folded a to z contains
    // the text folded the same way, in alphabetical order. The catalogue does not move.
    std::optional<QStringList> searchItems(const QString& typed) const;

    // ------------------------------------------------------------ moving products

    enum class AddResult {
        Nothing, // the catalogue shows no product
        Added,   // a new row with quantity 1
        Incremented,
        AtMaximum, // the row already holds 32767 units: nothing changed, the window beeps
    };
    // spd_btn_poseClick (">", Enter, double click on the catalogue): one more unit of the current
    // product.
    AddResult addOne(const GestureContext& ctx);

    enum class RemoveResult {
        Nothing,       // the list shows no row
        Decremented,   // one unit less
        RowDeleted,    // the row is gone and its product unmarked
        OrphanDeleted, // the row had no catalogue product: deleted, total unchanged
    };
    // spd_btn_retireClick ("<", double click on the list): one unit less of the current list row.
    RemoveResult removeOne();

    // spd_btn_annuleClick ("Annule", the cart dropped on the catalogue): every product shown is
    // unmarked and every list row shown deleted. False (nothing changes) when no product shown is
    // marked.
    bool emptyList();

    // Double click on a colour panel, or a panel dropped on the list or the cart: block add
    // of a colour state (tag 1 planned, 2 due, 3 due or in its window): every
    // product shown that qualifies and is not listed gets a row. Returns the number added.
    int blockAdd(int tag, const GestureContext& ctx);

    // A colour panel dropped on the catalogue (cpanelretire): every listed product shown
    // whose list row carries the panel's code (tag 1 Prevu "O"; tag 2 Rappel "O" or "P";
    // tag 3 Rappel "P") loses its row whatever the quantity. The total is recomputed. Returns
    // the number of rows removed.
    int blockRemove(int tag);

    // Ctrl+Del on a list row: the row is deleted, its product unmarked, the total recomputed.
    bool deleteListRow();
    // Ctrl+Del on a catalogue row: the product is deleted (its list row stays and counts for
    // nothing) and the total recomputed.
    bool deleteCatalogueRow();

    // ------------------------------------------------------------ list total

    // The total of the rows shown, from scratch: price × quantity of each row that has a
    // catalogue product, and the units. Both tables keep their current records.
    // The gestures above keep the total up to date with the price of the product they move;
    // after anything that changes a price or removes a product outside them (a price typed on
    // the product sheet, the product dialog's edit or deletion, global operations) the window
    // must call this.
    void recomputeTotal();
    // btn_totalClick: recomputeTotal, then the catalogue shows the product of the current
    // list row.
    void totalClick();

    // ------------------------------------------------------------ marks and reminders

    // DBCheckBox1Enter, the planned box of the sheet (also a right press or Space on the
    // catalogue): the current product's prevu flips once. False without a current product.
    bool togglePlanned();
    // DBCheckBox5Enter, the "Rappel le" box: Rappel flips once; period and purchase date stay.
    bool toggleReminder();
    // DateTimePicker1CloseUp: the date picker closed on day p: the purchase date becomes p −
    // period, so that the product falls due on p.
    bool setDueDate(QDate p);

    // cpanel1DragDrop: a catalogue row or a list row dropped on a colour panel (tag 1 planned, 2
    // due now, 3 due after a tolerance). A list row works on its catalogue partner and on its own
    // codes; a list row whose product is no longer in the catalogue only has its own code changed.
    enum class StateSource { CatalogueRow, ListRow };
    bool setStateByDrop(int tag, StateSource source, const GestureContext& ctx);

    // Is a product shown on the list (marked "X")? Validation asks its question only then.
    bool hasListedProduct() const;
    // Validation: for every listed product shown, the planned flag is cleared and a reminder
    // inside its window or due restarts (from its due date, or from today when due); the
    // validation text becomes " " + today's long date. False (nothing changes) when no
    // product shown is listed.
    bool validate(const GestureContext& ctx, const QString& longDate);
    bool validate(const GestureContext& ctx, const RegionalSettings& regional);
    // Validation of products bought elsewhere (ticked on the phone), whatever the filter shows:
    // each listed product of those names is validated as above, loses its mark, and every list
    // row of those names is removed; the validation text becomes " " + longDate and the total is
    // recomputed. Returns the number of products validated; nothing changes when none of them has
    // a mark or a row.
    int validatePurchased(const GestureContext& ctx, const QString& longDate,
                          const QStringList& products);
    // spd_btn_valideClick, the whole "Valide" command: nothing without a listed product, else the
    // question through the platform and, on Yes, validate. True when the list was validated.
    bool validateAsking(const GestureContext& ctx, Platform& platform);

private:
    // Appends the row for the current catalogue product and adds its unit to *total.
    void addRow(const GestureContext& ctx, ListTotal& total);
    bool locatePartner(const QString& produit);

    // The last text no shown name began with, and what it was searched among.
    struct MissedBeginning {
        QString typed;
        quint64 catalogueVersion = 0;
        bool filtered = false;
        ShopSelection selection;
    };
    bool missedAlready(const QString& typed) const;

    ShoppingData& d_;
    MissedBeginning missed_;
};
