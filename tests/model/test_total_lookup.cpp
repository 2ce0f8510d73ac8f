// Finding records by name without moving the cursor, and the list total that is counted that
// way: the product found for each row must be the one locating it would have made current.

#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>

namespace {

void addRow(ShoppingData& d, const QString& name, qint32 quantity) {
    d.list.append();
    d.list.setText(Lst::Secteur, QStringLiteral("Super"));
    d.list.setText(Lst::Rayon, QStringLiteral("Divers"));
    d.list.setText(Lst::Produit, name);
    d.list.setInteger(Lst::unite_vente, quantity);
    d.list.post();
}

// Two products named "Lait" (1.00 and 2.00, in two shops) and "Pain" (3.00); listed: Lait 1,
// Pain 1, Lait 1.
void twoMilks(ShoppingData& d) {
    fixture::addProduct(d, QStringLiteral("Crèmerie"), QStringLiteral("Frais"),
                        QStringLiteral("Lait"), 1.0);
    fixture::addProduct(d, QStringLiteral("Super"), QStringLiteral("Frais"), QStringLiteral("Lait"),
                        2.0);
    fixture::addProduct(d, QStringLiteral("Super"), QStringLiteral("Pains"), QStringLiteral("Pain"),
                        3.0);
    addRow(d, QStringLiteral("Lait"), 1);
    addRow(d, QStringLiteral("Pain"), 1);
    addRow(d, QStringLiteral("Lait"), 1);
}

} // namespace

class TestTotalLookup : public QObject {
    Q_OBJECT
private slots:
    void findPositionPrefersTheGivenRecordThenTheFirstMatch() {
        ShoppingData d;
        twoMilks(d);
        RecordTable& cat = d.catalogue;
        cat.setCurrentPos(2);
        const QString lait = QStringLiteral("Lait");
        QCOMPARE(cat.findPosition(Cat::Produit, lait, -1), 0);
        QCOMPARE(cat.findPosition(Cat::Produit, lait, 1), 1);
        QCOMPARE(cat.findPosition(Cat::Produit, lait, 2), 0); // "Pain" does not bear the name
        QCOMPARE(cat.findPosition(Cat::Produit, lait, 99), 0);
        QCOMPARE(cat.findPosition(Cat::Produit, QStringLiteral("Beurre"), 1), -1);
        QCOMPARE(cat.findPosition(Cat::Produit, QStringLiteral("lait"), -1), -1); // case counts
        // The cursor stayed.
        QCOMPARE(cat.currentPos(), 2);
    }

    void findPositionSeesOnlyWhatTheFilterShows() {
        ShoppingData d;
        twoMilks(d);
        d.selection = {QStringLiteral("Super"), QString(), 0};
        d.setShopFilter(true);
        QCOMPARE(d.catalogue.findPosition(Cat::Produit, QStringLiteral("Lait"), -1), 1);
        // A record the filter hides does not win even when given.
        QCOMPARE(d.catalogue.findPosition(Cat::Produit, QStringLiteral("Lait"), 0), 1);
        // A name only a hidden record bears is not found, given or not.
        d.selection = {QStringLiteral("Crèmerie"), QString(), 0};
        d.reapplyShopFilter();
        QCOMPARE(d.catalogue.findPosition(Cat::Produit, QStringLiteral("Pain"), -1), -1);
        QCOMPARE(d.catalogue.findPosition(Cat::Produit, QStringLiteral("Pain"), 2), -1);
        QCOMPARE(d.catalogue.findPosition(Cat::Produit, QStringLiteral("Lait"), 1), 0);
    }

    void findPositionPostsAPendingEdit() {
        ShoppingData d;
        twoMilks(d);
        RecordTable& cat = d.catalogue;
        cat.setCurrentPos(2);
        cat.edit();
        cat.setText(Cat::Produit, QStringLiteral("Pain complet"));
        QCOMPARE(cat.findPosition(Cat::Produit, QStringLiteral("Pain complet"), -1), 2);
        QCOMPARE(cat.state(), RecordTable::State::Browse);
        QCOMPARE(cat.findPosition(Cat::Produit, QStringLiteral("Pain"), -1), -1);
    }

    // The cursor on the second "Lait": the first row counts it (2.00), "Pain" 3.00, and the
    // last row, the cursor then being on "Pain", the first "Lait" (1.00).
    void totalCountsThePartnersLocatingWouldFind() {
        ShoppingData d;
        twoMilks(d);
        ShoppingCommands cmd(d);
        d.catalogue.setCurrentPos(1);
        d.list.setCurrentPos(1); // "Pain"
        cmd.totalClick();
        QCOMPARE(d.total().price, Money::fromDoubleOrZero(6.0));
        QCOMPARE(d.total().units, qint64(3));
        // The catalogue then shows the current row's product; the list kept its row.
        QCOMPARE(d.catalogue.currentPos(), 2);
        QCOMPARE(d.list.currentPos(), 1);

        d.catalogue.setCurrentPos(2);
        cmd.totalClick();
        QCOMPARE(d.total().price, Money::fromDoubleOrZero(5.0));
    }

    void rowsWithoutTheirProductCountForNothing() {
        ShoppingData d;
        twoMilks(d);
        addRow(d, QStringLiteral("Beurre"), 4);
        ShoppingCommands cmd(d);
        d.catalogue.setCurrentPos(0);
        cmd.totalClick();
        QCOMPARE(d.total().price, Money::fromDoubleOrZero(5.0));
        QCOMPARE(d.total().units, qint64(3));
    }

    void totalUnderTheFilterCountsTheShownRows() {
        ShoppingData d;
        twoMilks(d);
        ShoppingCommands cmd(d);
        d.selection = {QStringLiteral("Super"), QString(), 0};
        d.setShopFilter(true);
        cmd.totalClick();
        // Every row is in "Super"; "Lait" is found in that shop only (2.00 twice).
        QCOMPARE(d.total().price, Money::fromDoubleOrZero(7.0));
        QCOMPARE(d.total().units, qint64(3));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestTotalLookup)
#include "test_total_lookup.moc"
