// The files and data beside the exchanges: the sync file, and the tasks made from the list as the
// shop filter shows it, in the printed list's order.

#include "fake_credentials.h"
#include "model/shopping_commands.h"
#include "phone/list_tasks.h"
#include "phone/phone_session.h"
#include "phone/phone_sync.h"
#include "phone/sync_state.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

class TestPhoneFiles : public QObject {
    Q_OBJECT

private slots:
    void syncFileRoundTripsAndBelongsToOneAddress() {
        QTemporaryDir dir;
        const QString path = syncFilePath(dir.path(), QStringLiteral("/ailleurs/Maison.pnv"));
        QCOMPARE(path, dir.path() + QStringLiteral("/Maison.sync"));
        SyncState s;
        s.url = QStringLiteral("https://dav.example/l/");
        s.entries = {SyncEntry{QStringLiteral("Lait\t1 L; 50 %"), QStringLiteral("paniva-1"),
                               QStringLiteral("/l/paniva-1.ics"), "W/\"a b\"", "f1"},
                     SyncEntry{QStringLiteral("Lait\t1 L; 50 %\n2"), QStringLiteral("paniva-2"),
                               QStringLiteral("/l/é.ics"), QByteArray(), "f2"}};
        QString error;
        QVERIFY2(s.save(path, &error), qPrintable(error));
        SyncState back;
        QVERIFY(back.load(path, s.url, &error));
        QCOMPARE(back.entries.size(), 2);
        QCOMPARE(back.entries[0].key, s.entries[0].key);
        QCOMPARE(back.entries[0].etag, s.entries[0].etag);
        QCOMPARE(back.entries[1].key, s.entries[1].key);
        QCOMPARE(back.entries[1].href, s.entries[1].href);
        QVERIFY(back.entries[1].etag.isEmpty());
        // Another address: the state is of no use there.
        SyncState other;
        QVERIFY(other.load(path, QStringLiteral("https://autre.example/l/"), &error));
        QVERIFY(other.entries.isEmpty());
        // A missing file is an empty state; a damaged one is an error, not a crash.
        QVERIFY(other.load(dir.filePath(QStringLiteral("absent.sync")), s.url, &error));
        QFile damaged(dir.filePath(QStringLiteral("x.sync")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("PANIVA-SYNC 1\nT\tonly-two\n");
        damaged.close();
        QVERIFY(!other.load(damaged.fileName(), s.url, &error));
        QVERIFY(error.contains(QStringLiteral("abîmé")));
        QVERIFY(!other.parse("<html>", &error));
    }

    void tasksFollowTheShownRowsInPrintedOrder() {
        ShoppingData d;
        addProduct(d, QStringLiteral("super"), QStringLiteral("Frais"), QStringLiteral("yaourt"),
                   2.5);
        addProduct(d, QStringLiteral("Boulangerie"), QStringLiteral("Pains"),
                   QStringLiteral("Baguette"), 0);
        addProduct(d, QStringLiteral("Super"), QStringLiteral("épicerie"), QStringLiteral("Sel"),
                   0.8);
        addProduct(d, QStringLiteral("Super"), QStringLiteral("Frais"), QStringLiteral("Beurre"),
                   3);
        RecordTable& c = d.catalogue;
        select(c, QStringLiteral("Beurre"));
        c.setText(Cat::memo, QStringLiteral("doux"));
        c.post();
        ShoppingCommands cmd(d);
        for (const char* n : {"yaourt", "Baguette", "Sel", "Beurre", "Beurre"}) {
            select(c, QString::fromLatin1(n));
            cmd.addOne({day(0), 3});
        }
        const QList<ShoppingTask> tasks = tasksFromList(d);
        QStringList order;
        for (const ShoppingTask& t : tasks)
            order << t.product;
        // Boulangerie < super/Super (no case), then épicerie < Frais (no accent), Beurre < yaourt.
        QCOMPARE(order, (QStringList{"Baguette", "Sel", "Beurre", "yaourt"}));
        QCOMPARE(tasks[0].sortOrder, 1);
        QCOMPARE(tasks[3].sortOrder, 4);
        QCOMPARE(tasks[2].quantity, 2);
        QCOMPARE(tasks[2].note, QStringLiteral("doux"));
        QCOMPARE(tasks[2].unitPrice, std::optional<double>(3));
        QCOMPARE(tasks[0].unitPrice, std::nullopt); // a zero price is not shown
        QCOMPARE(tasks[0].shop, QStringLiteral("Boulangerie"));

        // With the shop filter on one sector, only its rows go.
        d.selection = ShopSelection{QStringLiteral("Boulangerie"), QString(), 0};
        d.setShopFilter(true);
        const QList<ShoppingTask> filtered = tasksFromList(d);
        QCOMPARE(filtered.size(), 1);
        QCOMPARE(filtered[0].product, QStringLiteral("Baguette"));
    }

    void rowsOfOneProductGetKeysOfTheirOwn() {
        ShoppingTask a;
        a.product = QStringLiteral("Lait");
        ShoppingTask b;
        b.product = QStringLiteral("Pain");
        const QStringList keys = PhoneSync::rowKeys({a, b, a, a});
        QCOMPARE(keys, (QStringList{"Lait", "Pain", "Lait\n2", "Lait\n3"}));
        QCOMPARE(PhoneSync::productOfKey(keys[3]), QStringLiteral("Lait"));
    }

    void sessionSettingsLiveInTheIniFile() {
        QTemporaryDir dir;
        QFile ini(dir.filePath(QStringLiteral("kabiro.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SAISIE]\r\nCoef_delai=5\r\n");
        ini.close();
        QString error;
        QVERIFY(PhoneSession::writeSettings(
            dir.path(),
            {QStringLiteral("https://dav.example/marie/courses/"), QStringLiteral("marie")},
            &error));
        const PhoneSession::Settings s = PhoneSession::readSettings(dir.path());
        QCOMPARE(s.url, QStringLiteral("https://dav.example/marie/courses/"));
        QCOMPARE(s.user, QStringLiteral("marie"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), QByteArray("[SAISIE]\r\nCoef_delai=5\r\n[TELEPHONE]\r\n"
                                           "URL=https://dav.example/marie/courses/\r\n"
                                           "Utilisateur=marie\r\n"));
        // A relative address is refused before anything is sent.
        QVERIFY(PhoneSession::writeSettings(dir.path(), {QStringLiteral("courses/"), QString()},
                                            &error));
        FakeCredentialStore keyring;
        PhoneSession session(dir.path(), QStringLiteral("kabiro.pnv"), keyring);
        QVERIFY(!session.open(&error));
        QVERIFY(error.contains(QStringLiteral("invalide")));
        QCOMPARE(tickedQuestion(3), QStringLiteral("3 produits ont été cochés sur le téléphone.\r\n"
                                                   "Validez-vous ces achats ?"));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestPhoneFiles)
#include "test_phone_files.moc"
