// Creation of the main window's regions: the left part (sector view, catalogue, product sheet),
// the cart panel and the list view with its footer.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "app/search_box.h"
#include "app/window_look.h"
#include "dialogs/readable_colours.h"
#include "model/platform.h"
#include "resources/pictures.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

QLabel* textLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* field(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedHeight(20);
    return e;
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

    buildToolbar();
    layout->addWidget(ui_->Panel1);

    ui_->Splitter1 = new QSplitter(Qt::Horizontal, central);
    ui_->Splitter1->setObjectName(QStringLiteral("Splitter1"));
    ui_->Splitter1->setHandleWidth(5);
    ui_->Splitter1->setChildrenCollapsible(false);
    ui_->Splitter1->addWidget(buildLeftPart());

    auto* right = new QWidget(ui_->Splitter1);
    right->setObjectName(QStringLiteral("right_part"));
    right->setMinimumWidth(50);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    ui_->cart = new CartPanel(right);
    rightLayout->addWidget(ui_->cart);
    rightLayout->addWidget(buildListView(), 1);
    ui_->Splitter1->addWidget(right);
    // The left part keeps its width when the window is resized; the list takes the rest.
    ui_->Splitter1->setStretchFactor(0, 0);
    ui_->Splitter1->setStretchFactor(1, 1);
    layout->addWidget(ui_->Splitter1, 1);

    setCentralWidget(central);
    buildMenus();

    ui_->Panel11->installEventFilter(this);
    ui_->Panel3->installEventFilter(this);
}

QWidget* Tfrm_main::buildLeftPart() {
    ui_->Panel4 = panel(ui_->Splitter1, "Panel4");
    ui_->Panel4->setMinimumWidth(50);
    auto* layout = column(ui_->Panel4);

    ui_->Splitter2 = new QSplitter(Qt::Horizontal, ui_->Panel4);
    ui_->Splitter2->setObjectName(QStringLiteral("Splitter2"));
    ui_->Splitter2->setHandleWidth(5);
    ui_->Splitter2->setChildrenCollapsible(false);

    // Sector view: title bar over the organisation tree; hidden until the layout shows it.
    ui_->Panel10 = panel(ui_->Splitter2, "Panel10");
    ui_->Panel10->setMinimumWidth(look::kTreeMinimumWidth);
    auto* treeLayout = column(ui_->Panel10);
    ui_->Panel8 = look::titleBar(ui_->Panel10, "Panel8", QStringLiteral("Secteur"));
    treeLayout->addWidget(ui_->Panel8);
    ui_->TreeView1 = new QTreeWidget(ui_->Panel10);
    ui_->TreeView1->setObjectName(QStringLiteral("TreeView1"));
    ui_->TreeView1->setHeaderHidden(true);
    ui_->TreeView1->setColumnCount(1);
    ui_->TreeView1->setIndentation(17);
    ui_->TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui_->TreeView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui_->TreeView1->setAllColumnsShowFocus(true);
    ui_->TreeView1->setMouseTracking(true);
    ui_->TreeView1->setAttribute(Qt::WA_Hover);
    ui_->TreeView1->setUniformRowHeights(true);
    // The narrow tree cuts long names rather than scrolling sideways; the hint shows them whole.
    ui_->TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    treeLayout->addWidget(ui_->TreeView1, 1);
    ui_->Splitter2->addWidget(ui_->Panel10);
    ui_->Panel10->hide();

    // Catalogue view.
    ui_->Panel11 = panel(ui_->Splitter2, "Panel11");
    ui_->Panel11->setMinimumWidth(look::kCatalogueMinimumWidth);
    auto* catLayout = column(ui_->Panel11);
    ui_->Panel12 = look::titleBar(ui_->Panel11, "Panel12", QStringLiteral("Liste des produits "));
    catLayout->addWidget(ui_->Panel12);
    const QBrush buttonFace = palette().brush(QPalette::Button);
    ui_->table1Grid = new RecordGridModel(
        data_.catalogue,
        {GridColumn{QStringLiteral("*"), Cat::color, 14, Qt::AlignLeft | Qt::AlignVCenter,
                    buttonFace},
         GridColumn{QStringLiteral("Rayon"), Cat::Rayon, 58},
         GridColumn{QStringLiteral("Produit"), Cat::Produit, 137, Qt::AlignCenter}},
        this);
    ui_->RxDBGrid1 = new RecordGrid(ui_->table1Grid, ui_->Panel11);
    ui_->RxDBGrid1->setObjectName(QStringLiteral("RxDBGrid1"));
    catLayout->addWidget(ui_->RxDBGrid1, 1);
    ui_->Splitter2->addWidget(ui_->Panel11);
    ui_->Splitter2->setStretchFactor(0, 0);
    ui_->Splitter2->setStretchFactor(1, 1);

    layout->addWidget(ui_->Splitter2, 1);
    const RegionalSettings regional = platform_.regional();
    ui_->sheet = new ProductSheet(regional.decimalSeparator(),
                                  regional.locale().dateFormat(QLocale::ShortFormat), ui_->Panel4);
    layout->addWidget(ui_->sheet);
    return ui_->Panel4;
}

QWidget* Tfrm_main::buildListView() {
    ui_->Panel3 = panel(nullptr, "Panel3");
    auto* layout = column(ui_->Panel3);
    ui_->Panel6 =
        look::titleBar(ui_->Panel3, "Panel6", QStringLiteral("Liste des courses à faire"));
    layout->addWidget(ui_->Panel6);

    ui_->table2Grid = new RecordGridModel(
        data_.list,
        {GridColumn{QStringLiteral("*"), Lst::Color, 4},
         GridColumn{QStringLiteral("Rayon"), Lst::Rayon, 58},
         GridColumn{QStringLiteral("Produit"), Lst::Produit, 97, Qt::AlignCenter},
         GridColumn{QStringLiteral("Qté"), Lst::unite_vente, 26}},
        this);
    ui_->RxDBGrid2 = new RecordGrid(ui_->table2Grid, ui_->Panel3);
    ui_->RxDBGrid2->setObjectName(QStringLiteral("RxDBGrid2"));
    layout->addWidget(ui_->RxDBGrid2, 1);

    // Footer: search box, list label, totals, last validation.
    ui_->Panel2 = panel(ui_->Panel3, "Panel2");
    ui_->Panel2->setFixedHeight(96);
    ui_->Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(ui_->Panel2);
    grid->setContentsMargins(4, 3, 4, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    ui_->cbb_rech = new SearchBox(ui_->Panel2);
    ui_->cbb_rech->setObjectName(QStringLiteral("cbb_rech"));
    ui_->cbb_rech->setEditable(true);
    ui_->cbb_rech->setInsertPolicy(QComboBox::NoInsert);
    ui_->cbb_rech->setMinimumWidth(100);
    ui_->cbb_rech->setMaximumWidth(160);
    ui_->cbb_rech->setFixedHeight(21);
    ui_->cbb_rech->setEditText(QStringLiteral("Recherche"));
    ui_->lbl_eliste = textLabel(ui_->Panel2, "lbl_eliste", QStringLiteral("Liste complète"));
    ui_->lbl_eliste->setAlignment(Qt::AlignCenter);
    ui_->lbl_eliste->setMinimumWidth(40);
    ui_->lbl_eliste->setFixedHeight(19);
    grid->addWidget(ui_->cbb_rech, 0, 0, 1, 2);
    grid->addWidget(ui_->lbl_eliste, 0, 2, 1, 2);

    ui_->btn_total = new QPushButton(QStringLiteral("Total"), ui_->Panel2);
    ui_->btn_total->setObjectName(QStringLiteral("btn_total"));
    ui_->btn_total->setFixedSize(44, 21);
    ui_->edt_total = field(ui_->Panel2, "edt_total");
    ui_->edt_tot_nbre = field(ui_->Panel2, "edt_tot_nbre");
    for (QLineEdit* e : {ui_->edt_total, ui_->edt_tot_nbre}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setText(QStringLiteral("0"));
    }
    ui_->edt_total->setMinimumWidth(60);
    ui_->edt_tot_nbre->setFixedWidth(40);
    grid->addWidget(ui_->btn_total, 1, 0);
    grid->addWidget(ui_->edt_total, 1, 1, 1, 2);
    grid->addWidget(ui_->edt_tot_nbre, 1, 3);

    auto* validated =
        textLabel(ui_->Panel2, "lbl_dern_liste", QStringLiteral("Dern. liste\nvalidée le"));
    ui_->edt_date_vali = field(ui_->Panel2, "edt_date_vali");
    ui_->edt_date_vali->setReadOnly(true);
    ui_->edt_date_vali->setFocusPolicy(Qt::NoFocus);
    ui_->edt_date_vali->setText(ShoppingData::initialValidationText());
    QFont bold = ui_->edt_date_vali->font();
    bold.setBold(true);
    ui_->edt_date_vali->setFont(bold);
    look::setFieldTextColour(ui_->edt_date_vali, Qt::red);
    grid->addWidget(validated, 2, 0, 1, 1);
    grid->addWidget(ui_->edt_date_vali, 2, 1, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);

    layout->addWidget(ui_->Panel2);
    return ui_->Panel3;
}
