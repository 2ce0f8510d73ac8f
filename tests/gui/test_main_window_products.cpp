// Product commands of the main window: the product dialog opened from the toolbar, the product
// sheet and the menu, and what the window shows after a product is created, corrected or
// deleted (sector tree and its chosen node, product sheet, commands, list total, list caption).

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "dialogs/calc_edit.h"
#include "dialogs/saiprod.h"
#include "output/report_layout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

using Button = Platform::Button;

namespace {

const QString kEmptyList = QStringLiteral("[RAYON]\n[LISTE]\n[PRODUIT]\n[SAISIE]\nDATE=\n");

// What the scripted dialog types into its fields; an unset field keeps the dialog's text.
struct Typed {
    std::optional<QString> product;
    std::optional<QString> aisle;
    std::optional<QString> sector;
    std::optional<double> price;
};

void fill(Tfrm_saiprod& dlg, const Typed& t) {
    if (t.product)
        dlg.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(*t.product);
    if (t.aisle)
        dlg.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setEditText(*t.aisle);
    if (t.sector)
        dlg.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setEditText(*t.sector);
    if (t.price)
        dlg.findChild<CalcEdit*>(QStringLiteral("RxCalcEdit1"))->setValue(*t.price);
}

// The dialog as the user fills it and presses OK.
std::function<int(Tfrm_saiprod&)> typeAndAccept(const Typed& t) {
    return [t](Tfrm_saiprod& dlg) {
        fill(dlg, t);
        dlg.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        return dlg.result();
    };
}

QList<QWidget*> productCommands(Tfrm_main& w) {
    return {gui::part<QToolButton>(w, "spd_btn_editprod"),
            gui::part<QToolButton>(w, "spd_btn_editprod2"),
            gui::part<QToolButton>(w, "spd_btn_supproduit"),
            gui::part<QToolButton>(w, "spd_btn_newprod")};
}

// A command's own enabled state (the sheet's button is also disabled with its sheet).
bool enabled(QWidget* c) {
    return c->isEnabledTo(c->parentWidget());
}

// Chooses a tree node by its text (and its sector's, for an aisle), as a press on it does.
void chooseNode(Tfrm_main& w, const QString& sector, const QString& aisle = QString()) {
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(); ++i)
        if (gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(i)->text(0) == sector)
            node = gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(i);
    QVERIFY(node);
    if (!aisle.isEmpty()) {
        QTreeWidgetItem* sectorNode = node;
        node = nullptr;
        for (int i = 0; i < sectorNode->childCount(); ++i)
            if (sectorNode->child(i)->text(0) == aisle)
                node = sectorNode->child(i);
        QVERIFY(node);
    }
    gui::part<QTreeWidget>(w, "TreeView1")->setCurrentItem(node);
    if (aisle.isEmpty())
        w.commands().treePress(0, sector);
    else
        w.commands().treePress(1, aisle, sector);
}

void filterOn(Tfrm_main& w) {
    QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
    QVERIFY(w.data().shopFilterOn());
}

QString currentProduct(Tfrm_main& w) {
    return w.table1().hasCurrent() ? w.table1().text(Cat::Produit) : QString();
}

// The product the catalogue grid highlights.
QString highlightedProduct(gui::Run& run) {
    const int row = gui::part<RecordGrid>(*run.window, "RxDBGrid1")->currentIndex().row();
    return row < 0 ? QString() : run.catalogueCell(row, 2);
}

} // namespace

class TestMainWindowProducts : public QObject {
    Q_OBJECT

private slots:
    void firstProductOfAnEmptyCatalogue() {
        gui::Run run;
        run.writeIni(QStringLiteral("[SAISIE]\nNv_produit=0\n"
                                    "[TITRE]\nTitre3=Magasin\nColonne1=Allée\nColonne2=Article\n"));
        Tfrm_main& w = run.start({run.writeList(QStringLiteral("vide.pnv"), kEmptyList)});
        QVERIFY(!gui::part<QFrame>(w, "Panel7")->isEnabled());
        for (QWidget* c : productCommands(w))
            QVERIFY(enabled(c));

        QStringList labels;
        run.hooks.productDialogExec = [&labels](Tfrm_saiprod& dlg) {
            for (const char* name : {"Label1", "Label5", "Label2"})
                labels << dlg.findChild<QLabel*>(QString::fromLatin1(name))->text();
            return typeAndAccept({QStringLiteral("Farine"), QString::fromUtf8("Épicerie"),
                                  QString::fromUtf8("Supermarché"), 1.2})(dlg);
        };
        gui::part<QToolButton>(w, "spd_btn_newprod")->click();

        // The dialog is labelled with the window's own titles.
        QCOMPARE(labels, (QStringList{QStringLiteral("Magasin"), QString::fromUtf8("Allée"),
                                      QStringLiteral("Article")}));
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(), 1);
        QTreeWidgetItem* sector = gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(0);
        QCOMPARE(sector->text(0), QString::fromUtf8("Supermarché"));
        QCOMPARE(sector->childCount(), 1);
        QCOMPARE(sector->child(0)->text(0), QString::fromUtf8("Épicerie"));
        QCOMPARE(run.catalogueRows(), 1);
        QCOMPARE(w.table1().integer(Cat::id_prod), 1);
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit1")->text(), QStringLiteral("Farine"));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        // The sheet now has a product; the commands stay usable for the next products although
        // the setting disables them.
        QVERIFY(gui::part<QFrame>(w, "Panel7")->isEnabled());
        for (QWidget* c : productCommands(w))
            QVERIFY(enabled(c));
        QVERIFY(gui::part<QMenu>(w, "Menu_produit")->menuAction()->isEnabled());

        // Deleting the only product leaves a catalogue where a product can be created again.
        run.platform.answer(Button::Yes);
        gui::part<QToolButton>(w, "spd_btn_supproduit")->click();
        QCOMPARE(run.platform.lastMessage().text,
                 QStringLiteral("Suppression du produit\rFarine\r\rConfirmez ?"));
        QCOMPARE(run.catalogueRows(), 0);
        QVERIFY(!gui::part<QFrame>(w, "Panel7")->isEnabled());
        QVERIFY(gui::part<QLineEdit>(w, "DBEdit1")->text().isEmpty());
        for (QWidget* c : productCommands(w))
            QVERIFY(enabled(c));
        // The tree keeps its nodes.
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItem(0)->childCount(), 1);
    }

    void newProductUnderTheChosenSector() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        filterOn(w); // the first sector, Boulangerie, is chosen
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->currentItem()->text(0),
                 QStringLiteral("Boulangerie"));
        QCOMPARE(run.catalogueRows(), 1);

        run.hooks.productDialogExec = typeAndAccept(
            {QStringLiteral("Croissant"), QStringLiteral("Viennoiseries"), std::nullopt, 0.95});
        gui::part<QAction>(w, "smenu_prodnew")->trigger();

        QTreeWidgetItem* chosen = gui::part<QTreeWidget>(w, "TreeView1")->currentItem();
        QVERIFY(chosen);
        QCOMPARE(chosen->text(0), QStringLiteral("Boulangerie"));
        QVERIFY(!chosen->parent());
        QCOMPARE(chosen->childCount(), 2);
        QCOMPARE(chosen->child(1)->text(0), QStringLiteral("Viennoiseries"));
        QCOMPARE(run.catalogueRows(), 2);
        QCOMPARE(currentProduct(w), QStringLiteral("Croissant"));
        QCOMPARE(highlightedProduct(run), QStringLiteral("Croissant"));
        QCOMPARE(w.table1().integer(Cat::id_prod), 4);
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QStringLiteral("Boulangerie"));
    }

    void editWithTheFilterOnAnAisle() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        filterOn(w);
        chooseNode(w, QString::fromUtf8("Supermarché"), QString::fromUtf8("Épicerie")); // Riz
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(),
                 QString::fromUtf8("Supermarché / Épicerie"));
        QCOMPARE(run.catalogueRows(), 1);
        QCOMPARE(currentProduct(w), QStringLiteral("Riz"));

        // Riz moves to the aisle Frais, where Lait is.
        run.hooks.productDialogExec = typeAndAccept(
            {QStringLiteral("Riz long"), QStringLiteral("Frais"), std::nullopt, std::nullopt});
        gui::part<QToolButton>(w, "spd_btn_editprod")->click();

        QTreeWidgetItem* chosen = gui::part<QTreeWidget>(w, "TreeView1")->currentItem();
        QVERIFY(chosen && chosen->parent());
        QCOMPARE(chosen->text(0), QStringLiteral("Frais"));
        QCOMPARE(chosen->parent()->text(0), QString::fromUtf8("Supermarché"));
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(),
                 QString::fromUtf8("Supermarché / Frais"));
        QCOMPARE(run.catalogueRows(), 2);
        QCOMPARE(currentProduct(w), QStringLiteral("Riz long"));
        QCOMPARE(highlightedProduct(run), QStringLiteral("Riz long"));
        QCOMPARE(gui::part<QLineEdit>(w, "DBEdit1")->text(), QStringLiteral("Riz long"));
        QCOMPARE(w.table1().integer(Cat::id_prod), 3);
        // The other product of the aisle is untouched.
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Lait")));
        QCOMPARE(w.table1().integer(Cat::id_prod), 1);
        QCOMPARE(w.table1().real(Cat::Prix), 0.99);
    }

    void editWithoutChosenNodeLeavesTheTreeUnchosen() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        QVERIFY(!gui::part<QTreeWidget>(w, "TreeView1")->currentItem());
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Baguette")));
        run.hooks.productDialogExec =
            typeAndAccept({std::nullopt, QStringLiteral("Pains"), std::nullopt, 1.3});
        gui::part<QToolButton>(w, "spd_btn_editprod2")->click();
        QVERIFY(!gui::part<QTreeWidget>(w, "TreeView1")->currentItem());
        QCOMPARE(gui::part<QLabel>(w, "lbl_eliste")->text(), QString::fromUtf8("Liste complète"));
        QCOMPARE(currentProduct(w), QStringLiteral("Baguette"));
        QCOMPARE(w.table1().real(Cat::Prix), 1.3);
    }

    void editedPriceChangesTheTotal() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        const RegionalSettings fr = run.platform.regional();
        // Lait: 2 × 0,99.
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 report::listTotalText(Money::fromRaw(19800), fr));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   2"));

        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Lait")));
        run.hooks.productDialogExec =
            typeAndAccept({std::nullopt, std::nullopt, std::nullopt, 2.0});
        gui::part<QAction>(w, "smenu_prodedit")->trigger();
        QCOMPARE(w.data().total().price, Money::fromRaw(40000));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 report::listTotalText(Money::fromRaw(40000), fr));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), QString::fromUtf8("   4,00\u00a0€"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   2"));
    }

    void priceTypedOnTheSheetReachesTheDialog() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Riz")));
        gui::part<QLineEdit>(w, "DBEdit3")->setText(QStringLiteral("21"));
        gui::part<QLineEdit>(w, "DBEdit3")->setModified(true);
        int period = -1;
        run.hooks.productDialogExec = [&period](Tfrm_saiprod& dlg) {
            period = dlg.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->value();
            return int(QDialog::Rejected);
        };
        gui::part<QToolButton>(w, "spd_btn_editprod")->click();
        QCOMPARE(period, 21);
        QCOMPARE(w.table1().integer(Cat::Duree_rappel), 21);
    }

    void deleteAListedProduct() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Lait")));

        run.platform.answer(Button::No);
        gui::part<QAction>(w, "smenu_prodsup")->trigger();
        QCOMPARE(run.platform.lastMessage().defaultButton, Button::No);
        QCOMPARE(run.catalogueRows(), 3);
        QVERIFY(!w.data().modified());

        run.platform.answer(Button::Yes);
        gui::part<QToolButton>(w, "spd_btn_supproduit")->click();
        QCOMPARE(run.catalogueRows(), 2);
        QVERIFY(!w.table1().locate(Cat::Produit, QStringLiteral("Lait")));
        QVERIFY(w.data().modified());
        // The list row stays, and no longer counts.
        QCOMPARE(run.listRows(), 1);
        QCOMPARE(w.table2().text(Lst::Produit), QStringLiteral("Lait"));
        QCOMPARE(w.data().total().price, Money());
        QCOMPARE(w.data().total().units, 0);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 report::listTotalText(Money(), run.platform.regional()));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   0"));
    }

    void theDialogItselfShowsModally() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        run.show();
        bool seen = false;
        QTimer::singleShot(0, [&seen, &w] {
            auto* dlg = qobject_cast<Tfrm_saiprod*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            seen = true;
            QVERIFY(dlg->isModal());
            QCOMPARE(dlg->parentWidget(), &w);
            fill(*dlg, {QStringLiteral("Beurre"), QStringLiteral("Frais"), std::nullopt, 2.1});
            dlg->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        });
        gui::part<QToolButton>(w, "spd_btn_newprod")->click();
        QVERIFY(seen);
        QCOMPARE(run.catalogueRows(), 4);
        QCOMPARE(currentProduct(w), QStringLiteral("Beurre"));
        QCOMPARE(w.table1().text(Cat::Secteur), QString::fromUtf8("Supermarché"));
    }

    void everyControlOpensTheDialogAndCancelChangesNothing() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        QStringList titles;
        run.hooks.productDialogExec = [&titles](Tfrm_saiprod& dlg) {
            titles << dlg.windowTitle();
            return int(QDialog::Rejected);
        };
        gui::part<QToolButton>(w, "spd_btn_newprod")->click();
        gui::part<QAction>(w, "smenu_prodnew")->trigger();
        gui::part<QToolButton>(w, "spd_btn_editprod")->click();
        gui::part<QToolButton>(w, "spd_btn_editprod2")->click();
        gui::part<QAction>(w, "smenu_prodedit")->trigger();
        const QString create = QStringLiteral("Définition d'un nouveau produit ");
        const QString correct = QStringLiteral("Correction d'un produit");
        QCOMPARE(titles, (QStringList{create, create, correct, correct, correct}));
        QCOMPARE(run.catalogueRows(), 3);
        QCOMPARE(gui::part<QTreeWidget>(w, "TreeView1")->topLevelItemCount(), 2);
        QVERIFY(!w.data().modified());
    }

    void editAndDeleteNeedAProduct() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList(QStringLiteral("vide.pnv"), kEmptyList)});
        int shown = 0;
        run.hooks.productDialogExec = [&shown](Tfrm_saiprod&) {
            ++shown;
            return int(QDialog::Accepted);
        };
        gui::part<QToolButton>(w, "spd_btn_editprod")->click();
        gui::part<QToolButton>(w, "spd_btn_supproduit")->click();
        QCOMPARE(shown, 0);
        QVERIFY(run.platform.messages.isEmpty());
        QVERIFY(!w.data().modified());
    }
};

KABIRO_TEST_MAIN(TestMainWindowProducts)
#include "test_main_window_products.moc"
