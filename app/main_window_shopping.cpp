// The shopping side of the main window: the sector tree, sorting by the grids' titles, the
// search box, the buttons that move products between catalogue and list, the total,
// validation, the block add of the colour panels and the colours of the grids' first column.

#include "app/main_window.h"

#include "app/event_relay.h"
#include "app/search_box.h"
#include "app/window_look.h"
#include "model/platform.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

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
    shoppingEvents_ = std::make_unique<EventRelay>(
        [this](QObject* watched, QEvent* event) { return shoppingEvent(watched, event); });

    // Tree: a press of any button on a node.
    static_cast<EventRelay*>(shoppingEvents_.get())->watch(TreeView1->viewport());

    // Titles of both grids, a click on a list row.
    connect(RxDBGrid1, &RecordGrid::titleClicked, this, &Tfrm_main::RxDBGrid1TitleBtnClick);
    connect(RxDBGrid2, &RecordGrid::titleClicked, this, &Tfrm_main::RxDBGrid1TitleBtnClick);
    connect(RxDBGrid2, &QAbstractItemView::clicked, this, &Tfrm_main::RxDBGrid2CellClick);

    // Search box: no completion of its own (the catalogue follows what is typed), and its
    // list filled when it opens.
    cbb_rech->setCompleter(nullptr);
    connect(cbb_rech, &QComboBox::editTextChanged, this, &Tfrm_main::cbb_rechChange);
    connect(static_cast<SearchBox*>(cbb_rech), &SearchBox::dropDown, this,
            &Tfrm_main::cbb_rechDropDown);

    // Buttons of the cart panel and of the list footer.
    connect(SpeedButton2, &QPushButton::clicked, this, &Tfrm_main::spd_btn_poseClick);
    connect(spd_btn_retire, &QPushButton::clicked, this, &Tfrm_main::spd_btn_retireClick);
    connect(SpeedButton3, &QPushButton::clicked, this, &Tfrm_main::spd_btn_annuleClick);
    connect(spd_btn_valide, &QPushButton::clicked, this, &Tfrm_main::spd_btn_valideClick);
    connect(btn_total, &QPushButton::clicked, this, &Tfrm_main::btn_totalClick);

    // Colours of the first column of both grids.
    for (RecordGrid* grid : {RxDBGrid1, RxDBGrid2})
        grid->setItemDelegateForColumn(0, new StateCellDelegate(grid));
    table1Grid->setBackgroundHook([this](const Record& r, int column, bool current) {
        return stateBrush(r, column, current, true);
    });
    table2Grid->setBackgroundHook([this](const Record& r, int column, bool current) {
        return stateBrush(r, column, current, false);
    });
    // The colour of a cell said in words too: the state's caption, as its panel shows it.
    auto stateTip = [this](const Record& r, bool catalogue) {
        const GestureContext ctx = gestureContext();
        const colour::State state =
            catalogue ? colour::catalogueState(r, ctx.today, ctx.coefDelai) : colour::listState(r);
        return stateToolTip(state, catalogue && RecordTable::textOf(r, Cat::color) == Flag::Listed,
                            {cpanels[0]->text(), cpanels[1]->text(), cpanels[2]->text()});
    };
    table1Grid->setToolTipHook([stateTip](const Record& r, int column) {
        return column == 0 ? stateTip(r, true) : QString();
    });
    table2Grid->setToolTipHook([stateTip](const Record& r, int column) {
        return column == 0 ? stateTip(r, false) : QString();
    });

    setupSheet();
    setupDragDrop();
}

bool Tfrm_main::shoppingEvent(QObject* watched, QEvent* event) {
    if (sheetEvent(watched, event))
        return true;
    if (watched == TreeView1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* e = static_cast<QMouseEvent*>(event);
        TreeView1MouseDown(e->button(), e->position().toPoint());
        return false; // the tree selects the node as usual
    }
    return pointerEvent(watched, event);
}

void Tfrm_main::gestureStart() {
    endSheetEdit();
    RxDBGrid1->setFocus();
}

// ---------------------------------------------------------------- tree, titles, search

void Tfrm_main::TreeView1MouseDown(Qt::MouseButton, const QPoint& pos) {
    const QTreeWidgetItem* node = TreeView1->itemAt(pos);
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
    const std::optional<QStringList> items = commands_.searchItems(cbb_rech->currentText());
    if (!items)
        return; // nothing typed: the list keeps its items
    // The box is emptied and refilled without it counting as a search.
    const QSignalBlocker quiet(cbb_rech);
    cbb_rech->clear();
    cbb_rech->addItems(*items);
    cbb_rech->setCurrentIndex(-1);
    cbb_rech->setEditText(QString());
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
    raisePanels();
}

// ---------------------------------------------------------------- colours

QVariant Tfrm_main::stateBrush(const Record& r, int column, bool current, bool catalogue) const {
    if (column != 0)
        return QVariant();
    const QBrush buttonFace = palette().brush(QPalette::Button);
    if (current)
        return buttonFace;
    const GestureContext ctx = gestureContext();
    const colour::State state =
        catalogue ? colour::catalogueState(r, ctx.today, ctx.coefDelai) : colour::listState(r);
    switch (state) {
    case colour::State::Planned:
        return QBrush(look::background(cpanels[0]));
    case colour::State::Due:
        return QBrush(look::background(cpanels[1]));
    case colour::State::Window:
        return QBrush(look::background(cpanels[2]));
    case colour::State::None:
        break;
    }
    return catalogue ? QVariant(buttonFace) : QVariant();
}
