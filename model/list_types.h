#pragma once

#include "model/list_type_file.h"
#include "model/shopping_data.h"

#include <QString>
#include <QStringList>
#include <functional>

class ShoppingCommands;
struct GestureContext;

// What the list types do to the shopping data: the first building of the "Liste-type" menu,
// saving the products on the list as a new list type, and applying one.
namespace listtypes {

// Writes the list to its file as the save command does; false when it was not written, the
// reason (if any) in *error.
using WriteList = std::function<bool(QString* error)>;
// Puts one more unit of the catalogue's current product on the list (the ">" gesture); false
// when nothing was added.
using AddCurrent = std::function<bool()>;

struct MenuBuild {
    bool ok = true;
    bool created = false; // the list-type file was created (and the products renumbered)
    QString error;        // what stopped the building, or why the list could not be written
    QStringList names;    // the list types, in file order
};

// Building the menu: when the list-type file does not exist it is created holding
// "[LISTE-TYPE]" alone, every product is renumbered 1, 2, 3... in the catalogue's present order
// with the filter off, and the list is written; the filter then goes back to the shop filter
// state and the catalogue to its first record. The names are then read in file order.
// A file that cannot be created stops everything (ok false). A list that cannot be written
// leaves ok true but sets `error` (the renumbered data stay marked as modified); so does a
// list-type file set aside by the reader (not a regular file, or too large): no names then.
MenuBuild buildMenu(ShoppingData& data, ListTypeFile& file, const WriteList& writeList);

// Gives the products 1, 2, 3... in the catalogue's present order, every record whatever the
// filter. Sets the modified flag.
void renumberProducts(ShoppingData& data);

// The identifiers of the products shown on the list (color "X") in the catalogue's present
// order and under the shop filter. The cursor goes back to its product (by id_prod).
QList<qint32> listedProductIds(ShoppingData& data);

enum class SaveResult {
    EmptyCatalogue, // the catalogue shows no product: nothing happens
    NothingListed,  // no product shown is on the list: "La liste est vide ??"
    BadName,        // the name cannot be saved; *error holds the "ERREUR : " message
    WriteFailed,    // *error holds "Impossible d'écrire dans <path>"
    Saved,
};

// OK of the new list type dialog: the products on the list saved as name=value. The name is
// what the user typed; it is saved trimmed and with a to z in capitals (*savedName).
SaveResult saveNewListType(ShoppingData& data, ListTypeFile& file, const QString& typedName,
                           QString* error, QString* savedName = nullptr);

// Applying a list type's value: with the filter off on both tables, every catalogue product in
// the present order whose "-id-" occurs in the value gets one more unit through `add`; the
// filter then goes back to the shop filter state and the catalogue cursor to the product it
// stood on (by id_prod). Returns the number of products added.
int apply(ShoppingData& data, const QString& value, const AddCurrent& add);

// The ">" gesture of the shopping commands as the add step (a row at its maximum quantity
// counts as not added).
AddCurrent addOneUnit(ShoppingCommands& commands, const GestureContext& ctx);

// "Ajout de <n> produits".
QString addedText(int count);

} // namespace listtypes
