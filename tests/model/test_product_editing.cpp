#include "model/product_editing.h"
#include "support/scripted_platform.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>
#include <limits>

using namespace fixture;
using namespace product_edit;

namespace {

ProductForm form(const QString& product, const QString& aisle, const QString& sector,
                 double price = 0, bool reminder = false, qint64 period = 12) {
    ProductForm f;
    f.product = product;
    f.aisle = aisle;
    f.sector = sector;
    f.price = price;
    f.reminder = reminder;
    f.period = period;
    return f;
}

// Supermarché: Crèmerie (Lait, Beurre), Fruits (Pommes); Marché: Légumes (Carottes).
void fillShop(ShoppingData& d) {
    addProduct(d, QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"),
               QStringLiteral("Lait"), 1.15);
    addProduct(d, QString::fromUtf8("Supermarché"), QStringLiteral("Fruits"),
               QStringLiteral("Pommes"), 2.5);
    addProduct(d, QString::fromUtf8("Marché"), QString::fromUtf8("Légumes"),
               QStringLiteral("Carottes"), 0.9);
    addProduct(d, QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"),
               QStringLiteral("Beurre"), 2.1);
}

QStringList treeLines(const ShoppingData& d) {
    return d.tree.toLines();
}

std::vector<FieldValue> valuesOf(const ShoppingData& d, const QString& name) {
    const Record* r = find(d.catalogue, name);
    return r ? r->values : std::vector<FieldValue>{};
}

} // namespace

class TestProductEditing : public QObject {
    Q_OBJECT

private slots:
    // The three checks of OK in their order, with their texts and the field they point to.
    void okChecksInOrder() {
        ShoppingData d;
        fillShop(d);
        const FormContext ctx = formContext(d.tree, d.catalogue);

        auto e = checkForm(form("Yaourt", "  ", ""), ctx);
        QVERIFY(e);
        QCOMPARE(e->message, QString::fromUtf8("ERREUR : Le rayon n'est pas renseigné"));
        QCOMPARE(e->focus, FormField::Aisle);

        e = checkForm(form("Yaourt", "Laitages", " "), ctx);
        QVERIFY(e);
        QCOMPARE(e->message, QString::fromUtf8("ERREUR : Le secteur n'est pas renseigné"));
        QCOMPARE(e->focus, FormField::Sector);

        // A sector named like an aisle, whatever the case of a to z.
        e = checkForm(form("Yaourt", "Laitages", "fruITS"), ctx);
        QVERIFY(e);
        QCOMPARE(e->message,
                 QString::fromUtf8("ERREUR : Le secteur [fruITS] existe déjà en temps que rayon"));
        QCOMPARE(e->focus, FormField::Sector);
        // Only a to z are folded: "È" is not the capital of "è" here.
        QVERIFY(checkForm(form("Yaourt", "Laitages", QString::fromUtf8("CRèMERIE")), ctx));
        QVERIFY(!checkForm(form("Yaourt", "Laitages", QString::fromUtf8("CRÈMERIE")), ctx));

        QVERIFY(!checkForm(form("Yaourt", "Laitages", "Frais"), ctx));
    }

    // Sector and aisle names stay apart in both directions.
    void aisleAndSectorNamesStayApart() {
        ShoppingData d;
        fillShop(d);
        const FormContext ctx = formContext(d.tree, d.catalogue);

        auto e = checkForm(form("Yaourt", QString::fromUtf8("marché"), "Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->message,
                 QString::fromUtf8("ERREUR : Le rayon [marché] existe déjà en temps que secteur"));
        QCOMPARE(e->focus, FormField::Aisle);

        // A new sector and a new aisle of the same name.
        e = checkForm(form("Yaourt", "Frais", "FRAIS"), ctx);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Sector);
        QVERIFY(e->message.startsWith(QStringLiteral("ERREUR : ")));

        // An old file holding an aisle named like a sector still lets its products be edited.
        d.tree.addAisle(0, QString::fromUtf8("Supermarché"));
        select(d.catalogue, "Lait");
        const FormContext old = formContext(d.tree, d.catalogue, d.catalogue.bookmark());
        QVERIFY(!checkForm(
            form("Lait", QString::fromUtf8("Supermarché"), QString::fromUtf8("Marché")), old));
    }

    void namesTheFileCannotHoldAreRefused() {
        ShoppingData d;
        fillShop(d);
        const FormContext ctx = formContext(d.tree, d.catalogue);

        auto e = checkForm(form("Yaourt [nature]", "Laitages", "Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Product);
        QCOMPARE(e->message,
                 QString::fromUtf8(
                     "ERREUR : Le nom du produit ne peut pas contenir le caractère « [ »"));
        e = checkForm(form("Yaourt", "Lait]ages", "Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Aisle);
        QVERIFY(e->message.contains(QStringLiteral("rayon")));
        e = checkForm(form("Yaourt", "Laitages", "[Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Sector);
        // Outside Windows-1252, and a line break.
        e = checkForm(form(QString::fromUtf8("Thé 🍵"), "Laitages", "Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Product);
        QVERIFY(e->message.contains(QString::fromUtf8("🍵")));
        e = checkForm(form("Yaourt", "Lait\nages", "Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Aisle);
        // Accents, the euro sign and the oe ligature are stored as they are.
        QVERIFY(!checkForm(form(QString::fromUtf8("Œufs à 2 €"), "Laitages", "Frais"), ctx));
    }

    void duplicateProductNames() {
        ShoppingData d;
        fillShop(d);
        const FormContext ctx = formContext(d.tree, d.catalogue);
        auto e = checkForm(form("Lait", "Laitages", "Frais"), ctx);
        QVERIFY(e);
        QCOMPARE(e->message, QString::fromUtf8("ERREUR : Le produit [Lait] existe déjà"));
        QCOMPARE(e->focus, FormField::Product);
        // Names are told apart with case, as the list does.
        QVERIFY(!checkForm(form("lait", "Laitages", "Frais"), ctx));

        // Editing keeps its own name; renaming onto another product's name is refused.
        select(d.catalogue, "Lait");
        const FormContext edit = formContext(d.tree, d.catalogue, d.catalogue.bookmark());
        QVERIFY(!checkForm(
            form("Lait", QString::fromUtf8("Crèmerie"), QString::fromUtf8("Supermarché")), edit));
        e = checkForm(
            form("Beurre", QString::fromUtf8("Crèmerie"), QString::fromUtf8("Supermarché")), edit);
        QVERIFY(e);
        QCOMPARE(e->focus, FormField::Product);

        // A file already holding the name twice: each of them can still be corrected.
        addProduct(d, QString::fromUtf8("Marché"), QString::fromUtf8("Légumes"),
                   QStringLiteral("Carottes"), 1.0);
        d.catalogue.setCurrentPos(d.catalogue.recordCount() - 1);
        const FormContext twice = formContext(d.tree, d.catalogue, d.catalogue.bookmark());
        QVERIFY(!checkForm(
            form("Carottes", QString::fromUtf8("Légumes"), QString::fromUtf8("Marché")), twice));
    }

    void priceAndPeriodRanges() {
        ShoppingData d;
        const FormContext ctx = formContext(d.tree, d.catalogue);
        QVERIFY(!checkForm(form("Pain", "Boulangerie", "Centre", 0, false, 0), ctx));
        QVERIFY(!checkForm(form("Pain", "Boulangerie", "Centre", 1234.5, true, 9999), ctx));

        for (qint64 p : {qint64(-1), qint64(10000), qint64(40000)}) {
            const auto e = checkForm(form("Pain", "Boulangerie", "Centre", 1, true, p), ctx);
            QVERIFY2(e, qPrintable(QString::number(p)));
            QCOMPARE(e->focus, FormField::Period);
        }
        ProductForm noNumber = form("Pain", "Boulangerie", "Centre");
        noNumber.period.reset();
        QCOMPARE(checkForm(noNumber, ctx)->focus, FormField::Period);

        for (double price : {-0.01, 1e12, std::numeric_limits<double>::quiet_NaN()}) {
            const auto e = checkForm(form("Pain", "Boulangerie", "Centre", price), ctx);
            QVERIFY(e);
            QCOMPARE(e->focus, FormField::Price);
        }
    }

    void okNeedsAProductName() {
        QVERIFY(!productNameAcceptable(QStringLiteral("?")));
        QVERIFY(!productNameAcceptable(QStringLiteral("Lait ?")));
        QVERIFY(!productNameAcceptable(QStringLiteral("?Lait")));
        QVERIFY(!productNameAcceptable(QStringLiteral("")));
        QVERIFY(!productNameAcceptable(QStringLiteral("    ")));
        QVERIFY(productNameAcceptable(QStringLiteral(" Lait ")));
        QVERIFY(productNameAcceptable(QStringLiteral("L")));
    }

    // The aisle typed decides whether the sector can be chosen.
    void existingAisleGivesItsSector() {
        ShoppingData d;
        fillShop(d);
        QCOMPARE(sectorOfAisle(d.tree, QString::fromUtf8("crèmerie")),
                 std::optional<QString>(QString::fromUtf8("Supermarché")));
        QCOMPARE(sectorOfAisle(d.tree, QString::fromUtf8(" LéGUMES ")),
                 std::optional<QString>(QString::fromUtf8("Marché")));
        QVERIFY(!sectorOfAisle(d.tree, QString::fromUtf8("LÉGUMES"))); // É is not é
        QVERIFY(!sectorOfAisle(d.tree, QStringLiteral("Boissons")));
        QVERIFY(!sectorOfAisle(d.tree, QStringLiteral("  ")));
        // A sector's name is not an aisle.
        QVERIFY(!sectorOfAisle(d.tree, QString::fromUtf8("Marché")));
        // The same aisle in two sectors: the first in display order wins.
        d.tree.addAisle(0, QStringLiteral("Fruits")); // Marché sorts before Supermarché
        QCOMPARE(sectorOfAisle(d.tree, QStringLiteral("fruits")),
                 std::optional<QString>(QString::fromUtf8("Marché")));
    }

    void treeGrowsInOrder() {
        OrgTree t;
        TreeNodeRef r = addToTree(t, QStringLiteral("Super"), QStringLiteral("Laitages"));
        QCOMPARE(t.toLines(), QStringList({"Super", "\tLaitages"}));
        QCOMPARE(r.sector, 0);
        QCOMPARE(r.aisle, 0);

        r = addToTree(t, QStringLiteral("Boulangerie"), QStringLiteral("Pains"));
        QCOMPARE(t.toLines(), QStringList({"Boulangerie", "\tPains", "Super", "\tLaitages"}));
        QCOMPARE(r.sector, 0);

        // Existing nodes found in other case keep their text; a new aisle goes in order.
        r = addToTree(t, QStringLiteral("SUPER"), QStringLiteral("boissons"));
        QCOMPARE(t.toLines(),
                 QStringList({"Boulangerie", "\tPains", "Super", "\tboissons", "\tLaitages"}));
        QCOMPARE(r.sector, 1);
        QCOMPARE(r.aisle, 0);
        r = addToTree(t, QStringLiteral("super"), QStringLiteral("LAITAGES"));
        QCOMPARE(t.nodeCount(), 5);
        QCOMPARE(r.sector, 1);
        QCOMPARE(r.aisle, 1);
        QCOMPARE(t.roots()[1].children[1].text, QStringLiteral("Laitages"));
    }

    void newProductRecord() {
        ShoppingData d;
        fillShop(d);
        const QDate today = day(40);
        const auto done = acceptProduct(d,
                                        form("Yaourt", QString::fromUtf8("Crèmerie"),
                                             QString::fromUtf8("Supermarché"), 0.03125, true, 10),
                                        0, today);
        QVERIFY(done);
        QCOMPARE(done->id, 5);
        QCOMPARE(d.catalogue.recordCount(), 5);
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Yaourt"));
        QCOMPARE(d.catalogue.bookmark(), done->record);
        const Record& r = *d.catalogue.current();
        QCOMPARE(RecordTable::textOf(r, Cat::Secteur), QString::fromUtf8("Supermarché"));
        QCOMPARE(RecordTable::textOf(r, Cat::Rayon), QString::fromUtf8("Crèmerie"));
        QCOMPARE(RecordTable::textOf(r, Cat::color), QStringLiteral(" "));
        QCOMPARE(RecordTable::textOf(r, Cat::prevu), QStringLiteral("N"));
        QCOMPARE(RecordTable::textOf(r, Cat::Rappel), QStringLiteral("O"));
        QCOMPARE(RecordTable::integerOf(r, Cat::id_prod), std::optional<qint32>(5));
        // 312.5 ten-thousandths, rounded to even.
        QCOMPARE(*RecordTable::realOf(r, Cat::Prix), 0.0312);
        QCOMPARE(RecordTable::integerOf(r, Cat::Duree_rappel), std::optional<qint32>(10));
        QCOMPARE(RecordTable::dateOf(r, Cat::date_dern_achat), today.addDays(-10));
        QVERIFY(std::holds_alternative<std::monostate>(r.values[Cat::memo]));
        QVERIFY(d.modified());
        QCOMPARE(d.selection.sector, QString::fromUtf8("Supermarché"));
        QCOMPARE(d.selection.aisle, QString::fromUtf8("Crèmerie"));

        const auto other = acceptProduct(
            d, form("Kiwis", "Fruits", QString::fromUtf8("Supermarché"), 0.09375, false), 0, today);
        QCOMPARE(*RecordTable::realOf(*d.catalogue.current(), Cat::Prix), 0.0938);
        QCOMPARE(RecordTable::textOf(*d.catalogue.current(), Cat::Rappel), QStringLiteral("N"));
        QCOMPARE(other->node.sector, 1);
        QCOMPARE(other->node.aisle, 1);
    }

    void identifiersFillGaps() {
        ShoppingData d;
        for (int id : {1, 2, 4}) {
            d.catalogue.append();
            d.catalogue.setText(Cat::Produit, QStringLiteral("P%1").arg(id));
            d.catalogue.setInteger(Cat::id_prod, id);
        }
        d.catalogue.post();
        QCOMPARE(acceptProduct(d, form("Trois", "A", "S"), 0, day(0))->id, 3);

        ShoppingData full;
        for (int id = 1; id <= 1000; ++id) {
            full.catalogue.append();
            full.catalogue.setInteger(Cat::id_prod, id);
        }
        full.catalogue.post();
        QCOMPARE(acceptProduct(full, form("Mille un", "A", "S"), 0, day(0))->id, 1001);
        QCOMPARE(acceptProduct(full, form("Mille deux", "A", "S"), 0, day(0))->id, 1002);
    }

    void firstProductOfAnEmptyList() {
        ShoppingData d;
        ScriptedPlatform platform;
        const auto done =
            acceptProduct(d, form("Pain", "Boulangerie", "Centre ville"), 0, platform.today());
        QVERIFY(done);
        QCOMPARE(done->id, 1);
        QCOMPARE(treeLines(d), QStringList({"Centre ville", "\tBoulangerie"}));
        QCOMPARE(d.catalogue.recordCount(), 1);
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Pain"));
    }

    // An existing aisle typed in other case: the sector comes from the tree, the product keeps
    // the text as typed, the tree its own.
    void existingAisleInOtherCase() {
        ShoppingData d;
        fillShop(d);
        const QStringList before = treeLines(d);
        const QString typed = QStringLiteral("fruits");
        const auto sector = sectorOfAisle(d.tree, typed);
        QVERIFY(sector);
        const ProductForm f = form("Kiwis", typed, *sector);
        QVERIFY(!checkForm(f, formContext(d.tree, d.catalogue)));
        QVERIFY(acceptProduct(d, f, 0, day(0)));
        QCOMPARE(field(d.catalogue, "Kiwis", Cat::Rayon), QStringLiteral("fruits"));
        QCOMPARE(field(d.catalogue, "Kiwis", Cat::Secteur), QString::fromUtf8("Supermarché"));
        QCOMPARE(treeLines(d), before);
    }

    void blanksAroundSectorAndAisleAreDropped() {
        ShoppingData d;
        const auto done =
            acceptProduct(d, form("  Pain de mie ", "  Pains ", " Boulangerie  "), 0, day(0));
        QVERIFY(done);
        QCOMPARE(treeLines(d), QStringList({"Boulangerie", "\tPains"}));
        QCOMPARE(field(d.catalogue, "  Pain de mie ", Cat::Rayon), QStringLiteral("Pains"));
        QCOMPARE(field(d.catalogue, "  Pain de mie ", Cat::Secteur), QStringLiteral("Boulangerie"));
        QCOMPARE(cleanName(QStringLiteral("  une allée de vingt-deux "), 20),
                 QStringLiteral("une allée de vingt-d"));
        QCOMPARE(cleanName(QStringLiteral("Rayon des fruits    et"), 20),
                 QStringLiteral("Rayon des fruits"));
    }

    void editKeepsReminderAndRestartsPeriod() {
        ShoppingData d;
        Product p;
        p.name = QStringLiteral("Café");
        p.reminder = Flag::Yes;
        p.planned = Flag::Yes;
        p.period = 20;
        p.lastPurchase = day(0);
        p.price = 4.2;
        addProduct(d, p);
        d.catalogue.setText(Cat::memo, QStringLiteral("Arabica"));
        d.catalogue.setText(Cat::color, Flag::Listed);
        d.catalogue.post();
        const qint32 id = d.catalogue.integer(Cat::id_prod);

        const auto done =
            acceptProduct(d, form(QStringLiteral("Café"), "Divers", "Super", 4.2, true, 20),
                          d.catalogue.bookmark(), day(7));
        QVERIFY(done);
        QCOMPARE(done->id, id);
        QCOMPARE(d.catalogue.recordCount(), 1);
        QCOMPARE(field(d.catalogue, QStringLiteral("Café"), Cat::Rappel), Flag::Yes);
        QCOMPARE(purchaseDate(d, QStringLiteral("Café")), day(7).addDays(-20));
        // Untouched by editing.
        QCOMPARE(field(d.catalogue, QStringLiteral("Café"), Cat::prevu), Flag::Yes);
        QCOMPARE(field(d.catalogue, QStringLiteral("Café"), Cat::color), Flag::Listed);
        QCOMPARE(field(d.catalogue, QStringLiteral("Café"), Cat::memo), QStringLiteral("Arabica"));
        QCOMPARE(field(d.catalogue, QStringLiteral("Café"), Cat::id_prod), QString::number(id));
    }

    // With the shop filter on, the edited product changes and no other, although switching
    // the filter off for the update moves the cursor to the first record.
    void editWithTheFilterOn() {
        ShoppingData d;
        fillShop(d);
        d.selection = {QString::fromUtf8("Supermarché"), QString(), 0};
        d.setShopFilter(true);
        QVERIFY(select(d.catalogue, "Beurre"));
        const auto lait = valuesOf(d, "Lait");
        const auto pommes = valuesOf(d, "Pommes");
        const auto carottes = valuesOf(d, "Carottes");

        const auto done = acceptProduct(
            d, form("Beurre doux", QString::fromUtf8("Légumes"), QString::fromUtf8("Marché"), 2.3),
            d.catalogue.bookmark(), day(3));
        QVERIFY(done);
        QCOMPARE(valuesOf(d, "Lait"), lait);
        QCOMPARE(valuesOf(d, "Pommes"), pommes);
        QCOMPARE(valuesOf(d, "Carottes"), carottes);
        QVERIFY(!find(d.catalogue, "Beurre"));
        QCOMPARE(field(d.catalogue, "Beurre doux", Cat::Secteur), QString::fromUtf8("Marché"));

        // The views now show the product's sector, with the cursor on it.
        QVERIFY(d.shopFilterOn());
        QVERIFY(d.catalogue.filtered());
        QVERIFY(d.list.filtered());
        QCOMPARE(d.selection.sector, QString::fromUtf8("Marché"));
        QCOMPARE(d.catalogue.visiblePositions().size(), size_t(2));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Beurre doux"));
        QCOMPARE(done->node.sector, 0);
        QCOMPARE(done->node.aisle, 0);
    }

    void newProductUnderAnAisleFilter() {
        ShoppingData d;
        fillShop(d);
        d.selection = {QString::fromUtf8("Supermarché"), QStringLiteral("Fruits"), 1};
        d.setShopFilter(true);
        select(d.catalogue, "Pommes");
        const auto done = acceptProduct(
            d, form("Navets", QStringLiteral("Racines"), QString::fromUtf8("Marché")), 0, day(0));
        QVERIFY(done);
        QCOMPARE(d.selection.level, 1);
        QCOMPARE(d.selection.aisle, QStringLiteral("Racines"));
        QCOMPARE(d.catalogue.visiblePositions().size(), size_t(1));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Navets"));
        QCOMPARE(d.tree.roots()[static_cast<size_t>(done->node.sector)]
                     .children[static_cast<size_t>(done->node.aisle)]
                     .text,
                 QStringLiteral("Racines"));
    }

    void editOfAVanishedRecordChangesNothing() {
        ShoppingData d;
        fillShop(d);
        select(d.catalogue, "Lait");
        const auto gone = d.catalogue.bookmark();
        d.catalogue.remove();
        d.setModified(false);
        const QStringList tree = treeLines(d);
        QVERIFY(!acceptProduct(d, form("Lait", "Fruits", "S"), gone, day(0)));
        QVERIFY(!d.modified());
        QCOMPARE(treeLines(d), tree);
        QCOMPARE(d.catalogue.recordCount(), 3);
    }

    // Renaming a listed product leaves the list row as it was and the mark on the product.
    void renameListedProduct() {
        ShoppingData d;
        fillShop(d);
        select(d.catalogue, "Lait");
        d.catalogue.setText(Cat::color, Flag::Listed);
        d.catalogue.post();
        d.list.append();
        d.list.setText(Lst::Secteur, QString::fromUtf8("Supermarché"));
        d.list.setText(Lst::Rayon, QString::fromUtf8("Crèmerie"));
        d.list.setText(Lst::Produit, QStringLiteral("Lait"));
        d.list.setInteger(Lst::unite_vente, 2);
        d.list.post();
        const auto row = d.list.recordAt(0).values;

        QVERIFY(acceptProduct(d,
                              form("Lait demi-écrémé", "Fruits", QString::fromUtf8("Supermarché")),
                              d.catalogue.bookmark(), day(0)));
        QCOMPARE(d.list.recordCount(), 1);
        QCOMPARE(d.list.recordAt(0).values, row);
        QCOMPARE(mark(d, QStringLiteral("Lait demi-écrémé")), Flag::Listed);
    }

    void deleteAfterConfirmation() {
        ShoppingData d;
        fillShop(d);
        select(d.catalogue, "Pommes");
        d.catalogue.setText(Cat::color, Flag::Listed);
        d.catalogue.post();
        d.list.append();
        d.list.setText(Lst::Produit, QStringLiteral("Pommes"));
        d.list.post();
        const QStringList tree = treeLines(d);
        ScriptedPlatform platform;

        // No, the default, keeps everything.
        QVERIFY(!confirmAndDeleteProduct(d, platform));
        QCOMPARE(platform.messages.size(), 1);
        const Platform::Message m = platform.lastMessage();
        QCOMPARE(m.text, QStringLiteral("Suppression du produit\rPommes\r\rConfirmez ?"));
        QCOMPARE(m.buttons, QList<Platform::Button>({Platform::Button::Yes, Platform::Button::No}));
        QCOMPARE(m.defaultButton, Platform::Button::No);
        QCOMPARE(d.catalogue.recordCount(), 4);
        QVERIFY(!d.modified());

        platform.answer(Platform::Button::Yes);
        QVERIFY(confirmAndDeleteProduct(d, platform));
        QVERIFY(!find(d.catalogue, "Pommes"));
        QCOMPARE(d.catalogue.recordCount(), 3);
        QVERIFY(d.modified());
        QCOMPARE(d.list.recordCount(), 1);
        QCOMPARE(RecordTable::textOf(d.list.recordAt(0), Lst::Produit), QStringLiteral("Pommes"));
        QCOMPARE(treeLines(d), tree);

        // The freed number is given again.
        QCOMPARE(
            acceptProduct(d, form("Poires", "Fruits", QString::fromUtf8("Supermarché")), 0, day(0))
                ->id,
            2);
    }

    void deleteWithoutProductAsksNothing() {
        ShoppingData d;
        ScriptedPlatform platform;
        platform.answer(Platform::Button::Yes);
        QVERIFY(!confirmAndDeleteProduct(d, platform));
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!d.modified());

        // With the filter on a sector without products, nothing is current either.
        fillShop(d);
        d.selection = {QStringLiteral("Vide"), QString(), 0};
        d.setShopFilter(true);
        QVERIFY(!confirmAndDeleteProduct(d, platform));
        QCOMPARE(d.catalogue.recordCount(), 4);
    }

    void productCommandsRule() {
        QVERIFY(productCommandsEnabled(true, 5));
        QVERIFY(!productCommandsEnabled(false, 5));
        QVERIFY(productCommandsEnabled(false, 0));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestProductEditing)
#include "test_product_editing.moc"
