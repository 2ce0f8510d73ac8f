// Creation of the main window's regions: the left part (sector view, catalogue, product sheet),
// the cart panel and the list view with its footer.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/list_footer.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "app/sheet_edit.h"
#include "app/splitter_widths.h"
#include "app/window_look.h"
#include "dialogs/readable_colours.h"
#include "model/platform.h"
#include "resources/pictures.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QFrame* panel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    return p;
}

QVBoxLayout* column(QWidget* w) {
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    return l;
}

QWidget* buildLeftPart(MainWindowUi& ui, ShoppingData& data, const RegionalSettings& regional,
                       QWidget* window) {
    // The left part's smallest width is that of its layout: the product sheet's, whose date
    // picker gives up width first.
    ui.Panel4 = panel(ui.Splitter1, "Panel4");
    auto* layout = column(ui.Panel4);

    ui.Splitter2 = new QSplitter(Qt::Horizontal, ui.Panel4);
    ui.Splitter2->setObjectName(QStringLiteral("Splitter2"));
    ui.Splitter2->setHandleWidth(5);
    ui.Splitter2->setChildrenCollapsible(false);

    // Sector view: title bar over the organisation tree; hidden until the layout shows it.
    ui.Panel10 = panel(ui.Splitter2, "Panel10");
    ui.Panel10->setMinimumWidth(look::kTreeMinimumWidth);
    auto* treeLayout = column(ui.Panel10);
    ui.Panel8 = look::titleBar(ui.Panel10, "Panel8", QStringLiteral("Secteur"));
    treeLayout->addWidget(ui.Panel8);
    ui.TreeView1 = new QTreeWidget(ui.Panel10);
    ui.TreeView1->setObjectName(QStringLiteral("TreeView1"));
    ui.TreeView1->setHeaderHidden(true);
    ui.TreeView1->setColumnCount(1);
    ui.TreeView1->setIndentation(17);
    ui.TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.TreeView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.TreeView1->setAllColumnsShowFocus(true);
    ui.TreeView1->setMouseTracking(true);
    ui.TreeView1->setAttribute(Qt::WA_Hover);
    ui.TreeView1->setUniformRowHeights(true);
    // The narrow tree cuts long names rather than scrolling sideways; the hint shows them whole.
    ui.TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    treeLayout->addWidget(ui.TreeView1, 1);
    ui.Splitter2->addWidget(ui.Panel10);
    ui.Panel10->hide();

    // Catalogue view.
    ui.Panel11 = panel(ui.Splitter2, "Panel11");
    ui.Panel11->setMinimumWidth(look::kCatalogueMinimumWidth);
    auto* catLayout = column(ui.Panel11);
    ui.Panel12 = look::titleBar(ui.Panel11, "Panel12", QStringLiteral("Liste des produits "));
    catLayout->addWidget(ui.Panel12);
    const QBrush buttonFace = window->palette().brush(QPalette::Button);
    ui.table1Grid = new RecordGridModel(
        data.catalogue,
        {GridColumn{QStringLiteral("*"), Cat::color, 14, Qt::AlignLeft | Qt::AlignVCenter,
                    buttonFace},
         GridColumn{QStringLiteral("Rayon"), Cat::Rayon, 58},
         GridColumn{QStringLiteral("Produit"), Cat::Produit, 137, Qt::AlignCenter}},
        window);
    ui.RxDBGrid1 = new RecordGrid(ui.table1Grid, ui.Panel11);
    ui.RxDBGrid1->setObjectName(QStringLiteral("RxDBGrid1"));
    catLayout->addWidget(ui.RxDBGrid1, 1);
    ui.Splitter2->addWidget(ui.Panel11);
    ui.Splitter2->setStretchFactor(0, 0);
    ui.Splitter2->setStretchFactor(1, 1);

    layout->addWidget(ui.Splitter2, 1);
    ui.sheet = new ProductSheet(regional.decimalSeparator(),
                                regional.locale().dateFormat(QLocale::ShortFormat), ui.Panel4);
    layout->addWidget(ui.sheet);
    return ui.Panel4;
}

QWidget* buildListView(MainWindowUi& ui, ShoppingData& data, QWidget* window) {
    ui.Panel3 = panel(nullptr, "Panel3");
    auto* layout = column(ui.Panel3);
    ui.Panel6 = look::titleBar(ui.Panel3, "Panel6", QStringLiteral("Liste des courses à faire"));
    layout->addWidget(ui.Panel6);

    ui.table2Grid = new RecordGridModel(
        data.list,
        {GridColumn{QStringLiteral("*"), Lst::Color, 4},
         GridColumn{QStringLiteral("Rayon"), Lst::Rayon, 58},
         GridColumn{QStringLiteral("Produit"), Lst::Produit, 97, Qt::AlignCenter},
         GridColumn{QStringLiteral("Qté"), Lst::unite_vente, 26}},
        window);
    ui.RxDBGrid2 = new RecordGrid(ui.table2Grid, ui.Panel3);
    ui.RxDBGrid2->setObjectName(QStringLiteral("RxDBGrid2"));
    layout->addWidget(ui.RxDBGrid2, 1);

    // Footer: search box, list label, totals, last validation.
    auto* footer = new ListFooter(ui.Panel3);
    ui.Panel2 = footer;
    ui.cbb_rech = footer->searchBox();
    ui.lbl_eliste = footer->listLabel();
    ui.btn_total = footer->totalButton();
    ui.edt_total = footer->totalField();
    ui.edt_tot_nbre = footer->countField();
    ui.edt_date_vali = footer->validationField();
    layout->addWidget(ui.Panel2);
    // The list is never narrower than its footer's four rows (its title may be cut): when the
    // window narrows, the left part gives way once the list has come down to that width.
    ui.Panel6->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return ui.Panel3;
}

} // namespace

void Tfrm_main::buildWindow() {
    setObjectName(QStringLiteral("frm_main"));
    setWindowTitle(QStringLiteral("Paniva"));
    setWindowIcon(pictures::windowIcon());
    setFont(look::windowFont());
    readable::mendSelection(this);
    setMinimumSize(410, 330);
    move(208, 122);
    resize(559, 345);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto* layout = column(central);

    buildToolbar(*ui_, this);
    layout->addWidget(ui_->Panel1);

    ui_->Splitter1 = new QSplitter(Qt::Horizontal, central);
    ui_->Splitter1->setObjectName(QStringLiteral("Splitter1"));
    ui_->Splitter1->setHandleWidth(5);
    ui_->Splitter1->setChildrenCollapsible(false);
    ui_->Splitter1->addWidget(buildLeftPart(*ui_, data_, platform_.regional(), this));

    auto* right = new QWidget(ui_->Splitter1);
    right->setObjectName(QStringLiteral("right_part"));
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    ui_->cart = new CartPanel(right);
    rightLayout->addWidget(ui_->cart);
    rightLayout->addWidget(buildListView(*ui_, data_, this), 1);
    ui_->Splitter1->addWidget(right);
    // The left part keeps its width when the window is resized; the list takes the rest.
    ui_->Splitter1->setStretchFactor(0, 0);
    ui_->Splitter1->setStretchFactor(1, 1);
    layout->addWidget(ui_->Splitter1, 1);

    setCentralWidget(central);
    buildMenus(*ui_, this);

    splitters_ = std::make_unique<SplitterWidths>(*this, *ui_->Splitter1, *ui_->Panel4,
                                                  *ui_->Splitter2, *ui_->Panel10);
    ui_->Panel11->installEventFilter(this);
    ui_->Panel3->installEventFilter(this);
    sheetEdit_ = std::make_unique<SheetEdit>(*ui_->sheet, data_, commands_, platform_);
}
