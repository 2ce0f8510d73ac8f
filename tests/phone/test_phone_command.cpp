// kabiro --envoyer / --relever against a real Radicale: the list goes to the phone, the ticks come
// back as validated purchases saved in the list file; failures change nothing locally.

#include "dav_call.h"
#include "fake_credentials.h"
#include "model/list_file.h"
#include "model/shopping_commands.h"
#include "phone/phone_command.h"
#include "phone/sync_state.h"
#include "radicale_server.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeIni(const QString& dir, const QByteArray& telephone) {
    QFile f(dir + QStringLiteral("/kabiro.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[SAISIE]\r\nCoef_delai=3\r\n[TELEPHONE]\r\n" + telephone);
}

// Lait (planned), Savon (reminder due), Pain: all listed.
void writeList(const QString& path) {
    ShoppingData d;
    Product p;
    p.name = QStringLiteral("Lait demi-écrémé 1 L");
    p.planned = Flag::Yes;
    addProduct(d, p);
    p = Product();
    p.name = QStringLiteral("Savon");
    p.reminder = Flag::Yes;
    p.period = 10;
    p.lastPurchase = QDate(2026, 11, 1);
    addProduct(d, p);
    p = Product();
    p.name = QStringLiteral("Pain");
    addProduct(d, p);
    ShoppingCommands cmd(d);
    for (const QString& n : {QStringLiteral("Lait demi-écrémé 1 L"), QStringLiteral("Savon"),
                             QStringLiteral("Pain")}) {
        select(d.catalogue, n);
        cmd.addOne({QDate(2026, 12, 1), 3});
    }
    QString error;
    QVERIFY2(listfile::save(path, d, &error), qPrintable(error));
}

} // namespace

class TestPhoneCommand : public QObject {
    Q_OBJECT

    std::unique_ptr<RadicaleServer> server_;

    phonecmd::Request request(const QString& dir, phonecmd::Action action) {
        phonecmd::Request r;
        r.action = action;
        r.listFile = QStringLiteral("liste.pnv");
        r.directory = dir;
        r.today = QDate(2026, 12, 9);
        r.timeoutMs = 5000;
        return r;
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("radicale")).isEmpty())
            QSKIP("radicale is not installed");
        server_ = std::make_unique<RadicaleServer>();
        QVERIFY2(server_->start(), qPrintable(server_->error()));
    }
    void cleanupTestCase() { server_.reset(); }

    void sendThenFetchValidatesTheTickedProducts() {
        QTemporaryDir dir;
        const QString d = dir.path();
        const QUrl url = server_->url(QStringLiteral("courses/"));
        {
            CaldavClient maker(CaldavAccount{url, {}, {}});
            QEventLoop loop;
            createTaskList(maker, url, QStringLiteral("Courses"),
                           [&](const QString&) { loop.quit(); });
            loop.exec();
        }
        writeIni(d, "URL=" + url.toEncoded() + "\r\nUtilisateur=\r\n");
        writeList(d + QStringLiteral("/liste.pnv"));
        FakeCredentialStore keyring;

        phonecmd::Result r = phonecmd::run(request(d, phonecmd::Action::Send), keyring);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.summary.contains(QStringLiteral("3 tâches créées")), qPrintable(r.summary));
        QCOMPARE(keyring.reads, 0); // no user, no password asked
        SyncState state;
        QVERIFY(state.load(d + QStringLiteral("/liste.sync"), url.toString(), nullptr));
        QCOMPARE(state.entries.size(), 3);

        PhoneApp phone(url);
        for (const char* n : {"Lait demi-écrémé 1 L", "Savon"})
            QVERIFY(phone.edit(state.find(QString::fromUtf8(n))->uid, [](ical::Component& t) {
                t.setRaw(QStringLiteral("STATUS"), QStringLiteral("COMPLETED"));
            }));

        r = phonecmd::run(request(d, phonecmd::Action::Fetch), keyring);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.summary.contains(QStringLiteral("2 produits cochés validés")),
                 qPrintable(r.summary));
        ShoppingData after;
        QString error;
        QVERIFY(listfile::load(d + QStringLiteral("/liste.pnv"), after, &error));
        QCOMPARE(after.list.recordCount(), 1);
        QCOMPARE(field(after.catalogue, QStringLiteral("Lait demi-écrémé 1 L"), Cat::prevu),
                 Flag::No);
        QCOMPARE(mark(after, QStringLiteral("Lait demi-écrémé 1 L")), Flag::NotListed);
        QCOMPARE(purchaseDate(after, QStringLiteral("Savon")), QDate(2026, 12, 9)); // overdue
        QCOMPARE(mark(after, QStringLiteral("Pain")), Flag::Listed);
        QVERIFY(after.validationText.startsWith(u' '));
        // Their tasks left the phone; Pain's stays.
        QVERIFY(!phone.read(state.find(QStringLiteral("Savon"))->uid));
        QVERIFY(phone.read(state.find(QStringLiteral("Pain"))->uid));

        // Nothing ticked any more: nothing changes, the file is not rewritten.
        const QByteArray saved = readAll(d + QStringLiteral("/liste.pnv"));
        r = phonecmd::run(request(d, phonecmd::Action::Fetch), keyring);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.summary.contains(QStringLiteral("aucun produit coché")));
        QCOMPARE(readAll(d + QStringLiteral("/liste.pnv")), saved);
    }

    void failuresChangeNothingLocally() {
        QTemporaryDir dir;
        const QString d = dir.path();
        writeList(d + QStringLiteral("/liste.pnv"));
        const QByteArray list = readAll(d + QStringLiteral("/liste.pnv"));
        FakeCredentialStore keyring;

        // No address configured.
        writeIni(d, "Utilisateur=\r\n");
        phonecmd::Result r = phonecmd::run(request(d, phonecmd::Action::Send), keyring);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.error.contains(QStringLiteral("TELEPHONE")));

        // A user without a password anywhere.
        writeIni(d, "URL=" + server_->url(QStringLiteral("foyer/courses/")).toEncoded() +
                        "\r\nUtilisateur=marie\r\n");
        qunsetenv(kPasswordVariable);
        r = phonecmd::run(request(d, phonecmd::Action::Fetch), keyring);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.error.contains(QStringLiteral("PANIVA_CALDAV_MOT_DE_PASSE")));

        // Nobody listens.
        quint16 port = RadicaleServer::freePort();
        writeIni(d, "URL=http://127.0.0.1:" + QByteArray::number(port) + "/l/\r\n");
        r = phonecmd::run(request(d, phonecmd::Action::Fetch), keyring);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.error.contains(QStringLiteral("injoignable")));
        QCOMPARE(readAll(d + QStringLiteral("/liste.pnv")), list);

        // A list file that is not there.
        auto missing = request(d, phonecmd::Action::Send);
        missing.listFile = QStringLiteral("absente.pnv");
        QCOMPARE(phonecmd::run(missing, keyring).exitCode, 1);
    }

    void wrongCommandLinesExitWithTwo() {
#ifdef KABIRO_BINARY
        for (const QStringList& args :
             {QStringList{"--envoyer"}, QStringList{"--relever", "a.pnv", "b.pnv"}, QStringList {
                  "--envoyer",
                  "--relever"
              }}) {
            QProcess p;
            p.start(QStringLiteral(KABIRO_BINARY), args);
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitCode(), 2);
            QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("Usage")));
        }
#else
        QSKIP("the program is not built");
#endif
    }
};

KABIRO_TEST_GUILESS_MAIN(TestPhoneCommand)
#include "test_phone_command.moc"
