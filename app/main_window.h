#pragma once

#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "model/drop_rules.h"
#include "model/settings.h"
#include "model/shopping_commands.h"
#include "model/shopping_data.h"
#include "output/print_preview.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class Platform;
class Tfrm_convert;
class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDrag;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeWidget;
class Tfrm_saiprod;
struct ProductDialogContext;
namespace product_edit {
struct Accepted;
}

// How the main window starts.
struct StartOptions {
    // The command-line arguments after the program's name: the first names the list file.
    QStringList arguments;
    // The start-up directory; empty: the process's current working directory.
    QString startDirectory;
    // Shortest time the creation lasts, handling window events meanwhile, so that the start-up
    // box stays visible: the program passes 1000 ms, the tests 0.
    int minimumStartMs = 0;
};

// The main window: it owns the shopping data for the whole run, shows the sector tree, the
// catalogue, the cart panel and the shopping list side by side, and carries the menu and the
// toolbar from which every command starts.
//
// The implementation is split by area:
//   main_window.cpp           creation in the start-up order, the areas' wiring
//   main_window_build.cpp     regions, grids, product sheet, cart panel, list footer
//   main_window_menus.cpp     menu bar and toolbar
//   main_window_files.cpp     new, open, save, save as, quit, close request, loading
//   main_window_settings.cpp  settings applied at start, layout save and restore, toggles
//   main_window_display.cpp   what follows the data: product sheet, totals, flags, tree
//   main_window_grids.cpp     grid rows deleted with Ctrl+Del, column widths, sector view
//   main_window_filter.cpp    the shop filter button and menu item
//   main_window_about.cpp     About box and help
// Each further area (shopping gestures, product editing, output, list types, tools) adds its
// own main_window_<area>.cpp, its slots in the section of this header marked for it, and a
// private setup<Area>() that connects its controls, called from connectAreas().
class Tfrm_main : public QMainWindow {
    Q_OBJECT
public:
    Tfrm_main(Platform& platform, const StartOptions& options = {}, QWidget* parent = nullptr);
    ~Tfrm_main() override;

    // ------------------------------------------------------------------ what every area uses
    Platform& platform() const { return platform_; }
    ShoppingData& data() { return data_; }
    RecordTable& table1() { return data_.catalogue; } // the catalogue
    RecordTable& table2() { return data_.list; }      // the shopping list
    ShoppingCommands& commands() { return commands_; }
    // The settings in force: the values read at start (SAISIE values, print orientation,
    // export format, euro rate, captions and colours), updated by the Options dialog.
    AppSettings& settings() { return settings_; }
    const AppSettings& settings() const { return settings_; }
    // Today and the reminder tolerance, for the shopping commands.
    GestureContext gestureContext() const;

    const QString& startDirectory() const { return startDir_; }
    // The settings file used by the main window: kabiro.ini in the start-up directory.
    QString settingsPath() const;
    // Full path of the open list file, "kabiro.pnv" or "nouveau.pnv" (no file yet).
    const QString& listFileName() const { return fileName_; }
    static QString newListName(); // "nouveau.pnv"

    // Keys of the shopping cycle, the search box and the menu, the first of each as shown.
    enum class ShoppingKey {
        AddOne,        // ">"
        RemoveOne,     // "<"
        EmptyList,     // "Annule"
        Validate,      // "Valide"
        Total,         // "Total"
        Planned,       // the planned box of the current product
        Reminder,      // its reminder box
        PlannedBlock,  // block add of each colour state
        ReminderBlock, //
        WindowBlock,   //
        SwitchGrid,    // catalogue or list
        Search,        // the search box
        Menu,          // the first menu
    };
    static QList<QKeySequence> shoppingKeys(ShoppingKey which);

    // The drag cursors registered at start, by their numbers 2 (catalogue rows and colour
    // panels), 3 (list rows) and 4 (the cart).
    const QCursor& dragCursor(int number) const;

    // ------------------------------------------------------------------ file commands
    // The question whether to save changes: true when the calling command may go on. A Yes
    // whose save does not happen (save dialog cancelled, write failed) counts as Cancel.
    bool askToSave();
    // Writes the list file (asking for a name first for a new list); true when written.
    bool saveList();
    // Reads a list file in place of the data; false (reported, data unchanged) on failure.
    bool loadList(const QString& path);
    // Shows the current list file name, without its directory, in the toolbar.
    void showFileName();

    // ------------------------------------------------------------------ window state
    bool sectorViewShown() const;
    // The product commands (edit, new, delete, and the sheet's edit button and menu).
    void setProductCommandsEnabled(bool on);
    bool productCommandsEnabled() const;
    // The product sheet is usable only while the catalogue holds a product.
    void updateProductSheetEnabled();

    // ------------------------------------------------------------------ display of the data
    // Most of it follows the data's signals; call these after changing what has none (the
    // organisation tree, the validation text) or to redraw at once.
    void showOrgTree(); // rebuilds the sector tree from the organisation tree
    void showValidationText();
    void showProduct(); // the product sheet, from the catalogue's current record
    void showTotal();
    void showListLabel();

    // ------------------------------------------------------------------ layout and settings
    // The window layout as it is now (the defaults of a layout restore).
    WindowLayout currentLayout() const;
    void applyLayout(const WindowLayout& layout);
    // The settings as the window shows them now (captions and colours; run-time values).
    AppSettings windowSettings() const;
    // Applies settings to the window, as at start (also after the Options dialog's OK).
    void applySettings(const AppSettings& s);
    // "Liste-type" menu: removes the list-type entries (after "Nouvelle liste type" and its
    // separator) and marks the menu to be filled again when it is next opened.
    void clearListTypeEntries();
    bool listTypeMenuStale() const { return listTypeMenuStale_; }
    void setListTypeMenuStale(bool on) { listTypeMenuStale_ = on; }
    // The list-type file of the current list: in the start-up directory, named after the list
    // file as the toolbar shows it.
    QString listTypePath() const;
    // The converter window while it is open.
    Tfrm_convert* converterWindow() const;

public slots:
    // ------------------------------------------------------------------ file commands
    void spd_btn_newClick();      // new list ("&Nouveau")
    void spd_btn_ouvreClick();    // open ("&Ouvrir...")
    void spd_btn_sauveClick();    // save ("&Enregistrer")
    void Enregistrersous1Click(); // save as ("En&registrer sous...")
    void spd_btn_quitteClick();   // quit ("&Quitter")

    // ------------------------------------------------------------------ window and layout
    void spd_btn_rayonClick();       // sector view on/off
    void spd_btn_filtreClick();      // shop filter button toggled
    void smenu_filtre_magClick();    // "Filtre sur magasins"
    void smenu_barre_outilsClick();  // "Barre d'outils"
    void smenu_fiche_produitClick(); // "Fiche Produit"
    void fen_sauvExecute();          // "Sauvegarder la disposition"
    void fen_restExecute();          // "Restaurer la disposition" (Ctrl+A)
    void Panel11Resize();            // catalogue's product column follows its panel
    void Panel3Resize();             // list's product column follows its panel

    // ------------------------------------------------------------------ grids
    void RxDBGrid1DeleteRecord(); // Ctrl+Del in the catalogue
    void RxDBGrid2DeleteRecord(); // Ctrl+Del in the list

    // ------------------------------------------------------------------ About box and help
    void spd_btn_emailClick(); // About box (menu "A propos", e-mail button)
    void smn_aideClick();      // help contents (F1, menu "Aide", help button)

    // ------------------------------------------------------------------ shopping gestures
    // (tree, filter, sorting, search, moving products, totals, marks, validation)
    void TreeView1MouseDown(Qt::MouseButton button, const QPoint& pos); // press on the tree
    void RxDBGrid1TitleBtnClick(int column);  // a title of either grid, by its column index
    void RxDBGrid2CellClick();                // a list row clicked: its product comes up
    void cbb_rechChange(const QString& text); // the search box's text changed
    void cbb_rechDropDown();                  // the search box's list opens
    void spd_btn_poseClick();                 // ">", Enter and double click in the catalogue
    void spd_btn_retireClick();               // "<", double click in the list
    void spd_btn_annuleClick();               // "Annule"
    void spd_btn_valideClick();               // "Valide"
    void btn_totalClick();                    // "Total"
    void cpanel1DblClick(int tag); // double click on a colour panel (tag 1 to 3): block add
    void DBCheckBox1Enter();       // planned box; also a right press and Space in the catalogue
    void DBCheckBox5Enter();       // "Rappel le" box
    void DateTimePicker1CloseUp(QDate date); // a date chosen in the picker's calendar
    void DBEdit2Enter(QLineEdit* field);     // price, period or note entered
    void DBEdit2Exit(QLineEdit* field);      // left: what was typed is posted

public:
    // Drag and drop between the grids, the cart and the colour panels, by the controls' object
    // names: whether the target takes the source, and the drop itself. The window's drag
    // events only carry the names to these.
    bool controlDragOver(const QString& source, const QString& target) const;
    drop::DropOutcome controlDragDrop(const QString& source, const QString& target);
    // Runs a drag once the pointer has moved far enough; empty: QDrag::exec (tests fill it in).
    std::function<Qt::DropAction(QDrag&)> dragExec;
    // Ends an edit in progress on the product sheet: what was typed in the price, period or
    // note goes to the product the sheet showed while it was typed.
    void endSheetEdit();

public slots:
    // ------------------------------------------------------------------ product editing
    void spdbtn_newproduitClick();  // new product (toolbar, menu "Nouveau")
    void spd_btn_editprodClick();   // edit product (toolbar, product sheet, menu "Edite")
    void spd_btn_supproduitClick(); // delete product (toolbar, menu "Suppression")

    // ------------------------------------------------------------------ output
    // (print preview, text and HTML export, organisation export)
    void spd_btn_exportClick();         // toolbar export, in the chosen format
    void smn_textetClick();             // "Texte "
    void smn_html();                    // "HTML"
    void smn_par_htmClick();            // "Export ASCII" / "Export HTML": the other format
    void Exporterlorganisation1Click(); // "Exporter l'organisation"
    void spd_btn_imprimeClick();        // print preview ("Liste", toolbar, "&Imprimer")

    // ------------------------------------------------------------------ list types
    void Listetype1Click();            // the menu "Liste-type" opens: filled once per list
    void Nouvellelistetype1Click();    // "Nouvelle liste type"
    void newitemclick(QAction* entry); // a list-type entry: its products go on the list

    // ------------------------------------------------------------------ tools
    // (Options dialog, global operations, converter)
    void spd_btn_paramClick();   // Options dialog (toolbar "Options", menu "Options")
    void smenu_reqClick();       // "Requêtes globales"
    void spd_btn_convertClick(); // converter button pressed down or up

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // ------------------------------------------------------------------ controls
    // Named as their object names. Toolbar (Panel1) and its buttons.
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

    // Product sheet.
    QFrame* Panel7 = nullptr;
    QLabel* Panel5 = nullptr;  // colour strip
    QLabel* DBText1 = nullptr; // sector
    QLabel* DBText2 = nullptr; // aisle
    QToolButton* spd_btn_editprod2 = nullptr;
    QCheckBox* DBCheckBox1 = nullptr;   // planned
    QLineEdit* DBEdit1 = nullptr;       // product name
    QLineEdit* RxDBCalcEdit1 = nullptr; // price
    QCheckBox* DBCheckBox5 = nullptr;   // "Rappel le"
    QDateEdit* DateTimePicker1 = nullptr;
    QLineEdit* DBEdit3 = nullptr; // period
    QLineEdit* DBEdit2 = nullptr; // note

    // Cart panel.
    QFrame* Panel9 = nullptr;
    std::array<QLabel*, 3> cpanels{}; // cpanel1 "Prévu", cpanel2 "Rappel", cpanel3 "Rappel(+)"
    QLabel* image_chariot = nullptr;
    QPushButton* spd_btn_retire = nullptr; // "<"
    QPushButton* SpeedButton2 = nullptr;   // ">"
    QPushButton* SpeedButton3 = nullptr;   // "Annule"
    QPushButton* spd_btn_valide = nullptr; // "Valide"
    QPushButton* SpeedButton4 = nullptr;   // "Liste"

    // List view and its footer.
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

    // Menus and their items (object names as these member names).
    QMenu* smenu_fichier = nullptr;
    QAction* smenu_nouveau = nullptr;
    QAction* smenu_ouvrir = nullptr;
    QAction* smenu_enregistrer = nullptr;
    QAction* smenu_enregistrer_sous = nullptr;
    QMenu* smenu_exporter = nullptr; // "E&xporter la liste"
    QAction* Texte1 = nullptr;
    QAction* HTML1 = nullptr;
    QAction* Exporterlorganisation1 = nullptr;
    QAction* smenu_print = nullptr;
    QAction* smenu_quitter = nullptr;
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
    QMenu* smenu_fenetre = nullptr;
    QAction* smenu_sauv_dispo = nullptr;
    QAction* smenu_rest_dispo = nullptr;
    QMenu* smenu_menu_aide = nullptr;
    QAction* smenu_Apropos = nullptr;
    QAction* smenu_aide = nullptr;

    // ------------------------------------------------------------------ replaceable dialogs
    // Shows the product dialog modally; empty: its own exec() (tests fill it in instead).
    std::function<int(Tfrm_saiprod&)> productDialogExec;
    // Shows the print preview of the list (tests draw the pages without a window).
    PreviewLauncher previewLauncher = dialogPreviewLauncher(this);

private:
    // --- creation (main_window_build.cpp, main_window_menus.cpp)
    void buildWindow();
    QWidget* buildLeftPart();
    QWidget* buildProductSheet();
    QWidget* buildCartPanel();
    QWidget* buildListView();
    void buildToolbar();
    void buildMenus();
    void connectWindowCommands();
    // Each area's connections, in order (main_window.cpp).
    void connectAreas();
    void setupProducts();  // main_window_products.cpp
    void setupOutput();    // main_window_output.cpp
    void setupListTypes(); // main_window_listtypes.cpp
    void setupTools();     // main_window_tools.cpp
    void setupKeys();      // main_window_keys.cpp
    void setupAccess();    // main_window_access.cpp
    void waitUntilStartShown(const QElapsedTimer& started, int minimumMs);

    // --- settings and layout (main_window_settings.cpp)
    void readSettingsAtStart();
    void setLeftWidth(int width);
    void setTreeWidth(int width);
    int leftWidth() const;
    int treeWidth() const;
    void applySplitterSizes();
    // Sector view shown or hidden, with the aisle column, the button and the menu in step.
    void setSectorViewShown(bool shown);
    void syncSectorViewControls();
    void setInactiveCaptionColour();

    // --- what follows the data (main_window_display.cpp)
    void connectDisplay();
    void showModified();
    // Filter button released, both filters off, label "Liste complète" (main_window_files.cpp).
    void releaseShopFilter();

    // --- shopping gestures (main_window_shopping.cpp, main_window_sheet.cpp,
    //     main_window_dragdrop.cpp)
    void setupShopping();
    void setupSheet();
    void setupDragDrop();
    // Events of the tree, the grids, the cart, the colour panels and the sheet's fields.
    bool shoppingEvent(QObject* watched, QEvent* event);
    bool sheetEvent(QObject* watched, QEvent* event);
    bool pointerEvent(QObject* watched, QEvent* event);
    // Before a gesture: the sheet's edit ends and the catalogue grid takes the focus.
    void gestureStart();
    QVariant stateBrush(const Record& r, int column, bool current, bool catalogue) const;
    void DBEdit2Change(const QString& text); // the note typed: refused characters taken out
    void DateTimePicker1Exit();              // a date typed in the picker, then left
    void setPanelSunken(QLabel* panel, bool sunken);
    void raisePanels();
    void startDrag(QWidget* source);
    // What follows the reading of a list file into the data (main_window_files.cpp): filter
    // released, tree, validation text, first records, total, product commands, not modified.
    void afterListLoaded();

    // --- product editing (main_window_products.cpp)
    ProductDialogContext productDialogContext() const;
    // What follows an accepted product dialog: tree, node, sheet, total and caption.
    void productAccepted(const product_edit::Accepted& done);

    Platform& platform_;
    ShoppingData data_;
    ShoppingCommands commands_{data_};
    AppSettings settings_;
    QString startDir_;
    QString fileName_;
    std::array<QCursor, 3> dragCursors_;
    bool listTypeMenuStale_ = true;
    QPointer<Tfrm_convert> converter_;
    int leftWidth_ = 260; // Panel4 while the window is not on screen
    int treeWidth_ = 76;  // Panel10, kept while it is hidden
    bool splittersPending_ = true;
    // Shopping gestures: the product the sheet shows (its edits go there), the pending press
    // of a drag source, and the filter of the gesture controls' events (last, so that it goes
    // before the data when the window is destroyed).
    RecordTable::Bookmark sheetProduct_ = 0;
    bool endingSheetEdit_ = false;
    QWidget* pressSource_ = nullptr;
    QPoint pressAt_;
    std::unique_ptr<QObject> shoppingEvents_;
};
