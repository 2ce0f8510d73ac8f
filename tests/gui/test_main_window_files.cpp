// File commands of the main window and the question whether to save: every answer, the save
// and open dialogs, failures, and the product commands' enabling rule.

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "model/list_file.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using Button = Platform::Button;

namespace {

// Marks the data changed, as any edit of the user does.
void touch(Tfrm_main& w) {
    w.data().setModified(true);
}

bool askedToSave(const ScriptedPlatform& p) {
    for (const Platform::Message& m : p.messages)
        if (m.title == QStringLiteral("Confirmation") &&
            m.text.startsWith(QStringLiteral("Le fichier ")))
            return true;
    return false;
}

int catalogueRecordsIn(const QString& path) {
    ShoppingData d;
    QString error;
    return listfile::load(path, d, &error) ? d.catalogue.recordCount() : -1;
}

} // namespace

class TestMainWindowFiles : public QObject {
    Q_OBJECT

private slots:
    void questionTextTitleAndButtons() {
        gui::Run run;
        const QString path = run.writeList();
        Tfrm_main& w = run.start({path});
        touch(w);
        run.platform.answer(Button::Cancel);
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        const Platform::Message m = run.platform.lastMessage();
        QCOMPARE(m.title, QStringLiteral("Confirmation"));
        QCOMPARE(m.text, QStringLiteral("Le fichier ") + path +
                             QStringLiteral(" est modifié\r\rVoulez-vous le sauvegarder"));
        QCOMPARE(m.icon, Platform::Icon::Question);
        QCOMPARE(m.buttons, (QList<Button>{Button::Yes, Button::No, Button::Cancel}));
        QCOMPARE(m.escapeButton, Button::Cancel);
    }

    void newListAnswers() {
        // Cancel: nothing changes.
        {
            gui::Run run;
            const QString path = run.writeList();
            Tfrm_main& w = run.start({path});
            touch(w);
            run.platform.answer(Button::Cancel);
            gui::part<QAction>(w, "smenu_nouveau")->trigger();
            QCOMPARE(w.listFileName(), path);
            QCOMPARE(run.catalogueRows(), 3);
            QVERIFY(w.data().modified());
        }
        // No: a new list, the file untouched.
        {
            gui::Run run;
            const QString path = run.writeList();
            const QByteArray before = gui::readBytes(path);
            Tfrm_main& w = run.start({path});
            touch(w);
            run.platform.answer(Button::No);
            gui::part<QAction>(w, "smenu_nouveau")->trigger();
            QCOMPARE(w.listFileName(), QStringLiteral("nouveau.pnv"));
            QCOMPARE(gui::readBytes(path), before);
        }
        // Yes: the file is written, then the new list starts.
        {
            gui::Run run;
            const QString path = run.writeList();
            Tfrm_main& w = run.start({path});
            w.table1().first();
            w.table1().setText(Cat::memo, QStringLiteral("Entier"));
            w.table1().post();
            touch(w);
            run.platform.answer(Button::Yes);
            gui::part<QAction>(w, "smenu_nouveau")->trigger();
            QVERIFY(gui::readBytes(path).contains("Entier"));
            QCOMPARE(w.listFileName(), QStringLiteral("nouveau.pnv"));
        }
    }

    void newListState() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        run.platform.openAnswer(run.writeList(QStringLiteral("autre.pnv")));
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QVERIFY(gui::part<QMenu>(w, "Listetype1")->isEnabled());
        const int sectors = gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount();
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        QVERIFY(run.platform.messages.isEmpty()); // nothing to save, nothing asked
        QCOMPARE(w.listFileName(), QStringLiteral("nouveau.pnv"));
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("nouveau.pnv"));
        QVERIFY(!gui::part<QMenu>(w, "Listetype1")->isEnabled());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
        QCOMPARE(run.catalogueRows(), 0);
        QCOMPARE(run.listRows(), 0);
        QVERIFY(!gui::part<QFrame>(w, "Panel7")->isEnabled());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QVERIFY(w.productCommandsEnabled());
        QVERIFY(gui::part<QLineEdit>(w, "edt_total")->text().isEmpty());
        QVERIFY(gui::part<QLineEdit>(w, "edt_tot_nbre")->text().isEmpty());
        // The tree and the validation text stay.
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(), sectors);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral(" lundi 7 décembre 2026"));
    }

    void yesOnNewListThenCancelledDialogStopsTheCommand() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        w.table1().append();
        w.table1().setText(Cat::Produit, QStringLiteral("Pain"));
        w.table1().post();
        touch(w);
        // Open: Yes, then the save dialog is cancelled: nothing is written and nothing dropped.
        run.platform.answer(Button::Yes);
        run.platform.saveAnswer(std::nullopt);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QCOMPARE(run.platform.saveDialogs.size(), 1);
        QVERIFY(run.platform.openDialogs.isEmpty());
        QCOMPARE(run.catalogueRows(), 1);
        QVERIFY(w.data().modified());
        QCOMPARE(w.listFileName(), QStringLiteral("nouveau.pnv"));
        // Closing: the same answers keep the window open.
        w.show();
        run.platform.answer(Button::Yes);
        run.platform.saveAnswer(std::nullopt);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
    }

    void failedSaveIsReportedAndStopsTheCommand() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        w.table1().append();
        w.table1().setText(Cat::Produit, QStringLiteral("Pain"));
        w.table1().post();
        touch(w);
        const QString nowhere = run.path(QStringLiteral("absent/liste.pnv"));
        run.platform.answer(Button::Yes);
        run.platform.saveAnswer(nowhere);
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        QCOMPARE(run.platform.messages.size(), 2);
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        QVERIFY(!run.platform.lastMessage().text.isEmpty());
        QCOMPARE(run.catalogueRows(), 1);
        QVERIFY(w.data().modified());
        // The list keeps its name: the next save asks for one again.
        QCOMPARE(w.listFileName(), QStringLiteral("nouveau.pnv"));
        QVERIFY(!QFile::exists(nowhere));
    }

    void saveAsksForANameForANewList() {
        gui::Run run;
        Tfrm_main& w = run.start();
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        w.table1().append();
        w.table1().setText(Cat::Produit, QStringLiteral("Pain"));
        w.table1().post();
        touch(w);
        run.platform.saveAnswer(std::nullopt);
        gui::part<QAction>(w, "smenu_enregistrer")->trigger();
        QCOMPARE(run.platform.saveDialogs.size(), 1);
        const Platform::FileDialog d = run.platform.saveDialogs.first();
        QCOMPARE(d.title, QStringLiteral("Enregistrer ma Paniva sous"));
        QCOMPARE(d.fileName, QStringLiteral("*.pnv"));
        QCOMPARE(d.directory, run.dir.path());
        QCOMPARE(d.filter, QStringLiteral("fichier Paniva|*.pnv|Tous fichiers|*.*"));
        QCOMPARE(d.defaultSuffix, QStringLiteral(".pnv"));
        QVERIFY(d.confirmOverwrite);
        QVERIFY(w.data().modified());
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());

        const QString path = run.path(QStringLiteral("neuve.pnv"));
        run.platform.saveAnswer(path);
        gui::part<QAction>(w, "smenu_enregistrer")->trigger();
        QCOMPARE(w.listFileName(), path);
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("neuve.pnv"));
        QCOMPARE(catalogueRecordsIn(path), 1);
        QVERIFY(!w.data().modified());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        // A named list is saved without a dialog, even unchanged.
        QFile::remove(path);
        gui::part<QAction>(w, "smenu_enregistrer")->trigger();
        QCOMPARE(run.platform.saveDialogs.size(), 2);
        QVERIFY(QFile::exists(path));
    }

    void saveWithTheFilterOnWritesEverythingAndKeepsTheFilter() {
        gui::Run run;
        run.writeIni(QStringLiteral("[ECRAN]\nvoir_secteur=1\n"));
        Tfrm_main& w = run.start({run.writeList()});
        QVERIFY(w.data().shopFilterOn());
        QCOMPARE(run.catalogueRows(), 1);
        const RecordTable::Bookmark at = w.table1().bookmark();
        gui::part<QAction>(w, "smenu_enregistrer")->trigger();
        QCOMPARE(catalogueRecordsIn(w.listFileName()), 3);
        QVERIFY(w.data().shopFilterOn());
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QCOMPARE(run.catalogueRows(), 1);
        QCOMPARE(w.table1().bookmark(), at);
    }

    void saveAs() {
        gui::Run run;
        const QString path = run.writeList();
        Tfrm_main& w = run.start({path});
        run.platform.saveAnswer(std::nullopt);
        gui::part<QAction>(w, "smenu_enregistrer_sous")->trigger();
        QCOMPARE(run.platform.saveDialogs.last().fileName, path);
        QCOMPARE(w.listFileName(), path);
        const QString other = run.path(QStringLiteral("copie.pnv"));
        run.platform.saveAnswer(other);
        gui::part<QAction>(w, "smenu_enregistrer_sous")->trigger();
        QCOMPARE(w.listFileName(), other);
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("copie.pnv"));
        QCOMPARE(catalogueRecordsIn(other), 3);
        // A failed save as keeps the former name.
        run.platform.saveAnswer(run.path(QStringLiteral("absent/x.pnv")));
        gui::part<QAction>(w, "smenu_enregistrer_sous")->trigger();
        QCOMPARE(w.listFileName(), other);
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
    }

    void openCommand() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        // The list-type entries of the former list go.
        QAction* entry = gui::part<QMenu>(w, "Listetype1")->addAction(QStringLiteral("Semaine"));
        w.setListTypeMenuStale(false);

        run.platform.openAnswer(std::nullopt);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        const Platform::FileDialog d = run.platform.openDialogs.first();
        QCOMPARE(d.fileName, QStringLiteral("*.pnv"));
        QCOMPARE(d.filter, QStringLiteral("fichier Paniva|*.pnv"));
        QCOMPARE(d.defaultSuffix, QStringLiteral("pnv"));
        QVERIFY(gui::part<QMenu>(w, "Listetype1")->actions().contains(entry));

        const QString other = run.writeList(
            QStringLiteral("autre.pnv"),
            QStringLiteral(
                "[RAYON]\nA\n\tB\n[LISTE]\n[PRODUIT]\nA;B;Sel; ;1;1;N;N;;;;\n[SAISIE]\nDATE=x\n"));
        run.platform.openAnswer(other);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QCOMPARE(w.listFileName(), other);
        QCOMPARE(gui::part<QLabel>(w, "lbl_fichier")->text(), QStringLiteral("autre.pnv"));
        QCOMPARE(run.catalogueRows(), 1);
        QCOMPARE(run.listRows(), 0);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(), QStringLiteral("x"));
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isEnabled());
        QVERIFY(gui::part<QMenu>(w, "Listetype1")->isEnabled());
        QVERIFY(w.listTypeMenuStale());
        QCOMPARE(gui::part<QMenu>(w, "Listetype1")->actions().size(),
                 2); // "Nouvelle liste type" and its separator

        // A name for a file that does not exist keeps the data under that name.
        const QString absent = run.path(QStringLiteral("vide.pnv"));
        run.platform.openAnswer(absent);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QCOMPARE(w.listFileName(), absent);
        QCOMPARE(run.catalogueRows(), 1);

        // A file that cannot be read: reported, data and name as they were.
        const QString broken = run.writeList(QStringLiteral("abime.pnv"),
                                             QStringLiteral("[RAYON]\nA\n\t\tX\n[LISTE]\n"));
        run.platform.openAnswer(broken);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        QCOMPARE(w.listFileName(), absent);
        QCOMPARE(run.catalogueRows(), 1);
    }

    void openWhenModifiedAsksFirst() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        touch(w);
        run.platform.answer(Button::Cancel);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QVERIFY(run.platform.openDialogs.isEmpty());
        run.platform.answer(Button::No);
        run.platform.openAnswer(std::nullopt);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QCOMPARE(run.platform.openDialogs.size(), 1);
        QVERIFY(w.data().modified()); // cancelled open: the changes are still unsaved
    }

    void quitAndCloseRequest() {
        {
            gui::Run run;
            Tfrm_main& w = run.start({run.writeList()});
            w.show();
            gui::part<QAction>(w, "smenu_quitter")->trigger();
            QVERIFY(!w.isVisible());
            QVERIFY(!askedToSave(run.platform));
        }
        {
            gui::Run run;
            Tfrm_main& w = run.start({run.writeList()});
            w.show();
            touch(w);
            run.platform.answer(Button::Cancel);
            gui::part<QAction>(w, "smenu_quitter")->trigger();
            QVERIFY(w.isVisible());
            run.platform.answer(Button::No);
            gui::part<QAction>(w, "smenu_quitter")->trigger();
            QVERIFY(!w.isVisible());
        }
        {
            gui::Run run;
            const QString path = run.writeList();
            Tfrm_main& w = run.start({path});
            w.show();
            w.table1().first();
            w.table1().setText(Cat::memo, QStringLiteral("Fin"));
            w.table1().post();
            touch(w);
            run.platform.answer(Button::Yes);
            QVERIFY(w.close());
            QVERIFY(gui::readBytes(path).contains("Fin"));
        }
    }

    void productCommandsFollowTheSettingAndTheCatalogue() {
        gui::Run run;
        run.writeIni(QStringLiteral("[SAISIE]\nNv_produit=0\n"));
        Tfrm_main& w = run.start({run.writeList()});
        const QList<QWidget*> commands = {gui::part<QToolButton>(w, "spd_btn_editprod"),
                                          gui::part<QToolButton>(w, "spd_btn_editprod2"),
                                          gui::part<QToolButton>(w, "spd_btn_supproduit"),
                                          gui::part<QToolButton>(w, "spd_btn_newprod")};
        // (the sheet's edit button is also disabled with its sheet: its own state is checked)
        auto enabled = [](QWidget* c) { return c->isEnabledTo(c->parentWidget()); };
        for (QWidget* c : commands)
            QVERIFY(!enabled(c));
        QVERIFY(!gui::part<QMenu>(w, "Menu_produit")->menuAction()->isEnabled());

        // A list whose catalogue is empty: a first product must be creatable.
        run.platform.openAnswer(
            run.writeList(QStringLiteral("vide.pnv"),
                          QStringLiteral("[RAYON]\n[LISTE]\n[PRODUIT]\n[SAISIE]\nDATE=\n")));
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        for (QWidget* c : commands)
            QVERIFY(enabled(c));
        QVERIFY(gui::part<QMenu>(w, "Menu_produit")->menuAction()->isEnabled());
        QVERIFY(!gui::part<QFrame>(w, "Panel7")->isEnabled());

        run.platform.openAnswer(run.path(QStringLiteral("kabiro.pnv")));
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_newprod")->isEnabled());
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        for (QWidget* c : commands)
            QVERIFY(enabled(c));
    }

    void ctrlDelOnTheList() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        gui::part<RecordGrid>(w, "RxDBGrid2")->setFocus();
        run.platform.answer(Button::Cancel);
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid2"), Qt::Key_Delete, Qt::ControlModifier);
        const Platform::Message m = run.platform.lastMessage();
        QCOMPARE(m.text, QStringLiteral("Supprimer l'enregistrement ?"));
        QCOMPARE(m.buttons, (QList<Button>{Button::Ok, Button::Cancel}));
        QCOMPARE(run.listRows(), 1);

        run.platform.answer(Button::Ok);
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid2"), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(run.listRows(), 0);
        // As a removal: the product loses its mark, the total follows, the list is modified.
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Lait")));
        QCOMPARE(w.table1().text(Cat::color), QStringLiteral(" "));
        QCOMPARE(w.data().total().units, 0);
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
    }

    void ctrlDelOnTheCatalogue() {
        gui::Run run;
        run.writeIni(QStringLiteral("[SAISIE]\nNv_produit=0\n"));
        Tfrm_main& w = run.start({run.writeList()});
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(run.platform.messages.size(), 1);
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        QCOMPARE(run.catalogueRows(), 3);

        w.settings().productCommands = true;
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        run.platform.openAnswer(run.path(QStringLiteral("kabiro.pnv")));
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QVERIFY(w.productCommandsEnabled());
        w.table1().first();
        run.platform.answer(Button::Ok);
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(run.catalogueRows(), 2);
        QVERIFY(w.data().modified());
        // The list row of the deleted product stays.
        QCOMPARE(run.listRows(), 1);
    }
};

KABIRO_TEST_MAIN(TestMainWindowFiles)
#include "test_main_window_files.moc"
