// The tools of the main window: the Options dialog applied on OK and forgotten on Cancel, the
// global operations undone by Cancel, and the converter opened and closed by its button.

#include "main_window_fixture.h"
#include "modal_driver.h"
#include "support/test_registry.h"

#include "app/qt_platform.h"
#include "app/window_look.h"
#include "dialogs/bgr_color.h"
#include "dialogs/convert.h"
#include "dialogs/paracha.h"
#include "dialogs/req_glob.h"
#include "model/list_file.h"
#include "model/shopping_tables.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using Button = Platform::Button;

namespace {

QString copyExample(gui::Run& run) {
    const QString path = run.path(QStringLiteral("kabiro.pnv"));
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv"), path))
        qFatal("cannot copy the example list");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

template <typename T> T* in(QWidget& dialog, const char* name) {
    return gui::child<T>(&dialog, name);
}

void clickOk(Tfrm_param& d) {
    in<QPushButton>(d, "BitBtn2")->click();
}

// Runs the Options command, `change` acting on the dialog before it ends.
void options(Tfrm_main& w, std::function<void(Tfrm_param&)> change) {
    gui::whenModal<Tfrm_param>(std::move(change));
    gui::part<QAction>(w, "smenu_options")->trigger();
}

// The planned and reminder flags and prices of every product, in table order.
QStringList marks(const RecordTable& t) {
    QStringList out;
    for (int pos = 0; pos < t.recordCount(); ++pos) {
        const Record& r = t.recordAt(pos);
        out << RecordTable::textOf(r, Cat::Produit) + u'|' + RecordTable::textOf(r, Cat::prevu) +
                   u'|' + RecordTable::textOf(r, Cat::Rappel) + u'|' +
                   QString::number(RecordTable::realOf(r, Cat::Prix).value_or(-1));
    }
    return out;
}

QStringList marksIn(const QString& path) {
    ShoppingData d;
    QString error;
    if (!listfile::load(path, d, &error))
        return {error};
    return marks(d.catalogue);
}

void filterOnFirstSector(Tfrm_main& w) {
    QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QPoint converterStart(const Tfrm_main& w) {
    const QRect g = w.frameGeometry();
    return {g.left() + g.width() - 143, g.top() + 20};
}

QString converterLine(const Tfrm_convert* c, const char* name) {
    const QLabel* l = c ? c->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
    return l ? l->text() : QStringLiteral("<none>");
}

} // namespace

class TestMainWindowTools : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // What the colour chooser remembers goes to a test location, not to the user's settings.
        QStandardPaths::setTestModeEnabled(true);
    }

    // ------------------------------------------------------------ Options

    void optionsOkAppliesEverySettingAndWritesTheFile() {
        gui::Run run;
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        const quint32 chosen = 0x004080FF;
        run.platform.colorAnswer(chosen);
        options(w, [](Tfrm_param& d) {
            in<QLineEdit>(d, "Edit6")->setText(QStringLiteral("Mes courses"));
            in<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Placard"));
            in<QLineEdit>(d, "Edit2")->setText(QStringLiteral("À acheter"));
            in<QLineEdit>(d, "Edit3")->setText(QStringLiteral("Magasins"));
            in<QLineEdit>(d, "Edit4")->setText(QStringLiteral("Allée"));
            in<QLineEdit>(d, "Edit5")->setText(QStringLiteral("Article"));
            in<QLineEdit>(d, "edt_pnl1")->setText(QStringLiteral("Urgent"));
            in<QToolButton>(d, "spdbtn_color_titre1")->click();
            in<QSlider>(d, "TrackBar1")->setValue(0);
            in<QCheckBox>(d, "CheckBox2")->setChecked(false);
            in<QCheckBox>(d, "CheckBox4")->setChecked(false);
            in<QCheckBox>(d, "CheckBox3")->setChecked(false);
            in<QCheckBox>(d, "CheckBox6")->setChecked(true);
            in<QRadioButton>(d, "rdb_edit_htm")->setChecked(true);
            in<QRadioButton>(d, "RadioG_imprime_0")->setChecked(true);
            in<QDoubleSpinBox>(d, "valeuroEdit")->setValue(7.0);
            clickOk(d);
        });

        // The six current colours were offered to the chooser, title bars first.
        QCOMPARE(run.platform.colorCustoms.size(), 1);
        QCOMPARE(run.platform.colorCustoms[0],
                 (QList<quint32>{11589887, 11589887, 11589887, 16776960, 65535, 65280}));

        QCOMPARE(w.windowTitle(), QStringLiteral("Mes courses"));
        QCOMPARE(gui::part<QLabel>(w, "Panel12")->text(), QStringLiteral("Placard"));
        QCOMPARE(gui::part<QLabel>(w, "Panel6")->text(), QStringLiteral("À acheter"));
        QCOMPARE(gui::part<QLabel>(w, "Panel8")->text(), QStringLiteral("Magasins"));
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_rayon")->toolTip(),
                 QStringLiteral("Fenêtre Magasins"));
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_filtre")->toolTip(),
                 QStringLiteral("Filtre sur Magasins"));
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel12")), colorFromBgr(chosen));
        QCOMPARE(look::background(gui::part<QLineEdit>(w, "DBEdit1")), colorFromBgr(chosen));
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel6")), colorFromBgr(11589887));
        QCOMPARE(look::background(gui::part<QLabel>(w, "lbl_eliste")),
                 look::background(gui::part<QLabel>(w, "Panel8")));
        QCOMPARE(gui::part<QLabel>(w, "cpanel1")->text(), QStringLiteral("Urgent"));
        QVERIFY(gui::part<QLabel>(w, "cpanel3")->isHidden());
        QVERIFY(!gui::part<QLabel>(w, "cpanel2")->isHidden());
        for (RecordGridModel* grid : {gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel(),
                                      gui::part<RecordGrid>(w, "RxDBGrid2")->gridModel()}) {
            QCOMPARE(grid->columnTitle(1), QStringLiteral("Allée"));
            QCOMPARE(grid->columnTitle(2), QStringLiteral("Article"));
        }
        QVERIFY(gui::part<QFrame>(w, "Panel1")->isHidden());
        QVERIFY(!gui::part<QAction>(w, "smenu_barre_outils")->isChecked());
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isHidden());
        QVERIFY(!gui::part<QAction>(w, "smenu_fiche_produit")->isChecked());
        QVERIFY(gui::part<QAction>(w, "smn_par_htm")->isChecked());
        QVERIFY(!gui::part<QAction>(w, "smn_par_txt")->isChecked());
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_export")->toolTip(),
                 QStringLiteral("Exporter (HTML)"));
        QVERIFY(!w.productCommandsEnabled());
        for (QToolButton* b : {gui::part<QToolButton>(w, "spd_btn_editprod"),
                               gui::part<QToolButton>(w, "spd_btn_editprod2"),
                               gui::part<QToolButton>(w, "spd_btn_newprod"),
                               gui::part<QToolButton>(w, "spd_btn_supproduit")})
            QVERIFY(!b->isEnabled());
        QVERIFY(gui::part<QAction>(w, "smenu_req")->isEnabled());
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_convert")->toolTip(),
                 look::hintText(QStringLiteral("Convertisseur\r1 euro = 7,00000 ") +
                                run.platform.regionalSettings.currencySymbol()));
        QCOMPARE(w.settings().delayCoef, 0);
        QCOMPARE(w.settings().orientation, 0);
        QVERIFY(w.settings().html);
        QCOMPARE(w.settings().euroRate, 7.0);
        QVERIFY(run.platform.messages.isEmpty());

        // The next start reads back what the window now holds.
        QVERIFY(QFile::exists(run.iniPath()));
        const AppSettings applied = w.settings();
        run.window.reset();
        Tfrm_main& again = run.start({path});
        QCOMPARE(again.settings(), applied);
        QCOMPARE(gui::part<QLabel>(again, "Panel12")->text(), QStringLiteral("Placard"));
    }

    void optionsCanDisableTheProductCommandsOfAnEmptyCatalogue() {
        gui::Run run;
        Tfrm_main& w = run.start(); // no list file: an empty catalogue
        QCOMPARE(w.table1().recordCount(), 0);
        QVERIFY(w.productCommandsEnabled());
        options(w, [](Tfrm_param& d) {
            in<QCheckBox>(d, "CheckBox2")->setChecked(false);
            clickOk(d);
        });
        QVERIFY(!w.productCommandsEnabled());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_newprod")->isEnabled());
    }

    void optionsCancelChangesNothing() {
        gui::Run run;
        run.writeIni(QStringLiteral("[TITRE]\nAppli=Ma liste\n"));
        const QByteArray iniBefore = gui::readBytes(run.iniPath());
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        const AppSettings before = w.settings();
        const AppSettings shown = w.windowSettings();
        run.platform.colorAnswer(0x00123456);
        options(w, [](Tfrm_param& d) {
            in<QLineEdit>(d, "Edit6")->setText(QStringLiteral("Autre titre"));
            in<QLineEdit>(d, "Edit2")->setText(QStringLiteral("Autre liste"));
            in<QToolButton>(d, "spdbtn_color_prod1")->click();
            in<QSlider>(d, "TrackBar1")->setValue(0);
            in<QCheckBox>(d, "CheckBox4")->setChecked(false);
            in<QCheckBox>(d, "CheckBox2")->setChecked(false);
            in<QPushButton>(d, "BitBtn1")->click();
        });
        QCOMPARE(w.settings(), before);
        QCOMPARE(w.windowSettings(), shown);
        QCOMPARE(w.windowTitle(), QStringLiteral("Ma liste"));
        QVERIFY(!gui::part<QFrame>(w, "Panel1")->isHidden());
        QVERIFY(!gui::part<QLabel>(w, "cpanel3")->isHidden());
        QVERIFY(w.productCommandsEnabled());
        QCOMPARE(gui::readBytes(run.iniPath()), iniBefore);
    }

    void theColourChooserOffersTheSixColoursInItsLetteredSlots() {
        QtPlatform platform;
        // The chooser keeps its custom colours from one run to the next: start from a known set.
        const QColor untouched(1, 2, 3);
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, untouched);
        const QList<quint32> six{0x000000F1, 0x0000F200, 0x00F30000,
                                 0x00F4F4F4, 0x00050505, 0x00606060};
        QList<QColor> offered;
        QColor preset;
        gui::whenModal<QColorDialog>([&offered, &preset](QColorDialog& d) {
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                offered << QColorDialog::customColor(i);
            preset = d.currentColor();
            d.setCurrentColor(QColor(0x10, 0x20, 0x30));
            d.accept();
        });
        const std::optional<quint32> chosen = platform.chooseColor(0x00ABCDEF, six);
        QCOMPARE(chosen, std::optional<quint32>(0x00302010));
        QCOMPARE(preset, colorFromBgr(0x00ABCDEF));
        QCOMPARE(offered.size(), 16);
        const int lettered[] = {8, 9, 10, 12, 13, 14};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(offered[lettered[i]], colorFromBgr(six[i]));
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 11, 15})
            QCOMPARE(offered[i], untouched);
    }

    // ------------------------------------------------------------ global operations

    void globalOperationsCancelRestoresTheFileWithTheFilterOff() {
        gui::Run run;
        run.writeIni(QStringLiteral("[PRESENTATION]\nEuro=1\n"));
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        QVERIFY(gui::part<QAction>(w, "smenu_req")->isEnabled());
        // A change made before the dialog opens is saved by the opening and survives Cancel.
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Riz basmati 1 kg")));
        w.table1().edit();
        w.table1().setReal(Cat::Prix, 9.99);
        w.table1().post();
        w.data().setModified();
        filterOnFirstSector(w);
        QVERIFY(w.data().shopFilterOn());

        QStringList atOpening;
        gui::whenModal<Tfrm_requete>([&atOpening, &path](Tfrm_requete& d) {
            atOpening = marksIn(path);
            in<QToolButton>(d, "SpeedButton1")->click(); // every product shown planned
            in<QToolButton>(d, "SpeedButton7")->click(); // and its reminder on
            in<QPushButton>(d, "BitBtn2")->click();      // Cancel
        });
        gui::part<QAction>(w, "smenu_req")->trigger();

        QVERIFY(atOpening.join(u'\n').contains(QStringLiteral("Riz basmati 1 kg|N|N|9.99")));
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Warning);
        QCOMPARE(marks(w.table1()), atOpening);
        QCOMPARE(marksIn(path), atOpening);
        QVERIFY(!w.data().shopFilterOn());
        QVERIFY(!w.table1().filtered());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(!gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
        QVERIFY(!w.data().modified());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(), 4);
        QCOMPARE(w.data().total().units, 9); // the whole list again
        QCOMPARE(w.table1().currentPos(), 0);
    }

    void globalOperationsOkKeepsTheChanges() {
        gui::Run run;
        run.writeIni(QStringLiteral("[PRESENTATION]\nEuro=1\n"));
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        const QStringList onDisk = marksIn(path);
        gui::whenModal<Tfrm_requete>([](Tfrm_requete& d) {
            in<QToolButton>(d, "SpeedButton1")->click();
            in<QPushButton>(d, "BitBtn1")->click();
        });
        gui::part<QAction>(w, "smenu_req")->trigger();
        for (int pos = 0; pos < w.table1().recordCount(); ++pos)
            QCOMPARE(RecordTable::textOf(w.table1().recordAt(pos), Cat::prevu), Flag::Yes);
        QVERIFY(w.data().modified());
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QCOMPARE(marksIn(path), onDisk);
    }

    void globalOperationsNeedASavedList() {
        gui::Run run;
        run.writeIni(QStringLiteral("[PRESENTATION]\nEuro=1\n"));
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        QCOMPARE(w.listFileName(), Tfrm_main::newListName());
        bool opened = false;
        QPointer<QTimer> driver = gui::whenModal<Tfrm_requete>([&opened](Tfrm_requete& d) {
            opened = true;
            d.reject();
        });
        run.platform.saveAnswer(std::nullopt); // the file name is declined
        gui::part<QAction>(w, "smenu_req")->trigger();
        QCoreApplication::processEvents();
        delete driver.data();
        QVERIFY(!opened);
        QCOMPARE(run.platform.saveDialogs.size(), 1);
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Warning);
        QVERIFY(run.platform.lastMessage().text.contains(QStringLiteral("enregistrée")));
        QCOMPARE(w.listFileName(), Tfrm_main::newListName());
    }

    // ------------------------------------------------------------ converter

    void converterOpensAndClosesWithItsButton() {
        gui::Run run;
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        run.show();
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_convert")->isVisible());
        gui::part<QComboBox>(w, "cbb_rech")->setFocus();

        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_convert")->isChecked());
        QCOMPARE(w.focusWidget(), gui::part<RecordGrid>(w, "RxDBGrid1"));
        QPointer<Tfrm_convert> c = w.converterWindow();
        QVERIFY(c);
        QVERIFY(c->isVisible());
        QCOMPARE(c->pos(), converterStart(w));
        QCOMPARE(c->windowTitle(), QStringLiteral("Convertisseur Francs"));
        // The first product costs 3,45: 22,63 francs; it follows the catalogue's cursor.
        QVERIFY(converterLine(c, "Label1").endsWith(QStringLiteral(" = 22,63 francs")));
        QVERIFY(converterLine(c, "Label2").endsWith(QStringLiteral(" francs")));
        w.table1().setCurrentPos(1); // 2,39
        QVERIFY(converterLine(c, "Label1").endsWith(QStringLiteral(" = 15,68 francs")));

        // Pressed up: the window goes.
        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_convert")->isChecked());
        flushDeletes();
        QVERIFY(!c);
        QVERIFY(!w.converterWindow());

        // Its own close box releases the button; the next one opens at the start position.
        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        c = w.converterWindow();
        QVERIFY(c);
        c->move(c->pos() + QPoint(-200, 150));
        c->close();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_convert")->isChecked());
        flushDeletes();
        QVERIFY(!c);
        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        c = w.converterWindow();
        QVERIFY(c);
        QCOMPARE(c->pos(), converterStart(w));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_convert")->isChecked());
    }

    void converterFollowsTheEuroRateOfTheOptions() {
        gui::Run run;
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        run.show();
        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        QPointer<Tfrm_convert> c = w.converterWindow();
        QVERIFY(c);
        options(w, [](Tfrm_param& d) {
            in<QDoubleSpinBox>(d, "valeuroEdit")->setValue(10.0);
            clickOk(d);
        });
        QVERIFY(c);
        QVERIFY(converterLine(c, "Label1").endsWith(QStringLiteral(" = 34,50 francs")));
    }

    void converterInFrancModeConvertsToEuros() {
        gui::Run run;
        run.platform.regionalSettings =
            RegionalSettings(QLocale(QLocale::French), QStringLiteral("F"));
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        run.show();
        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        Tfrm_convert* c = w.converterWindow();
        QVERIFY(c);
        QCOMPARE(c->windowTitle(), QStringLiteral("Convertisseur EURO"));
        QVERIFY(converterLine(c, "Label1").endsWith(QStringLiteral(" = 0,53 euros")));
    }

    void converterHiddenWhenTurnedOff() {
        {
            gui::Run run;
            run.writeIni(QStringLiteral("[PRESENTATION]\nConvert=0\n"));
            Tfrm_main& w = run.start({copyExample(run)});
            run.show();
            QVERIFY(gui::part<QToolButton>(w, "spd_btn_convert")->isHidden());
        }
        // Turned off in the Options while open: the window closes with its button hidden.
        gui::Run run;
        Tfrm_main& w = run.start({copyExample(run)});
        run.show();
        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        QPointer<Tfrm_convert> c = w.converterWindow();
        QVERIFY(c);
        options(w, [](Tfrm_param& d) {
            in<QCheckBox>(d, "CheckBox7")->setChecked(false);
            clickOk(d);
        });
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_convert")->isHidden());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_convert")->isChecked());
        flushDeletes();
        QVERIFY(!c);
    }
};

KABIRO_TEST_MAIN(TestMainWindowTools)
#include "test_main_window_tools.moc"
