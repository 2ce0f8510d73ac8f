// The grids' own commands (rows deleted with Ctrl+Del, product column widths) and the sector
// view shown or hidden beside the catalogue.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/record_grid.h"
#include "app/splitter_widths.h"
#include "model/platform.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QSplitter>
#include <QToolButton>

namespace {

bool confirmDeleteRecord(Platform& platform) {
    Platform::Message m;
    m.title = QStringLiteral("Confirmation");
    m.text = QStringLiteral("Supprimer l'enregistrement ?");
    m.icon = Platform::Icon::Question;
    m.buttons = {Platform::Button::Ok, Platform::Button::Cancel};
    m.defaultButton = Platform::Button::Ok;
    m.escapeButton = Platform::Button::Cancel;
    return platform.message(m) == Platform::Button::Ok;
}

// The tree shown or hidden; the splitter keeps the tree's width while it is hidden.
void showSectorView(MainWindowUi& ui, SplitterWidths& splitters, bool shown) {
    if (shown == !ui.Panel10->isHidden())
        return;
    if (!shown)
        splitters.keepTree();
    ui.Panel10->setVisible(shown);
    if (shown)
        splitters.apply();
}

} // namespace

// ---------------------------------------------------------------- Ctrl+Del

void Tfrm_main::RxDBGrid1DeleteRecord() {
    if (data_.catalogue.isEmpty())
        return;
    // Deleting a product is a product command: refused while those are disabled.
    if (!productCommandsEnabled()) {
        platform_.error(QStringLiteral("La suppression des produits n'est pas permise : elle "
                                       "est désactivée dans les options."));
        return;
    }
    if (!confirmDeleteRecord(platform_))
        return;
    commands_.deleteCatalogueRow();
    updateProductSheetEnabled();
}

void Tfrm_main::RxDBGrid2DeleteRecord() {
    if (data_.list.isEmpty())
        return;
    if (!confirmDeleteRecord(platform_))
        return;
    // As a removal: the product loses its mark and the total follows.
    commands_.deleteListRow();
}

// ---------------------------------------------------------------- column widths

void Tfrm_main::Panel11Resize() {
    const int margin = sectorViewShown() ? 36 : 96;
    ui_->RxDBGrid1->setColumnWidth(2, std::max(ui_->Panel11->width() - margin, 20));
}

void Tfrm_main::Panel3Resize() {
    ui_->RxDBGrid2->setColumnWidth(2, std::max(ui_->Panel3->width() - 116, 20));
}

bool Tfrm_main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == ui_->Panel11)
            Panel11Resize();
        else if (watched == ui_->Panel3)
            Panel3Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- sector view

bool Tfrm_main::sectorViewShown() const {
    return !ui_->Panel10->isHidden();
}

void Tfrm_main::syncSectorViewControls() {
    const bool shown = sectorViewShown();
    ui_->RxDBGrid1->setColumnHidden(1, shown);
    ui_->spd_btn_rayon->setChecked(shown);
    ui_->smenu_fen_mag->setChecked(shown);
    Panel11Resize();
}

void Tfrm_main::spd_btn_rayonClick() {
    showSectorView(*ui_, *splitters_, !sectorViewShown());
    syncSectorViewControls();
}
