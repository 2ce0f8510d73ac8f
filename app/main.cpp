// Program entry: the start-up box stands on the screen while the main window is created (at
// least one second), then the main window runs until it is closed.

#include "app/application_setup.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "dialogs/splash.h"
#include "resources/resources.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kabiroInitResources();
    appsetup::installFontSubstitutes();
    appsetup::useFrenchLocaleByDefault();
    appsetup::installFrenchTranslations(app);

    auto splash = std::make_unique<Tfrm_spash>(Tfrm_spash::StartUp, nullptr);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    appsetup::setApplicationTitle();

    QtPlatform platform;
    StartOptions options;
    options.arguments = QApplication::arguments().mid(1);
    options.minimumStartMs = 1000;
    Tfrm_main window(platform, options);
    platform.setParentWidget(&window);

    splash.reset();
    window.show();
    return app.exec();
}
