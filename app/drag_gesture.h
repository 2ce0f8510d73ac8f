#pragma once

#include <QCursor>
#include <QObject>
#include <QPoint>
#include <array>
#include <functional>

class CartPanel;
class QDrag;
class QLabel;
class QMouseEvent;
class RecordGrid;

// The pointer gestures on the catalogue and list grids, the trolley and the colour panels:
// double clicks on the grids' rows, the right press and the keys of the catalogue, the panels'
// pressed look, and drags between all of them. A drag carries the object name of the control it
// started from; what a drop does is the window's, told by `dropped`.
class DragGesture : public QObject {
    Q_OBJECT
public:
    // Runs a drag once the pointer has moved far enough; empty: QDrag::exec.
    using DragExec = std::function<Qt::DropAction(QDrag&)>;

    DragGesture(RecordGrid* catalogue, RecordGrid* list, CartPanel* cart, DragExec dragExec);

signals:
    void addRequested();     // Enter in the catalogue, a double click on its row
    void removeRequested();  // a double click on a list row
    void plannedRequested(); // Space in the catalogue, a right press on its row
    // A drop the target accepts, by the object names of the source and the target.
    void dropped(const QString& source, const QString& target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* controlOf(QObject* watched) const; // the grids take pointer events on viewports
    bool press(QWidget* control, QLabel* panel, const QMouseEvent& e);
    bool doubleClick(QWidget* control, QLabel* panel, const QMouseEvent& e);
    void startDrag(QWidget* source);

    RecordGrid* catalogue_;
    RecordGrid* list_;
    CartPanel* cart_;
    DragExec dragExec_;
    // The cursors by their numbers 2 (catalogue rows, panels), 3 (list rows), 4 (cart).
    std::array<QCursor, 3> cursors_;
    QWidget* pressSource_ = nullptr; // the pending press of a drag source
    QPoint pressAt_;
};
