#include "model/reminder.h"
#include "model/shopping_tables.h"

#include <QTest>

// Due date, tolerance window, reminder state and the code a list row gets.
class TestReminder : public QObject {
    Q_OBJECT
private slots:
    void windowWidth();
    void statesAroundTheDueDate();
    void listRowCodes();
    void withoutTolerance();
    void reminderOff();
    void negativePeriodFollowsTheArithmetic();
    void inputsFromACatalogueRecord();
};

namespace {

const QDate kDay0(2026, 11, 9);

reminder::Inputs product(int period, QDate bought = kDay0, bool active = true) {
    reminder::Inputs in;
    in.active = active;
    in.period = period;
    in.lastPurchase = bought;
    return in;
}

} // namespace

void TestReminder::windowWidth() {
    QCOMPARE(reminder::window(30, 3), 9);
    QCOMPARE(reminder::window(100, 3), 15); // 30, capped at 15
    QCOMPARE(reminder::window(5, 3), 1);    // 15 / 10, remainder dropped
    QCOMPARE(reminder::window(9, 1), 0);
    QCOMPARE(reminder::window(50, 3), 15);
    QCOMPARE(reminder::window(49, 3), 14);
    QCOMPARE(reminder::window(30, 0), 0);
    QCOMPARE(reminder::window(-30, 3), -9); // truncation toward zero, no lower bound
    QCOMPARE(reminder::window(32767, 10), 15);
}

void TestReminder::statesAroundTheDueDate() {
    const auto p = product(30);
    QCOMPARE(reminder::dueDate(p), kDay0.addDays(30));
    for (int day = 0; day <= 20; ++day)
        QCOMPARE(reminder::state(p, kDay0.addDays(day), 3), reminder::State::None);
    for (int day = 21; day <= 29; ++day)
        QCOMPARE(reminder::state(p, kDay0.addDays(day), 3), reminder::State::Window);
    for (int day : {30, 31, 400})
        QCOMPARE(reminder::state(p, kDay0.addDays(day), 3), reminder::State::Due);
    // Before the purchase itself nothing is due either.
    QCOMPARE(reminder::state(p, kDay0.addDays(-5), 3), reminder::State::None);
    // A product never bought counts from the calendar's day zero: long overdue.
    QCOMPARE(reminder::state(product(30, QDate()), kDay0, 3), reminder::State::Due);
}

void TestReminder::listRowCodes() {
    const auto p = product(30);
    QCOMPARE(reminder::listRowCode(p, kDay0.addDays(20), 3), QStringLiteral("N"));
    QCOMPARE(reminder::listRowCode(p, kDay0.addDays(25), 3), QStringLiteral("P"));
    QCOMPARE(reminder::listRowCode(p, kDay0.addDays(30), 3), QStringLiteral("O"));
    QCOMPARE(reminder::listRowCode(p, kDay0.addDays(45), 3), QStringLiteral("O"));
}

void TestReminder::withoutTolerance() {
    const auto p = product(30);
    for (int day = 0; day < 30; ++day)
        QCOMPARE(reminder::state(p, kDay0.addDays(day), 0), reminder::State::None);
    QCOMPARE(reminder::state(p, kDay0.addDays(30), 0), reminder::State::Due);
}

void TestReminder::reminderOff() {
    const auto p = product(30, kDay0, false);
    for (int day : {0, 25, 30, 1000}) {
        QCOMPARE(reminder::state(p, kDay0.addDays(day), 3), reminder::State::None);
        QCOMPARE(reminder::listRowCode(p, kDay0.addDays(day), 3), QStringLiteral("N"));
    }
}

void TestReminder::negativePeriodFollowsTheArithmetic() {
    // D = day -10, W = -3: the window [D + 3, D) is empty, so the product is due from day -10.
    const auto p = product(-10);
    QCOMPARE(reminder::dueDate(p), kDay0.addDays(-10));
    QCOMPARE(reminder::state(p, kDay0.addDays(-11), 3), reminder::State::None);
    QCOMPARE(reminder::state(p, kDay0.addDays(-10), 3), reminder::State::Due);
}

void TestReminder::inputsFromACatalogueRecord() {
    RecordTable cat(catalogueSchema());
    cat.append();
    cat.setText(Cat::Rappel, Flag::Yes);
    cat.setInteger(Cat::Duree_rappel, 7);
    cat.setDate(Cat::date_dern_achat, kDay0);
    cat.append(); // every field empty
    cat.post();
    const auto a = reminder::fromCatalogue(cat.recordAt(0));
    QVERIFY(a.active);
    QCOMPARE(a.period, 7);
    QCOMPARE(a.lastPurchase, kDay0);
    const auto b = reminder::fromCatalogue(cat.recordAt(1));
    QVERIFY(!b.active);
    QCOMPARE(b.period, 0);
    QVERIFY(!b.lastPurchase.isValid());
}

QTEST_GUILESS_MAIN(TestReminder)
#include "test_reminder.moc"
