// The main window's toolbar and menu bar, and the connections of the commands of this window's
// own areas (files, layout, About box and help, grids).

#include "app/main_window.h"

#include "app/window_look.h"
#include "dialogs/splash.h"
#include "resources/pictures.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const char* glyph, const QString& hint,
                        bool toggle = false) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(pictures::toolbarIcon(QString::fromLatin1(glyph)));
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(20, 20);
    b->setAutoRaise(true);
    b->setCheckable(toggle);
    b->setFocusPolicy(Qt::NoFocus);
    look::setHint(b, hint);
    return b;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* m = bar->addMenu(title);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* item(QMenu* m, const char* name, const QString& text, bool checkable = false) {
    QAction* a = m->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

} // namespace

void Tfrm_main::buildToolbar() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(24);
    look::setBackground(Panel1, Panel1->palette().color(QPalette::ToolTipBase));
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 6, 2);
    row->setSpacing(0);
    auto gap = [row] { row->addSpacing(6); };

    spd_btn_new = toolButton(Panel1, "spd_btn_new", "new", QStringLiteral("Nouveau"));
    spd_btn_ouvre =
        toolButton(Panel1, "spd_btn_ouvre", "ouvre", QStringLiteral("Ouvrir un fichier"));
    spd_btn_sauve = toolButton(Panel1, "spd_btn_sauve", "sauve", QStringLiteral("Enregistrer"));
    spd_btn_sauve->setEnabled(false);
    for (QToolButton* b : {spd_btn_new, spd_btn_ouvre, spd_btn_sauve})
        row->addWidget(b);
    gap();

    spd_btn_print =
        toolButton(Panel1, "spd_btn_print", "print", QStringLiteral("Aperçu avant impression"));
    spd_btn_export =
        toolButton(Panel1, "spd_btn_export", "export", QStringLiteral("Exporter la liste"));
    row->addWidget(spd_btn_print);
    row->addWidget(spd_btn_export);
    gap();

    spd_btn_rayon =
        toolButton(Panel1, "spd_btn_rayon", "rayon", QStringLiteral("Fenêtre Secteur"), true);
    spd_btn_filtre = toolButton(Panel1, "spd_btn_filtre", "filtre",
                                QStringLiteral("Filtrer sur un magasin"), true);
    row->addWidget(spd_btn_rayon);
    row->addWidget(spd_btn_filtre);
    gap();

    spd_btn_editprod = toolButton(Panel1, "spd_btn_editprod", "editprod",
                                  QStringLiteral("Editer/modifier un produit"));
    spd_btn_newprod =
        toolButton(Panel1, "spd_btn_newprod", "newprod", QStringLiteral("Ajouter un produit"));
    spd_btn_supproduit = toolButton(Panel1, "spd_btn_supproduit", "supproduit",
                                    QStringLiteral("Supprimer un produit"));
    for (QToolButton* b : {spd_btn_editprod, spd_btn_newprod, spd_btn_supproduit})
        row->addWidget(b);
    gap();

    spd_btn_param = toolButton(Panel1, "spd_btn_param", "param", QStringLiteral("Options"));
    spd_btn_aide = toolButton(Panel1, "spd_btn_aide", "aide", QStringLiteral("Aide"));
    spd_btn_email = toolButton(Panel1, "spd_btn_email", "email", Tfrm_spash::emailAddress());
    spd_btn_quitte = toolButton(Panel1, "spd_btn_quitte", "quitte", QStringLiteral("Quitter"));
    for (QToolButton* b : {spd_btn_param, spd_btn_aide, spd_btn_email, spd_btn_quitte})
        row->addWidget(b);
    gap();

    spd_btn_convert =
        toolButton(Panel1, "spd_btn_convert", "convert", QStringLiteral("Convertisseur"), true);
    row->addWidget(spd_btn_convert);

    row->addStretch(1);
    lbl_fichier = new QLabel(Panel1);
    lbl_fichier->setObjectName(QStringLiteral("lbl_fichier"));
    lbl_fichier->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = lbl_fichier->font();
    bold.setBold(true);
    lbl_fichier->setFont(bold);
    row->addWidget(lbl_fichier);
}

void Tfrm_main::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    smenu_fichier = menu(bar, "smenu_fichier", QStringLiteral("Fichier"));
    smenu_nouveau = item(smenu_fichier, "smenu_nouveau", QStringLiteral("&Nouveau"));
    smenu_ouvrir = item(smenu_fichier, "smenu_ouvrir", QStringLiteral("&Ouvrir..."));
    smenu_fichier->addSeparator();
    smenu_enregistrer = item(smenu_fichier, "smenu_enregistrer", QStringLiteral("&Enregistrer"));
    smenu_enregistrer_sous =
        item(smenu_fichier, "smenu_enregistrer_sous", QStringLiteral("En&registrer sous..."));
    smenu_fichier->addSeparator();
    smenu_exporter = smenu_fichier->addMenu(QStringLiteral("E&xporter la liste"));
    smenu_exporter->setObjectName(QStringLiteral("smenu_exporter"));
    smenu_exporter->menuAction()->setObjectName(QStringLiteral("smenu_exporter"));
    Texte1 = item(smenu_exporter, "Texte1", QStringLiteral("Texte "));
    HTML1 = item(smenu_exporter, "HTML1", QStringLiteral("HTML"));
    Exporterlorganisation1 =
        item(smenu_fichier, "Exporterlorganisation1", QStringLiteral("Exporter l'organisation"));
    smenu_fichier->addSeparator();
    smenu_print = item(smenu_fichier, "smenu_print", QStringLiteral("&Imprimer"));
    smenu_fichier->addSeparator();
    smenu_quitter = item(smenu_fichier, "smenu_quitter", QStringLiteral("&Quitter"));

    Menu_produit = menu(bar, "Menu_produit", QStringLiteral("Produit"));
    smenu_prodedit = item(Menu_produit, "smenu_prodedit", QStringLiteral("Edite"));
    Menu_produit->addSeparator();
    smenu_prodnew = item(Menu_produit, "smenu_prodnew", QStringLiteral("Nouveau"));
    smenu_prodsup = item(Menu_produit, "smenu_prodsup", QStringLiteral("Suppression"));

    Listetype1 = menu(bar, "Listetype1", QStringLiteral("Liste-type"));
    Nouvellelistetype1 =
        item(Listetype1, "Nouvellelistetype1", QStringLiteral("Nouvelle liste type"));
    smenu_listetype_sep = Listetype1->addSeparator();
    smenu_listetype_sep->setObjectName(QStringLiteral("smenu_listetype_sep"));

    smenu_parametrage = menu(bar, "smenu_parametrage", QStringLiteral("Paramétrage"));
    smenu_fen_mag =
        item(smenu_parametrage, "smenu_fen_mag", QStringLiteral("Fenêtre magasins"), true);
    smenu_filtre_mag =
        item(smenu_parametrage, "smenu_filtre_mag", QStringLiteral("Filtre sur magasins"), true);
    smenu_parametrage->addSeparator();
    smenu_barre_outils =
        item(smenu_parametrage, "smenu_barre_outils", QStringLiteral("Barre d'outils"), true);
    smenu_barre_outils->setChecked(true);
    smenu_fiche_produit =
        item(smenu_parametrage, "smenu_fiche_produit", QStringLiteral("Fiche Produit"), true);
    smenu_fiche_produit->setChecked(true);
    smenu_parametrage->addSeparator();
    exportFormat = new QActionGroup(this);
    exportFormat->setObjectName(QStringLiteral("exportFormat"));
    exportFormat->setExclusive(true);
    smn_par_txt = item(smenu_parametrage, "smn_par_txt", QStringLiteral("Export ASCII"), true);
    smn_par_htm = item(smenu_parametrage, "smn_par_htm", QStringLiteral("Export HTML"), true);
    exportFormat->addAction(smn_par_txt);
    exportFormat->addAction(smn_par_htm);
    smn_par_txt->setChecked(true);
    smenu_parametrage->addSeparator();
    smenu_req = item(smenu_parametrage, "smenu_req", QStringLiteral("Requêtes globales"));
    smenu_req->setEnabled(false);
    smenu_parametrage->addSeparator();
    smenu_options = item(smenu_parametrage, "smenu_options", QStringLiteral("Options"));

    smenu_fenetre = menu(bar, "smenu_fenetre", QStringLiteral("Fenêtre"));
    smenu_sauv_dispo =
        item(smenu_fenetre, "smenu_sauv_dispo", QStringLiteral("Sauvegarder la disposition"));
    smenu_rest_dispo =
        item(smenu_fenetre, "smenu_rest_dispo", QStringLiteral("Restaurer la disposition"));
    smenu_rest_dispo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    smenu_menu_aide = menu(bar, "smenu_menu_aide", QStringLiteral("Aide"));
    smenu_Apropos = item(smenu_menu_aide, "smenu_Apropos", QStringLiteral("A propos"));
    smenu_menu_aide->addSeparator();
    smenu_aide = item(smenu_menu_aide, "smenu_aide", QStringLiteral("Aide"));
    smenu_aide->setShortcut(QKeySequence(Qt::Key_F1));
}

void Tfrm_main::connectWindowCommands() {
    // Files.
    connect(spd_btn_new, &QToolButton::clicked, this, &Tfrm_main::spd_btn_newClick);
    connect(smenu_nouveau, &QAction::triggered, this, &Tfrm_main::spd_btn_newClick);
    connect(spd_btn_ouvre, &QToolButton::clicked, this, &Tfrm_main::spd_btn_ouvreClick);
    connect(smenu_ouvrir, &QAction::triggered, this, &Tfrm_main::spd_btn_ouvreClick);
    connect(spd_btn_sauve, &QToolButton::clicked, this, &Tfrm_main::spd_btn_sauveClick);
    connect(smenu_enregistrer, &QAction::triggered, this, &Tfrm_main::spd_btn_sauveClick);
    connect(smenu_enregistrer_sous, &QAction::triggered, this, &Tfrm_main::Enregistrersous1Click);
    connect(spd_btn_quitte, &QToolButton::clicked, this, &Tfrm_main::spd_btn_quitteClick);
    connect(smenu_quitter, &QAction::triggered, this, &Tfrm_main::spd_btn_quitteClick);

    // Window and layout.
    connect(spd_btn_rayon, &QToolButton::clicked, this, &Tfrm_main::spd_btn_rayonClick);
    connect(smenu_fen_mag, &QAction::triggered, this, &Tfrm_main::spd_btn_rayonClick);
    connect(spd_btn_filtre, &QToolButton::clicked, this, &Tfrm_main::spd_btn_filtreClick);
    connect(smenu_filtre_mag, &QAction::triggered, this, &Tfrm_main::smenu_filtre_magClick);
    connect(smenu_barre_outils, &QAction::triggered, this, &Tfrm_main::smenu_barre_outilsClick);
    connect(smenu_fiche_produit, &QAction::triggered, this, &Tfrm_main::smenu_fiche_produitClick);
    connect(smenu_sauv_dispo, &QAction::triggered, this, &Tfrm_main::fen_sauvExecute);
    connect(smenu_rest_dispo, &QAction::triggered, this, &Tfrm_main::fen_restExecute);

    // Grids.
    connect(RxDBGrid1, &RecordGrid::deleteRequested, this, &Tfrm_main::RxDBGrid1DeleteRecord);
    connect(RxDBGrid2, &RecordGrid::deleteRequested, this, &Tfrm_main::RxDBGrid2DeleteRecord);

    // About box and help.
    connect(spd_btn_email, &QToolButton::clicked, this, &Tfrm_main::spd_btn_emailClick);
    connect(smenu_Apropos, &QAction::triggered, this, &Tfrm_main::spd_btn_emailClick);
    connect(spd_btn_aide, &QToolButton::clicked, this, &Tfrm_main::smn_aideClick);
    connect(smenu_aide, &QAction::triggered, this, &Tfrm_main::smn_aideClick);
}
