// Replays, through the checks the fuzz targets run, the inputs the fuzzers found faults with
// (tests/data/fuzz-regressions/<target>/) and the seed corpora (fuzz/corpus/<target>/); and
// reads list files whose lines straddle the file reader's buffer the same way from a file as
// from memory.

#include "support/reader_checks.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString corpusDir(const char* target) {
    return QStringLiteral(KABIRO_EXAMPLES "/../fuzz/corpus/") + QLatin1String(target);
}

QString regressionDir(const char* target) {
    return QStringLiteral(KABIRO_TEST_DATA "/fuzz-regressions/") + QLatin1String(target);
}

// One row per file of the target's regressions and corpus.
void addRows(const char* target) {
    QTest::addColumn<QString>("path");
    int rows = 0;
    for (const QString& dir : {regressionDir(target), corpusDir(target)}) {
        const QDir d(dir);
        for (const QString& name : d.entryList(QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(QDir(dir).dirName() + u'/' + name)) << d.filePath(name);
            ++rows;
        }
    }
    // An empty corpus would make the replay pass without checking anything.
    QVERIFY2(rows > 0, target);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

} // namespace

class FuzzRegressionsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(scratch_.isValid()); }

    void listFile_data() { addRows("list_file"); }
    void listFile() {
        QFETCH(QString, path);
        const QString why = readerchecks::listFile(contents(path), scratch_.filePath("l.pnv"));
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    void settingsFile_data() { addRows("settings_file"); }
    void settingsFile() {
        QFETCH(QString, path);
        const QString why = readerchecks::settingsFile(contents(path), scratch_.filePath("k.ini"));
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // Inputs the fuzzer reaches only slowly: files at the reader's bound, where writes that would
    // take the file over it are refused and a file over it reads as empty.
    void settingsFileAroundTheBound() {
        const QByteArray head = "[SAISIE]\r\nCoef_delai=7\r\n[Reste]\r\nlong=";
        const QByteArray ops = "\n==ops==\nsSAISIE|Nbj_renouve|" + QByteArray(300, 'v') +
                               "\ndSAISIE|Coef_delai\nlLISTE|-1-2-\no\n";
        for (qint64 size : {qint64(4) * 1024 * 1024 - 200, qint64(4) * 1024 * 1024 + 1}) {
            const QByteArray file = head + QByteArray(size - head.size() - 2, 'x') + "\r\n";
            const QString why = readerchecks::settingsFile(file + ops, scratch_.filePath("b.ini"));
            QVERIFY2(why.isEmpty(), qPrintable(why));
        }
    }

    void listTypeValue_data() { addRows("list_type_value"); }
    void listTypeValue() {
        QFETCH(QString, path);
        const QString why = readerchecks::listTypeValues(contents(path));
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // The file reader takes 256 KiB at a time: every position of a record line (its CR, its
    // LF, its ";") falls once on the buffer's edge, and the reading must be the same as from
    // memory.
    void listFileAcrossReadBuffer() {
        const QByteArray line =
            "Magasin;Rayon;Produit au nom long; ;12;2,5;N;O;7;01/02/2026;note;\r\n";
        for (int pad = 0; pad < line.size(); ++pad) {
            QByteArray bytes = "[RAYON]\r\nMagasin\r\n\tRayon\r\n[LISTE]\r\n";
            bytes += QByteArray(pad, '\n');
            bytes += "[PRODUIT]\r\n";
            while (bytes.size() < 600 * 1024)
                bytes += line;
            bytes += "[SAISIE]\r\nDATE=samedi\r\n";
            const QString why = readerchecks::listFileLoad(bytes, scratch_.filePath("b.pnv"));
            QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("pad %1: %2").arg(pad).arg(why)));
        }
    }

private:
    QTemporaryDir scratch_;
};

KABIRO_TEST_GUILESS_MAIN(FuzzRegressionsTest)
#include "test_fuzz_regressions.moc"
