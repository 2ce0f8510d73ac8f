// Settings read and applied at start, the window layout (save and restore, splitter widths),
// and the toggles of the toolbar and of the product sheet.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid_model.h"
#include "app/window_look.h"
#include "dialogs/bgr_color.h"
#include "model/ini_file.h"
#include "model/platform.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>

// ---------------------------------------------------------------- settings

AppSettings Tfrm_main::windowSettings() const {
    AppSettings s = settings_;
    s.appTitle = windowTitle();
    s.column1 = ui_->table1Grid->columnTitle(1);
    s.column2 = ui_->table1Grid->columnTitle(2);
    const QLabel* bars[3] = {ui_->Panel12, ui_->Panel6, ui_->Panel8};
    for (size_t i = 0; i < 3; ++i) {
        s.titles[i] = bars[i]->text();
        s.titleColours[i] = bgrFromColor(look::background(bars[i]));
        s.stateCaptions[i] = ui_->cart->statePanel(i)->text();
        s.stateColours[i] = bgrFromColor(ui_->cart->stateColour(i));
    }
    return s;
}

void Tfrm_main::readSettingsAtStart() {
    const IniFile ini(settingsPath());
    applySettings(AppSettings::readAtStart(ini, windowSettings()));
}

void Tfrm_main::applySettings(const AppSettings& s) {
    settings_ = s;
    setWindowTitle(s.appTitle);

    ui_->Panel1->setVisible(s.toolbar);
    ui_->smenu_barre_outils->setChecked(s.toolbar);
    ui_->sheet->setVisible(s.productSheet);
    ui_->smenu_fiche_produit->setChecked(s.productSheet);

    (s.html ? ui_->smn_par_htm : ui_->smn_par_txt)->setChecked(true);
    for (RecordGridModel* grid : {ui_->table1Grid, ui_->table2Grid}) {
        grid->setColumnTitle(1, s.column1);
        grid->setColumnTitle(2, s.column2);
    }
    look::setHint(ui_->spd_btn_export,
                  s.html ? QStringLiteral("Exporter (HTML)") : QStringLiteral("Exporter (ASCII)"));
    ui_->cart->statePanel(2)->setVisible(s.delayCoef > 0);

    QLabel* bars[3] = {ui_->Panel12, ui_->Panel6, ui_->Panel8};
    for (size_t i = 0; i < 3; ++i)
        bars[i]->setText(s.titles[i]);
    look::setHint(ui_->spd_btn_rayon, QStringLiteral("Fenêtre ") + ui_->Panel8->text());
    look::setHint(ui_->spd_btn_filtre, QStringLiteral("Filtre sur ") + ui_->Panel8->text());
    for (size_t i = 0; i < 3; ++i)
        look::setBackground(bars[i], colorFromBgr(s.titleColours[i]));
    for (size_t i = 0; i < 3; ++i) {
        ui_->cart->statePanel(i)->setText(s.stateCaptions[i]);
        look::setBackground(ui_->cart->statePanel(i), colorFromBgr(s.stateColours[i]));
    }
    ui_->sheet->setNameBackground(colorFromBgr(s.titleColours[0]));
    look::setBackground(ui_->lbl_eliste, colorFromBgr(s.titleColours[2]));

    ui_->smenu_req->setEnabled(s.euro);
    ui_->spd_btn_convert->setVisible(s.converter);
    const RegionalSettings regional = platform_.regional();
    look::setHint(ui_->spd_btn_convert, QStringLiteral("Convertisseur\r1 euro = ") +
                                            regional.formatFixed(s.euroRate, 5) + QLatin1Char(' ') +
                                            regional.currencySymbol());
    // The grids' state colours follow the panels.
    ui_->table1Grid->refreshAll();
    ui_->table2Grid->refreshAll();
}

// ---------------------------------------------------------------- splitters

int Tfrm_main::leftWidth() const {
    return isVisible() && !splittersPending_ ? ui_->Panel4->width() : leftWidth_;
}

int Tfrm_main::treeWidth() const {
    return isVisible() && !splittersPending_ && !ui_->Panel10->isHidden() ? ui_->Panel10->width()
                                                                          : treeWidth_;
}

void Tfrm_main::setLeftWidth(int width) {
    leftWidth_ = std::max(width, look::kLeftPartMinimumWidth);
    applySplitterSizes();
}

void Tfrm_main::setTreeWidth(int width) {
    treeWidth_ = std::max(width, 1);
    // The designed width (76) lies under the smallest width a drag leaves (80).
    ui_->Panel10->setMinimumWidth(std::min(look::kTreeMinimumWidth, treeWidth_));
    applySplitterSizes();
}

void Tfrm_main::applySplitterSizes() {
    // Splitters only share out space they have: widths wait until the window is on screen.
    if (!isVisible()) {
        splittersPending_ = true;
        return;
    }
    splittersPending_ = false;
    const int handle1 = ui_->Splitter1->handleWidth();
    ui_->Splitter1->setSizes(
        {leftWidth_, std::max(ui_->Splitter1->width() - handle1 - leftWidth_, 50)});
    if (!ui_->Panel10->isHidden()) {
        const int handle2 = ui_->Splitter2->handleWidth();
        ui_->Splitter2->setSizes({treeWidth_, std::max(ui_->Panel4->width() - handle2 - treeWidth_,
                                                       look::kCatalogueMinimumWidth)});
    }
}

void Tfrm_main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (splittersPending_)
        applySplitterSizes();
    Panel11Resize();
    Panel3Resize();
}

// ---------------------------------------------------------------- layout

WindowLayout Tfrm_main::currentLayout() const {
    WindowLayout l;
    l.spliter1 = leftWidth();
    l.spliter2 = treeWidth();
    l.voirSecteur = sectorViewShown();
    l.etat = isMaximized() ? 1 : 0;
    QRect normal(pos(), size());
    if ((isMaximized() || isMinimized()) && normalGeometry().isValid())
        normal = normalGeometry();
    l.top = normal.y();
    l.left = normal.x();
    l.height = normal.height();
    l.width = normal.width();
    return l;
}

void Tfrm_main::applyLayout(const WindowLayout& l) {
    setLeftWidth(l.spliter1);
    setTreeWidth(l.spliter2);
    ui_->Panel10->setVisible(l.voirSecteur);
    if (l.maximised()) {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
        move(l.left, l.top);
        resize(l.width, l.height);
    }
    applySplitterSizes();
}

void Tfrm_main::fen_restExecute() {
    const IniFile ini(settingsPath());
    applyLayout(WindowLayout::read(ini, currentLayout()));
    // The aisle column, the sector button and its menu item follow the sector view restored.
    syncSectorViewControls();
    update();
}

void Tfrm_main::fen_sauvExecute() {
    look::setBackground(ui_->cart, Qt::yellow);
    ui_->cart->repaint();
    const WindowLayout::Show show = isMinimized()   ? WindowLayout::Show::Minimised
                                    : isMaximized() ? WindowLayout::Show::Maximised
                                                    : WindowLayout::Show::Normal;
    IniFile ini(settingsPath());
    QString error;
    const bool written = currentLayout().write(ini, show, &error);
    // The flash lasts 200 ms without holding up the window.
    QTimer::singleShot(200, this, &Tfrm_main::setInactiveCaptionColour);
    if (!written)
        platform_.error(error);
}

void Tfrm_main::setInactiveCaptionColour() {
    look::setBackground(ui_->cart, look::inactiveCaptionColour());
}

// ---------------------------------------------------------------- toggles

void Tfrm_main::smenu_barre_outilsClick() {
    ui_->Panel1->setVisible(ui_->smenu_barre_outils->isChecked());
}

void Tfrm_main::smenu_fiche_produitClick() {
    ui_->sheet->setVisible(ui_->smenu_fiche_produit->isChecked());
}
