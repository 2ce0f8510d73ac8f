// Start-up of the main window: list file chosen, loaded or not, settings applied, the shortest
// start duration, and the menu and toolbar as designed.

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/window_look.h"
#include "dialogs/bgr_color.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using gui::child;

class TestMainWindowStart : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appsetup::installFontSubstitutes(); }

    void withoutArgumentOpensKabiroPnv() {
        gui::Run run;
        run.writeList();
        Tfrm_main& w = run.start();
        QCOMPARE(w.listFileName(), QStringLiteral("kabiro.pnv"));
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("kabiro.pnv"));
        QVERIFY(run.platform.messages.isEmpty());
        QCOMPARE(run.catalogueRows(), 3);
        QCOMPARE(run.listRows(), 1);
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(), 2);
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(1)->childCount(), 2);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral(" lundi 7 décembre 2026"));
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
        // The total of the loaded list: 2 x 0,99.
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   2"));
        QVERIFY(gui::part<QLineEdit>(w, "edt_total")->text().contains(QStringLiteral("1,98")));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isEnabled());
        // The sheet shows the first product.
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit1")->text(), QStringLiteral("Lait"));
        QCOMPARE(gui::part<QLabel>(w, "DBText1")->text(), QStringLiteral("Supermarché"));
        QCOMPARE(gui::part<QLineEdit>(w, "RxDBCalcEdit1")->text(), QStringLiteral("0,99"));
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit3")->text(), QStringLiteral("7"));
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2026, 12, 12));
        // Designed state: no sector view, aisle column shown, no filter.
        QVERIFY(!w.sectorViewShown());
        QVERIFY(!gui::part<RecordGrid>(w, "RxDBGrid1")->isColumnHidden(1));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_rayon")->isChecked());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(!w.data().shopFilterOn());
    }

    void argumentNamesTheListFile() {
        gui::Run run;
        const QString path = run.writeList(QStringLiteral("courses.pnv"));
        Tfrm_main& w = run.start({path});
        QCOMPARE(w.listFileName(), path);
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("courses.pnv"));
        QCOMPARE(run.catalogueRows(), 3);
    }

    void missingFileOpensEmptyUnderItsName() {
        gui::Run run;
        const QString path = run.path(QStringLiteral("absent.pnv"));
        Tfrm_main& w = run.start({path});
        QVERIFY(run.platform.messages.isEmpty());
        QCOMPARE(w.listFileName(), path);
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("absent.pnv"));
        QCOMPARE(run.catalogueRows(), 0);
        QCOMPARE(run.listRows(), 0);
        QVERIFY(!gui::part<QFrame>(w, "Panel7")->isEnabled());
        QVERIFY(w.productCommandsEnabled());
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), QStringLiteral("0"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral("dernières courses"));
    }

    void unreadableFileIsReportedAndNotKeptAsName() {
        gui::Run run;
        const QString path = run.writeList(QStringLiteral("abime.pnv"),
                                           QStringLiteral("[RAYON]\nA\n\t\tTrop profond\n[LISTE]\n"
                                                          "[PRODUIT]\n[SAISIE]\nDATE=\n"));
        Tfrm_main& w = run.start({path});
        QCOMPARE(run.platform.messages.size(), 1);
        QVERIFY(run.platform.lastMessage().text.startsWith(
            QStringLiteral("Niveau incorrect (2) pour l'élément")));
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        // The window opens empty; saving it must not overwrite the unreadable file unasked.
        QCOMPARE(w.listFileName(), QStringLiteral("nouveau.pnv"));
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("nouveau.pnv"));
        QCOMPARE(run.catalogueRows(), 0);
    }

    void sectorViewFromSettingsStartsFiltered() {
        gui::Run run;
        run.writeList();
        run.writeIni(QStringLiteral("[ECRAN]\nvoir_secteur=1\n"));
        Tfrm_main& w = run.start();
        QVERIFY(w.sectorViewShown());
        QVERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->isColumnHidden(1));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_rayon")->isChecked());
        QVERIFY(gui::part<QAction>(w, "smenu_fen_mag")->isChecked());
        // The filter is on, on the first sector of the tree.
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
        QVERIFY(w.data().shopFilterOn());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Boulangerie"));
        QCOMPARE(run.catalogueRows(), 1);
        QCOMPARE(run.catalogueCell(0, 2), QStringLiteral("Baguette"));
        QCOMPARE(run.listRows(), 0);
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->currentItem()->text(0),
                 QStringLiteral("Boulangerie"));
    }

    void designedLookWithoutSettings() {
        gui::Run run;
        Tfrm_main& w = run.start();
        QCOMPARE(w.windowTitle(), QStringLiteral("Paniva"));
        QCOMPARE(w.minimumSize(), QSize(410, 330));
        QCOMPARE(w.size(), QSize(559, 345));
        QCOMPARE(w.font().family(), QStringLiteral("Arial"));
        QCOMPARE(w.font().pixelSize(), 12);
        const QColor title(255, 216, 176); // 11589887 in the settings' red-lowest order
        QCOMPARE(colorFromBgr(11589887), title);
        for (QLabel* bar : {gui::part<QLabel>(w, "Panel12"), gui::part<QLabel>(w, "Panel6"),
                            gui::part<QLabel>(w, "Panel8")}) {
            QCOMPARE(look::background(bar), title);
            QCOMPARE(bar->height() == 17 || bar->maximumHeight() == 17, true);
            QVERIFY(bar->font().bold());
        }
        QCOMPARE(gui::part<QLabel>(w, "Panel12")->text(), QStringLiteral("Liste des produits "));
        QCOMPARE(gui::part<QLabel>(w, "Panel6")->text(),
                 QStringLiteral("Liste des courses à faire"));
        QCOMPARE(gui::part<QLabel>(w, "Panel8")->text(), QStringLiteral("Secteur"));
        QCOMPARE(look::background(gui::part<QLineEdit>(w, "DBEdit1")), title);
        QCOMPARE(look::background(gui::part<QLabel>(w, "lbl_eliste")), title);
        QCOMPARE(gui::part<QLabel>(w, "cpanel1")->text(), QStringLiteral("Prévu"));
        QCOMPARE(look::background(gui::part<QLabel>(w, "cpanel1")), QColor(0, 255, 255));
        QCOMPARE(look::background(gui::part<QLabel>(w, "cpanel2")), QColor(255, 255, 0));
        QCOMPARE(look::background(gui::part<QLabel>(w, "cpanel3")), QColor(0, 255, 0));
        QVERIFY(!gui::part<QLabel>(w, "cpanel3")->isHidden());
        QCOMPARE(w.settings().delayCoef, 3);
        QCOMPARE(w.settings().renewDays, 12);
        QVERIFY(!gui::part<QAction>(w, "smenu_req")->isEnabled());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_convert")->isHidden());
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_convert")->toolTip(),
                 QStringLiteral("Convertisseur\n1 euro = 6,55957 €"));
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_export")->toolTip(),
                 QStringLiteral("Exporter (ASCII)"));
        QVERIFY(gui::part<QAction>(w, "smn_par_txt")->isChecked());
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_rayon")->toolTip(),
                 QStringLiteral("Fenêtre Secteur"));
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_filtre")->toolTip(),
                 QStringLiteral("Filtre sur Secteur"));
        // The designed hint, then a line that tells the key of the block add.
        QVERIFY(gui::part<QLabel>(w, "cpanel1")
                    ->toolTip()
                    .startsWith(QStringLiteral("Cette case contient  tous\nles produits de "
                                               "cette couleur\nDéplacez les en bloc\n")));
        QAbstractItemModel* cat = gui::part<RecordGrid>(w, "RxDBGrid1")->model();
        QCOMPARE(cat->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Rayon"));
        QCOMPARE(cat->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHCenter,
                 Qt::AlignHCenter);
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->columnWidth(1), 58);
        QAbstractItemModel* list = gui::part<RecordGrid>(w, "RxDBGrid2")->model();
        QCOMPARE(list->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Qté"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")->columnWidth(0), 4);
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")->columnWidth(3), 26);
    }

    void settingsRenameRecolourAndHide() {
        gui::Run run;
        run.writeIni(
            QStringLiteral("[SAISIE]\nCoef_delai=0\nNv_produit=0\n"
                           "[PRESENTATION]\nOutils=0\nProduit=0\nEuro=1\nConvert=0\n"
                           "[EDITION]\nHTML=2\n"
                           "[TITRE]\nAppli=Mes courses\nColonne1=Allée\nColonne2=Article\n"
                           "Titre1=Catalogue\nTitre2=À acheter\nTitre3=Magasins\n"
                           "prod-prevu=Prévus\n"
                           "[COULEUR]\nTitre1=255\nTitre3=0xFF0000\nprod-renov=16711680\n"));
        Tfrm_main& w = run.start();
        QCOMPARE(w.windowTitle(), QStringLiteral("Mes courses"));
        QVERIFY(gui::part<QFrame>(w, "Panel1")->isHidden());
        QVERIFY(!gui::part<QAction>(w, "smenu_barre_outils")->isChecked());
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isHidden());
        QVERIFY(!gui::part<QAction>(w, "smenu_fiche_produit")->isChecked());
        QVERIFY(gui::part<QLabel>(w, "cpanel3")->isHidden());
        QVERIFY(gui::part<QAction>(w, "smenu_req")->isEnabled());
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_convert")->isHidden());
        QVERIFY(gui::part<QAction>(w, "smn_par_htm")->isChecked());
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_export")->toolTip(),
                 QStringLiteral("Exporter (HTML)"));
        for (QAbstractItemModel* m : {gui::part<RecordGrid>(w, "RxDBGrid1")->model(),
                                      gui::part<RecordGrid>(w, "RxDBGrid2")->model()}) {
            QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Allée"));
            QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Article"));
        }
        QCOMPARE(gui::part<QLabel>(w, "Panel12")->text(), QStringLiteral("Catalogue"));
        QCOMPARE(gui::part<QLabel>(w, "Panel6")->text(), QStringLiteral("À acheter"));
        QCOMPARE(gui::part<QLabel>(w, "Panel8")->text(), QStringLiteral("Magasins"));
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_rayon")->toolTip(),
                 QStringLiteral("Fenêtre Magasins"));
        QCOMPARE(gui::part<QToolButton>(w, "spd_btn_filtre")->toolTip(),
                 QStringLiteral("Filtre sur Magasins"));
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel12")), QColor(255, 0, 0));
        QCOMPARE(look::background(gui::part<QLineEdit>(w, "DBEdit1")), QColor(255, 0, 0));
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel6")),
                 QColor(255, 216, 176)); // not in the file
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel8")), QColor(0, 0, 255));
        QCOMPARE(look::background(gui::part<QLabel>(w, "lbl_eliste")), QColor(0, 0, 255));
        QCOMPARE(gui::part<QLabel>(w, "cpanel1")->text(), QStringLiteral("Prévus"));
        QCOMPARE(gui::part<QLabel>(w, "cpanel2")->text(), QStringLiteral("Rappel"));
        QCOMPARE(look::background(gui::part<QLabel>(w, "cpanel2")), QColor(0, 0, 255));
        QCOMPARE(w.settings().delayCoef, 0);
        QVERIFY(!w.settings().productCommands);
    }

    void toolbarAndSheetTogglesLastForTheRunOnly() {
        gui::Run run;
        Tfrm_main& w = run.start();
        gui::part<QAction>(w, "smenu_barre_outils")->trigger();
        QVERIFY(gui::part<QFrame>(w, "Panel1")->isHidden());
        QVERIFY(!gui::part<QAction>(w, "smenu_barre_outils")->isChecked());
        gui::part<QAction>(w, "smenu_fiche_produit")->trigger();
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isHidden());
        gui::part<QAction>(w, "smenu_barre_outils")->trigger();
        QVERIFY(!gui::part<QFrame>(w, "Panel1")->isHidden());
        QVERIFY(!QFile::exists(run.iniPath()));
    }

    void startLastsTheMinimumAndHandlesEvents() {
        gui::Run run;
        QDir::setCurrent(run.dir.path());
        bool handled = false;
        QTimer::singleShot(0, [&handled] { handled = true; });
        StartOptions options;
        options.startDirectory = run.dir.path();
        options.minimumStartMs = 1000;
        QElapsedTimer clock;
        clock.start();
        Tfrm_main w(run.platform, options);
        QVERIFY(clock.elapsed() >= 1000);
        QVERIFY(handled);
    }

    void menusAsDesigned() {
        gui::Run run;
        Tfrm_main& w = run.start();
        auto texts = [](QMenu* m) {
            QStringList out;
            for (QAction* a : m->actions())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QStringList titles;
        for (QAction* a : w.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"Fichier", "Edition", "Produit", "Liste-type", "Paramétrage",
                                      "Fenêtre", "Aide"}));
        QCOMPARE(
            texts(gui::part<QMenu>(w, "smenu_fichier")),
            (QStringList{"&Nouveau", "&Ouvrir...", "-", "&Enregistrer", "En&registrer sous...", "-",
                         "E&xporter la liste", "Exporter l'organisation", "En&voyer au téléphone",
                         "Re&lever le téléphone", "-", "&Imprimer", "-", "&Quitter"}));
        QCOMPARE(texts(gui::part<QMenu>(w, "smenu_exporter")), (QStringList{"Texte ", "HTML"}));
        QCOMPARE(texts(gui::part<QMenu>(w, "Menu_produit")),
                 (QStringList{"Edite", "-", "Nouveau", "Suppression"}));
        QCOMPARE(texts(gui::part<QMenu>(w, "Listetype1")),
                 (QStringList{"Nouvelle liste type", "-"}));
        QCOMPARE(texts(gui::part<QMenu>(w, "smenu_parametrage")),
                 (QStringList{"Fenêtre magasins", "Filtre sur magasins", "-", "Barre d'outils",
                              "Fiche Produit", "-", "Export ASCII", "Export HTML", "-",
                              "Requêtes globales", "-", "Options", "-", "Téléphone (CalDAV)..."}));
        QCOMPARE(texts(gui::part<QMenu>(w, "smenu_fenetre")),
                 (QStringList{"Sauvegarder la disposition", "Restaurer la disposition"}));
        QCOMPARE(texts(gui::part<QMenu>(w, "smenu_menu_aide")),
                 (QStringList{"A propos", "-", "Aide"}));
        QCOMPARE(gui::part<QAction>(w, "smenu_rest_dispo")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+A")));
        QCOMPARE(gui::part<QAction>(w, "smenu_aide")->shortcut(), QKeySequence(Qt::Key_F1));
        for (QAction* a :
             {gui::part<QAction>(w, "smenu_fen_mag"), gui::part<QAction>(w, "smenu_filtre_mag"),
              gui::part<QAction>(w, "smenu_barre_outils"),
              gui::part<QAction>(w, "smenu_fiche_produit"), gui::part<QAction>(w, "smn_par_txt"),
              gui::part<QAction>(w, "smn_par_htm")})
            QVERIFY(a->isCheckable());
        // The named items the other commands are found by.
        for (const char* name :
             {"smenu_filtre_mag", "smenu_fen_mag", "smn_par_txt", "smn_par_htm", "smenu_req",
              "smenu_prodnew", "smenu_prodedit", "smenu_prodsup", "smenu_print", "Texte1", "HTML1",
              "Exporterlorganisation1", "Nouvellelistetype1", "smenu_Apropos", "smenu_aide"})
            QVERIFY2(child<QAction>(&w, name), name);
        QVERIFY(child<QMenu>(&w, "Menu_produit"));
        QVERIFY(child<QMenu>(&w, "Listetype1"));
    }

    void toolbarAsDesigned() {
        gui::Run run;
        Tfrm_main& w = run.start();
        const QList<QPair<const char*, QString>> buttons = {
            {"spd_btn_new", "Nouveau"},
            {"spd_btn_ouvre", "Ouvrir un fichier"},
            {"spd_btn_sauve", "Enregistrer"},
            {"spd_btn_print", "Aperçu avant impression"},
            {"spd_btn_export", "Exporter (ASCII)"},
            {"spd_btn_rayon", "Fenêtre Secteur"},
            {"spd_btn_filtre", "Filtre sur Secteur"},
            {"spd_btn_editprod", "Editer/modifier un produit"},
            {"spd_btn_newprod", "Ajouter un produit"},
            {"spd_btn_supproduit", "Supprimer un produit"},
            {"spd_btn_param", "Options"},
            {"spd_btn_aide", "Aide"},
            {"spd_btn_email", "paniva@example.org"},
            {"spd_btn_quitte", "Quitter"}};
        int lastX = -1;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const auto& [name, hint] : buttons) {
            auto* b = child<QToolButton>(gui::part<QFrame>(w, "Panel1"), name);
            QVERIFY2(b, name);
            // The designed hint, followed by the command's key when it has one.
            QVERIFY2(b->toolTip() == hint || b->toolTip().startsWith(hint + QStringLiteral(" (")),
                     qPrintable(b->toolTip()));
            QCOMPARE(b->size(), QSize(20, 20));
            QVERIFY(b->autoRaise());
            QVERIFY2(b->x() > lastX, name);
            lastX = b->x();
        }
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_rayon")->isCheckable() &&
                gui::part<QToolButton>(w, "spd_btn_filtre")->isCheckable() &&
                gui::part<QToolButton>(w, "spd_btn_convert")->isCheckable());
        QCOMPARE(gui::part<QFrame>(w, "Panel1")->height(), 24);
        QVERIFY(gui::part<QLabel>(w, "lbl_fichier")->font().bold());
        QVERIFY(gui::part<QLabel>(w, "lbl_fichier")->alignment() & Qt::AlignRight);
        QCOMPARE(gui::part<QFrame>(w, "Panel9")->width(), 71);
        QCOMPARE(gui::part<QFrame>(w, "Panel7")->height(), 96);
        QCOMPARE(gui::part<QFrame>(w, "Panel2")->height(), 96);
        for (QLabel* c : gui::colourPanels(w))
            QCOMPARE(c->size(), QSize(60, 19));
    }
};

KABIRO_TEST_MAIN(TestMainWindowStart)
#include "test_main_window_start.moc"
