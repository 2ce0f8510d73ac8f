// What the window shows of the data and follows as it changes: the product sheet, the list
// total, the list label, the validation text, the save button, the sector tree and the
// enabled state of the product commands.

#include "app/main_window.h"

#include "app/window_look.h"
#include "dialogs/bgr_color.h"
#include "model/platform.h"
#include "output/report_layout.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>

void Tfrm_main::connectDisplay() {
    connect(&data_, &ShoppingData::modifiedChanged, this, &Tfrm_main::showModified);
    connect(&data_, &ShoppingData::listLabelChanged, this, &Tfrm_main::showListLabel);
    connect(&data_, &ShoppingData::totalChanged, this, &Tfrm_main::showTotal);
    RecordTable* catalogue = &data_.catalogue;
    connect(catalogue, &RecordTable::currentChanged, this, &Tfrm_main::showProduct);
    connect(catalogue, &RecordTable::reset, this, &Tfrm_main::showProduct);
    connect(catalogue, &RecordTable::recordChanged, this, [this](int pos) {
        if (pos == data_.catalogue.currentPos())
            showProduct();
    });
    // The calendar names its months and days in French whatever the regional settings; the
    // date itself is shown in their short format.
    DateTimePicker1->setLocale(QLocale(QLocale::French, QLocale::France));
    DateTimePicker1->setDisplayFormat(
        platform_.regional().locale().dateFormat(QLocale::ShortFormat));
    showProduct();
    showModified();
}

void Tfrm_main::showProduct() {
    // What was being typed on the sheet belongs to the product shown until now.
    endSheetEdit();
    const Record* r = data_.catalogue.current();
    const bool shown = r && data_.catalogue.currentRow() >= 0;
    sheetProduct_ = shown ? data_.catalogue.bookmark() : 0;
    if (!shown) {
        for (QLabel* l : {DBText1, DBText2, Panel5})
            l->clear();
        for (QLineEdit* e : {DBEdit1, RxDBCalcEdit1, DBEdit3, DBEdit2})
            e->clear();
        DBCheckBox1->setChecked(false);
        DBCheckBox5->setChecked(false);
        look::setBackground(Panel5, palette().color(QPalette::Button));
        return;
    }
    DBText1->setText(RecordTable::textOf(*r, Cat::Secteur));
    DBText2->setText(RecordTable::textOf(*r, Cat::Rayon));
    DBEdit1->setText(RecordTable::textOf(*r, Cat::Produit));
    DBEdit1->setCursorPosition(0);
    DBCheckBox1->setChecked(RecordTable::textOf(*r, Cat::prevu) == Flag::Yes);
    DBCheckBox5->setChecked(RecordTable::textOf(*r, Cat::Rappel) == Flag::Yes);
    const auto price = RecordTable::realOf(*r, Cat::Prix);
    RxDBCalcEdit1->setText(price ? platform_.regional().formatFixed(*price, 2) : QString());
    DBEdit3->setText(RecordTable::textOf(*r, Cat::Duree_rappel));
    DBEdit2->setText(RecordTable::textOf(*r, Cat::memo));
    DBEdit2->setCursorPosition(0);

    // The colour strip and the date picker show the product's colour state and due date.
    const GestureContext ctx = gestureContext();
    const colour::SheetInfo sheet = colour::sheetFor(*r, ctx.today, ctx.coefDelai);
    QColor strip = palette().color(QPalette::Button);
    switch (sheet.strip) {
    case colour::State::Planned:
        strip = look::background(cpanels[0]);
        break;
    case colour::State::Due:
        strip = look::background(cpanels[1]);
        break;
    case colour::State::Window:
        strip = look::background(cpanels[2]);
        break;
    case colour::State::None:
        break;
    }
    look::setBackground(Panel5, strip);
    Panel5->setText(sheet.caption);
    // The strip is too narrow for words: its tool tip names the state its colour shows.
    QString state;
    if (sheet.strip == colour::State::Planned)
        state = cpanels[0]->text();
    else if (sheet.strip == colour::State::Due)
        state = cpanels[1]->text();
    else if (sheet.strip == colour::State::Window)
        state = cpanels[2]->text();
    Panel5->setToolTip(state);
    Panel5->setAccessibleDescription(state.isEmpty() ? QStringLiteral("Aucun") : state);
    DateTimePicker1->setDateRange(colour::pickerMinimum(), colour::pickerMaximum());
    DateTimePicker1->setDate(sheet.pickerDate);
}

void Tfrm_main::showTotal() {
    if (!data_.totalShown()) {
        edt_total->clear();
        edt_tot_nbre->clear();
        return;
    }
    const ListTotal& t = data_.total();
    edt_total->setText(report::listTotalText(t.price, platform_.regional()));
    edt_tot_nbre->setText(QStringLiteral(" %1").arg(t.units, 3));
}

void Tfrm_main::showListLabel() {
    lbl_eliste->setText(data_.listLabel());
}

void Tfrm_main::showValidationText() {
    edt_date_vali->setText(data_.validationText);
}

void Tfrm_main::showModified() {
    spd_btn_sauve->setEnabled(data_.modified());
}

void Tfrm_main::showOrgTree() {
    TreeView1->clear();
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
    TreeView1->addTopLevelItems(sectors);
}

void Tfrm_main::setProductCommandsEnabled(bool on) {
    for (QToolButton* b :
         {spd_btn_editprod, spd_btn_editprod2, spd_btn_supproduit, spd_btn_newprod})
        b->setEnabled(on);
    Menu_produit->menuAction()->setEnabled(on);
}

bool Tfrm_main::productCommandsEnabled() const {
    return Menu_produit->menuAction()->isEnabled();
}

void Tfrm_main::updateProductSheetEnabled() {
    Panel7->setEnabled(data_.catalogue.recordCount() > 0);
}
