// The list footer and the product sheet from the smallest window up: the footer's controls
// neither cover one another nor leave the footer, and "Rappel le" is never cut.

#include "example_window.h"
#include "support/test_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using gui::ExampleRun;
using gui::part;

namespace {

// Where a control stands in the window's coordinates.
QRect inWindow(const QWidget* w, const QWidget* window) {
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// A text shown whole in a control whose text area is `room` pixels wide.
bool fits(const QWidget* w, const QString& text, int room) {
    return w->fontMetrics().horizontalAdvance(text.trimmed()) <= room;
}

} // namespace

class TestListFooter : public QObject {
    Q_OBJECT

    // The footer's controls and the sheet's reminder box at the window's present size.
    static void checkFooterAndSheet(Tfrm_main& w) {
        const QString size = QStringLiteral("%1 x %2").arg(w.width()).arg(w.height());
        auto* footer = part<QFrame>(w, "Panel2");
        QVERIFY2(w.rect().contains(inWindow(footer, &w)), qPrintable(size));
        const QList<QWidget*> controls{
            part<QComboBox>(w, "cbb_rech"),     part<QLabel>(w, "lbl_eliste"),
            part<QPushButton>(w, "btn_total"),  part<QLineEdit>(w, "edt_total"),
            part<QLineEdit>(w, "edt_tot_nbre"), part<QLabel>(w, "lbl_dern_liste"),
            part<QLineEdit>(w, "edt_date_vali")};
        for (int i = 0; i < controls.size(); ++i) {
            const QWidget* c = controls[i];
            QVERIFY2(c->isVisible(), qPrintable(c->objectName()));
            const QString where = size + u' ' + c->objectName();
            QVERIFY2(footer->contentsRect().contains(c->geometry()), qPrintable(where));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!c->geometry().intersects(controls[j]->geometry()),
                         qPrintable(where + u' ' + controls[j]->objectName()));
        }
        // The search box keeps its designed widths; "Total", the total and the count read whole.
        QVERIFY(controls[0]->width() >= 100 && controls[0]->width() <= 160);
        auto* total = part<QPushButton>(w, "btn_total");
        QVERIFY2(fits(total, total->text(), total->width() - 6), qPrintable(size));
        for (const char* name : {"edt_total", "edt_tot_nbre"}) {
            auto* field = part<QLineEdit>(w, name);
            QVERIFY2(fits(field, field->text(), field->width() - 8),
                     qPrintable(size + u' ' + field->text()));
        }

        // "Rappel le" shows its whole text, inside the sheet and the left part.
        auto* reminder = part<QCheckBox>(w, "DBCheckBox5");
        QVERIFY2(reminder->width() >= reminder->sizeHint().width(), qPrintable(size));
        QVERIFY2(inWindow(part<QFrame>(w, "Panel4"), &w).contains(inWindow(reminder, &w)),
                 qPrintable(size));
    }

private slots:
    void footerAndSheetFromTheSmallestWindowUp() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        // Totals of a few units at most hundreds of euros, as the example list has.
        QVERIFY(!part<QLineEdit>(w, "edt_total")->text().trimmed().isEmpty());
        for (const QSize size : {w.minimumSize(), QSize(480, 340), QSize(559, 345)}) {
            w.resize(size);
            QTRY_COMPARE(w.size(), size);
            QApplication::processEvents();
            checkFooterAndSheet(w);
            if (QTest::currentTestFailed())
                return;
        }
        // A long filter caption in the narrow footer elides instead of covering the totals.
        w.resize(w.minimumSize());
        part<QLabel>(w, "lbl_eliste")
            ->setText(QStringLiteral("Supermarché des grandes surfaces / Épicerie fine"));
        QApplication::processEvents();
        checkFooterAndSheet(w);
    }
};

KABIRO_TEST_MAIN(TestListFooter)
#include "test_list_footer.moc"
