// The phone: the shopping list sent to a task list of the household's CalDAV server, and the
// products ticked there read back and validated. Every exchange runs in the background under a
// progress box with "Annuler"; the window keeps repainting meanwhile.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/phone_link.h"
#include "dialogs/telephone.h"
#include "model/platform.h"
#include "model/undo_history.h"
#include "phone/list_tasks.h"
#include "phone/phone_session.h"

#include <QAction>

namespace {

QString phoneTitle() {
    return QStringLiteral("Téléphone");
}

QString count(int n, const char* one, const char* many) {
    return QString::number(n) + u' ' + QString::fromUtf8(n > 1 ? many : one);
}

bool cancelled(const PhoneSync::Outcome& o) {
    return o.error == QStringLiteral("Opération annulée");
}

} // namespace

void Tfrm_main::setupPhone() {
    phone_ = std::make_unique<PhoneLink>(platform_, hooks_.credentials, this);
    connect(ui_->smenu_telephone, &QAction::triggered, this, &Tfrm_main::smenu_telephoneClick);
    connect(ui_->smenu_envoyer, &QAction::triggered, this, &Tfrm_main::smenu_envoyerClick);
    connect(ui_->smenu_relever, &QAction::triggered, this, &Tfrm_main::smenu_releverClick);
}

void Tfrm_main::smenu_telephoneClick() {
    Tfrm_telephone dialog(platform_, phone_->credentials(), startDir_, this);
    dialog.exec();
}

void Tfrm_main::smenu_envoyerClick() {
    endSheetEdit();
    PhoneSession* session = phone_->open(startDir_, fileName_);
    if (!session)
        return;
    const QList<ShoppingTask> rows = tasksFromList(data_);
    phone_->run(
        QStringLiteral("Envoi de la liste au téléphone..."),
        [session, rows] { session->send(rows); },
        [this, session] {
            const PhoneSync::Outcome& o = session->outcome();
            if (!o.ok) {
                if (!cancelled(o))
                    platform_.error(o.error, phoneTitle());
            } else if (!session->stateError().isEmpty()) {
                platform_.error(session->stateError(), phoneTitle());
            } else {
                QString text = QStringLiteral("Liste envoyée au téléphone : %1, %2, %3, %4.")
                                   .arg(count(o.created, "tâche créée", "tâches créées"),
                                        count(o.updated, "modifiée", "modifiées"),
                                        count(o.deleted, "supprimée", "supprimées"),
                                        count(o.unchanged, "inchangée", "inchangées"));
                for (const QString& w : o.warnings)
                    text += QStringLiteral("\r\n") + w;
                platform_.message({phoneTitle(), text, Platform::Icon::Information});
            }
        });
}

void Tfrm_main::smenu_releverClick() {
    endSheetEdit();
    PhoneSession* session = phone_->open(startDir_, fileName_);
    if (!session)
        return;
    phone_->run(
        QStringLiteral("Relevé des produits cochés sur le téléphone..."),
        [session] { session->fetch(); }, [this, session] { phoneFetched(session); });
}

void Tfrm_main::phoneFetched(PhoneSession* session) {
    const PhoneSync::Outcome fetched = session->outcome();
    if (!fetched.ok) {
        if (!cancelled(fetched))
            platform_.error(fetched.error, phoneTitle());
        return;
    }
    if (fetched.ticked.isEmpty()) {
        platform_.message({phoneTitle(),
                           QStringLiteral("Aucun produit n'a été coché sur le téléphone."),
                           Platform::Icon::Information});
        return;
    }
    if (!platform_.confirm(tickedQuestion(static_cast<int>(fetched.ticked.size())), phoneTitle()))
        return; // the ticks stay on the phone for a later reading
    gestureStart();
    {
        // The ticked products are validated as "Valide" does, in one step of the history.
        const GestureContext ctx = gestureContext();
        UndoStep step(data_.history, QStringLiteral("Relevé du téléphone"));
        commands_.validatePurchased(ctx, platform_.regional().longDate(ctx.today), fetched.ticked);
    }
    showValidationText();

    // The bought products' tasks leave the phone. Should that fail, their rows are gone, so the
    // next send deletes them.
    phone_->run(
        QStringLiteral("Suppression des tâches cochées sur le téléphone..."),
        [session, products = fetched.ticked] { session->removeTasks(products); },
        [this, session] {
            const PhoneSync::Outcome& o = session->outcome();
            if (!o.ok)
                platform_.warning(QStringLiteral("Les achats sont validés, mais les tâches "
                                                 "cochées restent sur le serveur (%1) ; le "
                                                 "prochain envoi les supprimera.")
                                      .arg(o.error),
                                  phoneTitle());
        });
}
