#include "model/money.h"
#include "support/test_registry.h"

#include <QTest>
#include <cmath>
#include <limits>

// Fixed-point amounts in ten-thousandths, rounded half to even.
class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void roundingTiesToEven();
    void fromDouble();
    void conversionByARate();
    void arithmetic();
};

void TestMoney::roundingTiesToEven() {
    const struct {
        double in;
        qint64 out;
    } cases[] = {{0.5, 0},    {1.5, 2},      {2.5, 2},   {3.5, 4},
                 {-0.5, 0},   {-1.5, -2},    {-2.5, -2}, {2.4999, 2},
                 {2.5001, 3}, {-2.5001, -3}, {0, 0},     {1e15 + 0.5, 1000000000000000}};
    for (const auto& c : cases)
        QCOMPARE(roundHalfEven(c.in).value(), c.out);
    QVERIFY(!roundHalfEven(std::nan("")));
    QVERIFY(!roundHalfEven(std::numeric_limits<double>::infinity()));
    QVERIFY(!roundHalfEven(9.3e18));
    QVERIFY(!roundHalfEven(-9.3e18));
}

void TestMoney::fromDouble() {
    QCOMPARE(Money::fromDouble(2.5)->raw(), 25000);
    QCOMPARE(Money::fromDouble(0.1)->raw(), 1000);
    QCOMPARE(Money::fromDouble(1.23456)->raw(), 12346);
    QCOMPARE(Money::fromDouble(-7.89)->raw(), -78900);
    QVERIFY(!Money::fromDouble(1e300));
    QCOMPARE(Money::fromDoubleOrZero(1e300).raw(), 0);
    QCOMPARE(Money::fromDoubleOrZero(std::nan("")).raw(), 0);
    QCOMPARE(Money::fromRaw(15245).toDouble(), 1.5245);
}

void TestMoney::conversionByARate() {
    // 10,00 francs in euros.
    QCOMPARE(Money::fromRaw(100000).multipliedBy(1 / 6.55957)->raw(), 15245);
    // 1,5245 euros back in francs: 10,0001.
    QCOMPARE(Money::fromRaw(15245).multipliedBy(6.55957)->raw(), 100001);
    QVERIFY(!Money::fromRaw(std::numeric_limits<qint64>::max()).multipliedBy(2));
}

void TestMoney::arithmetic() {
    const Money a = Money::fromRaw(12500), b = Money::fromRaw(2500);
    QCOMPARE((a + b).raw(), 15000);
    QCOMPARE((a - b).raw(), 10000);
    QCOMPARE((-a).raw(), -12500);
    QCOMPARE((a * 3).raw(), 37500);
    Money t;
    for (int i = 0; i < 10; ++i)
        t += Money::fromDoubleOrZero(0.1); // no drift, unlike adding doubles
    QCOMPARE(t.raw(), 10000);
    t -= a;
    QCOMPARE(t.raw(), -2500);
    QVERIFY(b < a);
    QVERIFY(Money() == Money::fromRaw(0));
}

KABIRO_TEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
