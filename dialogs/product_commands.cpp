#include "dialogs/product_commands.h"

#include "dialogs/saiprod.h"
#include "model/platform.h"
#include "model/shopping_data.h"
#include "model/shopping_tables.h"

ProductDialogInput productDialogInput(const ShoppingData& data, Platform& platform,
                                      const ProductDialogContext& ctx,
                                      RecordTable::Bookmark edited) {
    const RecordTable& cat = data.catalogue;
    ProductDialogInput in;
    in.tree = data.tree;
    in.checks = product_edit::formContext(data.tree, cat, edited);
    in.newSectorsAllowed = ctx.newSectorsAllowed;
    in.defaultPeriod = ctx.defaultPeriod;
    in.sectorTitle = ctx.sectorTitle;
    in.aisleTitle = ctx.aisleTitle;
    in.productTitle = ctx.productTitle;
    in.locale = platform.regional().locale();
    if (cat.hasCurrent()) {
        in.selectedSector = cat.text(Cat::Secteur);
        in.selectedAisle = cat.text(Cat::Rayon);
    }
    if (edited != 0 && cat.bookmark() == edited) {
        ProductDialogInput::Edited e;
        e.id = cat.integer(Cat::id_prod);
        e.product = cat.text(Cat::Produit);
        e.price = cat.real(Cat::Prix);
        e.reminder = cat.text(Cat::Rappel) == Flag::Yes;
        e.period = cat.integer(Cat::Duree_rappel);
        in.edited = e;
    }
    return in;
}

namespace {

std::optional<product_edit::Accepted> runDialog(ShoppingData& data, Platform& platform,
                                                const ProductDialogContext& ctx, QWidget* parent,
                                                RecordTable::Bookmark edited) {
    // An edit in progress on the product sheet ends first.
    data.catalogue.post();
    // The selection follows the product the dialog starts from; with no current product
    // (empty catalogue, or nothing shown by the filter) it stays as it is.
    if (data.catalogue.hasCurrent()) {
        data.selection.sector = data.catalogue.text(Cat::Secteur);
        data.selection.aisle = data.catalogue.text(Cat::Rayon);
    }
    Tfrm_saiprod dialog(productDialogInput(data, platform, ctx, edited), platform, parent);
    const int result = ctx.exec ? ctx.exec(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return product_edit::acceptProduct(data, dialog.values(), edited, platform.today());
}

} // namespace

std::optional<product_edit::Accepted> runNewProduct(ShoppingData& data, Platform& platform,
                                                    const ProductDialogContext& ctx,
                                                    QWidget* parent) {
    return runDialog(data, platform, ctx, parent, 0);
}

std::optional<product_edit::Accepted> runEditProduct(ShoppingData& data, Platform& platform,
                                                     const ProductDialogContext& ctx,
                                                     QWidget* parent) {
    if (!data.catalogue.hasCurrent())
        return std::nullopt;
    return runDialog(data, platform, ctx, parent, data.catalogue.bookmark());
}

bool runDeleteProduct(ShoppingData& data, Platform& platform) {
    data.catalogue.post();
    return product_edit::confirmAndDeleteProduct(data, platform);
}
