#include "dialogs/global_operations_command.h"

#include "dialogs/req_glob.h"
#include "model/list_file.h"
#include "model/platform.h"
#include "model/shopping_data.h"

GlobalOperationsResult runGlobalOperations(QWidget* parent, ShoppingData& data, Platform& platform,
                                           double euroRate, int coefDelai,
                                           const GlobalOperationsHooks& hooks) {
    // Cancel can only undo by reading back a file written just now: without it the dialog does
    // not open.
    QString why;
    if (!hooks.saveList || !hooks.saveList(&why)) {
        QString text = QStringLiteral("Les requêtes globales ne peuvent s'ouvrir que sur une liste "
                                      "enregistrée, pour que Annule puisse tout défaire.");
        if (!why.isEmpty())
            text = why + QStringLiteral("\r\n\r\n") + text;
        platform.warning(text);
        return GlobalOperationsResult::NotOpened;
    }
    const QString path = hooks.listPath ? hooks.listPath() : QString();

    Tfrm_requete dialog(data, platform, euroRate, coefDelai, hooks.recomputeTotal, parent);
    const bool accepted = hooks.exec ? hooks.exec(dialog) : dialog.exec() == QDialog::Accepted;
    if (accepted)
        return GlobalOperationsResult::Accepted;

    QString error;
    if (!listfile::load(path, data, &error)) {
        platform.error(error + QStringLiteral("\r\n\r\nLes modifications faites dans les "
                                              "requêtes globales sont conservées."));
        return GlobalOperationsResult::RestoreFailed;
    }
    data.setShopFilter(false);
    data.setModified(false);
    if (hooks.afterLoad)
        hooks.afterLoad();
    return GlobalOperationsResult::Cancelled;
}
