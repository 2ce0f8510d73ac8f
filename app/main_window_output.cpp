// Output from the main window: the text and HTML exports of the list, the choice of the export
// format, the organisation export and the print preview of the list.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/window_look.h"
#include "output/list_export.h"
#include "output/org_export.h"
#include "output/report_layout.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// The exports land in the process's current working directory.
QString exportDirectory() {
    return QDir::currentPath();
}

QString exportHint(bool html) {
    return html ? QStringLiteral("Exporter (HTML)") : QStringLiteral("Exporter (ASCII)");
}

} // namespace

void Tfrm_main::setupOutput() {
    connect(ui_->spd_btn_export, &QToolButton::clicked, this, &Tfrm_main::spd_btn_exportClick);
    connect(ui_->Texte1, &QAction::triggered, this, &Tfrm_main::smn_textetClick);
    connect(ui_->HTML1, &QAction::triggered, this, &Tfrm_main::smn_html);
    connect(ui_->smn_par_txt, &QAction::triggered, this, &Tfrm_main::smn_par_htmClick);
    connect(ui_->smn_par_htm, &QAction::triggered, this, &Tfrm_main::smn_par_htmClick);
    connect(ui_->Exporterlorganisation1, &QAction::triggered, this,
            &Tfrm_main::Exporterlorganisation1Click);
    connect(ui_->cart, &CartPanel::printClicked, this, &Tfrm_main::spd_btn_imprimeClick);
    connect(ui_->spd_btn_print, &QToolButton::clicked, this, &Tfrm_main::spd_btn_imprimeClick);
    connect(ui_->smenu_print, &QAction::triggered, this, &Tfrm_main::spd_btn_imprimeClick);
}

// ---------------------------------------------------------------- exports

void Tfrm_main::spd_btn_exportClick() {
    if (data_.list.isEmpty())
        return;
    gestureStart();
    exportList(data_, platform_, settings_.html ? ExportFormat::Html : ExportFormat::Text,
               settings_.appTitle, exportDirectory());
}

void Tfrm_main::smn_textetClick() {
    // A price being typed on the product sheet counts in the export.
    endSheetEdit();
    exportList(data_, platform_, ExportFormat::Text, settings_.appTitle, exportDirectory());
}

void Tfrm_main::smn_html() {
    endSheetEdit();
    exportList(data_, platform_, ExportFormat::Html, settings_.appTitle, exportDirectory());
}

void Tfrm_main::smn_par_htmClick() {
    // Either item switches to the other format, also the one already ticked; for this run only.
    settings_.html = !settings_.html;
    QAction* ticked = settings_.html ? ui_->smn_par_htm : ui_->smn_par_txt;
    QAction* other = settings_.html ? ui_->smn_par_txt : ui_->smn_par_htm;
    ticked->setChecked(true);
    other->setChecked(false);
    look::setHint(ui_->spd_btn_export, exportHint(settings_.html));
}

void Tfrm_main::Exporterlorganisation1Click() {
    exportOrganisation(data_.tree, platform_, exportDirectory());
}

// ---------------------------------------------------------------- print preview

void Tfrm_main::spd_btn_imprimeClick() {
    if (data_.list.isEmpty())
        return;
    // The focus leaves the product sheet first, so that a price being typed there is in the
    // catalogue before the total is worked out and the report reads the prices.
    gestureStart();
    commands_.recomputeTotal();

    PrintRequest request;
    request.title = settings_.appTitle;
    request.totalText = ui_->edt_total->text();
    request.colours = report::PanelColours{ui_->cart->stateColour(0), ui_->cart->stateColour(1),
                                           ui_->cart->stateColour(2)};
    request.orientation = settings_.orientation;
    // The orientation the report ended with holds for the rest of the run.
    settings_.orientation = printList(data_, platform_, request, hooks_.previewLauncher);
}
