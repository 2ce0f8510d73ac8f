// The main window from the keyboard: each key runs its command (real key presses on the window),
// the keys are shown in the menus and tool tips, the menu bar is reached with Alt and F10, the
// grids show where the focus is, Tab follows the window from left to right, and every control
// of the window and of the dialogs has a name for screen readers.

#include "example_window.h"
#include "modal_driver.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/shopping_keys.h"
#include "dialogs/newliste.h"
#include "dialogs/paracha.h"
#include "dialogs/req_glob.h"
#include "dialogs/saiprod.h"
#include "dialogs/splash.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>

using Key = ShoppingKey;

namespace {

QKeySequence keyOf(Key which) {
    return shoppingKeys(which).constFirst();
}

// Presses a key combination where the focus is, as the keyboard would.
void press(QWidget* window, const QKeySequence& key) {
    const QKeyCombination k = key[0];
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, k.key(), k.keyboardModifiers());
}

QString shown(const QKeySequence& key) {
    return key.toString(QKeySequence::NativeText);
}

// The name a screen reader gives a control.
QString accessibleName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

// Controls a user can act on, or that tell something by a picture or a colour alone: those
// need a name. Parts that Qt builds inside its own controls are named by them.
bool needsName(QWidget* w) {
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
            qobject_cast<QAbstractItemView*>(p))
            return false;
    if (qobject_cast<QScrollBar*>(w) || w->objectName().startsWith(QLatin1String("qt_")))
        return false;
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
        qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
        qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSlider*>(w))
        return true;
    if (auto* l = qobject_cast<QLabel*>(w))
        return !l->pixmap().isNull() || (l->autoFillBackground() && !l->toolTip().isEmpty());
    return false;
}

QStringList unnamed(QWidget* top) {
    QStringList out;
    for (QWidget* w : top->findChildren<QWidget*>())
        if (needsName(w) && accessibleName(w).isEmpty())
            out << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                              : w->objectName());
    return out;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    // The example on screen with the catalogue grid holding the focus.
    Tfrm_main& start(gui::ExampleRun& run, const QString& ini = QString()) {
        Tfrm_main& w = run.startExample(ini);
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        return w;
    }

private slots:
    void fileKeysRunTheirCommands() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        // Save writes the list even when nothing changed.
        QFile::remove(run.path(QStringLiteral("kabiro.pnv")));
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+S")));
        QVERIFY(QFile::exists(run.path(QStringLiteral("kabiro.pnv"))));
        // Save as and open ask for a name.
        run.platform.saveAnswer(std::nullopt);
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+Shift+S")));
        QCOMPARE(run.platform.saveDialogs.size(), 1);
        run.platform.openAnswer(std::nullopt);
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+O")));
        QCOMPARE(run.platform.openDialogs.size(), 1);
        // Print preview.
        int previews = 0;
        run.hooks.previewLauncher = [&previews](QPrinter&, const std::function<void(QPrinter*)>&) {
            ++previews;
        };
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+P")));
        QCOMPARE(previews, 1);
        // Edit product.
        int dialogs = 0;
        run.hooks.productDialogExec = [&dialogs](Tfrm_saiprod&) {
            ++dialogs;
            return int(QDialog::Rejected);
        };
        press(&w, QKeySequence(Qt::Key_F2));
        QCOMPARE(dialogs, 1);
        // New list, then quit.
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+N")));
        QCOMPARE(w.listFileName(), Tfrm_main::newListName());
        QCOMPARE(w.table1().recordCount(), 0);
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+Q")));
        QVERIFY(!w.isVisible());
    }

    void keysAreShownInMenusAndToolTips() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        const struct {
            QAction* item;
            const char* key;
            QToolButton* button;
        } standard[] = {{gui::part<QAction>(w, "smenu_nouveau"), "Ctrl+N",
                         gui::part<QToolButton>(w, "spd_btn_new")},
                        {gui::part<QAction>(w, "smenu_ouvrir"), "Ctrl+O",
                         gui::part<QToolButton>(w, "spd_btn_ouvre")},
                        {gui::part<QAction>(w, "smenu_enregistrer"), "Ctrl+S",
                         gui::part<QToolButton>(w, "spd_btn_sauve")},
                        {gui::part<QAction>(w, "smenu_enregistrer_sous"), "Ctrl+Shift+S", nullptr},
                        {gui::part<QAction>(w, "smenu_print"), "Ctrl+P",
                         gui::part<QToolButton>(w, "spd_btn_print")},
                        {gui::part<QAction>(w, "smenu_quitter"), "Ctrl+Q",
                         gui::part<QToolButton>(w, "spd_btn_quitte")}};
        for (const auto& s : standard) {
            const QKeySequence key = QKeySequence::fromString(QString::fromLatin1(s.key));
            QCOMPARE(s.item->shortcut(), key);
            if (s.button)
                QVERIFY2(s.button->toolTip().endsWith(QStringLiteral(" (%1)").arg(shown(key))),
                         qPrintable(s.button->toolTip()));
        }
        // The specified ones stay, and the captions of the menus are unchanged.
        QCOMPARE(gui::part<QAction>(w, "smenu_rest_dispo")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_A));
        QCOMPARE(gui::part<QAction>(w, "smenu_aide")->shortcut(), QKeySequence(Qt::Key_F1));
        QStringList titles;
        for (QAction* a : w.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles.mid(0, 1), QStringList{QStringLiteral("Fichier")});
        QVERIFY(titles.contains(QStringLiteral("Paramétrage")));
        // Every key of the window is bound once only (an ambiguous key would do nothing).
        QList<QKeySequence> all;
        for (QAction* a : w.findChildren<QAction*>())
            all << a->shortcuts();
        for (const QKeySequence& k : all)
            QVERIFY2(all.count(k) == 1, qPrintable(k.toString()));
        // The cart buttons and the colour panels tell their keys.
        QVERIFY(gui::part<QPushButton>(w, "SpeedButton2")
                    ->toolTip()
                    .contains(shown(keyOf(Key::AddOne))));
        QVERIFY(gui::part<QPushButton>(w, "spd_btn_retire")
                    ->toolTip()
                    .contains(shown(keyOf(Key::RemoveOne))));
        QVERIFY(gui::part<QPushButton>(w, "SpeedButton3")
                    ->toolTip()
                    .contains(shown(keyOf(Key::EmptyList))));
        QVERIFY(gui::part<QPushButton>(w, "spd_btn_valide")
                    ->toolTip()
                    .contains(shown(keyOf(Key::Validate))));
        QVERIFY(gui::colourPanels(w)[1]->toolTip().startsWith(
            QStringLiteral("Cette case contient  tous\n")));
        QVERIFY(gui::colourPanels(w)[1]->toolTip().contains(shown(keyOf(Key::ReminderBlock))));
    }

    void shoppingKeysRunTheirCommands() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        // "+" and Insert add a unit of the current product, "-" takes one off the current row.
        run.choose(QStringLiteral("Lait demi-écrémé 1 L"));
        const int milk = run.quantity(QStringLiteral("Lait demi-écrémé 1 L"));
        press(&w, keyOf(Key::AddOne));
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Insert);
        QCOMPARE(run.quantity(QStringLiteral("Lait demi-écrémé 1 L")), milk + 2);
        run.chooseRow(QStringLiteral("Lait demi-écrémé 1 L"));
        press(&w, keyOf(Key::RemoveOne));
        QCOMPARE(run.quantity(QStringLiteral("Lait demi-écrémé 1 L")), milk + 1);

        // The planned and reminder boxes of the current product.
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        const QString planned = run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::prevu);
        press(&w, keyOf(Key::Planned));
        QVERIFY(run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::prevu) != planned);
        const QString reminder = run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::Rappel);
        press(&w, keyOf(Key::Reminder));
        QVERIFY(run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::Rappel) != reminder);
        QCOMPARE(w.focusWidget(), gui::part<RecordGrid>(w, "RxDBGrid1"));

        // Block adds: every planned, due and in-window product goes on the list.
        press(&w, keyOf(Key::PlannedBlock));
        QCOMPARE(run.quantity(QStringLiteral("Champagne brut")), 1);
        press(&w, keyOf(Key::ReminderBlock));
        QVERIFY(run.listRow(QStringLiteral("Papier toilette x12")));
        QVERIFY(!run.listRow(QStringLiteral("Lessive liquide 2 L")));
        press(&w, keyOf(Key::WindowBlock));
        QVERIFY(run.listRow(QStringLiteral("Lessive liquide 2 L")));

        // Total recomputes what the boxes show.
        gui::part<QLineEdit>(w, "edt_total")->clear();
        press(&w, keyOf(Key::Total));
        QVERIFY(!gui::part<QLineEdit>(w, "edt_total")->text().isEmpty());

        // Validation asks first; "Annule" empties the list.
        run.platform.answer(Platform::Button::No);
        const int asked = int(run.platform.messages.size());
        press(&w, keyOf(Key::Validate));
        QCOMPARE(int(run.platform.messages.size()), asked + 1);
        press(&w, keyOf(Key::EmptyList));
        QCOMPARE(w.table2().recordCount(), 0);
    }

    void keysThatTypeStayInTextFields() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        const int rice = run.quantity(QStringLiteral("Riz basmati 1 kg"));
        gui::part<QLineEdit>(w, "DBEdit2")->setFocus();
        gui::part<QLineEdit>(w, "DBEdit2")->end(false);
        QTest::keyClick(gui::part<QLineEdit>(w, "DBEdit2"), Qt::Key_Plus);
        QTest::keyClick(gui::part<QLineEdit>(w, "DBEdit2"), Qt::Key_Minus);
        QVERIFY(gui::part<QLineEdit>(w, "DBEdit2")->text().endsWith(QStringLiteral("+-")));
        QCOMPARE(run.quantity(QStringLiteral("Riz basmati 1 kg")), rice);
    }

    void focusKeysMoveBetweenRegions() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        press(&w, keyOf(Key::SwitchGrid));
        QCOMPARE(QApplication::focusWidget(), gui::part<RecordGrid>(w, "RxDBGrid2"));
        press(&w, keyOf(Key::SwitchGrid));
        QCOMPARE(QApplication::focusWidget(), gui::part<RecordGrid>(w, "RxDBGrid1"));
        press(&w, keyOf(Key::Search));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(gui::part<QComboBox>(w, "cbb_rech")));
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->lineEdit()->selectedText(),
                 gui::part<QComboBox>(w, "cbb_rech")->currentText());
    }

    void menuBarIsReachedWithAltAndF10() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        QMenuBar* bar = w.menuBar();
        // Alt alone: the first title is highlighted, no menu opens; the arrows move along.
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Alt);
        QCOMPARE(bar->activeAction(), gui::part<QMenu>(w, "smenu_fichier")->menuAction());
        QVERIFY(!QApplication::activePopupWidget());
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), gui::part<QMenu>(w, "smenu_edition")->menuAction());
        QTest::keyClick(bar, Qt::Key_Escape);
        // F10 opens the first menu.
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        press(&w, keyOf(Key::Menu));
        QTRY_COMPARE(QApplication::activePopupWidget(),
                     static_cast<QWidget*>(gui::part<QMenu>(w, "smenu_fichier")));
        gui::part<QMenu>(w, "smenu_fichier")->close();
    }

    void gridsShowWhereTheFocusIs() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        QTRY_VERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->hasFocus());
        const QRect frame = gui::part<RecordGrid>(w, "RxDBGrid1")->focusFrame();
        QVERIFY(!frame.isEmpty());
        const QImage shot = gui::part<RecordGrid>(w, "RxDBGrid1")->viewport()->grab().toImage();
        const QColor ring =
            gui::part<RecordGrid>(w, "RxDBGrid1")->palette().color(QPalette::HighlightedText);
        const QPoint edge(frame.center().x(), frame.top() + 1);
        QCOMPARE(shot.pixelColor(edge * shot.devicePixelRatio()), ring);
        QVERIFY(gui::part<RecordGrid>(w, "RxDBGrid2")->focusFrame().isEmpty());
        gui::part<RecordGrid>(w, "RxDBGrid2")->setFocus();
        QTRY_VERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->focusFrame().isEmpty());
        QVERIFY(!gui::part<RecordGrid>(w, "RxDBGrid2")->focusFrame().isEmpty());
    }

    void tabFollowsTheWindowFromLeftToRight() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run, QStringLiteral("[ECRAN]\nvoir_secteur=1\n"));
        gui::part<QTreeWidget>(w, "TreeView1")->setFocus();
        QTRY_VERIFY(gui::part<QTreeWidget>(w, "TreeView1")->hasFocus());
        const QList<QWidget*> expected = {gui::part<RecordGrid>(w, "RxDBGrid1"),
                                          gui::part<QToolButton>(w, "spd_btn_editprod2"),
                                          gui::part<QLineEdit>(w, "RxDBCalcEdit1"),
                                          gui::part<QDateEdit>(w, "DateTimePicker1"),
                                          gui::part<QLineEdit>(w, "DBEdit3"),
                                          gui::part<QLineEdit>(w, "DBEdit2"),
                                          gui::part<QPushButton>(w, "spd_btn_retire"),
                                          gui::part<QPushButton>(w, "SpeedButton2"),
                                          gui::part<QPushButton>(w, "SpeedButton3"),
                                          gui::part<QPushButton>(w, "spd_btn_valide"),
                                          gui::part<QPushButton>(w, "SpeedButton4"),
                                          gui::part<RecordGrid>(w, "RxDBGrid2"),
                                          gui::part<QComboBox>(w, "cbb_rech"),
                                          gui::part<QPushButton>(w, "btn_total")};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            // The date picker's Tab goes through its day, month and year first.
            for (int section = 0;
                 section < 2 &&
                 QApplication::focusWidget() == gui::part<QDateEdit>(w, "DateTimePicker1") &&
                 next != gui::part<QDateEdit>(w, "DateTimePicker1");
                 ++section)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            // A combo box and a date picker take the focus in their own text field.
            if (now && now->parentWidget() == next)
                now = next;
            QVERIFY2(now == next,
                     qPrintable(QStringLiteral("%1 au lieu de %2")
                                    .arg(now ? now->objectName() : QString(), next->objectName())));
        }
        // The cart buttons take the focus from Tab, and Space presses them.
        const int before = w.table2().recordCount();
        gui::part<QPushButton>(w, "SpeedButton3")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(gui::part<QPushButton>(w, "SpeedButton3"), Qt::Key_Space);
        QVERIFY(w.table2().recordCount() < before);
        // A click leaves the focus where it was.
        gui::part<RecordGrid>(w, "RxDBGrid2")->setFocus();
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton);
        QVERIFY(!gui::part<QPushButton>(w, "SpeedButton2")->hasFocus());
    }

    void everyControlHasAName() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run, QStringLiteral("[PRESENTATION]\nEuro=1\n"));
        QStringList missing = unnamed(&w);
        // Names that carry information: pictures and colours are named by what they stand for.
        QCOMPARE(accessibleName(gui::part<QLabel>(w, "image_chariot")), QStringLiteral("Chariot"));
        QCOMPARE(accessibleName(gui::part<QToolButton>(w, "spd_btn_new")),
                 QStringLiteral("Nouveau"));
        QCOMPARE(accessibleName(gui::part<QLineEdit>(w, "RxDBCalcEdit1")), QStringLiteral("Prix"));
        QCOMPARE(accessibleName(gui::part<QLineEdit>(w, "DBEdit2")), QStringLiteral("Note"));
        QCOMPARE(accessibleName(gui::colourPanels(w)[0]), QStringLiteral("Prévu"));
        QVERIFY(!QAccessible::queryAccessibleInterface(gui::colourPanels(w)[0])
                     ->text(QAccessible::Description)
                     .isEmpty());

        run.hooks.productDialogExec = [&missing](Tfrm_saiprod& d) {
            missing << unnamed(&d);
            return int(QDialog::Rejected);
        };
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_editprod"), Qt::LeftButton);
        gui::whenModal<Tfrm_param>([&missing](Tfrm_param& d) {
            missing << unnamed(&d);
            d.reject();
        });
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_param"), Qt::LeftButton);
        gui::whenModal<Tfrm_requete>([&missing](Tfrm_requete& d) {
            missing << unnamed(&d);
            d.reject();
        });
        w.smenu_reqClick();
        gui::whenModal<Tfrm_nliste>([&missing](Tfrm_nliste& d) {
            missing << unnamed(&d);
            d.reject();
        });
        gui::part<QAction>(w, "Nouvellelistetype1")->trigger();
        gui::whenModal<Tfrm_spash>([&missing](Tfrm_spash& d) {
            missing << unnamed(&d);
            d.reject();
        });
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_email"), Qt::LeftButton);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    }

    void helpListsEveryKey() {
        // The help names the keys as the menus and tool tips show them, in French.
        appsetup::installFrenchTranslations(*qApp);
        QFile f(QStringLiteral(":/help/aide.html"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(f.readAll());
        QStringList missing;
        for (int k = 0; k <= int(Key::Menu); ++k) {
            const QString text = shown(keyOf(Key(k))).toHtmlEscaped();
            if (!help.contains(QStringLiteral("<td>") + text))
                missing << text;
        }
        for (const char* k : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+P", "Ctrl+Q",
                              "F2", "Ctrl+A", "F1"}) {
            const QString text = shown(QKeySequence::fromString(QString::fromLatin1(k)));
            if (!help.contains(QStringLiteral("<td>") + text))
                missing << text;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    }

    void gridCellsNameTheirState() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        const int row = gui::ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"),
                                               QStringLiteral("Champagne brut"));
        QVERIFY(row >= 0);
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")
                     ->model()
                     ->index(row, 0)
                     .data(Qt::ToolTipRole)
                     .toString(),
                 gui::colourPanels(w)[0]->text());
        const int listed = gui::ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"),
                                                  QStringLiteral("Doliprane 1000 mg"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")
                     ->model()
                     ->index(listed, 0)
                     .data(Qt::ToolTipRole)
                     .toString(),
                 gui::colourPanels(w)[1]->text() + QStringLiteral(", sur la liste"));
        // The sheet's colour strip names the current product's state.
        run.choose(QStringLiteral("Champagne brut"));
        QCOMPARE(gui::part<QLabel>(w, "Panel5")->toolTip(), gui::colourPanels(w)[0]->text());
    }
};

KABIRO_TEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
