#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using namespace fixture;

namespace {

QStringList shownNames(const RecordTable& t) {
    QStringList out;
    for (int pos : t.visiblePositions())
        out << RecordTable::textOf(t.recordAt(pos), Cat::Produit);
    return out;
}

// Two shops that both have an aisle "Frais"; every product is listed once.
void twoShops(ShoppingData& d) {
    addProduct(d, "Super", "Frais", "Yaourt", 2.0);
    addProduct(d, "Marché", "Légumes", "Poireau", 1.0);
    addProduct(d, "Marché", "Frais", "Fromage", 5.0);
    addProduct(d, "Super", "Épicerie", "Sucre", 1.5);
    ShoppingCommands cmd(d);
    for (const char* n : {"Yaourt", "Poireau", "Fromage", "Sucre"}) {
        select(d.catalogue, QString::fromUtf8(n));
        cmd.addOne({day(0), 3});
    }
}

} // namespace

class TestFilterAndSearch : public QObject {
    Q_OBJECT

private slots:
    void aisleFilterCrossesSectors() {
        ShoppingData d;
        twoShops(d);
        ShoppingCommands cmd(d);
        QCOMPARE(cmd.setShopFilter(true).filterOn, true);
        cmd.treePress(1, QStringLiteral("Frais"), QString::fromUtf8("Marché"));

        QCOMPARE(shownNames(d.catalogue), (QStringList{"Yaourt", "Fromage"}));
        QCOMPARE(shownNames(d.list), (QStringList{"Yaourt", "Fromage"}));
        QCOMPARE(d.listLabel(), QString::fromUtf8("Marché / Frais"));
        QCOMPARE(d.total().units, 2);
        QCOMPARE(d.total().price, Money::fromDoubleOrZero(7.0));
        // The catalogue shows the product of the list's first row.
        QCOMPARE(currentName(d.list), QStringLiteral("Yaourt"));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Yaourt"));

        cmd.treePress(0, QString::fromUtf8("Marché"));
        QCOMPARE(shownNames(d.catalogue), (QStringList{"Poireau", "Fromage"}));
        QCOMPARE(d.listLabel(), QString::fromUtf8("Marché"));
        QCOMPARE(d.total().units, 2);

        const ShoppingCommands::FilterOutcome off = cmd.setShopFilter(false);
        QVERIFY(!off.filterOn && !off.selectFirstNode);
        QCOMPARE(d.listLabel(), QString::fromUtf8("Liste complète"));
        QCOMPARE(shownNames(d.list).size(), 4);
        QCOMPARE(d.total().units, 4);
    }

    void treePressWithoutFilterOnlyMoves() {
        ShoppingData d;
        twoShops(d);
        ShoppingCommands cmd(d);
        select(d.catalogue, "Sucre");
        cmd.treePress(0, QStringLiteral("Super"));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Sucre")); // already in the sector
        QCOMPARE(shownNames(d.catalogue).size(), 4);
        cmd.treePress(0, QString::fromUtf8("Marché"));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Poireau"));
        cmd.treePress(1, QStringLiteral("Frais"), QString::fromUtf8("Marché"));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Yaourt")); // first aisle of that name
        QCOMPARE(d.selection.sector, QString::fromUtf8("Marché"));
        QCOMPARE(d.selection.aisle, QStringLiteral("Frais"));
        QCOMPARE(d.selection.level, 1);
        QCOMPARE(d.listLabel(), QString::fromUtf8("Liste complète"));
    }

    void filterBeforeAnyChoice() {
        ShoppingData d;
        twoShops(d);
        ShoppingCommands cmd(d);
        const ShoppingCommands::FilterOutcome on = cmd.setShopFilter(true);
        QVERIFY(on.filterOn);
        QVERIFY(on.selectFirstNode);
        QCOMPARE(d.selection.sector, QString::fromUtf8("Marché")); // alphabetically first
        QCOMPARE(d.listLabel(), QString::fromUtf8("Marché"));
        QCOMPARE(shownNames(d.list), (QStringList{"Poireau", "Fromage"}));

        // With a sector chosen, the tree is left alone.
        cmd.setShopFilter(false);
        QVERIFY(!cmd.setShopFilter(true).selectFirstNode);
    }

    void filterWithoutAnyNode() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        const ShoppingCommands::FilterOutcome on = cmd.setShopFilter(true);
        QVERIFY(!on.filterOn); // the button comes back up
        QVERIFY(!on.selectFirstNode);
        QVERIFY(!d.shopFilterOn());
        QVERIFY(!d.catalogue.filtered());
        QVERIFY(d.selection.sector.isEmpty());
    }

    void sortingBothTables() {
        ShoppingData d;
        twoShops(d);
        ShoppingCommands cmd(d);
        select(d.catalogue, "Poireau");
        select(d.list, "Sucre");
        cmd.sortByTitle(ShoppingCommands::SortColumn::Produit);
        QCOMPARE(shownNames(d.catalogue), (QStringList{"Fromage", "Poireau", "Sucre", "Yaourt"}));
        QCOMPARE(shownNames(d.list), shownNames(d.catalogue));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Poireau"));
        QCOMPARE(currentName(d.list), QStringLiteral("Fromage")); // the list goes to its top

        cmd.sortByTitle(ShoppingCommands::SortColumn::Rayon);
        QCOMPARE(shownNames(d.catalogue), (QStringList{"Fromage", "Poireau", "Sucre", "Yaourt"}));
        // Secteur first: "Marché" before "Super"; within Super "Épicerie" before "Frais".
        QCOMPARE(shownNames(d.list), (QStringList{"Fromage", "Poireau", "Sucre", "Yaourt"}));
        select(d.catalogue, "Fromage");
        d.catalogue.setText(Cat::Rayon, QStringLiteral("Zone"));
        d.catalogue.post();
        cmd.sortByTitle(ShoppingCommands::SortColumn::Rayon);
        QCOMPARE(shownNames(d.catalogue), (QStringList{"Poireau", "Fromage", "Sucre", "Yaourt"}));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Fromage"));
    }

    void listClickShowsTheProduct() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        QVERIFY(!cmd.showListRowProduct());
        twoShops(d);
        select(d.list, "Poireau");
        QVERIFY(cmd.showListRowProduct());
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Poireau"));
    }

    void searchBoxBeginsWith() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Palais", 1.0);
        addProduct(d, "Super", "Divers", "Lait", 1.0);
        addProduct(d, "Super", "Divers", "laitue", 1.0);
        addProduct(d, "Super", "Divers", "Sel", 1.0);
        ShoppingCommands cmd(d);
        select(d.catalogue, "Sel");
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("l")));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Lait"));
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("lai")));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Lait"));
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("LAITU")));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("laitue"));
        QVERIFY(!cmd.searchBeginsWith(QStringLiteral("xyz")));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("laitue"));
    }

    // After a miss, the same text lengthened is not searched for again; each change that can
    // make a name begin so (a name written, a product added, another shop chosen, the filter
    // switched off) shows at the next letter.
    void searchBeginsWithAfterAMiss() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Sel", 1.0);
        addProduct(d, "Super", "Divers", "Lait", 1.0);
        addProduct(d, QString::fromUtf8("Marché"), "Divers", "Riz", 1.0);
        ShoppingCommands cmd(d);
        const auto misses = [&](const char* typed) {
            const QString before = currentName(d.catalogue);
            return !cmd.searchBeginsWith(QString::fromUtf8(typed)) &&
                   currentName(d.catalogue) == before;
        };
        select(d.catalogue, "Sel");
        QVERIFY(misses("Rix"));
        QVERIFY(misses("Rixe"));

        select(d.catalogue, "Lait");
        d.catalogue.setText(Cat::Produit, QStringLiteral("Rixe blanche"));
        d.catalogue.post();
        select(d.catalogue, "Sel");
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("Rixe ")));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Rixe blanche"));

        QVERIFY(misses("Qu"));
        addProduct(d, "Super", "Divers", "Quinoa", 1.0);
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("Qui")));

        // Under the filter on "Super", "Riz" is not shown; under "Marché", "Sel" is not.
        cmd.treePress(0, QStringLiteral("Super"));
        cmd.setShopFilter(true);
        QVERIFY(misses("Riz"));
        cmd.treePress(0, QString::fromUtf8("Marché"));
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("Riz")));
        QVERIFY(misses("Se"));
        cmd.setShopFilter(false);
        QVERIFY(cmd.searchBeginsWith(QStringLiteral("Sel")));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Sel"));
    }

    void searchListContains() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Palais", 1.0);
        addProduct(d, "Super", "Divers", "Lait", 1.0);
        addProduct(d, "Super", "Divers", "Sel", 1.0);
        addProduct(d, "Marché", "Divers", "Lait de chèvre", 1.0);
        ShoppingCommands cmd(d);
        select(d.catalogue, "Sel");

        auto items = cmd.searchItems(QStringLiteral("  lai "));
        QVERIFY(items.has_value());
        QCOMPARE(*items, (QStringList{"Lait", "Lait de chèvre", "Palais"}));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Sel"));

        QVERIFY(!cmd.searchItems(QStringLiteral("   ")).has_value());
        items = cmd.searchItems(QStringLiteral("zzz"));
        QVERIFY(items.has_value() && items->isEmpty());

        // Under the filter only the products shown are offered.
        cmd.treePress(0, QStringLiteral("Super"));
        cmd.setShopFilter(true);
        QCOMPARE(*cmd.searchItems(QStringLiteral("lai")), (QStringList{"Lait", "Palais"}));
    }

    // The catalogue keeps the names' order between searches: each change made meanwhile (a name
    // written, a product added or deleted, the records sorted otherwise, a list read in its
    // place) shows in the next search, whose names stay in alphabetical order.
    void searchOrderFollowsTheCatalogue() {
        ShoppingData d;
        for (const char* n : {"Salade", "Lait", "Palais", "Laitue"})
            addProduct(d, "Super", "Divers", QString::fromUtf8(n), 1.0);
        ShoppingCommands cmd(d);
        QCOMPARE(*cmd.searchItems(QStringLiteral("a")),
                 (QStringList{"Lait", "Laitue", "Palais", "Salade"}));

        select(d.catalogue, "Palais");
        d.catalogue.edit();
        d.catalogue.setText(Cat::Produit, QStringLiteral("Baladeur"));
        d.catalogue.post();
        QCOMPARE(*cmd.searchItems(QStringLiteral("a")),
                 (QStringList{"Baladeur", "Lait", "Laitue", "Salade"}));

        addProduct(d, "Marché", "Divers", QStringLiteral("Abats"), 1.0);
        select(d.catalogue, "Lait");
        d.catalogue.remove();
        QCOMPARE(*cmd.searchItems(QStringLiteral("a")),
                 (QStringList{"Abats", "Baladeur", "Laitue", "Salade"}));

        d.catalogue.sort(QStringLiteral("Secteur;Produit"));
        QCOMPARE(*cmd.searchItems(QStringLiteral("la")),
                 (QStringList{"Baladeur", "Laitue", "Salade"}));

        ShoppingData other;
        addProduct(other, "Super", "Divers", QStringLiteral("Zeste"), 1.0);
        addProduct(other, "Super", "Divers", QStringLiteral("Ananas"), 1.0);
        d.catalogue.swapRecords(other.catalogue);
        QCOMPARE(*cmd.searchItems(QStringLiteral("e")), (QStringList{"Zeste"}));
        QCOMPARE(*cmd.searchItems(QStringLiteral("a")), (QStringList{"Ananas"}));
    }

    void accentedLettersKeepTheirCase() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", QString::fromUtf8("ÉCLAIR"), 1.0);
        addProduct(d, "Super", "Divers", QString::fromUtf8("crème"), 1.0);
        ShoppingCommands cmd(d);
        QVERIFY(cmd.searchItems(QString::fromUtf8("éclair"))->isEmpty());
        QCOMPARE(*cmd.searchItems(QString::fromUtf8("Éclair")), QStringList{"ÉCLAIR"});
        QVERIFY(cmd.searchItems(QString::fromUtf8("CRÈME"))->isEmpty());
        QCOMPARE(*cmd.searchItems(QString::fromUtf8("CRèME")), QStringList{"crème"});
    }
};

KABIRO_TEST_GUILESS_MAIN(TestFilterAndSearch)
#include "test_filter_and_search.moc"
