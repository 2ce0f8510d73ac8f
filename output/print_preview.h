#pragma once

#include "output/report_layout.h"

#include <QString>
#include <functional>

class Platform;
class QPrinter;
class QWidget;
class ShoppingData;

// What the print command takes from the main window.
struct PrintRequest {
    QString title;     // the window's title (setting Appli of section TITRE)
    QString totalText; // the list total as edt_total shows it, recomputed just before
    report::PanelColours colours;
    int orientation = 1; // 0 portrait in 2 columns, 1 landscape in 3, else kept as it is
};

// Shows the prepared report and returns when the user closes it. It must call `paint` with the
// printer each time the pages are needed (the preview, then printing from the preview): every
// call lays the report out again.
using PreviewLauncher =
    std::function<void(QPrinter& printer, const std::function<void(QPrinter*)>& paint)>;

// The preview window: a maximised QPrintPreviewDialog titled "Ma Paniva", with its paging, zoom,
// print dialog and printing.
PreviewLauncher dialogPreviewLauncher(QWidget* parent = nullptr);

// The print command. Nothing happens when the list, as the shop filter shows it, is empty: the
// orientation comes back unchanged. Otherwise the list is sorted on "Secteur;Rayon;Produit" (it
// stays so), the report is shown through `launcher` on an A4 printer whose job is named
// "Ma Paniva", and both tables get their current records back afterwards, their grids' refresh
// suspended meanwhile. Returns the print orientation the window keeps: 1 when the report ended
// on landscape pages, 0 otherwise.
int printList(ShoppingData& data, Platform& platform, const PrintRequest& request,
              const PreviewLauncher& launcher);

// Lays out and draws the report on a printer by the orientation rule above (the printer's page
// orientation is set for 0 and 1 and read for any other value).
void paintListReport(QPrinter& printer, ShoppingData& data, const report::Header& header,
                     const report::PanelColours& colours, const RegionalSettings& regional,
                     int orientation);
