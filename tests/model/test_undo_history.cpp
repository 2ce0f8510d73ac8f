#include "model/global_operations.h"
#include "model/list_file.h"
#include "model/list_types.h"
#include "model/product_editing.h"
#include "model/shopping_commands.h"
#include "support/shopping_fixture.h"
#include "support/test_registry.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace fixture;

namespace {

// Everything the user keeps and sees of the data, taken whole.
struct Snapshot {
    std::vector<std::pair<quint64, std::vector<FieldValue>>> catalogue, list;
    QStringList tree;
    QString validation;
    Money price;
    qint64 units = 0;
    bool totalShown = true;
    bool modified = false;
    quint64 catCurrent = 0, listCurrent = 0;
    QString label;

    bool operator==(const Snapshot&) const = default;
};

std::vector<std::pair<quint64, std::vector<FieldValue>>> rowsOf(const RecordTable& t) {
    std::vector<std::pair<quint64, std::vector<FieldValue>>> out;
    for (int p = 0; p < t.recordCount(); ++p)
        out.emplace_back(t.recordAt(p).id, t.recordAt(p).values);
    return out;
}

Snapshot snap(const ShoppingData& d) {
    Snapshot s;
    s.catalogue = rowsOf(d.catalogue);
    s.list = rowsOf(d.list);
    s.tree = d.tree.toLines();
    s.validation = d.validationText;
    s.price = d.total().price;
    s.units = d.total().units;
    s.totalShown = d.totalShown();
    s.modified = d.modified();
    s.catCurrent = d.catalogue.bookmark();
    s.listCurrent = d.list.bookmark();
    s.label = d.listLabel();
    return s;
}

// Where two snapshots first differ, for the failure message.
QString difference(const Snapshot& a, const Snapshot& b) {
    auto rows = [](const auto& x, const auto& y, const char* name) -> QString {
        if (x.size() != y.size())
            return QStringLiteral("%1: %2 records, %3 expected")
                .arg(name)
                .arg(x.size())
                .arg(y.size());
        for (size_t i = 0; i < x.size(); ++i)
            if (x[i] != y[i])
                return QStringLiteral("%1: record at %2 differs").arg(name).arg(i);
        return QString();
    };
    if (QString r = rows(a.catalogue, b.catalogue, "catalogue"); !r.isEmpty())
        return r;
    if (QString r = rows(a.list, b.list, "list"); !r.isEmpty())
        return r;
    if (a.tree != b.tree)
        return QStringLiteral("tree: ") + a.tree.join(u'|') + QStringLiteral(" / ") +
               b.tree.join(u'|');
    if (a.validation != b.validation)
        return QStringLiteral("validation text: ") + a.validation + QStringLiteral(" / ") +
               b.validation;
    if (a.price != b.price || a.units != b.units || a.totalShown != b.totalShown)
        return QStringLiteral("total: %1 %2 / %3 %4")
            .arg(a.price.toDouble())
            .arg(a.units)
            .arg(b.price.toDouble())
            .arg(b.units);
    if (a.modified != b.modified)
        return QStringLiteral("modified: %1").arg(a.modified);
    if (a.catCurrent != b.catCurrent || a.listCurrent != b.listCurrent)
        return QStringLiteral("current records: %1 %2 / %3 %4")
            .arg(a.catCurrent)
            .arg(a.listCurrent)
            .arg(b.catCurrent)
            .arg(b.listCurrent);
    return QStringLiteral("label: ") + a.label + QStringLiteral(" / ") + b.label;
}

#define COMPARE_STATE(actual, expected)                                                            \
    do {                                                                                           \
        const Snapshot a_ = (actual);                                                              \
        const Snapshot e_ = (expected);                                                            \
        QVERIFY2(a_ == e_, qPrintable(difference(a_, e_)));                                        \
    } while (false)

const GestureContext kCtx{day(40), 3};

// Three shops of a few aisles, products in every colour state, some on the list; then taken as
// loaded: no history, not modified.
void makeList(ShoppingData& d) {
    const QStringList sectors{QStringLiteral("Super"), QStringLiteral("Marché"),
                              QStringLiteral("Pharmacie")};
    for (int i = 0; i < 30; ++i) {
        Product p;
        p.sector = sectors[i % 3];
        p.aisle = QStringLiteral("Rayon %1").arg(i % 4);
        p.name = QStringLiteral("Produit %1").arg(i, 2, 10, QChar(u'0'));
        p.price = 0.5 + i * 0.25;
        p.planned = i % 5 == 0 ? Flag::Yes : Flag::No;
        p.reminder = i % 3 == 1 ? Flag::Yes : Flag::No;
        p.period = 10 + i % 7;
        p.lastPurchase = day(40 - (i % 20));
        addProduct(d, p);
    }
    d.tree.sort();
    ShoppingCommands cmd(d);
    for (int i = 0; i < 30; i += 4) {
        select(d.catalogue, QStringLiteral("Produit %1").arg(i, 2, 10, QChar(u'0')));
        cmd.addOne(kCtx);
        if (i % 8 == 0)
            cmd.addOne(kCtx);
    }
    d.catalogue.first();
    d.list.first();
    d.history.clear();
    d.setModified(false);
}

QString name(int i) {
    return QStringLiteral("Produit %1").arg(i, 2, 10, QChar(u'0'));
}

} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT

    // Runs an action that must make one step named `stepName`, then undoes and redoes it,
    // comparing the whole state with the states before and after the action.
    void roundTrip(ShoppingData& d, const QString& stepName, const std::function<void()>& action) {
        const Snapshot before = snap(d);
        const int steps = d.history.undoCount();
        action();
        const Snapshot after = snap(d);
        QVERIFY2(!(before == after), qPrintable(stepName + QStringLiteral(": nothing changed")));
        QCOMPARE(d.history.undoCount(), steps + 1);
        QCOMPARE(d.history.undoName(), stepName);
        QVERIFY(d.history.undo());
        COMPARE_STATE(snap(d), before);
        QCOMPARE(d.history.redoName(), stepName);
        QVERIFY(d.history.redo());
        COMPARE_STATE(snap(d), after);
        QVERIFY(d.history.undo());
        COMPARE_STATE(snap(d), before);
    }

private slots:
    void shoppingGestures_data() {
        QTest::addColumn<bool>("filtered");
        QTest::newRow("whole list") << false;
        QTest::newRow("one shop") << true;
    }

    void shoppingGestures() {
        QFETCH(bool, filtered);
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        if (filtered) {
            cmd.treePress(0, QString::fromUtf8("Marché"));
            cmd.setShopFilter(true);
            d.history.clear();
        }
        const QString visible = filtered ? name(1) : name(2); // a product shown, not listed
        const QString listed = filtered ? name(16) : name(8); // a product shown, two units
        const QString single = filtered ? name(4) : name(12); // a product shown, one unit

        select(d.catalogue, visible);
        roundTrip(d, "Ajout",
                  [&] { QCOMPARE(cmd.addOne(kCtx), ShoppingCommands::AddResult::Added); });
        select(d.catalogue, listed);
        roundTrip(d, "Ajout",
                  [&] { QCOMPARE(cmd.addOne(kCtx), ShoppingCommands::AddResult::Incremented); });
        select(d.list, listed);
        roundTrip(d, "Retrait",
                  [&] { QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::Decremented); });
        select(d.list, single);
        roundTrip(d, "Retrait",
                  [&] { QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::RowDeleted); });
        for (int tag = 1; tag <= 3; ++tag) {
            roundTrip(d, undoName::blockAdd(tag), [&] { QVERIFY(cmd.blockAdd(tag, kCtx) > 0); });
            QVERIFY(d.history.redo());
            roundTrip(d, undoName::blockRemove(tag), [&] { QVERIFY(cmd.blockRemove(tag) > 0); });
        }
        roundTrip(d, "Annule", [&] { QVERIFY(cmd.emptyList()); });
        select(d.list, listed);
        roundTrip(d, "Suppression de la ligne", [&] { QVERIFY(cmd.deleteListRow()); });
        select(d.catalogue, listed);
        roundTrip(d, "Suppression du produit", [&] { QVERIFY(cmd.deleteCatalogueRow()); });
        // A row whose product is gone.
        select(d.catalogue, listed);
        cmd.deleteCatalogueRow();
        d.history.clear();
        d.setModified(false);
        select(d.list, listed);
        roundTrip(d, "Retrait", [&] {
            QCOMPARE(cmd.removeOne(), ShoppingCommands::RemoveResult::OrphanDeleted);
        });
    }

    void marksDatesAndSheet() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        select(d.catalogue, name(7));
        roundTrip(d, QString::fromUtf8("Case Prévu"), [&] { QVERIFY(cmd.togglePlanned()); });
        roundTrip(d, "Rappel le", [&] { QVERIFY(cmd.toggleReminder()); });
        roundTrip(d, "Date de rappel", [&] { QVERIFY(cmd.setDueDate(day(90))); });
        for (int tag = 1; tag <= 3; ++tag) {
            select(d.catalogue, name(9));
            roundTrip(d, undoName::stateDrop(tag), [&] {
                QVERIFY(cmd.setStateByDrop(tag, ShoppingCommands::StateSource::CatalogueRow, kCtx));
            });
            select(d.list, name(12));
            roundTrip(d, undoName::stateDrop(tag), [&] {
                QVERIFY(cmd.setStateByDrop(tag, ShoppingCommands::StateSource::ListRow, kCtx));
            });
        }
        // The product sheet's fields are written as the window does, in a step of its own.
        select(d.catalogue, name(8));
        roundTrip(d, "Prix", [&] {
            UndoStep step(d.history, QStringLiteral("Prix"));
            d.catalogue.setReal(Cat::Prix, 12.5);
            d.catalogue.setInteger(Cat::Duree_rappel, 45);
            d.catalogue.setText(Cat::memo, QStringLiteral("bio"));
            d.catalogue.post();
            d.setModified();
            cmd.recomputeTotal();
        });
        roundTrip(d, "Valide", [&] {
            QVERIFY(cmd.validate(kCtx, QStringLiteral("mardi 10 avril 2026")));
            QCOMPARE(d.validationText, QStringLiteral(" mardi 10 avril 2026"));
        });
    }

    void productsAndTheirNodes() {
        ShoppingData d;
        makeList(d);
        product_edit::ProductForm form;
        form.product = QStringLiteral("Chocolat noir");
        form.sector = QStringLiteral("Épicerie fine");
        form.aisle = QStringLiteral("Douceurs");
        form.price = 3.2;
        form.period = 20;
        const int nodes = d.tree.nodeCount();
        roundTrip(d, "Nouveau produit", [&] {
            QVERIFY(product_edit::acceptProduct(d, form, 0, day(40)));
            QCOMPARE(d.tree.nodeCount(), nodes + 2);
        });
        QVERIFY(d.history.redo());
        // Corrected into a new aisle of an existing sector.
        select(d.catalogue, name(8));
        form.product = QStringLiteral("Produit 08 bis");
        form.sector = QStringLiteral("Super");
        form.aisle = QStringLiteral("Surgelés");
        roundTrip(d, "Correction d'un produit", [&] {
            QVERIFY(product_edit::acceptProduct(d, form, d.catalogue.bookmark(), day(40)));
            QCOMPARE(d.tree.nodeCount(), nodes + 3);
        });
        select(d.catalogue, name(3));
        roundTrip(d, "Suppression du produit",
                  [&] { QVERIFY(product_edit::deleteCurrentProduct(d)); });
    }

    void listTypesAndGlobalOperations() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        roundTrip(d, "Liste-type", [&] {
            QCOMPARE(listtypes::apply(d, "-2-3-5-9-", listtypes::addOneUnit(cmd, kCtx)), 4);
        });
        d.catalogue.setCurrentPos(0);
        d.catalogue.setInteger(Cat::id_prod, 999);
        d.catalogue.post();
        d.history.clear();
        roundTrip(d, QString::fromUtf8("Numérotation des produits"),
                  [&] { listtypes::renumberProducts(d); });
        const QString ops = globalops::undoName::globalOperations();
        roundTrip(d, ops, [&] { QVERIFY(globalops::setPlanned(d, true) > 0); });
        roundTrip(d, ops, [&] { QVERIFY(globalops::setReminder(d, true).changed > 0); });
        roundTrip(d, ops, [&] { QVERIFY(globalops::forceDueDate(d, day(40), 3).changed > 0); });
        roundTrip(d, ops, [&] {
            UndoStep session(d.history, ops); // the window counts the total again inside
            const auto f = globalops::PriceFactor::multiplication("1.5", nullptr);
            QVERIFY(!globalops::applyPriceFactor(d, *f).failed);
            cmd.recomputeTotal();
        });
        // The dialog's session, several operations, is one step.
        roundTrip(d, ops, [&] {
            UndoStep session(d.history, ops);
            globalops::setPlanned(d, true);
            globalops::setReminder(d, false);
            cmd.recomputeTotal();
        });
    }

    void oneActionOneStep() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        // Gestures that change nothing leave no step.
        d.history.clear();
        cmd.emptyList();
        QVERIFY(!cmd.emptyList());
        QCOMPARE(d.history.undoCount(), 1);
        QCOMPARE(d.history.undoName(), QStringLiteral("Annule"));
        QVERIFY(d.history.undo());
        QVERIFY(!d.modified());
        // A change made outside any step gets a step of its own, closed when the history is
        // next used.
        select(d.catalogue, name(0));
        d.catalogue.setText(Cat::memo, QStringLiteral("sans"));
        d.catalogue.post();
        QCOMPARE(d.history.redoCount(), 0);
        QCOMPARE(d.history.undoName(), QStringLiteral("Modification"));
        QVERIFY(d.history.undo());
        QCOMPARE(field(d.catalogue, name(0), Cat::memo), QString());
    }

    void modifiedFollowsTheSavedState() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        select(d.catalogue, name(1));
        cmd.addOne(kCtx);
        cmd.addOne(kCtx);
        QVERIFY(d.modified());
        // Saved here.
        d.setModified(false);
        d.history.markSaved();
        QVERIFY(d.history.undo());
        QVERIFY(d.modified());
        QVERIFY(d.history.undo());
        QVERIFY(d.modified());
        QVERIFY(d.history.redo());
        QVERIFY(d.history.redo());
        QVERIFY(!d.modified());
        QVERIFY(d.history.undo());
        QVERIFY(d.modified());
        // A new action replaces the saved state's step: it can no longer be reached.
        cmd.togglePlanned();
        QVERIFY(!d.history.canRedo());
        QVERIFY(d.history.undo());
        QVERIFY(d.modified());
        QVERIFY(d.history.undo());
        QVERIFY(d.modified()); // the state as loaded, but the file holds another since
        QVERIFY(!d.history.canUndo());
    }

    void loadingStartsAgain() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("l.pnv"));
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        cmd.emptyList();
        QVERIFY(listfile::save(path, d, nullptr));
        const QByteArray saved = listfile::serialize(d.tree, d.list, d.catalogue, d.validationText);
        QVERIFY(d.history.canUndo());
        // Undo then redo writes the same bytes.
        d.history.undo();
        d.history.redo();
        QCOMPARE(listfile::serialize(d.tree, d.list, d.catalogue, d.validationText), saved);
        QVERIFY(listfile::load(path, d, nullptr));
        QVERIFY(!d.history.canUndo());
        QVERIFY(!d.history.canRedo());
        // A failed read keeps the history.
        cmd.blockAdd(1, kCtx);
        QVERIFY(!listfile::load(dir.filePath(QStringLiteral("none.pnv")), d, nullptr));
        QVERIFY(d.history.canUndo());
    }

    void sortingBetweenStepsKeepsTheRecords() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        auto byId = [](Snapshot s) {
            std::sort(s.catalogue.begin(), s.catalogue.end());
            std::sort(s.list.begin(), s.list.end());
            return s;
        };
        const Snapshot loaded = byId(snap(d));
        cmd.blockAdd(3, kCtx);
        cmd.sortByTitle(ShoppingCommands::SortColumn::Produit);
        cmd.blockRemove(2);
        cmd.sortByTitle(ShoppingCommands::SortColumn::Rayon);
        QVERIFY(d.history.undo());
        QVERIFY(d.history.undo());
        Snapshot back = byId(snap(d));
        back.catCurrent = loaded.catCurrent; // the cursor of the sorted table is its own
        back.listCurrent = loaded.listCurrent;
        COMPARE_STATE(back, loaded);
    }

    void longRandomSequence() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        const Snapshot loaded = snap(d);
        QRandomGenerator rng(20261209);
        // The states before and after each step.
        std::vector<Snapshot> befores, afters;
        int extra = 0;
        for (int i = 0; i < 400; ++i) {
            const int before = d.history.undoCount();
            const int pick = static_cast<int>(rng.bounded(16));
            const int tag = 1 + static_cast<int>(rng.bounded(3));
            d.catalogue.setCurrentPos(static_cast<int>(rng.bounded(d.catalogue.recordCount())));
            if (d.list.recordCount() > 0)
                d.list.setCurrentPos(static_cast<int>(rng.bounded(d.list.recordCount())));
            const Snapshot here = snap(d);
            switch (pick) {
            case 0:
            case 1:
                cmd.addOne(kCtx);
                break;
            case 2:
            case 3:
                cmd.removeOne();
                break;
            case 4:
                cmd.blockAdd(tag, kCtx);
                break;
            case 5:
                cmd.blockRemove(tag);
                break;
            case 6:
                cmd.emptyList();
                break;
            case 7:
                cmd.togglePlanned();
                break;
            case 8:
                cmd.setDueDate(day(static_cast<int>(rng.bounded(100))));
                break;
            case 9:
                cmd.setStateByDrop(tag, ShoppingCommands::StateSource::ListRow, kCtx);
                break;
            case 10:
                cmd.validate(kCtx, QStringLiteral("jour %1").arg(i));
                break;
            case 11:
                if (rng.bounded(4) == 0)
                    cmd.deleteListRow();
                else
                    cmd.toggleReminder();
                break;
            case 12: {
                product_edit::ProductForm f;
                f.product = QStringLiteral("Nouveau %1").arg(++extra);
                f.sector = QStringLiteral("Secteur %1").arg(rng.bounded(5));
                f.aisle = QStringLiteral("Allée %1").arg(rng.bounded(8));
                f.price = rng.bounded(20);
                product_edit::acceptProduct(d, f, rng.bounded(2) ? d.catalogue.bookmark() : 0,
                                            day(40));
                break;
            }
            case 13:
                if (d.catalogue.recordCount() > 20)
                    product_edit::deleteCurrentProduct(d);
                break;
            case 14:
                globalops::setPlanned(d, rng.bounded(2) == 0);
                break;
            default:
                listtypes::apply(d, QStringLiteral("-%1-%2-").arg(rng.bounded(30)).arg(7),
                                 listtypes::addOneUnit(cmd, kCtx));
                break;
            }
            QVERIFY(d.history.undoCount() <= before + 1);
            if (d.history.undoCount() == before + 1) {
                befores.push_back(here);
                afters.push_back(snap(d));
            }
        }
        QVERIFY(befores.size() > 150);
        QCOMPARE(static_cast<size_t>(d.history.undoCount()), befores.size());
        for (size_t i = befores.size(); i-- > 0;) {
            QVERIFY(d.history.undo());
            COMPARE_STATE(snap(d), befores[i]);
        }
        QVERIFY(!d.history.canUndo());
        // The loaded data, but for where the cursors were put before the first action.
        Snapshot back = snap(d);
        back.catCurrent = loaded.catCurrent;
        back.listCurrent = loaded.listCurrent;
        COMPARE_STATE(back, loaded);
        for (size_t i = 0; i < afters.size(); ++i) {
            QVERIFY(d.history.redo());
            COMPARE_STATE(snap(d), afters[i]);
        }
        QVERIFY(!d.history.canRedo());
    }

    void boundedDepthAndMemory() {
        ShoppingData d;
        makeList(d);
        ShoppingCommands cmd(d);
        d.history.setLimits(100, std::size_t(64) << 20);
        select(d.catalogue, name(1));
        for (int i = 0; i < 150; ++i)
            cmd.togglePlanned();
        QCOMPARE(d.history.undoCount(), 100);
        const std::size_t small = d.history.memoryUsed();
        QVERIFY(small > 0);
        QVERIFY(small < 100 * 1024);
        // A memory bound drops the oldest steps, never the latest.
        d.history.setLimits(1000, 1);
        cmd.emptyList();
        QCOMPARE(d.history.undoCount(), 1);
        QVERIFY(d.history.memoryUsed() > 8 * sizeof(Record));
        QVERIFY(d.history.undo());
        QCOMPARE(mark(d, name(0)), Flag::Listed);
    }
};

KABIRO_TEST_GUILESS_MAIN(TestUndoHistory)
#include "test_undo_history.moc"
