// Product editing from the main window: new product, edit product, delete product, and what the
// window shows afterwards (sector tree, chosen node, product sheet, list total, list caption).

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/record_grid_model.h"
#include "dialogs/product_commands.h"
#include "model/product_editing.h"

#include <QAction>
#include <QLabel>
#include <QSet>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>

namespace {

ProductDialogContext dialogContext(const AppSettings& settings, const MainWindowUi& ui,
                                   const WindowHooks& hooks) {
    ProductDialogContext ctx;
    ctx.newSectorsAllowed = settings.newSectors;
    ctx.defaultPeriod = settings.renewDays;
    // The dialog's labels are the titles the user gave the window.
    ctx.sectorTitle = ui.Panel8->text();
    ctx.aisleTitle = ui.table1Grid->columnTitle(1);
    ctx.productTitle = ui.table1Grid->columnTitle(2);
    ctx.exec = hooks.productDialogExec;
    return ctx;
}

} // namespace

void Tfrm_main::setupProducts() {
    connect(ui_->spd_btn_newprod, &QToolButton::clicked, this, &Tfrm_main::spdbtn_newproduitClick);
    connect(ui_->smenu_prodnew, &QAction::triggered, this, &Tfrm_main::spdbtn_newproduitClick);
    connect(ui_->spd_btn_editprod, &QToolButton::clicked, this, &Tfrm_main::spd_btn_editprodClick);
    connect(ui_->smenu_prodedit, &QAction::triggered, this, &Tfrm_main::spd_btn_editprodClick);
    connect(ui_->spd_btn_supproduit, &QToolButton::clicked, this,
            &Tfrm_main::spd_btn_supproduitClick);
    connect(ui_->smenu_prodsup, &QAction::triggered, this, &Tfrm_main::spd_btn_supproduitClick);
}

void Tfrm_main::spdbtn_newproduitClick() {
    // An edit in progress on the product sheet ends first; the catalogue grid takes the focus.
    gestureStart();
    UndoStep step(data_.history, QStringLiteral("Nouveau produit"));
    if (const auto done =
            runNewProduct(data_, platform_, dialogContext(settings_, *ui_, hooks_), this))
        productAccepted(*done);
}

void Tfrm_main::spd_btn_editprodClick() {
    gestureStart();
    if (data_.catalogue.isEmpty())
        return;
    UndoStep step(data_.history, QStringLiteral("Correction d'un produit"));
    if (const auto done =
            runEditProduct(data_, platform_, dialogContext(settings_, *ui_, hooks_), this))
        productAccepted(*done);
}

void Tfrm_main::spd_btn_supproduitClick() {
    gestureStart();
    if (data_.catalogue.isEmpty())
        return;
    UndoStep step(data_.history, QStringLiteral("Suppression du produit"));
    if (!runDeleteProduct(data_, platform_))
        return;
    // A listed product's row stays on the list but no longer counts.
    commands_.recomputeTotal();
    updateProductSheetEnabled();
}

void Tfrm_main::productAccepted(const product_edit::Accepted& done) {
    // The node chosen before, by level, and the sectors left open: the tree is built again.
    const QTreeWidgetItem* chosen = ui_->TreeView1->currentItem();
    const bool nodeChosen = chosen != nullptr;
    const bool aisleChosen = chosen && chosen->parent();
    QSet<QString> open;
    for (int i = 0; i < ui_->TreeView1->topLevelItemCount(); ++i)
        if (ui_->TreeView1->topLevelItem(i)->isExpanded())
            open.insert(ui_->TreeView1->topLevelItem(i)->text(0));

    showOrgTree();
    for (int i = 0; i < ui_->TreeView1->topLevelItemCount(); ++i)
        if (open.contains(ui_->TreeView1->topLevelItem(i)->text(0)))
            ui_->TreeView1->topLevelItem(i)->setExpanded(true);

    // The product's own sector or aisle node takes the place of the one chosen. Only the
    // highlight moves: the selection and the filter are already the product's.
    if (nodeChosen && done.node.sector >= 0 &&
        done.node.sector < ui_->TreeView1->topLevelItemCount()) {
        QTreeWidgetItem* node = ui_->TreeView1->topLevelItem(done.node.sector);
        if (aisleChosen && done.node.aisle >= 0 && done.node.aisle < node->childCount()) {
            node->setExpanded(true);
            node = node->child(done.node.aisle);
        }
        const QSignalBlocker quiet(ui_->TreeView1);
        ui_->TreeView1->setCurrentItem(node);
        ui_->TreeView1->scrollToItem(node);
    }

    updateProductSheetEnabled();
    // A new price, or a renamed product, changes what the list is worth.
    commands_.recomputeTotal();
    if (data_.shopFilterOn())
        data_.setListLabel(commands_.filterCaption());
}
