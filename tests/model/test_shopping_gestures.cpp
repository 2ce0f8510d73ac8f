#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QSignalSpy>
#include <QTest>

using namespace fixture;

namespace {

Money euros(double v) {
    return Money::fromDoubleOrZero(v);
}

} // namespace

class TestShoppingGestures : public QObject {
    Q_OBJECT

private slots:
    void addThreeUnitsOfOneProduct() {
        ShoppingData d;
        Product p;
        p.name = QStringLiteral("Lait");
        p.price = 1.15;
        p.planned = Flag::Yes;
        p.reminder = Flag::Yes;
        p.period = 30;
        p.lastPurchase = day(0);
        addProduct(d, p);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(25), 3};

        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::Added);
        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::Incremented);
        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::Incremented);

        QCOMPARE(d.list.recordCount(), 1);
        QCOMPARE(quantity(d, "Lait"), 3);
        QCOMPARE(mark(d, "Lait"), Flag::Listed);
        QCOMPARE(d.total().units, 3);
        QCOMPARE(d.total().price, euros(1.15) * 3);
        QVERIFY(d.modified());
        // The row copies the product and takes its reminder code of the day (inside the
        // window on day 25); Promo and Color stay empty.
        QCOMPARE(field(d.list, "Lait", Lst::Secteur), QStringLiteral("Super"));
        QCOMPARE(field(d.list, "Lait", Lst::Rayon), QStringLiteral("Divers"));
        QCOMPARE(field(d.list, "Lait", Lst::Prevu), Flag::Yes);
        QCOMPARE(field(d.list, "Lait", Lst::Rappel), Flag::Window);
        QVERIFY(d.list.recordAt(0).values[Lst::Promo].index() == 0);
        QVERIFY(d.list.recordAt(0).values[Lst::Color].index() == 0);
    }

    void removeOneUnit() {
        ShoppingData d;
        addProduct(d, "Super", "Laitages", "Beurre", 2.0);
        addProduct(d, "Super", "Laitages", "Yaourt", 3.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        select(d.catalogue, "Beurre");
        cmd.addOne(ctx);
        select(d.catalogue, "Yaourt");
        cmd.addOne(ctx);
        cmd.addOne(ctx);

        // Qté 2: one unit less, the mark stays.
        select(d.list, "Yaourt");
        QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::Decremented);
        QCOMPARE(quantity(d, "Yaourt"), 1);
        QCOMPARE(mark(d, "Yaourt"), Flag::Listed);
        QCOMPARE(d.total().price, euros(5.0));
        QCOMPARE(d.total().units, 2);

        // Qté 1: the row goes and the mark is cleared.
        select(d.list, "Beurre");
        QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::RowDeleted);
        QVERIFY(!find(d.list, "Beurre"));
        QCOMPARE(mark(d, "Beurre"), Flag::NotListed);
        QCOMPARE(d.total().price, euros(3.0));
        QCOMPARE(d.total().units, 1);
    }

    void nothingToActOn() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        // ">" on an empty catalogue and "<" on an empty list change nothing.
        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::Nothing);
        QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::Nothing);
        QVERIFY(!cmd.emptyList());
        QVERIFY(!cmd.deleteListRow());
        QVERIFY(!cmd.deleteCatalogueRow());
        QCOMPARE(d.list.recordCount(), 0);
        QVERIFY(!d.modified());

        // A list with no marked product is not emptied.
        addProduct(d, "Super", "Divers", "Sel");
        QVERIFY(!cmd.emptyList());
        QVERIFY(!d.modified());
    }

    void quantityStopsAtItsMaximum() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Clous", 0.01);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        cmd.addOne(ctx);
        d.list.setInteger(Lst::unite_vente, 32766);
        d.list.post();
        cmd.recomputeTotal();
        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::Incremented);
        QCOMPARE(quantity(d, "Clous"), 32767);
        d.setModified(false);
        const ListTotal before = d.total();

        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::AtMaximum);
        QCOMPARE(quantity(d, "Clous"), 32767);
        QCOMPARE(d.total().units, before.units);
        QCOMPARE(d.total().price, before.price);
        QVERIFY(!d.modified());

        // The unit count goes beyond 16 bits without wrapping.
        addProduct(d, "Super", "Divers", "Vis", 0.01);
        cmd.addOne(ctx);
        d.list.setInteger(Lst::unite_vente, 32767);
        d.list.post();
        cmd.recomputeTotal();
        QCOMPARE(d.total().units, qint64(65534));
    }

    void blockAddOfPlannedProducts() {
        ShoppingData d;
        Product p;
        p.planned = Flag::Yes;
        p.name = QStringLiteral("Pain");
        addProduct(d, p);
        p.name = QStringLiteral("Farine");
        addProduct(d, p);
        p.planned = Flag::No;
        p.name = QStringLiteral("Sucre");
        addProduct(d, p);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        select(d.catalogue, "Pain");
        cmd.addOne(ctx);
        cmd.addOne(ctx);
        select(d.catalogue, "Sucre");
        QSignalSpy listResets(&d.list, &RecordTable::reset);

        QCOMPARE(cmd.blockAdd(1, ctx), 1);
        QCOMPARE(quantity(d, "Pain"), 2);   // already listed: left as it was
        QCOMPARE(quantity(d, "Farine"), 1); // planned, not listed: added
        QCOMPARE(quantity(d, "Sucre"), -1); // not planned
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Sucre"));
        QCOMPARE(listResets.count(), 1); // the list was redrawn once, at the end
        QCOMPARE(d.total().units, 3);
        QCOMPARE(d.total().price, euros(3.0));
    }

    void blockAddOfReminderStates() {
        ShoppingData d;
        Product p;
        p.reminder = Flag::Yes;
        p.period = 30;
        p.name = QStringLiteral("Due");
        p.lastPurchase = day(0);
        addProduct(d, p);
        p.name = QStringLiteral("Window");
        p.lastPurchase = day(5);
        addProduct(d, p);
        p.name = QStringLiteral("Early");
        p.lastPurchase = day(20);
        addProduct(d, p);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(30), 3}; // "Window" is due on day 35, window from day 26

        QCOMPARE(cmd.blockAdd(2, ctx), 1);
        QVERIFY(find(d.list, "Due"));
        QVERIFY(!find(d.list, "Window"));
        QCOMPARE(cmd.blockAdd(3, ctx), 1);
        QCOMPARE(field(d.list, "Window", Lst::Rappel), Flag::Window);
        QCOMPARE(field(d.list, "Due", Lst::Rappel), Flag::Yes);
        QVERIFY(!find(d.list, "Early"));
        QCOMPARE(cmd.blockAdd(3, ctx), 0);
        QCOMPARE(cmd.blockAdd(4, ctx), 0);
    }

    void blockRemovalByRowCodes() {
        ShoppingData d;
        for (const char* n : {"Due", "InWindow", "Plain", "Planned"})
            addProduct(d, "Super", "Divers", QString::fromLatin1(n), 1.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        for (const char* n : {"Due", "InWindow", "Plain", "Planned"}) {
            select(d.catalogue, QString::fromLatin1(n));
            cmd.addOne(ctx);
        }
        auto setRow = [&](const char* n, int f, const QString& v) {
            select(d.list, QString::fromLatin1(n));
            d.list.setText(f, v);
            d.list.post();
        };
        setRow("Due", Lst::Rappel, Flag::Yes);
        setRow("InWindow", Lst::Rappel, Flag::Window);
        setRow("Planned", Lst::Prevu, Flag::Yes);
        select(d.list, "InWindow");
        d.list.setInteger(Lst::unite_vente, 4); // removed whatever its quantity
        d.list.post();

        // "Rappel(+)" takes only the rows inside their window.
        QCOMPARE(cmd.blockRemove(3), 1);
        QVERIFY(!find(d.list, "InWindow"));
        QCOMPARE(mark(d, "InWindow"), Flag::NotListed);
        QCOMPARE(d.total().units, 3);

        // "Rappel" takes the due rows and the rows inside their window.
        setRow("Plain", Lst::Rappel, Flag::Window);
        QCOMPARE(cmd.blockRemove(2), 2);
        QVERIFY(!find(d.list, "Due"));
        QVERIFY(!find(d.list, "Plain"));
        QCOMPARE(cmd.blockRemove(1), 1);
        QCOMPARE(d.list.recordCount(), 0);
        QCOMPARE(d.total().units, 0);
        QCOMPARE(cmd.blockRemove(1), 0);
    }

    void blockRemovalWithRepeatedNames() {
        // A file may hold two products and two rows of one name: each listed product takes
        // the row locating its name finds (the one found before wins), once.
        ShoppingData d;
        addProduct(d, "Super", "Laitages", "Lait", 1.0);
        addProduct(d, "Bio", "Frais", "Lait", 1.0);
        addProduct(d, "Super", "Pains", "Pain", 1.0);
        for (int pos = 0; pos < d.catalogue.recordCount(); ++pos) {
            d.catalogue.setCurrentPos(pos);
            d.catalogue.setText(Cat::color, Flag::Listed);
            d.catalogue.post();
            if (pos == 1)
                continue; // one row for both "Lait", then another one below
            d.list.append();
            for (int f : {Lst::Secteur, Lst::Rayon, Lst::Produit})
                d.list.setText(f, d.catalogue.text(f));
            d.list.setInteger(Lst::unite_vente, 1);
            d.list.setText(Lst::Rappel, Flag::Yes);
            d.list.post();
        }
        d.list.append();
        d.list.setText(Lst::Produit, QStringLiteral("Lait"));
        d.list.setInteger(Lst::unite_vente, 2);
        d.list.setText(Lst::Rappel, Flag::Yes);
        d.list.post();
        d.list.first();
        ShoppingCommands cmd(d);
        QCOMPARE(cmd.blockRemove(2), 2);
        QCOMPARE(d.list.recordCount(), 1);
        QCOMPARE(quantity(d, "Lait"), 2);
        QCOMPARE(RecordTable::textOf(d.catalogue.recordAt(0), Cat::color), Flag::NotListed);
        QCOMPARE(RecordTable::textOf(d.catalogue.recordAt(1), Cat::color), Flag::Listed);
        QCOMPARE(mark(d, "Pain"), Flag::NotListed);
        QCOMPARE(d.total().units, 2);
    }

    void emptyListUnderSectorFilter() {
        ShoppingData d;
        addProduct(d, "Boulangerie", "Pains", "Baguette", 1.0);
        addProduct(d, "Super", "Laitages", "Lait", 1.0);
        addProduct(d, "Super", "Laitages", "Beurre", 2.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        for (const char* n : {"Baguette", "Lait", "Beurre"}) {
            select(d.catalogue, QString::fromUtf8(n));
            cmd.addOne(ctx);
        }
        cmd.treePress(0, QStringLiteral("Super"));
        cmd.setShopFilter(true);
        QCOMPARE(d.total().units, 2);
        select(d.catalogue, "Beurre");

        QVERIFY(cmd.emptyList());
        QCOMPARE(d.list.recordCount(), 1);
        QVERIFY(find(d.list, "Baguette"));
        QCOMPARE(mark(d, "Baguette"), Flag::Listed);
        QCOMPARE(mark(d, "Lait"), Flag::NotListed);
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Beurre"));
        QCOMPARE(d.total().units, 0);

        cmd.setShopFilter(false);
        QCOMPARE(d.total().units, 1);
        QVERIFY(cmd.emptyList());
        QCOMPARE(d.list.recordCount(), 0);
        QCOMPARE(mark(d, "Baguette"), Flag::NotListed);
    }

    void rowsWhoseProductIsGone() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Riz", 2.0);
        addProduct(d, "Super", "Divers", "Pates", 1.5);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        select(d.catalogue, "Riz");
        cmd.addOne(ctx);
        select(d.catalogue, "Pates");
        cmd.addOne(ctx);
        d.setModified(false);

        // Deleting the product leaves its row, which then counts for nothing.
        select(d.catalogue, "Riz");
        QVERIFY(cmd.deleteCatalogueRow());
        QVERIFY(d.modified());
        QCOMPARE(d.total().price, euros(1.5));
        QCOMPARE(d.total().units, 1);

        select(d.list, "Riz");
        QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::OrphanDeleted);
        QVERIFY(!find(d.list, "Riz"));
        QCOMPARE(d.total().price, euros(1.5));
        QCOMPARE(d.total().units, 1);
        QCOMPARE(mark(d, "Pates"), Flag::Listed);
    }

    void priceEditThenRemoval() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Café", 2.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        cmd.addOne(ctx);
        cmd.addOne(ctx);
        QCOMPARE(d.total().price, euros(4.0));

        // A price typed on the product sheet; the window then asks for a new total.
        d.catalogue.edit();
        d.catalogue.setReal(Cat::Prix, 3.0);
        d.catalogue.post();
        cmd.recomputeTotal();
        QCOMPARE(d.total().price, euros(6.0));

        cmd.removeOne();
        QCOMPARE(d.total().price, euros(3.0));
        cmd.removeOne();
        QCOMPARE(d.total().price, euros(0.0));
        QCOMPARE(d.total().units, 0);
    }

    void deleteListRowWithCtrlDel() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Thé", 4.0);
        addProduct(d, "Super", "Divers", "Miel", 5.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        cmd.addOne(ctx); // Miel is current after the second append
        cmd.addOne(ctx);
        select(d.catalogue, "Thé");
        cmd.addOne(ctx);
        d.setModified(false);

        select(d.list, "Miel");
        QVERIFY(cmd.deleteListRow());
        QVERIFY(!find(d.list, "Miel"));
        QCOMPARE(mark(d, "Miel"), Flag::NotListed);
        QCOMPARE(d.total().price, euros(4.0));
        QCOMPARE(d.total().units, 1);
        QVERIFY(d.modified());
    }

    void nonPositiveQuantityFromAFile() {
        ShoppingData d;
        addProduct(d, "Super", "Divers", "Eau", 1.0);
        addProduct(d, "Super", "Divers", "Jus", 2.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        cmd.addOne(ctx); // Jus
        select(d.catalogue, "Eau");
        cmd.addOne(ctx);
        d.list.clear(Lst::unite_vente); // Eau's row, quantity left empty
        d.list.post();
        cmd.recomputeTotal();
        QCOMPARE(d.total().price, euros(2.0));

        // The row leaves the total with what it brought to it: nothing.
        QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::RowDeleted);
        QCOMPARE(d.total().price, euros(2.0));
        QCOMPARE(d.total().units, 1);
    }

    void totalFollowsEveryGesture() {
        ShoppingData d;
        Product p;
        p.planned = Flag::Yes;
        for (int i = 0; i < 6; ++i) {
            p.name = QStringLiteral("P%1").arg(i);
            p.price = 0.25 * (i + 1);
            addProduct(d, p);
        }
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(0), 3};
        select(d.catalogue, "P2");
        cmd.addOne(ctx);
        cmd.addOne(ctx);
        cmd.blockAdd(1, ctx);
        select(d.list, "P4");
        cmd.removeOne();
        select(d.catalogue, "P5");
        cmd.addOne(ctx);
        const ListTotal incremental = d.total();
        cmd.recomputeTotal();
        QCOMPARE(incremental.price, d.total().price);
        QCOMPARE(incremental.units, d.total().units);
        QCOMPARE(d.total().units, 7);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestShoppingGestures)
#include "test_shopping_gestures.moc"
