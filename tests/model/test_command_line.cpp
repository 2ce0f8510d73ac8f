#include "model/command_line.h"
#include "support/test_registry.h"

#include <QtTest>

using cmdline::Action;

namespace {

const QString kStart = QStringLiteral("/home/marie/Documents");

cmdline::Request parse(std::initializer_list<const char*> args) {
    QStringList list;
    for (const char* a : args)
        list << QString::fromUtf8(a);
    return cmdline::parse(list, kStart);
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void noArgumentRunsOnTheDefaultList() {
        const auto r = parse({});
        QCOMPARE(r.action, Action::Run);
        QVERIFY(!r.userFolder);
        QVERIFY(r.listFile.isEmpty());
    }

    void listFileIsMadeAbsoluteFromTheStartDirectory() {
        QCOMPARE(parse({"courses.pnv"}).listFile, kStart + QStringLiteral("/courses.pnv"));
        QCOMPARE(parse({"../semaine/courses.pnv"}).listFile,
                 QStringLiteral("/home/marie/semaine/courses.pnv"));
        QCOMPARE(parse({"/tmp/./x.pnv"}).listFile, QStringLiteral("/tmp/x.pnv"));
        // Accents and blanks pass through untouched.
        QCOMPARE(parse({"Liste d'été.pnv"}).listFile, kStart + QStringLiteral("/Liste d'été.pnv"));
    }

    void userFolderOptionGoesWithOrWithoutAList() {
        auto r = parse({"--dossier-utilisateur"});
        QCOMPARE(r.action, Action::Run);
        QVERIFY(r.userFolder);
        QVERIFY(r.listFile.isEmpty());

        // The desktop entry puts the option first, the file manager's file after it; the file is
        // taken from where the program was started, not from the folder it moves to.
        r = parse({"--dossier-utilisateur", "courses.pnv"});
        QVERIFY(r.userFolder);
        QCOMPARE(r.listFile, kStart + QStringLiteral("/courses.pnv"));
        r = parse({"courses.pnv", "--dossier-utilisateur"});
        QVERIFY(r.userFolder);
        QCOMPARE(r.listFile, kStart + QStringLiteral("/courses.pnv"));
    }

    void helpAndVersionStopTheReading() {
        QCOMPARE(parse({"--help"}).action, Action::Help);
        QCOMPARE(parse({"--version"}).action, Action::Version);
        QCOMPARE(parse({"liste.pnv", "--help", "--bogus"}).action, Action::Help);
        QCOMPARE(parse({"--version", "--help"}).action, Action::Version);
        // A fault met before them decides.
        QCOMPARE(parse({"--bogus", "--help"}).action, Action::Fault);
    }

    void everyOtherDashArgumentIsAFault() {
        for (const char* arg : {"-h", "-", "-platform", "--aide", "--HELP", "--help=oui",
                                "--dossier-utilisateur=/tmp", "---help"}) {
            const auto r = parse({arg});
            QVERIFY2(r.action == Action::Fault, arg);
            QVERIFY2(!r.fault.isEmpty(), arg);
        }
        QVERIFY(parse({"-platform", "offscreen"}).fault.contains(QStringLiteral("-platform")));
        QVERIFY(parse({"--help=oui"}).fault.contains(QStringLiteral("ne prend pas de valeur")));
    }

    void doubleDashEndsTheOptions() {
        auto r = parse({"--", "-liste.pnv"});
        QCOMPARE(r.action, Action::Run);
        QCOMPARE(r.listFile, kStart + QStringLiteral("/-liste.pnv"));
        r = parse({"--dossier-utilisateur", "--", "--help"});
        QCOMPARE(r.action, Action::Run);
        QVERIFY(r.userFolder);
        QCOMPARE(r.listFile, kStart + QStringLiteral("/--help"));
        // Only the first "--" ends them; a second one is a list name.
        QCOMPARE(parse({"--", "--"}).listFile, kStart + QStringLiteral("/--"));
    }

    void oneListAtMostAndNeverAnEmptyName() {
        auto r = parse({"a.pnv", "b.pnv"});
        QCOMPARE(r.action, Action::Fault);
        QVERIFY(r.fault.contains(QStringLiteral("b.pnv")));
        QCOMPARE(parse({""}).action, Action::Fault);
    }

    void usageNamesEveryOptionInFrench() {
        const QString text = cmdline::usage(QStringLiteral("kabiro"));
        QVERIFY(text.startsWith(QStringLiteral("Utilisation : kabiro [OPTION]... [LISTE.pnv]\n")));
        QVERIFY(text.endsWith(u'\n'));
        for (const char* option : {"--dossier-utilisateur", "--help", "--version"}) {
            // Each option starts a line of its own and is accepted by the reader.
            QVERIFY2(text.contains(QStringLiteral("\n  ") + QLatin1String(option)), option);
            QVERIFY2(parse({option}).action != Action::Fault, option);
        }
        QVERIFY(text.contains(QStringLiteral("kabiro.ini")));
        // Short enough for a terminal.
        for (const QString& line : text.split(u'\n'))
            QVERIFY2(line.size() <= 80, qPrintable(line));
    }

    void versionNamesProgramAndNumber() {
        const QString text = cmdline::versionText();
        QVERIFY(text.startsWith(QStringLiteral("kabiro (Paniva) ")));
        const QString number = text.section(u'\n', 0, 0).section(u' ', 2);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+\\.\\d+")).match(number).hasMatch(),
                 qPrintable(number));
        QVERIFY(text.contains(QStringLiteral("GPL")));
    }
};

KABIRO_TEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
