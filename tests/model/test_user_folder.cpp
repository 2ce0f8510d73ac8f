#include "model/user_folder.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void putBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
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

const QByteArray kExample("[RAYON]\r\nBoulangerie\r\n\tP\xe2tisseries\r\n");

} // namespace

class TestUserFolder : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString example;

    QString freshFolder(const char* name) {
        return dir.filePath(QStringLiteral("home/") + QLatin1String(name) +
                            QStringLiteral("/.local/share/paniva"));
    }
    QString listIn(const QString& folder) { return folder + QStringLiteral("/kabiro.pnv"); }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        example = dir.filePath(QStringLiteral("usr/share/paniva/exemple/kabiro.pnv"));
        putBytes(example, kExample);
    }

    void folderFollowsXdgDataHomeOnlyWhenAbsolute() {
        QCOMPARE(userfolder::folderPath(QString(), QStringLiteral("/home/marie")),
                 QStringLiteral("/home/marie/.local/share/paniva"));
        QCOMPARE(userfolder::folderPath(QStringLiteral("/data/marie/"), QStringLiteral("/home/m")),
                 QStringLiteral("/data/marie/paniva"));
        QCOMPARE(userfolder::folderPath(QStringLiteral("donnees"), QStringLiteral("/home/marie")),
                 QStringLiteral("/home/marie/.local/share/paniva"));
    }

    void exampleBesideTheProgramComesFirst() {
        const QString program = dir.filePath(QStringLiteral("usr/bin"));
        const QString other = dir.filePath(QStringLiteral("other"));
        const QString otherExample = other + QStringLiteral("/paniva/exemple/kabiro.pnv");
        putBytes(otherExample, "[RAYON]\r\n");
        QCOMPARE(userfolder::findExample(program, {other}), QDir::cleanPath(example));
        // Elsewhere, the data folders in their order; relative ones are passed over.
        QCOMPARE(userfolder::findExample(dir.filePath(QStringLiteral("opt/bin")),
                                         {QStringLiteral("other"), dir.filePath("none"), other}),
                 QDir::cleanPath(otherExample));
        QVERIFY(
            userfolder::findExample(dir.filePath(QStringLiteral("opt/bin")), {dir.filePath("none")})
                .isEmpty());
    }

    void firstUseCreatesAndSeedsOnce() {
        const QString folder = freshFolder("first");
        auto p = userfolder::prepare(folder, example);
        QVERIFY(p.ready);
        QVERIFY(p.seeded);
        QVERIFY2(p.problem.isEmpty(), qPrintable(p.problem));
        QCOMPARE(bytesOf(listIn(folder)), kExample);
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/.seeded")));

        // A list the user changed stays as it is.
        putBytes(listIn(folder), "[RAYON]\r\nMa liste\r\n");
        p = userfolder::prepare(folder, example);
        QVERIFY(p.ready);
        QVERIFY(!p.seeded);
        QCOMPARE(bytesOf(listIn(folder)), QByteArray("[RAYON]\r\nMa liste\r\n"));

        // A list the user deleted is not brought back.
        QVERIFY(QFile::remove(listIn(folder)));
        p = userfolder::prepare(folder, example);
        QVERIFY(p.ready);
        QVERIFY(!p.seeded);
        QVERIFY(!QFileInfo::exists(listIn(folder)));
    }

    void aListAlreadyThereIsKeptAndTheFolderMarked() {
        // A folder that tools/run.sh or an older version filled without a marker.
        const QString folder = freshFolder("kept");
        putBytes(listIn(folder), "[RAYON]\r\nD\xe9j\xe0 l\xe0\r\n");
        const auto p = userfolder::prepare(folder, example);
        QVERIFY(p.ready);
        QVERIFY(!p.seeded);
        QCOMPARE(bytesOf(listIn(folder)), QByteArray("[RAYON]\r\nD\xe9j\xe0 l\xe0\r\n"));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/.seeded")));
    }

    void withoutAnExampleNothingIsMarkedSoALaterStartSeeds() {
        const QString folder = freshFolder("later");
        auto p = userfolder::prepare(folder, QString());
        QVERIFY(p.ready);
        QVERIFY(!p.seeded);
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/.seeded")));
        p = userfolder::prepare(folder, dir.filePath(QStringLiteral("no/such/kabiro.pnv")));
        QVERIFY(!p.seeded);
        p = userfolder::prepare(folder, example);
        QVERIFY(p.seeded);
        QCOMPARE(bytesOf(listIn(folder)), kExample);
    }

    void theCopyIsWritableWhateverTheExampleRights() {
        const QString readOnly = dir.filePath(QStringLiteral("ro/kabiro.pnv"));
        putBytes(readOnly, kExample);
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup));
        const QString folder = freshFolder("rights");
        QVERIFY(userfolder::prepare(folder, readOnly).seeded);
        QVERIFY(QFileInfo(listIn(folder)).isWritable());
        QCOMPARE(bytesOf(listIn(folder)), kExample);
    }

    void aFolderThatCannotBeMadeIsReported() {
        // A file stands where the folder should be.
        const QString blocker = dir.filePath(QStringLiteral("home/blocked/.local/share"));
        putBytes(blocker, "not a folder");
        const auto p = userfolder::prepare(blocker + QStringLiteral("/paniva"), example);
        QVERIFY(!p.ready);
        QVERIFY(!p.seeded);
        QVERIFY(p.problem.startsWith(QStringLiteral("Le dossier de travail « ")));
        QVERIFY(p.problem.contains(QStringLiteral("paniva")));
    }

    void aCopyThatFailsIsReportedAndNotMarked() {
        // A folder nobody can write in, root included.
        const QString locked = QStringLiteral("/proc/self/fdinfo");
        if (!QFileInfo(locked).isDir())
            QSKIP("no /proc/self/fdinfo on this system");
        const auto p = userfolder::prepare(locked, example);
        QVERIFY(p.ready);
        QVERIFY(!p.seeded);
        QVERIFY2(p.problem.startsWith(QStringLiteral("La liste d'exemple n'a pas pu être copiée")),
                 qPrintable(p.problem));
        QVERIFY(!QFileInfo::exists(locked + QStringLiteral("/.seeded")));
    }
};

KABIRO_TEST_APPLESS_MAIN(TestUserFolder)
#include "test_user_folder.moc"
