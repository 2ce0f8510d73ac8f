#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/drag_gesture.h"
#include "app/event_relay.h"
#include "app/main_window_ui.h"
#include "app/phone_link.h"
#include "app/product_sheet.h"
#include "app/sheet_edit.h"
#include "app/splitter_widths.h"
#include "model/ini_file.h"
#include "model/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace {

void waitUntilStartShown(const QElapsedTimer& started, int minimumMs) {
    const qint64 left = minimumMs - started.elapsed();
    if (left <= 0)
        return;
    // Window events keep being handled meanwhile, so the start-up box is painted.
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(left) + 1, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

Tfrm_main::Tfrm_main(Platform& platform, const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), platform_(platform), hooks_(options.hooks),
      ui_(std::make_unique<MainWindowUi>()) {
    if (!hooks_.previewLauncher)
        hooks_.previewLauncher = dialogPreviewLauncher(this);
    // 1. The start of the creation, for its shortest duration.
    QElapsedTimer started;
    started.start();

    buildWindow();
    connectWindowCommands();
    connectDisplay();
    connectAreas();

    // 2. The start-up directory.
    startDir_ = options.startDirectory.isEmpty() ? QDir::currentPath() : options.startDirectory;

    // 3. The list file: the first argument, else kabiro.pnv in the working directory.
    fileName_ =
        options.arguments.isEmpty() ? QStringLiteral("kabiro.pnv") : options.arguments.constFirst();
    showFileName();

    // 4. The settings, each applied to the window.
    readSettingsAtStart();

    // 5. The window layout.
    fen_restExecute();

    // 6. The aisle column, the sector button and its menu item follow the sector view.
    syncSectorViewControls();

    // 7. The list file, when it exists. A file that cannot be read is reported and the window
    //    opens empty, under the name of a new list rather than that of the unreadable file;
    //    as for a new list, the list types wait until a list is opened.
    if (QFileInfo::exists(fileName_) && !loadList(fileName_)) {
        fileName_ = newListName();
        showFileName();
        ui_->Listetype1->setEnabled(false);
    }

    // 8. The product sheet is usable only with a product to show.
    updateProductSheetEnabled();

    // 9. The drag cursors: DragGesture loaded them with the gestures (connectAreas).

    // 10. With the sector view shown the shop filter starts on.
    ui_->spd_btn_filtre->setChecked(sectorViewShown());
    if (ui_->spd_btn_filtre->isChecked())
        spd_btn_filtreClick();

    // 11. The start-up box stays on screen at least the requested time.
    waitUntilStartShown(started, options.minimumStartMs);
}

Tfrm_main::~Tfrm_main() {
    // The sheet and the cart outlive the data while the window's widgets are destroyed: what
    // they tell meanwhile (a field losing the focus) must not reach the window any more.
    ui_->sheet->disconnect(this);
    ui_->cart->disconnect(this);
    // An exchange under way ends without reaching the window.
    phone_.reset();
}

QString Tfrm_main::newListName() {
    return QStringLiteral("nouveau.pnv");
}

GestureContext Tfrm_main::gestureContext() const {
    return GestureContext{platform_.today(), settings_.delayCoef};
}

void Tfrm_main::connectAreas() {
    // Each area of the window connects its controls here, one call per area, in this order:
    // shopping gestures, product editing, output, list types, tools, undo and redo, phone, then
    // the keys of them all and their names for screen readers.
    setupShopping();
    setupProducts();
    setupOutput();
    setupListTypes();
    setupTools();
    setupUndo();
    setupPhone();
    setupKeys();
    setupAccess();
}
