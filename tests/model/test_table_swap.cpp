#include "model/shopping_tables.h"
#include "support/test_registry.h"

#include <QSignalSpy>
#include <QTest>
#include <set>

// Exchanging the records of two tables: how a list file read into tables of its own replaces
// the program's tables once reading succeeded.
class TestTableSwap : public QObject {
    Q_OBJECT
private slots:
    void cursorPastTheNewEnd();
    void identitiesStayUnique();
    void locateSeesTheNewRecords();
    void filterAppliesToTheNewRecords();
};

namespace {

void fill(RecordTable& t, const QString& prefix, int n) {
    for (int i = 0; i < n; ++i) {
        t.append();
        t.setText(Cat::Secteur, i % 2 ? QStringLiteral("Marché") : QStringLiteral("Boulangerie"));
        t.setText(Cat::Produit, prefix + QString::number(i));
    }
    t.post();
}

} // namespace

// The table that had many records and its cursor near the end receives a short table: the
// cursor goes to the new first record, nothing reads past the end.
void TestTableSwap::cursorPastTheNewEnd() {
    RecordTable shown(catalogueSchema()), read(catalogueSchema());
    fill(shown, QStringLiteral("ancien "), 3000);
    shown.setCurrentPos(2999);
    fill(read, QStringLiteral("nouveau "), 2);
    QSignalSpy resets(&shown, &RecordTable::reset);
    QSignalSpy moves(&shown, &RecordTable::currentChanged);

    shown.swapRecords(read);

    QCOMPARE(shown.recordCount(), 2);
    QCOMPARE(shown.currentPos(), 0);
    QCOMPARE(shown.text(Cat::Produit), QStringLiteral("nouveau 0"));
    QVERIFY(shown.bof());
    QVERIFY(!shown.eof());
    QVERIFY(resets.count() >= 1);
    QVERIFY(moves.count() >= 1);
    QCOMPARE(read.recordCount(), 3000);
    QCOMPARE(read.text(Cat::Produit), QStringLiteral("ancien 0"));

    // Swapping an empty table in leaves no current record.
    RecordTable none(catalogueSchema());
    shown.setCurrentPos(1);
    shown.swapRecords(none);
    QVERIFY(!shown.hasCurrent());
    QVERIFY(shown.isEmpty());
    QVERIFY(shown.bof() && shown.eof());
}

void TestTableSwap::identitiesStayUnique() {
    RecordTable shown(catalogueSchema()), read(catalogueSchema());
    fill(shown, QStringLiteral("a"), 5);
    fill(read, QStringLiteral("b"), 8);
    shown.swapRecords(read);
    fill(shown, QStringLiteral("c"), 5);
    fill(read, QStringLiteral("d"), 5);
    for (RecordTable* t : {&shown, &read}) {
        std::set<quint64> ids;
        for (int p = 0; p < t->recordCount(); ++p)
            ids.insert(t->recordAt(p).id);
        QCOMPARE(static_cast<int>(ids.size()), t->recordCount());
    }
    // A bookmark taken before the exchange names no record afterwards, in either table: it
    // can never land on an unrelated record of the new contents.
    RecordTable one(catalogueSchema()), other(catalogueSchema());
    fill(one, QStringLiteral("x"), 3);
    one.setCurrentPos(2);
    const RecordTable::Bookmark b = one.bookmark();
    fill(other, QStringLiteral("y"), 3);
    one.swapRecords(other);
    QVERIFY(!one.bookmarkValid(b));
    QVERIFY(!other.bookmarkValid(b));
    QVERIFY(!one.gotoBookmark(b));
    QCOMPARE(one.currentPos(), 0);
}

// A name index built before the exchange must not answer for the old records.
void TestTableSwap::locateSeesTheNewRecords() {
    RecordTable shown(catalogueSchema()), read(catalogueSchema());
    fill(shown, QStringLiteral("ancien "), 50);
    QVERIFY(shown.locate(Cat::Produit, QStringLiteral("ancien 40")));
    fill(read, QStringLiteral("nouveau "), 50);
    shown.swapRecords(read);
    QVERIFY(!shown.locate(Cat::Produit, QStringLiteral("ancien 40")));
    QCOMPARE(shown.currentPos(), 0);
    QVERIFY(shown.locate(Cat::Produit, QStringLiteral("nouveau 40")));
    QCOMPARE(shown.currentPos(), 40);
    QVERIFY(read.locate(Cat::Produit, QStringLiteral("ancien 41")));
    QCOMPARE(read.currentPos(), 41);
}

void TestTableSwap::filterAppliesToTheNewRecords() {
    RecordTable shown(catalogueSchema()), read(catalogueSchema());
    shown.setFilter([](const Record& r) {
        return RecordTable::textOf(r, Cat::Secteur) == QStringLiteral("Marché");
    });
    shown.setFiltered(true);
    fill(read, QStringLiteral("p"), 6);
    shown.swapRecords(read);
    QCOMPARE(shown.currentPos(), 1); // the first record of the market
    QCOMPARE(static_cast<int>(shown.visiblePositions().size()), 3);
}

KABIRO_TEST_GUILESS_MAIN(TestTableSwap)
#include "test_table_swap.moc"
