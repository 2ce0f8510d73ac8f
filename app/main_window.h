#pragma once

#include "app/start_options.h"
#include "model/settings.h"
#include "model/shopping_commands.h"
#include "model/shopping_data.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class DragGesture;
class EventRelay;
class PhoneLink;
class PhoneSession;
class Platform;
class QLineEdit;
class SheetEdit;
class SplitterWidths;
class Tfrm_convert;
struct MainWindowUi;
namespace product_edit {
struct Accepted;
}

// The main window: it owns the shopping data for the whole run, shows the sector tree, the
// catalogue, the product sheet, the cart panel and the shopping list side by side, and carries
// the menu and the toolbar from which every command starts. Its controls (main_window_ui.h)
// are private: tests find them by their object names.
//
// Its implementation: main_window.cpp (creation in the start-up order, the areas' wiring),
// main_window_build.cpp (the regions), _menus (toolbar and menu bar), _display (what follows the
// data), _keys (the keys of every command), _access (screen readers, tab order), and a file per
// area of commands: _files, _settings (and the layout), _grids, _filter, _about, _shopping (tree,
// search, moving products, totals), _sheet, _dragdrop (what a drop does), _products, _output,
// _listtypes, _tools, _undo, _phone. Its parts of their own: main_window_ui.h (MainWindowUi, the
// controls; toolbar and menu builders), start_options.h (StartOptions, WindowHooks),
// product_sheet (Panel7), sheet_edit (what is typed on it), cart_panel (Panel9), list_footer
// (Panel2), drag_gesture (pointer gestures, drags), shopping_keys, phone_link (phone sessions
// under a progress box), splitter_widths.
// A new command: its control in main_window_ui.h, built in main_window_menus.cpp (toolbar and
// menus) or main_window_build.cpp, its slot below, its body and connection in the file of its
// area (a new area: main_window_<area>.cpp with a setup<Area>() called from connectAreas()).
class Tfrm_main : public QMainWindow {
    Q_OBJECT
public:
    Tfrm_main(Platform& platform, const StartOptions& options = {}, QWidget* parent = nullptr);
    ~Tfrm_main() override;

    ShoppingData& data() { return data_; }
    RecordTable& table1() { return data_.catalogue; } // the catalogue
    RecordTable& table2() { return data_.list; }      // the shopping list
    ShoppingCommands& commands() { return commands_; }
    AppSettings& settings() { return settings_; } // in force: read at start, then Options
    const AppSettings& settings() const { return settings_; }
    // Full path of the open list file, "kabiro.pnv" or "nouveau.pnv" (no file yet).
    const QString& listFileName() const { return fileName_; }
    static QString newListName();       // "nouveau.pnv"
    bool loadList(const QString& path); // false (reported, data unchanged) on failure
    bool sectorViewShown() const;
    bool productCommandsEnabled() const;
    void showOrgTree(); // rebuilds the sector tree from the organisation tree
    WindowLayout currentLayout() const;
    // The settings as the window shows them now (captions and colours; run-time values).
    AppSettings windowSettings() const;
    bool listTypeMenuStale() const { return listTypeMenuStale_; } // filled when next opened
    void setListTypeMenuStale(bool on) { listTypeMenuStale_ = on; }
    QString listTypePath() const;
    Tfrm_convert* converterWindow() const; // while it is open

public slots:
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
    void smenu_annulerClick();               // "Annuler" (Ctrl+Z)
    void smenu_retablirClick();              // "Rétablir" (Ctrl+Y, Ctrl+Shift+Z)
    void smenu_telephoneClick();             // phone: "Téléphone (CalDAV)..."
    void smenu_envoyerClick();               // "En&voyer au téléphone"
    void smenu_releverClick();               // "Re&lever le téléphone"

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation and wiring: main_window.cpp, _build.cpp, _menus.cpp, then each area's setup.
    void buildWindow();
    void connectWindowCommands();
    void connectAreas();
    void setupShopping();
    void setupSheet();
    void setupDragDrop();
    void setupProducts();
    void setupOutput();
    void setupListTypes();
    void setupTools();
    void setupUndo();
    void setupPhone();
    void setupKeys();                      // after every area: the keys of their commands
    void setupAccess();                    // last: names from the tool tips that show the keys
    GestureContext gestureContext() const; // today and the reminder tolerance

    // Files. askToSave and saveList: true when the command may go on, when written.
    bool askToSave();
    bool saveList();
    void afterListLoaded(); // the window follows a list read into the data
    void showFileName();

    // Settings and layout.
    void readSettingsAtStart(); // told once when the file is set aside
    void applySettings(const AppSettings& s);
    void applyLayout(const WindowLayout& layout);
    void syncSectorViewControls(); // aisle column, button and menu item follow the view

    // What follows the data.
    void connectDisplay();
    void showProduct(); // the product sheet, from the catalogue's current record
    void showTotal();
    void showValidationText();
    void setProductCommandsEnabled(bool on);
    void updateProductSheetEnabled(); // usable only while the catalogue holds a product

    // Shopping gestures, the sheet's edits, products, the phone.
    void gestureStart(); // the sheet's edit ends, the catalogue grid takes the focus
    void endSheetEdit(); // what was typed goes to the product the sheet showed meanwhile
    // A drop between the grids, the cart and the colour panels, by the controls' object names.
    void controlDragDrop(const QString& source, const QString& target);

    void productAccepted(const product_edit::Accepted& done); // what follows a new or edited one
    void phoneFetched(PhoneSession* session); // the phone's ticks validated, then taken off it

    Platform& platform_;
    WindowHooks hooks_;
    ShoppingData data_;
    ShoppingCommands commands_{data_};
    AppSettings settings_;
    std::unique_ptr<MainWindowUi> ui_;
    QString startDir_;
    QString fileName_;
    bool listTypeMenuStale_ = true;
    QPointer<Tfrm_convert> converter_;
    std::unique_ptr<SplitterWidths> splitters_;
    std::unique_ptr<SheetEdit> sheetEdit_; // what is typed on the product sheet
    std::unique_ptr<PhoneLink> phone_;
    // The filters of the gesture controls' events, last: they go first when the window goes.
    std::unique_ptr<EventRelay> treeEvents_;
    std::unique_ptr<DragGesture> dragGesture_;
};
