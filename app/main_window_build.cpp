// Creation of the main window's regions: the left part (sector view, catalogue, product sheet),
// the cart panel and the list view with its footer.

#include "app/main_window.h"

#include "app/search_box.h"
#include "app/window_look.h"
#include "dialogs/bgr_color.h"
#include "dialogs/readable_colours.h"
#include "resources/pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
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

QPushButton* cartButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedHeight(22);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
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
    layout->addWidget(Panel1);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(buildLeftPart());

    auto* right = new QWidget(Splitter1);
    right->setObjectName(QStringLiteral("right_part"));
    right->setMinimumWidth(50);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(buildCartPanel());
    rightLayout->addWidget(buildListView(), 1);
    Splitter1->addWidget(right);
    // The left part keeps its width when the window is resized; the list takes the rest.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    layout->addWidget(Splitter1, 1);

    setCentralWidget(central);
    buildMenus();

    Panel11->installEventFilter(this);
    Panel3->installEventFilter(this);
}

QWidget* Tfrm_main::buildLeftPart() {
    Panel4 = panel(Splitter1, "Panel4");
    Panel4->setMinimumWidth(50);
    auto* layout = column(Panel4);

    Splitter2 = new QSplitter(Qt::Horizontal, Panel4);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(5);
    Splitter2->setChildrenCollapsible(false);

    // Sector view: title bar over the organisation tree; hidden until the layout shows it.
    Panel10 = panel(Splitter2, "Panel10");
    Panel10->setMinimumWidth(look::kTreeMinimumWidth);
    auto* treeLayout = column(Panel10);
    Panel8 = look::titleBar(Panel10, "Panel8", QStringLiteral("Secteur"));
    treeLayout->addWidget(Panel8);
    TreeView1 = new QTreeWidget(Panel10);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIndentation(17);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TreeView1->setAllColumnsShowFocus(true);
    TreeView1->setMouseTracking(true);
    TreeView1->setAttribute(Qt::WA_Hover);
    TreeView1->setUniformRowHeights(true);
    // The narrow tree cuts long names rather than scrolling sideways; the hint shows them whole.
    TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    treeLayout->addWidget(TreeView1, 1);
    Splitter2->addWidget(Panel10);
    Panel10->hide();

    // Catalogue view.
    Panel11 = panel(Splitter2, "Panel11");
    Panel11->setMinimumWidth(look::kCatalogueMinimumWidth);
    auto* catLayout = column(Panel11);
    Panel12 = look::titleBar(Panel11, "Panel12", QStringLiteral("Liste des produits "));
    catLayout->addWidget(Panel12);
    const QBrush buttonFace = palette().brush(QPalette::Button);
    table1Grid = new RecordGridModel(
        data_.catalogue,
        {GridColumn{QStringLiteral("*"), Cat::color, 14, Qt::AlignLeft | Qt::AlignVCenter,
                    buttonFace},
         GridColumn{QStringLiteral("Rayon"), Cat::Rayon, 58},
         GridColumn{QStringLiteral("Produit"), Cat::Produit, 137, Qt::AlignCenter}},
        this);
    RxDBGrid1 = new RecordGrid(table1Grid, Panel11);
    RxDBGrid1->setObjectName(QStringLiteral("RxDBGrid1"));
    catLayout->addWidget(RxDBGrid1, 1);
    Splitter2->addWidget(Panel11);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);

    layout->addWidget(Splitter2, 1);
    layout->addWidget(buildProductSheet());
    return Panel4;
}

QWidget* Tfrm_main::buildProductSheet() {
    Panel7 = panel(Panel4, "Panel7");
    Panel7->setFixedHeight(96);
    Panel7->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* outer = new QHBoxLayout(Panel7);
    outer->setContentsMargins(1, 1, 2, 1);
    outer->setSpacing(3);

    Panel5 = textLabel(Panel7, "Panel5", QString());
    Panel5->setFixedWidth(6);
    Panel5->setAlignment(Qt::AlignCenter);
    look::setBackground(Panel5, palette().color(QPalette::Button));
    outer->addWidget(Panel5);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 1, 0, 1);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    outer->addLayout(grid, 1);

    DBText1 = textLabel(Panel7, "DBText1", QString());
    DBText2 = textLabel(Panel7, "DBText2", QString());
    spd_btn_editprod2 = new QToolButton(Panel7);
    spd_btn_editprod2->setObjectName(QStringLiteral("spd_btn_editprod2"));
    spd_btn_editprod2->setIcon(pictures::toolbarIcon(QStringLiteral("editprod")));
    spd_btn_editprod2->setIconSize(QSize(12, 12));
    spd_btn_editprod2->setAutoRaise(true);
    spd_btn_editprod2->setFixedSize(18, 18);
    spd_btn_editprod2->setToolTip(QStringLiteral("Editer/modifier un produit"));
    grid->addWidget(DBText1, 0, 0, 1, 2);
    grid->addWidget(DBText2, 0, 2, 1, 2);
    grid->addWidget(spd_btn_editprod2, 0, 4, Qt::AlignRight);

    DBCheckBox1 = new QCheckBox(Panel7);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->setToolTip(QStringLiteral("Prévu"));
    DBEdit1 = field(Panel7, "DBEdit1");
    DBEdit1->setReadOnly(true);
    QFont bold = DBEdit1->font();
    bold.setBold(true);
    DBEdit1->setFont(bold);
    grid->addWidget(DBCheckBox1, 1, 0);
    grid->addWidget(DBEdit1, 1, 1, 1, 4);

    RxDBCalcEdit1 = field(Panel7, "RxDBCalcEdit1");
    RxDBCalcEdit1->setMaxLength(6);
    RxDBCalcEdit1->setFixedWidth(52);
    RxDBCalcEdit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DBCheckBox5 = new QCheckBox(QStringLiteral("Rappel le"), Panel7);
    DBCheckBox5->setObjectName(QStringLiteral("DBCheckBox5"));
    DateTimePicker1 = new QDateEdit(Panel7);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setFixedHeight(20);
    grid->addWidget(textLabel(Panel7, "lbl_prix", QStringLiteral("Prix")), 2, 0);
    grid->addWidget(RxDBCalcEdit1, 2, 1);
    grid->addWidget(DBCheckBox5, 2, 2);
    grid->addWidget(DateTimePicker1, 2, 3, 1, 2);

    DBEdit3 = field(Panel7, "DBEdit3");
    DBEdit3->setFixedWidth(52);
    DBEdit3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DBEdit2 = field(Panel7, "DBEdit2");
    DBEdit2->setMaxLength(60);
    grid->addWidget(textLabel(Panel7, "lbl_delai", QStringLiteral("Délai")), 3, 0);
    grid->addWidget(DBEdit3, 3, 1);
    grid->addWidget(textLabel(Panel7, "lbl_note", QStringLiteral("Note")), 3, 2,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(DBEdit2, 3, 3, 1, 2);
    grid->setColumnStretch(3, 1);
    return Panel7;
}

QWidget* Tfrm_main::buildCartPanel() {
    Panel9 = panel(nullptr, "Panel9");
    Panel9->setFixedWidth(71);
    look::setBackground(Panel9, palette().color(QPalette::Dark));
    auto* layout = new QVBoxLayout(Panel9);
    layout->setContentsMargins(5, 4, 5, 4);
    layout->setSpacing(2);

    const QString panelHint = QStringLiteral(
        "Cette case contient  tous\r\nles produits de cette couleur\r\nDéplacez les en bloc");
    const char* names[3] = {"cpanel1", "cpanel2", "cpanel3"};
    const QString captions[3] = {QStringLiteral("Prévu"), QStringLiteral("Rappel"),
                                 QStringLiteral("Rappel(+)")};
    const quint32 colours[3] = {settings::kAqua, settings::kYellow, settings::kLime};
    for (int i = 0; i < 3; ++i) {
        QLabel* c = textLabel(Panel9, names[i], captions[i]);
        c->setFixedSize(60, 19);
        c->setAlignment(Qt::AlignCenter);
        c->setFrameStyle(QFrame::Panel | QFrame::Raised);
        c->setLineWidth(1);
        look::setBackground(c, colorFromBgr(colours[i]));
        look::setHint(c, panelHint);
        cpanels[static_cast<size_t>(i)] = c;
        layout->addWidget(c, 0, Qt::AlignHCenter);
    }

    layout->addSpacing(6);
    image_chariot = textLabel(Panel9, "image_chariot", QString());
    look::setPicture(image_chariot, pictures::trolley());
    image_chariot->setFixedSize(36, 36);
    image_chariot->setAlignment(Qt::AlignCenter);
    look::setHint(image_chariot, QStringLiteral("<- Pousser le chariot ->\r\nvers le magasin pour "
                                                "tout retirer\r\nvers la liste pour tout valider"));
    layout->addWidget(image_chariot, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(2);
    spd_btn_retire = cartButton(Panel9, "spd_btn_retire", QStringLiteral("<"));
    SpeedButton2 = cartButton(Panel9, "SpeedButton2", QStringLiteral(">"));
    arrows->addWidget(spd_btn_retire);
    arrows->addWidget(SpeedButton2);
    layout->addLayout(arrows);
    SpeedButton3 = cartButton(Panel9, "SpeedButton3", QStringLiteral("Annule"));
    spd_btn_valide = cartButton(Panel9, "spd_btn_valide", QStringLiteral("Valide"));
    SpeedButton4 = cartButton(Panel9, "SpeedButton4", QStringLiteral("Liste"));
    for (QPushButton* b : {SpeedButton3, spd_btn_valide, SpeedButton4})
        layout->addWidget(b);
    return Panel9;
}

QWidget* Tfrm_main::buildListView() {
    Panel3 = panel(nullptr, "Panel3");
    auto* layout = column(Panel3);
    Panel6 = look::titleBar(Panel3, "Panel6", QStringLiteral("Liste des courses à faire"));
    layout->addWidget(Panel6);

    table2Grid = new RecordGridModel(
        data_.list,
        {GridColumn{QStringLiteral("*"), Lst::Color, 4},
         GridColumn{QStringLiteral("Rayon"), Lst::Rayon, 58},
         GridColumn{QStringLiteral("Produit"), Lst::Produit, 97, Qt::AlignCenter},
         GridColumn{QStringLiteral("Qté"), Lst::unite_vente, 26}},
        this);
    RxDBGrid2 = new RecordGrid(table2Grid, Panel3);
    RxDBGrid2->setObjectName(QStringLiteral("RxDBGrid2"));
    layout->addWidget(RxDBGrid2, 1);

    // Footer: search box, list label, totals, last validation.
    Panel2 = panel(Panel3, "Panel2");
    Panel2->setFixedHeight(96);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(Panel2);
    grid->setContentsMargins(4, 3, 4, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    cbb_rech = new SearchBox(Panel2);
    cbb_rech->setObjectName(QStringLiteral("cbb_rech"));
    cbb_rech->setEditable(true);
    cbb_rech->setInsertPolicy(QComboBox::NoInsert);
    cbb_rech->setMinimumWidth(100);
    cbb_rech->setMaximumWidth(160);
    cbb_rech->setFixedHeight(21);
    cbb_rech->setEditText(QStringLiteral("Recherche"));
    lbl_eliste = textLabel(Panel2, "lbl_eliste", QStringLiteral("Liste complète"));
    lbl_eliste->setAlignment(Qt::AlignCenter);
    lbl_eliste->setMinimumWidth(40);
    lbl_eliste->setFixedHeight(19);
    grid->addWidget(cbb_rech, 0, 0, 1, 2);
    grid->addWidget(lbl_eliste, 0, 2, 1, 2);

    btn_total = new QPushButton(QStringLiteral("Total"), Panel2);
    btn_total->setObjectName(QStringLiteral("btn_total"));
    btn_total->setFixedSize(44, 21);
    edt_total = field(Panel2, "edt_total");
    edt_tot_nbre = field(Panel2, "edt_tot_nbre");
    for (QLineEdit* e : {edt_total, edt_tot_nbre}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setText(QStringLiteral("0"));
    }
    edt_total->setMinimumWidth(60);
    edt_tot_nbre->setFixedWidth(40);
    grid->addWidget(btn_total, 1, 0);
    grid->addWidget(edt_total, 1, 1, 1, 2);
    grid->addWidget(edt_tot_nbre, 1, 3);

    auto* validated =
        textLabel(Panel2, "lbl_dern_liste", QStringLiteral("Dern. liste\nvalidée le"));
    edt_date_vali = field(Panel2, "edt_date_vali");
    edt_date_vali->setReadOnly(true);
    edt_date_vali->setFocusPolicy(Qt::NoFocus);
    edt_date_vali->setText(ShoppingData::initialValidationText());
    QFont bold = edt_date_vali->font();
    bold.setBold(true);
    edt_date_vali->setFont(bold);
    look::setFieldTextColour(edt_date_vali, Qt::red);
    grid->addWidget(validated, 2, 0, 1, 1);
    grid->addWidget(edt_date_vali, 2, 1, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);

    layout->addWidget(Panel2);
    return Panel3;
}
