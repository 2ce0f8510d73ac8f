// Validation of the products bought away from the desktop (ticked on the phone): the same rule as
// "Valide" for those products only, their rows gone and their marks cleared.

#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using namespace fixture;

namespace {

// Savon: reminder every 30 days, bought on day 0. Pain and Lait: planned. All three listed, Lait
// twice over (two rows). Sel: planned, not listed.
void trip(ShoppingData& d) {
    Product p;
    p.name = QStringLiteral("Savon");
    p.reminder = Flag::Yes;
    p.period = 30;
    p.lastPurchase = day(0);
    addProduct(d, p);
    p = Product();
    p.planned = Flag::Yes;
    for (const char* n : {"Pain", "Lait", "Sel"}) {
        p.name = QString::fromLatin1(n);
        addProduct(d, p);
    }
    ShoppingCommands cmd(d);
    for (const char* n : {"Savon", "Pain", "Lait"}) {
        select(d.catalogue, QString::fromLatin1(n));
        cmd.addOne({day(0), 3});
    }
    // A second row of the same product, as a list file may bring.
    d.list.append();
    d.list.setText(Lst::Secteur, QStringLiteral("Super"));
    d.list.setText(Lst::Rayon, QStringLiteral("Divers"));
    d.list.setText(Lst::Produit, QStringLiteral("Lait"));
    d.list.setInteger(Lst::unite_vente, 1);
    d.list.post();
    cmd.recomputeTotal();
    d.setModified(false);
}

} // namespace

class TestPurchasedValidation : public QObject {
    Q_OBJECT

private slots:
    void onlyTheTickedProductsAreValidated() {
        ShoppingData d;
        trip(d);
        ShoppingCommands cmd(d);
        const int n = cmd.validatePurchased({day(25), 3}, QStringLiteral("mercredi 9 décembre"),
                                            {QStringLiteral("Savon"), QStringLiteral("Lait"),
                                             QStringLiteral("Sel"), QStringLiteral("Inconnu")});
        QCOMPARE(n, 2); // Sel is not listed, Inconnu does not exist
        // The rule of "Valide": inside its window, Savon restarts from its due date.
        QCOMPARE(purchaseDate(d, QStringLiteral("Savon")), day(30));
        QCOMPARE(field(d.catalogue, QStringLiteral("Lait"), Cat::prevu), Flag::No);
        QCOMPARE(mark(d, QStringLiteral("Savon")), Flag::NotListed);
        QCOMPARE(mark(d, QStringLiteral("Lait")), Flag::NotListed);
        // Untouched: Pain stays listed and planned; Sel (not listed) keeps its planned flag.
        QCOMPARE(mark(d, QStringLiteral("Pain")), Flag::Listed);
        QCOMPARE(field(d.catalogue, QStringLiteral("Pain"), Cat::prevu), Flag::Yes);
        QCOMPARE(field(d.catalogue, QStringLiteral("Sel"), Cat::prevu), Flag::Yes);
        // Both rows of Lait and the row of Savon are gone.
        QCOMPARE(d.list.recordCount(), 1);
        QCOMPARE(RecordTable::textOf(d.list.recordAt(0), Lst::Produit), QStringLiteral("Pain"));
        QCOMPARE(d.validationText, QStringLiteral(" mercredi 9 décembre"));
        QCOMPARE(d.total().units, 1);
        QVERIFY(d.modified());
    }

    void theShopFilterDoesNotHideTickedProducts() {
        ShoppingData d;
        Product p;
        p.sector = QStringLiteral("Boulangerie");
        p.name = QStringLiteral("Pain");
        p.planned = Flag::Yes;
        addProduct(d, p);
        select(d.catalogue, p.name);
        ShoppingCommands cmd(d);
        cmd.addOne({day(0), 3});
        d.selection = ShopSelection{QStringLiteral("Super"), QString(), 0};
        d.setShopFilter(true);
        QCOMPARE(cmd.validatePurchased({day(1), 3}, QStringLiteral("x"), {QStringLiteral("Pain")}),
                 1);
        QCOMPARE(d.list.recordCount(), 0);
    }

    void nothingTickedThatIsListedChangesNothing() {
        ShoppingData d;
        trip(d);
        ShoppingCommands cmd(d);
        const QString before = d.validationText;
        QCOMPARE(cmd.validatePurchased({day(25), 3}, QStringLiteral("x"),
                                       {QStringLiteral("Sel"), QStringLiteral("Inconnu")}),
                 0);
        QCOMPARE(d.list.recordCount(), 4);
        QCOMPARE(d.validationText, before);
        QVERIFY(!d.modified());
    }
};

KABIRO_TEST_GUILESS_MAIN(TestPurchasedValidation)
#include "test_purchased_validation.moc"
