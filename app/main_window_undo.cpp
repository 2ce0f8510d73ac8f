// The "Edition" menu: "Annuler" and "Rétablir" followed by the name of the step they would
// take back or do again, disabled when there is none; Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z.
//
// While a field of the product sheet has the focus, the keys belong to it: the line edit takes
// them back first (its own text undo). Chosen from the menu, the sheet's edit ends first (it
// becomes a step of its own) and the history then goes back from there.

#include "app/main_window.h"

#include "app/main_window_ui.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace {

// The items name the step they would take back or do again.
void showUndoState(MainWindowUi& ui, UndoHistory& h) {
    const bool undo = h.canUndo();
    const bool redo = h.canRedo();
    ui.smenu_annuler->setEnabled(undo);
    ui.smenu_retablir->setEnabled(redo);
    ui.smenu_annuler->setText(undo ? QStringLiteral("Annuler ") + h.undoName()
                                   : QStringLiteral("Annuler"));
    ui.smenu_retablir->setText(redo ? QString::fromUtf8("Rétablir ") + h.redoName()
                                    : QString::fromUtf8("Rétablir"));
}

} // namespace

void Tfrm_main::setupUndo() {
    const auto showState = [this] { showUndoState(*ui_, data_.history); };
    connect(ui_->smenu_annuler, &QAction::triggered, this, &Tfrm_main::smenu_annulerClick);
    connect(ui_->smenu_retablir, &QAction::triggered, this, &Tfrm_main::smenu_retablirClick);
    connect(&data_.history, &UndoHistory::changed, this, showState);
    connect(&data_.history, &UndoHistory::applied, this, [this] {
        // The grids follow their tables' signals; the rest of the window is shown again from the
        // data.
        showOrgTree();
        showValidationText();
        ui_->lbl_eliste->setText(data_.listLabel());
        showTotal();
        ui_->spd_btn_sauve->setEnabled(data_.modified());
        updateProductSheetEnabled();
        showProduct();
    });
    // A change made outside a step closes its step when the menu is next looked at.
    connect(ui_->smenu_edition, &QMenu::aboutToShow, this, showState);
    showState();
}

void Tfrm_main::smenu_annulerClick() {
    endSheetEdit();
    data_.history.undo();
    showUndoState(*ui_, data_.history);
}

void Tfrm_main::smenu_retablirClick() {
    endSheetEdit();
    data_.history.redo();
    showUndoState(*ui_, data_.history);
}
