// iCalendar text and the shopping tasks written in it: folding, escaping, properties of others
// kept, the ticked rule, the content of a task and its merge with a phone's version.

#include "phone/ical.h"
#include "phone/shopping_task.h"
#include "support/test_registry.h"

#include <QtTest>

class TestIcal : public QObject {
    Q_OBJECT

    static ShoppingTask milk() {
        ShoppingTask t;
        t.product = QStringLiteral("Lait demi-écrémé 1 L");
        t.quantity = 2;
        t.shop = QStringLiteral("Carrefour");
        t.aisle = QStringLiteral("Crèmerie, frais");
        t.unitPrice = 1.05;
        t.note = QStringLiteral("bio; si possible\nsinon entier");
        t.planned = true;
        t.reminderCode = QStringLiteral("P");
        t.sortOrder = 7;
        return t;
    }
    static QDateTime noon() { return QDateTime(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC); }

private slots:
    void escapingRoundTrips_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << "Pain"
                               << "Pain";
        QTest::newRow("comma") << "1,5 kg"
                               << "1\\,5 kg";
        QTest::newRow("semicolon") << "a;b"
                                   << "a\\;b";
        QTest::newRow("backslash") << "C:\\x"
                                   << "C:\\\\x";
        QTest::newRow("lines") << "un\ndeux"
                               << "un\\ndeux";
    }
    void escapingRoundTrips() {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(ical::escapeText(text), escaped);
        QCOMPARE(ical::unescapeText(escaped), text);
    }

    void lineBreaksOfEveryKindBecomeOneEscape() {
        QCOMPARE(ical::escapeText(u"a\r\nb\rc"), QStringLiteral("a\\nb\\nc"));
        QCOMPARE(ical::unescapeText(u"a\\Nb\\x\\"), QStringLiteral("a\nbx\\"));
    }

    void foldingKeepsLinesShortAndUtf8Whole() {
        // 'é' is two octets: a cut at octet 75 would split one of them.
        const QByteArray line = "SUMMARY:" + QString(60, u'é').toUtf8();
        const QByteArray folded = ical::foldLine(line);
        const QList<QByteArray> physical = folded.split('\n');
        QVERIFY(physical.size() > 2);
        for (const QByteArray& l : physical) {
            const QByteArray body = l.endsWith('\r') ? l.chopped(1) : l;
            QVERIFY2(body.size() <= 75, body.constData());
            QVERIFY(QString::fromUtf8(body).toUtf8() == body); // no cut sequence
        }
        QVERIFY(folded.endsWith("\r\n"));
        QVERIFY(folded.contains("\r\n "));
        // Unfolding gives the line back.
        const auto cal = ical::parse("BEGIN:VTODO\r\n" + folded + "END:VTODO\r\n");
        QVERIFY(cal);
        QCOMPARE(cal->raw(u"SUMMARY"), QString(60, u'é'));
        QCOMPARE(ical::foldLine("A:b"), QByteArray("A:b\r\n"));
    }

    void parsingKeepsParametersAndUnknownPropertiesVerbatim() {
        const QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VTODO\n"
                                "UID:x1\n"
                                "X-TASKS-ORG;X-A=\"quoted;with:colon\";B=c:value\\, kept\n"
                                "DESCRIPTION;LANGUAGE=fr:ligne un\\nligne\n\t deux\n"
                                "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT15M\nEND:VALARM\n"
                                "END:VTODO\nEND:VCALENDAR\n";
        QString error;
        const auto cal = ical::parse(text, &error);
        QVERIFY2(cal, qPrintable(error));
        const ical::Component* todo = cal->child(u"vtodo");
        QVERIFY(todo);
        const ical::Property* x = todo->find(u"X-TASKS-ORG");
        QVERIFY(x);
        QCOMPARE(x->param(u"x-a"), std::optional<QString>(QStringLiteral("quoted;with:colon")));
        QCOMPARE(x->param(u"B"), std::optional<QString>(QStringLiteral("c")));
        QCOMPARE(x->value, QStringLiteral("value\\, kept"));
        QCOMPARE(todo->text(u"DESCRIPTION"), QStringLiteral("ligne un\nligne deux"));
        QCOMPARE(todo->children.size(), 1);
        // Written out and read again, everything is there as it was.
        const QByteArray again = ical::serialize(*cal);
        QVERIFY(again.contains("X-TASKS-ORG;X-A=\"quoted;with:colon\";B=c:value\\, kept\r\n"));
        QVERIFY(again.contains("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM"));
        QCOMPARE(ical::serialize(*ical::parse(again)), again);
    }

    void malformedTextIsRefusedWithAReason_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("html") << QByteArray("<html><body>Erreur</body></html>");
        QTest::newRow("no colon") << QByteArray("BEGIN:VCALENDAR\nNOCOLON\nEND:VCALENDAR\n");
        QTest::newRow("unclosed") << QByteArray("BEGIN:VCALENDAR\nBEGIN:VTODO\nUID:1\n");
        QTest::newRow("crossed") << QByteArray("BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VCALENDAR\n");
        QTest::newRow("outside") << QByteArray("UID:1\nBEGIN:VCALENDAR\nEND:VCALENDAR\n");
        QTest::newRow("trailing") << QByteArray("BEGIN:A\nEND:A\nBEGIN:B\nEND:B\n");
    }
    void malformedTextIsRefusedWithAReason() {
        QFETCH(QByteArray, text);
        QString error;
        QVERIFY(!ical::parse(text, &error));
        QVERIFY(!error.isEmpty());
    }

    void tickedFollowsWhatPhoneAppsWrite_data() {
        QTest::addColumn<QByteArray>("props");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("needs action") << QByteArray("STATUS:NEEDS-ACTION\n") << false;
        QTest::newRow("completed") << QByteArray("STATUS:COMPLETED\n") << true;
        QTest::newRow("completed lower") << QByteArray("STATUS:completed\n") << true;
        QTest::newRow("date only") << QByteArray("COMPLETED:20261209T100000Z\n") << true;
        QTest::newRow("percent") << QByteArray("PERCENT-COMPLETE:100\n") << true;
        QTest::newRow("in process 99")
            << QByteArray("STATUS:IN-PROCESS\nPERCENT-COMPLETE:99\n") << false;
        QTest::newRow("no status") << QByteArray() << false;
        QTest::newRow("cancelled") << QByteArray("STATUS:CANCELLED\n") << false;
    }
    void tickedFollowsWhatPhoneAppsWrite() {
        QFETCH(QByteArray, props);
        QFETCH(bool, ticked);
        const auto todo = ical::parse("BEGIN:VTODO\nUID:1\n" + props + "END:VTODO\n");
        QVERIFY(todo);
        QCOMPARE(task::isTicked(*todo), ticked);
    }

    void taskContentSaysEverythingInFrench() {
        const ShoppingTask t = milk();
        QCOMPARE(t.summary(), QStringLiteral("Lait demi-écrémé 1 L ×2"));
        QCOMPARE(t.category(), QStringLiteral("Crèmerie frais"));
        const QString d = t.description();
        QVERIFY(d.startsWith(QStringLiteral("Quantité : 2\nMagasin : Carrefour\nRayon : Crèmerie, "
                                            "frais\nPrix unitaire : 1,05")));
        QVERIFY(d.endsWith(QStringLiteral("Note : bio; si possible\nsinon entier")));
        ShoppingTask bare;
        bare.product = QStringLiteral("Sel");
        QCOMPARE(bare.description(), QStringLiteral("Quantité : 1"));
    }

    void newTaskCarriesContentAndMachineCopies() {
        const ical::Component cal = task::newCalendar(QStringLiteral("u-1"), milk(), noon());
        const auto back = ical::parse(ical::serialize(cal));
        QVERIFY(back);
        const ical::Component* todo = task::todoOf(*back);
        QVERIFY(todo);
        QCOMPARE(todo->text(u"UID"), QStringLiteral("u-1"));
        QCOMPARE(todo->raw(u"STATUS"), QStringLiteral("NEEDS-ACTION"));
        QCOMPARE(todo->text(u"SUMMARY"), QStringLiteral("Lait demi-écrémé 1 L ×2"));
        QCOMPARE(todo->text(u"LOCATION"), QStringLiteral("Carrefour"));
        QCOMPARE(todo->raw(u"CATEGORIES"), QStringLiteral("Crèmerie frais"));
        QCOMPARE(todo->raw(u"X-APPLE-SORT-ORDER"), QStringLiteral("7"));
        QCOMPARE(todo->raw(u"DTSTAMP"), QStringLiteral("20261209T120000Z"));
        QCOMPARE(task::productOf(*todo), milk().product);
        QCOMPARE(todo->raw(u"X-PANIVA-QUANTITE"), QStringLiteral("2"));
        QCOMPARE(todo->raw(u"X-PANIVA-PRIX"), QStringLiteral("1.05"));
        QCOMPARE(todo->text(u"X-PANIVA-RAYON"), QStringLiteral("Crèmerie, frais"));
        QCOMPARE(todo->text(u"X-PANIVA-NOTE"), milk().note);
        QCOMPARE(todo->raw(u"X-PANIVA-PREVU"), QStringLiteral("O"));
        QVERIFY(!task::isTicked(*todo));
    }

    void mergeTakesDesktopContentAndKeepsThePhonesState() {
        const QByteArray phone = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Tasks.org//\n"
                                 "BEGIN:VTODO\nUID:u-1\nSUMMARY:Lait ×1\nSTATUS:COMPLETED\n"
                                 "COMPLETED:20261209T100000Z\nPERCENT-COMPLETE:100\n"
                                 "X-TASKS-ORG-ORDER:12\nX-APPLE-SORT-ORDER:3\n"
                                 "BEGIN:VALARM\nTRIGGER:-PT5M\nEND:VALARM\n"
                                 "END:VTODO\nEND:VCALENDAR\n";
        ShoppingTask t = milk();
        t.note.clear();
        t.unitPrice.reset();
        const ical::Component merged = task::mergedCalendar(*ical::parse(phone), t, noon());
        const ical::Component* todo = task::todoOf(merged);
        QCOMPARE(todo->text(u"SUMMARY"), t.summary());
        QCOMPARE(todo->raw(u"X-APPLE-SORT-ORDER"), QStringLiteral("7"));
        QVERIFY(task::isTicked(*todo));
        QCOMPARE(todo->raw(u"X-TASKS-ORG-ORDER"), QStringLiteral("12"));
        QCOMPARE(todo->raw(u"PRODID").isEmpty(), true); // calendar-level, not on the task
        QCOMPARE(merged.raw(u"PRODID"), QStringLiteral("-//Tasks.org//"));
        QCOMPARE(todo->children.size(), 1);
        QVERIFY(!todo->has(u"X-PANIVA-NOTE"));
        QVERIFY(!todo->has(u"X-PANIVA-PRIX"));
        // One property of each name, even when the phone had written it twice.
        QCOMPARE(std::count_if(todo->properties.begin(), todo->properties.end(),
                               [](const ical::Property& p) { return p.name == u"SUMMARY"; }),
                 1);
    }

    void fingerprintFollowsEveryContentField() {
        const QByteArray base = milk().fingerprint();
        QCOMPARE(milk().fingerprint(), base);
        const QList<std::function<void(ShoppingTask&)>> changes{
            [](ShoppingTask& t) { t.quantity = 3; },
            [](ShoppingTask& t) { t.shop = QStringLiteral("Lidl"); },
            [](ShoppingTask& t) { t.aisle = QStringLiteral("Frais"); },
            [](ShoppingTask& t) { t.unitPrice = 1.06; },
            [](ShoppingTask& t) { t.unitPrice.reset(); },
            [](ShoppingTask& t) { t.note.clear(); },
            [](ShoppingTask& t) { t.planned = false; },
            [](ShoppingTask& t) { t.sortOrder = 8; },
        };
        for (const auto& change : changes) {
            ShoppingTask t = milk();
            change(t);
            QVERIFY(t.fingerprint() != base);
        }
    }
};

KABIRO_TEST_GUILESS_MAIN(TestIcal)
#include "test_ical.moc"
