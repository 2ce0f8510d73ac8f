// The tools of the main window: the Options dialog, the global operations on planned products
// and the franc/euro converter.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "dialogs/convert.h"
#include "dialogs/global_operations_command.h"
#include "dialogs/list_type_menu.h"
#include "dialogs/paracha.h"
#include "model/platform.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

void Tfrm_main::setupTools() {
    connect(ui_->spd_btn_param, &QToolButton::clicked, this, &Tfrm_main::spd_btn_paramClick);
    connect(ui_->smenu_options, &QAction::triggered, this, &Tfrm_main::spd_btn_paramClick);
    connect(ui_->smenu_req, &QAction::triggered, this, &Tfrm_main::smenu_reqClick);
    connect(ui_->spd_btn_convert, &QToolButton::clicked, this, &Tfrm_main::spd_btn_convertClick);
}

Tfrm_convert* Tfrm_main::converterWindow() const {
    return converter_;
}

// ---------------------------------------------------------------- Options

void Tfrm_main::spd_btn_paramClick() {
    Tfrm_param dialog(platform_, settings_.euroRate, ui_->lbl_fichier->text(), this);
    // A list type deleted in the dialog leaves the menu at once, whatever the dialog's end.
    connect(&dialog, &Tfrm_param::listTypeDeleted, this,
            [this](const QString& name) { listtypemenu::removeEntries(ui_->Listetype1, name); });
    if (dialog.exec() != QDialog::Accepted)
        return;

    // The settings file is written; the window takes every setting at once.
    const AppSettings s = dialog.settings();
    applySettings(s);
    setProductCommandsEnabled(s.productCommands);
    showProduct(); // the colour strip follows the new colours and tolerance
    if (converter_) {
        if (s.converter) {
            converter_->setEuroRate(s.euroRate);
            converter_->DBEdit1Change();
        } else {
            // Its button is hidden now: the window goes with it.
            converter_->close();
        }
    }
}

// ---------------------------------------------------------------- global operations

void Tfrm_main::smenu_reqClick() {
    GlobalOperationsHooks hooks;
    hooks.saveList = [this](QString*) { return saveList(); };
    hooks.listPath = [this] { return fileName_; };
    hooks.afterLoad = [this] {
        afterListLoaded();
        updateProductSheetEnabled();
    };
    hooks.recomputeTotal = [this] { commands_.recomputeTotal(); };
    runGlobalOperations(this, data_, platform_, settings_.euroRate, settings_.delayCoef, hooks);
    // Planned flags and reminders decide the cells' colours.
    ui_->table1Grid->refreshAll();
    ui_->table2Grid->refreshAll();
    showProduct();
}

// ---------------------------------------------------------------- converter

void Tfrm_main::spd_btn_convertClick() {
    ui_->RxDBGrid1->setFocus();
    if (!ui_->spd_btn_convert->isChecked()) {
        if (converter_)
            converter_->close();
        return;
    }
    if (converter_) {
        converter_->show();
        return;
    }
    const RegionalSettings regional = platform_.regional();
    auto* window = new Tfrm_convert(
        this, regional, settings_.euroRate,
        Tfrm_convert::sourceFor(data_, regional, [this] { return ui_->edt_total->text(); }));
    window->follow(data_.catalogue);
    connect(window, &Tfrm_convert::closed, this,
            [this] { ui_->spd_btn_convert->setChecked(false); });
    converter_ = window;
    window->show();
}
