#include "app/record_grid_model.h"

#include "dialogs/readable_colours.h"

#include <algorithm>

RecordGridModel::RecordGridModel(RecordTable& table, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(&table), columns_(std::move(columns)) {
    rows_ = static_cast<int>(table_->visiblePositions().size());
    shownCurrentRow_ = table_->currentRow();
    connect(table_, &RecordTable::reset, this, &RecordGridModel::tableReset);
    connect(table_, &RecordTable::recordChanged, this, &RecordGridModel::recordChanged);
    connect(table_, &RecordTable::currentChanged, this, &RecordGridModel::currentChanged);
}

void RecordGridModel::setColumnTitle(int column, const QString& title) {
    if (column < 0 || column >= columns_.size() || columns_[column].title == title)
        return;
    columns_[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString RecordGridModel::columnTitle(int column) const {
    if (column < 0 || column >= columns_.size())
        return QString();
    return columns_[column].title;
}

int RecordGridModel::columnOfField(int field) const {
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].field == field)
            return c;
    return -1;
}

void RecordGridModel::setBackgroundHook(BackgroundHook hook) {
    background_ = std::move(hook);
    refreshAll();
}

void RecordGridModel::setToolTipHook(ToolTipHook hook) {
    toolTip_ = std::move(hook);
}

void RecordGridModel::refreshAll() {
    if (rows_ > 0 && !columns_.isEmpty())
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, Qt::ToolTipRole});
}

QVariant RecordGridModel::backgroundOf(const Record& rec, int column, bool current) const {
    if (background_) {
        QVariant v = background_(rec, column, current);
        if (v.isValid())
            return v;
    }
    const QBrush& own = columns_[column].background;
    return own.style() != Qt::NoBrush ? QVariant(own) : QVariant();
}

int RecordGridModel::positionAt(int row) const {
    const auto& shown = table_->visiblePositions();
    if (row < 0 || row >= rows_ || row >= static_cast<int>(shown.size()))
        return -1;
    return shown[static_cast<size_t>(row)];
}

int RecordGridModel::rowOf(int pos) const {
    const auto& shown = table_->visiblePositions();
    auto it = std::lower_bound(shown.begin(), shown.end(), pos);
    if (it == shown.end() || *it != pos)
        return -1;
    const int row = static_cast<int>(it - shown.begin());
    return row < rows_ ? row : -1;
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns_.size())
        return QVariant();
    // The view may ask between a change of the table and the reset that follows it (while the
    // table's refresh is suspended): rows that no longer exist are simply empty.
    const int pos = positionAt(index.row());
    if (pos < 0)
        return QVariant();
    const GridColumn& col = columns_[index.column()];
    const Record& rec = table_->recordAt(pos);
    switch (role) {
    case Qt::DisplayRole:
        return RecordTable::textOf(rec, col.field);
    case Qt::BackgroundRole:
        return backgroundOf(rec, index.column(), pos == table_->currentPos());
    case Qt::ForegroundRole: {
        const QVariant back = backgroundOf(rec, index.column(), pos == table_->currentPos());
        if (!back.isValid())
            return QVariant();
        return QBrush(readable::textOn(back.value<QBrush>().color()));
    }
    case Qt::ToolTipRole: {
        const QString tip = toolTip_ ? toolTip_(rec, index.column()) : QString();
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    default:
        return QVariant();
    }
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_[section].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[section].titleAlignment);
    return QVariant();
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

void RecordGridModel::tableReset() {
    beginResetModel();
    rows_ = static_cast<int>(table_->visiblePositions().size());
    shownCurrentRow_ = table_->currentRow();
    endResetModel();
}

void RecordGridModel::recordChanged(int pos) {
    const int row = rowOf(pos);
    if (row >= 0 && !columns_.isEmpty())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordGridModel::currentChanged() {
    // The colour hook paints the current row differently: repaint the rows it leaves and joins.
    const int now = table_->currentRow();
    if (now == shownCurrentRow_ || columns_.isEmpty())
        return;
    const int before = shownCurrentRow_;
    shownCurrentRow_ = now;
    for (int row : {before, now})
        if (row >= 0 && row < rows_)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1),
                             {Qt::BackgroundRole, Qt::ForegroundRole});
}
