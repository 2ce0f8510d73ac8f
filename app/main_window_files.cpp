// File commands of the main window: new, open, save, save as, quit and the close request,
// with the question whether to save changes, and the loading of a list file.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"
#include "model/list_file.h"
#include "model/platform.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace {

Platform::FileDialog openDialog() {
    Platform::FileDialog d;
    d.fileName = QStringLiteral("*.pnv");
    d.filter = QStringLiteral("fichier Paniva|*.pnv");
    d.defaultSuffix = QStringLiteral("pnv");
    d.confirmOverwrite = false;
    return d;
}

Platform::FileDialog saveDialog(const QString& fileName, const QString& directory) {
    Platform::FileDialog d;
    d.title = QStringLiteral("Enregistrer ma Paniva sous");
    d.directory = directory;
    d.fileName = fileName;
    d.filter = QStringLiteral("fichier Paniva|*.pnv|Tous fichiers|*.*");
    d.defaultSuffix = QStringLiteral(".pnv");
    d.confirmOverwrite = true;
    return d;
}

// The filter button released, the list label back to "Liste complète".
void releaseShopFilter(MainWindowUi& ui, ShoppingData& data) {
    ui.spd_btn_filtre->setChecked(false);
    ui.smenu_filtre_mag->setChecked(false);
    data.setShopFilter(false);
    data.setListLabel(ShoppingCommands::fullListCaption());
}

// The entries of the list types of the list that was open leave the menu.
void clearListTypeEntries(MainWindowUi& ui, const QObject* window) {
    const QList<QAction*> actions = ui.Listetype1->actions();
    const qsizetype sep = actions.indexOf(ui.smenu_listetype_sep);
    for (qsizetype i = sep + 1; sep >= 0 && i < actions.size(); ++i) {
        ui.Listetype1->removeAction(actions[i]);
        if (actions[i]->parent() == ui.Listetype1 || actions[i]->parent() == window)
            actions[i]->deleteLater();
    }
}

} // namespace

void Tfrm_main::showFileName() {
    ui_->lbl_fichier->setText(QFileInfo(fileName_).fileName());
}

bool Tfrm_main::askToSave() {
    Platform::Message m;
    m.title = QStringLiteral("Confirmation");
    m.text = QStringLiteral("Le fichier ") + fileName_ +
             QStringLiteral(" est modifié\r\rVoulez-vous le sauvegarder");
    m.icon = Platform::Icon::Question;
    m.buttons = {Platform::Button::Yes, Platform::Button::No, Platform::Button::Cancel};
    m.defaultButton = Platform::Button::Yes;
    m.escapeButton = Platform::Button::Cancel;
    switch (platform_.message(m)) {
    case Platform::Button::Yes:
        // The changes must not be dropped unsaved: a save that does not happen stops the
        // command that asked, as Cancel does.
        return saveList();
    case Platform::Button::No:
        return true;
    default:
        return false;
    }
}

bool Tfrm_main::saveList() {
    endSheetEdit(); // the file gets what is being typed on the sheet too
    ui_->RxDBGrid1->setFocus();
    // The file always holds every record, whatever the shop filter; the tables keep their
    // filter and their current records.
    const RecordTable::Bookmark catalogueAt = data_.catalogue.bookmark();
    const RecordTable::Bookmark listAt = data_.list.bookmark();
    data_.catalogue.post();
    data_.list.post();

    const QString formerName = fileName_;
    if (fileName_ == newListName()) {
        const auto chosen = platform_.saveFileName(saveDialog(QStringLiteral("*.pnv"), startDir_));
        if (!chosen)
            return false;
        fileName_ = *chosen;
    }
    showFileName();

    QString error;
    const bool written = listfile::save(fileName_, data_, &error);
    data_.catalogue.gotoBookmark(catalogueAt);
    data_.list.gotoBookmark(listAt);
    if (!written) {
        // Nothing was written: the list keeps the name it had, so the next save asks again.
        fileName_ = formerName;
        showFileName();
        platform_.error(error);
        return false;
    }
    data_.setModified(false);
    data_.history.markSaved();
    return true;
}

bool Tfrm_main::loadList(const QString& path) {
    endSheetEdit(); // what is being typed on the sheet belongs to the data being replaced
    repaint();
    releaseShopFilter(*ui_, data_);

    QString error;
    if (!listfile::load(path, data_, &error)) {
        platform_.error(error);
        return false;
    }
    afterListLoaded();
    return true;
}

void Tfrm_main::afterListLoaded() {
    releaseShopFilter(*ui_, data_);
    commands_.prepareLookups();
    showOrgTree();
    showValidationText();

    data_.catalogue.first();
    commands_.recomputeTotal();
    data_.list.first();

    if (data_.catalogue.recordCount() == 0) {
        // An empty catalogue: the first product must be creatable whatever the settings.
        ui_->sheet->setEnabled(false);
        setProductCommandsEnabled(true);
    } else {
        setProductCommandsEnabled(settings_.productCommands);
    }
    data_.setModified(false);
    data_.history.clear();
}

void Tfrm_main::spd_btn_newClick() {
    endSheetEdit(); // a price or note being typed counts as a change
    if (data_.modified() && !askToSave())
        return;
    fileName_ = newListName();
    showFileName();
    ui_->Listetype1->setEnabled(false);
    releaseShopFilter(*ui_, data_);
    data_.list.empty();
    data_.catalogue.empty();
    data_.history.clear(); // a new list starts its own history
    ui_->sheet->setEnabled(false);
    showProduct();
    data_.setModified(false);
    setProductCommandsEnabled(true);
    data_.clearTotal();
}

void Tfrm_main::spd_btn_ouvreClick() {
    endSheetEdit();
    if (data_.modified() && !askToSave())
        return;
    Platform::FileDialog d = openDialog();
    d.directory = startDir_;
    const auto chosen = platform_.openFileName(d);
    if (!chosen)
        return;
    // A name typed for a file that does not exist keeps the data under the new name; a file
    // that cannot be read leaves both the data and the name as they were.
    if (QFileInfo::exists(*chosen) && !loadList(*chosen))
        return;
    fileName_ = *chosen;
    showFileName();
    updateProductSheetEnabled();
    ui_->Listetype1->setEnabled(true);
    clearListTypeEntries(*ui_, this);
    listTypeMenuStale_ = true;
}

void Tfrm_main::spd_btn_sauveClick() {
    saveList();
}

void Tfrm_main::Enregistrersous1Click() {
    const auto chosen = platform_.saveFileName(saveDialog(fileName_, startDir_));
    if (!chosen)
        return;
    const QString formerName = fileName_;
    fileName_ = *chosen;
    if (!saveList()) {
        fileName_ = formerName;
        showFileName();
    }
}

void Tfrm_main::spd_btn_quitteClick() {
    close();
}

void Tfrm_main::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: unsaved changes are offered for saving; Cancel keeps the window open.
    endSheetEdit();
    if (data_.modified() && !askToSave()) {
        event->ignore();
        return;
    }
    event->accept();
}
