// The main window from the keyboard: each key runs its command (real key presses on the window),
// the keys are shown in the menus and tool tips, the menu bar is reached with Alt and F10, the
// grids show where the focus is, Tab follows the window from left to right, and every control
// of the window and of the dialogs has a name for screen readers.

#include "example_window.h"
#include "modal_driver.h"

#include "app/application_setup.h"
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

using Key = Tfrm_main::ShoppingKey;

namespace {

QKeySequence keyOf(Key which) {
    return Tfrm_main::shoppingKeys(which).constFirst();
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
        w.RxDBGrid1->setFocus();
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
        w.previewLauncher = [&previews](QPrinter&, const std::function<void(QPrinter*)>&) {
            ++previews;
        };
        press(&w, QKeySequence::fromString(QStringLiteral("Ctrl+P")));
        QCOMPARE(previews, 1);
        // Edit product.
        int dialogs = 0;
        w.productDialogExec = [&dialogs](Tfrm_saiprod&) {
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
        } standard[] = {{w.smenu_nouveau, "Ctrl+N", w.spd_btn_new},
                        {w.smenu_ouvrir, "Ctrl+O", w.spd_btn_ouvre},
                        {w.smenu_enregistrer, "Ctrl+S", w.spd_btn_sauve},
                        {w.smenu_enregistrer_sous, "Ctrl+Shift+S", nullptr},
                        {w.smenu_print, "Ctrl+P", w.spd_btn_print},
                        {w.smenu_quitter, "Ctrl+Q", w.spd_btn_quitte}};
        for (const auto& s : standard) {
            const QKeySequence key = QKeySequence::fromString(QString::fromLatin1(s.key));
            QCOMPARE(s.item->shortcut(), key);
            if (s.button)
                QVERIFY2(s.button->toolTip().endsWith(QStringLiteral(" (%1)").arg(shown(key))),
                         qPrintable(s.button->toolTip()));
        }
        // The specified ones stay, and the captions of the menus are unchanged.
        QCOMPARE(w.smenu_rest_dispo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
        QCOMPARE(w.smenu_aide->shortcut(), QKeySequence(Qt::Key_F1));
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
        QVERIFY(w.SpeedButton2->toolTip().contains(shown(keyOf(Key::AddOne))));
        QVERIFY(w.spd_btn_retire->toolTip().contains(shown(keyOf(Key::RemoveOne))));
        QVERIFY(w.SpeedButton3->toolTip().contains(shown(keyOf(Key::EmptyList))));
        QVERIFY(w.spd_btn_valide->toolTip().contains(shown(keyOf(Key::Validate))));
        QVERIFY(w.cpanels[1]->toolTip().startsWith(QStringLiteral("Cette case contient  tous\n")));
        QVERIFY(w.cpanels[1]->toolTip().contains(shown(keyOf(Key::ReminderBlock))));
    }

    void shoppingKeysRunTheirCommands() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        // "+" and Insert add a unit of the current product, "-" takes one off the current row.
        run.choose(QStringLiteral("Lait demi-écrémé 1 L"));
        const int milk = run.quantity(QStringLiteral("Lait demi-écrémé 1 L"));
        press(&w, keyOf(Key::AddOne));
        QTest::keyClick(w.RxDBGrid1, Qt::Key_Insert);
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
        QCOMPARE(w.focusWidget(), w.RxDBGrid1);

        // Block adds: every planned, due and in-window product goes on the list.
        press(&w, keyOf(Key::PlannedBlock));
        QCOMPARE(run.quantity(QStringLiteral("Champagne brut")), 1);
        press(&w, keyOf(Key::ReminderBlock));
        QVERIFY(run.listRow(QStringLiteral("Papier toilette x12")));
        QVERIFY(!run.listRow(QStringLiteral("Lessive liquide 2 L")));
        press(&w, keyOf(Key::WindowBlock));
        QVERIFY(run.listRow(QStringLiteral("Lessive liquide 2 L")));

        // Total recomputes what the boxes show.
        w.edt_total->clear();
        press(&w, keyOf(Key::Total));
        QVERIFY(!w.edt_total->text().isEmpty());

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
        w.DBEdit2->setFocus();
        w.DBEdit2->end(false);
        QTest::keyClick(w.DBEdit2, Qt::Key_Plus);
        QTest::keyClick(w.DBEdit2, Qt::Key_Minus);
        QVERIFY(w.DBEdit2->text().endsWith(QStringLiteral("+-")));
        QCOMPARE(run.quantity(QStringLiteral("Riz basmati 1 kg")), rice);
    }

    void focusKeysMoveBetweenRegions() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        press(&w, keyOf(Key::SwitchGrid));
        QCOMPARE(QApplication::focusWidget(), w.RxDBGrid2);
        press(&w, keyOf(Key::SwitchGrid));
        QCOMPARE(QApplication::focusWidget(), w.RxDBGrid1);
        press(&w, keyOf(Key::Search));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.cbb_rech));
        QCOMPARE(w.cbb_rech->lineEdit()->selectedText(), w.cbb_rech->currentText());
    }

    void menuBarIsReachedWithAltAndF10() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        QMenuBar* bar = w.menuBar();
        // Alt alone: the first title is highlighted, no menu opens; the arrows move along.
        QTest::keyClick(w.RxDBGrid1, Qt::Key_Alt);
        QCOMPARE(bar->activeAction(), w.smenu_fichier->menuAction());
        QVERIFY(!QApplication::activePopupWidget());
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), w.Menu_produit->menuAction());
        QTest::keyClick(bar, Qt::Key_Escape);
        // F10 opens the first menu.
        w.RxDBGrid1->setFocus();
        press(&w, keyOf(Key::Menu));
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(w.smenu_fichier));
        w.smenu_fichier->close();
    }

    void gridsShowWhereTheFocusIs() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run);
        QTRY_VERIFY(w.RxDBGrid1->hasFocus());
        const QRect frame = w.RxDBGrid1->focusFrame();
        QVERIFY(!frame.isEmpty());
        const QImage shot = w.RxDBGrid1->viewport()->grab().toImage();
        const QColor ring = w.RxDBGrid1->palette().color(QPalette::HighlightedText);
        const QPoint edge(frame.center().x(), frame.top() + 1);
        QCOMPARE(shot.pixelColor(edge * shot.devicePixelRatio()), ring);
        QVERIFY(w.RxDBGrid2->focusFrame().isEmpty());
        w.RxDBGrid2->setFocus();
        QTRY_VERIFY(w.RxDBGrid1->focusFrame().isEmpty());
        QVERIFY(!w.RxDBGrid2->focusFrame().isEmpty());
    }

    void tabFollowsTheWindowFromLeftToRight() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run, QStringLiteral("[ECRAN]\nvoir_secteur=1\n"));
        w.TreeView1->setFocus();
        QTRY_VERIFY(w.TreeView1->hasFocus());
        const QList<QWidget*> expected = {w.RxDBGrid1,       w.spd_btn_editprod2, w.RxDBCalcEdit1,
                                          w.DateTimePicker1, w.DBEdit3,           w.DBEdit2,
                                          w.spd_btn_retire,  w.SpeedButton2,      w.SpeedButton3,
                                          w.spd_btn_valide,  w.SpeedButton4,      w.RxDBGrid2,
                                          w.cbb_rech,        w.btn_total};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            // The date picker's Tab goes through its day, month and year first.
            for (int section = 0; section < 2 && QApplication::focusWidget() == w.DateTimePicker1 &&
                                  next != w.DateTimePicker1;
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
        w.SpeedButton3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w.SpeedButton3, Qt::Key_Space);
        QVERIFY(w.table2().recordCount() < before);
        // A click leaves the focus where it was.
        w.RxDBGrid2->setFocus();
        QTest::mouseClick(w.SpeedButton2, Qt::LeftButton);
        QVERIFY(!w.SpeedButton2->hasFocus());
    }

    void everyControlHasAName() {
        gui::ExampleRun run;
        Tfrm_main& w = start(run, QStringLiteral("[PRESENTATION]\nEuro=1\n"));
        QStringList missing = unnamed(&w);
        // Names that carry information: pictures and colours are named by what they stand for.
        QCOMPARE(accessibleName(w.image_chariot), QStringLiteral("Chariot"));
        QCOMPARE(accessibleName(w.spd_btn_new), QStringLiteral("Nouveau"));
        QCOMPARE(accessibleName(w.RxDBCalcEdit1), QStringLiteral("Prix"));
        QCOMPARE(accessibleName(w.DBEdit2), QStringLiteral("Note"));
        QCOMPARE(accessibleName(w.cpanels[0]), QStringLiteral("Prévu"));
        QVERIFY(!QAccessible::queryAccessibleInterface(w.cpanels[0])
                     ->text(QAccessible::Description)
                     .isEmpty());

        w.productDialogExec = [&missing](Tfrm_saiprod& d) {
            missing << unnamed(&d);
            return int(QDialog::Rejected);
        };
        w.spd_btn_editprodClick();
        gui::whenModal<Tfrm_param>([&missing](Tfrm_param& d) {
            missing << unnamed(&d);
            d.reject();
        });
        w.spd_btn_paramClick();
        gui::whenModal<Tfrm_requete>([&missing](Tfrm_requete& d) {
            missing << unnamed(&d);
            d.reject();
        });
        w.smenu_reqClick();
        gui::whenModal<Tfrm_nliste>([&missing](Tfrm_nliste& d) {
            missing << unnamed(&d);
            d.reject();
        });
        w.Nouvellelistetype1Click();
        gui::whenModal<Tfrm_spash>([&missing](Tfrm_spash& d) {
            missing << unnamed(&d);
            d.reject();
        });
        w.spd_btn_emailClick();
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
        const int row = gui::ExampleRun::rowOf(w.RxDBGrid1, QStringLiteral("Champagne brut"));
        QVERIFY(row >= 0);
        QCOMPARE(w.RxDBGrid1->model()->index(row, 0).data(Qt::ToolTipRole).toString(),
                 w.cpanels[0]->text());
        const int listed = gui::ExampleRun::rowOf(w.RxDBGrid1, QStringLiteral("Doliprane 1000 mg"));
        QCOMPARE(w.RxDBGrid1->model()->index(listed, 0).data(Qt::ToolTipRole).toString(),
                 w.cpanels[1]->text() + QStringLiteral(", sur la liste"));
        // The sheet's colour strip names the current product's state.
        run.choose(QStringLiteral("Champagne brut"));
        QCOMPARE(w.Panel5->toolTip(), w.cpanels[0]->text());
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
