// The "Liste-type" menu of the main window: its first building (file created, products
// renumbered, list written), new list types, applying one, deletion from the Options dialog, and
// the menu's state across new, open and save as.

#include "main_window_fixture.h"
#include "modal_driver.h"
#include "support/test_registry.h"

#include "dialogs/list_type_menu.h"
#include "dialogs/lsttyp.h"
#include "dialogs/newliste.h"
#include "dialogs/paracha.h"
#include "model/list_file.h"
#include "model/shopping_tables.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using Button = Platform::Button;

namespace {

// The example list in the run's directory.
QString copyExample(gui::Run& run) {
    const QString path = run.path(QStringLiteral("kabiro.pnv"));
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv"), path))
        qFatal("cannot copy the example list");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// The example list with its products numbered out of order (1000, 997, 994...).
QString scrambledExample(gui::Run& run) {
    const QString path = copyExample(run);
    ShoppingData d;
    QString error;
    if (!listfile::load(path, d, &error))
        qFatal("cannot read the example list");
    RecordTable& t = d.catalogue;
    for (int pos = 0; pos < t.recordCount(); ++pos) {
        t.setCurrentPos(pos);
        t.edit();
        t.setInteger(Cat::id_prod, 1000 - 3 * pos);
        t.post();
    }
    if (!listfile::save(path, d, &error))
        qFatal("cannot write the example list");
    return path;
}

void writeListTypes(gui::Run& run, const QString& lines) {
    gui::writeText(run.path(QStringLiteral("kabiro.ltl")),
                   QStringLiteral("[LISTE-TYPE]\n") + lines);
}

void openMenu(Tfrm_main& w) {
    emit gui::part<QMenu>(w, "Listetype1")->aboutToShow();
}

// The list-type entries of the menu, as captioned.
QStringList entries(Tfrm_main& w) {
    QStringList out;
    const QList<QAction*> all = gui::part<QMenu>(w, "Listetype1")->actions();
    for (qsizetype i = 1; i < all.size(); ++i)
        if (!all[i]->isSeparator())
            out << listtypemenu::caption(all[i]);
    return out;
}

QAction* entry(Tfrm_main& w, const QString& caption) {
    for (QAction* a : gui::part<QMenu>(w, "Listetype1")->actions())
        if (a != gui::part<QAction>(w, "Nouvellelistetype1") && !a->isSeparator() &&
            listtypemenu::caption(a) == caption)
            return a;
    return nullptr;
}

// Quantity of the list row of that product; 0 when the product is not on the list.
int quantity(Tfrm_main& w, const QString& product) {
    const RecordTable& t = w.table2();
    for (int pos = 0; pos < t.recordCount(); ++pos)
        if (RecordTable::textOf(t.recordAt(pos), Lst::Produit) == product)
            return RecordTable::integerOf(t.recordAt(pos), Lst::unite_vente).value_or(0);
    return 0;
}

QList<qint32> ids(const RecordTable& t) {
    QList<qint32> out;
    for (int pos = 0; pos < t.recordCount(); ++pos)
        out << RecordTable::integerOf(t.recordAt(pos), Cat::id_prod).value_or(-1);
    return out;
}

QStringList names(const RecordTable& t) {
    QStringList out;
    for (int pos = 0; pos < t.recordCount(); ++pos)
        out << RecordTable::textOf(t.recordAt(pos), Cat::Produit);
    return out;
}

const QString kCafe = QStringLiteral("Café moulu pur arabica 250 g"); // 1, on the list (1)
const QString kRiz = QStringLiteral("Riz basmati 1 kg");              // 2
const QString kEau = QStringLiteral("Eau minérale 6 x 1,5 L");        // 17
const QString kChampagne = QStringLiteral("Champagne brut");          // 19
const QString kPain = QStringLiteral("Pain de campagne");             // 35, on the list (1)
const QString kBaguette = QStringLiteral("Baguette tradition");       // 34

// Applies a list type from its menu entry and ends the box with Ok (or its close box); returns
// the count line the box showed.
QString apply(Tfrm_main& w, const QString& caption, bool withOk = true) {
    QString shown;
    gui::whenModal<Tfrm_liste>(
        [&shown, withOk](Tfrm_liste& d) {
            shown = gui::child<QLabel>(&d, "Label2")->text();
            if (withOk)
                gui::child<QPushButton>(&d, "Button1")->click();
            else
                d.close();
        },
        [](Tfrm_liste& d) { return d.applied(); });
    QAction* a = entry(w, caption);
    if (!a)
        qWarning("no entry %s", qPrintable(caption));
    else
        a->trigger();
    return shown;
}

void filterOnFirstSector(Tfrm_main& w) {
    QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
}

} // namespace

class TestMainWindowListTypes : public QObject {
    Q_OBJECT

private slots:
    void firstOpeningCreatesTheFileRenumbersAndWritesTheList() {
        gui::Run run;
        const QString path = scrambledExample(run);
        Tfrm_main& w = run.start({path});
        const QString ltl = run.path(QStringLiteral("kabiro.ltl"));
        QCOMPARE(w.listTypePath(), ltl);
        QVERIFY(!QFile::exists(ltl));
        // Renumbering takes every product, whatever the shop filter.
        filterOnFirstSector(w);
        QVERIFY(w.data().shopFilterOn());
        const QStringList order = names(w.table1());

        openMenu(w);

        QCOMPARE(gui::readBytes(ltl), QByteArray("[LISTE-TYPE]\r\n"));
        QList<qint32> expected;
        for (int n = 1; n <= w.table1().recordCount(); ++n)
            expected << n;
        QCOMPARE(w.table1().recordCount(), 63);
        QCOMPARE(ids(w.table1()), expected);
        QCOMPARE(names(w.table1()), order);
        // The list file holds the new numbers: nothing is left to save.
        ShoppingData onDisk;
        QString error;
        QVERIFY(listfile::load(path, onDisk, &error));
        QCOMPARE(ids(onDisk.catalogue), expected);
        QVERIFY(!w.data().modified());
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        // The filter is back on and the menu shows no list type.
        QVERIFY(w.data().shopFilterOn());
        QVERIFY(w.table1().filtered());
        QVERIFY(static_cast<int>(w.table1().visiblePositions().size()) < 63);
        QCOMPARE(gui::part<QMenu>(w, "Listetype1")->actions().size(), 2);
        QVERIFY(run.platform.messages.isEmpty());

        // Built once per list: opening the menu again neither recreates the file nor renumbers.
        QVERIFY(!w.listTypeMenuStale());
        QVERIFY(QFile::remove(ltl));
        openMenu(w);
        QVERIFY(!QFile::exists(ltl));
        QCOMPARE(ids(w.table1()), expected);
    }

    void anExistingFileFillsTheMenuInFileOrderWithoutWriting() {
        gui::Run run;
        const QString path = copyExample(run);
        writeListTypes(run, QStringLiteral("SEMAINE=-1-2-\nAPERO=-19-20-\n"));
        const QByteArray before = gui::readBytes(path);
        Tfrm_main& w = run.start({path});
        openMenu(w);
        QCOMPARE(entries(w), (QStringList{QStringLiteral("SEMAINE"), QStringLiteral("APERO")}));
        QCOMPARE(gui::readBytes(path), before);
        QVERIFY(!w.data().modified());
    }

    void newListTypeSavesTheListedProducts() {
        gui::Run run;
        const QString path = copyExample(run);
        Tfrm_main& w = run.start({path});
        openMenu(w);
        QString preset;
        gui::whenModal<Tfrm_nliste>([&preset](Tfrm_nliste& d) {
            auto* name = gui::child<QLineEdit>(&d, "Edit1");
            preset = name->text();
            name->setText(QStringLiteral("Courses semaine"));
            gui::child<QPushButton>(&d, "BitBtn2")->click();
        });
        gui::part<QAction>(w, "Nouvellelistetype1")->trigger();
        QCOMPARE(preset, QStringLiteral("NOUVELLE-LISTE-1"));
        QCOMPARE(gui::readBytes(run.path(QStringLiteral("kabiro.ltl"))),
                 QByteArray("[LISTE-TYPE]\r\nCOURSES SEMAINE=-1-11-26-35-43-58-\r\n"));
        QCOMPARE(entries(w), QStringList{QStringLiteral("COURSES SEMAINE")});

        // The next preset counts the list type just added; Cancel adds nothing.
        gui::whenModal<Tfrm_nliste>([&preset](Tfrm_nliste& d) {
            preset = gui::child<QLineEdit>(&d, "Edit1")->text();
            gui::child<QPushButton>(&d, "BitBtn1")->click();
        });
        gui::part<QAction>(w, "Nouvellelistetype1")->trigger();
        QCOMPARE(preset, QStringLiteral("NOUVELLE-LISTE-2"));
        QCOMPARE(entries(w), QStringList{QStringLiteral("COURSES SEMAINE")});

        // Saving again under the same name replaces its products; the menu gains a second entry
        // of that name, and both apply the new products.
        QVERIFY(w.table1().locate(Cat::Produit, kCafe));
        w.commands().removeOne(); // the first list row is the bread
        QVERIFY(w.table1().locate(Cat::Produit, kCafe));
        w.table1().edit();
        w.table1().setText(Cat::color, Flag::NotListed);
        w.table1().post();
        gui::whenModal<Tfrm_nliste>([](Tfrm_nliste& d) {
            gui::child<QLineEdit>(&d, "Edit1")->setText(QStringLiteral("courses semaine"));
            gui::child<QPushButton>(&d, "BitBtn2")->click();
        });
        gui::part<QAction>(w, "Nouvellelistetype1")->trigger();
        QCOMPARE(entries(w), (QStringList{QStringLiteral("COURSES SEMAINE"),
                                          QStringLiteral("COURSES SEMAINE")}));
        QCOMPARE(gui::readBytes(run.path(QStringLiteral("kabiro.ltl"))),
                 QByteArray("[LISTE-TYPE]\r\nCOURSES SEMAINE=-11-26-43-58-\r\n"));
    }

    void applyingAddsItsProductsAndMarksTheEntry() {
        gui::Run run;
        const QString path = copyExample(run);
        writeListTypes(run, QStringLiteral("SEMAINE=-1-2-17-999-\nAPERO=-19-\n"));
        Tfrm_main& w = run.start({path});
        openMenu(w);
        const int rows = w.table2().recordCount();
        const int units = w.data().total().units;
        QCOMPARE(quantity(w, kCafe), 1);

        QCOMPARE(apply(w, QStringLiteral("SEMAINE")), QStringLiteral("Ajout de 3 produits"));
        QCOMPARE(quantity(w, kCafe), 2);
        QCOMPARE(quantity(w, kRiz), 1);
        QCOMPARE(quantity(w, kEau), 1);
        QCOMPARE(w.table2().recordCount(), rows + 2);
        QCOMPARE(w.data().total().units, units + 3);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(),
                 QStringLiteral(" %1").arg(units + 3, 3));
        QVERIFY(w.data().modified());
        QAction* semaine = entry(w, QStringLiteral("SEMAINE"));
        QVERIFY(semaine->isChecked());

        // Closed with its close box: the products are added all the same, no mark.
        QCOMPARE(apply(w, QStringLiteral("APERO"), false), QStringLiteral("Ajout de 1 produits"));
        QCOMPARE(quantity(w, kChampagne), 1);
        QVERIFY(!entry(w, QStringLiteral("APERO"))->isChecked());

        // A mark stays when the list type is applied again and the box closed without Ok.
        apply(w, QStringLiteral("SEMAINE"), false);
        QCOMPARE(quantity(w, kCafe), 3);
        QVERIFY(semaine->isChecked());
    }

    void aBoxActivatedTwiceAddsOnce() {
        gui::Run run;
        const QString path = copyExample(run);
        writeListTypes(run, QStringLiteral("SEMAINE=-1-2-\n"));
        Tfrm_main& w = run.start({path});
        openMenu(w);
        gui::whenModal<Tfrm_liste>(
            [](Tfrm_liste& d) {
                for (int i = 0; i < 2; ++i) {
                    QEvent activate(QEvent::WindowActivate);
                    QApplication::sendEvent(&d, &activate);
                }
                gui::child<QPushButton>(&d, "Button1")->click();
            },
            [](Tfrm_liste& d) { return d.applied(); });
        entry(w, QStringLiteral("SEMAINE"))->trigger();
        QCOMPARE(quantity(w, kCafe), 2);
        QCOMPARE(quantity(w, kRiz), 1);
    }

    void applyingUnderTheShopFilterKeepsItsTotal() {
        gui::Run run;
        const QString path = copyExample(run);
        writeListTypes(run, QStringLiteral("SEMAINE=-1-2-34-\n"));
        Tfrm_main& w = run.start({path});
        openMenu(w);
        filterOnFirstSector(w); // the bakery: bread on the list
        QCOMPARE(w.data().listLabel(), QStringLiteral("Boulangerie"));
        const int units = w.data().total().units;
        QCOMPARE(units, 1);

        QCOMPARE(apply(w, QStringLiteral("SEMAINE")), QStringLiteral("Ajout de 3 produits"));
        // Only the baguette belongs to the sector shown.
        QCOMPARE(w.data().total().units, units + 1);
        QCOMPARE(quantity(w, kBaguette), 1);
        QCOMPARE(quantity(w, kCafe), 2);
        QVERIFY(w.data().shopFilterOn());
        QVERIFY(w.table2().filtered());
        QCOMPARE(static_cast<int>(w.table2().visiblePositions().size()), 2);
        QCOMPARE(quantity(w, kPain), 1);
    }

    void deletingInTheOptionsDialogRemovesTheEntry() {
        gui::Run run;
        const QString path = copyExample(run);
        writeListTypes(run, QStringLiteral("SEMAINE=-1-2-\nAPERO=-19-20-\n"));
        Tfrm_main& w = run.start({path});
        openMenu(w);
        run.platform.answer(Button::Yes);
        gui::whenModal<Tfrm_param>([](Tfrm_param& d) {
            auto* list = gui::child<QListWidget>(&d, "ListBox1");
            list->setCurrentRow(1);
            gui::child<QToolButton>(&d, "SpeedButton1")->click();
            d.reject(); // Cancel does not bring it back
        });
        gui::part<QAction>(w, "smenu_options")->trigger();
        QCOMPARE(run.platform.lastMessage().title,
                 QStringLiteral("Confirmer la suppression définitive"));
        QCOMPARE(entries(w), QStringList{QStringLiteral("SEMAINE")});
        QCOMPARE(gui::readBytes(run.path(QStringLiteral("kabiro.ltl"))),
                 QByteArray("[LISTE-TYPE]\r\nSEMAINE=-1-2-\r\n"));
        openMenu(w);
        QCOMPARE(entries(w), QStringList{QStringLiteral("SEMAINE")});
    }

    void newDisablesTheMenuOpenRebuildsItSaveAsKeepsIt() {
        gui::Run run;
        const QString path = copyExample(run);
        writeListTypes(run, QStringLiteral("SEMAINE=-1-2-\n"));
        Tfrm_main& w = run.start({path});
        openMenu(w);
        QCOMPARE(entries(w), QStringList{QStringLiteral("SEMAINE")});

        // Save as: the entries stay, built for the former name.
        const QString other = run.path(QStringLiteral("autre.pnv"));
        run.platform.saveAnswer(other);
        gui::part<QAction>(w, "smenu_enregistrer_sous")->trigger();
        QCOMPARE(w.listFileName(), other);
        QCOMPARE(entries(w), QStringList{QStringLiteral("SEMAINE")});
        QVERIFY(!w.listTypeMenuStale());
        QVERIFY(gui::part<QMenu>(w, "Listetype1")->isEnabled());
        QCOMPARE(w.listTypePath(), run.path(QStringLiteral("autre.ltl")));

        // New: the menu cannot be opened.
        gui::part<QAction>(w, "smenu_nouveau")->trigger();
        QVERIFY(!gui::part<QMenu>(w, "Listetype1")->isEnabled());
        QVERIFY(!gui::part<QMenu>(w, "Listetype1")->menuAction()->isEnabled());

        // Open: enabled, emptied, and filled again from the opened list's file when it opens.
        run.platform.openAnswer(path);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QVERIFY(gui::part<QMenu>(w, "Listetype1")->isEnabled());
        QVERIFY(w.listTypeMenuStale());
        QCOMPARE(gui::part<QMenu>(w, "Listetype1")->actions().size(), 2);
        openMenu(w);
        QCOMPARE(entries(w), QStringList{QStringLiteral("SEMAINE")});
    }

    void anUnreadableListAtStartLeavesTheMenuClosed() {
        gui::Run run;
        // The second sector line lies two levels below the first: the file cannot be read.
        const QString path = run.writeList(
            QStringLiteral("kabiro.pnv"),
            QStringLiteral("[RAYON]\nA\n\t\tB\n[LISTE]\n[PRODUIT]\n[SAISIE]\nDATE=\n"));
        Tfrm_main& w = run.start({path});
        QCOMPARE(w.listFileName(), Tfrm_main::newListName());
        QVERIFY(!gui::part<QMenu>(w, "Listetype1")->isEnabled());
        // Opening a list enables it.
        const QString good = copyExample(run);
        run.platform.openAnswer(good);
        gui::part<QAction>(w, "smenu_ouvrir")->trigger();
        QVERIFY(gui::part<QMenu>(w, "Listetype1")->isEnabled());
    }

    void aListTypeFileThatCannotBeCreatedIsReported() {
        gui::Run run;
        const QString path = copyExample(run);
        const QByteArray before = gui::readBytes(path);
        // A start-up directory that does not exist: no list-type file can be made there.
        QDir::setCurrent(run.dir.path());
        StartOptions options;
        options.arguments = {path};
        options.startDirectory = run.path(QStringLiteral("absent"));
        run.window = std::make_unique<Tfrm_main>(run.platform, options);
        Tfrm_main& w = *run.window;
        openMenu(w);
        QCOMPARE(run.platform.messages.size(), 1);
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        QVERIFY(run.platform.lastMessage().text.contains(QStringLiteral("kabiro.ltl")));
        QCOMPARE(gui::readBytes(path), before);
        QVERIFY(!w.data().modified());
        QCOMPARE(gui::part<QMenu>(w, "Listetype1")->actions().size(), 2);
        // The menu counts as built: no second message.
        openMenu(w);
        QCOMPARE(run.platform.messages.size(), 1);
    }
};

KABIRO_TEST_MAIN(TestMainWindowListTypes)
#include "test_main_window_listtypes.moc"
