// The main window for keyboard and screen-reader users: names of the toolbar's picture buttons
// and of the regions, labels linked to the fields of the list footer, and a tab order that
// follows the window from left to right. The product sheet and the cart panel name their own
// controls.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// A tool tip without its key and its line breaks: "Nouveau (Ctrl+N)" names "Nouveau".
QString nameFromHint(const QString& hint) {
    QString name = hint;
    const qsizetype key = name.lastIndexOf(QStringLiteral(" ("));
    if (key > 0 && name.endsWith(u')'))
        name.truncate(key);
    return name.simplified();
}

} // namespace

void Tfrm_main::setupAccess() {
    // Toolbar buttons show a picture only: their hints name them.
    for (QToolButton* b : ui_->Panel1->findChildren<QToolButton*>())
        b->setAccessibleName(nameFromHint(b->toolTip()));

    // Regions.
    ui_->TreeView1->setAccessibleName(QStringLiteral("Secteurs et rayons"));
    ui_->RxDBGrid1->setAccessibleName(QStringLiteral("Catalogue des produits"));
    ui_->RxDBGrid2->setAccessibleName(QStringLiteral("Liste des courses"));

    // The list footer.
    ui_->cbb_rech->setAccessibleName(QStringLiteral("Recherche"));
    ui_->edt_total->setAccessibleName(QStringLiteral("Total"));
    ui_->edt_tot_nbre->setAccessibleName(QStringLiteral("Nombre d'unités"));
    if (auto* l = ui_->Panel2->findChild<QLabel*>(QStringLiteral("lbl_dern_liste")))
        l->setBuddy(ui_->edt_date_vali);

    // Left to right: tree, catalogue, product sheet, cart panel, list, its footer.
    auto in = [](QWidget* region, const char* name) {
        return region->findChild<QWidget*>(QString::fromLatin1(name));
    };
    const QList<QWidget*> order = {ui_->TreeView1,
                                   ui_->RxDBGrid1,
                                   in(ui_->sheet, "spd_btn_editprod2"),
                                   ui_->sheet->priceField(),
                                   in(ui_->sheet, "DateTimePicker1"),
                                   ui_->sheet->periodField(),
                                   ui_->sheet->noteField(),
                                   in(ui_->cart, "spd_btn_retire"),
                                   in(ui_->cart, "SpeedButton2"),
                                   in(ui_->cart, "SpeedButton3"),
                                   in(ui_->cart, "spd_btn_valide"),
                                   in(ui_->cart, "SpeedButton4"),
                                   ui_->RxDBGrid2,
                                   ui_->cbb_rech,
                                   ui_->btn_total};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        if (order[i] && order[i + 1])
            setTabOrder(order[i], order[i + 1]);
}
