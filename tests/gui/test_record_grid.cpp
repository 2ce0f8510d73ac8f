// The grid model over a record table and the grid view: rows follow the table and its filter,
// single records are redrawn alone, the current row follows the cursor both ways, titles and
// Ctrl+Del are reported.

#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "model/shopping_tables.h"
#include "support/test_registry.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

namespace {

void add(RecordTable& t, const QString& sector, const QString& aisle, const QString& name) {
    t.append();
    t.setText(Cat::Secteur, sector);
    t.setText(Cat::Rayon, aisle);
    t.setText(Cat::Produit, name);
    t.setText(Cat::color, Flag::NotListed);
    t.post();
}

QList<GridColumn> catalogueColumns() {
    return {GridColumn(QStringLiteral("*"), Cat::color, 14, Qt::AlignLeft, QBrush(Qt::gray)),
            GridColumn(QStringLiteral("Rayon"), Cat::Rayon, 58),
            GridColumn(QStringLiteral("Produit"), Cat::Produit, 137, Qt::AlignCenter)};
}

QStringList names(const QAbstractItemModel& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.index(r, 2).data().toString();
    return out;
}

} // namespace

class TestRecordGrid : public QObject {
    Q_OBJECT

private slots:
    void modelFollowsTheTableThroughEveryChange() {
        RecordTable t(catalogueSchema());
        RecordGridModel model(t, catalogueColumns());
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        add(t, "Super", "Frais", "Lait");
        add(t, "Boulangerie", "Pains", "Baguette");
        add(t, "Super", "Épicerie", "Riz");
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(names(model), (QStringList{"Lait", "Baguette", "Riz"}));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("Frais"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Produit"));
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));

        // The filter: only the records shown are rows.
        t.setFilter(
            [](const Record& r) { return RecordTable::textOf(r, Cat::Secteur) == "Super"; });
        t.setFiltered(true);
        QCOMPARE(names(model), (QStringList{"Lait", "Riz"}));
        QCOMPARE(model.positionAt(1), 2);
        QCOMPARE(model.rowOf(1), -1);
        t.setFiltered(false);

        t.sort(QStringLiteral("Produit"));
        QCOMPARE(names(model), (QStringList{"Baguette", "Lait", "Riz"}));
        t.first();
        t.remove();
        QCOMPARE(names(model), (QStringList{"Lait", "Riz"}));
        t.empty();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.index(0, 0).isValid());
    }

    void oneRecordChangedRedrawsItsRowOnly() {
        RecordTable t(catalogueSchema());
        for (int i = 0; i < 5; ++i)
            add(t, "S", "A", QStringLiteral("P%1").arg(i));
        RecordGridModel model(t, catalogueColumns());
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        t.setCurrentPos(3);
        changed.clear();
        t.setText(Cat::Produit, QStringLiteral("Nouveau"));
        t.post();
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 3);
        QCOMPARE(changed.first().at(1).toModelIndex().row(), 3);
        QCOMPARE(model.index(3, 2).data().toString(), QStringLiteral("Nouveau"));
        // Renaming a title tells the header.
        QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
        model.setColumnTitle(1, QStringLiteral("Allée"));
        QCOMPARE(header.count(), 1);
        QCOMPARE(model.columnTitle(1), QStringLiteral("Allée"));
    }

    void backgroundHookAndColumnColour() {
        RecordTable t(catalogueSchema());
        add(t, "S", "A", "Lait");
        add(t, "S", "A", "Riz");
        RecordGridModel model(t, catalogueColumns());
        // Without a hook the colour column keeps its own colour, the others the view's.
        QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::gray));
        QVERIFY(!model.index(0, 2).data(Qt::BackgroundRole).isValid());

        t.setCurrentPos(1);
        model.setBackgroundHook([](const Record& r, int column, bool current) -> QVariant {
            if (column != 0)
                return {};
            if (current)
                return QBrush(Qt::blue);
            return RecordTable::textOf(r, Cat::Produit) == "Lait" ? QVariant(QBrush(Qt::yellow))
                                                                  : QVariant();
        });
        QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::yellow));
        QCOMPARE(model.index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::blue));
        // Moving the cursor repaints the rows it leaves and joins.
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        t.setCurrentPos(0);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(model.index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::gray));
    }

    void viewAndCursorMoveTogether() {
        RecordTable t(catalogueSchema());
        for (int i = 0; i < 50; ++i)
            add(t, i % 2 ? "A" : "B", "R", QStringLiteral("P%1").arg(i));
        RecordGridModel model(t, catalogueColumns());
        RecordGrid grid(&model);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        t.setCurrentPos(40);
        QCOMPARE(grid.currentIndex().row(), 40);
        QVERIFY(grid.selectionModel()->isRowSelected(40, QModelIndex()));

        // A click makes the clicked row the table's current record.
        t.setCurrentPos(0);
        const QRect cell = grid.visualRect(model.index(2, 2));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(t.currentPos(), 2);

        // After a structural change the view finds the cursor again.
        t.setFilter([](const Record& r) { return RecordTable::textOf(r, Cat::Secteur) == "A"; });
        t.setFiltered(true);
        QCOMPARE(grid.currentIndex().row(), t.currentRow());
        QCOMPARE(model.positionAt(grid.currentIndex().row()), t.currentPos());

        // Column sizes as configured; uniform row heights.
        QCOMPARE(grid.columnWidth(1), 58);
        QCOMPARE(grid.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void titlesAndCtrlDelAreReported() {
        RecordTable t(catalogueSchema());
        add(t, "S", "A", "Lait");
        RecordGridModel model(t, catalogueColumns());
        RecordGrid grid(&model);
        grid.setColumnHidden(1, true);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy titles(&grid, &RecordGrid::titleClicked);
        QHeaderView* h = grid.horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(2) + 5, h->height() / 2));
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.first().at(0).toInt(), 2); // hidden columns still count

        QSignalSpy deletes(&grid, &RecordGrid::deleteRequested);
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(deletes.count(), 0);
        QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(deletes.count(), 1);
    }

    void largeTableIsShownWhole() {
        RecordTable t(catalogueSchema());
        std::vector<FieldValue> values(static_cast<size_t>(Cat::FieldCount));
        for (int i = 0; i < 60000; ++i) {
            values[Cat::Produit] = QStringLiteral("Produit %1").arg(i);
            t.appendLoaded(std::vector<FieldValue>(values));
        }
        t.first();
        RecordGridModel model(t, catalogueColumns());
        RecordGrid grid(&model);
        QCOMPARE(model.rowCount(), 60000);
        t.setCurrentPos(59999);
        QCOMPARE(grid.currentIndex().row(), 59999);
        QCOMPARE(model.index(59999, 2).data().toString(), QStringLiteral("Produit 59999"));
    }
};

KABIRO_TEST_MAIN(TestRecordGrid)
#include "test_record_grid.moc"
