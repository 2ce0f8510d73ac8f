#include "model/reminder.h"
#include "model/shopping_tables.h"
#include "support/test_registry.h"

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
    void dropPutsTheDueDateWhereItMeans();
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

// The product as a drop leaves it.
reminder::Inputs afterDrop(reminder::Inputs in, reminder::DropMeaning m, QDate today, int coef) {
    const reminder::DropChange c = reminder::byDrop(m, in, today, coef);
    in.period = c.period.value_or(in.period);
    in.lastPurchase = c.lastPurchase.value_or(in.lastPurchase);
    return in;
}

void TestReminder::dropPutsTheDueDateWhereItMeans() {
    using M = reminder::DropMeaning;
    const QDate today = kDay0;
    // Bought 12 days ago: the periods of the documented example, the date kept.
    QCOMPARE(reminder::byDrop(M::DueToday, product(40, today.addDays(-12)), today, 3).period, 12);
    QCOMPARE(reminder::byDrop(M::InWindow, product(40, today.addDays(-12)), today, 3).period, 15);
    QVERIFY(!reminder::byDrop(M::InWindow, product(40, today.addDays(-12)), today, 3).lastPurchase);
    // Bought today or later: nothing changes but the flags.
    for (int ahead : {0, 5}) {
        const reminder::DropChange c =
            reminder::byDrop(M::DueToday, product(40, today.addDays(ahead)), today, 3);
        QVERIFY(!c.period && !c.lastPurchase);
    }
    // Never bought: the product keeps its own period and is given the date that makes it due
    // today, or puts it at the start of its window.
    {
        const reminder::DropChange c =
            reminder::byDrop(M::DueToday, product(40, QDate()), today, 3);
        QVERIFY(!c.period);
        QCOMPARE(c.lastPurchase, today.addDays(-40));
        const reminder::DropChange w =
            reminder::byDrop(M::InWindow, product(40, QDate()), today, 3);
        QVERIFY(!w.period);
        QCOMPARE(w.lastPurchase, today.addDays(12 - 40)); // W = 12
    }

    // Whatever the product, the period given stays within what the product dialog accepts, and
    // the due date lands where the drop means: today, or within the tolerance window.
    const QList<QDate> bought{QDate(),
                              today.addDays(-1),
                              today.addDays(-12),
                              today.addDays(-9999),
                              today.addDays(-10000),
                              today.addDays(-40000),
                              QDate(1899, 12, 30)};
    for (int coef : {0, 3, 10}) {
        for (int period : {0, 1, 12, 40, 9999, 10000, 32767, -5}) {
            for (const QDate& b : bought) {
                const QString what = QStringLiteral("period %1 bought %2 coef %3")
                                         .arg(period)
                                         .arg(b.toString(Qt::ISODate))
                                         .arg(coef);
                const reminder::Inputs due =
                    afterDrop(product(period, b), M::DueToday, today, coef);
                QVERIFY2(due.period >= 0 && due.period <= reminder::kMaxPeriod, qPrintable(what));
                QVERIFY2(reminder::dueDate(due) == today, qPrintable(what));
                QVERIFY2(reminder::state(due, today, coef) == reminder::State::Due,
                         qPrintable(what));

                const reminder::Inputs win =
                    afterDrop(product(period, b), M::InWindow, today, coef);
                QVERIFY2(win.period >= 0 && win.period <= reminder::kMaxPeriod, qPrintable(what));
                const qint64 ahead = today.daysTo(reminder::dueDate(win));
                QVERIFY2(ahead >= 0 && ahead <= 15, qPrintable(what));
                QVERIFY2(ahead <= reminder::window(win.period, coef), qPrintable(what));
                // The window state whenever the tolerance leaves room for one.
                if (ahead > 0)
                    QVERIFY2(reminder::state(win, today, coef) == reminder::State::Window,
                             qPrintable(what));
                // A tolerance of a day at least: the days since the purchase, or the product's
                // own period when it was never bought, give one.
                const qint64 basis = b.isValid() ? b.daysTo(today) : std::clamp(period, 0, 9999);
                if (basis * coef >= 10)
                    QVERIFY2(ahead > 0, qPrintable(what));
            }
        }
    }
}

KABIRO_TEST_GUILESS_MAIN(TestReminder)
#include "test_reminder.moc"
