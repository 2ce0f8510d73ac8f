#include "model/contrast.h"
#include "support/test_registry.h"

#include <QTest>

// Colours as 0xRRGGBB.
namespace {

// The colours the program paints by default: title bars, the three colour states, the
// tool-tip yellow of the toolbar.
const quint32 kFixedColours[] = {0xFFD7B0 /* title bars, 11589887 as BGR */, 0x00FFFF, 0xFFFF00,
                                 0x00FF00, 0xFFFFE1};

} // namespace

class TestContrast : public QObject {
    Q_OBJECT

private slots:
    void ratiosOfKnownPairs() {
        // The ends of the scale and values every contrast checker gives.
        QCOMPARE(contrast::ratio(0x000000, 0xFFFFFF), 21.0);
        QCOMPARE(contrast::ratio(0x123456, 0x123456), 1.0);
        QCOMPARE(contrast::ratio(0xFFFFFF, 0x000000), contrast::ratio(0x000000, 0xFFFFFF));
        QVERIFY(qAbs(contrast::ratio(0x777777, 0xFFFFFF) - 4.48) < 0.01);
        QVERIFY(qAbs(contrast::ratio(0xFF0000, 0xFFFFFF) - 4.0) < 0.01);
        QVERIFY(qAbs(contrast::relativeLuminance(0x808080) - 0.2159) < 0.0005);
        // Green weighs most, blue least.
        QVERIFY(contrast::relativeLuminance(0x00FF00) > contrast::relativeLuminance(0xFF0000));
        QVERIFY(contrast::relativeLuminance(0xFF0000) > contrast::relativeLuminance(0x0000FF));
    }

    void textOnTheDefaultColoursIsDark() {
        for (quint32 c : kFixedColours) {
            QCOMPARE(contrast::textOn(c), quint32(0x000000));
            QVERIFY(!contrast::isDark(c));
        }
    }

    void textOnDarkColoursIsLight() {
        for (quint32 c : {0x000080u, 0x31363Bu, 0x800000u, 0x0000FFu, 0x000000u}) {
            QCOMPARE(contrast::textOn(c), quint32(0xFFFFFF));
            QVERIFY(contrast::isDark(c));
        }
    }

    void chosenTextReadsOnEveryGrey() {
        // Mid greys are the hardest case: the better of black and white still reaches 4.5.
        double worst = 21;
        for (quint32 v = 0; v <= 255; ++v) {
            const quint32 grey = (v << 16) | (v << 8) | v;
            worst = qMin(worst, contrast::ratio(contrast::textOn(grey), grey));
        }
        QVERIFY2(worst >= contrast::kMinimumRatio, qPrintable(QString::number(worst)));
    }

    void accentKeepsAReadableColourAndMendsOthers() {
        // Dark red on white already reads: kept as it is.
        QCOMPARE(contrast::readableAccent(0x800000, 0xFFFFFF), quint32(0x800000));
        // Pure red on white (4:1) and on a dark grey is moved just enough, keeping its hue.
        for (quint32 back : {0xFFFFFFu, 0xFFFFE1u, 0x232629u, 0x000000u}) {
            const quint32 c = contrast::readableAccent(0xFF0000, back);
            QVERIFY2(contrast::ratio(c, back) >= contrast::kMinimumRatio,
                     qPrintable(QString::number(back, 16)));
            const int r = int(c >> 16) & 0xFF, g = int(c >> 8) & 0xFF, b = int(c) & 0xFF;
            QVERIFY(r > g && r > b);
        }
        QVERIFY(contrast::readableAccent(0xFF0000, 0xFFFFFF) != 0x000000);
        // Darker on light backgrounds, lighter on dark ones.
        QVERIFY(contrast::relativeLuminance(contrast::readableAccent(0xFF0000, 0xFFFFFF)) <
                contrast::relativeLuminance(0xFF0000));
        QVERIFY(contrast::relativeLuminance(contrast::readableAccent(0xFF0000, 0x232629)) >
                contrast::relativeLuminance(0xFF0000));
        // A stricter minimum is honoured too.
        QVERIFY(contrast::ratio(contrast::readableAccent(0x3DAEE9, 0xEFEFEF, 7.0), 0xEFEFEF) >=
                7.0);
    }
};

KABIRO_TEST_APPLESS_MAIN(TestContrast)
#include "test_contrast.moc"
