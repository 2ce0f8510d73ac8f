#include "model/currency_converter.h"
#include "support/test_registry.h"

#include <QTest>

using namespace converter;

namespace {

RegionalSettings withSymbol(const QString& symbol) {
    return RegionalSettings(QLocale(QLocale::French, QLocale::France), symbol);
}

Money money(double v) {
    return Money::fromDoubleOrZero(v);
}

} // namespace

class TestCurrencyConverter : public QObject {
    Q_OBJECT
private slots:
    void modeFollowsTheCurrencySymbol() {
        QCOMPARE(modeFor("F"), Mode::Franc);
        QCOMPARE(modeFor("f"), Mode::Franc);
        QCOMPARE(modeFor("FF"), Mode::Franc);
        QCOMPARE(modeFor("€"), Mode::Euro);
        QCOMPARE(modeFor("EUR"), Mode::Euro);
        QCOMPARE(modeFor(""), Mode::Euro);
        QCOMPARE(caption(Mode::Franc), QString("Convertisseur EURO"));
        QCOMPARE(caption(Mode::Euro), QString("Convertisseur Francs"));
    }

    void francsToEuros() {
        const RegionalSettings rs = withSymbol("F");
        const Lines l = compute("6,56 F", money(6.56), " 13,12 F", money(13.12), 6.55957, rs, "-");
        QCOMPARE(l.price, QString(" 6,56 F = 1,00 euros"));
        QCOMPARE(l.total, QString("  13,12 F = 2,00 euros"));
    }

    void eurosToFrancs() {
        const RegionalSettings rs = withSymbol("€");
        QCOMPARE(*convertedText(money(10.0), 6.55957, Mode::Euro, rs), QString("65,60 francs"));
        const Lines l =
            compute("10,00 €", money(10.0), "1 234,00 €", money(1234.0), 6.55957, rs, "-");
        QCOMPARE(l.price, QString(" 10,00 € = 65,60 francs"));
        // No grouping in the converted amount, and no blanks in front of it.
        QCOMPARE(l.total, QString(" 1 234,00 € = 8094,51 francs"));
    }

    void zeroRate() {
        // Franc mode divides: the price line shows "?" and the total line stays as it was.
        const Lines f =
            compute("6,56 F", money(6.56), "6,56 F", money(6.56), 0.0, withSymbol("F"), "previous");
        QCOMPARE(f.price, QString("?"));
        QCOMPARE(f.total, QString("previous"));
        // Euro mode multiplies: both amounts are simply zero.
        const Lines e = compute("10,00 €", money(10.0), "10,00 €", money(10.0), 0.0,
                                withSymbol("€"), "previous");
        QCOMPARE(e.price, QString(" 10,00 € = 0,00 francs"));
        QCOMPARE(e.total, QString(" 10,00 € = 0,00 francs"));
    }

    void hint() {
        QCOMPARE(buttonHint(6.55957, withSymbol("€")),
                 QString("Convertisseur\r1 euro = 6,55957 €"));
        QCOMPARE(buttonHint(7, withSymbol("F")), QString("Convertisseur\r1 euro = 7,00000 F"));
    }
};

KABIRO_TEST_APPLESS_MAIN(TestCurrencyConverter)
#include "test_currency_converter.moc"
