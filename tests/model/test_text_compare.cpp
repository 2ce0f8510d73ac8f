#include "model/text_compare.h"
#include "support/test_registry.h"

#include <QStringList>
#include <QTest>
#include <algorithm>

// Ordering and folding of names: the sort of the tables and of the organisation tree, the search
// box and the product dialog all rely on these.
class TestTextCompare : public QObject {
    Q_OBJECT
private slots:
    void accentedLetterSortsWithItsBase_data();
    void accentedLetterSortsWithItsBase();
    void sortsFrenchWords();
    void orderIsTotal();
    void foldAZOnlyTouchesAToZ();
};

void TestTextCompare::accentedLetterSortsWithItsBase_data() {
    QTest::addColumn<QString>("accented");
    QTest::addColumn<QString>("base");
    const struct {
        const char* letters;
        char base;
    } groups[] = {
        {"ÀÁÂÃÄÅàáâãäå", 'a'}, {"Çç", 'c'},           {"ÈÉÊËèéêë", 'e'}, {"ÌÍÎÏìíîï", 'i'},
        {"Ññ", 'n'},           {"ÒÓÔÕÖØòóôõöø", 'o'}, {"ÙÚÛÜùúûü", 'u'}, {"Ýýÿ", 'y'},
    };
    for (const auto& g : groups) {
        const QString letters = QString::fromUtf8(g.letters);
        for (QChar c : letters)
            QTest::newRow(QString(c).toUtf8().constData()) << QString(c) << QString(QChar(g.base));
    }
}

// Every accented letter compares as its base letter, before the next letter of the alphabet.
void TestTextCompare::accentedLetterSortsWithItsBase() {
    QFETCH(QString, accented);
    QFETCH(QString, base);
    const QChar next(base.at(0).unicode() + 1);
    // Same base letter: the next letters decide.
    QVERIFY(text::compareNoCase(accented + u'a', base + u'b') < 0);
    QVERIFY(text::compareNoCase(accented + u'b', base.toUpper() + u'a') > 0);
    QVERIFY(text::compareNoCase(accented + u'z', QString(next) + u'a') < 0);
    QCOMPARE(text::compareNoCase(accented, accented), 0);
}

void TestTextCompare::sortsFrenchWords() {
    QStringList words = {
        QString::fromUtf8("Ürün"),       QStringLiteral("farine"),    QString::fromUtf8("épices"),
        QStringLiteral("Eau"),           QString::fromUtf8("œufs"),   QStringLiteral("vin"),
        QString::fromUtf8("Ustensiles"), QString::fromUtf8("yaourt"), QString::fromUtf8("Ýlang")};
    std::sort(words.begin(), words.end(), text::lessNoCase);
    const QStringList expected = {
        QStringLiteral("Eau"),     QString::fromUtf8("épices"), QStringLiteral("farine"),
        QString::fromUtf8("œufs"), QString::fromUtf8("Ürün"),   QString::fromUtf8("Ustensiles"),
        QStringLiteral("vin"),     QStringLiteral("yaourt"),    QString::fromUtf8("Ýlang")};
    QCOMPARE(words, expected);
}

// Names differing only by case or accents still get a fixed order, both ways round.
void TestTextCompare::orderIsTotal() {
    const QStringList names = {QStringLiteral("pate"), QStringLiteral("Pate"),
                               QString::fromUtf8("pâte"), QString::fromUtf8("Pâte"),
                               QStringLiteral("pates")};
    for (const QString& a : names)
        for (const QString& b : names) {
            const int ab = text::compareNoCase(a, b);
            const int ba = text::compareNoCase(b, a);
            QCOMPARE(ab, -ba);
            QCOMPARE(ab == 0, a == b);
        }
}

void TestTextCompare::foldAZOnlyTouchesAToZ() {
    QCOMPARE(text::foldAZ(QString::fromUtf8("crème brûlée")), QString::fromUtf8("CRèME BRûLéE"));
    QVERIFY(text::equalFoldAZ(QStringLiteral("Lait"), QStringLiteral("LAIT")));
    QVERIFY(!text::equalFoldAZ(QString::fromUtf8("été"), QString::fromUtf8("ÉTÉ")));
    QVERIFY(!text::equalFoldAZ(QStringLiteral("Lait"), QStringLiteral("Laits")));
}

KABIRO_TEST_GUILESS_MAIN(TestTextCompare)
#include "test_text_compare.moc"
