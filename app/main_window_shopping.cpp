// The shopping side of the main window: the sector tree, sorting by the grids' titles, the
// search box, the buttons that move products between catalogue and list, the total,
// validation, the block add of the colour panels and the colours of the grids' first column.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/event_relay.h"
#include "app/main_window_ui.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "app/search_box.h"
#include "app/window_look.h"
#include "model/platform.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <array>

namespace {

// The first column of both grids shows its colour state on the current row too: the
// selection colour would hide it, so this column is drawn as if it were not selected.
class StateCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
};

// The brush of a grid's first column on a row other than the current one: the record's colour
// state, in the colours of the cart's panels.
QVariant stateBrush(const CartPanel& cart, const QBrush& buttonFace, const GestureContext& ctx,
                    const Record& r, bool catalogue) {
    const colour::State state =
        catalogue ? colour::catalogueState(r, ctx.today, ctx.coefDelai) : colour::listState(r);
    switch (state) {
    case colour::State::Planned:
        return QBrush(cart.stateColour(0));
    case colour::State::Due:
        return QBrush(cart.stateColour(1));
    case colour::State::Window:
        return QBrush(cart.stateColour(2));
    case colour::State::None:
        break;
    }
    return catalogue ? QVariant(buttonFace) : QVariant();
}

// What a state cell's colour means: the state's caption (as its colour panel shows it) and, in
// the catalogue, whether the product is on the list.
QString stateToolTip(colour::State state, bool listed, const std::array<QString, 3>& captions) {
    QString tip;
    switch (state) {
    case colour::State::Planned:
        tip = captions[0];
        break;
    case colour::State::Due:
        tip = captions[1];
        break;
    case colour::State::Window:
        tip = captions[2];
        break;
    case colour::State::None:
        break;
    }
    if (listed)
        tip =
            tip.isEmpty() ? QStringLiteral("Sur la liste") : tip + QStringLiteral(", sur la liste");
    return tip;
}

} // namespace

void Tfrm_main::setupShopping() {
    // Tree: a press of any button on a node; the tree selects the node as usual.
    treeEvents_ = std::make_unique<EventRelay>([this](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* e = static_cast<QMouseEvent*>(event);
            TreeView1MouseDown(e->button(), e->position().toPoint());
        }
        return false;
    });
    treeEvents_->watch(ui_->TreeView1->viewport());

    // Titles of both grids, a click on a list row.
    connect(ui_->RxDBGrid1, &RecordGrid::titleClicked, this, &Tfrm_main::RxDBGrid1TitleBtnClick);
    connect(ui_->RxDBGrid2, &RecordGrid::titleClicked, this, &Tfrm_main::RxDBGrid1TitleBtnClick);
    connect(ui_->RxDBGrid2, &QAbstractItemView::clicked, this, &Tfrm_main::RxDBGrid2CellClick);

    // Search box: no completion of its own (the catalogue follows what is typed), and its
    // list filled when it opens.
    ui_->cbb_rech->setCompleter(nullptr);
    connect(ui_->cbb_rech, &QComboBox::editTextChanged, this, &Tfrm_main::cbb_rechChange);
    connect(static_cast<SearchBox*>(ui_->cbb_rech), &SearchBox::dropDown, this,
            &Tfrm_main::cbb_rechDropDown);

    // Buttons of the cart panel and of the list footer.
    connect(ui_->cart, &CartPanel::addClicked, this, &Tfrm_main::spd_btn_poseClick);
    connect(ui_->cart, &CartPanel::removeClicked, this, &Tfrm_main::spd_btn_retireClick);
    connect(ui_->cart, &CartPanel::emptyClicked, this, &Tfrm_main::spd_btn_annuleClick);
    connect(ui_->cart, &CartPanel::validateClicked, this, &Tfrm_main::spd_btn_valideClick);
    connect(ui_->cart, &CartPanel::panelDoubleClicked, this, &Tfrm_main::cpanel1DblClick);
    connect(ui_->btn_total, &QPushButton::clicked, this, &Tfrm_main::btn_totalClick);

    // Colours of the first column of both grids.
    for (RecordGrid* grid : {ui_->RxDBGrid1, ui_->RxDBGrid2})
        grid->setItemDelegateForColumn(0, new StateCellDelegate(grid));
    for (const bool catalogue : {true, false}) {
        RecordGridModel* model = catalogue ? ui_->table1Grid : ui_->table2Grid;
        model->setBackgroundHook([this, catalogue](const Record& r, int column, bool current) {
            if (column != 0)
                return QVariant();
            const QBrush buttonFace = palette().brush(QPalette::Button);
            if (current)
                return QVariant(buttonFace);
            return stateBrush(*ui_->cart, buttonFace, gestureContext(), r, catalogue);
        });
    }
    // The colour of a cell said in words too: the state's caption, as its panel shows it.
    for (const bool catalogue : {true, false}) {
        RecordGridModel* model = catalogue ? ui_->table1Grid : ui_->table2Grid;
        model->setToolTipHook([this, catalogue](const Record& r, int column) {
            if (column != 0)
                return QString();
            const GestureContext ctx = gestureContext();
            const colour::State state = catalogue
                                            ? colour::catalogueState(r, ctx.today, ctx.coefDelai)
                                            : colour::listState(r);
            const CartPanel& cart = *ui_->cart;
            return stateToolTip(state,
                                catalogue && RecordTable::textOf(r, Cat::color) == Flag::Listed,
                                {cart.statePanel(0)->text(), cart.statePanel(1)->text(),
                                 cart.statePanel(2)->text()});
        });
    }

    setupSheet();
    setupDragDrop();
}

void Tfrm_main::gestureStart() {
    endSheetEdit();
    ui_->RxDBGrid1->setFocus();
}

// ---------------------------------------------------------------- tree, titles, search

void Tfrm_main::TreeView1MouseDown(Qt::MouseButton, const QPoint& pos) {
    const QTreeWidgetItem* node = ui_->TreeView1->itemAt(pos);
    if (!node)
        return;
    endSheetEdit();
    const QTreeWidgetItem* parent = node->parent();
    if (parent)
        commands_.treePress(1, node->text(0), parent->text(0));
    else
        commands_.treePress(0, node->text(0));
}

void Tfrm_main::RxDBGrid1TitleBtnClick(int column) {
    switch (column) {
    case 0:
        spd_btn_rayonClick();
        break;
    case 1:
        endSheetEdit();
        commands_.sortByTitle(ShoppingCommands::SortColumn::Rayon);
        break;
    case 2:
        endSheetEdit();
        commands_.sortByTitle(ShoppingCommands::SortColumn::Produit);
        break;
    default:
        break; // the list's "Qté"
    }
}

void Tfrm_main::RxDBGrid2CellClick() {
    if (data_.list.isEmpty())
        return;
    endSheetEdit();
    commands_.showListRowProduct();
}

void Tfrm_main::cbb_rechChange(const QString& text) {
    endSheetEdit();
    commands_.searchBeginsWith(text);
}

void Tfrm_main::cbb_rechDropDown() {
    const std::optional<QStringList> items = commands_.searchItems(ui_->cbb_rech->currentText());
    if (!items)
        return; // nothing typed: the list keeps its items
    // The box is emptied and refilled without it counting as a search.
    const QSignalBlocker quiet(ui_->cbb_rech);
    static_cast<SearchBox*>(ui_->cbb_rech)->setItems(*items);
    ui_->cbb_rech->setCurrentIndex(-1);
    ui_->cbb_rech->setEditText(QString());
}

// ---------------------------------------------------------------- moving products

void Tfrm_main::spd_btn_poseClick() {
    gestureStart();
    if (commands_.addOne(gestureContext()) == ShoppingCommands::AddResult::AtMaximum)
        platform_.beep();
}

void Tfrm_main::spd_btn_retireClick() {
    gestureStart();
    repaint();
    commands_.removeOne();
}

void Tfrm_main::spd_btn_annuleClick() {
    gestureStart();
    commands_.emptyList();
}

void Tfrm_main::spd_btn_valideClick() {
    gestureStart();
    if (commands_.validateAsking(gestureContext(), platform_))
        showValidationText();
}

void Tfrm_main::btn_totalClick() {
    endSheetEdit();
    commands_.totalClick();
}

void Tfrm_main::cpanel1DblClick(int tag) {
    endSheetEdit();
    commands_.blockAdd(tag, gestureContext());
    ui_->cart->raisePanels();
}
