// Pointer gestures and drags between the grids, the trolley and the colour panels.

#include "app/drag_gesture.h"

#include "app/cart_panel.h"
#include "app/drag_controls.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "resources/pictures.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The type of the data a drag between the window's controls carries: the source's name.
const QString kControlMime = QStringLiteral("application/x-paniva-control");

QString sourceOf(const QMimeData* mime) {
    if (!mime || !mime->hasFormat(kControlMime))
        return QString();
    return QString::fromUtf8(mime->data(kControlMime));
}

bool accepts(const QString& source, const QString& target) {
    return drop::accepts(dragControls::fromObjectName(target),
                         dragControls::fromObjectName(source));
}

// A drag shows its cursor picture centred on the pointer: the picture is laid on a larger one
// so that its hot spot (the arrow's tip) falls on the centre.
QPixmap centredOnHotSpot(const QCursor& cursor) {
    const QPixmap picture = cursor.pixmap();
    if (picture.isNull())
        return picture;
    const QPoint hot = cursor.hotSpot();
    const int half =
        std::max({hot.x(), hot.y(), picture.width() - hot.x(), picture.height() - hot.y(), 1});
    QPixmap centred(2 * half, 2 * half);
    centred.fill(Qt::transparent);
    QPainter p(&centred);
    p.drawPixmap(half - hot.x(), half - hot.y(), picture);
    return centred;
}

} // namespace

DragGesture::DragGesture(RecordGrid* catalogue, RecordGrid* list, CartPanel* cart,
                         DragExec dragExec)
    : catalogue_(catalogue), list_(list), cart_(cart), dragExec_(std::move(dragExec)) {
    for (int n = 0; n < 3; ++n)
        cursors_[static_cast<size_t>(n)] = pictures::dragCursor(n + 1);
    // Keys of the catalogue grid, pointer events and drops of both grids' rows, the trolley and
    // the panels. The grids' own drag and drop stays off: drops reach this filter.
    catalogue->installEventFilter(this);
    for (RecordGrid* grid : {catalogue, list}) {
        grid->viewport()->installEventFilter(this);
        grid->setDragEnabled(false);
        grid->setDragDropMode(QAbstractItemView::NoDragDrop);
        grid->viewport()->setAcceptDrops(true);
    }
    for (QWidget* target :
         {static_cast<QWidget*>(cart->trolley()), static_cast<QWidget*>(cart->statePanel(0)),
          static_cast<QWidget*>(cart->statePanel(1)), static_cast<QWidget*>(cart->statePanel(2))}) {
        target->installEventFilter(this);
        target->setAcceptDrops(true);
    }
}

QWidget* DragGesture::controlOf(QObject* watched) const {
    if (watched == catalogue_->viewport())
        return catalogue_;
    if (watched == list_->viewport())
        return list_;
    if (watched == cart_->trolley() || watched == cart_->statePanel(0) ||
        watched == cart_->statePanel(1) || watched == cart_->statePanel(2))
        return static_cast<QWidget*>(watched);
    return nullptr;
}

bool DragGesture::eventFilter(QObject* watched, QEvent* event) {
    if (watched == catalogue_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit addRequested();
            return true;
        }
        if (key->key() == Qt::Key_Space) {
            emit plannedRequested();
            return true;
        }
        return false;
    }
    QWidget* const control = controlOf(watched);
    if (!control)
        return false;
    const QString name = control->objectName();
    const int tag = drop::panelTag(dragControls::fromObjectName(name));
    QLabel* const panel = tag ? cart_->statePanel(static_cast<size_t>(tag - 1)) : nullptr;
    const bool isGrid = control == catalogue_ || control == list_;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(control, panel, *static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (pressSource_ != control || !(e->buttons() & Qt::LeftButton))
            return false;
        // A panel drags only while it shows pressed.
        if (panel && panel->frameShadow() != QFrame::Sunken)
            return false;
        if ((e->position().toPoint() - pressAt_).manhattanLength() >=
            QApplication::startDragDistance())
            startDrag(control);
        // Until then the grid's row stays the one pressed: no selection by dragging.
        return true;
    }
    case QEvent::MouseButtonRelease:
        pressSource_ = nullptr;
        if (panel)
            cart_->setPanelSunken(panel, false);
        return !isGrid;
    case QEvent::MouseButtonDblClick:
        return doubleClick(control, panel, *static_cast<QMouseEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (accepts(sourceOf(e->mimeData()), name)) {
            e->setDropAction(Qt::MoveAction);
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const QString source = sourceOf(e->mimeData());
        if (!accepts(source, name)) {
            e->ignore();
            return true;
        }
        e->setDropAction(Qt::MoveAction);
        e->accept();
        emit dropped(source, name);
        return true;
    }
    default:
        return false;
    }
}

bool DragGesture::press(QWidget* control, QLabel* panel, const QMouseEvent& e) {
    const QPoint at = e.position().toPoint();
    if (panel)
        cart_->setPanelSunken(panel, true);
    if (control == catalogue_ && e.button() == Qt::RightButton) {
        // A right press makes the row under the pointer current and flips its planned flag.
        const QModelIndex index = catalogue_->indexAt(at);
        if (index.isValid()) {
            catalogue_->table().setCurrentPos(catalogue_->gridModel()->positionAt(index.row()));
            emit plannedRequested();
        }
        return true;
    }
    pressSource_ = nullptr;
    const drop::Control which = dragControls::fromObjectName(control->objectName());
    if (e.button() == Qt::LeftButton && drop::canStartDrag(which, list_->table().isEmpty())) {
        pressSource_ = control;
        pressAt_ = at;
    }
    // A grid makes the pressed row current; the cart and the panels take the press.
    return control != catalogue_ && control != list_;
}

bool DragGesture::doubleClick(QWidget* control, QLabel* panel, const QMouseEvent& e) {
    pressSource_ = nullptr;
    if (e.button() != Qt::LeftButton)
        return false;
    // The cart tells the double clicks on its panels; the trolley has none.
    if (control == cart_->trolley() || panel)
        return false;
    // A double click on a grid row: that row, then its command.
    auto* grid = static_cast<RecordGrid*>(control);
    const QModelIndex index = grid->indexAt(e.position().toPoint());
    if (!index.isValid())
        return true;
    grid->table().setCurrentPos(grid->gridModel()->positionAt(index.row()));
    if (grid == catalogue_)
        emit addRequested();
    else
        emit removeRequested();
    return true;
}

void DragGesture::startDrag(QWidget* source) {
    pressSource_ = nullptr;
    const drop::Control which = dragControls::fromObjectName(source->objectName());
    auto* drag = new QDrag(source);
    auto* mime = new QMimeData;
    mime->setData(kControlMime, source->objectName().toUtf8());
    drag->setMimeData(mime);
    const int number = std::clamp(drop::dragCursor(which) - 2, 0, 2);
    drag->setDragCursor(centredOnHotSpot(cursors_[static_cast<size_t>(number)]), Qt::MoveAction);
    if (dragExec_) {
        dragExec_(*drag);
        drag->deleteLater();
    } else {
        drag->exec(Qt::MoveAction);
    }
    // The release went to the drag: the panels show raised again.
    cart_->raisePanels();
}
