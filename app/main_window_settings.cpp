// Settings read and applied at start, the window layout (save and restore, splitter widths),
// and the toggles of the toolbar and of the product sheet.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid_model.h"
#include "app/splitter_widths.h"
#include "app/window_look.h"
#include "dialogs/bgr_color.h"
#include "model/ini_file.h"
#include "model/platform.h"
#include "model/window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
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
    const IniFile::Reading reading = IniFile(settings::filePath(startDir_)).read();
    applySettings(AppSettings::readAtStart(reading, windowSettings()));
    // Told once: the layout restore that follows finds the same file set aside, silently.
    if (reading.refused())
        platform_.warning(settings::refusedFileMessage(reading.refusal()));
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

void Tfrm_main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (splitters_->pending())
        splitters_->apply();
    Panel11Resize();
    Panel3Resize();
}

// ---------------------------------------------------------------- layout

WindowLayout Tfrm_main::currentLayout() const {
    WindowLayout l;
    l.spliter1 = splitters_->left();
    l.spliter2 = splitters_->tree();
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
    // The stored place is brought onto the screens there are now, the primary one first.
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (const QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            screens << s->availableGeometry();
    // What the frame adds: known once the window is on screen, else a title bar's height.
    const QSize frame =
        isVisible() ? frameGeometry().size() - size()
                    : QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    const QRect place =
        placement::fitWindow({l.left, l.top, l.width, l.height}, screens, minimumSize(), frame);
    int width = place.width();
    if (l.maximised() && !screens.isEmpty())
        width = screens.front().width();

    // The splitters share out the width the window will have.
    const QWidget* right = ui_->Splitter1->widget(1);
    const int rightMinimum = right ? std::max(right->minimumSizeHint().width(), 50) : 50;
    const int left = placement::fitSplit(l.spliter1, width - ui_->Splitter1->handleWidth(),
                                         look::kLeftPartMinimumWidth, rightMinimum);
    splitters_->setLeft(left);
    splitters_->setTree(placement::fitSplit(l.spliter2, left - ui_->Splitter2->handleWidth(), 1,
                                            look::kCatalogueMinimumWidth));
    ui_->Panel10->setVisible(l.voirSecteur);
    if (l.maximised()) {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
        move(place.topLeft());
        resize(place.size());
    }
    splitters_->apply();
}

void Tfrm_main::fen_restExecute() {
    const IniFile ini(settings::filePath(startDir_));
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
    IniFile ini(settings::filePath(startDir_));
    QString error;
    const bool written = currentLayout().write(ini, show, &error);
    // The flash lasts 200 ms without holding up the window.
    QTimer::singleShot(200, this,
                       [this] { look::setBackground(ui_->cart, look::inactiveCaptionColour()); });
    if (!written)
        platform_.error(error);
}

// ---------------------------------------------------------------- toggles

void Tfrm_main::smenu_barre_outilsClick() {
    ui_->Panel1->setVisible(ui_->smenu_barre_outils->isChecked());
}

void Tfrm_main::smenu_fiche_produitClick() {
    ui_->sheet->setVisible(ui_->smenu_fiche_produit->isChecked());
}
