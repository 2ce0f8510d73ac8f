// The "Edition" menu of the main window: its place, its items' texts and enabled states, the
// keys, and the save button following the history.

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

QAction* undoItem(Tfrm_main& w) {
    return gui::part<QAction>(w, "smenu_annuler");
}
QAction* redoItem(Tfrm_main& w) {
    return gui::part<QAction>(w, "smenu_retablir");
}
bool saveEnabled(Tfrm_main& w) {
    return gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled();
}
// The menu bar's titles, in order.
QStringList menuTitles(Tfrm_main& w) {
    QStringList titles;
    for (QAction* a : w.menuBar()->actions())
        titles << a->text();
    return titles;
}
void key(Tfrm_main& w, Qt::Key k, Qt::KeyboardModifiers m) {
    QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), k, m);
}

} // namespace

class TestMainWindowUndo : public QObject {
    Q_OBJECT

private slots:
    void menuAfterFichierWithItsTexts() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        const QStringList titles = menuTitles(w);
        QCOMPARE(titles.mid(0, 3),
                 (QStringList{QStringLiteral("Fichier"), QStringLiteral("Edition"),
                              QStringLiteral("Produit")}));
        QCOMPARE(undoItem(w)->text(), QStringLiteral("Annuler"));
        QCOMPARE(redoItem(w)->text(), QString::fromUtf8("Rétablir"));
        QVERIFY(!undoItem(w)->isEnabled());
        QVERIFY(!redoItem(w)->isEnabled());
        QCOMPARE(undoItem(w)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(redoItem(w)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));

        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton3"), Qt::LeftButton); // Annule
        QCOMPARE(run.listRows(), 0);
        QCOMPARE(undoItem(w)->text(), QStringLiteral("Annuler Annule"));
        QVERIFY(undoItem(w)->isEnabled());
        QVERIFY(!redoItem(w)->isEnabled());
        undoItem(w)->trigger();
        QCOMPARE(run.listRows(), 1);
        QCOMPARE(redoItem(w)->text(), QString::fromUtf8("Rétablir Annule"));
        QVERIFY(redoItem(w)->isEnabled());
        QVERIFY(!undoItem(w)->isEnabled());
        redoItem(w)->trigger();
        QCOMPARE(run.listRows(), 0);
    }

    void keysUndoAndRedo() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        run.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton3"), Qt::LeftButton);
        QVERIFY(saveEnabled(w));
        key(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(run.listRows(), 1);
        QVERIFY(!saveEnabled(w)); // back to the state read from the file
        key(w, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(run.listRows(), 0);
        QVERIFY(saveEnabled(w));
        key(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(run.listRows(), 1);
        key(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(run.listRows(), 0);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   0"));

        // In a sheet field the keys take back what is typed there; the history stays.
        key(w, Qt::Key_Z, Qt::ControlModifier);
        QLineEdit* note = gui::part<QLineEdit>(w, "DBEdit2");
        QTest::mouseClick(note, Qt::LeftButton);
        QVERIFY(note->hasFocus());
        const QString before = note->text();
        QTest::keyClicks(note, QStringLiteral("abc"));
        QTest::keyClick(note, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(note->text(), before);
        QCOMPARE(run.listRows(), 1);
        QVERIFY(redoItem(w)->isEnabled());
    }

    void saveButtonFollowsTheSavedState() {
        gui::Run run;
        const QString path = run.writeList();
        Tfrm_main& w = run.start({path});
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton); // >
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton);
        QVERIFY(saveEnabled(w));
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_sauve"), Qt::LeftButton);
        QVERIFY(!saveEnabled(w));
        const QByteArray saved = gui::readBytes(path);
        undoItem(w)->trigger();
        QVERIFY(saveEnabled(w));
        QCOMPARE(undoItem(w)->text(), QStringLiteral("Annuler Ajout"));
        redoItem(w)->trigger();
        QVERIFY(!saveEnabled(w));
        // The data back are written byte for byte as before.
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_sauve"), Qt::LeftButton);
        QCOMPARE(gui::readBytes(path), saved);
        // A new list starts a history of its own.
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_new"), Qt::LeftButton);
        QVERIFY(!undoItem(w)->isEnabled());
        QVERIFY(!redoItem(w)->isEnabled());
    }
};

KABIRO_TEST_MAIN(TestMainWindowUndo)
#include "test_main_window_undo.moc"
