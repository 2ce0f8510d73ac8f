#pragma once

#include "model/record_table.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QList>
#include <QString>
#include <functional>

// One column of a grid: which field it shows and how.
struct GridColumn {
    GridColumn(QString title_, int field_, int width_,
               Qt::Alignment titleAlignment_ = Qt::AlignLeft | Qt::AlignVCenter,
               QBrush background_ = QBrush())
        : title(std::move(title_)), field(field_), width(width_), titleAlignment(titleAlignment_),
          background(std::move(background_)) {}

    QString title;
    int field = 0; // field index in the table's schema
    int width = 64;
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Background of the column's cells when the colour hook gives none (invalid: the view's).
    QBrush background;
};

// Table model over a RecordTable: one row per record the table shows (its visible positions,
// so the shop filter is followed), one column per configured field.
//
// Each cell is read straight from the record, so the cost per cell does not depend on the
// number of records; the model is reset only when the table's set or order of records changes
// and tells the views about single records otherwise.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Background of a cell: the record, the column index and whether the record is the table's
    // current one. An invalid QVariant leaves the column's own background.
    using BackgroundHook = std::function<QVariant(const Record&, int column, bool current)>;
    // Tool tip of a cell (what its colour means, in words); empty: none.
    using ToolTipHook = std::function<QString(const Record&, int column)>;

    RecordGridModel(RecordTable& table, QList<GridColumn> columns, QObject* parent = nullptr);

    RecordTable& table() const { return *table_; }
    const QList<GridColumn>& columns() const { return columns_; }
    void setColumnTitle(int column, const QString& title);
    QString columnTitle(int column) const;
    // Column index showing a field, -1 when none does.
    int columnOfField(int field) const;

    // Cells with a background of their own get the text colour that reads on it.
    void setBackgroundHook(BackgroundHook hook);
    void setToolTipHook(ToolTipHook hook);
    // Redraw every cell (after a change of the colours the hook uses).
    void refreshAll();

    // Record position shown at a row, -1 outside; row showing a position, -1 when not shown.
    int positionAt(int row) const;
    int rowOf(int pos) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void tableReset();
    void recordChanged(int pos);
    void currentChanged();

    RecordTable* table_;
    QList<GridColumn> columns_;
    QVariant backgroundOf(const Record& rec, int column, bool current) const;

    BackgroundHook background_;
    ToolTipHook toolTip_;
    int rows_ = 0;             // row count the views were last told about
    int shownCurrentRow_ = -1; // row last painted as current, for the colour hook
};
