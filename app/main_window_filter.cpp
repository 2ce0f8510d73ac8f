// The shop filter switched from its toolbar button and its menu item.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include <QAction>
#include <QPalette>
#include <QToolButton>
#include <QTreeWidget>

void Tfrm_main::spd_btn_filtreClick() {
    const ShoppingCommands::FilterOutcome out =
        commands_.setShopFilter(ui_->spd_btn_filtre->isChecked());
    if (out.selectFirstNode && ui_->TreeView1->topLevelItemCount() > 0) {
        ui_->TreeView1->collapseAll();
        QTreeWidgetItem* first = ui_->TreeView1->topLevelItem(0);
        ui_->TreeView1->setCurrentItem(first);
        ui_->TreeView1->setFocus();
    }
    // The chosen node stays highlighted without the focus exactly while the filter is on.
    QPalette pal = ui_->TreeView1->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        const QColor shown = pal.color(QPalette::Active, role);
        const QColor hidden = role == QPalette::Highlight
                                  ? pal.color(QPalette::Active, QPalette::Base)
                                  : pal.color(QPalette::Active, QPalette::Text);
        pal.setColor(QPalette::Inactive, role, out.filterOn ? shown : hidden);
    }
    ui_->TreeView1->setPalette(pal);
    ui_->spd_btn_filtre->setChecked(out.filterOn);
    ui_->smenu_filtre_mag->setChecked(out.filterOn);
}

void Tfrm_main::smenu_filtre_magClick() {
    ui_->spd_btn_filtre->setChecked(ui_->smenu_filtre_mag->isChecked());
    spd_btn_filtreClick();
}
