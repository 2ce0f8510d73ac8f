// Program entry: the start-up box stands on the screen while the main window is created (at
// least one second), then the main window runs until it is closed.

#include "app/application_setup.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "dialogs/splash.h"
#include "phone/phone_command.h"
#include "resources/resources.h"

#include <QApplication>
#include <memory>
#include <optional>

int main(int argc, char** argv) {
    // --envoyer and --relever talk to the phone's task list without opening a window.
    if (const std::optional<int> code = phonecmd::runFromArguments(argc, argv))
        return *code;
    QApplication app(argc, argv);
    kabiroInitResources();
    appsetup::installFontSubstitutes();
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
