// The start-up and About box with its links, the help, and the desktop platform's conversions.

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/help_window.h"
#include "app/qt_platform.h"
#include "dialogs/bgr_color.h"
#include "dialogs/splash.h"
#include "model/contrast.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

using gui::child;

namespace {

// A clicked link turns red: a red that reads on the box's panel (pure red is darkened on the
// light panel until it reaches 4.5:1).
bool visitedRed(const QLabel* link) {
    const QColor c = link->palette().color(QPalette::WindowText);
    const QColor panel = link->parentWidget()->palette().color(QPalette::Window);
    return c.red() > 2 * c.green() && c.red() > 2 * c.blue() &&
           contrast::ratio(c.rgb() & 0xFFFFFF, panel.rgb() & 0xFFFFFF) >= contrast::kMinimumRatio;
}

} // namespace

class TestAboutAndHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appsetup::installFontSubstitutes(); }

    void startUpBoxShowsNeitherLinksNorButton() {
        Tfrm_spash box(Tfrm_spash::StartUp, nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.size(), QSize(270, 101));
        QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(child<QLabel>(&box, "Label1")->text(), QStringLiteral("Paniva v2.0"));
        QCOMPARE(child<QLabel>(&box, "Label1")->font().family(), QStringLiteral("Comic Sans MS"));
        for (const char* name : {"Label3", "Label4", "Label5", "Label6", "BitBtn1"}) {
            QWidget* w = child<QWidget>(&box, name);
            QVERIFY2(w->y() >= 100, name);
            QVERIFY2(w->visibleRegion().isEmpty(), name); // not a pixel of it on screen
        }
    }

    void aboutBoxAndItsLinks() {
        gui::Run run;
        Tfrm_main& w = run.start();
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_email")->toolTip(), Tfrm_spash::emailAddress());

        // The e-mail link starts a message and closes the box.
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<Tfrm_spash*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->tag(), 1);
            QCOMPARE(box->height(), 145);
            for (const char* name : {"Label3", "Label4", "BitBtn1"})
                QVERIFY2(!child<QWidget>(box, name)->visibleRegion().isEmpty(), name);
            QLabel* mail = child<QLabel>(box, "Label3");
            QTest::mouseClick(mail, Qt::LeftButton);
            QVERIFY(visitedRed(mail));
            checked = true;
        });
        gui::part<QToolButton>(w, "spd_btn_email")->click();
        QVERIFY(checked);
        QCOMPARE(run.platform.opened,
                 QStringList{
                     "mailto:paniva@example.org?subject=A%20propos%20du%20logiciel%20Ma%20Paniva"});

        // The web link opens the site and the box stays until OK.
        bool stayed = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<Tfrm_spash*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QLabel* web = child<QLabel>(box, "Label4");
            QTest::mouseClick(web, Qt::LeftButton);
            stayed = box->isVisible();
            QVERIFY(visitedRed(web));
            // A new box starts with its links in their normal colour.
            QVERIFY(!visitedRed(child<QLabel>(box, "Label3")));
            child<QPushButton>(box, "BitBtn1")->click();
        });
        gui::part<QAction>(w, "smenu_Apropos")->trigger();
        QVERIFY(stayed);
        QCOMPARE(run.platform.opened.last(), Tfrm_spash::webAddress());
    }

    void helpOpensTheContents() {
        gui::Run run;
        Tfrm_main& w = run.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        gui::part<QToolButton>(w, "spd_btn_aide")->click();
        gui::part<QAction>(w, "smenu_aide")->trigger();
        QCOMPARE(run.platform.helpTopics, (QStringList{"Sommaire", "Sommaire", "Sommaire"}));
    }

    void helpDocumentHasEveryTopicItLinksTo() {
        HelpWindow help;
        help.showTopic(QStringLiteral("Sommaire"));
        QCOMPARE(help.browser()->source().fragment(), QStringLiteral("Sommaire"));
        const QString html = help.browser()->document()->toHtml();
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Sommaire")));
        QFile f(QStringLiteral(":/help/aide.html"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString source = QString::fromUtf8(f.readAll());
        static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (const auto& m : link.globalMatch(source)) {
            ++links;
            QVERIFY2(source.contains(QStringLiteral("name=\"%1\"").arg(m.captured(1))),
                     qPrintable(m.captured(1)));
        }
        QVERIFY(links > 5);
        help.close();
    }

    void platformConversions() {
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(QtPlatform::qtFilter(QStringLiteral("fichier Paniva|*.pnv|Tous fichiers|*.*")),
                 QStringLiteral("fichier Paniva (*.pnv);;Tous fichiers (*.*)"));
        QCOMPARE(QtPlatform::qtFilter(QStringLiteral("fichier Paniva|*.pnv")),
                 QStringLiteral("fichier Paniva (*.pnv)"));
        QCOMPARE(QtPlatform::displayText(QStringLiteral("a\r\rb\r\nc")),
                 QStringLiteral("a\n\nb\nc"));
        QCOMPARE(QtPlatform::shellUrl(QStringLiteral("mailto:x@y.org?subject=A%20b")).scheme(),
                 QStringLiteral("mailto"));
        QCOMPARE(QtPlatform::shellUrl(QStringLiteral("https://paniva.example.org")).host(),
                 QStringLiteral("paniva.example.org"));
        const QUrl local = QtPlatform::shellUrl(QStringLiteral("kabiro.txt"));
        QVERIFY(local.isLocalFile());
        QCOMPARE(local.toLocalFile(),
                 QDir::current().absoluteFilePath(QStringLiteral("kabiro.txt")));
        QCOMPARE(colorFromBgr(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(bgrFromColor(QColor(0, 255, 255)), quint32(16776960));
    }

    void requestedFontsResolve() {
        const QStringList families = QFontDatabase::families();
        if (!families.contains(QStringLiteral("Comic Neue")) &&
            !families.contains(QStringLiteral("Comic Sans MS")))
            QSKIP("neither Comic Sans MS nor Comic Neue is installed");
        const QString comic = QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family();
        QVERIFY2(comic == QStringLiteral("Comic Sans MS") || comic == QStringLiteral("Comic Neue"),
                 qPrintable(comic));
        const QString arial = QFontInfo(QFont(QStringLiteral("Arial"))).family();
        QVERIFY2(arial == QStringLiteral("Arial") || arial == QStringLiteral("Liberation Sans"),
                 qPrintable(arial));
    }
};

KABIRO_TEST_MAIN(TestAboutAndHelp)
#include "test_about_and_help.moc"
