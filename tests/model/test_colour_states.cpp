#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using namespace fixture;
using colour::State;

namespace {

// A catalogue holding one product with the given marks; the product is current.
void oneProduct(ShoppingData& d, const QString& planned, const QString& reminder, int period,
                QDate last) {
    Product p;
    p.name = QStringLiteral("Savon");
    p.planned = planned;
    p.reminder = reminder;
    p.period = period;
    p.lastPurchase = last;
    addProduct(d, p);
}

const Record& product(const ShoppingData& d) {
    return *find(d.catalogue, "Savon");
}

} // namespace

class TestColourStates : public QObject {
    Q_OBJECT

private slots:
    void catalogueColourThroughThePeriod() {
        ShoppingData d;
        oneProduct(d, Flag::No, Flag::Yes, 30, day(0));
        for (int t = 0; t <= 40; ++t) {
            const State expected = t <= 20 ? State::None : (t <= 29 ? State::Window : State::Due);
            QCOMPARE(colour::catalogueState(product(d), day(t), 3), expected);
        }
        // Without tolerance there is no window at all.
        QCOMPARE(colour::catalogueState(product(d), day(29), 0), State::None);
        QCOMPARE(colour::catalogueState(product(d), day(30), 0), State::Due);
    }

    void precedenceOfTheStates() {
        ShoppingData d;
        oneProduct(d, Flag::Yes, Flag::Yes, 30, day(0));
        // Planned beats due and window.
        QCOMPARE(colour::catalogueState(product(d), day(35), 3), State::Planned);
        QCOMPARE(colour::catalogueState(product(d), day(25), 3), State::Planned);
        QCOMPARE(colour::catalogueState(product(d), day(5), 3), State::Planned);

        // No active reminder: no reminder colour whatever the dates.
        ShoppingData e;
        oneProduct(e, Flag::No, Flag::No, 30, day(0));
        QCOMPARE(colour::catalogueState(product(e), day(100), 3), State::None);
    }

    void listColourFromTheRowCodes() {
        ShoppingData d;
        oneProduct(d, Flag::No, Flag::No, 0, QDate());
        ShoppingCommands cmd(d);
        cmd.addOne({day(0), 3});
        struct Case {
            QString prevu, rappel;
            State expected;
        };
        const Case cases[] = {
            {Flag::No, Flag::No, State::None},      {Flag::No, Flag::Window, State::Window},
            {Flag::No, Flag::Yes, State::Due},      {Flag::Yes, Flag::Window, State::Planned},
            {Flag::Yes, Flag::Yes, State::Planned}, {Flag::No, QString(), State::None},
        };
        for (const Case& c : cases) {
            d.list.setText(Lst::Prevu, c.prevu);
            d.list.setText(Lst::Rappel, c.rappel);
            d.list.post();
            QCOMPARE(colour::listState(*d.list.current()), c.expected);
        }
    }

    void productSheetStripAndPicker() {
        ShoppingData d;
        oneProduct(d, Flag::No, Flag::Yes, 30, day(0));
        ShoppingCommands cmd(d);
        cmd.addOne({day(25), 3});
        colour::SheetInfo info = colour::sheetFor(product(d), day(25), 3);
        QCOMPARE(info.strip, State::Window);
        QCOMPARE(info.caption, Flag::Listed);
        QCOMPARE(info.pickerDate, day(30));

        // A due date the picker cannot show gives today.
        d.catalogue.setDate(Cat::date_dern_achat, QDate(9999, 12, 20));
        d.catalogue.post();
        info = colour::sheetFor(product(d), day(25), 3);
        QCOMPARE(info.pickerDate, day(25));
        QCOMPARE(info.strip, State::None);
    }

    void boxesToggleOnce() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        QVERIFY(!cmd.togglePlanned());
        QVERIFY(!cmd.toggleReminder());
        QVERIFY(!cmd.setDueDate(day(3)));
        QVERIFY(!d.modified());

        oneProduct(d, Flag::No, Flag::No, 12, day(4));
        QVERIFY(cmd.togglePlanned());
        QCOMPARE(field(d.catalogue, "Savon", Cat::prevu), Flag::Yes);
        QVERIFY(d.modified());
        cmd.togglePlanned();
        QCOMPARE(field(d.catalogue, "Savon", Cat::prevu), Flag::No);

        QVERIFY(cmd.toggleReminder());
        QCOMPARE(field(d.catalogue, "Savon", Cat::Rappel), Flag::Yes);
        cmd.toggleReminder();
        QCOMPARE(field(d.catalogue, "Savon", Cat::Rappel), Flag::No);
        QCOMPARE(period(d, "Savon"), 12);
        QCOMPARE(purchaseDate(d, "Savon"), day(4));
    }

    void datePickerSetsTheDueDay() {
        ShoppingData d;
        oneProduct(d, Flag::No, Flag::Yes, 7, day(0));
        ShoppingCommands cmd(d);
        QVERIFY(cmd.setDueDate(QDate(2026, 5, 20)));
        QCOMPARE(purchaseDate(d, "Savon"), QDate(2026, 5, 13));
        QVERIFY(d.modified());
        QCOMPARE(colour::catalogueState(product(d), QDate(2026, 5, 20), 3), State::Due);
        QCOMPARE(colour::catalogueState(product(d), QDate(2026, 5, 19), 0), State::None);
    }

    void catalogueRowDroppedOnAPanel() {
        const GestureContext ctx{day(12), 3};
        {
            ShoppingData d;
            oneProduct(d, Flag::No, Flag::No, 40, day(0));
            ShoppingCommands cmd(d);
            QVERIFY(cmd.setStateByDrop(2, ShoppingCommands::StateSource::CatalogueRow, ctx));
            QCOMPARE(field(d.catalogue, "Savon", Cat::Rappel), Flag::Yes);
            QCOMPARE(period(d, "Savon"), 12);
            QCOMPARE(colour::catalogueState(product(d), day(12), 3), State::Due);
            QVERIFY(d.modified());
        }
        {
            ShoppingData d;
            oneProduct(d, Flag::No, Flag::No, 40, day(0));
            ShoppingCommands cmd(d);
            cmd.setStateByDrop(3, ShoppingCommands::StateSource::CatalogueRow, ctx);
            QCOMPARE(field(d.catalogue, "Savon", Cat::Rappel), Flag::Yes);
            QCOMPARE(period(d, "Savon"), 15); // 12 + 36 / 10
            QCOMPARE(colour::catalogueState(product(d), day(12), 3), State::Window);
            cmd.setStateByDrop(1, ShoppingCommands::StateSource::CatalogueRow, ctx);
            QCOMPARE(field(d.catalogue, "Savon", Cat::prevu), Flag::Yes);
        }
        {
            // The tolerance added is at most 15 days.
            ShoppingData d;
            oneProduct(d, Flag::No, Flag::No, 40, day(0));
            ShoppingCommands cmd(d);
            cmd.setStateByDrop(3, ShoppingCommands::StateSource::CatalogueRow, {day(100), 3});
            QCOMPARE(period(d, "Savon"), 115);
        }
        {
            // Bought today: only the flag changes.
            ShoppingData d;
            oneProduct(d, Flag::No, Flag::No, 40, day(12));
            ShoppingCommands cmd(d);
            cmd.setStateByDrop(2, ShoppingCommands::StateSource::CatalogueRow, ctx);
            QCOMPARE(field(d.catalogue, "Savon", Cat::Rappel), Flag::Yes);
            QCOMPARE(period(d, "Savon"), 40);
        }
        {
            // Never bought: the product keeps its period and gets the purchase date that puts it
            // in its window ("Rappel(+)") or makes it due today ("Rappel"); the product dialog
            // can still edit it.
            ShoppingData d;
            oneProduct(d, Flag::No, Flag::No, 40, QDate());
            ShoppingCommands cmd(d);
            QVERIFY(cmd.setStateByDrop(3, ShoppingCommands::StateSource::CatalogueRow, ctx));
            QCOMPARE(period(d, "Savon"), 40);
            QCOMPARE(purchaseDate(d, "Savon"), day(12 + 12 - 40));
            QCOMPARE(colour::catalogueState(product(d), day(12), 3), State::Window);
            QCOMPARE(colour::sheetFor(product(d), day(12), 3).pickerDate, day(24));
            QVERIFY(cmd.setStateByDrop(2, ShoppingCommands::StateSource::CatalogueRow, ctx));
            QCOMPARE(period(d, "Savon"), 28); // now bought 28 days ago: due today
            QCOMPARE(colour::catalogueState(product(d), day(12), 3), State::Due);
            QCOMPARE(colour::sheetFor(product(d), day(12), 3).pickerDate, day(12));
        }
        {
            // A period stored beyond what the dialog accepts is brought back within it.
            ShoppingData d;
            oneProduct(d, Flag::No, Flag::No, 32767, QDate());
            ShoppingCommands cmd(d);
            QVERIFY(cmd.setStateByDrop(2, ShoppingCommands::StateSource::CatalogueRow, ctx));
            QCOMPARE(period(d, "Savon"), 9999);
            QCOMPARE(purchaseDate(d, "Savon"), day(12 - 9999));
            QCOMPARE(colour::catalogueState(product(d), day(12), 3), State::Due);
        }
    }

    void listRowDroppedOnAPanel() {
        ShoppingData d;
        oneProduct(d, Flag::No, Flag::No, 40, day(0));
        addProduct(d, "Super", "Divers", "Autre", 1.0);
        ShoppingCommands cmd(d);
        const GestureContext ctx{day(12), 3};
        select(d.catalogue, "Savon");
        cmd.addOne(ctx);
        select(d.catalogue, "Autre"); // the partner is found by name, not by position

        cmd.setStateByDrop(3, ShoppingCommands::StateSource::ListRow, ctx);
        QCOMPARE(field(d.list, "Savon", Lst::Rappel), Flag::Window);
        QCOMPARE(field(d.catalogue, "Savon", Cat::Rappel), Flag::Yes);
        QCOMPARE(period(d, "Savon"), 15);
        cmd.setStateByDrop(2, ShoppingCommands::StateSource::ListRow, ctx);
        QCOMPARE(field(d.list, "Savon", Lst::Rappel), Flag::Yes);
        QCOMPARE(period(d, "Savon"), 12);
        cmd.setStateByDrop(1, ShoppingCommands::StateSource::ListRow, ctx);
        QCOMPARE(field(d.list, "Savon", Lst::Prevu), Flag::Yes);
        QCOMPARE(field(d.catalogue, "Savon", Cat::prevu), Flag::Yes);
        QCOMPARE(field(d.catalogue, "Autre", Cat::prevu), Flag::No);
        QCOMPARE(field(d.catalogue, "Autre", Cat::Rappel), Flag::No);

        // The row's product has gone: the row alone gets the state, no product in its place.
        select(d.catalogue, "Savon");
        cmd.deleteCatalogueRow();
        select(d.catalogue, "Autre");
        QVERIFY(cmd.setStateByDrop(3, ShoppingCommands::StateSource::ListRow, ctx));
        QCOMPARE(field(d.list, "Savon", Lst::Rappel), Flag::Window);
        QCOMPARE(field(d.catalogue, "Autre", Cat::Rappel), Flag::No);
        QCOMPARE(period(d, "Autre"), 0);

        // Nothing on an empty list.
        d.list.empty();
        QVERIFY(!cmd.setStateByDrop(1, ShoppingCommands::StateSource::ListRow, ctx));
        QVERIFY(!cmd.setStateByDrop(0, ShoppingCommands::StateSource::CatalogueRow, ctx));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestColourStates)
#include "test_colour_states.moc"
