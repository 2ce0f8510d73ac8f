#pragma once

#include "model/org_tree.h"
#include "model/record_table.h"
#include "model/reminder.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class Platform;
class ShoppingData;

// Creating, correcting and deleting catalogue products: the rules of the product dialog and
// what an accepted dialog does to the catalogue, the organisation tree and the selection.
namespace product_edit {

// Widths of the record fields the dialog fills.
inline constexpr int kSectorWidth = 20;
inline constexpr int kAisleWidth = 20;
inline constexpr int kProductWidth = 60;
// Reminder periods the dialog accepts, in days.
inline constexpr int kMaxPeriod = reminder::kMaxPeriod;
// Highest price the dialog accepts (prices are added up over the list in fixed point).
inline constexpr double kMaxPrice = 999999999.99;

// The values of the product dialog.
struct ProductForm {
    QString product;
    QString aisle;
    QString sector;
    double price = 0;
    bool reminder = false;
    // Reminder period in days; nothing when the field does not hold a whole number.
    std::optional<qint64> period = 0;
};

enum class FormField { None, Product, Aisle, Sector, Price, Period };

struct FormError {
    QString message; // "ERREUR : ..."
    FormField focus = FormField::None;
};

// What the OK checks compare the form with: the lists of the dialog, taken from the tree when
// it opened, and the catalogue, whose names are looked up when OK is pressed (it must outlive
// the context).
struct FormContext {
    QStringList aisles;  // every aisle node, in tree order
    QStringList sectors; // every sector node, in tree order
    const RecordTable* catalogue = nullptr;
    RecordTable::Bookmark edited = 0; // the product edited; 0 for a new product
    bool editing = false;
    QString originalName; // the edited product's name when the dialog opened
};

// The context for a new product (edited == 0) or for the catalogue record `edited`.
FormContext formContext(const OrgTree& tree, const RecordTable& catalogue,
                        RecordTable::Bookmark edited = 0);

// The OK checks, the first failing one wins: aisle empty, sector empty, sector named like an
// existing aisle, then new aisle named like a sector, sector named like its own aisle,
// characters the list file cannot hold, duplicate product name, price, period.
std::optional<FormError> checkForm(const ProductForm& form, const FormContext& ctx);

// OK may be pressed: the name holds something besides blanks and contains no "?".
bool productNameAcceptable(QStringView name);

// The sector of the first aisle node (in display order) named like the aisle, comparing after
// folding a to z to capitals; nothing when the aisle is new (the user then picks its sector).
std::optional<QString> sectorOfAisle(const OrgTree& tree, QStringView aisle);

// A sector or aisle name as stored: without surrounding blanks and cut to the record width.
QString cleanName(QStringView name, int width);

// Position of a product's nodes in the tree: tree.roots()[sector].children[aisle].
struct TreeNodeRef {
    int sector = -1;
    int aisle = -1;
};

// Files a sector and aisle in the tree, adding the sector (top level) and the aisle (under the
// sector) when no node is named so, folding a to z. Existing nodes keep their own text. The
// names are stored as given; callers pass cleaned names. The nodes added are appended to *added
// in the order they were added (a sector node with aisle -1).
TreeNodeRef addToTree(OrgTree& tree, const QString& sector, const QString& aisle,
                      std::vector<TreeNodeRef>* added = nullptr);

// What an accepted dialog did.
struct Accepted {
    qint32 id = 0;                    // the product's id_prod
    RecordTable::Bookmark record = 0; // the product's catalogue record
    TreeNodeRef node;                 // its sector and aisle nodes, for reselecting in the tree
};

// Applies an accepted dialog: selection := the form's sector and aisle (level unchanged), tree
// grown, the product created (edited == 0) or the record `edited` corrected, modified flag set,
// the shop filter put back and the catalogue cursor on the product. Nothing when the edited
// record no longer exists or the form does not pass checkForm's storage rules.
std::optional<Accepted> acceptProduct(ShoppingData& data, const ProductForm& form,
                                      RecordTable::Bookmark edited, QDate today);

// "Suppression du produit\r<name>\r\rConfirmez ?"
QString deleteConfirmationText(const QString& productName);

// Deletes the current catalogue product, which the caller has confirmed. The tree, the list and
// the list types stay as they are. False when there is no current product.
bool deleteCurrentProduct(ShoppingData& data);

// The delete command: with a current product, asks to confirm (Yes/No, No by default) and
// deletes it on Yes. True when a product was deleted.
bool confirmAndDeleteProduct(ShoppingData& data, Platform& platform);

// The product commands are enabled by the Nv_produit setting, and always when a list with an
// empty catalogue has been loaded or started, so that a first product can be entered.
inline bool productCommandsEnabled(bool nvProduit, int catalogueCount) {
    return nvProduit || catalogueCount == 0;
}

} // namespace product_edit
