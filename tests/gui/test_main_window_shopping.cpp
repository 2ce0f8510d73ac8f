// The shopping side of the main window driven through its controls: the cart buttons, double
// clicks and keys of the grids, the total, validation, the sector tree and the shop filter,
// sorting by the titles, the search box and the colours of the grids' first column.

#include "example_window.h"
#include "support/test_registry.h"

#include "app/application_setup.h"
#include "app/window_look.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

using Button = Platform::Button;
using gui::ExampleRun;

namespace {

// The example's list total: 23,50 for 9 units.
constexpr qint64 kExampleCents = 2350;

QColor cellColour(RecordGrid* grid, int row, int column = 0) {
    const QVariant v = grid->model()->index(row, column).data(Qt::BackgroundRole);
    return v.isValid() ? v.value<QBrush>().color() : QColor();
}

QTreeWidgetItem* node(QTreeWidget* tree, const QString& sector, const QString& aisle = {}) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* s = tree->topLevelItem(i);
        if (s->text(0) != sector)
            continue;
        if (aisle.isEmpty())
            return s;
        for (int j = 0; j < s->childCount(); ++j)
            if (s->child(j)->text(0) == aisle)
                return s->child(j);
    }
    return nullptr;
}

// A press of the mouse on a tree node, with the sector view shown.
void pressNode(Tfrm_main& w, QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton) {
    if (item->parent())
        item->parent()->setExpanded(true);
    const QRect r = gui::part<QTreeWidget>(w, "TreeView1")->visualItemRect(item);
    QTest::mouseClick(gui::part<QTreeWidget>(w, "TreeView1")->viewport(), button, {}, r.center());
}

void clickTitle(RecordGrid* grid, int column) {
    QHeaderView* h = grid->horizontalHeader();
    const int x = h->sectionViewportPosition(column) + h->sectionSize(column) / 2;
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
}

QStringList names(const RecordTable& t, int field) {
    QStringList out;
    for (int p = 0; p < t.recordCount(); ++p)
        out << RecordTable::textOf(t.recordAt(p), field);
    return out;
}

} // namespace

class TestMainWindowShopping : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appsetup::installFontSubstitutes(); }

    // ------------------------------------------------------------ moving products

    void poseButtonThreeTimesOnOneProduct() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(kExampleCents));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   9"));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton);
        QCOMPARE(run.quantity(QStringLiteral("Riz basmati 1 kg")), 3);
        QCOMPARE(run.productField(QStringLiteral("Riz basmati 1 kg"), Cat::color),
                 QStringLiteral("X"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("  12"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 run.totalText(kExampleCents + 3 * 239));
        // " %8.2m": a blank, then at least eight characters.
        QVERIFY(gui::part<QLineEdit>(w, "edt_total")->text().startsWith(u' '));
        QVERIFY(gui::part<QLineEdit>(w, "edt_total")->text().size() >= 9);
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(gui::part<RecordGrid>(w, "RxDBGrid1")));
    }

    void catalogueDoubleClickAndEnterAddAUnit() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        const int row = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"), riz);
        QVERIFY(row >= 0);
        const QPoint at = ExampleRun::rowCentre(gui::part<RecordGrid>(w, "RxDBGrid1"), row);
        QTest::mouseClick(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::LeftButton, {},
                          at);
        QCOMPARE(run.current(), riz); // a click only chooses the row
        QCOMPARE(run.quantity(riz), 0);
        QTest::mouseDClick(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::LeftButton, {},
                           at);
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::LeftButton, {},
                            at);
        QCOMPARE(run.quantity(riz), 1);
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Return);
        QCOMPARE(run.quantity(riz), 2);
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Enter);
        QCOMPARE(run.quantity(riz), 3);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("  12"));
    }

    void poseOnAnEmptyCatalogueDoesNothing() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.platform.answer(Button::No); // the example is not modified, but be safe
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        QCOMPARE(w.table1().recordCount(), 0);
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton);
        gui::part<RecordGrid>(w, "RxDBGrid1")->setFocus();
        QTest::keyClick(gui::part<RecordGrid>(w, "RxDBGrid1"), Qt::Key_Return);
        QCOMPARE(w.table2().recordCount(), 0);
        QCOMPARE(run.platform.beeps, 0);
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
    }

    void retireButtonAndListDoubleClick() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString lait = QStringLiteral("Lait demi-écrémé 1 L");
        run.chooseRow(lait);
        QTest::mouseClick(gui::part<QPushButton>(w, "spd_btn_retire"), Qt::LeftButton);
        QCOMPARE(run.quantity(lait), 1);
        QCOMPARE(run.productField(lait, Cat::color), QStringLiteral("X"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(kExampleCents - 99));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   8"));

        const int row = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid2"), lait);
        const QPoint at = ExampleRun::rowCentre(gui::part<RecordGrid>(w, "RxDBGrid2"), row);
        QTest::mouseDClick(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), Qt::LeftButton, {},
                           at);
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), Qt::LeftButton, {},
                            at);
        QVERIFY(!run.listRow(lait));
        QCOMPARE(run.productField(lait, Cat::color), QStringLiteral(" "));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   7"));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
    }

    void addingPastTheLargestQuantityBeeps() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString pommes = QStringLiteral("Pommes Golden 1 kg");
        run.chooseRow(pommes);
        w.table2().setInteger(Lst::unite_vente, 32766);
        w.table2().post();
        run.choose(pommes);
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton);
        QCOMPARE(run.quantity(pommes), 32767);
        QCOMPARE(run.platform.beeps, 0);
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton2"), Qt::LeftButton);
        QCOMPARE(run.quantity(pommes), 32767);
        QCOMPARE(run.platform.beeps, 1);
    }

    void annuleWithTheFilterOnASectorKeepsTheOtherSectors() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
        pressNode(w, node(gui::part<QTreeWidget>(w, "TreeView1"), QStringLiteral("Supermarché")));
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Supermarché"));
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton3"), Qt::LeftButton);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   0"));
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
        QCOMPARE(
            names(w.table2(), Lst::Produit),
            (QStringList{QStringLiteral("Pain de campagne"), QStringLiteral("Pommes Golden 1 kg"),
                         QStringLiteral("Doliprane 1000 mg")}));
        QCOMPARE(run.productField(QStringLiteral("Papier toilette x12"), Cat::color),
                 QStringLiteral(" "));
        QCOMPARE(run.productField(QStringLiteral("Doliprane 1000 mg"), Cat::color),
                 QStringLiteral("X"));
        // The total follows the filter: the three rows left count again.
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   5"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(320 + 3 * 240 + 218));
    }

    // ------------------------------------------------------------ validation and total

    void validationAsksAndShowsTheDate() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString papier = QStringLiteral("Papier toilette x12");        // due on 1 December
        const QString cafe = QStringLiteral("Café moulu pur arabica 250 g"); // due on the 12th
        const QString before = gui::part<QLineEdit>(w, "edt_date_vali")->text();

        run.platform.answer(Button::No);
        QTest::mouseClick(gui::part<QPushButton>(w, "spd_btn_valide"), Qt::LeftButton);
        QCOMPARE(run.platform.messages.size(), 1);
        const Platform::Message m = run.platform.lastMessage();
        QCOMPARE(m.title, QStringLiteral("Confirmation"));
        QCOMPARE(m.text,
                 QStringLiteral("La validation implique l'emploi de la liste ce jour.\r\n"
                                "Pour les produits retenus, les échéances seront\r\n"
                                " recalculées à partir d'aujourd'hui\r\n\r\nValidez-vous la "
                                "liste ?"));
        QCOMPARE(m.buttons, (QList<Button>{Button::Yes, Button::No}));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(), before);
        QCOMPARE(RecordTable::dateOf(*run.product(papier), Cat::date_dern_achat),
                 QDate(2026, 11, 1));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());

        run.platform.answer(Button::Yes);
        QTest::mouseClick(gui::part<QPushButton>(w, "spd_btn_valide"), Qt::LeftButton);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral(" mercredi 9 décembre 2026"));
        const Record* p = run.product(papier);
        QCOMPARE(RecordTable::dateOf(*p, Cat::date_dern_achat), gui::exampleDay());
        // Inside its window: it restarts from its due date.
        QCOMPARE(RecordTable::dateOf(*run.product(cafe), Cat::date_dern_achat),
                 QDate(2026, 12, 12));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        // The list stays as it was.
        QCOMPARE(w.table2().recordCount(), 6);
    }

    void validationWithoutListedProductAsksNothing() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton3"), Qt::LeftButton); // Annule
        QCOMPARE(w.table2().recordCount(), 0);
        QTest::mouseClick(gui::part<QPushButton>(w, "spd_btn_valide"), Qt::LeftButton);
        QVERIFY(run.platform.messages.isEmpty());
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral(" mardi 1 décembre 2026"));
    }

    void totalButtonCountsFromScratch() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        // A price changed behind the gestures' back is counted by "Total" only.
        run.choose(QStringLiteral("Pommes Golden 1 kg"));
        w.table1().setReal(Cat::Prix, 3.0);
        w.table1().post();
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(kExampleCents));
        run.chooseRow(QStringLiteral("Lait demi-écrémé 1 L"));
        QTest::mouseClick(gui::part<QPushButton>(w, "btn_total"), Qt::LeftButton);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 run.totalText(kExampleCents + 3 * 60));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   9"));
        // The catalogue shows the product of the current list row.
        QCOMPARE(run.current(), QStringLiteral("Lait demi-écrémé 1 L"));
    }

    // ------------------------------------------------------------ tree and filter

    void treePressWithTheFilterOff() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        QVERIFY(w.sectorViewShown());
        pressNode(w, node(gui::part<QTreeWidget>(w, "TreeView1"), QStringLiteral("Marché")));
        QCOMPARE(run.current(), QStringLiteral("Pommes Golden 1 kg"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->rowCount(),
                 63); // nothing filtered
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
        // An aisle node: the first product of that aisle name; a right press counts too.
        pressNode(w,
                  node(gui::part<QTreeWidget>(w, "TreeView1"), QStringLiteral("Marché"),
                       QStringLiteral("Fromager")),
                  Qt::RightButton);
        QCOMPARE(run.current(), QStringLiteral("Comté 18 mois 250 g"));
        QCOMPARE(w.data().selection.level, 1);
        QCOMPARE(w.data().selection.sector, QStringLiteral("Marché"));
        // A press beside every node changes nothing.
        gui::part<QTreeWidget>(w, "TreeView1")->collapseAll();
        QTest::mouseClick(
            gui::part<QTreeWidget>(w, "TreeView1")->viewport(), Qt::LeftButton, {},
            QPoint(5, gui::part<QTreeWidget>(w, "TreeView1")->viewport()->height() - 3));
        QCOMPARE(run.current(), QStringLiteral("Comté 18 mois 250 g"));
        QCOMPARE(w.data().selection.aisle, QStringLiteral("Fromager"));
    }

    void treePressWithTheFilterOn() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
        pressNode(w, node(gui::part<QTreeWidget>(w, "TreeView1"), QStringLiteral("Supermarché"),
                          QStringLiteral("Frais")));
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Supermarché / Frais"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->rowCount(), 6);
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")->gridModel()->rowCount(), 1);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   2"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(2 * 99));
        pressNode(w, node(gui::part<QTreeWidget>(w, "TreeView1"), QStringLiteral("Pharmacie")));
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Pharmacie"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->rowCount(), 6);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(218));
    }

    void filterButtonAndMenuItemInStep() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        gui::part<QAction>(w, "smenu_fen_mag")->trigger();
        gui::part<QTreeWidget>(w, "TreeView1")->expandAll();
        // No node chosen yet: the first sector is taken, selected and the tree collapsed.
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Boulangerie"));
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->currentItem(),
                 gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(0));
        QVERIFY(gui::part<QTreeWidget>(w, "TreeView1")->currentItem()->isSelected());
        for (int i = 0; i < gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(); ++i)
            QVERIFY(!gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(i)->isExpanded());
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->rowCount(), 9);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(320));
        // The chosen node stays highlighted without the focus while the filter is on.
        const QPalette on = gui::part<QTreeWidget>(w, "TreeView1")->palette();
        QCOMPARE(on.color(QPalette::Inactive, QPalette::Highlight),
                 on.color(QPalette::Active, QPalette::Highlight));

        // The menu item switches it off again, the button follows.
        gui::part<QAction>(w, "smenu_filtre_mag")->trigger();
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(!gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->rowCount(), 63);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), run.totalText(kExampleCents));
        const QPalette off = gui::part<QTreeWidget>(w, "TreeView1")->palette();
        QVERIFY(off.color(QPalette::Inactive, QPalette::Highlight) !=
                off.color(QPalette::Active, QPalette::Highlight));
    }

    void filterOnAnEmptyTreeStaysOff() {
        gui::Run run;
        Tfrm_main& w = run.start({run.path(QStringLiteral("absent.pnv"))});
        run.show();
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(), 0);
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_filtre")->isChecked());
        QVERIFY(!gui::part<QAction>(w, "smenu_filtre_mag")->isChecked());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Liste complète"));
    }

    // ------------------------------------------------------------ titles and list clicks

    void titleClicksSortBothTables() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        clickTitle(gui::part<RecordGrid>(w, "RxDBGrid2"),
                   2); // the list's product title sorts the catalogue too
        QStringList cat = names(w.table1(), Cat::Produit);
        QCOMPARE(cat.first(), QStringLiteral("Baguette tradition"));
        QCOMPARE(cat.last(), QStringLiteral("Yaourts nature x8"));
        // Accents do not count first: "Éclair" among the e's.
        QVERIFY(cat.indexOf(QStringLiteral("Éclair au café")) <
                cat.indexOf(QStringLiteral("Farine de blé T55")));
        QCOMPARE(names(w.table2(), Lst::Produit).first(),
                 QStringLiteral("Café moulu pur arabica 250 g"));
        QCOMPARE(run.current(), QStringLiteral("Riz basmati 1 kg")); // kept through the sort
        QCOMPARE(w.table2().currentRow(), 0);                        // the list on its first row

        clickTitle(gui::part<RecordGrid>(w, "RxDBGrid1"), 1); // aisle title: sector, aisle, product
        cat = names(w.table1(), Cat::Produit);
        QCOMPARE(cat.first(), QStringLiteral("Baguette tradition")); // Boulangerie, Pains
        QCOMPARE(cat.last(), QStringLiteral("Glace vanille 1 L"));   // Supermarché, Surgelés
        QCOMPARE(names(w.table1(), Cat::Secteur).first(), QStringLiteral("Boulangerie"));
        QCOMPARE(names(w.table1(), Cat::Rayon).first(), QStringLiteral("Pains"));
        QCOMPARE(names(w.table2(), Lst::Produit).first(), QStringLiteral("Pain de campagne"));
        QCOMPARE(names(w.table2(), Lst::Produit).last(), QStringLiteral("Papier toilette x12"));

        // The list's "Qté" title does nothing; the "*" titles show and hide the sector view.
        const QStringList before = names(w.table1(), Cat::Produit);
        clickTitle(gui::part<RecordGrid>(w, "RxDBGrid2"), 3);
        QCOMPARE(names(w.table1(), Cat::Produit), before);
        QVERIFY(!w.sectorViewShown());
        clickTitle(gui::part<RecordGrid>(w, "RxDBGrid1"), 0);
        QVERIFY(w.sectorViewShown());
        QVERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->isColumnHidden(1));
        clickTitle(gui::part<RecordGrid>(w, "RxDBGrid2"), 0);
        QVERIFY(!w.sectorViewShown());
    }

    void listClickBringsItsProductUp() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        const QString doliprane = QStringLiteral("Doliprane 1000 mg");
        const QPoint at = ExampleRun::rowCentre(
            gui::part<RecordGrid>(w, "RxDBGrid2"),
            ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid2"), doliprane));
        QTest::mouseClick(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), Qt::LeftButton, {},
                          at);
        QCOMPARE(run.current(), doliprane);
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit1")->text(), doliprane);
    }

    // ------------------------------------------------------------ search box

    void searchBoxBeginsWithAndDropDown() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->currentText(), QStringLiteral("Recherche"));
        QVERIFY(gui::part<QComboBox>(w, "cbb_rech")->minimumWidth() >= 100);
        QVERIFY(gui::part<QComboBox>(w, "cbb_rech")->maximumWidth() <= 160);
        QLineEdit* edit = gui::part<QComboBox>(w, "cbb_rech")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("lai"));
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->currentText(), QStringLiteral("lai"));
        QCOMPARE(run.current(), QStringLiteral("Lait demi-écrémé 1 L"));
        // A text no name begins with leaves the catalogue where it was.
        QTest::keyClicks(edit, QStringLiteral("zz"));
        QCOMPARE(run.current(), QStringLiteral("Lait demi-écrémé 1 L"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);

        // Opening the list: every product containing the text, a to z in any case.
        gui::part<QComboBox>(w, "cbb_rech")->showPopup();
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->currentText(), QString());
        QStringList items;
        for (int i = 0; i < gui::part<QComboBox>(w, "cbb_rech")->count(); ++i)
            items << gui::part<QComboBox>(w, "cbb_rech")->itemText(i);
        QCOMPARE(items.size(), 3);
        QVERIFY(items.contains(QStringLiteral("Lait demi-écrémé 1 L")));
        QVERIFY(items.contains(QStringLiteral("Camembert au lait cru")));
        QVERIFY(items.contains(QStringLiteral("Éclair au café")));
        QCOMPARE(run.current(), QStringLiteral("Lait demi-écrémé 1 L"));
        // Choosing an item brings that product up.
        gui::part<QComboBox>(w, "cbb_rech")
            ->setCurrentIndex(items.indexOf(QStringLiteral("Éclair au café")));
        gui::part<QComboBox>(w, "cbb_rech")->hidePopup();
        QCOMPARE(run.current(), QStringLiteral("Éclair au café"));

        // An empty text keeps the items; a text nothing contains leaves none.
        gui::part<QComboBox>(w, "cbb_rech")->setEditText(QString());
        gui::part<QComboBox>(w, "cbb_rech")->showPopup();
        gui::part<QComboBox>(w, "cbb_rech")->hidePopup();
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->count(), 3);
        gui::part<QComboBox>(w, "cbb_rech")->setEditText(QStringLiteral("xyz"));
        gui::part<QComboBox>(w, "cbb_rech")->showPopup();
        gui::part<QComboBox>(w, "cbb_rech")->hidePopup();
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->count(), 0);
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->currentText(), QString());
    }

    void searchFoldsOnlyAToZ() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        // "Épinards" holds a capital É: a small é does not find it in the list.
        gui::part<QComboBox>(w, "cbb_rech")->setEditText(QStringLiteral("épinards"));
        gui::part<QComboBox>(w, "cbb_rech")->showPopup();
        gui::part<QComboBox>(w, "cbb_rech")->hidePopup();
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->count(), 0);
        gui::part<QComboBox>(w, "cbb_rech")->setEditText(QStringLiteral("ÉPINARDS"));
        gui::part<QComboBox>(w, "cbb_rech")->showPopup();
        gui::part<QComboBox>(w, "cbb_rech")->hidePopup();
        QCOMPARE(gui::part<QComboBox>(w, "cbb_rech")->count(), 1);
    }

    // ------------------------------------------------------------ colours

    void cellColoursFollowTheStates() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QColor aqua(0, 255, 255), yellow(255, 255, 0), lime(0, 255, 0);
        const QColor face = w.palette().color(QPalette::Button);
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        auto catColour = [&](const char* name) {
            return cellColour(
                gui::part<RecordGrid>(w, "RxDBGrid1"),
                ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"), QString::fromUtf8(name)));
        };
        QCOMPARE(catColour("Farine de blé T55"), aqua);
        QCOMPARE(catColour("Papier toilette x12"), yellow);
        QCOMPARE(catColour("Dentifrice au fluor"), lime); // its window opens today
        QCOMPARE(catColour("Croquettes chat 2 kg"), lime);
        QCOMPARE(catColour("Sucre en poudre 1 kg"), face);
        QCOMPARE(catColour("Riz basmati 1 kg"), face); // the current row
        // Only the first column is coloured; the listed products show "X" there.
        const int papier = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"),
                                             QStringLiteral("Papier toilette x12"));
        QVERIFY(!cellColour(gui::part<RecordGrid>(w, "RxDBGrid1"), papier, 2).isValid());
        QCOMPARE(
            gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->index(papier, 0).data().toString(),
            QStringLiteral("X"));
        // The current row shows button face even in a state; the sheet's strip shows the state.
        run.choose(QStringLiteral("Papier toilette x12"));
        QCOMPARE(cellColour(gui::part<RecordGrid>(w, "RxDBGrid1"), papier), face);
        QCOMPARE(look::background(gui::part<QLabel>(w, "Panel5")), yellow);
        QCOMPARE(gui::part<QLabel>(w, "Panel5")->text(), QStringLiteral("X"));
        QCOMPARE(gui::part<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2026, 12, 1));

        // The list: the rows' own codes.
        run.chooseRow(QStringLiteral("Pain de campagne"));
        auto listColour = [&](const char* name) {
            return cellColour(
                gui::part<RecordGrid>(w, "RxDBGrid2"),
                ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid2"), QString::fromUtf8(name)));
        };
        QCOMPARE(listColour("Café moulu pur arabica 250 g"), lime);
        QCOMPARE(listColour("Papier toilette x12"), yellow);
        QVERIFY(!listColour("Lait demi-écrémé 1 L").isValid());
        QCOMPARE(listColour("Pain de campagne"), face);
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")->columnWidth(0), 4);

        // A panel's colour changed: the cells follow at the next drawing.
        look::setBackground(gui::part<QLabel>(w, "cpanel1"), QColor(255, 0, 255));
        QCOMPARE(catColour("Farine de blé T55"), QColor(255, 0, 255));
    }

    void noWindowStateWithoutTolerance() {
        ExampleRun run;
        Tfrm_main& w = run.startExample(QStringLiteral("[SAISIE]\nCoef_delai=0\n"));
        QVERIFY(gui::part<QLabel>(w, "cpanel3")->isHidden());
        run.choose(QStringLiteral("Riz basmati 1 kg"));
        const int row = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"),
                                          QStringLiteral("Croquettes chat 2 kg"));
        QCOMPARE(cellColour(gui::part<RecordGrid>(w, "RxDBGrid1"), row),
                 w.palette().color(QPalette::Button));
        const int due = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"),
                                          QStringLiteral("Doliprane 1000 mg"));
        QCOMPARE(cellColour(gui::part<RecordGrid>(w, "RxDBGrid1"), due), QColor(255, 255, 0));
    }

    // ------------------------------------------------------------ colour panels

    void panelDoubleClickAddsItsStateAndShowsRaised() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QLabel* prevu = gui::part<QLabel>(w, "cpanel1");
        QTest::mousePress(prevu, Qt::LeftButton);
        QCOMPARE(prevu->frameShadow(), QFrame::Sunken);
        QTest::mouseRelease(prevu, Qt::LeftButton);
        QCOMPARE(prevu->frameShadow(), QFrame::Raised);
        QTest::mouseDClick(prevu, Qt::LeftButton);
        QCOMPARE(prevu->frameShadow(), QFrame::Raised);
        QTest::mouseRelease(prevu, Qt::LeftButton);
        QCOMPARE(w.table2().recordCount(), 6 + 7);
        QCOMPARE(run.quantity(QStringLiteral("Bûche de Noël 8 parts")), 1);
        QCOMPARE(
            RecordTable::textOf(*run.listRow(QStringLiteral("Bûche de Noël 8 parts")), Lst::Prevu),
            QStringLiteral("O"));
        // "Rappel(+)" adds the products inside their window and the due ones not yet listed.
        QTest::mouseDClick(gui::part<QLabel>(w, "cpanel3"), Qt::LeftButton);
        QTest::mouseRelease(gui::part<QLabel>(w, "cpanel3"), Qt::LeftButton);
        QCOMPARE(w.table2().recordCount(), 13 + 3);
        QCOMPARE(run.quantity(QStringLiteral("Lessive liquide 2 L")), 1);
        QCOMPARE(gui::part<QLabel>(w, "cpanel3")->frameShadow(), QFrame::Raised);
        // A right press shows the panel sunken too.
        QTest::mousePress(gui::part<QLabel>(w, "cpanel2"), Qt::RightButton);
        QCOMPARE(gui::part<QLabel>(w, "cpanel2")->frameShadow(), QFrame::Sunken);
        QTest::mouseRelease(gui::part<QLabel>(w, "cpanel2"), Qt::RightButton);
        QCOMPARE(gui::part<QLabel>(w, "cpanel2")->frameShadow(), QFrame::Raised);
    }
};

KABIRO_TEST_MAIN(TestMainWindowShopping)
#include "test_main_window_shopping.moc"
