#include "phone/phone_session.h"

#include "model/ini_file.h"
#include "model/settings.h"
#include "phone/credential_store.h"

PhoneSession::Settings PhoneSession::readSettings(const QString& directory) {
    const IniFile ini(settings::filePath(directory));
    return Settings{ini.readString(kSection, "URL", QString()).trimmed(),
                    ini.readString(kSection, "Utilisateur", QString()).trimmed()};
}

bool PhoneSession::writeSettings(const QString& directory, const Settings& s, QString* error) {
    IniFile ini(settings::filePath(directory));
    if (ini.batch()
            .writeString(kSection, "URL", s.url)
            .writeString(kSection, "Utilisateur", s.user)
            .commit())
        return true;
    if (error)
        *error = ini.lastError();
    return false;
}

PhoneSession::PhoneSession(QString directory, QString listFile, CredentialStore& store,
                           QObject* parent)
    : QObject(parent), directory_(std::move(directory)), listFile_(std::move(listFile)),
      store_(store), statePath_(syncFilePath(directory_, listFile_)) {}

PhoneSession::~PhoneSession() {
    sync_.reset(); // cancels an exchange under way before the client goes
}

bool PhoneSession::open(QString* error) {
    const Settings s = readSettings(directory_);
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (s.url.isEmpty())
        return fail(QStringLiteral("Aucune liste de tâches : indiquez son adresse dans "
                                   "« Téléphone (CalDAV)... » (%1, section [TELEPHONE], clé URL)")
                        .arg(settings::filePath(directory_)));
    CaldavAccount account{QUrl(s.url), s.user, QString()};
    if (!account.collection.isValid() || account.collection.isRelative())
        return fail(QStringLiteral("Adresse de liste de tâches invalide : %1").arg(s.url));
    if (!s.user.isEmpty()) {
        const std::optional<QString> pw = accountPassword(store_, s.url, s.user);
        if (!pw)
            return fail(QStringLiteral("Aucun mot de passe pour %1 : enregistrez-le dans "
                                       "« Téléphone (CalDAV)... » ou donnez-le dans la "
                                       "variable %2")
                            .arg(s.user, QString::fromLatin1(kPasswordVariable)));
        account.password = *pw;
    }
    QString why;
    if (!state_.load(statePath_, s.url, &why))
        return fail(why);
    sync_.reset();
    client_ = std::make_unique<CaldavClient>(account);
    sync_ = std::make_unique<PhoneSync>(*client_, state_);
    connect(sync_.get(), &PhoneSync::progress, this, &PhoneSession::progress);
    connect(sync_.get(), &PhoneSync::finished, this, [this] {
        stateError_.clear();
        state_.save(statePath_, &stateError_);
        emit finished();
    });
    return true;
}

void PhoneSession::setTimeout(int ms) {
    if (client_)
        client_->setTimeout(ms);
}

void PhoneSession::send(const QList<ShoppingTask>& rows) {
    sync_->send(rows);
}

void PhoneSession::fetch() {
    sync_->fetch();
}

void PhoneSession::removeTasks(const QStringList& products) {
    sync_->removeTasks(products);
}

void PhoneSession::cancel() {
    if (sync_)
        sync_->cancel();
}

QString tickedQuestion(int count) {
    return QStringLiteral(
               "%1 produits ont été cochés sur le téléphone.\r\nValidez-vous ces achats ?")
        .arg(count);
}
