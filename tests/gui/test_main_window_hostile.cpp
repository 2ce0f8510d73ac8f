// What careless hands and hostile files do to the window: a settings file that is a pipe, a
// layout larger than any screen, a refused note character, periods beyond the dialog's range,
// the wheel over the date picker, an empty catalogue, the smallest window, long names.

#include "example_window.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/search_box.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>
#include <sys/stat.h>

using gui::ExampleRun;
using gui::part;

namespace {

// A list of two products in sectors of very different name lengths; the first has a period
// beyond the product dialog's range.
QString twoProducts(const QString& period) {
    return QStringLiteral("[RAYON]\nA\n\tB\nSupermarché des grandes surfaces\n\tÉpicerie fine\n"
                          "[LISTE]\n[PRODUIT]\n"
                          "A;B;Sel; ;1;1;N;O;%1;01/12/2026;;\n"
                          "Supermarché des grandes surfaces;Épicerie fine;Riz; ;2;2,5;N;N;7;;;\n"
                          "[SAISIE]\nDATE= lundi\n")
        .arg(period);
}

} // namespace

class TestMainWindowHostile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appsetup::installFontSubstitutes(); }

    void settingsPipeIsToldOnceAndDefaultsApply() {
        gui::Run run;
        QCOMPARE(::mkfifo(QFile::encodeName(run.iniPath()).constData(), 0600), 0);
        Tfrm_main& w = run.start();
        QCOMPARE(run.platform.messages.size(), 1);
        QVERIFY(run.platform.lastMessage().text.contains(QStringLiteral("n'a pas été lu")));
        QVERIFY(run.platform.lastMessage().text.contains(run.iniPath()));
        QCOMPARE(w.windowTitle(), QStringLiteral("Paniva"));
        // Restoring the layout later says nothing more and changes nothing.
        part<QAction>(w, "smenu_rest_dispo")->trigger();
        QCOMPARE(run.platform.messages.size(), 1);
    }

    void hugeLayoutOpensWithinTheScreen() {
        gui::Run run;
        run.writeIni(QStringLiteral("[ECRAN]\nEtat=0\nTop=-90000\nLeft=70000\n"
                                    "Height=2147483647\nWidth=2147483647\n"
                                    "spliter1=2147483647\nspliter2=2147483647\n"
                                    "voir_secteur=1\n"));
        Tfrm_main& w = run.start();
        run.show();
        const QRect screen = w.screen()->availableGeometry();
        // No larger than the screen, and its title bar's corner on it (the frame's borders are
        // only guessed before the window is first shown).
        QVERIFY2(w.width() <= screen.width() && w.height() <= screen.height() &&
                     screen.contains(w.frameGeometry().topLeft()),
                 qPrintable(QStringLiteral("screen %1x%2, window %3x%4")
                                .arg(screen.width())
                                .arg(screen.height())
                                .arg(w.width())
                                .arg(w.height())));
        // The splitters leave the list and the catalogue on screen.
        QVERIFY(part<QWidget>(w, "Panel4")->width() < w.width());
        QVERIFY(part<QWidget>(w, "Panel3")->isVisible());
        QVERIFY(part<QWidget>(w, "Panel3")->width() > 0);
    }

    void refusedNoteCharacterLeavesTheNoteAsTyped() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        auto* note = part<QLineEdit>(w, "DBEdit2");
        note->setFocus();
        note->selectAll();
        QString typedInBox;
        run.platform.whileMessage = [&](const Platform::Message&) {
            // A real box takes the focus and the keys typed meanwhile.
            QDialog box(&w);
            auto* field = new QLineEdit(&box);
            box.show();
            box.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&box));
            field->setFocus();
            QTest::keyClicks(field, QStringLiteral("cd"));
            typedInBox = field->text();
            box.hide();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
        };
        QTest::keyClicks(note, QStringLiteral("ab["));
        QTRY_COMPARE(run.platform.messages.size(), 1);
        QVERIFY(run.platform.lastMessage().text.startsWith(QStringLiteral("ERREUR : ")));
        QCOMPARE(typedInBox, QStringLiteral("cd"));
        QCOMPARE(QApplication::focusWidget(), note);
        QCOMPARE(note->text(), QStringLiteral("ab"));
        QCOMPARE(note->cursorPosition(), 2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ef"));
        QCOMPARE(note->text(), QStringLiteral("abef"));
        // Leaving posts the whole note.
        part<QWidget>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(note->text(), QStringLiteral("abef"));
        QVERIFY(part<QWidget>(w, "spd_btn_sauve")->isEnabled());
    }

    void periodsBeyondTheDialogsRangeShowWhole() {
        gui::Run run;
        run.writeList(QStringLiteral("kabiro.pnv"), twoProducts(QStringLiteral("32767")));
        Tfrm_main& w = run.start();
        run.show();
        auto* period = part<QLineEdit>(w, "DBEdit3");
        QCOMPARE(period->text(), QStringLiteral("32767"));
        // Typed over with the same value, it stays; a new value beyond 9999 is refused.
        period->setFocus();
        period->selectAll();
        QTest::keyClicks(period, QStringLiteral("32767"));
        part<QWidget>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(period->text(), QStringLiteral("32767"));
        QVERIFY(run.platform.messages.isEmpty());
        period->setFocus();
        period->selectAll();
        QTest::keyClicks(period, QStringLiteral("12000"));
        part<QWidget>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(period->text(), QStringLiteral("32767"));
        QCOMPARE(run.platform.messages.size(), 1);
        QVERIFY(run.platform.lastMessage().text.contains(QStringLiteral("de 0 à 9999")));
    }

    void wheelOverTheDatePickerChangesNothing() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        auto* picker = part<QDateEdit>(w, "DateTimePicker1");
        const QDate before = picker->date();
        const QPoint at = picker->rect().center();
        QWheelEvent wheel(at, picker->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picker, &wheel);
        QCOMPARE(picker->date(), before);
        QVERIFY(!part<QWidget>(w, "spd_btn_sauve")->isEnabled());
    }

    void emptyCatalogueShowsNoDate() {
        gui::Run run;
        Tfrm_main& w = run.start();
        run.show();
        auto* picker = part<QDateEdit>(w, "DateTimePicker1");
        QVERIFY(!part<QWidget>(w, "Panel7")->isEnabled());
        QVERIFY2(picker->text().trimmed().isEmpty(), qPrintable(picker->text()));
    }

    void sheetFieldsStayInPlaceFromProductToProduct() {
        gui::Run run;
        run.writeList(QStringLiteral("kabiro.pnv"), twoProducts(QStringLiteral("7")));
        Tfrm_main& w = run.start();
        run.show();
        w.resize(w.minimumSize());
        QCOMPARE(w.minimumSize(), QSize(410, 330));
        QApplication::processEvents();
        // The fields stay where they are from a product with short names to one with long ones.
        const QStringList fields{"RxDBCalcEdit1", "DBEdit3", "DBEdit2", "DateTimePicker1",
                                 "DBCheckBox5"};
        QList<QRect> first;
        for (const QString& f : fields)
            first << part<QWidget>(w, qPrintable(f))->geometry();
        QTest::keyClick(part<QWidget>(w, "RxDBGrid1"), Qt::Key_Down);
        QApplication::processEvents();
        QVERIFY(part<QLabel>(w, "DBText1")->text().startsWith(QStringLiteral("Supermarché")));
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(part<QWidget>(w, qPrintable(fields[i]))->geometry(), first[i]);
    }

    void searchListIsAsWideAsItsLongestName() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        auto* box = part<SearchBox>(w, "cbb_rech");
        const QString name = QStringLiteral("Produit au nom vraiment très long pour la boîte");
        box->addItem(name);
        const int needed = box->view()->fontMetrics().horizontalAdvance(name);
        QVERIFY(box->popupWidth() > needed);
        QVERIFY(box->popupWidth() <= box->screen()->availableGeometry().width());
        QVERIFY(box->width() < needed);
    }
};

KABIRO_TEST_MAIN(TestMainWindowHostile)
#include "test_main_window_hostile.moc"
