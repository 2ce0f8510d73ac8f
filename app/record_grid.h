#pragma once

#include "app/record_grid_model.h"

#include <QTableView>

// A data grid bound to a record table: whole-row selection that stays shown without the focus,
// resizable columns, clickable titles, uniform row heights, and a current row kept in step with
// the table's cursor both ways (a click moves the cursor; moving the cursor moves the row).
class RecordGrid : public QTableView {
    Q_OBJECT
public:
    explicit RecordGrid(RecordGridModel* model, QWidget* parent = nullptr);

    RecordGridModel* gridModel() const { return model_; }
    RecordTable& table() const { return model_->table(); }

    // Puts the view's current row on the table's current record and shows it.
    void followTable();
    // The frame drawn round the current row while the grid has the focus (empty otherwise).
    QRect focusFrame() const;

signals:
    // A column title was clicked: the column's index among all columns, hidden ones included.
    void titleClicked(int column);
    // Ctrl+Del was pressed: the user asks to delete the current row.
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // While the grid has the keyboard focus, a frame goes round its current row: the selection
    // itself stays shown when the focus is elsewhere, so the frame tells where the keys go.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    RecordGridModel* model_;
    bool following_ = false; // the view is being moved to the table's cursor
};
