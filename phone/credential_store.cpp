#include "phone/credential_store.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace {

const QString kService = QStringLiteral("Paniva");

// Runs a keychain job to its end; true when it succeeded.
bool run(QKeychain::Job& job, QString* error) {
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    if (job.error() == QKeychain::NoError) {
        error->clear();
        return true;
    }
    *error = QStringLiteral("Trousseau de clés : %1").arg(job.errorString());
    return false;
}

} // namespace

std::optional<QString> accountPassword(CredentialStore& store, const QString& url,
                                       const QString& user) {
    if (user.isEmpty())
        return std::nullopt;
    if (std::optional<QString> p = store.password(url, user))
        return p;
    if (qEnvironmentVariableIsSet(kPasswordVariable))
        return qEnvironmentVariable(kPasswordVariable);
    return std::nullopt;
}

std::optional<QString> KeychainStore::password(const QString& url, const QString& user) {
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(keyFor(url, user));
    if (!run(job, &error_))
        return std::nullopt;
    return job.textData();
}

bool KeychainStore::setPassword(const QString& url, const QString& user, const QString& password) {
    QKeychain::WritePasswordJob job(kService);
    job.setKey(keyFor(url, user));
    job.setTextData(password);
    return run(job, &error_);
}

bool KeychainStore::removePassword(const QString& url, const QString& user) {
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(keyFor(url, user));
    return run(job, &error_);
}
