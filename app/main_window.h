#pragma once

#include "app/start_options.h"
#include "model/drop_rules.h"
#include "model/settings.h"
#include "model/shopping_commands.h"
#include "model/shopping_data.h"

#include <QCursor>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class Platform;
class QLineEdit;
class Tfrm_convert;
struct MainWindowUi;
struct ProductDialogContext;
namespace product_edit {
struct Accepted;
}

// The main window: it owns the shopping data for the whole run, shows the sector tree, the
// catalogue, the product sheet, the cart panel and the shopping list side by side, and carries
// the menu and the toolbar from which every command starts. Its controls (main_window_ui.h)
// are private: tests find them by their object names.
//
// The implementation, by area:
//   main_window.cpp           creation in the start-up order, the areas' wiring
//   main_window_build.cpp     the regions: left part, grids, list view and its footer
//   main_window_menus.cpp     menu bar and toolbar; the connections of files, layout, grids, help
//   main_window_files.cpp     new, open, save, save as, quit, close request, loading
//   main_window_settings.cpp  settings applied at start, layout save and restore, toggles
//   main_window_display.cpp   what follows the data: product sheet, totals, flags, tree
//   main_window_grids.cpp     grid rows deleted with Ctrl+Del, column widths, sector view
//   main_window_filter.cpp    the shop filter button and menu item
//   main_window_about.cpp     About box and help
//   main_window_shopping.cpp  tree, titles, search, moving products, totals, validation
//   main_window_sheet.cpp     what is typed or ticked on the product sheet
//   main_window_dragdrop.cpp  pointer gestures, keys of the catalogue, drag and drop
//   main_window_products.cpp  new, edit and delete product
//   main_window_output.cpp    exports and print preview
//   main_window_listtypes.cpp the "Liste-type" menu
//   main_window_tools.cpp     Options dialog, global operations, converter
//   main_window_keys.cpp      the keys of every command, the menu bar reached with Alt and F10
//   main_window_access.cpp    names for screen readers, labels of fields, tab order
//   product_sheet.{h,cpp}     ProductSheet, the sheet under the catalogue (Panel7)
//   cart_panel.{h,cpp}        CartPanel, the colour panels, trolley and buttons (Panel9)
// A new command: its control in main_window_ui.h, built in main_window_menus.cpp (toolbar and
// menus) or main_window_build.cpp, its slot below, its body and connection in the file of its
// area (a new area: main_window_<area>.cpp with a setup<Area>() called from connectAreas()).
class Tfrm_main : public QMainWindow {
    Q_OBJECT
public:
    Tfrm_main(Platform& platform, const StartOptions& options = {}, QWidget* parent = nullptr);
    ~Tfrm_main() override;

    Platform& platform() const { return platform_; }
    ShoppingData& data() { return data_; }
    RecordTable& table1() { return data_.catalogue; } // the catalogue
    RecordTable& table2() { return data_.list; }      // the shopping list
    ShoppingCommands& commands() { return commands_; }
    // The settings in force: read at start, updated by the Options dialog.
    AppSettings& settings() { return settings_; }
    const AppSettings& settings() const { return settings_; }
    const QString& startDirectory() const { return startDir_; }
    // Full path of the open list file, "kabiro.pnv" or "nouveau.pnv" (no file yet).
    const QString& listFileName() const { return fileName_; }
    static QString newListName(); // "nouveau.pnv"
    // Reads a list file in place of the data; false (reported, data unchanged) on failure.
    bool loadList(const QString& path);
    // Keys of the shopping cycle, the search box and the menu; the first of each is shown.
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
    // The drag cursors by their numbers 2 (catalogue rows, panels), 3 (list rows), 4 (cart).
    const QCursor& dragCursor(int number) const;

    bool sectorViewShown() const;
    bool productCommandsEnabled() const;
    void showOrgTree(); // rebuilds the sector tree from the organisation tree
    WindowLayout currentLayout() const;
    // The settings as the window shows them now (captions and colours; run-time values).
    AppSettings windowSettings() const;
    // "Liste-type" menu filled again when next opened; the list-type file of the list.
    bool listTypeMenuStale() const { return listTypeMenuStale_; }
    void setListTypeMenuStale(bool on) { listTypeMenuStale_ = on; }
    QString listTypePath() const;
    Tfrm_convert* converterWindow() const; // while it is open

    // Drag and drop between the grids, the cart and the colour panels, by the controls' object
    // names: whether the target takes the source, and the drop itself.
    bool controlDragOver(const QString& source, const QString& target) const;
    drop::DropOutcome controlDragDrop(const QString& source, const QString& target);

public slots:
    // The commands, named as the handlers the user's actions reach.
    void spd_btn_newClick();         // files: "&Nouveau"
    void spd_btn_ouvreClick();       // "&Ouvrir..."
    void spd_btn_sauveClick();       // "&Enregistrer"
    void Enregistrersous1Click();    // "En&registrer sous..."
    void spd_btn_quitteClick();      // "&Quitter"
    void spd_btn_rayonClick();       // window: sector view on/off
    void spd_btn_filtreClick();      // shop filter button toggled
    void smenu_filtre_magClick();    // "Filtre sur magasins"
    void smenu_barre_outilsClick();  // "Barre d'outils"
    void smenu_fiche_produitClick(); // "Fiche Produit"
    void fen_sauvExecute();          // "Sauvegarder la disposition"
    void fen_restExecute();          // "Restaurer la disposition" (Ctrl+A)
    void Panel11Resize();            // catalogue's product column follows its panel
    void Panel3Resize();             // list's product column follows its panel
    void RxDBGrid1DeleteRecord();    // Ctrl+Del in the catalogue
    void RxDBGrid2DeleteRecord();    // Ctrl+Del in the list
    void spd_btn_emailClick();       // About box (menu "A propos", e-mail button)
    void smn_aideClick();            // help contents (F1, menu "Aide", help button)
    void TreeView1MouseDown(Qt::MouseButton button, const QPoint& pos); // shopping: tree press
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
    void spdbtn_newproduitClick();           // products: new (toolbar, menu "Nouveau")
    void spd_btn_editprodClick();            // edit (toolbar, product sheet, menu "Edite")
    void spd_btn_supproduitClick();          // delete (toolbar, menu "Suppression")
    void spd_btn_exportClick();              // output: toolbar export, in the chosen format
    void smn_textetClick();                  // "Texte "
    void smn_html();                         // "HTML"
    void smn_par_htmClick();                 // "Export ASCII" / "Export HTML": the other format
    void Exporterlorganisation1Click();      // "Exporter l'organisation"
    void spd_btn_imprimeClick();             // print preview ("Liste", toolbar, "&Imprimer")
    void Listetype1Click();                  // list types: the menu opens, filled once per list
    void Nouvellelistetype1Click();          // "Nouvelle liste type"
    void newitemclick(QAction* entry);       // a list-type entry: its products go on the list
    void spd_btn_paramClick();               // tools: Options dialog
    void smenu_reqClick();                   // "Requêtes globales"
    void spd_btn_convertClick();             // converter button pressed down or up

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation and wiring (main_window.cpp, main_window_build.cpp, main_window_menus.cpp) and
    // each area's connections, called from connectAreas() in order.
    void buildWindow();
    QWidget* buildLeftPart();
    QWidget* buildListView();
    void buildToolbar();
    void buildMenus();
    void connectWindowCommands();
    void connectAreas();
    void setupShopping();
    void setupSheet();
    void setupDragDrop();
    void setupProducts();
    void setupOutput();
    void setupListTypes();
    void setupTools();
    void setupKeys();                      // after every area: the keys of their commands
    void setupAccess();                    // last: names from the tool tips that show the keys
    QString settingsPath() const;          // kabiro.ini in the start-up directory
    GestureContext gestureContext() const; // today and the reminder tolerance

    // Files (main_window_files.cpp). askToSave: true when the command may go on; saveList:
    // true when written; afterListLoaded: the window follows a list read into the data.
    bool askToSave();
    bool saveList();
    void afterListLoaded();
    void showFileName();
    void releaseShopFilter(); // filter button released, label "Liste complète"
    void clearListTypeEntries();

    // Settings and layout (main_window_settings.cpp, main_window_grids.cpp).
    void readSettingsAtStart();
    void applySettings(const AppSettings& s);
    void applyLayout(const WindowLayout& layout);
    void setLeftWidth(int width);
    void setTreeWidth(int width);
    int leftWidth() const;
    int treeWidth() const;
    void applySplitterSizes();
    void setSectorViewShown(bool shown);
    void syncSectorViewControls(); // aisle column, button and menu item follow the view
    void setInactiveCaptionColour();

    // What follows the data (main_window_display.cpp).
    void connectDisplay();
    void showModified();
    void showProduct(); // the product sheet, from the catalogue's current record
    void showTotal();
    void showListLabel();
    void showValidationText();
    void setProductCommandsEnabled(bool on);
    void updateProductSheetEnabled(); // usable only while the catalogue holds a product

    // Shopping gestures (main_window_shopping.cpp, _sheet.cpp, _dragdrop.cpp).
    bool shoppingEvent(QObject* watched, QEvent* event);
    bool pointerEvent(QObject* watched, QEvent* event);
    void gestureStart(); // the sheet's edit ends, the catalogue grid takes the focus
    void endSheetEdit(); // what was typed goes to the product the sheet showed meanwhile
    void DBEdit2Change(const QString& text); // the note typed: refused characters taken out
    void DateTimePicker1Exit();              // a date typed in the picker, then left
    void startDrag(QWidget* source);

    // Products (main_window_products.cpp).
    ProductDialogContext productDialogContext() const;
    void productAccepted(const product_edit::Accepted& done);

    Platform& platform_;
    WindowHooks hooks_;
    ShoppingData data_;
    ShoppingCommands commands_{data_};
    AppSettings settings_;
    std::unique_ptr<MainWindowUi> ui_;
    QString startDir_;
    QString fileName_;
    std::array<QCursor, 3> dragCursors_;
    bool listTypeMenuStale_ = true;
    QPointer<Tfrm_convert> converter_;
    int leftWidth_ = 260; // Panel4 while the window is not on screen
    int treeWidth_ = 76;  // Panel10, kept while it is hidden
    bool splittersPending_ = true;
    // The product the sheet shows (its edits go there), the pending press of a drag source,
    // and the filter of the gesture controls' events (last, so that it goes before the data
    // when the window is destroyed).
    RecordTable::Bookmark sheetProduct_ = 0;
    bool endingSheetEdit_ = false;
    QWidget* pressSource_ = nullptr;
    QPoint pressAt_;
    std::unique_ptr<QObject> shoppingEvents_;
};
