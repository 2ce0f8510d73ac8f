#include "dialogs/convert.h"
#include "dialogs/global_operations_command.h"
#include "dialogs/list_type_menu.h"
#include "dialogs/lsttyp.h"
#include "dialogs/newliste.h"
#include "dialogs/paracha.h"
#include "dialogs/req_glob.h"
#include "model/list_file.h"
#include "model/shopping_commands.h"
#include "model/win1252.h"
#include "support/scripted_platform.h"
#include "support/test_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

void addProduct(ShoppingData& d, const QString& sector, const QString& name, qint32 id,
                double price, const QString& planned = Flag::No, bool listed = false) {
    RecordTable& t = d.catalogue;
    t.append();
    t.setText(Cat::Secteur, sector);
    t.setText(Cat::Rayon, sector + " r");
    t.setText(Cat::Produit, name);
    t.setText(Cat::color, listed ? Flag::Listed : Flag::NotListed);
    t.setInteger(Cat::id_prod, id);
    t.setReal(Cat::Prix, price);
    t.setText(Cat::prevu, planned);
    t.setText(Cat::Rappel, Flag::No);
    t.setInteger(Cat::Duree_rappel, 12);
    t.setDate(Cat::date_dern_achat, QDate(2026, 1, 1));
    t.post();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

template <typename T> T* child(QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QString labelText(QWidget* w, const char* name) {
    return child<QLabel>(w, name)->text();
}

} // namespace

class TestToolDialogs : public QObject {
    Q_OBJECT
private slots:
    // ---------------------------------------------------------------- Options

    void optionsShowDefaultsSliderAndExport() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.path());
        QCOMPARE(dlg.size(), QSize(451, 388));
        QCOMPARE(dlg.windowTitle(), QString("Paramétrages"));
        // No settings file: the dialog's own defaults.
        QCOMPARE(dlg.settings(), [] {
            AppSettings s = AppSettings::dialogDefaults();
            s.euroRate = 6.55957;
            return s;
        }());
        QCOMPARE(labelText(&dlg, "Label6"), QString("30%"));
        QCOMPARE(child<QLineEdit>(&dlg, "Edit3")->text(), QString("Magasins"));
        QCOMPARE(labelText(&dlg, "Label14"), QString("kabiro.pnv"));

        child<QSlider>(&dlg, "TrackBar1")->setValue(0);
        QCOMPARE(labelText(&dlg, "Label6"), QString("0%"));
        QCOMPARE(dlg.settings().delayCoef, 0);
        child<QSlider>(&dlg, "TrackBar1")->setValue(7);
        QCOMPARE(labelText(&dlg, "Label6"), QString("70%"));

        auto* exportBox = child<QCheckBox>(&dlg, "chk_box_edition");
        QVERIFY(exportBox->isChecked());
        exportBox->click();
        QVERIFY(exportBox->isChecked());
        QTest::mouseClick(exportBox, Qt::LeftButton);
        QVERIFY(exportBox->isChecked());
        // The converter box is an ordinary check box.
        auto* conv = child<QCheckBox>(&dlg, "CheckBox7");
        conv->click();
        QVERIFY(!conv->isChecked());
    }

    void optionsReadTheFileOfTheirDirectory() {
        QTemporaryDir dir;
        writeFile(dir.filePath("kabiro.ini"), "[SAISIE]\r\nCoef_delai=0x5\r\nNbj_renouve=20\r\n"
                                              "[EDITION]\r\nHTML=2\r\n[PRESENTATION]\r\n"
                                              "Val-euro=9\r\n");
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        ScriptedPlatform p;
        Tfrm_param dlg(p, 6.55957, "/elsewhere/courses.pnv");
        QDir::setCurrent(before);
        QCOMPARE(dlg.settingsPath(), dir.path() + "/kabiro.ini");
        QCOMPARE(dlg.listTypePath(), dir.path() + "/courses.ltl");
        const AppSettings s = dlg.settings();
        QCOMPARE(s.delayCoef, 5);
        QCOMPARE(labelText(&dlg, "Label6"), QString("50%"));
        QCOMPARE(s.renewDays, 20);
        QVERIFY(s.html);
        QCOMPARE(s.euroRate, 6.55957); // the main window's rate, not the file's
    }

    void optionsListTypes() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        {
            // No list-type file: empty list, the delete button disabled.
            Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.path());
            QCOMPARE(child<QListWidget>(&dlg, "ListBox1")->count(), 0);
            QVERIFY(!child<QToolButton>(&dlg, "SpeedButton1")->isEnabled());
        }
        const QString ltl = dir.filePath("kabiro.ltl");
        writeFile(ltl, "[LISTE-TYPE]\r\nSEMAINE=-1-2-\r\nFETE=-3-\r\n");
        Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.path());
        QSignalSpy deleted(&dlg, &Tfrm_param::listTypeDeleted);
        auto* list = child<QListWidget>(&dlg, "ListBox1");
        auto* del = child<QToolButton>(&dlg, "SpeedButton1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("SEMAINE"));
        QVERIFY(del->isEnabled());

        // Nothing selected: nothing asked, nothing removed.
        del->click();
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(list->count(), 2);

        // Answered No: nothing removed.
        list->setCurrentRow(0);
        p.answer(Platform::Button::No);
        del->click();
        QCOMPARE(p.messages.size(), 1);
        const Platform::Message m = p.lastMessage();
        QCOMPARE(m.title, QString("Confirmer la suppression définitive"));
        QCOMPARE(m.text, QString("Etes-vous sûr de vouloir supprimer cette liste-type ?"));
        QCOMPARE(m.icon, Platform::Icon::Question);
        QCOMPARE(m.buttons, QList<Platform::Button>({Platform::Button::Yes, Platform::Button::No}));
        QCOMPARE(m.defaultButton, Platform::Button::No);
        QCOMPARE(list->count(), 2);
        QCOMPARE(deleted.count(), 0);

        // Yes: gone from the list, the file and (through the signal) the menu.
        QMenu menu;
        menu.addAction("Nouvelle liste type");
        menu.addSeparator();
        listtypemenu::addEntry(&menu, "SEMAINE");
        listtypemenu::addEntry(&menu, "FETE");
        listtypemenu::addEntry(&menu, "SEMAINE");
        connect(&dlg, &Tfrm_param::listTypeDeleted, &menu,
                [&menu](const QString& name) { listtypemenu::removeEntries(&menu, name); });
        p.answer(Platform::Button::Yes);
        del->click();
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.at(0).at(0).toString(), QString("SEMAINE"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(readAll(ltl), QByteArray("[LISTE-TYPE]\r\nFETE=-3-\r\n"));
        QStringList captions;
        for (QAction* a : menu.actions())
            captions << (a->isSeparator() ? "--" : listtypemenu::caption(a));
        QCOMPARE(captions, QStringList({"Nouvelle liste type", "--", "FETE"}));
        QVERIFY(del->isEnabled());

        // The last one: the button goes grey. Cancel does not bring anything back.
        list->setCurrentRow(0);
        p.answer(Platform::Button::Yes);
        del->click();
        QCOMPARE(list->count(), 0);
        QVERIFY(!del->isEnabled());
        child<QPushButton>(&dlg, "BitBtn1")->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(readAll(ltl), QByteArray("[LISTE-TYPE]\r\n"));
    }

    void optionsColourButtons() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.path());
        p.colorAnswer(0x123456);
        child<QToolButton>(&dlg, "spdbtn_color_titre2")->click();
        QCOMPARE(p.colorCustoms.size(), 1);
        // Edit1, Edit2, Edit3, edt_pnl1, edt_pnl2, edt_pnl3.
        QCOMPARE(p.colorCustoms[0],
                 QList<quint32>({11589887, 11589887, 11589887, 16776960, 65535, 65280}));
        QCOMPARE(dlg.settings().titleColours[1], 0x123456u);
        // Declined: nothing changes.
        p.colorAnswer(std::nullopt);
        child<QToolButton>(&dlg, "spdbtn_color_prod3")->click();
        QCOMPARE(dlg.settings().stateColours[2], 65280u);
        QCOMPARE(p.colorCustoms[1][1], 0x123456u);
        p.colorAnswer(0xFF);
        child<QToolButton>(&dlg, "spdbtn_color_prod3")->click();
        QCOMPARE(dlg.settings().stateColours[2], 0xFFu);
    }

    void optionsOkWritesEveryKeyInOrder() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.path());
        child<QSlider>(&dlg, "TrackBar1")->setValue(0);
        child<QLineEdit>(&dlg, "Edit6")->setText("Mes courses");
        child<QCheckBox>(&dlg, "CheckBox6")->click();
        child<QPushButton>(&dlg, "BitBtn2")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(p.messages.isEmpty());
        const QByteArray expected = win1252::encode(
            u"[Programme]\r\nExe=KABIRO.EXE\r\nNom=Paniva\r\nVersion=v2.0\r\n"
            u"Auteur=L'équipe Paniva\r\nCopyright=2026\r\n"
            u"[SAISIE]\r\nNv_secteur=1\r\nNv_produit=1\r\nCoef_delai=0\r\nNbj_renouve=10\r\n"
            u"[PRESENTATION]\r\nProduit=1\r\nOutils=1\r\nEuro=1\r\nConvert=1\r\n"
            u"Val-euro=6,55957\r\n"
            u"[TITRE]\r\nAppli=Mes courses\r\nColonne1=Rayons\r\nColonne2=Produits\r\n"
            u"Titre1=Liste des produits\r\nTitre2=Liste des courses à faire\r\n"
            u"Titre3=Magasins\r\nprod-prevu=Prévu\r\nprod-renov=Rappel\r\n"
            u"prod-reno2=Rappel(+)\r\n"
            u"[COULEUR]\r\nTitre1=11589887\r\nTitre2=11589887\r\nTitre3=11589887\r\n"
            u"prod-prevu=16776960\r\nprod-renov=65535\r\nprod-reno2=65280\r\n"
            u"[IMPRESSION]\r\nOrientation=1\r\n[EDITION]\r\nHTML=0\r\n");
        QCOMPARE(readAll(dir.filePath("kabiro.ini")), expected);
        QCOMPARE(dlg.settings().appTitle, QString("Mes courses"));
        QVERIFY(dlg.settings().euro);
    }

    void optionsCancelAndFailedWrite() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        {
            Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.path());
            child<QLineEdit>(&dlg, "Edit1")->setText("Autre titre");
            child<QPushButton>(&dlg, "BitBtn1")->click();
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY(!QFile::exists(dir.filePath("kabiro.ini")));
        }
        // A directory that does not exist: the error is shown and the dialog stays open.
        Tfrm_param dlg(p, 6.55957, "kabiro.pnv", nullptr, dir.filePath("absent"));
        dlg.show();
        child<QPushButton>(&dlg, "BitBtn2")->click();
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.lastMessage().text,
                 QString("Impossible d'écrire dans %1").arg(dir.filePath("absent/kabiro.ini")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    // ---------------------------------------------------------------- converter

    void converterPlacementAndLines() {
        QWidget main;
        main.setGeometry(120, 90, 640, 420);
        main.show();
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 1, 10.0);
        addProduct(d, "Bazar", "Vis", 2, 2.5);
        d.catalogue.setCurrentPos(0);
        d.setTotal({Money::fromRaw(1250000), 2});
        const RegionalSettings euro(QLocale(QLocale::French, QLocale::France), "€");

        QPointer<Tfrm_convert> conv = new Tfrm_convert(
            &main, euro, 6.55957, Tfrm_convert::sourceFor(d, euro, [] { return QString(" T"); }));
        conv->follow(d.catalogue);
        QCOMPARE(labelText(conv, "Label1"), QString("-"));
        QCOMPARE(labelText(conv, "Label2"), QString("-"));
        const QRect mg = main.frameGeometry();
        QCOMPARE(conv->pos(), QPoint(mg.left() + mg.width() - 143, mg.top() + 20));
        QCOMPARE(conv->size(), QSize(137, 28));
        QVERIFY(conv->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!child<QLineEdit>(conv, "DBEdit1")->isVisibleTo(conv));

        conv->show();
        QCOMPARE(conv->windowTitle(), QString("Convertisseur Francs"));
        QCOMPARE(labelText(conv, "Label1"), QStringLiteral(u" 10,00\u00A0€ = 65,60 francs"));
        QCOMPARE(labelText(conv, "Label2"), QString("  T = 819,95 francs"));
        d.catalogue.setCurrentPos(1);
        QCOMPARE(labelText(conv, "Label1"), QStringLiteral(u" 2,50\u00A0€ = 16,40 francs"));

        // Closed by its close button: the signal, then the window is gone.
        QSignalSpy closed(conv.data(), &Tfrm_convert::closed);
        conv->close();
        QCOMPARE(closed.count(), 1);
        QTRY_VERIFY(conv.isNull());
    }

    void converterZeroRateInFrancMode() {
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 1, 6.56);
        d.catalogue.setCurrentPos(0);
        const RegionalSettings franc(QLocale(QLocale::French, QLocale::France), "F");
        Tfrm_convert conv(nullptr, franc, 0.0, Tfrm_convert::sourceFor(d, franc, nullptr));
        conv.setAttribute(Qt::WA_DeleteOnClose, false);
        conv.show();
        QCOMPARE(conv.windowTitle(), QString("Convertisseur EURO"));
        QCOMPARE(labelText(&conv, "Label1"), QString("?"));
        QCOMPARE(labelText(&conv, "Label2"), QString("-"));
        conv.setEuroRate(6.56);
        d.catalogue.edit();
        d.catalogue.setReal(Cat::Prix, 13.12);
        d.catalogue.post();
        conv.refresh();
        QVERIFY(labelText(&conv, "Label1").endsWith(" = 2,00 euros"));
    }

    // ---------------------------------------------------------------- list types

    void appliedListTypeAddsOnce() {
        QTemporaryDir dir;
        const QString ltl = dir.filePath("kabiro.ltl");
        writeFile(ltl, "[LISTE-TYPE]\r\nSEMAINE=-1-3-\r\n");
        ShoppingData d;
        ShoppingCommands cmd(d);
        addProduct(d, "Bazar", "Clous", 1, 1.0);
        addProduct(d, "Bazar", "Vis", 2, 1.0);
        addProduct(d, "Bazar", "Colle", 3, 1.0);
        const GestureContext ctx{QDate(2026, 12, 9), 3};

        Tfrm_liste dlg("SEMAINE", d, ltl, listtypes::addOneUnit(cmd, ctx));
        QCOMPARE(dlg.windowTitle(), QString("SEMAINE"));
        QCOMPARE(dlg.size(), QSize(229, 84));
        dlg.show();
        QTRY_VERIFY(dlg.applied());
        QCOMPARE(d.list.recordCount(), 2);
        // Coming back to the box from another window activates it again: nothing more is added.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dlg, &activate);
        dlg.FormActivate();
        QCOMPARE(d.list.recordCount(), 2);
        QCOMPARE(RecordTable::integerOf(d.list.recordAt(0), Lst::unite_vente).value_or(0), 1);
        QCOMPARE(labelText(&dlg, "Label2"), QString("Ajout de 2 produits"));
        child<QPushButton>(&dlg, "Button1")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        // Closed with the close box: rejected, the products stay added.
        Tfrm_liste again("SEMAINE", d, ltl, listtypes::addOneUnit(cmd, ctx));
        again.show();
        QTRY_VERIFY(again.applied());
        again.close();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(RecordTable::integerOf(d.list.recordAt(0), Lst::unite_vente).value_or(0), 2);
    }

    void newListTypeDialog() {
        QTemporaryDir dir;
        const QString ltl = dir.filePath("kabiro.ltl");
        writeFile(ltl, "[LISTE-TYPE]\r\n");
        ScriptedPlatform p;
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 1, 1.0);
        addProduct(d, "Bazar", "Vis", 2, 1.0, Flag::No, true);
        {
            ShoppingData none;
            addProduct(none, "Bazar", "Clous", 1, 1.0);
            Tfrm_nliste dlg(none, ltl, p, 3);
            QCOMPARE(dlg.size(), QSize(309, 101));
            QCOMPARE(child<QLineEdit>(&dlg, "Edit1")->text(), QString("NOUVELLE-LISTE-3"));
            auto* label3 = child<QLabel>(&dlg, "Label3");
            QVERIFY(!label3->isVisibleTo(&dlg));
            auto* ok = child<QPushButton>(&dlg, "BitBtn2");
            ok->click();
            QVERIFY(label3->isVisibleTo(&dlg));
            QCOMPARE(label3->text(), QString("La liste est vide ??"));
            QVERIFY(!ok->isEnabled());
            QCOMPARE(readAll(ltl), QByteArray("[LISTE-TYPE]\r\n"));
        }

        Tfrm_nliste dlg(d, ltl, p, 1);
        dlg.show();
        auto* edit = child<QLineEdit>(&dlg, "Edit1");
        edit->clear();
        QTest::keyClicks(edit, "a=b");
        QCOMPARE(edit->text(), QString("A=B"));
        child<QPushButton>(&dlg, "BitBtn2")->click();
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.lastMessage().text.startsWith("ERREUR : "));
        QVERIFY(dlg.isVisible());

        edit->clear();
        QTest::keyClicks(edit, " f");
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ê"));
        QApplication::sendEvent(edit, &accented);
        QTest::keyClicks(edit, "te ");
        QCOMPARE(edit->text(), QString(" FÊTE "));
        child<QPushButton>(&dlg, "BitBtn2")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.savedName(), QString("FÊTE"));
        QCOMPARE(readAll(ltl), win1252::encode(u"[LISTE-TYPE]\r\nFÊTE=-2-\r\n"));
    }

    // ---------------------------------------------------------------- global operations

    void globalDueDateButtonsAgreeWithoutTolerance() {
        ScriptedPlatform p;
        ShoppingData a, b;
        for (ShoppingData* d : {&a, &b}) {
            addProduct(*d, "Bazar", "Clous", 1, 1.0, Flag::Yes);
            addProduct(*d, "Bazar", "Vis", 2, 1.0, Flag::No);
        }
        Tfrm_requete da(a, p, 6.55957, 0, nullptr);
        Tfrm_requete db(b, p, 6.55957, 0, nullptr);
        child<QToolButton>(&da, "SpeedButton3")->click();
        child<QToolButton>(&db, "SpeedButton4")->click();
        const QDate expected = p.day.addDays(-12);
        QCOMPARE(RecordTable::dateOf(a.catalogue.recordAt(0), Cat::date_dern_achat), expected);
        QCOMPARE(RecordTable::dateOf(b.catalogue.recordAt(0), Cat::date_dern_achat), expected);
        QCOMPARE(p.messages.size(), 2);
        QCOMPARE(p.messages[0].icon, Platform::Icon::Warning);
        QCOMPARE(p.messages[0].text, p.messages[1].text);

        // With the tolerance 3 the second button leaves 30 % of the period to run.
        ShoppingData c;
        addProduct(c, "Bazar", "Clous", 1, 1.0, Flag::Yes);
        Tfrm_requete dc(c, p, 6.55957, 3, nullptr);
        child<QToolButton>(&dc, "SpeedButton4")->click();
        QCOMPARE(RecordTable::dateOf(c.catalogue.recordAt(0), Cat::date_dern_achat),
                 p.day.addDays(-9));
    }

    void globalPriceButtons() {
        ScriptedPlatform p;
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 1, 10.0, Flag::Yes);
        int totals = 0;
        Tfrm_requete dlg(d, p, 6.55957, 3, [&] { ++totals; });
        QCOMPARE(dlg.size(), QSize(371, 255));
        auto* factor = child<QLineEdit>(&dlg, "Edit1");
        QCOMPARE(factor->text(), QString("1"));

        factor->setText("1.5");
        p.answer(Platform::Button::No);
        child<QToolButton>(&dlg, "SpeedButton6")->click();
        QCOMPARE(p.lastMessage().text,
                 QString("Conversion des prix des produits sélectionnés "
                         "(prévus)\r\nPrix = Prix * 1.5\r\n\r\nValidation ?"));
        QCOMPARE(p.lastMessage().buttons,
                 QList<Platform::Button>({Platform::Button::Yes, Platform::Button::No}));
        QCOMPARE(RecordTable::realOf(d.catalogue.recordAt(0), Cat::Prix).value_or(0), 10.0);
        QCOMPARE(totals, 0);

        p.answer(Platform::Button::Yes);
        child<QToolButton>(&dlg, "SpeedButton6")->click();
        QCOMPARE(RecordTable::realOf(d.catalogue.recordAt(0), Cat::Prix).value_or(0), 15.0);
        QCOMPARE(totals, 1);
        QVERIFY(p.lastMessage().text.startsWith("La conversion des prix vient d'être réalisée"));
        QCOMPARE(p.lastMessage().icon, Platform::Icon::Warning);

        // A factor that is not a number: an error, no question, no change.
        const qsizetype asked = p.messages.size();
        factor->setText("x2");
        child<QToolButton>(&dlg, "SpeedButton6")->click();
        QCOMPARE(p.messages.size(), asked + 1);
        QVERIFY(p.lastMessage().text.startsWith("ERREUR : "));
        QCOMPARE(RecordTable::realOf(d.catalogue.recordAt(0), Cat::Prix).value_or(0), 15.0);

        // A zero euro rate is refused the same way.
        Tfrm_requete zero(d, p, 0.0, 3, nullptr);
        child<QToolButton>(&zero, "SpeedButton5")->click();
        QVERIFY(p.lastMessage().text.startsWith("ERREUR : "));
        QCOMPARE(RecordTable::realOf(d.catalogue.recordAt(0), Cat::Prix).value_or(0), 15.0);
    }

    void globalCommandSavesAndRestores() {
        QTemporaryDir dir;
        const QString path = dir.filePath("courses.pnv");
        ScriptedPlatform p;
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 1, 10.0, Flag::Yes);
        addProduct(d, "Marché", "Pommes", 2, 3.0, Flag::Yes);
        d.selection = {"Bazar", QString(), 0};
        d.setShopFilter(true);
        d.setModified(true);

        int loads = 0;
        GlobalOperationsHooks hooks;
        hooks.saveList = [&](QString* why) {
            const bool ok = listfile::save(path, d, why);
            if (ok)
                d.setModified(false);
            return ok;
        };
        hooks.listPath = [&] { return path; };
        hooks.afterLoad = [&] { ++loads; };
        hooks.exec = [&](Tfrm_requete& dlg) {
            child<QToolButton>(&dlg, "SpeedButton2")->click(); // deselect all (in scope)
            return false;                                      // then Cancel
        };
        QCOMPARE(runGlobalOperations(nullptr, d, p, 6.55957, 3, hooks),
                 GlobalOperationsResult::Cancelled);
        QCOMPARE(RecordTable::textOf(d.catalogue.recordAt(0), Cat::prevu), QString("O"));
        QVERIFY(!d.shopFilterOn());
        QVERIFY(!d.catalogue.filtered());
        QVERIFY(!d.modified());
        QCOMPARE(loads, 1);

        // Accepted: the changes stay.
        hooks.exec = [&](Tfrm_requete& dlg) {
            child<QToolButton>(&dlg, "SpeedButton2")->click();
            return true;
        };
        QCOMPARE(runGlobalOperations(nullptr, d, p, 6.55957, 3, hooks),
                 GlobalOperationsResult::Accepted);
        QCOMPARE(RecordTable::textOf(d.catalogue.recordAt(1), Cat::prevu), QString("N"));
        QVERIFY(d.modified());

        // The list could not be written: a warning, and the dialog does not open.
        bool opened = false;
        hooks.saveList = [](QString*) { return false; };
        hooks.exec = [&](Tfrm_requete&) { return opened = true; };
        p.messages.clear();
        QCOMPARE(runGlobalOperations(nullptr, d, p, 6.55957, 3, hooks),
                 GlobalOperationsResult::NotOpened);
        QVERIFY(!opened);
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.lastMessage().icon, Platform::Icon::Warning);
    }
};

KABIRO_TEST_MAIN(TestToolDialogs)
#include "test_tool_dialogs.moc"
