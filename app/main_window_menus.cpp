// The main window's toolbar and menu bar, and the connections of the commands of this window's
// own areas (files, layout, About box and help, grids).

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/record_grid.h"
#include "app/window_look.h"
#include "dialogs/splash.h"
#include "resources/pictures.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
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

void buildToolbar(MainWindowUi& ui, QWidget* window) {
    ui.Panel1 = new QFrame(window);
    ui.Panel1->setObjectName(QStringLiteral("Panel1"));
    ui.Panel1->setFixedHeight(24);
    look::setBackground(ui.Panel1, ui.Panel1->palette().color(QPalette::ToolTipBase));
    auto* row = new QHBoxLayout(ui.Panel1);
    row->setContentsMargins(2, 2, 6, 2);
    row->setSpacing(0);
    auto gap = [row] { row->addSpacing(6); };

    ui.spd_btn_new = toolButton(ui.Panel1, "spd_btn_new", "new", QStringLiteral("Nouveau"));
    ui.spd_btn_ouvre =
        toolButton(ui.Panel1, "spd_btn_ouvre", "ouvre", QStringLiteral("Ouvrir un fichier"));
    ui.spd_btn_sauve =
        toolButton(ui.Panel1, "spd_btn_sauve", "sauve", QStringLiteral("Enregistrer"));
    ui.spd_btn_sauve->setEnabled(false);
    for (QToolButton* b : {ui.spd_btn_new, ui.spd_btn_ouvre, ui.spd_btn_sauve})
        row->addWidget(b);
    gap();

    ui.spd_btn_print =
        toolButton(ui.Panel1, "spd_btn_print", "print", QStringLiteral("Aperçu avant impression"));
    ui.spd_btn_export =
        toolButton(ui.Panel1, "spd_btn_export", "export", QStringLiteral("Exporter la liste"));
    row->addWidget(ui.spd_btn_print);
    row->addWidget(ui.spd_btn_export);
    gap();

    ui.spd_btn_rayon =
        toolButton(ui.Panel1, "spd_btn_rayon", "rayon", QStringLiteral("Fenêtre Secteur"), true);
    ui.spd_btn_filtre = toolButton(ui.Panel1, "spd_btn_filtre", "filtre",
                                   QStringLiteral("Filtrer sur un magasin"), true);
    row->addWidget(ui.spd_btn_rayon);
    row->addWidget(ui.spd_btn_filtre);
    gap();

    ui.spd_btn_editprod = toolButton(ui.Panel1, "spd_btn_editprod", "editprod",
                                     QStringLiteral("Editer/modifier un produit"));
    ui.spd_btn_newprod =
        toolButton(ui.Panel1, "spd_btn_newprod", "newprod", QStringLiteral("Ajouter un produit"));
    ui.spd_btn_supproduit = toolButton(ui.Panel1, "spd_btn_supproduit", "supproduit",
                                       QStringLiteral("Supprimer un produit"));
    for (QToolButton* b : {ui.spd_btn_editprod, ui.spd_btn_newprod, ui.spd_btn_supproduit})
        row->addWidget(b);
    gap();

    ui.spd_btn_param = toolButton(ui.Panel1, "spd_btn_param", "param", QStringLiteral("Options"));
    ui.spd_btn_aide = toolButton(ui.Panel1, "spd_btn_aide", "aide", QStringLiteral("Aide"));
    ui.spd_btn_email = toolButton(ui.Panel1, "spd_btn_email", "email", Tfrm_spash::emailAddress());
    ui.spd_btn_quitte =
        toolButton(ui.Panel1, "spd_btn_quitte", "quitte", QStringLiteral("Quitter"));
    for (QToolButton* b : {ui.spd_btn_param, ui.spd_btn_aide, ui.spd_btn_email, ui.spd_btn_quitte})
        row->addWidget(b);
    gap();

    ui.spd_btn_convert =
        toolButton(ui.Panel1, "spd_btn_convert", "convert", QStringLiteral("Convertisseur"), true);
    row->addWidget(ui.spd_btn_convert);

    row->addStretch(1);
    ui.lbl_fichier = new QLabel(ui.Panel1);
    ui.lbl_fichier->setObjectName(QStringLiteral("lbl_fichier"));
    ui.lbl_fichier->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = ui.lbl_fichier->font();
    bold.setBold(true);
    ui.lbl_fichier->setFont(bold);
    row->addWidget(ui.lbl_fichier);
}

void buildMenus(MainWindowUi& ui, QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    ui.smenu_fichier = menu(bar, "smenu_fichier", QStringLiteral("Fichier"));
    ui.smenu_nouveau = item(ui.smenu_fichier, "smenu_nouveau", QStringLiteral("&Nouveau"));
    ui.smenu_ouvrir = item(ui.smenu_fichier, "smenu_ouvrir", QStringLiteral("&Ouvrir..."));
    ui.smenu_fichier->addSeparator();
    ui.smenu_enregistrer =
        item(ui.smenu_fichier, "smenu_enregistrer", QStringLiteral("&Enregistrer"));
    ui.smenu_enregistrer_sous =
        item(ui.smenu_fichier, "smenu_enregistrer_sous", QStringLiteral("En&registrer sous..."));
    ui.smenu_fichier->addSeparator();
    ui.smenu_exporter = ui.smenu_fichier->addMenu(QStringLiteral("E&xporter la liste"));
    ui.smenu_exporter->setObjectName(QStringLiteral("smenu_exporter"));
    ui.smenu_exporter->menuAction()->setObjectName(QStringLiteral("smenu_exporter"));
    ui.Texte1 = item(ui.smenu_exporter, "Texte1", QStringLiteral("Texte "));
    ui.HTML1 = item(ui.smenu_exporter, "HTML1", QStringLiteral("HTML"));
    ui.Exporterlorganisation1 =
        item(ui.smenu_fichier, "Exporterlorganisation1", QStringLiteral("Exporter l'organisation"));
    ui.smenu_envoyer =
        item(ui.smenu_fichier, "smenu_envoyer", QStringLiteral("En&voyer au téléphone"));
    ui.smenu_relever =
        item(ui.smenu_fichier, "smenu_relever", QStringLiteral("Re&lever le téléphone"));
    ui.smenu_fichier->addSeparator();
    ui.smenu_print = item(ui.smenu_fichier, "smenu_print", QStringLiteral("&Imprimer"));
    ui.smenu_fichier->addSeparator();
    ui.smenu_quitter = item(ui.smenu_fichier, "smenu_quitter", QStringLiteral("&Quitter"));

    ui.smenu_edition = menu(bar, "smenu_edition", QStringLiteral("Edition"));
    ui.smenu_annuler = item(ui.smenu_edition, "smenu_annuler", QStringLiteral("Annuler"));
    ui.smenu_annuler->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ui.smenu_retablir = item(ui.smenu_edition, "smenu_retablir", QString::fromUtf8("Rétablir"));
    ui.smenu_retablir->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    ui.Menu_produit = menu(bar, "Menu_produit", QStringLiteral("Produit"));
    ui.smenu_prodedit = item(ui.Menu_produit, "smenu_prodedit", QStringLiteral("Edite"));
    ui.Menu_produit->addSeparator();
    ui.smenu_prodnew = item(ui.Menu_produit, "smenu_prodnew", QStringLiteral("Nouveau"));
    ui.smenu_prodsup = item(ui.Menu_produit, "smenu_prodsup", QStringLiteral("Suppression"));

    ui.Listetype1 = menu(bar, "Listetype1", QStringLiteral("Liste-type"));
    ui.Nouvellelistetype1 =
        item(ui.Listetype1, "Nouvellelistetype1", QStringLiteral("Nouvelle liste type"));
    ui.smenu_listetype_sep = ui.Listetype1->addSeparator();
    ui.smenu_listetype_sep->setObjectName(QStringLiteral("smenu_listetype_sep"));

    ui.smenu_parametrage = menu(bar, "smenu_parametrage", QStringLiteral("Paramétrage"));
    ui.smenu_fen_mag =
        item(ui.smenu_parametrage, "smenu_fen_mag", QStringLiteral("Fenêtre magasins"), true);
    ui.smenu_filtre_mag =
        item(ui.smenu_parametrage, "smenu_filtre_mag", QStringLiteral("Filtre sur magasins"), true);
    ui.smenu_parametrage->addSeparator();
    ui.smenu_barre_outils =
        item(ui.smenu_parametrage, "smenu_barre_outils", QStringLiteral("Barre d'outils"), true);
    ui.smenu_barre_outils->setChecked(true);
    ui.smenu_fiche_produit =
        item(ui.smenu_parametrage, "smenu_fiche_produit", QStringLiteral("Fiche Produit"), true);
    ui.smenu_fiche_produit->setChecked(true);
    ui.smenu_parametrage->addSeparator();
    ui.exportFormat = new QActionGroup(window);
    ui.exportFormat->setObjectName(QStringLiteral("exportFormat"));
    ui.exportFormat->setExclusive(true);
    ui.smn_par_txt =
        item(ui.smenu_parametrage, "smn_par_txt", QStringLiteral("Export ASCII"), true);
    ui.smn_par_htm = item(ui.smenu_parametrage, "smn_par_htm", QStringLiteral("Export HTML"), true);
    ui.exportFormat->addAction(ui.smn_par_txt);
    ui.exportFormat->addAction(ui.smn_par_htm);
    ui.smn_par_txt->setChecked(true);
    ui.smenu_parametrage->addSeparator();
    ui.smenu_req = item(ui.smenu_parametrage, "smenu_req", QStringLiteral("Requêtes globales"));
    ui.smenu_req->setEnabled(false);
    ui.smenu_parametrage->addSeparator();
    ui.smenu_options = item(ui.smenu_parametrage, "smenu_options", QStringLiteral("Options"));
    ui.smenu_parametrage->addSeparator();
    ui.smenu_telephone =
        item(ui.smenu_parametrage, "smenu_telephone", QStringLiteral("Téléphone (CalDAV)..."));

    ui.smenu_fenetre = menu(bar, "smenu_fenetre", QStringLiteral("Fenêtre"));
    ui.smenu_sauv_dispo =
        item(ui.smenu_fenetre, "smenu_sauv_dispo", QStringLiteral("Sauvegarder la disposition"));
    ui.smenu_rest_dispo =
        item(ui.smenu_fenetre, "smenu_rest_dispo", QStringLiteral("Restaurer la disposition"));
    ui.smenu_rest_dispo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    ui.smenu_menu_aide = menu(bar, "smenu_menu_aide", QStringLiteral("Aide"));
    ui.smenu_Apropos = item(ui.smenu_menu_aide, "smenu_Apropos", QStringLiteral("A propos"));
    ui.smenu_menu_aide->addSeparator();
    ui.smenu_aide = item(ui.smenu_menu_aide, "smenu_aide", QStringLiteral("Aide"));
    ui.smenu_aide->setShortcut(QKeySequence(Qt::Key_F1));
}

void Tfrm_main::connectWindowCommands() {
    // Files.
    connect(ui_->spd_btn_new, &QToolButton::clicked, this, &Tfrm_main::spd_btn_newClick);
    connect(ui_->smenu_nouveau, &QAction::triggered, this, &Tfrm_main::spd_btn_newClick);
    connect(ui_->spd_btn_ouvre, &QToolButton::clicked, this, &Tfrm_main::spd_btn_ouvreClick);
    connect(ui_->smenu_ouvrir, &QAction::triggered, this, &Tfrm_main::spd_btn_ouvreClick);
    connect(ui_->spd_btn_sauve, &QToolButton::clicked, this, &Tfrm_main::spd_btn_sauveClick);
    connect(ui_->smenu_enregistrer, &QAction::triggered, this, &Tfrm_main::spd_btn_sauveClick);
    connect(ui_->smenu_enregistrer_sous, &QAction::triggered, this,
            &Tfrm_main::Enregistrersous1Click);
    connect(ui_->spd_btn_quitte, &QToolButton::clicked, this, &Tfrm_main::spd_btn_quitteClick);
    connect(ui_->smenu_quitter, &QAction::triggered, this, &Tfrm_main::spd_btn_quitteClick);

    // Window and layout.
    connect(ui_->spd_btn_rayon, &QToolButton::clicked, this, &Tfrm_main::spd_btn_rayonClick);
    connect(ui_->smenu_fen_mag, &QAction::triggered, this, &Tfrm_main::spd_btn_rayonClick);
    connect(ui_->spd_btn_filtre, &QToolButton::clicked, this, &Tfrm_main::spd_btn_filtreClick);
    connect(ui_->smenu_filtre_mag, &QAction::triggered, this, &Tfrm_main::smenu_filtre_magClick);
    connect(ui_->smenu_barre_outils, &QAction::triggered, this,
            &Tfrm_main::smenu_barre_outilsClick);
    connect(ui_->smenu_fiche_produit, &QAction::triggered, this,
            &Tfrm_main::smenu_fiche_produitClick);
    connect(ui_->smenu_sauv_dispo, &QAction::triggered, this, &Tfrm_main::fen_sauvExecute);
    connect(ui_->smenu_rest_dispo, &QAction::triggered, this, &Tfrm_main::fen_restExecute);

    // Grids.
    connect(ui_->RxDBGrid1, &RecordGrid::deleteRequested, this, &Tfrm_main::RxDBGrid1DeleteRecord);
    connect(ui_->RxDBGrid2, &RecordGrid::deleteRequested, this, &Tfrm_main::RxDBGrid2DeleteRecord);

    // About box and help.
    connect(ui_->spd_btn_email, &QToolButton::clicked, this, &Tfrm_main::spd_btn_emailClick);
    connect(ui_->smenu_Apropos, &QAction::triggered, this, &Tfrm_main::spd_btn_emailClick);
    connect(ui_->spd_btn_aide, &QToolButton::clicked, this, &Tfrm_main::smn_aideClick);
    connect(ui_->smenu_aide, &QAction::triggered, this, &Tfrm_main::smn_aideClick);
}
