// What the window shows of the data and follows as it changes: the product sheet, the list
// total, the list label, the validation text, the save button, the sector tree and the
// enabled state of the product commands.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid_model.h"
#include "app/sheet_edit.h"
#include "model/platform.h"
#include "output/report_layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <tuple>
#include <utility>

void Tfrm_main::connectDisplay() {
    // The save button shows whether there are changes to save.
    const auto showModified = [this] { ui_->spd_btn_sauve->setEnabled(data_.modified()); };
    connect(&data_, &ShoppingData::modifiedChanged, this, showModified);
    connect(&data_, &ShoppingData::listLabelChanged, this,
            [this] { ui_->lbl_eliste->setText(data_.listLabel()); });
    connect(&data_, &ShoppingData::totalChanged, this, &Tfrm_main::showTotal);
    RecordTable* catalogue = &data_.catalogue;
    connect(catalogue, &RecordTable::currentChanged, this, &Tfrm_main::showProduct);
    connect(catalogue, &RecordTable::reset, this, &Tfrm_main::showProduct);
    connect(catalogue, &RecordTable::recordChanged, this, [this](int pos) {
        if (pos == data_.catalogue.currentPos())
            showProduct();
    });
    showProduct();
    showModified();
}

void Tfrm_main::showProduct() {
    // What was being typed on the sheet belongs to the product shown until now.
    endSheetEdit();
    const Record* r = data_.catalogue.current();
    const bool shown = r && data_.catalogue.currentRow() >= 0;
    sheetEdit_->setProduct(shown ? data_.catalogue.bookmark() : 0);
    if (!shown) {
        ui_->sheet->showNothing(palette().color(QPalette::Button));
        return;
    }
    ProductSheet::Content c;
    c.sector = RecordTable::textOf(*r, Cat::Secteur);
    c.aisle = RecordTable::textOf(*r, Cat::Rayon);
    c.product = RecordTable::textOf(*r, Cat::Produit);
    c.planned = RecordTable::textOf(*r, Cat::prevu) == Flag::Yes;
    c.reminder = RecordTable::textOf(*r, Cat::Rappel) == Flag::Yes;
    const auto price = RecordTable::realOf(*r, Cat::Prix);
    c.price = price ? platform_.regional().formatFixed(*price, 2) : QString();
    c.period = RecordTable::textOf(*r, Cat::Duree_rappel);
    c.note = RecordTable::textOf(*r, Cat::memo);

    // The colour strip and the date picker show the product's colour state and due date.
    const GestureContext ctx = gestureContext();
    const colour::SheetInfo sheet = colour::sheetFor(*r, ctx.today, ctx.coefDelai);
    c.strip = palette().color(QPalette::Button);
    // Its colour and its name are those of the state's panel.
    auto panelOf = [this](size_t i) {
        return std::pair(ui_->cart->stateColour(i), ui_->cart->statePanel(i)->text());
    };
    switch (sheet.strip) {
    case colour::State::Planned:
        std::tie(c.strip, c.stripState) = panelOf(0);
        break;
    case colour::State::Due:
        std::tie(c.strip, c.stripState) = panelOf(1);
        break;
    case colour::State::Window:
        std::tie(c.strip, c.stripState) = panelOf(2);
        break;
    case colour::State::None:
        break;
    }
    c.stripCaption = sheet.caption;
    c.date = sheet.pickerDate;
    c.earliest = colour::pickerMinimum();
    c.latest = colour::pickerMaximum();
    ui_->sheet->showContent(c);
}

void Tfrm_main::showTotal() {
    if (!data_.totalShown()) {
        ui_->edt_total->clear();
        ui_->edt_tot_nbre->clear();
        return;
    }
    const ListTotal& t = data_.total();
    ui_->edt_total->setText(report::listTotalText(t.price, platform_.regional()));
    ui_->edt_tot_nbre->setText(QStringLiteral(" %1").arg(t.units, 3));
}

void Tfrm_main::showValidationText() {
    ui_->edt_date_vali->setText(data_.validationText);
}

void Tfrm_main::showOrgTree() {
    ui_->TreeView1->clear();
    QList<QTreeWidgetItem*> sectors;
    for (const OrgNode& sector : data_.tree.roots()) {
        auto* item = new QTreeWidgetItem(QStringList{sector.text});
        item->setToolTip(0, sector.text);
        for (const OrgNode& aisle : sector.children) {
            auto* child = new QTreeWidgetItem(QStringList{aisle.text});
            child->setToolTip(0, aisle.text);
            item->addChild(child);
        }
        sectors << item;
    }
    ui_->TreeView1->addTopLevelItems(sectors);
}

void Tfrm_main::setProductCommandsEnabled(bool on) {
    for (QToolButton* b : {ui_->spd_btn_editprod, ui_->spd_btn_supproduit, ui_->spd_btn_newprod})
        b->setEnabled(on);
    ui_->sheet->setEditProductEnabled(on);
    ui_->Menu_produit->menuAction()->setEnabled(on);
}

bool Tfrm_main::productCommandsEnabled() const {
    return ui_->Menu_produit->menuAction()->isEnabled();
}

void Tfrm_main::updateProductSheetEnabled() {
    ui_->sheet->setEnabled(data_.catalogue.recordCount() > 0);
}
