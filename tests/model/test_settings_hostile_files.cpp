// Settings and list-type files that are no files of the program: pipes, devices, directories,
// files too large, huge values. None may hang, swell or be written over; a large file is read
// once per use.

#include "model/list_type_file.h"
#include "model/list_types.h"
#include "model/settings.h"
#include "support/test_registry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray digestOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(&f);
    return h.result();
}

// A real settings file: the values differ from the defaults, so that a reading shows.
const QByteArray kSettings = "[SAISIE]\r\nCoef_delai=7\r\nNbj_renouve=21\r\n"
                             "[TITRE]\r\nAppli=Mes courses\r\n"
                             "[ECRAN]\r\nTop=10\r\nLeft=20\r\nHeight=400\r\nWidth=600\r\n";

// A settings file of about `size` bytes shaped like a swollen kabiro.ini: the real sections
// first, then thousands of sections of keys no one asks for, and at the very end the keys the
// Options and the layout read, so that every read has to see the whole file.
QByteArray swollen(qint64 size) {
    QByteArray b = "[Programme]\r\nExe=KABIRO.EXE\r\n";
    const QByteArray tail = "[PRESENTATION]\r\nEuro=1\r\nval-euro=1,5\r\n" + kSettings;
    for (int n = 0; b.size() + tail.size() < size; ++n) {
        b += "[Bloc" + QByteArray::number(n) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            b += "cle" + QByteArray::number(k) + "=valeur sans usage " + QByteArray::number(n) +
                 "\r\n";
    }
    return b + tail;
}

// Runs a reading that must not hang on a pipe; if it does, a writer is opened and closed on the
// pipe so that the reading ends, and the test fails.
template <typename F> auto withinSeconds(const QString& fifo, F f) {
    auto future = std::async(std::launch::async, f);
    if (future.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
        if (fd >= 0)
            ::close(fd);
        future.wait();
        [] { QFAIL("the reading waited on the pipe"); }();
    }
    return future.get();
}

} // namespace

class TestSettingsHostileFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name = "kabiro.ini") const {
        return dir.filePath(QString::fromLatin1(name));
    }

    // What every set-aside file must give: the defaults, a refusal naming it, writes refused
    // without touching it, and list types neither read nor created over it.
    void checkSetAside(const QString& p) {
        const IniFile ini(p);
        const IniFile::Reading r = withinSeconds(p, [&] { return ini.read(); });
        QVERIFY(r.refused());
        QVERIFY2(r.refusal().contains(QDir::toNativeSeparators(p)), qPrintable(r.refusal()));
        QCOMPARE(AppSettings::readAtStart(r, AppSettings()), AppSettings());
        QCOMPARE(AppSettings::readForDialog(r, 2.0), [] {
            AppSettings d = AppSettings::dialogDefaults();
            d.euroRate = 2.0;
            return d;
        }());
        WindowLayout current;
        current.width = 333;
        QCOMPARE(WindowLayout::read(r, current), current);
        QVERIFY(settings::refusedFileMessage(r.refusal()).contains(r.refusal()));

        IniFile writer(p);
        QVERIFY(!writeOptions(writer, AppSettings()));
        QCOMPARE(writer.lastError(), QStringLiteral("Impossible d'écrire dans %1").arg(p));
        QVERIFY(!WindowLayout().write(writer, WindowLayout::Show::Normal));

        ListTypeFile types(p);
        QString refusal;
        QVERIFY(withinSeconds(p, [&] { return types.names(&refusal); }).isEmpty());
        QCOMPARE(refusal, r.refusal());
        QCOMPARE(withinSeconds(p, [&] { return types.value(QStringLiteral("X")); }),
                 QStringLiteral("-"));
        QVERIFY(!types.save(QStringLiteral("X"), QStringLiteral("-1-")));
    }

private slots:
    void pipeIsNeitherWaitedOnNorReplaced() {
        const QString p = path("pipe.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        checkSetAside(p);
        QVERIFY(!QFileInfo(p).isFile());
        QVERIFY(QFileInfo(p).exists());

        // The list types of a list whose .ltl is a pipe: the file is not created over it and
        // the products are not renumbered.
        ShoppingData data;
        ListTypeFile types(p);
        const listtypes::MenuBuild built = listtypes::buildMenu(data, types, nullptr);
        QVERIFY(!built.ok);
        QCOMPARE(built.error, QStringLiteral("Impossible d'écrire dans %1").arg(p));
        QVERIFY(!QFileInfo(p).isFile());
    }

    void linkToADeviceIsNotReadWithoutEnd() {
        const QString p = path("zero.ini");
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), p));
        checkSetAside(p);
        QVERIFY(QFileInfo(p).isSymLink());
        QCOMPARE(QFileInfo(p).symLinkTarget(), QStringLiteral("/dev/zero"));
    }

    void directoryIsSetAside() {
        const QString p = path("dir.ini");
        QVERIFY(QDir().mkpath(p));
        checkSetAside(p);
        QVERIFY(QFileInfo(p).isDir());
    }

    void fileOverTheBoundIsSetAsideWhole() {
        // The real keys stand first: a reader that stopped at the bound would still find them.
        const QString p = path("big.ini");
        QByteArray bytes = kSettings + "[Reste]\r\n";
        bytes += QByteArray(IniFile::kMaxFileSize + 1 - bytes.size(), 'x');
        putBytes(p, bytes);
        const QByteArray before = digestOf(p);
        const qint64 reads = IniFile::contentReads();
        checkSetAside(p);
        // Its size alone sets it aside: its content is never read.
        QCOMPARE(IniFile::contentReads(), reads);
        QCOMPARE(digestOf(p), before);
        QVERIFY(settings::refusedFileMessage(IniFile(p).read().refusal()).contains("4 Mo"));

        // At the bound exactly, the file is read.
        bytes.chop(1);
        putBytes(p, bytes);
        const IniFile::Reading r = IniFile(p).read();
        QVERIFY(!r.refused());
        QCOMPARE(AppSettings::readAtStart(r, AppSettings()).delayCoef, 7);
    }

    void writesNeverMakeAFileOverTheBound() {
        const QString p = path("grow.ini");
        putBytes(p, kSettings + "[Reste]\r\nlong=" +
                        QByteArray(IniFile::kMaxFileSize - kSettings.size() - 100, 'x') + "\r\n");
        const QByteArray before = digestOf(p);
        IniFile ini(p);
        QVERIFY(!ini.writeString("Reste", "autre", QString(200, u'y')));
        QCOMPARE(ini.lastError(), QStringLiteral("Impossible d'écrire dans %1").arg(p));
        QCOMPARE(digestOf(p), before);
        // What fits is written.
        QVERIFY(ini.writeInt("SAISIE", "Coef_delai", 2));
        QCOMPARE(ini.read().readInt("SAISIE", "Coef_delai", 0), 2);
    }

    void hugeValuesAreReadAsStored() {
        const QString p = path("huge.ini");
        putBytes(p, "[ECRAN]\r\nHeight=2147483647\r\nWidth=2147483647\r\nTop=-2147483648\r\n"
                    "Left=0x7FFFFFFF\r\nspliter1=2147483647\r\nspliter2=-5\r\nEtat=99\r\n"
                    "[SAISIE]\r\nCoef_delai=99999999999\r\nNbj_renouve=0xFFFFFFFF\r\n"
                    "[TITRE]\r\nAppli=" +
                        QByteArray(3 * 1024 * 1024, 'A') + "\r\n");
        const IniFile::Reading r = IniFile(p).read();
        QVERIFY(!r.refused());
        const WindowLayout l = WindowLayout::read(r, WindowLayout());
        QCOMPARE(l.height, 2147483647);
        QCOMPARE(l.width, 2147483647);
        QCOMPARE(l.top, -2147483647 - 1);
        QCOMPARE(l.left, 2147483647);
        QCOMPARE(l.spliter1, 2147483647);
        QCOMPARE(l.spliter2, -5);
        QVERIFY(!l.maximised());
        const AppSettings s = AppSettings::readAtStart(r, AppSettings());
        QCOMPARE(s.delayCoef, 3); // beyond 32 bits: not an integer, the default
        QCOMPARE(s.renewDays, -1);
        QCOMPARE(s.appTitle, QString(IniFile::kMaxValueLength, u'A'));
    }

    void largeFileIsReadOncePerUse() {
        const QString p = path("swollen.ini");
        putBytes(p, swollen(IniFile::kMaxFileSize - 4096));
        IniFile ini(p);

        qint64 reads = IniFile::contentReads();
        const AppSettings s = AppSettings::readAtStart(ini, AppSettings());
        QCOMPARE(IniFile::contentReads() - reads, 1);
        QCOMPARE(s.delayCoef, 7);
        QCOMPARE(s.renewDays, 21);
        QCOMPARE(s.appTitle, QStringLiteral("Mes courses"));
        QVERIFY(s.euro);
        QCOMPARE(s.euroRate, 1.5);

        reads = IniFile::contentReads();
        const WindowLayout l = WindowLayout::read(ini, WindowLayout());
        QCOMPARE(IniFile::contentReads() - reads, 1);
        QCOMPARE(l.width, 600);
        QCOMPARE(l.left, 20);

        reads = IniFile::contentReads();
        QCOMPARE(AppSettings::readForDialog(ini, 1.0).renewDays, 21);
        QCOMPARE(IniFile::contentReads() - reads, 1);

        // Writing the Options or the layout reads the file once too, and keeps every line it
        // does not change.
        reads = IniFile::contentReads();
        QVERIFY(writeOptions(ini, s));
        QVERIFY(l.write(ini, WindowLayout::Show::Normal));
        QCOMPARE(IniFile::contentReads() - reads, 2);
        QCOMPARE(ini.read().keyNames("Bloc7").size(), 20);
        const AppSettings back = AppSettings::readAtStart(ini, AppSettings());
        QCOMPARE(back.delayCoef, 7);
        QCOMPARE(back.appTitle, s.appTitle);
        QCOMPARE(back.euroRate, 1.5);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestSettingsHostileFiles)
#include "test_settings_hostile_files.moc"
