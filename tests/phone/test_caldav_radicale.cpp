// The shopping list on a real Radicale server: creating the task list, sending rows, ticks and
// unticks written the way phone apps write them, conflicts, deletions, texts that need escaping
// and folding, and a second send that has nothing to write.

#include "dav_call.h"
#include "phone/dav_xml.h"
#include "phone/phone_sync.h"
#include "radicale_server.h"
#include "support/test_registry.h"

#include <QStandardPaths>
#include <QtTest>

class TestCaldavRadicale : public QObject {
    Q_OBJECT

    std::unique_ptr<RadicaleServer> server_;
    int lists_ = 0;

    // A new empty task list "Courses" of its own for each test (at the top: an anonymous user has
    // no home collection to make it in).
    QUrl newList() {
        const QUrl url = server_->url(QStringLiteral("courses%1/").arg(++lists_));
        CaldavClient client(CaldavAccount{url, {}, {}});
        QString error = QStringLiteral("pas de réponse");
        QEventLoop loop;
        createTaskList(client, url, QStringLiteral("Courses"), [&](const QString& e) {
            error = e;
            loop.quit();
        });
        loop.exec();
        if (!error.isEmpty())
            qWarning() << error;
        return error.isEmpty() ? url : QUrl();
    }

    static ShoppingTask row(const QString& product, int quantity = 1) {
        ShoppingTask t;
        t.product = product;
        t.quantity = quantity;
        t.shop = QStringLiteral("Marché");
        t.aisle = QStringLiteral("Frais");
        return t;
    }
    static QList<ShoppingTask> rows(int n) {
        QList<ShoppingTask> out;
        for (int i = 1; i <= n; ++i) {
            ShoppingTask t = row(QStringLiteral("Produit %1").arg(i, 3, 10, QChar(u'0')), i);
            t.sortOrder = i;
            out << t;
        }
        return out;
    }

    // Every task on the server, by the product it was written for.
    static QHash<QString, ical::Component> serverTasks(CaldavClient& client) {
        const DavResponse r = davCall(
            [&](auto done) { client.report(client.collectionUrl(), dav::todoQueryBody(), done); });
        QList<dav::Resource> resources;
        dav::parseResources(r.body, resources, nullptr);
        QHash<QString, ical::Component> out;
        for (const dav::Resource& res : resources)
            if (const auto cal = ical::parse(res.calendarData))
                out.insert(task::productOf(*task::todoOf(*cal)), *task::todoOf(*cal));
        return out;
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("radicale")).isEmpty())
            QSKIP("radicale is not installed");
        server_ = std::make_unique<RadicaleServer>();
        QVERIFY2(server_->start(), qPrintable(server_->error()));
    }
    void cleanupTestCase() { server_.reset(); }

    void createdListTakesOnlyTasks() {
        const QUrl url = newList();
        QVERIFY(url.isValid());
        CaldavClient client(CaldavAccount{url, {}, {}});
        const DavResponse r = davCall(
            [&](auto done) { client.propfind(url, 0, dav::collectionPropfindBody(), done); });
        dav::CollectionInfo info;
        QVERIFY(dav::parseCollection(r.body, info, nullptr));
        QVERIFY(info.isCalendar);
        QCOMPARE(info.components, QStringList{QStringLiteral("VTODO")});
        QCOMPARE(info.displayName, QStringLiteral("Courses"));
        // A second creation at the same address is refused, in French.
        QString again;
        QEventLoop loop;
        createTaskList(client, url, QStringLiteral("Courses"), [&](const QString& e) {
            again = e;
            loop.quit();
        });
        loop.exec();
        QVERIFY(!again.isEmpty());
    }

    void sentRowsAreReadBackAndASecondSendWritesNothing() {
        CaldavClient client(CaldavAccount{newList(), {}, {}});
        SyncState state;
        PhoneSync sync(client, state);
        const QList<ShoppingTask> list = rows(12);
        const PhoneSync::Outcome sent = runSync(sync, [&] { sync.send(list); });
        QVERIFY2(sent.ok, qPrintable(sent.error));
        QCOMPARE(sent.created, 12);
        QCOMPARE(state.entries.size(), 12);
        QCOMPARE(client.requestCount("PUT"), 12);

        const QHash<QString, ical::Component> tasks = serverTasks(client);
        QCOMPARE(tasks.size(), 12);
        const ical::Component& third = tasks.value(QStringLiteral("Produit 003"));
        QCOMPARE(third.text(u"SUMMARY"), QStringLiteral("Produit 003 ×3"));
        QCOMPARE(third.raw(u"X-APPLE-SORT-ORDER"), QStringLiteral("3"));
        QCOMPARE(third.text(u"UID"), state.find(QStringLiteral("Produit 003"))->uid);

        const PhoneSync::Outcome read = runSync(sync, [&] { sync.fetch(); });
        QVERIFY(read.ok);
        QCOMPARE(read.tasksRead, 12);
        QVERIFY(read.ticked.isEmpty());

        client.resetCounts();
        const PhoneSync::Outcome second = runSync(sync, [&] { sync.send(list); });
        QVERIFY(second.ok);
        QCOMPARE(second.unchanged, 12);
        QCOMPARE(client.requestCount("PUT") + client.requestCount("DELETE"), 0);
        QCOMPARE(client.requestCount(), 2); // the list checked, its tasks read

        // A row gone from the list takes its task with it; one changed row is one write.
        QList<ShoppingTask> shorter = list.mid(1);
        shorter[0].quantity = 9;
        client.resetCounts();
        const PhoneSync::Outcome third2 = runSync(sync, [&] { sync.send(shorter); });
        QVERIFY(third2.ok);
        QCOMPARE(third2.deleted, 1);
        QCOMPARE(third2.updated, 1);
        QCOMPARE(third2.unchanged, 10);
        QCOMPARE(client.requestCount("PUT"), 1);
        QCOMPARE(serverTasks(client).size(), 11);
        QVERIFY(!state.find(QStringLiteral("Produit 001")));
    }

    void ticksAndUnticksOfPhoneAppsAreRead() {
        const QUrl url = newList();
        CaldavClient client(CaldavAccount{url, {}, {}});
        SyncState state;
        PhoneSync sync(client, state);
        const QList<ShoppingTask> list{row(QStringLiteral("Lait")), row(QStringLiteral("Pain")),
                                       row(QStringLiteral("Oeufs")), row(QStringLiteral("Thé"))};
        QVERIFY(runSync(sync, [&] { sync.send(list); }).ok);
        PhoneApp phone(url);
        const auto uid = [&](const char* p) { return state.find(QString::fromUtf8(p))->uid; };
        QVERIFY(phone.edit(uid("Lait"), [](ical::Component& t) {
            t.setRaw(QStringLiteral("STATUS"), QStringLiteral("COMPLETED"));
            t.setRaw(QStringLiteral("X-TASKS-ORG-ORDER"), QStringLiteral("4"));
        }));
        QVERIFY(phone.edit(uid("Pain"), [](ical::Component& t) {
            t.setRaw(QStringLiteral("COMPLETED"), QStringLiteral("20261209T101500Z"));
        }));
        QVERIFY(phone.edit(uid("Oeufs"), [](ical::Component& t) {
            t.setRaw(QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("100"));
        }));
        client.resetCounts();
        PhoneSync::Outcome read = runSync(sync, [&] { sync.fetch(); });
        QVERIFY(read.ok);
        QCOMPARE(read.ticked, (QStringList{QStringLiteral("Lait"), QStringLiteral("Oeufs"),
                                           QStringLiteral("Pain")}));
        QCOMPARE(client.requestCount("PUT") + client.requestCount("DELETE"), 0);

        // Unticked the two ways apps do it.
        QVERIFY(phone.edit(uid("Lait"), [](ical::Component& t) {
            t.setRaw(QStringLiteral("STATUS"), QStringLiteral("IN-PROCESS"));
            t.setRaw(QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("99"));
        }));
        QVERIFY(phone.edit(uid("Pain"), [](ical::Component& t) {
            t.remove(u"STATUS");
            t.remove(u"COMPLETED");
        }));
        read = runSync(sync, [&] { sync.fetch(); });
        QCOMPARE(read.ticked, QStringList{QStringLiteral("Oeufs")});

        // The phone's own property survives a send that changes the content.
        QList<ShoppingTask> changed = list;
        changed[0].quantity = 4;
        const PhoneSync::Outcome sent = runSync(sync, [&] { sync.send(changed); });
        QVERIFY(sent.ok);
        QCOMPARE(sent.updated, 1);
        const std::optional<ical::Component> lait = phone.read(uid("Lait"));
        QVERIFY(lait);
        const ical::Component* todo = task::todoOf(*lait);
        QCOMPARE(todo->text(u"SUMMARY"), QStringLiteral("Lait ×4"));
        QCOMPARE(todo->raw(u"X-TASKS-ORG-ORDER"), QStringLiteral("4"));
        QCOMPARE(todo->raw(u"STATUS"), QStringLiteral("IN-PROCESS"));
    }

    void staleVersionIsReadAgainAndMerged() {
        const QUrl url = newList();
        CaldavClient client(CaldavAccount{url, {}, {}});
        SyncState state;
        PhoneSync sync(client, state);
        QList<ShoppingTask> list{row(QStringLiteral("Beurre")), row(QStringLiteral("Riz"))};
        QVERIFY(runSync(sync, [&] { sync.send(list); }).ok);
        const QString uid = state.find(QStringLiteral("Beurre"))->uid;

        // The phone ticks the task after the desktop read it and before the desktop writes it.
        PhoneApp phone(url);
        bool ticked = false;
        connect(&sync, &PhoneSync::tasksRead, this, [&] {
            if (!ticked)
                ticked = phone.edit(uid, [](ical::Component& t) {
                    t.setRaw(QStringLiteral("STATUS"), QStringLiteral("COMPLETED"));
                    t.setRaw(QStringLiteral("X-OPENTASKS-PIN"), QStringLiteral("1"));
                });
        });
        list[0].quantity = 3;
        list[0].note = QStringLiteral("doux");
        client.resetCounts();
        const PhoneSync::Outcome sent = runSync(sync, [&] { sync.send(list); });
        QVERIFY(ticked);
        QVERIFY2(sent.ok, qPrintable(sent.error));
        QCOMPARE(sent.conflicts, 1);
        QCOMPARE(sent.updated, 1);
        QCOMPARE(client.requestCount("PUT"), 2); // refused once (412), then merged
        QCOMPARE(client.requestCount("GET"), 1);

        QByteArray etag;
        const std::optional<ical::Component> now = phone.read(uid, &etag);
        const ical::Component* todo = task::todoOf(*now);
        QCOMPARE(todo->text(u"SUMMARY"), QStringLiteral("Beurre ×3")); // desktop's content
        QVERIFY(task::isTicked(*todo));                                // phone's tick
        QCOMPARE(todo->raw(u"X-OPENTASKS-PIN"), QStringLiteral("1"));
        QCOMPARE(state.find(QStringLiteral("Beurre"))->etag, etag);
        QCOMPARE(runSync(sync, [&] { sync.fetch(); }).ticked,
                 QStringList{QStringLiteral("Beurre")});
    }

    void taskDeletedOnThePhoneComesBackOnlyWithTheNextSend() {
        const QUrl url = newList();
        CaldavClient client(CaldavAccount{url, {}, {}});
        SyncState state;
        PhoneSync sync(client, state);
        const QList<ShoppingTask> list = rows(3);
        QVERIFY(runSync(sync, [&] { sync.send(list); }).ok);
        const QString uid = state.find(QStringLiteral("Produit 002"))->uid;
        PhoneApp phone(url);
        QVERIFY(phone.remove(uid));

        client.resetCounts();
        const PhoneSync::Outcome read = runSync(sync, [&] { sync.fetch(); });
        QVERIFY(read.ok);
        QCOMPARE(read.tasksRead, 2);
        QVERIFY(read.ticked.isEmpty());
        QCOMPARE(client.requestCount("PUT"), 0);
        QVERIFY(!phone.read(uid));
        QVERIFY(state.find(QStringLiteral("Produit 002"))); // still on the list

        const PhoneSync::Outcome sent = runSync(sync, [&] { sync.send(list); });
        QCOMPARE(sent.created, 1);
        QCOMPARE(sent.unchanged, 2);
        QVERIFY(phone.read(uid)); // the same UID again
    }

    void textsSurviveTheRoundTrip() {
        const QUrl url = newList();
        CaldavClient client(CaldavAccount{url, {}, {}});
        SyncState state;
        PhoneSync sync(client, state);
        ShoppingTask t;
        t.product = QStringLiteral("Pommes de terre à chair ferme, spéciales purée ; variété "
                                   "Bintje « extra » 1,5 kg");
        t.quantity = 2;
        t.shop = QStringLiteral("Épicerie d'Hélène");
        t.aisle = QStringLiteral("Fruits, légumes; vrac");
        t.unitPrice = 2.35;
        t.note = QStringLiteral("les plus fermes\r\npas de germes \\ ni taches");
        QVERIFY(runSync(sync, [&] { sync.send({t}); }).ok);

        const ical::Component todo = serverTasks(client).value(t.product);
        QCOMPARE(task::productOf(todo), t.product);
        QCOMPARE(todo.text(u"SUMMARY"), t.product + QStringLiteral(" ×2"));
        QCOMPARE(todo.text(u"LOCATION"), t.shop);
        QCOMPARE(todo.text(u"CATEGORIES"), QStringLiteral("Fruits légumes; vrac"));
        QCOMPARE(todo.text(u"X-PANIVA-RAYON"), t.aisle);
        QCOMPARE(todo.text(u"X-PANIVA-NOTE"),
                 QStringLiteral("les plus fermes\npas de germes \\ ni taches"));
        QVERIFY(todo.text(u"DESCRIPTION").contains(QStringLiteral("Prix unitaire : 2,35")));
        QCOMPARE(todo.raw(u"X-PANIVA-PRIX"), QStringLiteral("2.35"));
        // Read back, nothing looks changed: the next send writes nothing.
        const PhoneSync::Outcome again = runSync(sync, [&] { sync.send({t}); });
        QCOMPARE(again.unchanged, 1);
        QCOMPARE(again.updated + again.created, 0);
    }

    void lostSyncFileDoesNotDoubleTheTasks() {
        const QUrl url = newList();
        CaldavClient client(CaldavAccount{url, {}, {}});
        const QList<ShoppingTask> list = rows(4);
        {
            SyncState state;
            PhoneSync sync(client, state);
            QVERIFY(runSync(sync, [&] { sync.send(list); }).ok);
        }
        SyncState fresh;
        PhoneSync sync(client, fresh);
        const PhoneSync::Outcome sent = runSync(sync, [&] { sync.send(list); });
        QVERIFY(sent.ok);
        QCOMPARE(sent.created, 0);
        QCOMPARE(sent.updated, 4);
        QCOMPARE(serverTasks(client).size(), 4);
    }

    void boughtProductsLeaveThePhone() {
        const QUrl url = newList();
        CaldavClient client(CaldavAccount{url, {}, {}});
        SyncState state;
        PhoneSync sync(client, state);
        QVERIFY(runSync(sync, [&] { sync.send(rows(3)); }).ok);
        // Ticked on the phone since the send: the ETag recorded is stale, the removal still goes.
        PhoneApp phone(url);
        QVERIFY(phone.edit(state.find(QStringLiteral("Produit 001"))->uid, [](ical::Component& t) {
            t.setRaw(QStringLiteral("STATUS"), QStringLiteral("COMPLETED"));
        }));
        const PhoneSync::Outcome removed = runSync(sync, [&] {
            sync.removeTasks({QStringLiteral("Produit 001"), QStringLiteral("Produit 003")});
        });
        QVERIFY2(removed.ok, qPrintable(removed.error));
        QCOMPARE(removed.deleted, 2);
        QCOMPARE(removed.conflicts, 1);
        QCOMPARE(serverTasks(client).keys(), QStringList{QStringLiteral("Produit 002")});
        QCOMPARE(state.entries.size(), 1);
    }

    void collectionsThatAreNoTaskListAreRefused() {
        CaldavClient maker(CaldavAccount{server_->baseUrl(), {}, {}});
        // A calendar for events only.
        const QUrl events = server_->url(QStringLiteral("agenda/"));
        const QByteArray body = "<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" "
                                "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop>"
                                "<c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
                                "</c:supported-calendar-component-set></d:prop></d:set>"
                                "</c:mkcalendar>";
        QVERIFY(davCall([&](auto done) { maker.mkcalendar(events, body, done); }).success());
        // A plain folder.
        PhoneApp app(server_->baseUrl());
        const QUrl folder = server_->url(QStringLiteral("dossier/"));
        QVERIFY(app.write(folder, QByteArray(), "MKCOL"));

        for (const auto& [url, expected] :
             {std::pair{events, QStringLiteral("n'accepte pas les tâches")},
              std::pair{folder, QStringLiteral("ne désigne pas une liste de tâches")}}) {
            CaldavClient client(CaldavAccount{url, {}, {}});
            SyncState state;
            PhoneSync sync(client, state);
            const PhoneSync::Outcome o = runSync(sync, [&] { sync.send(rows(2)); });
            QVERIFY(!o.ok);
            QVERIFY2(o.error.contains(expected), qPrintable(o.error));
            QCOMPARE(client.requestCount("PUT"), 0);
        }
    }

    void passwordIsCheckedByTheServer() {
        RadicaleServer guarded(
            RadicaleServer::Options{QStringLiteral("marie"), QStringLiteral("s3cr3t")});
        QVERIFY2(guarded.start(), qPrintable(guarded.error()));
        const QUrl url = taskListUrlIn(guarded.url(QStringLiteral("marie")));
        QCOMPARE(url.path(), QStringLiteral("/marie/courses/"));
        {
            CaldavClient client(
                CaldavAccount{url, QStringLiteral("marie"), QStringLiteral("s3cr3t")});
            QString error = QStringLiteral("-");
            QEventLoop loop;
            createTaskList(client, url, QStringLiteral("Courses"), [&](const QString& e) {
                error = e;
                loop.quit();
            });
            loop.exec();
            QVERIFY2(error.isEmpty(), qPrintable(error));
            SyncState state;
            PhoneSync sync(client, state);
            QVERIFY(runSync(sync, [&] { sync.send(rows(2)); }).ok);
        }
        for (const QString& password : {QStringLiteral("faux"), QString()}) {
            CaldavClient client(CaldavAccount{url, QStringLiteral("marie"), password});
            SyncState state;
            PhoneSync sync(client, state);
            const PhoneSync::Outcome o = runSync(sync, [&] { sync.fetch(); });
            QVERIFY(!o.ok);
            QVERIFY2(o.error.contains(QStringLiteral("identifiants refusés")), qPrintable(o.error));
        }
    }
};

KABIRO_TEST_GUILESS_MAIN(TestCaldavRadicale)
#include "test_caldav_radicale.moc"
