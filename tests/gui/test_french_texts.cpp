// French everywhere: the date picker's calendar, the labels of the file dialogs and Qt's own
// texts once the program has set them up.

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/qt_platform.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

class TestFrenchTexts : public QObject {
    Q_OBJECT

private slots:
    void calendarNamesMonthsAndDaysInFrench() {
        // The tests run under the "C" locale, where Qt's own default is English.
        gui::Run run;
        run.writeList();
        Tfrm_main& w = run.start({run.path(QStringLiteral("kabiro.pnv"))});
        run.show();
        auto* picker = gui::child<QDateEdit>(&w, "DateTimePicker1");
        picker->setDate(QDate(2026, 12, 9));
        QCalendarWidget* calendar = picker->calendarWidget();
        QVERIFY(calendar);
        auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        QVERIFY(month);
        calendar->setCurrentPage(2026, 12);
        QCOMPARE(month->text(), QStringLiteral("décembre"));
        QCOMPARE(calendar->locale().dayName(1, QLocale::ShortFormat), QStringLiteral("lun."));
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
        // The date itself keeps the regional short format.
        QCOMPARE(picker->text(), QStringLiteral("09/12/2026"));
    }

    void fileDialogLabelsShowTheirAccessLetters() {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilter(QtPlatform::qtFilter(QStringLiteral("fichier Paniva|*.pnv")));
        QtPlatform::setFrenchLabels(dialog, false);
        auto* type = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
        auto* name = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
        QVERIFY(type && name);
        // A label shows its "&" as it is unless it is linked to a field: both are linked, and
        // their access letters reach their fields.
        QVERIFY(type->buddy());
        QVERIFY(name->buddy());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), type->buddy());
        QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), name->buddy());
        dialog.reject();
    }

    void qtOwnTextsAreFrench() {
        appsetup::installFrenchTranslations(*qApp);
        // Key names as menus and tool tips show them, and the file dialog's own words.
        QCOMPARE(QKeySequence(Qt::CTRL | Qt::Key_Delete).toString(QKeySequence::NativeText),
                 QStringLiteral("Ctrl+Suppr"));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* look = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        QVERIFY(look);
        QVERIFY2(!look->text().contains(QStringLiteral("Look")), qPrintable(look->text()));
    }
};

KABIRO_TEST_MAIN(TestFrenchTexts)
#include "test_french_texts.moc"
