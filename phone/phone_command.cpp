#include "phone/phone_command.h"

#include "model/list_file.h"
#include "model/regional_settings.h"
#include "model/settings.h"
#include "model/shopping_commands.h"
#include "phone/credential_store.h"
#include "phone/list_tasks.h"
#include "phone/phone_sync.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTextStream>

namespace phonecmd {

namespace {

constexpr char kSection[] = "TELEPHONE";

QString count(int n, const char* one, const char* many) {
    return QString::number(n) + u' ' + QString::fromUtf8(n > 1 ? many : one);
}

void waitFor(PhoneSync& sync) {
    if (!sync.busy())
        return;
    QEventLoop loop;
    QObject::connect(&sync, &PhoneSync::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

Result failure(const QString& error) {
    return Result{Failure, QString(), error};
}

} // namespace

QString usage() {
    return QStringLiteral("Usage : kabiro --envoyer LISTE.pnv   (envoie la liste au téléphone)\n"
                          "        kabiro --relever LISTE.pnv   (relève les produits cochés, "
                          "les valide et enregistre la liste)");
}

Result run(const Request& req, CredentialStore& store) {
    const IniFile ini(settings::filePath(req.directory));
    const QString url = ini.readString(kSection, "URL", QString()).trimmed();
    const QString user = ini.readString(kSection, "Utilisateur", QString()).trimmed();
    if (url.isEmpty())
        return failure(QStringLiteral("Aucune liste de tâches : indiquez son adresse dans %1, "
                                      "section [TELEPHONE], clé URL")
                           .arg(ini.path()));
    CaldavAccount account{QUrl(url), user, QString()};
    if (!account.collection.isValid())
        return failure(QStringLiteral("Adresse de liste de tâches invalide : %1").arg(url));
    if (!user.isEmpty()) {
        const std::optional<QString> pw = accountPassword(store, url, user);
        if (!pw)
            return failure(QStringLiteral("Aucun mot de passe pour %1 : enregistrez-le dans "
                                          "« Téléphone (CalDAV)... » ou donnez-le dans la "
                                          "variable %2")
                               .arg(user, QString::fromLatin1(kPasswordVariable)));
        account.password = *pw;
    }

    ShoppingData data;
    QString error;
    const QString listPath = QDir(req.directory).filePath(req.listFile);
    if (!listfile::load(listPath, data, &error))
        return failure(error);

    const QString statePath = syncFilePath(req.directory, req.listFile);
    SyncState state;
    if (!state.load(statePath, url, &error))
        return failure(error);

    CaldavClient client(account);
    client.setTimeout(req.timeoutMs);
    PhoneSync sync(client, state);

    if (req.action == Action::Send) {
        sync.send(tasksFromList(data));
        waitFor(sync);
        const PhoneSync::Outcome& o = sync.outcome();
        // What was written is recorded even after a failure, so nothing is doubled next time.
        QString stateError;
        const bool stateSaved = state.save(statePath, &stateError);
        if (!o.ok)
            return failure(o.error);
        if (!stateSaved)
            return failure(stateError);
        Result r;
        r.summary = QStringLiteral("Envoyé au téléphone : %1, %2, %3, %4.")
                        .arg(count(o.created, "tâche créée", "tâches créées"),
                             count(o.updated, "modifiée", "modifiées"),
                             count(o.deleted, "supprimée", "supprimées"),
                             count(o.unchanged, "inchangée", "inchangées"));
        for (const QString& w : o.warnings)
            r.summary += u'\n' + w;
        return r;
    }

    sync.fetch();
    waitFor(sync);
    const PhoneSync::Outcome fetched = sync.outcome();
    if (!fetched.ok)
        return failure(fetched.error);
    Result r;
    QString warnings;
    for (const QString& w : fetched.warnings)
        warnings += u'\n' + w;
    if (fetched.ticked.isEmpty()) {
        r.summary = QStringLiteral("Relevé du téléphone : aucun produit coché.") + warnings;
        state.save(statePath, nullptr);
        return r;
    }

    const IniFile settingsFile(settings::filePath(req.directory));
    const AppSettings s = AppSettings::readAtStart(settingsFile, AppSettings::mainDefaults());
    ShoppingCommands commands(data);
    const GestureContext ctx{req.today, s.delayCoef};
    const int validated = commands.validatePurchased(
        ctx, RegionalSettings::system().longDate(req.today), fetched.ticked);
    if (data.modified() && !listfile::save(listPath, data, &error))
        return failure(error);

    // The list is saved: the tasks of the bought products leave the phone. Should that fail, the
    // next send deletes them, since their rows are gone.
    sync.removeTasks(fetched.ticked);
    waitFor(sync);
    const PhoneSync::Outcome removed = sync.outcome();
    state.save(statePath, nullptr);

    r.summary = QStringLiteral("Relevé du téléphone : %1 (%2) ; %3 sur la liste.")
                    .arg(count(validated, "produit coché validé", "produits cochés validés"),
                         fetched.ticked.join(QStringLiteral(", ")),
                         count(data.list.recordCount(), "ligne reste", "lignes restent"));
    if (!removed.ok)
        r.summary +=
            QStringLiteral("\nAttention : les tâches cochées restent sur le serveur (%1) ; "
                           "le prochain envoi les supprimera.")
                .arg(removed.error);
    r.summary += warnings;
    return r;
}

std::optional<int> runFromArguments(int argc, char** argv) {
    std::optional<Action> action;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--envoyer")
            action = Action::Send;
        else if (a == "--relever")
            action = Action::Fetch;
    }
    if (!action)
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const bool wellFormed = args.size() == 2 &&
                            (args[0] == u"--envoyer" || args[0] == u"--relever") &&
                            !args[1].isEmpty() && !args[1].startsWith(u'-');
    if (!wellFormed) {
        err << usage() << Qt::endl;
        return BadUsage;
    }
    Request req;
    req.action = *action;
    req.listFile = args[1];
    req.directory = QDir::currentPath();
    // The window's testing aid KABIRO_TODAY=yyyy-MM-dd fixes the day here too.
    const QDate fixed =
        QDate::fromString(qEnvironmentVariable("KABIRO_TODAY").trimmed(), Qt::ISODate);
    req.today = fixed.isValid() ? fixed : QDate::currentDate();
    KeychainStore keyring;
    const Result r = run(req, keyring);
    if (!r.summary.isEmpty())
        out << r.summary << Qt::endl;
    if (!r.error.isEmpty())
        err << QStringLiteral("ERREUR : ") << r.error << Qt::endl;
    return r.exitCode;
}

} // namespace phonecmd
