// Finding records by name without moving the cursor, and the list total that is counted that
// way: the product found for each row must be the one locating it would have made current.

#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QRandomGenerator>
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

// The total counted the slow way: each shown row's product found by reading every product.
// Names are distinct in the tests that use it.
ListTotal totalByReading(ShoppingData& d) {
    ListTotal t;
    for (const int pos : d.list.visiblePositions()) {
        const Record& row = d.list.recordAt(pos);
        const QString name = RecordTable::textOf(row, Lst::Produit);
        for (int p = 0; p < d.catalogue.recordCount(); ++p) {
            const Record& product = d.catalogue.recordAt(p);
            if (RecordTable::textOf(product, Cat::Produit) != name || !d.catalogue.passes(product))
                continue;
            const qint32 q = RecordTable::integerOf(row, Lst::unite_vente).value_or(0);
            t.price +=
                Money::fromDoubleOrZero(RecordTable::realOf(product, Cat::Prix).value_or(0)) * q;
            t.units += q;
        }
    }
    return t;
}

void rename(RecordTable& t, int pos, int field, const QString& name) {
    t.setCurrentPos(pos);
    t.setText(field, name);
    t.post();
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

    // Each row keeps its product between walks: whatever happens to the names and the records
    // of both tables, the total must stay the one counted by reading every product.
    void rememberedProductsFollowEveryChange() {
        ShoppingData d;
        const QStringList shops{QStringLiteral("Super"), QStringLiteral("Marché")};
        for (int i = 0; i < 40; ++i)
            fixture::addProduct(d, shops[i % 2], QStringLiteral("Divers"),
                                QStringLiteral("P%1").arg(i), 1.0 + i);
        for (int i = 0; i < 40; i += 2)
            addRow(d, QStringLiteral("P%1").arg(i), 1 + i % 3);
        ShoppingCommands cmd(d);
        cmd.prepareLookups();
        QRandomGenerator rng(18);
        int fresh = 100;
        auto anyPos = [&rng](const RecordTable& t) {
            return static_cast<int>(rng.bounded(static_cast<quint32>(t.recordCount())));
        };
        auto freeName = [&d](const QString& name) {
            return fixture::find(d.catalogue, name) == nullptr;
        };
        for (int step = 0; step < 400; ++step) {
            switch (rng.bounded(9)) {
            case 0: // a product renamed to a new name
                rename(d.catalogue, anyPos(d.catalogue), Cat::Produit,
                       QStringLiteral("P%1").arg(fresh++));
                break;
            case 1: { // a product takes the name of a row that had none
                const QString name =
                    RecordTable::textOf(d.list.recordAt(anyPos(d.list)), Lst::Produit);
                if (freeName(name))
                    rename(d.catalogue, anyPos(d.catalogue), Cat::Produit, name);
                break;
            }
            case 2: // a row renamed
                rename(d.list, anyPos(d.list), Lst::Produit,
                       QStringLiteral("P%1").arg(rng.bounded(fresh)));
                break;
            case 3: // a product deleted, undone half of the time
                d.catalogue.setCurrentPos(anyPos(d.catalogue));
                cmd.deleteCatalogueRow();
                if (rng.bounded(2))
                    d.history.undo();
                break;
            case 4: { // a product added
                const QString name = QStringLiteral("P%1").arg(rng.bounded(fresh));
                if (freeName(name))
                    fixture::addProduct(d, shops[rng.bounded(2)], QStringLiteral("Divers"), name,
                                        rng.bounded(50));
                break;
            }
            case 5: // a price changed
                d.catalogue.setCurrentPos(anyPos(d.catalogue));
                d.catalogue.setReal(Cat::Prix, rng.bounded(50));
                d.catalogue.post();
                break;
            case 6: // the shop filter switched
                d.selection = {shops[rng.bounded(2)], QString(), 0};
                d.setShopFilter(!d.shopFilterOn());
                break;
            case 7: { // the list exchanged for a copy of itself, whose rows were never walked
                RecordTable copy(shoppingListSchema());
                for (int p = 0; p < d.list.recordCount(); ++p)
                    copy.appendLoaded(std::vector<FieldValue>(d.list.recordAt(p).values));
                d.list.swapRecords(copy);
                break;
            }
            case 8: // rows added until the list has enough
                while (d.list.recordCount() < 20)
                    addRow(d, QStringLiteral("P%1").arg(rng.bounded(fresh)), 2);
                break;
            }
            if (d.list.recordCount() == 0 || d.catalogue.recordCount() == 0)
                break;
            cmd.recomputeTotal();
            const ListTotal expected = totalByReading(d);
            QVERIFY2(d.total().price == expected.price && d.total().units == expected.units,
                     qPrintable(QStringLiteral("step %1").arg(step)));
        }
    }
};

KABIRO_TEST_GUILESS_MAIN(TestTotalLookup)
#include "test_total_lookup.moc"
