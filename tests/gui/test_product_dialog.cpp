#include "dialogs/calc_edit.h"
#include "dialogs/product_commands.h"
#include "dialogs/saiprod.h"
#include "model/shopping_data.h"
#include "support/scripted_platform.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using product_edit::ProductForm;

namespace {

// Supermarché: Crèmerie (Lait), Fruits (Pommes); Marché: Légumes (Carottes).
void fillShop(ShoppingData& d) {
    fixture::addProduct(d, QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"),
                        QStringLiteral("Lait"), 1.15);
    fixture::addProduct(d, QString::fromUtf8("Supermarché"), QStringLiteral("Fruits"),
                        QStringLiteral("Pommes"), 2.5);
    fixture::addProduct(d, QString::fromUtf8("Marché"), QString::fromUtf8("Légumes"),
                        QStringLiteral("Carottes"), 0.9);
    d.catalogue.first();
}

using fixture::find;

template <class W> W* child(QWidget& dlg, const char* name) {
    W* w = dlg.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no control %s", name);
    return w;
}

QLineEdit* edit(QWidget& dlg, const char* name) {
    QWidget* w = dlg.findChild<QWidget*>(QString::fromLatin1(name));
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

// Types a text key by key (keyClicks takes only Latin-1 letters one byte at a time).
void typeKeys(QWidget* w, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces a field's text by typed keys.
void type(QLineEdit* e, const QString& text) {
    QVERIFY(e);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    typeKeys(e, text);
}

ProductDialogInput inputFor(const ShoppingData& d, ScriptedPlatform& platform,
                            const ProductDialogContext& ctx = {},
                            RecordTable::Bookmark edited = 0) {
    return productDialogInput(d, platform, ctx, edited);
}

// The control owning the focus, named as the dialog names it.
QString focusName(QWidget& dlg) {
    for (QWidget* w = QApplication::focusWidget(); w && w != &dlg; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
            return w->objectName();
    return QString();
}

bool showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
}

} // namespace

class TestProductDialog : public QObject {
    Q_OBJECT

private slots:
    void newProductDialogAsDrawn() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        ProductDialogContext ctx;
        ctx.sectorTitle = QStringLiteral("Magasin");
        ctx.aisleTitle = QStringLiteral("Allée");
        ctx.productTitle = QStringLiteral("Article");
        ctx.defaultPeriod = 15;
        Tfrm_saiprod dlg(inputFor(d, platform, ctx), platform);

        QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Définition d'un nouveau produit "));
        QCOMPARE(dlg.size(), QSize(259, 198));
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        QCOMPARE(dlg.font().family(), QStringLiteral("Arial"));
        QCOMPARE(dlg.font().pixelSize(), 12);

        QCOMPARE(child<QLabel>(dlg, "Label1")->text(), QStringLiteral("Magasin"));
        QCOMPARE(child<QLabel>(dlg, "Label5")->text(), QStringLiteral("Allée"));
        QCOMPARE(child<QLabel>(dlg, "Label2")->text(), QStringLiteral("Article"));
        QCOMPARE(child<QLabel>(dlg, "Label4")->text(), QStringLiteral("Prix "));
        QCOMPARE(child<QLabel>(dlg, "Label3")->text(), QStringLiteral("unite"));
        QCOMPARE(child<QLabel>(dlg, "Label6")->text(), QStringLiteral("id_prod"));
        QCOMPARE(child<QCheckBox>(dlg, "CheckBox1")->text(),
                 QString::fromUtf8("A rappeler après "));
        QVERIFY(!child<QCheckBox>(dlg, "CheckBox1")->isChecked());
        QCOMPARE(child<QSpinBox>(dlg, "SpinEdit1")->value(), 15);
        QCOMPARE(child<QPushButton>(dlg, "BitBtn2")->text(), QStringLiteral("OK"));
        QVERIFY(child<QPushButton>(dlg, "BitBtn2")->isDefault());
        QVERIFY(!child<QPushButton>(dlg, "BitBtn2")->isEnabled());
        QVERIFY(child<QPushButton>(dlg, "BitBtn1"));

        QCOMPARE(child<QLineEdit>(dlg, "Edit1")->text(), QStringLiteral("?"));
        QCOMPARE(child<QLineEdit>(dlg, "Edit1")->maxLength(), 60);
        auto* aisles = child<QComboBox>(dlg, "ComboBox2");
        auto* sectors = child<QComboBox>(dlg, "ComboBox1");
        QVERIFY(aisles->isEditable());
        QVERIFY(sectors->isEditable());
        QVERIFY(!sectors->isEnabled());
        QCOMPARE(aisles->lineEdit()->maxLength(), 20);
        QCOMPARE(sectors->lineEdit()->maxLength(), 20);
        QCOMPARE(aisles->toolTip(), QString::fromUtf8("C'est seulement si vous \ndésignez un "
                                                      "nouveau rayon\nque vous pourrez désigner "
                                                      "\nun  nouveau secteur"));
        // Sorted lists, filed under the current product's place.
        QStringList items;
        for (int i = 0; i < aisles->count(); ++i)
            items << aisles->itemText(i);
        QCOMPARE(items, QStringList({QString::fromUtf8("Crèmerie"), QStringLiteral("Fruits"),
                                     QString::fromUtf8("Légumes")}));
        QCOMPARE(sectors->count(), 2);
        QCOMPARE(aisles->currentText(), QString::fromUtf8("Crèmerie"));
        QCOMPARE(aisles->currentIndex(), 0);
        QCOMPARE(sectors->currentText(), QString::fromUtf8("Supermarché"));

        auto* price = child<CalcEdit>(dlg, "RxCalcEdit1");
        QCOMPARE(price->value(), 0.0);
        QCOMPARE(price->text(), QStringLiteral("0,00"));
    }

    void editDialogShowsTheProduct() {
        ShoppingData d;
        fillShop(d);
        QVERIFY(d.catalogue.locate(Cat::Produit, QStringLiteral("Pommes")));
        d.catalogue.setReal(Cat::Prix, 1234.5);
        d.catalogue.setText(Cat::Rappel, Flag::Yes);
        d.catalogue.setInteger(Cat::Duree_rappel, 30);
        d.catalogue.post();
        ScriptedPlatform platform;
        Tfrm_saiprod dlg(inputFor(d, platform, {}, d.catalogue.bookmark()), platform);

        QCOMPARE(dlg.windowTitle(), QStringLiteral("Correction d'un produit"));
        QCOMPARE(child<QLineEdit>(dlg, "Edit1")->text(), QStringLiteral("Pommes"));
        QCOMPARE(child<QLabel>(dlg, "Label6")->text(), QStringLiteral("2"));
        QVERIFY(child<QCheckBox>(dlg, "CheckBox1")->isChecked());
        QCOMPARE(child<QSpinBox>(dlg, "SpinEdit1")->value(), 30);
        auto* price = child<CalcEdit>(dlg, "RxCalcEdit1");
        QCOMPARE(price->value(), 1234.5);
        QCOMPARE(price->text(),
                 platform.regional().locale().toString(1234.5, 'f', 2)); // "1 234,50"
        QVERIFY(price->text().size() > QStringLiteral("1234,50").size());
        QVERIFY(child<QPushButton>(dlg, "BitBtn2")->isEnabled());
        QCOMPARE(child<QComboBox>(dlg, "ComboBox2")->currentText(), QStringLiteral("Fruits"));
        QVERIFY(!child<QComboBox>(dlg, "ComboBox1")->isEnabled());
    }

    void okWaitsForAProductName() {
        ShoppingData d;
        ScriptedPlatform platform;
        Tfrm_saiprod dlg(inputFor(d, platform), platform);
        QLineEdit* name = edit(dlg, "Edit1");
        auto* ok = child<QPushButton>(dlg, "BitBtn2");
        type(name, QStringLiteral("Lait"));
        QVERIFY(ok->isEnabled());
        QTest::keyClicks(name, QStringLiteral("?"));
        QVERIFY(!ok->isEnabled());
        type(name, QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        type(name, QStringLiteral(" Pain "));
        QVERIFY(ok->isEnabled());
        type(name, QString());
        QVERIFY(!ok->isEnabled());
    }

    // The aisle decides whether a sector can be chosen.
    void typedAisleLocksOrFreesTheSector() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        Tfrm_saiprod dlg(inputFor(d, platform), platform);
        auto* sectors = child<QComboBox>(dlg, "ComboBox1");
        QLineEdit* aisle = edit(dlg, "ComboBox2");

        type(aisle, QString::fromUtf8("légumes"));
        QVERIFY(!sectors->isEnabled());
        QCOMPARE(sectors->currentText(), QString::fromUtf8("Marché"));
        // Typed as it is: no completion to the item's case.
        QCOMPARE(aisle->text(), QString::fromUtf8("légumes"));

        type(aisle, QString::fromUtf8("Épices"));
        QVERIFY(sectors->isEnabled());
        type(aisle, QStringLiteral("FRUITS"));
        QVERIFY(!sectors->isEnabled());
        QCOMPARE(sectors->currentText(), QString::fromUtf8("Supermarché"));

        // Choosing from the list works the same way.
        auto* aisles = child<QComboBox>(dlg, "ComboBox2");
        aisles->setCurrentIndex(aisles->findText(QString::fromUtf8("Légumes")));
        QCOMPARE(sectors->currentText(), QString::fromUtf8("Marché"));
        QVERIFY(!sectors->isEnabled());
    }

    void pickOnlyAisleWithoutNewSectors() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        ProductDialogContext ctx;
        ctx.newSectorsAllowed = false;
        Tfrm_saiprod dlg(inputFor(d, platform, ctx), platform);
        auto* aisles = child<QComboBox>(dlg, "ComboBox2");
        auto* sectors = child<QComboBox>(dlg, "ComboBox1");
        QVERIFY(!aisles->isEditable());
        QVERIFY(!aisles->lineEdit());
        for (int i = -1; i < aisles->count(); ++i) {
            aisles->setCurrentIndex(i);
            QVERIFY(!sectors->isEnabled());
        }
        QCOMPARE(sectors->currentText(), QString::fromUtf8("Marché"));

        // An empty tree leaves the aisle free, so that a first product can be filed.
        ShoppingData empty;
        Tfrm_saiprod first(inputFor(empty, platform, ctx), platform);
        QVERIFY(child<QComboBox>(first, "ComboBox2")->isEditable());
        type(edit(first, "ComboBox2"), QStringLiteral("Pains"));
        QVERIFY(child<QComboBox>(first, "ComboBox1")->isEnabled());
    }

    void tabOrder() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        Tfrm_saiprod dlg(inputFor(d, platform), platform);
        QVERIFY(showActive(dlg));
        type(edit(dlg, "Edit1"), QStringLiteral("Kiwis"));
        type(edit(dlg, "ComboBox2"), QStringLiteral("Exotiques")); // frees the sector
        edit(dlg, "Edit1")->setFocus();
        QStringList order{focusName(dlg)};
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName(dlg);
        }
        QCOMPARE(order, QStringList({"Edit1", "ComboBox2", "ComboBox1", "RxCalcEdit1", "CheckBox1",
                                     "BitBtn1", "BitBtn2", "SpinEdit1", "Edit1"}));
    }

    // OK refuses the name of another product (exactly as stored, case counting) but lets a
    // corrected product keep its own.
    void okComparesTheNameWithTheOtherProducts() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        {
            Tfrm_saiprod dlg(inputFor(d, platform), platform);
            QVERIFY(showActive(dlg));
            type(edit(dlg, "Edit1"), QStringLiteral("Pommes"));
            type(edit(dlg, "ComboBox2"), QStringLiteral("Fruits"));
            QTest::mouseClick(child<QPushButton>(dlg, "BitBtn2"), Qt::LeftButton);
            QCOMPARE(platform.lastMessage().text,
                     QString::fromUtf8("ERREUR : Le produit [Pommes] existe déjà"));
            QVERIFY(dlg.isVisible());
            QCOMPARE(focusName(dlg), QStringLiteral("Edit1"));
            type(edit(dlg, "Edit1"), QStringLiteral("pommes"));
            QTest::mouseClick(child<QPushButton>(dlg, "BitBtn2"), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QVERIFY(d.catalogue.locate(Cat::Produit, QStringLiteral("Pommes")));
        const int before = static_cast<int>(platform.messages.size());
        {
            Tfrm_saiprod keep(inputFor(d, platform, {}, d.catalogue.bookmark()), platform);
            QVERIFY(showActive(keep));
            QTest::mouseClick(child<QPushButton>(keep, "BitBtn2"), Qt::LeftButton);
            QCOMPARE(keep.result(), int(QDialog::Accepted));
        }
        Tfrm_saiprod rename(inputFor(d, platform, {}, d.catalogue.bookmark()), platform);
        QVERIFY(showActive(rename));
        type(edit(rename, "Edit1"), QStringLiteral("Lait"));
        QTest::mouseClick(child<QPushButton>(rename, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(static_cast<int>(platform.messages.size()), before + 1);
        QCOMPARE(platform.lastMessage().text,
                 QString::fromUtf8("ERREUR : Le produit [Lait] existe déjà"));
    }

    // A refused OK shows the message, puts the focus on the field and keeps the dialog open.
    void refusedOkStaysOpen() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        Tfrm_saiprod dlg(inputFor(d, platform), platform);
        QVERIFY(showActive(dlg));
        type(edit(dlg, "Edit1"), QStringLiteral("Noix"));
        type(edit(dlg, "ComboBox2"), QStringLiteral("Fruits secs"));
        type(edit(dlg, "ComboBox1"), QStringLiteral("fruits"));
        QTest::mouseClick(child<QPushButton>(dlg, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.lastMessage().text,
                 QString::fromUtf8("ERREUR : Le secteur [fruits] existe déjà en temps que rayon"));
        QCOMPARE(platform.lastMessage().icon, Platform::Icon::Error);
        QCOMPARE(platform.lastMessage().buttons, QList<Platform::Button>{Platform::Button::Ok});
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(focusName(dlg), QStringLiteral("ComboBox1"));

        type(edit(dlg, "ComboBox2"), QString());
        QTest::mouseClick(child<QPushButton>(dlg, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(platform.lastMessage().text,
                 QString::fromUtf8("ERREUR : Le rayon n'est pas renseigné"));
        QCOMPARE(focusName(dlg), QStringLiteral("ComboBox2"));

        // A period typed out of the box's reach: cleared text.
        type(edit(dlg, "ComboBox2"), QStringLiteral("Fruits secs"));
        type(edit(dlg, "ComboBox1"), QStringLiteral("Rayon bio"));
        type(dlg.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->findChild<QLineEdit*>(),
             QString());
        QTest::mouseClick(child<QPushButton>(dlg, "BitBtn2"), Qt::LeftButton);
        QVERIFY(platform.lastMessage().text.startsWith(QString::fromUtf8("ERREUR : La durée")));
        QCOMPARE(focusName(dlg), QStringLiteral("SpinEdit1"));
        QVERIFY(dlg.isVisible());

        // Enter presses the default button, OK.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(platform.messages.size(), 3);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const ProductForm f = dlg.values();
        QCOMPARE(f.product, QStringLiteral("Noix"));
        QCOMPARE(f.aisle, QStringLiteral("Fruits secs"));
        QCOMPARE(f.sector, QStringLiteral("Rayon bio"));
        QCOMPARE(f.period, std::optional<qint64>(7));
    }

    void priceFieldAndCalculator() {
        ShoppingData d;
        ScriptedPlatform platform;
        Tfrm_saiprod dlg(inputFor(d, platform), platform);
        auto* price = child<CalcEdit>(dlg, "RxCalcEdit1");

        type(price, QStringLiteral("1234,56789"));
        QCOMPARE(price->value(), 1234.56789);
        emit price->editingFinished();
        QCOMPARE(price->text(), platform.regional().locale().toString(1234.56789, 'f', 2));
        QCOMPARE(price->value(), 1234.56789); // the shown rounding keeps the typed decimals
        // Letters and a second separator are not taken.
        type(price, QStringLiteral("2a,5,0"));
        QCOMPARE(price->text(), QStringLiteral("2,50"));
        QCOMPARE(price->value(), 2.5);
        type(price, QStringLiteral("0,1234567890123456"));
        QCOMPARE(price->text(), QStringLiteral("0,123456789012345"));

        price->setValue(4);
        price->showCalculator();
        QVERIFY(price->popup());
        for (const char* key : {"+", "1", "1", ",", "5", "*", "2"})
            price->popup()->press(QString::fromLatin1(key));
        QCOMPARE(price->popup()->engine().display(price->locale()), QStringLiteral("2"));
        price->popup()->press(QStringLiteral("="));
        QCOMPARE(price->value(), 31.0);
        QCOMPARE(price->text(), QStringLiteral("31,00"));
        QTRY_VERIFY(!price->popup());

        // Dividing by zero shows the error and leaves the field alone.
        price->showCalculator();
        for (const char* key : {"/", "0", "="})
            price->popup()->press(QString::fromLatin1(key));
        QCOMPARE(price->popup()->engine().display(price->locale()), QStringLiteral("Erreur"));
        QCOMPARE(price->value(), 31.0);
        price->popup()->press(QStringLiteral("C"));
        price->popup()->press(QStringLiteral("="));
        QCOMPARE(price->value(), 0.0);
    }

    void calculatorEngine() {
        CalcEngine e;
        e.setValue(10);
        e.operation('-');
        e.digit(4);
        e.operation('/'); // 10 - 4, then / ...
        QCOMPARE(e.value(), 6.0);
        e.digit(4);
        QVERIFY(e.equals());
        QCOMPARE(e.value(), 1.5);
        e.point();
        e.digit(2);
        e.digit(5);
        QCOMPARE(e.display(QLocale(QLocale::French)), QStringLiteral("0,25"));
        e.operation('+');
        e.operation('*'); // a changed mind: the last operation counts
        e.digit(4);
        QVERIFY(e.equals());
        QCOMPARE(e.value(), 1.0);
    }

    // The commands, driven through the real modal dialog.
    void firstProductThroughTheCommand() {
        ShoppingData d;
        ScriptedPlatform platform;
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<Tfrm_saiprod*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            QCOMPARE(edit(*dlg, "ComboBox2")->text(), QString());
            QCOMPARE(edit(*dlg, "ComboBox1")->text(), QString());
            type(edit(*dlg, "Edit1"), QStringLiteral("Baguette"));
            type(edit(*dlg, "ComboBox2"), QStringLiteral("Pains"));
            type(edit(*dlg, "ComboBox1"), QStringLiteral("Boulangerie"));
            type(edit(*dlg, "RxCalcEdit1"), QStringLiteral("1,1"));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                              Qt::LeftButton);
        });
        const auto done = runNewProduct(d, platform, {}, nullptr);
        QVERIFY(done);
        QCOMPARE(done->id, 1);
        QCOMPARE(d.tree.toLines(), QStringList({"Boulangerie", "\tPains"}));
        const Record* r = find(d.catalogue, QStringLiteral("Baguette"));
        QVERIFY(r);
        QCOMPARE(*RecordTable::realOf(*r, Cat::Prix), 1.1);
        QCOMPARE(RecordTable::integerOf(*r, Cat::Duree_rappel), std::optional<qint32>(12));
        QCOMPARE(RecordTable::dateOf(*r, Cat::date_dern_achat), platform.today().addDays(-12));
        QVERIFY(d.modified());
        QVERIFY(platform.messages.isEmpty());
    }

    void cancelChangesNothing() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        const QStringList tree = d.tree.toLines();
        QTimer::singleShot(0, [] {
            QWidget* dlg = QApplication::activeModalWidget();
            QVERIFY(dlg);
            type(edit(*dlg, "Edit1"), QStringLiteral("Kiwis"));
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        QVERIFY(!runNewProduct(d, platform, {}, nullptr));
        QCOMPARE(d.catalogue.recordCount(), 3);
        QCOMPARE(d.tree.toLines(), tree);
        QVERIFY(!d.modified());
    }

    void editThroughTheCommand() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        QVERIFY(d.catalogue.locate(Cat::Produit, QStringLiteral("Lait")));
        ProductDialogContext ctx;
        ctx.exec = [](Tfrm_saiprod& dlg) {
            type(edit(dlg, "ComboBox2"), QStringLiteral("fruits"));
            type(edit(dlg, "RxCalcEdit1"), QStringLiteral("0,03125"));
            QTest::mouseClick(dlg.findChild<QCheckBox*>(QStringLiteral("CheckBox1")),
                              Qt::LeftButton);
            dlg.BitBtn2Click();
            return dlg.result();
        };
        const auto done = runEditProduct(d, platform, ctx, nullptr);
        QVERIFY(done);
        QCOMPARE(done->id, 1);
        const Record* r = find(d.catalogue, QStringLiteral("Lait"));
        QCOMPARE(RecordTable::textOf(*r, Cat::Rayon), QStringLiteral("fruits"));
        QCOMPARE(RecordTable::textOf(*r, Cat::Secteur), QString::fromUtf8("Supermarché"));
        QCOMPARE(RecordTable::textOf(*r, Cat::Rappel), Flag::Yes);
        QCOMPARE(*RecordTable::realOf(*r, Cat::Prix), 0.0312);
        QCOMPARE(d.catalogue.recordCount(), 3);
        QCOMPARE(d.tree.nodeCount(), 5); // the node "Fruits" keeps its case
        QCOMPARE(d.selection.aisle, QStringLiteral("fruits"));

        // No current product: no dialog at all.
        ShoppingData empty;
        bool shown = false;
        ctx.exec = [&shown](Tfrm_saiprod&) {
            shown = true;
            return int(QDialog::Accepted);
        };
        QVERIFY(!runEditProduct(empty, platform, ctx, nullptr));
        QVERIFY(!shown);
    }

    void deleteThroughTheCommand() {
        ShoppingData d;
        fillShop(d);
        ScriptedPlatform platform;
        QVERIFY(d.catalogue.locate(Cat::Produit, QStringLiteral("Pommes")));
        platform.answer(Platform::Button::Yes);
        QVERIFY(runDeleteProduct(d, platform));
        QCOMPARE(platform.lastMessage().text,
                 QStringLiteral("Suppression du produit\rPommes\r\rConfirmez ?"));
        QVERIFY(!find(d.catalogue, QStringLiteral("Pommes")));
        QCOMPARE(d.tree.nodeCount(), 5);
    }
};

KABIRO_TEST_MAIN(TestProductDialog)
#include "test_product_dialog.moc"
