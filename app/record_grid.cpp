#include "app/record_grid.h"

#include "dialogs/readable_colours.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

RecordGrid::RecordGrid(RecordGridModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The selection keeps its colours when the grid loses the focus.
    QPalette pal = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);
    readable::mendSelection(this);

    // Uniform row heights: the view never measures rows, however many there are.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(fontMetrics().height() + 3);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    titles->setMinimumSectionSize(2);
    connect(titles, &QHeaderView::sectionClicked, this, &RecordGrid::titleClicked);

    for (int c = 0; c < model_->columns().size(); ++c)
        setColumnWidth(c, model_->columns()[c].width);

    connect(model_, &QAbstractItemModel::modelReset, this, &RecordGrid::followTable);
    connect(&model_->table(), &RecordTable::currentChanged, this, &RecordGrid::followTable);
    followTable();
}

void RecordGrid::followTable() {
    QItemSelectionModel* sel = selectionModel();
    if (!sel)
        return;
    following_ = true;
    const int row = model_->rowOf(table().currentPos());
    if (row < 0) {
        // No row shows the cursor: nothing is current, so a click on any row moves it.
        sel->clearSelection();
        sel->clearCurrentIndex();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex at = model_->index(row, column);
        if (at != currentIndex() || !sel->isRowSelected(row, QModelIndex()))
            sel->setCurrentIndex(at,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(at);
    }
    following_ = false;
}

void RecordGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid())
        return;
    const int pos = model_->positionAt(current.row());
    if (pos >= 0 && pos != table().currentPos())
        table().setCurrentPos(pos);
}

void RecordGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        emit deleteRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}

QRect RecordGrid::focusFrame() const {
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return QRect();
    QRect row;
    for (int c = 0; c < model_->columnCount(); ++c)
        if (!isColumnHidden(c))
            row = row.united(visualRect(model_->index(current.row(), c)));
    return row.intersected(viewport()->rect()).adjusted(0, 0, -1, -1);
}

void RecordGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QRect frame = focusFrame();
    if (frame.isEmpty())
        return;
    // Two pixels in the selection's text colour, which reads on the selection.
    QPainter painter(viewport());
    QPen pen(palette().color(QPalette::HighlightedText), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
}

void RecordGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void RecordGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}
