#include "phone/phone_command.h"

#include "model/list_file.h"
#include "model/regional_settings.h"
#include "model/settings.h"
#include "model/shopping_commands.h"
#include "phone/credential_store.h"
#include "phone/list_tasks.h"
#include "phone/phone_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTextStream>

namespace phonecmd {

namespace {

QString count(int n, const char* one, const char* many) {
    return QString::number(n) + u' ' + QString::fromUtf8(n > 1 ? many : one);
}

void waitFor(PhoneSession& session) {
    if (!session.busy())
        return;
    QEventLoop loop;
    QObject::connect(&session, &PhoneSession::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

Result failure(const QString& error) {
    return Result{Failure, QString(), error};
}

QString warningLines(const PhoneSync::Outcome& o) {
    QString out;
    for (const QString& w : o.warnings)
        out += u'\n' + w;
    return out;
}

} // namespace

QString usage() {
    return QStringLiteral("Usage : kabiro --envoyer LISTE.pnv   (envoie la liste au téléphone)\n"
                          "        kabiro --relever LISTE.pnv   (relève les produits cochés, "
                          "les valide et enregistre la liste)");
}

Result run(const Request& req, CredentialStore& store) {
    PhoneSession session(req.directory, req.listFile, store);
    QString error;
    if (!session.open(&error))
        return failure(error);
    session.setTimeout(req.timeoutMs);

    ShoppingData data;
    const QString listPath = QDir(req.directory).filePath(req.listFile);
    if (!listfile::load(listPath, data, &error))
        return failure(error);

    if (req.action == Action::Send) {
        session.send(tasksFromList(data));
        waitFor(session);
        const PhoneSync::Outcome& o = session.outcome();
        if (!o.ok)
            return failure(o.error);
        if (!session.stateError().isEmpty())
            return failure(session.stateError());
        Result r;
        r.summary = QStringLiteral("Envoyé au téléphone : %1, %2, %3, %4.")
                        .arg(count(o.created, "tâche créée", "tâches créées"),
                             count(o.updated, "modifiée", "modifiées"),
                             count(o.deleted, "supprimée", "supprimées"),
                             count(o.unchanged, "inchangée", "inchangées")) +
                    warningLines(o);
        return r;
    }

    session.fetch();
    waitFor(session);
    const PhoneSync::Outcome fetched = session.outcome();
    if (!fetched.ok)
        return failure(fetched.error);
    Result r;
    if (fetched.ticked.isEmpty()) {
        r.summary =
            QStringLiteral("Relevé du téléphone : aucun produit coché.") + warningLines(fetched);
        return r;
    }

    const AppSettings s = AppSettings::readAtStart(IniFile(settings::filePath(req.directory)),
                                                   AppSettings::mainDefaults());
    ShoppingCommands commands(data);
    const int validated = commands.validatePurchased(
        {req.today, s.delayCoef}, RegionalSettings::system().longDate(req.today), fetched.ticked);
    if (data.modified() && !listfile::save(listPath, data, &error))
        return failure(error);

    // The list is saved: the tasks of the bought products leave the phone. Should that fail, the
    // next send deletes them, since their rows are gone.
    session.removeTasks(fetched.ticked);
    waitFor(session);
    const PhoneSync::Outcome& removed = session.outcome();

    r.summary = QStringLiteral("Relevé du téléphone : %1 (%2) ; %3 sur la liste.")
                    .arg(count(validated, "produit coché validé", "produits cochés validés"),
                         fetched.ticked.join(QStringLiteral(", ")),
                         count(data.list.recordCount(), "ligne reste", "lignes restent"));
    if (!removed.ok)
        r.summary +=
            QStringLiteral("\nAttention : les tâches cochées restent sur le serveur (%1) ; "
                           "le prochain envoi les supprimera.")
                .arg(removed.error);
    r.summary += warningLines(fetched);
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
