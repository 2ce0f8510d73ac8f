#include "model/global_operations.h"
#include "model/shopping_data.h"
#include "support/test_registry.h"

#include <QTest>

using namespace globalops;

namespace {

struct Product {
    QString sector;
    QString aisle;
    QString name;
    double price;
    QString planned;
    int period = 12;
};

void addProduct(ShoppingData& d, const Product& p) {
    RecordTable& t = d.catalogue;
    t.append();
    t.setText(Cat::Secteur, p.sector);
    t.setText(Cat::Rayon, p.aisle);
    t.setText(Cat::Produit, p.name);
    t.setText(Cat::color, Flag::NotListed);
    t.setInteger(Cat::id_prod, t.recordCount());
    t.setReal(Cat::Prix, p.price);
    t.setText(Cat::prevu, p.planned);
    t.setText(Cat::Rappel, Flag::No);
    t.setInteger(Cat::Duree_rappel, p.period);
    t.setDate(Cat::date_dern_achat, QDate(2020, 1, 1));
    t.post();
}

// Four products in two shops; the first and third are planned.
void fill(ShoppingData& d) {
    addProduct(d, {"Marché", "Fruits", "Pommes", 10.0, "O"});
    addProduct(d, {"Marché", "Fruits", "Poires", 3.0, "N"});
    addProduct(d, {"Bazar", "Outils", "Clous", 2.5, "O"});
    addProduct(d, {"Bazar", "Outils", "Vis", 4.0, "N"});
    d.setModified(false);
}

QString field(const ShoppingData& d, int pos, int f) {
    return RecordTable::textOf(d.catalogue.recordAt(pos), f);
}
double price(const ShoppingData& d, int pos) {
    return RecordTable::realOf(d.catalogue.recordAt(pos), Cat::Prix).value_or(-1);
}
QDate lastPurchase(const ShoppingData& d, int pos) {
    return RecordTable::dateOf(d.catalogue.recordAt(pos), Cat::date_dern_achat);
}

void filterOnSector(ShoppingData& d, const QString& sector) {
    d.selection = {sector, QString(), 0};
    d.setShopFilter(true);
}

} // namespace

class TestGlobalOperations : public QObject {
    Q_OBJECT
private slots:
    void selectAndDeselectKeepTheCursor() {
        ShoppingData d;
        fill(d);
        d.catalogue.setCurrentPos(2);
        QCOMPARE(setPlanned(d, true), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(field(d, i, Cat::prevu), QString("O"));
        QVERIFY(d.modified());
        QCOMPARE(d.catalogue.currentPos(), 2);
        setPlanned(d, false);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(field(d, i, Cat::prevu), QString("N"));
    }

    void afterDeselectEveryOperationFindsNothing() {
        ShoppingData d;
        fill(d);
        setPlanned(d, false);
        d.setModified(false);
        const QDate today(2026, 12, 9);
        const Outcome r = setReminder(d, true);
        QCOMPARE(r.changed, 0);
        QCOMPARE(r.notice, QString("Pas de produits sélectionnés (prévus)"));
        QCOMPARE(forceDueDate(d, today, 0).notice, noPlannedProductText());
        const auto f = PriceFactor::multiplication("2", nullptr);
        QVERIFY(f);
        const Outcome p = applyPriceFactor(d, *f);
        QCOMPARE(p.notice, noPlannedProductText());
        QVERIFY(!p.failed);
        QVERIFY(!d.modified());
        QCOMPARE(price(d, 0), 10.0);
        QCOMPARE(field(d, 0, Cat::Rappel), QString("N"));
    }

    void reminderOnAndOffTouchPlannedOnly() {
        ShoppingData d;
        fill(d);
        Outcome r = setReminder(d, true);
        QCOMPARE(r.changed, 2);
        QCOMPARE(r.notice, QString("Le rappel a été activés\r\npour tous les produits sélectionnés"
                                   "\r\n\r\nRemarque : Pour annuler cette opération\r\n"
                                   "Quittez la fenêtre avec Annule"));
        QCOMPARE(field(d, 0, Cat::Rappel), QString("O"));
        QCOMPARE(field(d, 1, Cat::Rappel), QString("N"));
        QCOMPARE(field(d, 2, Cat::Rappel), QString("O"));
        QVERIFY(d.modified());
        r = setReminder(d, false);
        QVERIFY(r.notice.startsWith("Le rappel a été désactivés\r\n"));
        QCOMPARE(field(d, 0, Cat::Rappel), QString("N"));
    }

    void forcedDueDate() {
        const QDate today(2026, 12, 9);
        // 12 days with a tolerance of 3 tenths: today - 8.4 days lands on today - 9.
        QCOMPARE(forcedLastPurchase(today, 12, 3), today.addDays(-9));
        QCOMPARE(forcedLastPurchase(today, 12, 0), today.addDays(-12));
        QCOMPARE(forcedLastPurchase(today, 10, 3), today.addDays(-7));
        QCOMPARE(forcedLastPurchase(today, 0, 3), today);

        ShoppingData a;
        fill(a);
        a.catalogue.setCurrentPos(1);
        const Outcome r = forceDueDate(a, today, 3);
        QCOMPARE(r.changed, 2);
        QCOMPARE(r.notice, dueDateDoneText());
        QVERIFY(r.notice.startsWith("L'échéance vient d'être fixée à aujourd'hui\r\n"));
        QCOMPARE(lastPurchase(a, 0), today.addDays(-9));
        QCOMPARE(field(a, 0, Cat::Rappel), QString("O"));
        QCOMPARE(lastPurchase(a, 1), QDate(2020, 1, 1)); // not planned
        QCOMPARE(a.catalogue.currentPos(), 1);
    }

    void euroConversionRoundsToTenThousandths() {
        ShoppingData d;
        fill(d);
        QString err;
        const auto f = PriceFactor::euroDivision(6.55957, RegionalSettings::french(), &err);
        QVERIFY(f);
        QCOMPARE(f->text(), QString("/ 6,55957"));
        QCOMPARE(priceConfirmationText(*f),
                 QString("Conversion des prix des produits sélectionnés (prévus)\r\n"
                         "Prix = Prix / 6,55957\r\n\r\nValidation ?"));
        const Outcome r = applyPriceFactor(d, *f);
        QCOMPARE(r.changed, 2);
        QCOMPARE(r.notice, QString("La conversion des prix vient d'être réalisée\r\n\r\n\r\n"
                                   "Remarque : Pour annuler cette opération\r\n"
                                   "Quittez la fenêtre avec Annule"));
        QCOMPARE(Money::fromDoubleOrZero(price(d, 0)).raw(), 15245); // 10,00 / 6,55957
        QCOMPARE(Money::fromDoubleOrZero(price(d, 2)).raw(), 3811);  // 2,50 / 6,55957
        QCOMPARE(price(d, 1), 3.0);
        QVERIFY(d.modified());
        QCOMPARE(d.catalogue.currentPos(), 3); // the cursor stays at the end of the walk
    }

    void multiplicationAcceptsBothSeparators() {
        ShoppingData a, b;
        fill(a);
        fill(b);
        const auto dot = PriceFactor::multiplication("1.5", nullptr);
        const auto comma = PriceFactor::multiplication("1,5", nullptr);
        QVERIFY(dot && comma);
        QCOMPARE(dot->text(), QString("* 1.5"));
        QCOMPARE(comma->text(), QString("* 1,5"));
        applyPriceFactor(a, *dot);
        applyPriceFactor(b, *comma);
        QCOMPARE(price(a, 0), 15.0);
        QCOMPARE(price(a, 2), 3.75);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(price(a, i), price(b, i));
    }

    void factorTextParsing() {
        QCOMPARE(parseFourDecimals(" 2 ")->raw(), 20000);
        QCOMPARE(parseFourDecimals("0,12345")->raw(), 1234); // tie goes to the even neighbour
        QCOMPARE(parseFourDecimals("0,12355")->raw(), 1236);
        QCOMPARE(parseFourDecimals("0,123451")->raw(), 1235);
        QCOMPARE(parseFourDecimals("-1.25")->raw(), -12500);
        QCOMPARE(parseFourDecimals(",5")->raw(), 5000);
        for (const char* bad : {"", " ", "abc", "1,2,3", "1.5x", "-", ",", "1e3", "1 000"})
            QVERIFY2(!parseFourDecimals(bad), bad);
        QVERIFY(!parseFourDecimals("99999999999999999999"));
    }

    void refusalsChangeNothing() {
        ShoppingData d;
        fill(d);
        QString err;
        QVERIFY(!PriceFactor::multiplication("deux", &err));
        QVERIFY(err.startsWith("ERREUR : "));
        err.clear();
        QVERIFY(!PriceFactor::euroDivision(0.0, RegionalSettings::french(), &err));
        QVERIFY(err.startsWith("ERREUR : "));

        // A result too big for a money amount: nothing is changed, not even the products
        // walked before the one that overflows.
        d.catalogue.setCurrentPos(2);
        d.catalogue.edit();
        d.catalogue.setReal(Cat::Prix, 9.0e14);
        d.catalogue.post();
        d.catalogue.setCurrentPos(1);
        d.setModified(false);
        const auto big = PriceFactor::multiplication("100", nullptr);
        const Outcome r = applyPriceFactor(d, *big);
        QVERIFY(r.failed);
        QVERIFY(r.notice.startsWith("ERREUR : "));
        QCOMPARE(r.changed, 0);
        QCOMPARE(price(d, 0), 10.0);
        QCOMPARE(price(d, 2), 9.0e14);
        QVERIFY(!d.modified());
        QCOMPARE(d.catalogue.currentPos(), 1);
    }

    void multiplyingByZeroIsAllowed() {
        ShoppingData d;
        fill(d);
        const auto zero = PriceFactor::multiplication("0", nullptr);
        QVERIFY(zero);
        const Outcome r = applyPriceFactor(d, *zero);
        QVERIFY(!r.failed);
        QCOMPARE(price(d, 0), 0.0);
        QCOMPARE(price(d, 2), 0.0);
        QCOMPARE(price(d, 1), 3.0);
    }

    void shopFilterLimitsTheScope() {
        ShoppingData d;
        fill(d);
        filterOnSector(d, "Bazar");
        QCOMPARE(setReminder(d, true).changed, 1);
        QCOMPARE(field(d, 0, Cat::Rappel), QString("N"));
        QCOMPARE(field(d, 2, Cat::Rappel), QString("O"));

        const auto f = PriceFactor::multiplication("2", nullptr);
        QCOMPARE(applyPriceFactor(d, *f).changed, 1);
        QCOMPARE(price(d, 0), 10.0);
        QCOMPARE(price(d, 2), 5.0);

        QCOMPARE(setPlanned(d, false), 2);
        QCOMPARE(field(d, 0, Cat::prevu), QString("O"));
        QCOMPARE(field(d, 2, Cat::prevu), QString("N"));

        forceDueDate(d, QDate(2026, 12, 9), 0);
        QCOMPARE(lastPurchase(d, 0), QDate(2020, 1, 1));
    }
};

KABIRO_TEST_APPLESS_MAIN(TestGlobalOperations)
#include "test_global_operations.moc"
