#pragma once

#include "model/product_editing.h"

#include <QString>
#include <functional>
#include <optional>

class Platform;
class QWidget;
class ShoppingData;
class Tfrm_saiprod;
struct ProductDialogInput;

// What the main window hands to the product commands besides the data.
struct ProductDialogContext {
    bool newSectorsAllowed = true;                    // setting Nv_secteur
    int defaultPeriod = 12;                           // setting Nbj_renouve
    QString sectorTitle = QStringLiteral("Secteur");  // title of the tree's panel
    QString aisleTitle = QStringLiteral("Rayon");     // catalogue grid's aisle column
    QString productTitle = QStringLiteral("Produit"); // catalogue grid's product column
    // Shows the dialog modally and returns its result; exec() when empty (tests fill the
    // fields and press the buttons here instead).
    std::function<int(Tfrm_saiprod&)> exec;
};

// The dialog's input for a new product (edited == 0) or for the catalogue record `edited`.
ProductDialogInput productDialogInput(const ShoppingData& data, Platform& platform,
                                      const ProductDialogContext& ctx,
                                      RecordTable::Bookmark edited);

// New product: opens the dialog filed under the current product's sector and aisle, and on
// OK creates the product, growing the tree. Nothing when the dialog is cancelled.
std::optional<product_edit::Accepted> runNewProduct(ShoppingData& data, Platform& platform,
                                                    const ProductDialogContext& ctx,
                                                    QWidget* parent);

// Edit product: opens the dialog on the current catalogue product and on OK corrects it.
// Nothing when there is no current product or the dialog is cancelled.
std::optional<product_edit::Accepted> runEditProduct(ShoppingData& data, Platform& platform,
                                                     const ProductDialogContext& ctx,
                                                     QWidget* parent);

// Delete product: asks to confirm and deletes the current catalogue product. True when a
// product was deleted.
bool runDeleteProduct(ShoppingData& data, Platform& platform);
