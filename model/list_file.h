#pragma once

#include "model/org_tree.h"
#include "model/record_table.h"
#include "model/shopping_data.h"
#include "model/shopping_tables.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

// The list file (.pnv): the organisation tree, the shopping list, the catalogue and the
// validation text, as Windows-1252 text lines ended by CR LF:
//
//   [RAYON]
//   <tree lines: one TAB per level, then the name>
//   [LISTE]
//   <one line per list record: every value followed by ";">
//   [PRODUIT]
//   <one line per catalogue record>
//   [SAISIE]
//   DATE=<validation text>
//
// Numbers and dates are always written in the French form (decimal comma, dd/MM/yyyy) and read
// with either a comma or a point, so that a file reads back the same whatever the locale.
namespace listfile {

// What a file holds, read into objects of its own so that a failed read leaves the program's
// data untouched.
struct Contents {
    OrgTree tree;
    RecordTable list{shoppingListSchema()};
    RecordTable catalogue{catalogueSchema()};
    QString validationText;
};

// Reads the bytes of a list file into `out`, whose tables must be empty. On failure returns false
// and sets *error to a French message; `out` then holds whatever was read so far.
bool parse(QByteArrayView bytes, Contents& out, QString* error);

// Reads a list file into `data`: the tree, both tables and the validation text are read into new
// objects and swapped in only when reading succeeded. On failure returns false, sets *error to a
// French message and leaves `data` exactly as it was. The modified flag, the filters, the list
// label and the total are left to the caller. After a load each table is on its first record.
bool load(const QString& path, ShoppingData& data, QString* error);

// Writes every record of both tables (whatever the filter), the tree and the validation text.
// Atomic: on failure the previous file is intact, and false is returned with a French message in
// *error.
bool save(const QString& path, const ShoppingData& data, QString* error);

// The bytes save() writes.
QByteArray serialize(const OrgTree& tree, const RecordTable& list, const RecordTable& catalogue,
                     const QString& validationText);

// --- value forms shared with the tests and other readers of the format

// A price in its shortest decimal form with at most 15 significant digits, decimal comma, no
// exponent ("2,5", "3", "0,0001"). Empty for a value that is not finite.
QString formatMoney(double value);
// "," or "." as decimal separator, optional exponent; nothing when the text is not a number.
std::optional<double> parseMoney(QStringView text);
// dd/MM/yyyy; empty for an invalid date.
QString formatDate(QDate d);
// d/M/yyyy (or a two-digit year: 00-49 are 2000-2049, 50-99 are 1950-1999); invalid otherwise.
QDate parseDate(QStringView text);

} // namespace listfile
