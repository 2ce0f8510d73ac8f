#include "model/list_type_file.h"
#include "support/test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

} // namespace

class TestListTypeFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    ListTypeFile fresh() {
        ListTypeFile f = ListTypeFile::forList(dir.path(), QStringLiteral("kabiro.pnv"));
        QFile::remove(f.path());
        return f;
    }

private slots:
    void fileNameFromListName() {
        QCOMPARE(listTypeFileName(QStringLiteral("kabiro.pnv")), QStringLiteral("kabiro.ltl"));
        QCOMPARE(listTypeFileName(QStringLiteral("liste")), QStringLiteral("liste.ltl"));
        QCOMPARE(listTypeFileName(QStringLiteral("/a/b/x.PNV")), QStringLiteral("x.ltl"));
        QCOMPARE(listTypeFileName(QStringLiteral("/a.d/courses")), QStringLiteral("courses.ltl"));
        QCOMPARE(listTypeFileName(QStringLiteral("semaine.v2.pnv")),
                 QStringLiteral("semaine.v2.ltl"));
        QCOMPARE(listTypeFilePath(QStringLiteral("/home/u"), QStringLiteral("/tmp/x.pnv")),
                 QStringLiteral("/home/u/x.ltl"));
        QCOMPARE(listTypeFilePath(QStringLiteral("/"), QStringLiteral("x.pnv")),
                 QStringLiteral("/x.ltl"));
        QCOMPARE(ListTypeFile::forList(QStringLiteral("/d"), QStringLiteral("nouveau.pnv")).path(),
                 QStringLiteral("/d/nouveau.ltl"));
    }

    void createHoldsOnlyTheSection() {
        ListTypeFile f = fresh();
        QVERIFY(!f.exists());
        QVERIFY(f.names().isEmpty());
        QVERIFY(f.create());
        QVERIFY(f.exists());
        QCOMPARE(bytesOf(f.path()), QByteArray("[LISTE-TYPE]\r\n"));
        QVERIFY(f.names().isEmpty());

        // An existing file is never emptied by a second creation.
        QVERIFY(f.save(QStringLiteral("SEMAINE"), listTypeValue({1})));
        QVERIFY(f.create());
        QCOMPARE(bytesOf(f.path()), QByteArray("[LISTE-TYPE]\r\nSEMAINE=-1-\r\n"));

        ListTypeFile bad(dir.filePath(QStringLiteral("none/x.ltl")));
        QString error;
        QVERIFY(!bad.create(&error));
        QCOMPARE(error, QStringLiteral("Impossible d'écrire dans %1").arg(bad.path()));
    }

    void saveReplaceAndLookup() {
        ListTypeFile f = fresh();
        QVERIFY(f.create());
        QVERIFY(f.save(QStringLiteral("N"), listTypeValue({3, 17, 42})));
        QCOMPARE(bytesOf(f.path()), QByteArray("[LISTE-TYPE]\r\nN=-3-17-42-\r\n"));

        QVERIFY(f.save(QStringLiteral("Week-end"), listTypeValue({5})));
        QVERIFY(f.save(QStringLiteral("n"), listTypeValue({8})));
        QCOMPARE(bytesOf(f.path()), QByteArray("[LISTE-TYPE]\r\nN=-8-\r\nWEEK-END=-5-\r\n"));
        QCOMPARE(f.names(), QStringList({QStringLiteral("N"), QStringLiteral("WEEK-END")}));
        QCOMPARE(f.value(QStringLiteral("week-END")), QStringLiteral("-5-"));
        QCOMPARE(f.value(QStringLiteral("absent")), QStringLiteral("-"));

        // Only a to z are folded: accented letters stay as typed.
        QVERIFY(f.save(QStringLiteral("été"), listTypeValue({2})));
        QCOMPARE(f.names().last(), QStringLiteral("éTé"));

        QVERIFY(f.remove(QStringLiteral("n")));
        QVERIFY(f.remove(QStringLiteral("absent")));
        QCOMPARE(f.names(), QStringList({QStringLiteral("WEEK-END"), QStringLiteral("éTé")}));
        QCOMPARE(f.value(QStringLiteral("N")), QStringLiteral("-"));

        ListTypeFile bad(dir.filePath(QStringLiteral("none/x.ltl")));
        QString error;
        QVERIFY(!bad.save(QStringLiteral("N"), QStringLiteral("-1-"), &error));
        QCOMPARE(error, QStringLiteral("Impossible d'écrire dans %1").arg(bad.path()));
    }

    void readingLimits() {
        ListTypeFile f = fresh();
        QList<qint32> ids;
        for (qint32 i = 1000; i < 1500; ++i)
            ids << i;
        const QString value = listTypeValue(ids); // 2 501 characters
        QVERIFY(f.save(QStringLiteral("LONG"), value));
        QCOMPARE(f.value(QStringLiteral("LONG")), value.left(2047));
        QVERIFY(listTypeHas(f.value(QStringLiteral("LONG")), 1408));
        QVERIFY(!listTypeHas(f.value(QStringLiteral("LONG")), 1409));

        // 1 000-character names: sixteen fit in the listing room (plus one separator each).
        QFile::remove(f.path());
        QByteArray content = "[LISTE-TYPE]\r\n";
        for (char c = 'A'; c < 'A' + 20; ++c)
            content += QByteArray(1000, c) + "=-1-\r\n";
        putBytes(f.path(), content);
        const QStringList names = f.names();
        QCOMPARE(names.size(), 16);
        QCOMPARE(names.last(), QString(1000, u'P'));
    }

    void valuesAndMatching() {
        QCOMPARE(listTypeValue({3, 17, 42}), QStringLiteral("-3-17-42-"));
        QCOMPARE(listTypeValue({}), QStringLiteral("-"));
        const QString v = QStringLiteral("-3-12-42-");
        QVERIFY(listTypeHas(v, 3));
        QVERIFY(listTypeHas(v, 12));
        QVERIFY(listTypeHas(v, 42));
        QVERIFY(!listTypeHas(v, 1));
        QVERIFY(!listTypeHas(v, 2));
        QVERIFY(!listTypeHas(v, 4));
        QVERIFY(!listTypeHas(QStringLiteral("-"), 1));
        QVERIFY(!listTypeHas(QStringLiteral("-12-"), 1));
    }

    void nameValidation() {
        QCOMPARE(normalListTypeName(QStringLiteral("  Nouvelle-liste-1 ")),
                 QStringLiteral("NOUVELLE-LISTE-1"));
        QString error;
        QVERIFY(validListTypeName(QStringLiteral("NOUVELLE-LISTE-1"), &error));
        QVERIFY(validListTypeName(QStringLiteral("FÊTE ŒUVRE €"), &error));
        const QStringList bad{QString(),
                              QStringLiteral("   "),
                              QStringLiteral("A=B"),
                              QStringLiteral("[A"),
                              QStringLiteral("A]"),
                              QStringLiteral("A\nB"),
                              QStringLiteral("A\tB"),
                              QStringLiteral("ДОМ"),
                              QStringLiteral("A😀")};
        for (const QString& name : bad) {
            error.clear();
            QVERIFY2(!validListTypeName(name, &error), qPrintable(name));
            QVERIFY2(error.startsWith(QStringLiteral("ERREUR : ")), qPrintable(error));
        }
        validListTypeName(QStringLiteral("A😀"), &error);
        QVERIFY(error.contains(QStringLiteral("« 😀 »")));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestListTypeFile)
#include "test_list_type_file.moc"
