// The day the real platform takes as today, and the KABIRO_TODAY testing aid that fixes it.

#include "app/qt_platform.h"
#include "support/test_registry.h"

#include <QDate>
#include <QTest>

class TestQtPlatformToday : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Before the platform's first look at the clock: the value is read once per run.
        qputenv("KABIRO_TODAY", " 2026-12-15 ");
    }

    void fixedTodayReadsAnIsoDate() {
        QCOMPARE(QtPlatform::fixedToday("2026-12-15"), QDate(2026, 12, 15));
        QCOMPARE(QtPlatform::fixedToday("2024-02-29"), QDate(2024, 2, 29));
        QCOMPARE(QtPlatform::fixedToday(" 2027-01-02\n"), QDate(2027, 1, 2));
    }

    void fixedTodayRefusesWhatIsNoDate() {
        QVERIFY(!QtPlatform::fixedToday("").isValid());
        QVERIFY(!QtPlatform::fixedToday("demain").isValid());
        QVERIFY(!QtPlatform::fixedToday("15/12/2026").isValid());
        QVERIFY(!QtPlatform::fixedToday("2026-02-30").isValid());
    }

    void todayIsTheFixedDay() {
        QtPlatform platform;
        QCOMPARE(platform.today(), QDate(2026, 12, 15));
        // Still the same day later in the run, whatever the variable becomes.
        qputenv("KABIRO_TODAY", "2030-01-01");
        QCOMPARE(platform.today(), QDate(2026, 12, 15));
    }
};

KABIRO_TEST_MAIN(TestQtPlatformToday)
#include "test_qt_platform_today.moc"
