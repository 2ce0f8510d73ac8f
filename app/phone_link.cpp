// One phone session at a time and its exchanges under a progress box.

#include "app/phone_link.h"

#include "model/platform.h"
#include "phone/credential_store.h"
#include "phone/phone_session.h"

#include <QProgressDialog>

PhoneLink::PhoneLink(Platform& platform, CredentialStore* given, QWidget* window)
    : platform_(platform), given_(given), window_(window) {}

PhoneLink::~PhoneLink() {
    // An exchange under way ends without reaching the window.
    if (session_)
        session_->disconnect(this);
}

CredentialStore& PhoneLink::credentials() {
    if (given_)
        return *given_;
    if (!keyring_)
        keyring_ = std::make_unique<KeychainStore>();
    return *keyring_;
}

PhoneSession* PhoneLink::open(const QString& startDir, const QString& listFile) {
    if (session_ && session_->busy())
        return nullptr; // the progress box of the exchange under way is up
    session_ = std::make_unique<PhoneSession>(startDir, listFile, credentials());
    QString error;
    if (!session_->open(&error)) {
        session_.reset();
        platform_.error(error, QStringLiteral("Téléphone"));
        return nullptr;
    }
    return session_.get();
}

void PhoneLink::run(const QString& label, const std::function<void()>& start,
                    const std::function<void()>& done) {
    auto* box = new QProgressDialog(label, QStringLiteral("Annuler"), 0, 0, window_);
    box->setObjectName(QStringLiteral("phoneProgress"));
    box->setWindowTitle(QStringLiteral("Téléphone"));
    box->setWindowModality(Qt::WindowModal);
    box->setMinimumDuration(0);
    box->setAutoClose(false);
    box->setAutoReset(false);
    PhoneSession* session = session_.get();
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
