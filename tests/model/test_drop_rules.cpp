#include "model/drop_rules.h"
#include "model/shopping_commands.h"
#include "support/scripted_platform.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using namespace fixture;
using drop::Control;
using drop::Effect;

namespace {

const Control kControls[] = {Control::CatalogueGrid, Control::ListGrid, Control::Cart,
                             Control::Panel1,        Control::Panel2,   Control::Panel3};

const char* nameOf(Control c) {
    switch (c) {
    case Control::CatalogueGrid:
        return "catalogue";
    case Control::ListGrid:
        return "list";
    case Control::Cart:
        return "cart";
    case Control::Panel1:
        return "panel 1";
    case Control::Panel2:
        return "panel 2";
    case Control::Panel3:
        return "panel 3";
    case Control::None:
        break;
    }
    return "none";
}

QString pairName(Control source, Control target) {
    return QStringLiteral("%1 -> %2")
        .arg(QLatin1String(nameOf(source)), QLatin1String(nameOf(target)));
}

// The drop table, written out row by row.
Effect expectedEffect(Control source, Control target) {
    const auto panel = [](Control c) { return drop::panelTag(c); };
    if (source == target)
        return Effect::Nothing;
    switch (source) {
    case Control::CatalogueGrid:
        if (target == Control::ListGrid || target == Control::Cart)
            return Effect::AddOne;
        if (target == Control::Panel1)
            return Effect::CatalogueState1;
        if (target == Control::Panel2)
            return Effect::CatalogueState2;
        if (target == Control::Panel3)
            return Effect::CatalogueState3;
        break;
    case Control::ListGrid:
        if (target == Control::CatalogueGrid || target == Control::Cart)
            return Effect::RemoveOne;
        if (target == Control::Panel1)
            return Effect::ListRowState1;
        if (target == Control::Panel2)
            return Effect::ListRowState2;
        if (target == Control::Panel3)
            return Effect::ListRowState3;
        break;
    case Control::Cart:
        if (target == Control::CatalogueGrid)
            return Effect::EmptyList;
        if (target == Control::ListGrid)
            return Effect::Validate;
        break; // panels refuse the cart
    default:
        if (panel(target))
            return Effect::Nothing; // panels refuse other panels
        if (target == Control::CatalogueGrid)
            return panel(source) == 1   ? Effect::BlockRemove1
                   : panel(source) == 2 ? Effect::BlockRemove2
                                        : Effect::BlockRemove3;
        return panel(source) == 1   ? Effect::BlockAdd1
               : panel(source) == 2 ? Effect::BlockAdd2
                                    : Effect::BlockAdd3;
    }
    return Effect::Nothing;
}

// Catalogue: Lait (planned, 1.00), Savon (reminder due, 2.00); Lait listed twice.
struct Scene {
    ShoppingData d;
    ShoppingCommands cmd{d};
    ScriptedPlatform platform;
    GestureContext ctx{day(40), 3};
    Scene() {
        Product p;
        p.name = QStringLiteral("Lait");
        p.planned = Flag::Yes;
        addProduct(d, p);
        p = Product();
        p.name = QStringLiteral("Savon");
        p.price = 2.0;
        p.reminder = Flag::Yes;
        p.period = 30;
        p.lastPurchase = day(0);
        addProduct(d, p);
        select(d.catalogue, "Lait");
        cmd.addOne(ctx);
        cmd.addOne(ctx);
        d.setModified(false);
    }
    drop::DropOutcome run(Control source, Control target) {
        return drop::applyDrop(drop::dropEffect(source, target), cmd, ctx, platform);
    }
};

} // namespace

class TestDropRules : public QObject {
    Q_OBJECT

private slots:
    void cursorsAndDragStart() {
        QCOMPARE(drop::dragCursor(Control::CatalogueGrid), 2);
        QCOMPARE(drop::dragCursor(Control::Panel1), 2);
        QCOMPARE(drop::dragCursor(Control::Panel3), 2);
        QCOMPARE(drop::dragCursor(Control::ListGrid), 3);
        QCOMPARE(drop::dragCursor(Control::Cart), 4);
        QCOMPARE(drop::dragCursor(Control::None), 0);
        QVERIFY(drop::canStartDrag(Control::CatalogueGrid, true));
        QVERIFY(drop::canStartDrag(Control::Panel2, true));
        QVERIFY(!drop::canStartDrag(Control::ListGrid, true));
        QVERIFY(!drop::canStartDrag(Control::Cart, true));
        QVERIFY(drop::canStartDrag(Control::Cart, false));
        QVERIFY(!drop::canStartDrag(Control::None, false));
    }

    void acceptance() {
        for (Control target : kControls)
            for (Control source : kControls) {
                const bool panelTarget = drop::panelTag(target) != 0;
                const bool gridSource =
                    source == Control::CatalogueGrid || source == Control::ListGrid;
                const bool expected = !panelTarget || gridSource || source == target;
                QVERIFY2(drop::accepts(target, source) == expected,
                         qPrintable(pairName(source, target)));
            }
        QVERIFY(!drop::accepts(Control::CatalogueGrid, Control::None));
        QVERIFY(!drop::accepts(Control::None, Control::CatalogueGrid));
    }

    void everyRowOfTheTable() {
        for (Control source : kControls)
            for (Control target : kControls)
                QVERIFY2(drop::dropEffect(source, target) == expectedEffect(source, target),
                         qPrintable(pairName(source, target)));
        // Each effect's panel tag, written out: a value added to the list of effects cannot
        // shift the others.
        const std::pair<Effect, int> tags[] = {
            {Effect::Nothing, 0},         {Effect::AddOne, 0},
            {Effect::RemoveOne, 0},       {Effect::EmptyList, 0},
            {Effect::Validate, 0},        {Effect::BlockRemove1, 1},
            {Effect::BlockRemove2, 2},    {Effect::BlockRemove3, 3},
            {Effect::BlockAdd1, 1},       {Effect::BlockAdd2, 2},
            {Effect::BlockAdd3, 3},       {Effect::CatalogueState1, 1},
            {Effect::CatalogueState2, 2}, {Effect::CatalogueState3, 3},
            {Effect::ListRowState1, 1},   {Effect::ListRowState2, 2},
            {Effect::ListRowState3, 3}};
        for (auto [effect, tag] : tags)
            QCOMPARE(drop::effectTag(effect), tag);
    }

    void dropsOnTheListSide() {
        {
            Scene s; // a catalogue row on the list, then on the cart
            select(s.d.catalogue, "Savon");
            QVERIFY(s.run(Control::CatalogueGrid, Control::ListGrid).changed);
            QVERIFY(s.run(Control::CatalogueGrid, Control::Cart).changed);
            QCOMPARE(quantity(s.d, "Savon"), 2);
            QVERIFY(s.d.modified());
        }
        {
            Scene s; // the "Rappel" panel on the cart adds the due products
            QVERIFY(s.run(Control::Panel2, Control::Cart).changed);
            QCOMPARE(quantity(s.d, "Savon"), 1);
            QCOMPARE(quantity(s.d, "Lait"), 2);
            QVERIFY(!s.run(Control::Panel1, Control::ListGrid).changed); // nothing left to add
        }
        {
            Scene s; // the cart on the list validates, after the question
            s.platform.answer(Platform::Button::No);
            QVERIFY(!s.run(Control::Cart, Control::ListGrid).changed);
            QCOMPARE(field(s.d.catalogue, "Lait", Cat::prevu), Flag::Yes);
            s.platform.answer(Platform::Button::Yes);
            QVERIFY(s.run(Control::Cart, Control::ListGrid).changed);
            QCOMPARE(field(s.d.catalogue, "Lait", Cat::prevu), Flag::No);
            QCOMPARE(s.platform.messages.size(), 2);
        }
        {
            Scene s; // a unit that cannot be added beeps
            select(s.d.list, "Lait");
            s.d.list.setInteger(Lst::unite_vente, 32767);
            s.d.list.post();
            select(s.d.catalogue, "Lait");
            const drop::DropOutcome out = s.run(Control::CatalogueGrid, Control::ListGrid);
            QVERIFY(out.beeped && !out.changed);
            QCOMPARE(s.platform.beeps, 1);
        }
    }

    void dropsOnTheCatalogueSide() {
        {
            Scene s; // a list row on the catalogue, then on the cart
            QVERIFY(s.run(Control::ListGrid, Control::CatalogueGrid).changed);
            QCOMPARE(quantity(s.d, "Lait"), 1);
            QVERIFY(s.run(Control::ListGrid, Control::Cart).changed);
            QVERIFY(!find(s.d.list, "Lait"));
            QVERIFY(!s.run(Control::ListGrid, Control::Cart).changed); // empty list
        }
        {
            Scene s; // the cart on the catalogue empties the list
            QVERIFY(s.run(Control::Cart, Control::CatalogueGrid).changed);
            QCOMPARE(s.d.list.recordCount(), 0);
            QCOMPARE(mark(s.d, "Lait"), Flag::NotListed);
        }
        {
            Scene s; // the "Prévu" panel on the catalogue takes the planned rows off
            QVERIFY(!s.run(Control::Panel3, Control::CatalogueGrid).changed);
            QVERIFY(s.run(Control::Panel1, Control::CatalogueGrid).changed);
            QCOMPARE(s.d.list.recordCount(), 0);
        }
    }

    void dropsOnThePanels() {
        Scene s;
        select(s.d.catalogue, "Savon");
        QVERIFY(s.run(Control::CatalogueGrid, Control::Panel1).changed);
        QCOMPARE(field(s.d.catalogue, "Savon", Cat::prevu), Flag::Yes);
        select(s.d.list, "Lait");
        QVERIFY(s.run(Control::ListGrid, Control::Panel3).changed);
        QCOMPARE(field(s.d.list, "Lait", Lst::Rappel), Flag::Window);
        QCOMPARE(field(s.d.catalogue, "Lait", Cat::Rappel), Flag::Yes);

        // What the table refuses or ignores changes nothing.
        s.d.setModified(false);
        for (auto [source, target] : {std::pair{Control::Cart, Control::Panel2},
                                      std::pair{Control::Panel1, Control::Panel3},
                                      std::pair{Control::Panel2, Control::Panel2},
                                      std::pair{Control::CatalogueGrid, Control::CatalogueGrid},
                                      std::pair{Control::Cart, Control::Cart}})
            QVERIFY(!s.run(source, target).changed);
        QVERIFY(!s.d.modified());
        QCOMPARE(quantity(s.d, "Lait"), 2);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestDropRules)
#include "test_drop_rules.moc"
