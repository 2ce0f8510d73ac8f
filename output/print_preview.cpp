#include "output/print_preview.h"

#include "model/platform.h"
#include "model/shopping_data.h"
#include "output/report_painter.h"
#include "output/table_walk.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

bool isLandscape(const QPrinter& printer) {
    return printer.pageLayout().orientation() == QPageLayout::Landscape;
}

// Orientation 0 and 1 decide the page; any other value leaves the printer as it stands.
void applyOrientation(QPrinter& printer, int orientation) {
    if (orientation == 0)
        printer.setPageOrientation(QPageLayout::Portrait);
    else if (orientation == 1)
        printer.setPageOrientation(QPageLayout::Landscape);
}

} // namespace

PreviewLauncher dialogPreviewLauncher(QWidget* parent) {
    return [parent](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(report::reportTitle());
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* p) { paint(p); });
        dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
        dialog.exec();
    };
}

void paintListReport(QPrinter& printer, ShoppingData& data, const report::Header& header,
                     const report::PanelColours& colours, const RegionalSettings& regional,
                     int orientation) {
    applyOrientation(printer, orientation);
    const report::PageSetup setup = report::pageSetupFor(orientation, isLandscape(printer));
    const report::Layout layout =
        report::layoutReport(report::collectEntries(data), header, colours, regional, setup);
    paintReport(printer, layout);
}

int printList(ShoppingData& data, Platform& platform, const PrintRequest& request,
              const PreviewLauncher& launcher) {
    if (data.list.isEmpty())
        return request.orientation;

    const RegionalSettings regional = platform.regional();
    const report::Header header{request.totalText, request.title,
                                regional.shortDate(platform.today())};

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report::reportTitle());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    applyOrientation(printer, request.orientation);

    {
        TableWalk walk(data);
        data.list.sort(QString::fromLatin1(kListExportOrder));
        launcher(printer, [&](QPrinter* p) {
            if (p)
                paintListReport(*p, data, header, request.colours, regional, request.orientation);
        });
    }
    return isLandscape(printer) ? 1 : 0;
}
