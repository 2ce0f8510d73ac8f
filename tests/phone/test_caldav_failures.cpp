// What goes wrong between the desktop and a server: refusals, server errors, answers that are not
// XML or not iCalendar, no server, no answer, cancellation, credentials that must not leave in
// clear, and the exact ETag sent back.

#include "dav_call.h"
#include "fake_credentials.h"
#include "phone/credential_store.h"
#include "phone/phone_sync.h"
#include "scripted_http_server.h"
#include "support/test_registry.h"

#include <QtTest>

namespace {

using Answer = ScriptedHttpServer::Answer;

const QByteArray kTicked = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:u1\r\n"
                           "SUMMARY:Lait ×1\r\nX-PANIVA-PRODUIT:Lait\r\nSTATUS:COMPLETED\r\n"
                           "END:VTODO\r\nEND:VCALENDAR\r\n";

Answer status(int code, const QByteArray& body = QByteArray()) {
    Answer a;
    a.status = code;
    a.body = body;
    return a;
}

ShoppingTask row(const QString& product) {
    ShoppingTask t;
    t.product = product;
    return t;
}

} // namespace

class TestCaldavFailures : public QObject {
    Q_OBJECT

    // Runs a fetch (or a send when rows are given) against the server; the outcome.
    static PhoneSync::Outcome exchange(ScriptedHttpServer& server,
                                       const QList<ShoppingTask>* rows = nullptr,
                                       const QString& user = QString()) {
        CaldavClient client(CaldavAccount{QUrl(QString::fromLatin1(server.url("/l/"))), user,
                                          QStringLiteral("pw")});
        client.setTimeout(2000);
        SyncState state;
        PhoneSync sync(client, state);
        return runSync(sync, [&] { rows ? sync.send(*rows) : sync.fetch(); });
    }

private slots:
    void refusalsAndServerErrorsAreToldInFrench_data() {
        QTest::addColumn<int>("propfind");
        QTest::addColumn<int>("report");
        QTest::addColumn<QString>("expected");
        QTest::newRow("401") << 401 << 207 << "identifiants refusés par le serveur (401)";
        QTest::newRow("403") << 403 << 207 << "accès refusé par le serveur (403)";
        QTest::newRow("404") << 404 << 207 << "aucune liste de tâches à cette adresse (404)";
        QTest::newRow("500 on reading") << 207 << 500 << "erreur du serveur (500)";
        QTest::newRow("redirection") << 301 << 207 << "renvoie ailleurs (301)";
    }
    void refusalsAndServerErrorsAreToldInFrench() {
        QFETCH(int, propfind);
        QFETCH(int, report);
        QFETCH(QString, expected);
        ScriptedHttpServer server([&](const auto& req) {
            if (req.method == "PROPFIND")
                return propfind == 207 ? ScriptedHttpServer::collection() : status(propfind);
            return report == 207 ? ScriptedHttpServer::tasks({})
                                 : status(report, "<html>oops</html>");
        });
        const QList<ShoppingTask> rows{row(QStringLiteral("Lait"))};
        const PhoneSync::Outcome o = exchange(server, &rows);
        QVERIFY(!o.ok);
        QVERIFY2(o.error.contains(expected), qPrintable(o.error));
        QVERIFY(o.error.startsWith(QStringLiteral("Lecture de la liste de tâches")));
        for (const auto& req : server.requests)
            QVERIFY(req.method != "PUT");
    }

    void answersThatAreNotXmlAreRefused_data() {
        QTest::addColumn<QByteArray>("propfindBody");
        QTest::addColumn<QByteArray>("reportBody");
        QTest::addColumn<QString>("expected");
        const QByteArray good = ScriptedHttpServer::collection().body;
        QTest::newRow("cut collection")
            << good.left(good.size() / 2) << QByteArray() << "réponse XML du serveur illisible";
        QTest::newRow("html collection") << QByteArray("<html><body>Bienvenue</body></html>")
                                         << QByteArray() << "pas de multistatus";
        QTest::newRow("empty collection") << QByteArray() << QByteArray() << "illisible";
        QTest::newRow("broken tasks")
            << good << QByteArray("<multistatus xmlns=\"DAV:\"><response>&bad;")
            << "réponse XML du serveur illisible";
    }
    void answersThatAreNotXmlAreRefused() {
        QFETCH(QByteArray, propfindBody);
        QFETCH(QByteArray, reportBody);
        QFETCH(QString, expected);
        ScriptedHttpServer server([&](const auto& req) {
            return status(207, req.method == "PROPFIND" ? propfindBody : reportBody);
        });
        const PhoneSync::Outcome o = exchange(server);
        QVERIFY(!o.ok);
        QVERIFY2(o.error.contains(expected), qPrintable(o.error));
    }

    void unreadableTasksAreLeftAloneAndReported() {
        const QByteArray broken = "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY Lait\r\n";
        ScriptedHttpServer server([&](const auto& req) {
            if (req.method == "PROPFIND")
                return ScriptedHttpServer::collection();
            if (req.method == "REPORT")
                return ScriptedHttpServer::tasks(
                    {{"/l/a.ics", "\"1\"", broken}, {"/l/b.ics", "\"2\"", kTicked}});
            return status(201);
        });
        const PhoneSync::Outcome read = exchange(server);
        QVERIFY(read.ok);
        QCOMPARE(read.ticked, QStringList{QStringLiteral("Lait")});
        QCOMPARE(read.warnings.size(), 1);
        QVERIFY(read.warnings[0].contains(QStringLiteral("a.ics")));
    }

    void noServerNoAnswerAndCancelEndInFrench() {
        // Nothing listens on the port.
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        {
            CaldavClient client(CaldavAccount{
                QUrl(QStringLiteral("http://127.0.0.1:%1/l/").arg(closedPort)), {}, {}});
            SyncState state;
            PhoneSync sync(client, state);
            const PhoneSync::Outcome o = runSync(sync, [&] { sync.fetch(); });
            QVERIFY(!o.ok);
            QVERIFY2(o.error.contains(QStringLiteral("injoignable")), qPrintable(o.error));
        }
        ScriptedHttpServer silent([](const auto&) {
            Answer a;
            a.silent = true;
            return a;
        });
        {
            CaldavClient client(
                CaldavAccount{QUrl(QString::fromLatin1(silent.url("/l/"))), {}, {}});
            client.setTimeout(300);
            SyncState state;
            PhoneSync sync(client, state);
            const PhoneSync::Outcome o = runSync(sync, [&] { sync.fetch(); });
            QVERIFY(!o.ok);
            QVERIFY2(o.error.contains(QStringLiteral("ne répond pas")), qPrintable(o.error));
        }
        {
            CaldavClient client(
                CaldavAccount{QUrl(QString::fromLatin1(silent.url("/l/"))), {}, {}});
            SyncState state;
            PhoneSync sync(client, state);
            QTimer::singleShot(100, &sync, &PhoneSync::cancel);
            QElapsedTimer clock;
            clock.start();
            const PhoneSync::Outcome o = runSync(sync, [&] { sync.fetch(); });
            QVERIFY(clock.elapsed() < 5000);
            QVERIFY(!o.ok);
            QCOMPARE(o.error, QStringLiteral("Opération annulée"));
            QVERIFY(!sync.busy());
        }
    }

    void anAnswerOverTheCapIsRefused() {
        // A task list whose answer is far bigger than the client takes.
        QList<std::tuple<QByteArray, QByteArray, QByteArray>> many;
        for (int i = 0; i < 40; ++i)
            many.append({"/l/t" + QByteArray::number(i) + ".ics", "\"1\"", kTicked});
        ScriptedHttpServer server([&](const auto& req) {
            return req.method == "PROPFIND" ? ScriptedHttpServer::collection()
                                            : ScriptedHttpServer::tasks(many);
        });
        auto fetchWithCap = [&](qint64 cap) {
            CaldavClient client(
                CaldavAccount{QUrl(QString::fromLatin1(server.url("/l/"))), {}, {}});
            client.setMaxResponseBytes(cap);
            SyncState state;
            PhoneSync sync(client, state);
            return runSync(sync, [&] { sync.fetch(); });
        };
        QCOMPARE(CaldavClient(CaldavAccount{}).maxResponseBytes(), 32 * 1024 * 1024);
        const PhoneSync::Outcome refused = fetchWithCap(4096);
        QVERIFY(!refused.ok);
        QVERIFY2(refused.error.contains(QStringLiteral("trop volumineuse")),
                 qPrintable(refused.error));
        QVERIFY(refused.ticked.isEmpty());
        // The same answer under the cap is read.
        const PhoneSync::Outcome read = fetchWithCap(1024 * 1024);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.tasksRead, 40);
    }

    void credentialsTravelOnlyWhereTheyMay() {
        // Plain http to another machine: nothing is sent at all.
        CaldavClient far(CaldavAccount{QUrl(QStringLiteral("http://courses.example.invalid/l/")),
                                       QStringLiteral("marie"), QStringLiteral("pw")});
        const DavResponse refused = davCall([&](auto done) { far.get(far.collectionUrl(), done); });
        QVERIFY(!refused.answered());
        QVERIFY(refused.error.contains(QStringLiteral("en clair")));
        QCOMPARE(far.requestCount(), 0);
        QVERIFY(CaldavClient::credentialsRefusal(QUrl(QStringLiteral("https://x.example/")),
                                                 QStringLiteral("marie"))
                    .isEmpty());
        QVERIFY(
            CaldavClient::credentialsRefusal(QUrl(QStringLiteral("http://x.example/")), QString())
                .isEmpty());
        QVERIFY(CaldavClient::credentialsRefusal(QUrl(QStringLiteral("http://[::1]:8/")),
                                                 QStringLiteral("marie"))
                    .isEmpty());

        // To this machine: Basic with a user, nothing without one.
        ScriptedHttpServer server([](const auto& req) {
            return req.method == "PROPFIND" ? ScriptedHttpServer::collection()
                                            : ScriptedHttpServer::tasks({});
        });
        QVERIFY(exchange(server, nullptr, QStringLiteral("marie")).ok);
        QCOMPARE(server.requests[0].headers.value("authorization"),
                 "Basic " + QByteArray("marie:pw").toBase64());
        server.requests.clear();
        QVERIFY(exchange(server).ok);
        QVERIFY(!server.requests[0].headers.contains("authorization"));
    }

    void writesNameTheVersionExactlyAsReceived() {
        // A weak ETag with odd characters comes back byte for byte in If-Match.
        const QByteArray etag = "W/\"a;b \\\"c\\\"\"";
        ScriptedHttpServer server([&](const auto& req) {
            if (req.method == "PROPFIND")
                return ScriptedHttpServer::collection();
            if (req.method == "REPORT")
                return ScriptedHttpServer::tasks({{"/l/u1.ics", etag, kTicked}});
            Answer a = status(204);
            a.headers = {{"ETag", "\"next\""}};
            return a;
        });
        CaldavClient client(CaldavAccount{QUrl(QString::fromLatin1(server.url("/l/"))), {}, {}});
        SyncState state;
        state.entries.append(SyncEntry{QStringLiteral("Lait"), QStringLiteral("u1"),
                                       QStringLiteral("/l/u1.ics"), "\"old\"", "x"});
        PhoneSync sync(client, state);
        const PhoneSync::Outcome o = runSync(sync, [&] {
            sync.send({row(QStringLiteral("Lait")), row(QStringLiteral("Pain"))});
        });
        QVERIFY2(o.ok, qPrintable(o.error));
        QList<ScriptedHttpServer::Request> puts;
        for (const auto& r : server.requests)
            if (r.method == "PUT")
                puts << r;
        QCOMPARE(puts.size(), 2);
        const auto update = std::find_if(puts.begin(), puts.end(),
                                         [](const auto& r) { return r.path == "/l/u1.ics"; });
        QVERIFY(update != puts.end());
        QCOMPARE(update->headers.value("if-match"), etag);
        QVERIFY(!update->headers.contains("if-none-match"));
        QVERIFY(update->body.contains("STATUS:COMPLETED")); // the phone's tick kept
        const auto created = std::find_if(puts.begin(), puts.end(),
                                          [](const auto& r) { return r.path != "/l/u1.ics"; });
        QCOMPARE(created->headers.value("if-none-match"), QByteArray("*"));
        QCOMPARE(state.find(QStringLiteral("Lait"))->etag, QByteArray("\"next\""));
    }

    void passwordComesFromTheKeyringElseTheEnvironment() {
        FakeCredentialStore store;
        const QString url = QStringLiteral("https://dav.example/l/");
        qunsetenv(kPasswordVariable);
        QCOMPARE(accountPassword(store, url, QStringLiteral("marie")), std::nullopt);
        qputenv(kPasswordVariable, "depuis-env");
        QCOMPARE(accountPassword(store, url, QStringLiteral("marie")),
                 std::optional<QString>(QStringLiteral("depuis-env")));
        store.setPassword(url, QStringLiteral("marie"), QStringLiteral("trousseau"));
        QCOMPARE(accountPassword(store, url, QStringLiteral("marie")),
                 std::optional<QString>(QStringLiteral("trousseau")));
        // No user name: no password asked for at all.
        const int reads = store.reads;
        QCOMPARE(accountPassword(store, url, QString()), std::nullopt);
        QCOMPARE(store.reads, reads);
        qunsetenv(kPasswordVariable);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestCaldavFailures)
#include "test_caldav_failures.moc"
