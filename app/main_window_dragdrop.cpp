// Drag and drop between the grids, the cart and the colour panels: DragGesture follows the
// pointer and tells the drops; what a drop does is decided and done in one place,
// controlDragDrop(). The gestures' other requests reach the slots of the same commands.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/drag_controls.h"
#include "app/drag_gesture.h"
#include "app/main_window_ui.h"
#include "model/drop_rules.h"

void Tfrm_main::setupDragDrop() {
    dragGesture_ =
        std::make_unique<DragGesture>(ui_->RxDBGrid1, ui_->RxDBGrid2, ui_->cart, hooks_.dragExec);
    DragGesture* g = dragGesture_.get();
    connect(g, &DragGesture::addRequested, this, &Tfrm_main::spd_btn_poseClick);
    connect(g, &DragGesture::removeRequested, this, &Tfrm_main::spd_btn_retireClick);
    connect(g, &DragGesture::plannedRequested, this, &Tfrm_main::DBCheckBox1Enter);
    connect(g, &DragGesture::dropped, this, &Tfrm_main::controlDragDrop);
}

void Tfrm_main::controlDragDrop(const QString& source, const QString& target) {
    endSheetEdit();
    const drop::Effect effect = drop::dropEffect(dragControls::fromObjectName(source),
                                                 dragControls::fromObjectName(target));
    const drop::DropOutcome out = drop::applyDrop(effect, commands_, gestureContext(), platform_);
    if (effect == drop::Effect::Validate && out.changed)
        showValidationText();
    showProduct();
    ui_->cart->raisePanels();
}
