// Window layout saved to and restored from the settings file, the sector view toggle and the
// product columns following their panels.

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "app/window_look.h"
#include "model/ini_file.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>

class TestMainWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void saveAndRestoreRoundTrip() {
        gui::Run run;
        Tfrm_main& w = run.start();
        run.show();
        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        w.move(40, 30);
        w.resize(700, 420);
        gui::part<QSplitter>(w, "Splitter1")->setSizes({320, 700 - 320 - 5});
        gui::part<QSplitter>(w, "Splitter2")->setSizes({110, 320 - 110 - 5});
        QTRY_COMPARE(gui::part<QFrame>(w, "Panel4")->width(), 320);

        gui::part<QAction>(w, "smenu_sauv_dispo")->trigger();
        // The cart panel flashes yellow, then takes the inactive caption colour.
        QCOMPARE(look::background(gui::part<QFrame>(w, "Panel9")), QColor(Qt::yellow));
        QTRY_COMPARE(look::background(gui::part<QFrame>(w, "Panel9")),
                     look::inactiveCaptionColour());
        const IniFile ini(run.iniPath());
        QCOMPARE(ini.readString("Programme", "Exe", {}), QStringLiteral("KABIRO.EXE"));
        QCOMPARE(ini.readInt("ECRAN", "spliter1", 0), 320);
        QCOMPARE(ini.readInt("ECRAN", "spliter2", 0), 110);
        QCOMPARE(ini.readBool("ECRAN", "voir_secteur", false), true);
        QCOMPARE(ini.readInt("ECRAN", "Etat", -1), 0);
        QCOMPARE(ini.readInt("ECRAN", "Left", 0), w.x());
        QCOMPARE(ini.readInt("ECRAN", "Top", 0), w.y());
        QCOMPARE(ini.readInt("ECRAN", "Width", 0), 700);
        QCOMPARE(ini.readInt("ECRAN", "Height", 0), 420);

        // Everything changed, then Ctrl+A puts the saved layout back.
        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        w.resize(600, 380);
        gui::part<QSplitter>(w, "Splitter1")->setSizes({200, 600 - 200 - 5});
        QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
        QTRY_COMPARE(w.size(), QSize(700, 420));
        QTRY_COMPARE(gui::part<QFrame>(w, "Panel4")->width(), 320);
        QVERIFY(w.sectorViewShown());
        QTRY_COMPARE(gui::part<QFrame>(w, "Panel10")->width(), 110);
        // The aisle column and the sector button follow the restored sector view.
        QVERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->isColumnHidden(1));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_rayon")->isChecked());
        QVERIFY(gui::part<QAction>(w, "smenu_fen_mag")->isChecked());
    }

    void layoutAppliedAtStart() {
        gui::Run run;
        run.writeIni(QStringLiteral("[ECRAN]\nspliter1=300\nspliter2=90\nvoir_secteur=1\nEtat=0\n"
                                    "Top=50\nLeft=60\nHeight=400\nWidth=640\n"));
        Tfrm_main& w = run.start();
        QCOMPARE(w.pos(), QPoint(60, 50));
        QCOMPARE(w.size(), QSize(640, 400));
        run.show();
        QTRY_COMPARE(gui::part<QFrame>(w, "Panel4")->width(), 300);
        QTRY_COMPARE(gui::part<QFrame>(w, "Panel10")->width(), 90);
        const WindowLayout l = w.currentLayout();
        QCOMPARE(l.spliter1, 300);
        QCOMPARE(l.spliter2, 90);
        QVERIFY(l.voirSecteur);
    }

    void maximisedWindow() {
        gui::Run run;
        Tfrm_main& w = run.start();
        run.show();
        w.move(10, 20);
        w.resize(600, 400);
        gui::part<QAction>(w, "smenu_sauv_dispo")->trigger();
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        gui::part<QAction>(w, "smenu_sauv_dispo")->trigger();
        const IniFile ini(run.iniPath());
        QCOMPARE(ini.readInt("ECRAN", "Etat", -1), 1);
        // The normal position and size stay as they were stored.
        QCOMPARE(ini.readInt("ECRAN", "Width", 0), 600);
        QCOMPARE(ini.readInt("ECRAN", "Height", 0), 400);

        w.showNormal();
        QTRY_VERIFY(!w.isMaximized());
        gui::part<QAction>(w, "smenu_rest_dispo")->trigger();
        QTRY_VERIFY(w.isMaximized());

        // A maximised window started from the settings.
        gui::Run again;
        again.writeIni(QStringLiteral("[ECRAN]\nEtat=1\n"));
        Tfrm_main& w2 = again.start();
        QVERIFY(w2.windowState() & Qt::WindowMaximized);
    }

    void unwritableSettingsFileIsReported() {
        gui::Run run;
        Tfrm_main& w = run.start();
        QVERIFY(QDir(run.dir.path()).mkdir(QStringLiteral("kabiro.ini")));
        gui::part<QAction>(w, "smenu_sauv_dispo")->trigger();
        QCOMPARE(run.platform.messages.size(), 1);
        QCOMPARE(run.platform.lastMessage().text,
                 QStringLiteral("Impossible d'écrire dans ") + run.iniPath());
        QTRY_COMPARE(look::background(gui::part<QFrame>(w, "Panel9")),
                     look::inactiveCaptionColour());
    }

    void sectorViewToggleAndProductColumns() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        run.show();
        QTRY_COMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->columnWidth(2),
                     gui::part<QFrame>(w, "Panel11")->width() - 96);
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")->columnWidth(2),
                 gui::part<QFrame>(w, "Panel3")->width() - 116);

        gui::part<QToolButton>(w, "spd_btn_rayon")->click();
        QVERIFY(w.sectorViewShown());
        QVERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->isColumnHidden(1));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_rayon")->isChecked());
        QVERIFY(gui::part<QAction>(w, "smenu_fen_mag")->isChecked());
        QTRY_COMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->columnWidth(2),
                     gui::part<QFrame>(w, "Panel11")->width() - 36);

        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        QVERIFY(!w.sectorViewShown());
        QVERIFY(!gui::part<RecordGrid>(w, "RxDBGrid1")->isColumnHidden(1));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_rayon")->isChecked());
        QVERIFY(!gui::part<QAction>(w, "smenu_fen_mag")->isChecked());
        QTRY_COMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->columnWidth(2),
                     gui::part<QFrame>(w, "Panel11")->width() - 96);

        w.resize(w.width() + 80, w.height());
        QTRY_COMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")->columnWidth(2),
                     gui::part<QFrame>(w, "Panel3")->width() - 116);
    }

    void filterMenuAndButtonStayInStep() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        gui::part<QAction>(w, "smenu_filtre_mag")->trigger();
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(w.data().shopFilterOn());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Boulangerie"));
        gui::part<QToolButton>(w, "spd_btn_filtre")->click();
        QVERIFY(!gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
        QVERIFY(!w.data().shopFilterOn());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));

        // Without any sector the filter cannot go on: the button comes back up.
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        w.data().tree.clear();
        w.showOrgTree();
        gui::part<QToolButton>(w, "spd_btn_filtre")->click();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(!gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
    }
};

KABIRO_TEST_MAIN(TestMainWindowLayout)
#include "test_main_window_layout.moc"
