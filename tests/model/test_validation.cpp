#include "model/regional_settings.h"
#include "model/shopping_commands.h"
#include "support/scripted_platform.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using namespace fixture;

namespace {

// Savon: reminder every 30 days, bought on day 0, listed. Pain: planned, listed.
// Sel: planned, not listed. Riz: reminder due, not listed.
void shoppingTrip(ShoppingData& d) {
    Product p;
    p.name = QStringLiteral("Savon");
    p.reminder = Flag::Yes;
    p.period = 30;
    p.lastPurchase = day(0);
    addProduct(d, p);
    p = Product();
    p.name = QStringLiteral("Pain");
    p.planned = Flag::Yes;
    addProduct(d, p);
    p.name = QStringLiteral("Sel");
    addProduct(d, p);
    p = Product();
    p.name = QStringLiteral("Riz");
    p.reminder = Flag::Yes;
    p.period = 5;
    p.lastPurchase = day(0);
    addProduct(d, p);
    ShoppingCommands cmd(d);
    for (const char* n : {"Savon", "Pain"}) {
        select(d.catalogue, QString::fromLatin1(n));
        cmd.addOne({day(0), 3});
    }
    d.setModified(false);
}

} // namespace

class TestValidation : public QObject {
    Q_OBJECT

private slots:
    void purchaseDateAfterValidation_data() {
        QTest::addColumn<int>("today");
        QTest::addColumn<int>("purchase");
        QTest::newRow("before the window") << 10 << 0;
        QTest::newRow("inside the window") << 25 << 30;
        QTest::newRow("overdue") << 40 << 40;
        QTest::newRow("due today") << 30 << 30;
    }
    void purchaseDateAfterValidation() {
        QFETCH(int, today);
        QFETCH(int, purchase);
        ShoppingData d;
        shoppingTrip(d);
        ShoppingCommands cmd(d);
        QVERIFY(cmd.validate({day(today), 3}, QStringLiteral("jour")));
        QCOMPARE(purchaseDate(d, "Savon"), day(purchase));
        QCOMPARE(period(d, "Savon"), 30);
    }

    void validationClearsPlannedFlagsOfListedProductsOnly() {
        ShoppingData d;
        shoppingTrip(d);
        ShoppingCommands cmd(d);
        select(d.catalogue, "Sel");
        const RegionalSettings fr = RegionalSettings::french();
        QVERIFY(cmd.validate({day(40), 3}, fr));

        QCOMPARE(field(d.catalogue, "Pain", Cat::prevu), Flag::No);
        QCOMPARE(field(d.catalogue, "Sel", Cat::prevu), Flag::Yes);
        QCOMPARE(purchaseDate(d, "Riz"), day(0)); // not listed: its reminder stays due
        QCOMPARE(d.validationText, QStringLiteral(" ") + fr.longDate(day(40)));
        QVERIFY(d.modified());
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Sel"));

        // The list itself is left as it was.
        QCOMPARE(d.list.recordCount(), 2);
        QCOMPARE(field(d.list, "Pain", Lst::Prevu), Flag::Yes);
        QCOMPARE(mark(d, "Pain"), Flag::Listed);
        QCOMPARE(mark(d, "Savon"), Flag::Listed);
    }

    void noListedProductAsksNothing() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Sel", 1.0);
        ShoppingCommands cmd(d);
        ScriptedPlatform platform;
        QVERIFY(!cmd.hasListedProduct());
        QVERIFY(!cmd.validateAsking({day(3), 3}, platform));
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!cmd.validate({day(3), 3}, QStringLiteral("x")));
        QCOMPARE(d.validationText, ShoppingData::initialValidationText());
        QVERIFY(!d.modified());
    }

    void theQuestionDecides() {
        ShoppingData d;
        shoppingTrip(d);
        ShoppingCommands cmd(d);
        ScriptedPlatform platform;
        platform.answer(Platform::Button::No);
        QVERIFY(cmd.hasListedProduct());
        QVERIFY(!cmd.validateAsking({day(40), 3}, platform));
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text,
                 QString::fromUtf8("La validation implique l'emploi de la liste ce jour.\r\n"
                                   "Pour les produits retenus, les échéances seront\r\n"
                                   " recalculées à partir d'aujourd'hui\r\n\r\n"
                                   "Validez-vous la liste ?"));
        QCOMPARE(platform.messages[0].buttons,
                 (QList<Platform::Button>{Platform::Button::Yes, Platform::Button::No}));
        QCOMPARE(field(d.catalogue, "Pain", Cat::prevu), Flag::Yes);
        QCOMPARE(d.validationText, ShoppingData::initialValidationText());
        QVERIFY(!d.modified());

        platform.answer(Platform::Button::Yes);
        QVERIFY(cmd.validateAsking({day(40), 3}, platform));
        QCOMPARE(field(d.catalogue, "Pain", Cat::prevu), Flag::No);
        QCOMPARE(d.validationText,
                 QStringLiteral(" ") + platform.regionalSettings.longDate(day(40)));
    }

    void filterLimitsValidationToTheSector() {
        ShoppingData d;
        shoppingTrip(d);
        Product p;
        p.sector = QStringLiteral("Marché");
        p.name = QStringLiteral("Pomme");
        p.planned = Flag::Yes;
        addProduct(d, p);
        ShoppingCommands cmd(d);
        select(d.catalogue, "Pomme");
        cmd.addOne({day(0), 3});
        cmd.treePress(0, QStringLiteral("Marché"));
        QCOMPARE(cmd.setShopFilter(true).filterOn, true);

        QVERIFY(cmd.validate({day(40), 3}, QStringLiteral("x")));
        QCOMPARE(field(d.catalogue, "Pomme", Cat::prevu), Flag::No);
        QCOMPARE(field(d.catalogue, "Pain", Cat::prevu), Flag::Yes);
        QCOMPARE(purchaseDate(d, "Savon"), day(0));

        // A sector without listed products has nothing to validate.
        addProduct(d, "Vide", "Divers", "Rien", 1.0);
        cmd.treePress(0, QStringLiteral("Vide"));
        QVERIFY(!cmd.hasListedProduct());
    }
};

KABIRO_TEST_GUILESS_MAIN(TestValidation)
#include "test_validation.moc"
