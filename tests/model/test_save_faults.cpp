// Saving and opening when the file system refuses: the list, the settings and a list type
// written where they cannot be (a read-only directory, a directory in the file's place, a path
// under a file, /proc and /sys, a file that cannot be replaced), a save killed at random
// moments, and lists that cannot be opened. A refused write must return false with a French
// message and leave what was on disk as it was; a refused open must leave the data in memory
// as they were.
//
// Permissions do not bite root, which the CI runs as: the checks that need an unprivileged
// user then run in a child process switched to uid 65534.

#include "model/file_error.h"
#include "model/ini_file.h"
#include "model/list_file.h"
#include "model/list_type_file.h"
#include "model/settings.h"
#include "model/shopping_data.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <functional>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

// Failures noted by checks that may run in a child process, where QTest cannot report.
class Failures {
public:
    void check(bool ok, const QString& what) {
        if (!ok)
            list_ << what;
    }
    const QStringList& list() const { return list_; }

private:
    QStringList list_;
};

// Every message a refused file operation may give: the system's reasons in French and the
// writer's own.
const QSet<QString>& frenchReasons() {
    static const QSet<QString> reasons = [] {
        QSet<QString> s;
        for (int e = 0; e < 200; ++e)
            s.insert(frenchFileError(e));
        s << QStringLiteral("Impossible de créer le fichier")
          << QStringLiteral("Impossible de remplacer le fichier")
          << QStringLiteral("Erreur d'écriture");
        return s;
    }();
    return reasons;
}

QString writeMessage(const QString& path) {
    return QStringLiteral("Impossible d'écrire dans %1").arg(path);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void smallList(ShoppingData& d) {
    fixture::addProduct(d, QStringLiteral("Marché"), QStringLiteral("Primeur"),
                        QStringLiteral("Pommes"), 2.5);
    fixture::addProduct(d, QStringLiteral("Boulangerie"), QStringLiteral("Pains"),
                        QStringLiteral("Baguette"), 1.1);
    d.validationText = QStringLiteral(" samedi 7 mars 2026");
}

QByteArray bytesOf(const ShoppingData& d) {
    return listfile::serialize(d.tree, d.list, d.catalogue, d.validationText);
}

// Tries to write the list, the settings and a list type under the names `list`, `ini` and
// `ltl`; every write must be refused with its message. `unchanged` lists the files whose
// content must stay as it was.
void refusedWrites(Failures& f, const QString& list, const QString& ini, const QString& ltl,
                   const QString& where) {
    ShoppingData data;
    smallList(data);
    QString error;
    f.check(!listfile::save(list, data, &error), where + QStringLiteral(": the list was saved"));
    f.check(frenchReasons().contains(error),
            where + QStringLiteral(": the list save gave the message \"%1\"").arg(error));

    IniFile settingsFile(ini);
    f.check(!settingsFile.writeString(settings::kTitre, "Appli", QStringLiteral("Courses")),
            where + QStringLiteral(": a setting was written"));
    f.check(settingsFile.lastError() == writeMessage(ini),
            where + QStringLiteral(": the setting gave \"%1\"").arg(settingsFile.lastError()));
    error.clear();
    f.check(!writeOptions(settingsFile, AppSettings(), &error),
            where + QStringLiteral(": the Options were written"));
    f.check(error == writeMessage(ini),
            where + QStringLiteral(": the Options gave \"%1\"").arg(error));
    error.clear();
    f.check(!WindowLayout().write(settingsFile, WindowLayout::Show::Normal, &error),
            where + QStringLiteral(": the layout was written"));
    f.check(error == writeMessage(ini),
            where + QStringLiteral(": the layout gave \"%1\"").arg(error));

    ListTypeFile types(ltl);
    error.clear();
    const bool existed = types.exists();
    const bool created = types.create(&error);
    // Creating a file that is already there is nothing to do.
    f.check(existed || !created, where + QStringLiteral(": the list-type file was created"));
    f.check(existed || error == writeMessage(ltl),
            where + QStringLiteral(": creating the list-type file gave \"%1\"").arg(error));
    error.clear();
    f.check(!types.save(QStringLiteral("Semaine"), QStringLiteral("-1-2-"), &error),
            where + QStringLiteral(": a list type was saved"));
    f.check(error == writeMessage(ltl),
            where + QStringLiteral(": the list type gave \"%1\"").arg(error));
}

// Runs `body` as an unprivileged user and returns its failures: in a child process switched
// to uid 65534 when running as root, in this process otherwise. Empty optional when the switch
// is impossible here.
std::optional<QStringList> asUnprivileged(const std::function<void(Failures&)>& body) {
    if (geteuid() != 0) {
        Failures f;
        body(f);
        return f.list();
    }
    int fds[2];
    if (pipe(fds) != 0)
        return QStringList{QStringLiteral("pipe: %1").arg(errno)};
    const pid_t pid = fork();
    if (pid < 0)
        return QStringList{QStringLiteral("fork: %1").arg(errno)};
    if (pid == 0) {
        close(fds[0]);
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(3);
        Failures f;
        body(f);
        const QByteArray out = f.list().join(u'\n').toUtf8();
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = write(fds[1], out.constData() + done, size_t(out.size() - done));
            if (n <= 0)
                _exit(4);
            done += n;
        }
        close(fds[1]);
        _exit(0); // no exit handlers: they belong to the parent
    }
    close(fds[1]);
    QByteArray out;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringList{
            QStringLiteral("the unprivileged child ended with status %1").arg(status)};
    return out.isEmpty() ? QStringList() : QString::fromUtf8(out).split(u'\n');
}

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_.emplace();
        QVERIFY(dir_->isValid());
        // The unprivileged child must be able to reach the directories made here.
        QCOMPARE(chmod(QFile::encodeName(dir_->path()).constData(), 0755), 0);
    }

    void cleanup() {
        // Give back the permissions taken away, so that the directory can be removed.
        openUp(dir_->path());
        dir_.reset();
    }

    void readOnlyDirectory() {
        const QString ro = makeDir("ro", 0555);
        auto failures = asUnprivileged([&](Failures& f) {
            refusedWrites(f, ro + "/kabiro.pnv", ro + "/kabiro.ini", ro + "/kabiro.ltl",
                          QStringLiteral("read-only directory"));
        });
        if (!failures)
            QSKIP("cannot switch to an unprivileged user here");
        QVERIFY2(failures->isEmpty(), qPrintable(failures->join(u'\n')));
        QCOMPARE(entries(ro), QStringList());
    }

    // The file is there and may even be writable, but the directory does not let it be
    // replaced: the write goes through a new file that takes its place, so nothing is written.
    void fileThatCannotBeReplaced_data() {
        QTest::addColumn<int>("dirMode");
        QTest::addColumn<int>("fileMode");
        QTest::newRow("writable file in a read-only directory") << 0555 << 0666;
        QTest::newRow("read-only file in a writable directory") << 0777 << 0444;
        QTest::newRow("another user's file in a sticky directory") << 01777 << 0666;
    }
    void fileThatCannotBeReplaced() {
        QFETCH(int, dirMode);
        QFETCH(int, fileMode);
        if (dirMode == 01777 && geteuid() != 0)
            QSKIP("needs a file of another user: run as root");
        const QString d = makeDir("locked", 0755);
        const QByteArray listBefore =
            "[RAYON]\r\n[LISTE]\r\n[PRODUIT]\r\n[SAISIE]\r\nDATE=avant\r\n";
        const QByteArray iniBefore = "[TITRE]\r\nAppli=Avant\r\n";
        const QByteArray ltlBefore = "[LISTE-TYPE]\r\nFETE=-3-\r\n";
        for (const auto& [name, bytes] : {std::pair{"kabiro.pnv", listBefore},
                                          {"kabiro.ini", iniBefore},
                                          {"kabiro.ltl", ltlBefore}}) {
            QVERIFY(writeBytes(d + u'/' + QLatin1String(name), bytes));
            QCOMPARE(chmod(QFile::encodeName(d + u'/' + QLatin1String(name)).constData(),
                           mode_t(fileMode)),
                     0);
        }
        QCOMPARE(chmod(QFile::encodeName(d).constData(), mode_t(dirMode)), 0);

        auto failures = asUnprivileged([&](Failures& f) {
            refusedWrites(f, d + "/kabiro.pnv", d + "/kabiro.ini", d + "/kabiro.ltl",
                          QStringLiteral("locked file"));
        });
        if (!failures)
            QSKIP("cannot switch to an unprivileged user here");
        QVERIFY2(failures->isEmpty(), qPrintable(failures->join(u'\n')));
        QCOMPARE(readBytes(d + "/kabiro.pnv"), listBefore);
        QCOMPARE(readBytes(d + "/kabiro.ini"), iniBefore);
        QCOMPARE(readBytes(d + "/kabiro.ltl"), ltlBefore);
        // No half-written file is left beside them.
        QCOMPARE(entries(d), (QStringList{"kabiro.ini", "kabiro.ltl", "kabiro.pnv"}));
    }

    // These need no permissions, so they bite root as well.
    void impossiblePaths_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("directory in the file's place") << QStringLiteral("directory");
        QTest::newRow("path under a file") << QStringLiteral("under-file");
        QTest::newRow("missing directory") << QStringLiteral("missing");
        QTest::newRow("/proc") << QStringLiteral("/proc");
        QTest::newRow("/sys") << QStringLiteral("/sys");
    }
    void impossiblePaths() {
        QFETCH(QString, where);
        QString list, ini, ltl;
        if (where == u"directory") {
            list = makeDir("kabiro.pnv", 0755);
            ini = makeDir("kabiro.ini", 0755);
            ltl = makeDir("kabiro.ltl", 0755);
        } else if (where == u"under-file") {
            const QString file = dir_->filePath("plain");
            QVERIFY(writeBytes(file, "x"));
            list = file + "/kabiro.pnv";
            ini = file + "/kabiro.ini";
            ltl = file + "/kabiro.ltl";
        } else if (where == u"missing") {
            list = dir_->filePath("absent/kabiro.pnv");
            ini = dir_->filePath("absent/kabiro.ini");
            ltl = dir_->filePath("absent/kabiro.ltl");
        } else {
            if (!QFileInfo(where + (where == u"/proc" ? "/self" : "/kernel")).isDir())
                QSKIP("not mounted here");
            list = where + "/kabiro-test.pnv";
            ini = where + "/kabiro-test.ini";
            ltl = where + "/kabiro-test.ltl";
        }
        Failures f;
        refusedWrites(f, list, ini, ltl, where);
        QVERIFY2(f.list().isEmpty(), qPrintable(f.list().join(u'\n')));
        QVERIFY(!QFileInfo(list).isFile());
        QVERIFY(!QFileInfo(ini).isFile());
        QVERIFY(!QFileInfo(ltl).isFile());
        if (where == u"directory") {
            QCOMPARE(entries(list), QStringList());
            QCOMPARE(entries(ini), QStringList());
            QCOMPARE(entries(ltl), QStringList());
        }
    }

    // The save is killed at random moments, repeatedly: the file on disk is always one of the
    // two lists it alternates between, whole.
    void killedDuringSave() {
        ShoppingData a, b;
        makeLargeList(a, 60000, 1);
        makeLargeList(b, 60000, 2);
        const QByteArray bytesA = bytesOf(a);
        const QByteArray bytesB = bytesOf(b);
        QVERIFY(bytesA != bytesB);
        const QString d = makeDir("killed", 0755);
        const QString path = d + "/kabiro.pnv";
        QString error;

        // How long one save takes here, to spread the kills over a few saves.
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(listfile::save(path, a, &error), qPrintable(error));
        const qint64 saveNs = std::max<qint64>(clock.nsecsElapsed(), 1000000);
        QCOMPARE(readBytes(path), bytesA);

        QRandomGenerator random(1252);
        int kills = 0, replaced = 0, kept = 0, leftovers = 0;
        QByteArray onDisk = bytesA;
        double scale = 1.0;
        clock.restart();
        // Bounded: at most four minutes, whatever the machine.
        while ((kills < 50 || replaced == 0 || kept == 0) && clock.elapsed() < 240000) {
            // The child first writes the list that is not on disk, so any save it completes
            // shows.
            const bool aOnDisk = onDisk == bytesA;
            const ShoppingData& first = aOnDisk ? b : a;
            const ShoppingData& second = aOnDisk ? a : b;
            const pid_t pid = fork();
            QVERIFY(pid >= 0);
            if (pid == 0) {
                QString e;
                for (;;) {
                    listfile::save(path, first, &e);
                    listfile::save(path, second, &e);
                }
            }
            // A forked child may save much slower or faster than the save timed above (a busy
            // machine, copy-on-write faults): every ten kills that all fell on the same side,
            // the delay moves towards the other.
            if (kills > 0 && kills % 10 == 0) {
                if (replaced == 0)
                    scale *= 2;
                else if (kept == 0)
                    scale /= 2;
            }
            const qint64 delay = qint64(random.bounded(2.0) * double(saveNs) * scale);
            const timespec ts{time_t(delay / 1000000000), long(delay % 1000000000)};
            nanosleep(&ts, nullptr);
            QCOMPARE(kill(pid, SIGKILL), 0);
            int status = 0;
            QCOMPARE(waitpid(pid, &status, 0), pid);
            QVERIFY(WIFSIGNALED(status));
            ++kills;
            const QByteArray now = readBytes(path);
            QVERIFY2(now == bytesA || now == bytesB,
                     qPrintable(QStringLiteral("after kill %1 the file holds %2 bytes, neither "
                                               "list (%3 or %4 bytes)")
                                    .arg(kills)
                                    .arg(now.size())
                                    .arg(bytesA.size())
                                    .arg(bytesB.size())));
            (now == onDisk ? kept : replaced)++;
            onDisk = now;
            // A killed save may leave its unfinished new file beside the list; it is never the
            // list itself.
            for (const QString& e : entries(d)) {
                if (e != u"kabiro.pnv") {
                    QFile::remove(d + u'/' + e);
                    ++leftovers;
                }
            }
        }
        qInfo("%d kills: the list kept %d times, replaced %d times; %d unfinished files left",
              kills, kept, replaced, leftovers);
        QVERIFY2(kills >= 50, "too few kills in the time allowed");
        QVERIFY2(replaced > 0 && kept > 0, "the kills never let a save complete, or always did");
    }

    void openDeletedList() {
        const QString path = dir_->filePath("gone.pnv");
        ShoppingData d;
        smallList(d);
        QString error;
        QVERIFY2(listfile::save(path, d, &error), qPrintable(error));
        ShoppingData loaded;
        QVERIFY2(listfile::load(path, loaded, &error), qPrintable(error));
        const QByteArray before = bytesOf(loaded);
        QVERIFY(QFile::remove(path));
        QVERIFY(!listfile::load(path, loaded, &error));
        QCOMPARE(error, QStringLiteral("Fichier introuvable"));
        QCOMPARE(bytesOf(loaded), before);
        QCOMPARE(loaded.catalogue.recordCount(), 2);
    }

    void openDirectoryAsList() {
        const QString path = makeDir("liste.pnv", 0755);
        ShoppingData d;
        smallList(d);
        const QByteArray before = bytesOf(d);
        QString error;
        QVERIFY(!listfile::load(path, d, &error));
        QCOMPARE(error, QStringLiteral("Le nom désigne un dossier et non un fichier"));
        QCOMPARE(bytesOf(d), before);
    }

    // A named pipe is waited on for ever when opened for reading, and a device may be read
    // without end: neither is a list. The reading runs in a child that an alarm ends, so that
    // a hang fails the test instead of stopping the suite.
    void openPipeOrDeviceAsList_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("named pipe") << QStringLiteral("pipe");
        QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero");
        QTest::newRow("/dev/null") << QStringLiteral("/dev/null");
    }
    void openPipeOrDeviceAsList() {
        QFETCH(QString, path);
        if (path == u"pipe") {
            path = dir_->filePath("tube.pnv");
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        } else if (!QFileInfo::exists(path)) {
            QSKIP("no such device here");
        }
        int fds[2];
        QCOMPARE(pipe(fds), 0);
        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            close(fds[0]);
            alarm(20);
            ShoppingData d;
            smallList(d);
            const QByteArray before = bytesOf(d);
            QString error;
            const bool ok = listfile::load(path, d, &error);
            const QByteArray out = (ok ? QByteArray("loaded") : error.toUtf8()) +
                                   (bytesOf(d) == before ? "" : "\nchanged");
            _exit(write(fds[1], out.constData(), size_t(out.size())) == out.size() ? 0 : 4);
        }
        close(fds[1]);
        QByteArray out;
        char buf[512];
        for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
            out.append(buf, n);
        close(fds[0]);
        int status = 0;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        QVERIFY2(!WIFSIGNALED(status) || WTERMSIG(status) != SIGALRM, "opening it hangs");
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the reading child failed");
        QCOMPARE(QString::fromUtf8(out),
                 QStringLiteral("Le nom désigne un périphérique ou un tube et non un fichier"));
    }

    // Another program having the list open does not stop reading on Linux; a list that may not
    // be read is what stands in its way here.
    void openUnreadableList() {
        const QString path = dir_->filePath("secret.pnv");
        {
            ShoppingData other;
            fixture::addProduct(other, QStringLiteral("Cave"), QStringLiteral("Vins"),
                                QStringLiteral("Bordeaux"));
            QString error;
            QVERIFY2(listfile::save(path, other, &error), qPrintable(error));
        }
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0), 0);
        auto failures = asUnprivileged([&](Failures& f) {
            ShoppingData d;
            smallList(d);
            const QByteArray before = bytesOf(d);
            QString error;
            f.check(!listfile::load(path, d, &error),
                    QStringLiteral("an unreadable list was read"));
            f.check(error == QStringLiteral("Accès refusé"),
                    QStringLiteral("an unreadable list gave \"%1\"").arg(error));
            f.check(bytesOf(d) == before, QStringLiteral("an unreadable list changed the data"));
            // Nor do the settings: every read gives its default.
            IniFile ini(path);
            f.check(ini.readString("RAYON", "x", QStringLiteral("défaut")) == u"défaut",
                    QStringLiteral("an unreadable settings file gave a value"));
        });
        if (!failures)
            QSKIP("cannot switch to an unprivileged user here");
        QVERIFY2(failures->isEmpty(), qPrintable(failures->join(u'\n')));
    }

    // A settings file that cannot be read is never replaced by a write: its content would be
    // lost.
    void unreadableSettingsAreNotReplaced() {
        const QString path = dir_->filePath("kabiro.ini");
        const QByteArray before = "[TITRE]\r\nAppli=Mes courses\r\n";
        QVERIFY(writeBytes(path, before));
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0222), 0);
        QCOMPARE(chmod(QFile::encodeName(dir_->path()).constData(), 0777), 0);
        auto failures = asUnprivileged([&](Failures& f) {
            IniFile ini(path);
            f.check(!ini.writeString(settings::kSaisie, "Coef_delai", QStringLiteral("4")),
                    QStringLiteral("an unreadable settings file was rewritten"));
            f.check(ini.lastError() == writeMessage(path),
                    QStringLiteral("gave \"%1\"").arg(ini.lastError()));
        });
        QCOMPARE(chmod(QFile::encodeName(dir_->path()).constData(), 0755), 0);
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0644), 0);
        if (!failures)
            QSKIP("cannot switch to an unprivileged user here");
        QVERIFY2(failures->isEmpty(), qPrintable(failures->join(u'\n')));
        QCOMPARE(readBytes(path), before);
    }

private:
    QString makeDir(const char* name, int mode) {
        const QString path = dir_->filePath(QLatin1String(name));
        if (!QDir().mkpath(path) || chmod(QFile::encodeName(path).constData(), mode_t(mode)) != 0)
            qFatal("cannot make %s", qPrintable(path));
        return path;
    }

    // A list of `products` products, the same for every `variant` but for the prices, the
    // notes and the validation text.
    static void makeLargeList(ShoppingData& d, int products, int variant) {
        QByteArray text = "[RAYON]\r\n";
        for (int s = 0; s < 40; ++s) {
            text += "Secteur " + QByteArray::number(s) + "\r\n";
            for (int r = 0; r < 12; ++r)
                text += "\tRayon " + QByteArray::number(r) + "\r\n";
        }
        text += "[LISTE]\r\n";
        for (int p = 0; p < products / 10; ++p)
            text += "Secteur " + QByteArray::number(p % 40) + ";Rayon " +
                    QByteArray::number(p % 12) + ";Produit " + QByteArray::number(p) +
                    ";1;N;N;;;\r\n";
        text += "[PRODUIT]\r\n";
        for (int p = 0; p < products; ++p)
            text += "Secteur " + QByteArray::number(p % 40) + ";Rayon " +
                    QByteArray::number(p % 12) + ";Produit " + QByteArray::number(p) + ";" +
                    (p < products / 10 ? "X" : " ") + ";" + QByteArray::number(p + 1) + ";" +
                    QByteArray::number(p % 100 + variant) + ",25;N;O;7;01/03/2026;note " +
                    QByteArray::number(variant) + ";\r\n";
        text += "[SAISIE]\r\nDATE= version " + QByteArray::number(variant) + "\r\n";
        listfile::Contents c;
        QString error;
        if (!listfile::parse(text, c, &error))
            qFatal("the generated list does not read: %s", qPrintable(error));
        d.tree = std::move(c.tree);
        d.list.swapRecords(c.list);
        d.catalogue.swapRecords(c.catalogue);
        d.validationText = c.validationText;
    }

    static void openUp(const QString& path) {
        chmod(QFile::encodeName(path).constData(), 0755);
        for (const QString& e : entries(path)) {
            const QString child = path + u'/' + e;
            if (QFileInfo(child).isDir() && !QFileInfo(child).isSymLink())
                openUp(child);
            else
                chmod(QFile::encodeName(child).constData(), 0644);
        }
    }

    std::optional<QTemporaryDir> dir_;
};

KABIRO_TEST_GUILESS_MAIN(SaveFaultsTest)
#include "test_save_faults.moc"
