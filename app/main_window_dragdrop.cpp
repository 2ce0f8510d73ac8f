// Pointer gestures on the grids, the cart and the colour panels: double clicks, the right press
// and the keys of the catalogue, the panels' pressed look, and drag and drop between all of
// them. A drag carries the object name of the control it started from; what a drop does is
// decided and done in one place, controlDragDrop().

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/drag_controls.h"
#include "app/event_relay.h"
#include "app/main_window_ui.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
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

void Tfrm_main::setupDragDrop() {
    auto* relay = static_cast<EventRelay*>(shoppingEvents_.get());
    // Keys of the catalogue grid, pointer events of both grids' rows.
    relay->watch(ui_->RxDBGrid1);
    relay->watch(ui_->RxDBGrid1->viewport());
    relay->watch(ui_->RxDBGrid2->viewport());
    CartPanel* cart = ui_->cart;
    relay->watch(cart->trolley());
    for (size_t i = 0; i < 3; ++i)
        relay->watch(cart->statePanel(i));
    for (QWidget* target :
         {ui_->RxDBGrid1->viewport(), ui_->RxDBGrid2->viewport(),
          static_cast<QWidget*>(cart->trolley()), static_cast<QWidget*>(cart->statePanel(0)),
          static_cast<QWidget*>(cart->statePanel(1)), static_cast<QWidget*>(cart->statePanel(2))})
        target->setAcceptDrops(true);
    // The grids' own drag and drop stays off: drops reach the filter above.
    for (RecordGrid* grid : {ui_->RxDBGrid1, ui_->RxDBGrid2}) {
        grid->setDragEnabled(false);
        grid->setDragDropMode(QAbstractItemView::NoDragDrop);
        grid->viewport()->setAcceptDrops(true);
    }
}

// ---------------------------------------------------------------- pointer and keys

bool Tfrm_main::pointerEvent(QObject* watched, QEvent* event) {
    // The control an event concerns: the grids receive pointer events on their viewports.
    CartPanel* cart = ui_->cart;
    QWidget* control = nullptr;
    if (watched == ui_->RxDBGrid1->viewport())
        control = ui_->RxDBGrid1;
    else if (watched == ui_->RxDBGrid2->viewport())
        control = ui_->RxDBGrid2;
    else if (watched == cart->trolley() || watched == cart->statePanel(0) ||
             watched == cart->statePanel(1) || watched == cart->statePanel(2))
        control = static_cast<QWidget*>(watched);
    const QString name = control ? control->objectName() : QString();
    const drop::Control which = dragControls::fromObjectName(name);
    const int tag = drop::panelTag(which);
    QLabel* const panel = tag ? cart->statePanel(static_cast<size_t>(tag - 1)) : nullptr;
    const bool isGrid = control == ui_->RxDBGrid1 || control == ui_->RxDBGrid2;

    if (watched == ui_->RxDBGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            spd_btn_poseClick();
            return true;
        }
        if (key->key() == Qt::Key_Space) {
            DBCheckBox1Enter();
            return true;
        }
        return false;
    }
    if (!control)
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->position().toPoint();
        if (panel)
            cart->setPanelSunken(panel, true);
        if (control == ui_->RxDBGrid1 && e->button() == Qt::RightButton) {
            // A right press makes the row under the pointer current and flips its planned flag.
            const QModelIndex index = ui_->RxDBGrid1->indexAt(at);
            if (index.isValid()) {
                data_.catalogue.setCurrentPos(ui_->table1Grid->positionAt(index.row()));
                DBCheckBox1Enter();
            }
            return true;
        }
        pressSource_ = nullptr;
        if (e->button() == Qt::LeftButton && drop::canStartDrag(which, data_.list.isEmpty())) {
            pressSource_ = control;
            pressAt_ = at;
        }
        // A grid makes the pressed row current; the cart and the panels take the press.
        return !isGrid;
    }
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
            cart->setPanelSunken(panel, false);
        return !isGrid;
    case QEvent::MouseButtonDblClick: {
        const auto* e = static_cast<QMouseEvent*>(event);
        pressSource_ = nullptr;
        if (e->button() != Qt::LeftButton)
            return false;
        // The cart tells the double clicks on its panels; the trolley has none.
        if (control == cart->trolley() || panel)
            return false;
        // A double click on a grid row: that row, then its command.
        auto* grid = static_cast<RecordGrid*>(control);
        const QModelIndex index = grid->indexAt(e->position().toPoint());
        if (!index.isValid())
            return true;
        grid->table().setCurrentPos(grid->gridModel()->positionAt(index.row()));
        if (grid == ui_->RxDBGrid1)
            spd_btn_poseClick();
        else
            spd_btn_retireClick();
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (controlDragOver(sourceOf(e->mimeData()), name)) {
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
        if (!controlDragOver(source, name)) {
            e->ignore();
            return true;
        }
        e->setDropAction(Qt::MoveAction);
        e->accept();
        controlDragDrop(source, name);
        return true;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------- drag and drop

void Tfrm_main::startDrag(QWidget* source) {
    pressSource_ = nullptr;
    const drop::Control which = dragControls::fromObjectName(source->objectName());
    auto* drag = new QDrag(source);
    auto* mime = new QMimeData;
    mime->setData(kControlMime, source->objectName().toUtf8());
    drag->setMimeData(mime);
    const QPixmap cursor = centredOnHotSpot(dragCursor(drop::dragCursor(which)));
    drag->setDragCursor(cursor, Qt::MoveAction);
    if (hooks_.dragExec) {
        hooks_.dragExec(*drag);
        drag->deleteLater();
    } else {
        drag->exec(Qt::MoveAction);
    }
    // The release went to the drag: the panels show raised again.
    ui_->cart->raisePanels();
}

bool Tfrm_main::controlDragOver(const QString& source, const QString& target) const {
    return drop::accepts(dragControls::fromObjectName(target),
                         dragControls::fromObjectName(source));
}

drop::DropOutcome Tfrm_main::controlDragDrop(const QString& source, const QString& target) {
    endSheetEdit();
    const drop::Effect effect = drop::dropEffect(dragControls::fromObjectName(source),
                                                 dragControls::fromObjectName(target));
    const drop::DropOutcome out = drop::applyDrop(effect, commands_, gestureContext(), platform_);
    if (effect == drop::Effect::Validate && out.changed)
        showValidationText();
    showProduct();
    ui_->cart->raisePanels();
    return out;
}
