#pragma once

// The main window's controls: every widget and action it keeps a pointer to, each named as its
// object name. Only the window's own files include this; the widgets belong to the window
// (through their parents), this structure only finds them.

#include <QtGlobal>

class CartPanel;
class ProductSheet;
class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QWidget;
class RecordGrid;
class RecordGridModel;

struct MainWindowUi {
    // Toolbar (Panel1) and its buttons.
    QFrame* Panel1 = nullptr;
    QLabel* lbl_fichier = nullptr; // the list file name, right-aligned
    QToolButton* spd_btn_new = nullptr;
    QToolButton* spd_btn_ouvre = nullptr;
    QToolButton* spd_btn_sauve = nullptr;
    QToolButton* spd_btn_print = nullptr;
    QToolButton* spd_btn_export = nullptr;
    QToolButton* spd_btn_rayon = nullptr;
    QToolButton* spd_btn_filtre = nullptr;
    QToolButton* spd_btn_editprod = nullptr;
    QToolButton* spd_btn_newprod = nullptr;
    QToolButton* spd_btn_supproduit = nullptr;
    QToolButton* spd_btn_param = nullptr;
    QToolButton* spd_btn_aide = nullptr;
    QToolButton* spd_btn_email = nullptr;
    QToolButton* spd_btn_quitte = nullptr;
    QToolButton* spd_btn_convert = nullptr;

    // Left part: sector view, catalogue, product sheet.
    QSplitter* Splitter1 = nullptr; // left part | cart panel and list
    QFrame* Panel4 = nullptr;
    QSplitter* Splitter2 = nullptr; // sector view | catalogue
    QFrame* Panel10 = nullptr;
    QLabel* Panel8 = nullptr; // sector title bar
    QTreeWidget* TreeView1 = nullptr;
    QFrame* Panel11 = nullptr;
    QLabel* Panel12 = nullptr; // catalogue title bar
    RecordGrid* RxDBGrid1 = nullptr;
    RecordGridModel* table1Grid = nullptr;
    ProductSheet* sheet = nullptr; // Panel7

    // Cart panel, list view and its footer.
    CartPanel* cart = nullptr; // Panel9
    QFrame* Panel3 = nullptr;
    QLabel* Panel6 = nullptr; // list title bar
    RecordGrid* RxDBGrid2 = nullptr;
    RecordGridModel* table2Grid = nullptr;
    QFrame* Panel2 = nullptr;
    QComboBox* cbb_rech = nullptr;
    QLabel* lbl_eliste = nullptr;
    QPushButton* btn_total = nullptr;
    QLineEdit* edt_total = nullptr;
    QLineEdit* edt_tot_nbre = nullptr;
    QLineEdit* edt_date_vali = nullptr;

    // Menus and their items.
    QMenu* smenu_fichier = nullptr;
    QAction* smenu_nouveau = nullptr;
    QAction* smenu_ouvrir = nullptr;
    QAction* smenu_enregistrer = nullptr;
    QAction* smenu_enregistrer_sous = nullptr;
    QMenu* smenu_exporter = nullptr; // "E&xporter la liste"
    QAction* Texte1 = nullptr;
    QAction* HTML1 = nullptr;
    QAction* Exporterlorganisation1 = nullptr;
    QAction* smenu_envoyer = nullptr; // "En&voyer au téléphone"
    QAction* smenu_relever = nullptr; // "Re&lever le téléphone"
    QAction* smenu_print = nullptr;
    QAction* smenu_quitter = nullptr;
    QMenu* smenu_edition = nullptr; // "Edition": undo and redo
    QAction* smenu_annuler = nullptr;
    QAction* smenu_retablir = nullptr;
    QMenu* Menu_produit = nullptr;
    QAction* smenu_prodedit = nullptr;
    QAction* smenu_prodnew = nullptr;
    QAction* smenu_prodsup = nullptr;
    QMenu* Listetype1 = nullptr;
    QAction* Nouvellelistetype1 = nullptr;
    QAction* smenu_listetype_sep = nullptr; // separator before the list-type entries
    QMenu* smenu_parametrage = nullptr;
    QAction* smenu_fen_mag = nullptr;
    QAction* smenu_filtre_mag = nullptr;
    QAction* smenu_barre_outils = nullptr;
    QAction* smenu_fiche_produit = nullptr;
    QActionGroup* exportFormat = nullptr;
    QAction* smn_par_txt = nullptr; // "Export ASCII"
    QAction* smn_par_htm = nullptr; // "Export HTML"
    QAction* smenu_req = nullptr;   // "Requêtes globales"
    QAction* smenu_options = nullptr;
    QAction* smenu_telephone = nullptr; // "Téléphone (CalDAV)..."
    QMenu* smenu_fenetre = nullptr;
    QAction* smenu_sauv_dispo = nullptr;
    QAction* smenu_rest_dispo = nullptr;
    QMenu* smenu_menu_aide = nullptr;
    QAction* smenu_Apropos = nullptr;
    QAction* smenu_aide = nullptr;
};

// The toolbar and the menu bar of a window, built into its structure (main_window_menus.cpp).
void buildToolbar(MainWindowUi& ui, QWidget* window);
void buildMenus(MainWindowUi& ui, QMainWindow* window);
