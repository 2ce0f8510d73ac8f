#include "model/win1252.h"
#include "support/test_registry.h"

#include <QTest>

// The single-byte code page of the program's files.
class TestWin1252 : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips();
    void knownCharacters();
    void unstorableCharacters();
};

void TestWin1252::everyByteRoundTrips() {
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    const QString text = win1252::decode(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(win1252::canStore(text));
    QCOMPARE(win1252::encode(text), all);
}

void TestWin1252::knownCharacters() {
    QCOMPARE(win1252::decode("\x80"), QString(QChar(0x20AC)));
    QCOMPARE(win1252::decode("\x9C\x8C"), QString::fromUtf8("œŒ"));
    QCOMPARE(win1252::decode("\xE9t\xE9"), QString::fromUtf8("été"));
    QCOMPARE(win1252::decode("\x81"), QString(QChar(0x81))); // undefined byte kept as is
    QCOMPARE(win1252::encode(QString::fromUtf8("Crème brûlée à 2 €")),
             QByteArray("Cr\xE8me br\xFBl\xE9"
                        "e \xE0 2 \x80"));
    QCOMPARE(win1252::encode(QString::fromUtf8("‘’“”…–—")),
             QByteArray("\x91\x92\x93\x94\x85\x96\x97"));
    QCOMPARE(win1252::encode(QString()), QByteArray());
}

void TestWin1252::unstorableCharacters() {
    QVERIFY(!win1252::canStore(QChar(0x03A9))); // Ω
    QVERIFY(!win1252::canStore(QChar(0x0085))); // a C1 control the code page replaces by …
    QVERIFY(!win1252::canStore(QString::fromUtf8("thé 🍵")));
    QVERIFY(win1252::canStore(QString::fromUtf8("thé €")));
    QCOMPARE(win1252::encode(QString::fromUtf8("Ω-ω")), QByteArray("?-?"));
    // A character outside the basic plane is two UTF-16 units, each unstorable.
    QCOMPARE(win1252::encode(QString::fromUtf8("a🍵b")), QByteArray("a??b"));
}

KABIRO_TEST_GUILESS_MAIN(TestWin1252)
#include "test_win1252.moc"
