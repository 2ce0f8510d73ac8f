// The "Liste-type" menu: filled from the list's list-type file the first time it opens for a
// list, new list types saved from the products on the list, and list types applied.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "dialogs/list_type_menu.h"
#include "dialogs/lsttyp.h"
#include "dialogs/newliste.h"
#include "model/list_type_file.h"
#include "model/list_types.h"
#include "model/platform.h"

#include <QAction>
#include <QMenu>

namespace {

// An entry whose list type was applied and confirmed with "Ok" keeps its check mark; the mark
// is kept here because a checkable entry flips its own mark each time it is chosen.
constexpr char kAppliedMark[] = "kabiroApplied";

void showApplied(QAction* entry, bool applied) {
    entry->setProperty(kAppliedMark, applied);
    entry->setCheckable(applied);
    entry->setChecked(applied);
}

} // namespace

void Tfrm_main::setupListTypes() {
    connect(ui_->Listetype1, &QMenu::aboutToShow, this, &Tfrm_main::Listetype1Click);
    connect(ui_->Nouvellelistetype1, &QAction::triggered, this,
            &Tfrm_main::Nouvellelistetype1Click);
    // Every entry after the separator applies its list type.
    connect(ui_->Listetype1, &QMenu::triggered, this, [this](QAction* entry) {
        if (entry != ui_->Nouvellelistetype1 && !entry->isSeparator())
            newitemclick(entry);
    });
}

QString Tfrm_main::listTypePath() const {
    return listTypeFilePath(startDir_, fileName_);
}

void Tfrm_main::Listetype1Click() {
    if (!listTypeMenuStale_)
        return;
    // Built at once: a building that stops is not tried again for this list.
    listTypeMenuStale_ = false;

    ListTypeFile file(listTypePath());
    // The first building renumbers the products and writes the list; saveList reports its own
    // failures.
    const listtypes::MenuBuild built =
        listtypes::buildMenu(data_, file, [this](QString*) { return saveList(); });
    if (!built.ok) {
        platform_.error(built.error);
        return;
    }
    if (!built.error.isEmpty())
        platform_.warning(built.error);
    for (const QString& name : built.names)
        listtypemenu::addEntry(ui_->Listetype1, name);
}

void Tfrm_main::Nouvellelistetype1Click() {
    // The products must carry their numbers before any list type refers to them.
    Listetype1Click();

    // The preset name counts the menu's entries, separator included, minus one: the number
    // of list types plus one.
    const int number = static_cast<int>(ui_->Listetype1->actions().size()) - 1;
    Tfrm_nliste dialog(data_, listTypePath(), platform_, number, this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    // Saving under a name already present replaced that list type's products in the file; the
    // menu still gains an entry, and every entry of that name applies the new products.
    listtypemenu::addEntry(ui_->Listetype1, dialog.savedName());
}

void Tfrm_main::newitemclick(QAction* entry) {
    if (!entry)
        return;
    const bool marked = entry->property(kAppliedMark).toBool();
    Tfrm_liste dialog(listtypemenu::caption(entry), data_, listTypePath(),
                      listtypes::addOneUnit(commands_, gestureContext()), this);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    showApplied(entry, marked || confirmed);
    // The products were added whatever the box's end; under the shop filter the total must
    // count only the rows shown again.
    commands_.recomputeTotal();
    showProduct();
}
