// The phone: the shopping list sent to a task list of the household's CalDAV server, and the
// products ticked there read back and validated. Every exchange runs in the background under a
// progress box with "Annuler"; the window keeps repainting meanwhile.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "dialogs/telephone.h"
#include "model/platform.h"
#include "model/undo_history.h"
#include "phone/credential_store.h"
#include "phone/list_tasks.h"
#include "phone/phone_session.h"

#include <QAction>
#include <QPointer>
#include <QProgressDialog>

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
    connect(ui_->smenu_telephone, &QAction::triggered, this, &Tfrm_main::smenu_telephoneClick);
    connect(ui_->smenu_envoyer, &QAction::triggered, this, &Tfrm_main::smenu_envoyerClick);
    connect(ui_->smenu_relever, &QAction::triggered, this, &Tfrm_main::smenu_releverClick);
}

CredentialStore& Tfrm_main::credentials() {
    if (hooks_.credentials)
        return *hooks_.credentials;
    if (!keyring_)
        keyring_ = std::make_unique<KeychainStore>();
    return *keyring_;
}

void Tfrm_main::smenu_telephoneClick() {
    Tfrm_telephone dialog(platform_, credentials(), startDir_, this);
    dialog.exec();
}

PhoneSession* Tfrm_main::openPhoneSession() {
    if (phone_ && phone_->busy())
        return nullptr; // the progress box of the exchange under way is up
    endSheetEdit();
    phone_ = std::make_unique<PhoneSession>(startDir_, fileName_, credentials());
    QString error;
    if (!phone_->open(&error)) {
        phone_.reset();
        platform_.error(error, phoneTitle());
        return nullptr;
    }
    return phone_.get();
}

void Tfrm_main::runPhoneExchange(const QString& label, const std::function<void()>& start,
                                 const std::function<void()>& done) {
    auto* box = new QProgressDialog(label, QStringLiteral("Annuler"), 0, 0, this);
    box->setObjectName(QStringLiteral("phoneProgress"));
    box->setWindowTitle(phoneTitle());
    box->setWindowModality(Qt::WindowModal);
    box->setMinimumDuration(0);
    box->setAutoClose(false);
    box->setAutoReset(false);
    PhoneSession* session = phone_.get();
    connect(box, &QProgressDialog::canceled, session, &PhoneSession::cancel);
    connect(session, &PhoneSession::progress, box, [box](int doneOps, int total) {
        box->setMaximum(total);
        box->setValue(doneOps);
    });
    // Queued: what follows (messages, questions, the next exchange) runs once the session has
    // left its own signal.
    auto conn = std::make_shared<QMetaObject::Connection>();
    *conn = connect(
        session, &PhoneSession::finished, this,
        [box, conn, done] {
            QObject::disconnect(*conn);
            box->disconnect();
            box->hide();
            box->deleteLater();
            done();
        },
        Qt::QueuedConnection);
    box->show();
    start();
}

void Tfrm_main::smenu_envoyerClick() {
    PhoneSession* session = openPhoneSession();
    if (!session)
        return;
    const QList<ShoppingTask> rows = tasksFromList(data_);
    runPhoneExchange(
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
    PhoneSession* session = openPhoneSession();
    if (!session)
        return;
    runPhoneExchange(
        QStringLiteral("Relevé des produits cochés sur le téléphone..."),
        [session] { session->fetch(); }, [this] { phoneFetched(); });
}

void Tfrm_main::phoneFetched() {
    PhoneSession* session = phone_.get();
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
    validatePhonePurchases(fetched.ticked);

    // The bought products' tasks leave the phone. Should that fail, their rows are gone, so the
    // next send deletes them.
    runPhoneExchange(
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

int Tfrm_main::validatePhonePurchases(const QStringList& products) {
    gestureStart();
    const GestureContext ctx = gestureContext();
    int validated = 0;
    {
        // The products ticked on the phone are validated as one step of the history.
        UndoStep step(data_.history, QStringLiteral("Relevé du téléphone"));
        validated =
            commands_.validatePurchased(ctx, platform_.regional().longDate(ctx.today), products);
    }
    showValidationText();
    return validated;
}
