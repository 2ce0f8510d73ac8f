#include "model/window_placement.h"
#include "support/test_registry.h"

#include <QTest>
#include <limits>

using placement::Stored;

namespace {

const QSize kMinimum(410, 330);
const QSize kFrame(2, 30); // borders and title bar
const QRect kLeftScreen(0, 0, 1920, 1040);
const QRect kRightScreen(1920, 0, 1280, 984);

// The whole window, frame included, once placed.
QRect outer(const QRect& placed) {
    return QRect(placed.topLeft(), placed.size() + kFrame);
}

} // namespace

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void aLayoutThatFitsStaysAsSaved() {
        const QRect r = placement::fitWindow({208, 122, 559, 345}, {kLeftScreen}, kMinimum, kFrame);
        QCOMPARE(r, QRect(208, 122, 559, 345));
        // On the second screen, as saved there.
        const QRect s = placement::fitWindow({2000, 50, 800, 600}, {kLeftScreen, kRightScreen},
                                             kMinimum, kFrame);
        QCOMPARE(s, QRect(2000, 50, 800, 600));
    }

    void hugeSizesAreHeldToTheScreen() {
        const qint32 most = std::numeric_limits<qint32>::max();
        const QRect r = placement::fitWindow({0, 0, most, most}, {kLeftScreen}, kMinimum, kFrame);
        QCOMPARE(outer(r), kLeftScreen);
        const QRect s =
            placement::fitWindow({most, most, most, most}, {kLeftScreen}, kMinimum, kFrame);
        QCOMPARE(outer(s), kLeftScreen);
        const qint32 least = std::numeric_limits<qint32>::min();
        const QRect t =
            placement::fitWindow({least, least, least, least}, {kLeftScreen}, kMinimum, kFrame);
        QCOMPARE(t, QRect(QPoint(0, 0), kMinimum));
    }

    void aLayoutSavedOnAScreenGoneComesBack() {
        // Saved on the right screen, opened with the left one alone.
        const QRect r =
            placement::fitWindow({2500, 300, 600, 400}, {kLeftScreen}, kMinimum, kFrame);
        QCOMPARE(r.size(), QSize(600, 400));
        QVERIFY(kLeftScreen.contains(outer(r)));
        QCOMPARE(r.left(), 1920 - 602);
        // Above the screen: the title bar is brought down onto it.
        const QRect t =
            placement::fitWindow({100, -500, 600, 400}, {kLeftScreen}, kMinimum, kFrame);
        QCOMPARE(t.topLeft(), QPoint(100, 0));
    }

    void theScreenOfTheTitleBarHoldsTheWindow() {
        // Straddling both screens, its title bar's middle on the right one: it goes there, and
        // is no taller than that smaller screen.
        const QRect r = placement::fitWindow({1700, 10, 800, 1000}, {kLeftScreen, kRightScreen},
                                             kMinimum, kFrame);
        QVERIFY(kRightScreen.contains(outer(r)));
        QCOMPARE(r.height(), 984 - 30);
        // The title bar off every screen but the window overlapping the left one most.
        const QRect s = placement::fitWindow({-300, -20, 700, 500}, {kLeftScreen, kRightScreen},
                                             kMinimum, kFrame);
        QVERIFY(kLeftScreen.contains(outer(s)));
        QCOMPARE(s.size(), QSize(700, 500));
    }

    void everyStoredLayoutOpensWholeOnAScreen() {
        const QList<qint32> values{
            std::numeric_limits<qint32>::min(), -5000, -1, 0, 200, 500, 1900, 2500, 40000,
            std::numeric_limits<qint32>::max()};
        const QList<QRect> screens{kLeftScreen, kRightScreen};
        for (qint32 left : values)
            for (qint32 top : values)
                for (qint32 size : values) {
                    const QRect r =
                        placement::fitWindow({left, top, size, size}, screens, kMinimum, kFrame);
                    const bool onOne =
                        kLeftScreen.contains(outer(r)) || kRightScreen.contains(outer(r));
                    QVERIFY2(onOne,
                             qPrintable(QStringLiteral("%1 %2 %3").arg(left).arg(top).arg(size)));
                    QVERIFY(r.width() >= kMinimum.width() && r.height() >= kMinimum.height());
                }
    }

    void splitterWidthsStayInsideTheWindow() {
        QCOMPARE(placement::fitSplit(260, 559, 80, 50), 260);
        QCOMPARE(placement::fitSplit(std::numeric_limits<qint32>::max(), 559, 80, 50), 509);
        QCOMPARE(placement::fitSplit(-7, 559, 80, 50), 80);
        // No room for both minima: the first part keeps its own.
        QCOMPARE(placement::fitSplit(300, 100, 80, 50), 80);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
