// The product sheet's edits: price, period and note typed and posted on leaving, the note's
// refused characters, the planned and reminder boxes (a click, never the focus), the right
// press and Space in the catalogue, and the date picker's calendar.

#include "example_window.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/window_look.h"
#include "model/list_file.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using gui::ExampleRun;

namespace {

constexpr qint64 kExampleCents = 2350;

// Types a text character by character, as a keyboard would, whatever its letters.
void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// Types into a sheet field after giving it the focus, then leaves it for the catalogue grid.
void typeInto(Tfrm_main& w, QLineEdit* field, const QString& text, bool replace = true) {
    field->setFocus();
    QVERIFY(field->hasFocus());
    if (replace)
        field->selectAll();
    else
        field->end(false);
    QTest::keyClicks(field, text);
    gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
}

} // namespace

class TestMainWindowSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appsetup::installFontSubstitutes(); }

    void sheetFieldsCanBeEdited() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isEnabled());
        for (QLineEdit* f :
             {gui::part<QLineEdit>(w, "RxDBCalcEdit1"), gui::part<QLineEdit>(w, "DBEdit3"),
              gui::part<QLineEdit>(w, "DBEdit2")})
            QVERIFY(!f->isReadOnly());
        QVERIFY(gui::part<QLineEdit>(w, "DBEdit1")->isReadOnly());
        QVERIFY(!gui::part<QDateEdit>(w, "DateTimePicker1")->isReadOnly());
        QVERIFY(gui::part<QDateEdit>(w, "DateTimePicker1")->calendarPopup());
    }

    void priceTypedIsPostedOnLeavingAndTheTotalFollows() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString lait = QStringLiteral("Lait demi-écrémé 1 L"); // 2 units on the list
        run.choose(lait);
        QCOMPARE(gui::part<QLineEdit>(w, "RxDBCalcEdit1")->text(), QStringLiteral("0,99"));
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setFocus();
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->selectAll();
        QTest::keyClicks(gui::part<QLineEdit>(w, "RxDBCalcEdit1"), QStringLiteral("1,5"));
        // Nothing is written while the field has the focus.
        QCOMPARE(RecordTable::realOf(*run.product(lait), Cat::Prix), std::optional<double>(0.99));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(RecordTable::realOf(*run.product(lait), Cat::Prix), std::optional<double>(1.5));
        QCOMPARE(gui::part<QLineEdit>(w, "RxDBCalcEdit1")->text(), QStringLiteral("1,50"));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 run.totalText(kExampleCents - 2 * 99 + 2 * 150));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   9"));
    }

    void priceTakesSixCharactersAndTwoDecimals() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        typeInto(w, gui::part<QLineEdit>(w, "RxDBCalcEdit1"), QStringLiteral("12,3456"));
        QCOMPARE(RecordTable::realOf(*run.product(QStringLiteral("Riz basmati 1 kg")), Cat::Prix),
                 std::optional<double>(12.34));
        typeInto(w, gui::part<QLineEdit>(w, "RxDBCalcEdit1"), QStringLiteral("1234567"));
        QCOMPARE(RecordTable::realOf(*run.product(QStringLiteral("Riz basmati 1 kg")), Cat::Prix),
                 std::optional<double>(123456.0));
        // Letters are refused; an emptied price is a price of 0.
        typeInto(w, gui::part<QLineEdit>(w, "RxDBCalcEdit1"), QStringLiteral("abc"));
        QCOMPARE(gui::part<QLineEdit>(w, "RxDBCalcEdit1")->text(), QStringLiteral("123456,00"));
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setFocus();
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->selectAll();
        QTest::keyClick(gui::part<QLineEdit>(w, "RxDBCalcEdit1"), Qt::Key_Backspace);
        QTest::keyClicks(gui::part<QLineEdit>(w, "RxDBCalcEdit1"), QStringLiteral("x"));
        QCOMPARE(gui::part<QLineEdit>(w, "RxDBCalcEdit1")->text(), QString());
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(gui::part<QLineEdit>(w, "RxDBCalcEdit1")->text(), QStringLiteral("0,00"));
        QCOMPARE(RecordTable::realOf(*run.product(QStringLiteral("Riz basmati 1 kg")), Cat::Prix),
                 std::optional<double>(0.0));
    }

    void leavingWithoutTypingChangesNothing() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        // A Tab through the sheet: the boxes are passed by and no product changes.
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setFocus();
        for (int i = 0; i < 6; ++i) {
            QWidget* f = QApplication::focusWidget();
            QVERIFY(f != gui::part<QCheckBox>(w, "DBCheckBox1") &&
                    f != gui::part<QCheckBox>(w, "DBCheckBox5"));
            QTest::keyClick(f, Qt::Key_Tab);
        }
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QCOMPARE(run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::prevu),
                 QStringLiteral("N"));
        QCOMPARE(run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::Rappel),
                 QStringLiteral("N"));
        QCOMPARE(RecordTable::dateOf(*run.product(QStringLiteral("Riz basmati 1 kg")),
                                     Cat::date_dern_achat),
                 QDate(2026, 10, 1));
    }

    void periodAcceptsWholeDaysUpTo9999() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        typeInto(w, gui::part<QLineEdit>(w, "DBEdit3"), QStringLiteral("1234"));
        QCOMPARE(RecordTable::integerOf(*run.product(riz), Cat::Duree_rappel),
                 std::optional<qint32>(1234));
        // Beyond 9999 (five digits at most are taken): refused, the stored value stays.
        typeInto(w, gui::part<QLineEdit>(w, "DBEdit3"), QStringLiteral("123456"));
        QVERIFY(run.platform.lastMessage().text.contains(QStringLiteral("de 0 à 9999")));
        QCOMPARE(RecordTable::integerOf(*run.product(riz), Cat::Duree_rappel),
                 std::optional<qint32>(1234));
        typeInto(w, gui::part<QLineEdit>(w, "DBEdit3"), QStringLiteral("-5x"));
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit3")->text(), QStringLiteral("5"));
        QCOMPARE(RecordTable::integerOf(*run.product(riz), Cat::Duree_rappel),
                 std::optional<qint32>(5));
        // The colour strip and the picker follow the new period.
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2026, 10, 6));
    }

    void noteRefusesWhatTheFileCannotHold() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString huile = QStringLiteral("Huile d'olive vierge extra 1 L");
        run.choose(huile);
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit2")->text(), QStringLiteral("Bio de préférence"));
        gui::part<QLineEdit>(w, "DBEdit2")->setFocus();
        gui::part<QLineEdit>(w, "DBEdit2")->end(false);
        typeText(gui::part<QLineEdit>(w, "DBEdit2"), QStringLiteral(" ["));
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit2")->text(), QStringLiteral("Bio de préférence "));
        QTRY_COMPARE(run.platform.messages.size(), 1);
        QVERIFY(run.platform.lastMessage().text.startsWith(QStringLiteral("ERREUR : ")));
        QVERIFY(run.platform.lastMessage().text.contains(u'['));
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        // Typing goes on where it stopped; a letter Windows-1252 lacks is refused too.
        typeText(gui::part<QLineEdit>(w, "DBEdit2"), QStringLiteral("€ ĀB]"));
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit2")->text(),
                 QStringLiteral("Bio de préférence € B"));
        QTRY_COMPARE(run.platform.messages.size(), 3);
        QVERIFY(run.platform.messages[1].text.contains(QStringLiteral("Ā")));
        QVERIFY(gui::part<QLineEdit>(w, "DBEdit2")->hasFocus());
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(run.productField(huile, Cat::memo), QStringLiteral("Bio de préférence € B"));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
    }

    void editBelongsToTheProductShownWhenTyped() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        gui::part<QLineEdit>(w, "DBEdit2")->setFocus();
        typeText(gui::part<QLineEdit>(w, "DBEdit2"), QStringLiteral("Thaï"));
        // The cursor moves while the field keeps the focus (the toolbar buttons take none).
        run.choose(QStringLiteral("Sucre en poudre 1 kg"));
        QCOMPARE(run.productField(riz, Cat::memo), QStringLiteral("Thaï"));
        QCOMPARE(run.productField(QStringLiteral("Sucre en poudre 1 kg"), Cat::memo), QString());
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit2")->text(), QString());
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(run.productField(QStringLiteral("Sucre en poudre 1 kg"), Cat::memo), QString());
    }

    void typingNotYetLeftCountsForSavingAndTheSaveQuestion() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        gui::part<QLineEdit>(w, "DBEdit2")->setFocus();
        typeText(gui::part<QLineEdit>(w, "DBEdit2"), QStringLiteral("Thaï"));
        // The save (menu "Enregistrer", always enabled) writes what is being typed.
        gui::part<QAction>(w, "smenu_enregistrer")->trigger();
        QVERIFY(run.platform.messages.isEmpty());
        ShoppingData saved;
        QString error;
        QVERIFY(listfile::load(w.listFileName(), saved, &error));
        QVERIFY(saved.catalogue.locate(Cat::Produit, riz));
        QCOMPARE(saved.catalogue.text(Cat::memo), QStringLiteral("Thaï"));

        // Typing again, then "Nouveau": the question is asked.
        gui::part<QLineEdit>(w, "DBEdit2")->setFocus();
        gui::part<QLineEdit>(w, "DBEdit2")->end(false);
        typeText(gui::part<QLineEdit>(w, "DBEdit2"), QStringLiteral(" long"));
        run.platform.answer(Platform::Button::Cancel);
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_new"), Qt::LeftButton);
        QCOMPARE(run.platform.messages.size(), 1);
        QVERIFY(run.platform.lastMessage().text.startsWith(QStringLiteral("Le fichier ")));
        QCOMPARE(run.productField(riz, Cat::memo), QStringLiteral("Thaï long"));
    }

    void escapeGivesUpWhatWasTyped() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        gui::part<QLineEdit>(w, "DBEdit3")->setFocus();
        gui::part<QLineEdit>(w, "DBEdit3")->selectAll();
        QTest::keyClicks(gui::part<QLineEdit>(w, "DBEdit3"), QStringLiteral("99"));
        QTest::keyClick(gui::part<QLineEdit>(w, "DBEdit3"), Qt::Key_Escape);
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit3")->text(), QStringLiteral("30"));
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
    }

    void boxesToggleOnceOnAClick() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        QVERIFY(!gui::part<QCheckBox>(w, "DBCheckBox1")->isChecked());
        QCOMPARE(gui::part<QCheckBox>(w, "DBCheckBox1")->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(gui::part<QCheckBox>(w, "DBCheckBox1"), Qt::LeftButton);
        QCOMPARE(run.productField(riz, Cat::prevu), QStringLiteral("O"));
        QVERIFY(gui::part<QCheckBox>(w, "DBCheckBox1")->isChecked());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(gui::part<RecordGrid>(w, "RxDBGrid1")));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QTest::mouseClick(gui::part<QCheckBox>(w, "DBCheckBox1"), Qt::LeftButton);
        QCOMPARE(run.productField(riz, Cat::prevu), QStringLiteral("N"));
        QVERIFY(!gui::part<QCheckBox>(w, "DBCheckBox1")->isChecked());

        // "Rappel le": the flag only, period and purchase date stay.
        QTest::mouseClick(gui::part<QCheckBox>(w, "DBCheckBox5"), Qt::LeftButton);
        QCOMPARE(run.productField(riz, Cat::Rappel), QStringLiteral("O"));
        QCOMPARE(RecordTable::integerOf(*run.product(riz), Cat::Duree_rappel),
                 std::optional<qint32>(30));
        QCOMPARE(RecordTable::dateOf(*run.product(riz), Cat::date_dern_achat), QDate(2026, 10, 1));
        // Due since the 31st of October: the strip shows "Rappel".
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel5")), QColor(255, 255, 0));
    }

    void rightPressAndSpaceTogglePlanned() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        const QString sucre = QStringLiteral("Sucre en poudre 1 kg");
        const QPoint at =
            ExampleRun::rowCentre(gui::part<RecordGrid>(w, "RxDBGrid1"),
                                  ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"), sucre));
        QTest::mousePress(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::RightButton, {},
                          at);
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::RightButton, {},
                            at);
        QCOMPARE(run.current(), sucre);
        QCOMPARE(run.productField(sucre, Cat::prevu), QStringLiteral("O"));
        QCOMPARE(run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::prevu),
                 QStringLiteral("N"));
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Space);
        QCOMPARE(run.productField(sucre, Cat::prevu), QStringLiteral("N"));
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Space);
        QCOMPARE(run.productField(sucre, Cat::prevu), QStringLiteral("O"));
        QVERIFY(gui::part<QCheckBox>(w, "DBCheckBox1")->isChecked());
    }

    void datePickedInTheCalendarMakesTheProductDueThatDay() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString oeufs = QStringLiteral("Œufs plein air x12"); // every 14 days
        run.choose(oeufs);
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2026, 12, 15));
        QCalendarWidget* calendar = gui::part<QDateEdit>(w, "DateTimePicker1")->calendarWidget();
        QVERIFY(calendar);
        emit calendar->clicked(QDate(2026, 12, 20));
        QCOMPARE(RecordTable::dateOf(*run.product(oeufs), Cat::date_dern_achat),
                 QDate(2026, 12, 6));
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2026, 12, 20));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
    }

    void pickerOpensOnTodayForAProductNeverBought() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString sucre = QStringLiteral("Sucre en poudre 1 kg"); // no purchase date
        run.choose(sucre);
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), gui::exampleDay());
        // Leaving the picker untouched changes nothing.
        gui::part<QDateEdit>(w, "DateTimePicker1")->setFocus();
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QVERIFY(!RecordTable::dateOf(*run.product(sucre), Cat::date_dern_achat).isValid());
        // Without a period, the date chosen is the purchase date.
        emit gui::part<QDateEdit>(w, "DateTimePicker1")
            ->calendarWidget()
            ->clicked(QDate(2026, 12, 24));
        QCOMPARE(RecordTable::dateOf(*run.product(sucre), Cat::date_dern_achat),
                 QDate(2026, 12, 24));
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2026, 12, 24));
    }

    void dateTypedInThePickerCountsOnLeaving() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString oeufs = QStringLiteral("Œufs plein air x12");
        run.choose(oeufs);
        gui::part<QDateEdit>(w, "DateTimePicker1")->setFocus();
        gui::part<QDateEdit>(w, "DateTimePicker1")->setDate(QDate(2026, 12, 9));
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QCOMPARE(RecordTable::dateOf(*run.product(oeufs), Cat::date_dern_achat),
                 QDate(2026, 11, 25));
        // Due today: the strip shows "Rappel".
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel5")), QColor(255, 255, 0));
    }
};

KABIRO_TEST_MAIN(TestMainWindowSheet)
#include "test_main_window_sheet.moc"
