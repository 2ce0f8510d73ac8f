#include "model/ini_file.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("kabiro.ini")); }

private slots:
    void init() { QFile::remove(path()); }

    void missingFileSectionOrKeyGiveDefaults() {
        IniFile ini(path());
        QVERIFY(!ini.exists());
        QCOMPARE(ini.readString("S", "k", QStringLiteral("def")), QStringLiteral("def"));
        QCOMPARE(ini.readInt("S", "k", 7), 7);
        QCOMPARE(ini.readBool("S", "k", true), true);
        QCOMPARE(ini.readFloat("S", "k", 1.5), 1.5);
        QVERIFY(ini.keyNames("S").isEmpty());

        // Keys above the first section belong to none; a second section of the same name is
        // not looked at.
        putBytes(path(), "k=top\r\n[S]\r\na=1\r\n[T]\r\nk=t\r\n[s]\r\nk=second\r\n");
        QCOMPARE(ini.readString("S", "k", QStringLiteral("def")), QStringLiteral("def"));
        QCOMPARE(ini.readString("X", "a", QStringLiteral("def")), QStringLiteral("def"));
        QCOMPARE(ini.readString("T", "k", QString()), QStringLiteral("t"));
    }

    void namesMatchWithoutCase() {
        putBytes(path(), "[presentation]\r\nval-euro=6,5\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readFloat("PRESENTATION", "Val-euro", 0), 6.5);
        QVERIFY(ini.writeFloat("Presentation", "Val-euro", 7.25));
        // The existing section keeps its spelling; the line takes the writer's key spelling.
        QCOMPARE(bytesOf(path()), QByteArray("[presentation]\r\nVal-euro=7,25\r\n"));
        QCOMPARE(ini.readFloat("PRESENTATION", "val-euro", 0), 7.25);
    }

    void valueText() {
        putBytes(path(), "[S]\r\n  a  =  with blanks  \r\nb=x=y\r\nc=\r\nlong=" +
                             QByteArray(3000, 'z') + "\r\nacc=\xE9t\xE9 \x80\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readString("S", "a", QString()), QStringLiteral("with blanks"));
        QCOMPARE(ini.readString("S", "b", QString()), QStringLiteral("x=y"));
        QCOMPARE(ini.readString("S", "c", QStringLiteral("def")), QString());
        QCOMPARE(ini.readString("S", "long", QString()), QString(2047, u'z'));
        QCOMPARE(ini.readString("S", "acc", QString()), QStringLiteral("été €"));
    }

    void linesWithoutCarriageReturn() {
        putBytes(path(), "[S]\nk=v\n[T]\r\nm=w");
        IniFile ini(path());
        QCOMPARE(ini.readString("S", "k", QString()), QStringLiteral("v"));
        QCOMPARE(ini.readString("T", "m", QString()), QStringLiteral("w"));
    }

    void writeReplacesInPlaceKeepingOtherLines() {
        const QByteArray before = "; note\n[S]\r\nfirst=1\nk = old \r\n\r\nnot a key\r\n"
                                  "[T]\r\nk=other\r\nlast=x";
        putBytes(path(), before);
        IniFile ini(path());
        QVERIFY(ini.writeString("s", "K", QStringLiteral("new")));
        QCOMPARE(bytesOf(path()), QByteArray("; note\n[S]\r\nfirst=1\nK=new\r\n\r\nnot a key\r\n"
                                             "[T]\r\nk=other\r\nlast=x"));
        QVERIFY(ini.lastError().isEmpty());
    }

    void newKeyGoesAtEndOfItsSection() {
        putBytes(path(), "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n");
        IniFile ini(path());
        QVERIFY(ini.writeInt("A", "c", 3));
        QVERIFY(ini.writeInt("B", "d", 4));
        QCOMPARE(bytesOf(path()), QByteArray("[A]\r\na=1\r\nc=3\r\n\r\n[B]\r\nb=2\r\nd=4\r\n"));

        // A last line without line break gets one before anything is put after it.
        putBytes(path(), "[A]\r\na=1");
        QVERIFY(ini.writeInt("A", "b", 2));
        QVERIFY(ini.writeInt("Z", "z", 9));
        QCOMPARE(bytesOf(path()), QByteArray("[A]\r\na=1\r\nb=2\r\n[Z]\r\nz=9\r\n"));
    }

    void firstWriteCreatesTheFile() {
        IniFile ini(path());
        QVERIFY(ini.writeString("Programme", "Exe", QStringLiteral("KABIRO.EXE")));
        QVERIFY(ini.writeString("SAISIE", "Nom", QStringLiteral("Prévu €")));
        QCOMPARE(bytesOf(path()),
                 QByteArray("[Programme]\r\nExe=KABIRO.EXE\r\n[SAISIE]\r\nNom=Pr\xE9vu \x80\r\n"));
    }

    void integers() {
        putBytes(path(), "[S]\r\nhex=0x10\r\nup=0XfF\r\nneg=-5\r\nplus=+8\r\ntxt=abc\r\n"
                         "mix=12abc\r\nempty=\r\nbare=0x\r\nhuge=99999999999\r\nfull=0xFFFFFFFF\r\n"
                         "nine=0x123456789\r\nfloat=1,5\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readInt("S", "hex", 3), 16);
        QCOMPARE(ini.readInt("S", "up", 3), 255);
        QCOMPARE(ini.readInt("S", "neg", 3), -5);
        QCOMPARE(ini.readInt("S", "plus", 3), 8);
        QCOMPARE(ini.readInt("S", "full", 3), -1);
        for (const char* k : {"txt", "mix", "empty", "bare", "huge", "nine", "float"})
            QCOMPARE(ini.readInt("S", k, 3), 3);

        QVERIFY(ini.writeInt("S", "neg", -2147483647 - 1));
        QCOMPARE(ini.readInt("S", "neg", 0), -2147483647 - 1);
        QVERIFY(bytesOf(path()).contains("\r\nneg=-2147483648\r\n"));
    }

    void booleans() {
        putBytes(path(), "[S]\r\ntwo=2\r\nzero=0\r\nhexzero=0x0\r\ntxt=abc\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readBool("S", "two", false), true);
        QCOMPARE(ini.readBool("S", "zero", true), false);
        QCOMPARE(ini.readBool("S", "hexzero", true), false);
        QCOMPARE(ini.readBool("S", "txt", true), true);
        QCOMPARE(ini.readBool("S", "txt", false), false);

        QVERIFY(ini.writeBool("S", "two", false));
        QVERIFY(ini.writeBool("S", "t", true));
        QCOMPARE(bytesOf(path()),
                 QByteArray("[S]\r\ntwo=0\r\nzero=0\r\nhexzero=0x0\r\ntxt=abc\r\nt=1\r\n"));
    }

    void floatingPoint() {
        putBytes(path(), "[S]\r\ncomma=6,55957\r\npoint=6.55957\r\nexp=1,5e3\r\ntwo=1,2.3\r\n"
                         "nan=nan\r\ninf=inf\r\ntxt=abc\r\nint=7\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readFloat("S", "comma", 0), 6.55957);
        QCOMPARE(ini.readFloat("S", "point", 0), 6.55957);
        QCOMPARE(ini.readFloat("S", "exp", 0), 1500.0);
        QCOMPARE(ini.readFloat("S", "int", 0), 7.0);
        for (const char* k : {"two", "nan", "inf", "txt"})
            QCOMPARE(ini.readFloat("S", k, 2.5), 2.5);

        // The written form does not depend on the locale of the machine.
        const QLocale saved;
        for (const QLocale& l : {QLocale(QLocale::French, QLocale::France), QLocale::c(),
                                 QLocale(QLocale::English, QLocale::UnitedStates)}) {
            QLocale::setDefault(l);
            QCOMPARE(IniFile::formatFloat(6.55957), QStringLiteral("6,55957"));
            QCOMPARE(IniFile::formatFloat(12), QStringLiteral("12"));
            QCOMPARE(IniFile::formatFloat(-0.1), QStringLiteral("-0,1"));
        }
        QLocale::setDefault(saved);

        for (double v : {0.1, 1.0 / 3.0, 1e20, -2.5, 6.55957, 123456.789, 1e-7}) {
            QVERIFY(ini.writeFloat("S", "rt", v));
            QCOMPARE(ini.readFloat("S", "rt", 0), v);
        }
    }

    void keyNamesInFileOrder() {
        putBytes(path(),
                 "[L]\r\nZED=1\r\nalpha=2\r\n\r\nnot a key\r\nMid=3\r\nzed=4\r\n[M]\r\nx=1\r\n");
        IniFile ini(path());
        QCOMPARE(ini.keyNames("l"), QStringList({QStringLiteral("ZED"), QStringLiteral("alpha"),
                                                 QStringLiteral("Mid")}));
        QCOMPARE(ini.keyNames("M"), QStringList{QStringLiteral("x")});
        QVERIFY(ini.keyNames("N").isEmpty());

        // Names plus one separator each must fit; a name that does not is left out whole.
        QCOMPARE(ini.keyNames("L", 10),
                 QStringList({QStringLiteral("ZED"), QStringLiteral("alpha")}));
        QCOMPARE(ini.keyNames("L", 9), QStringList{QStringLiteral("ZED")});
        QVERIFY(ini.keyNames("L", 3).isEmpty());
    }

    void deleteKey() {
        const QByteArray before = "[S]\r\na=1\r\nb=2\nB=3\r\nc=4\r\n[T]\r\nb=5\r\n";
        putBytes(path(), before);
        IniFile ini(path());
        QVERIFY(ini.deleteKey("s", "b"));
        QCOMPARE(bytesOf(path()), QByteArray("[S]\r\na=1\r\nc=4\r\n[T]\r\nb=5\r\n"));
        QVERIFY(ini.deleteKey("S", "absent"));
        QVERIFY(ini.deleteKey("Absent", "a"));
        QCOMPARE(bytesOf(path()), QByteArray("[S]\r\na=1\r\nc=4\r\n[T]\r\nb=5\r\n"));

        QFile::remove(path());
        QVERIFY(ini.deleteKey("S", "a"));
        QVERIFY(!QFile::exists(path()));
    }

    void unsafeNamesAndValues() {
        IniFile ini(path());
        // A line break in a value would start a line of its own.
        QVERIFY(ini.writeString("S", "k", QStringLiteral("a\r\nb=1\nc")));
        QCOMPARE(bytesOf(path()), QByteArray("[S]\r\nk=a b=1 c\r\n"));
        const QByteArray before = bytesOf(path());
        const QString msg = QStringLiteral("Impossible d'écrire dans %1").arg(path());
        for (const char* key : {"a=b", "", "  ", "[x", "a\nb"}) {
            QVERIFY(!ini.writeString("S", key, QStringLiteral("v")));
            QCOMPARE(ini.lastError(), msg);
        }
        QVERIFY(!ini.writeString("S]x", "k", QStringLiteral("v")));
        QVERIFY(!ini.writeString("", "k", QStringLiteral("v")));
        QCOMPARE(bytesOf(path()), before);
    }

    void batchGivesTheSameBytesAsSingleWrites() {
        const QByteArray start = "[B]\r\nx=1\r\n\r\n[A]\r\nold=1\r\n";
        const QString one = dir.filePath(QStringLiteral("one.ini"));
        const QString all = dir.filePath(QStringLiteral("all.ini"));
        putBytes(one, start);
        putBytes(all, start);

        IniFile single(one);
        QVERIFY(single.writeString("A", "t", QStringLiteral("texte")));
        QVERIFY(single.writeInt("C", "i", 42));
        QVERIFY(single.writeBool("b", "y", true));
        QVERIFY(single.writeFloat("A", "f", 0.5));
        QVERIFY(single.deleteKey("A", "old"));
        QVERIFY(single.writeInt("c", "I", 43));

        IniFile batched(all);
        QVERIFY(batched.batch()
                    .writeString("A", "t", QStringLiteral("texte"))
                    .writeInt("C", "i", 42)
                    .writeBool("b", "y", true)
                    .writeFloat("A", "f", 0.5)
                    .deleteKey("A", "old")
                    .writeInt("c", "I", 43)
                    .commit());
        QCOMPARE(bytesOf(all), bytesOf(one));
        QCOMPARE(bytesOf(all),
                 QByteArray("[B]\r\nx=1\r\ny=1\r\n\r\n[A]\r\nt=texte\r\nf=0,5\r\n[C]\r\nI=43\r\n"));
    }

    void refusedWriteKeepsTheOldFile() {
        // The directory does not exist.
        {
            const QString p = dir.filePath(QStringLiteral("no/such/dir/kabiro.ini"));
            IniFile ini(p);
            QVERIFY(!ini.writeInt("S", "k", 1));
            QCOMPARE(ini.lastError(), QStringLiteral("Impossible d'écrire dans %1").arg(p));
            QVERIFY(!ini.batch().writeInt("S", "k", 1).commit());
            QCOMPARE(ini.lastError(), QStringLiteral("Impossible d'écrire dans %1").arg(p));
        }
        // The path is a directory: never replaced.
        {
            const QString p = dir.filePath(QStringLiteral("adir"));
            QVERIFY(QDir().mkpath(p));
            IniFile ini(p);
            QVERIFY(!ini.writeInt("S", "k", 1));
            QVERIFY(QFileInfo(p).isDir());
        }
        // The disk refuses the new content half way: the old file stays whole and no temporary
        // is left behind. A file size limit makes the write fail even for the superuser.
        {
            QTemporaryDir own;
            const QString p = own.filePath(QStringLiteral("kabiro.ini"));
            const QByteArray before = "[S]\r\nk=old\r\n";
            putBytes(p, before);
            IniFile ini(p);
            rlimit saved{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = saved;
            small.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            const bool ok = ini.writeString("S", "k", QString(20000, u'x'));
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
            QVERIFY(!ok);
            QCOMPARE(ini.lastError(), QStringLiteral("Impossible d'écrire dans %1").arg(p));
            QCOMPARE(bytesOf(p), before);
            QCOMPARE(QDir(own.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("kabiro.ini")});
            // A later write that fits succeeds.
            QVERIFY(ini.writeString("S", "k", QStringLiteral("new")));
            QVERIFY(ini.lastError().isEmpty());
        }
    }

    void readOnlyDirectoryRefusesWrites() {
        if (geteuid() == 0)
            QSKIP("the superuser writes into read-only directories");
        const QString sub = dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkpath(sub));
        const QString p = sub + QStringLiteral("/kabiro.ini");
        putBytes(p, "[S]\r\nk=old\r\n");
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
        IniFile ini(p);
        const bool ok = ini.writeString("S", "k", QStringLiteral("new"));
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!ok);
        QCOMPARE(ini.lastError(), QStringLiteral("Impossible d'écrire dans %1").arg(p));
        QCOMPARE(bytesOf(p), QByteArray("[S]\r\nk=old\r\n"));
    }

    void unreadableFileIsNotReplaced() {
        if (geteuid() == 0)
            QSKIP("the superuser reads every file");
        putBytes(path(), "[S]\r\nk=old\r\n");
        QFile::setPermissions(path(), QFile::WriteOwner);
        IniFile ini(path());
        const bool ok = ini.writeString("T", "k", QStringLiteral("new"));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(!ok);
        QCOMPARE(bytesOf(path()), QByteArray("[S]\r\nk=old\r\n"));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
