// Program entry: the command line is read first, then the start-up box stands on the screen
// while the main window is created (at least one second), and the main window runs until it
// is closed.

#include "app/application_setup.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "dialogs/splash.h"
#include "model/command_line.h"
#include "phone/phone_command.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char** argv) {
    // --envoyer and --relever talk to the phone's task list without opening a window.
    if (const std::optional<int> code = phonecmd::runFromArguments(argc, argv))
        return *code;
    // Before any window, so that the help, the version and the faults need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const cmdline::Request request = cmdline::parse(arguments, QDir::currentPath());
    const QString program =
        argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName() : QStringLiteral("kabiro");
    switch (request.action) {
    case cmdline::Action::Help:
        print(stdout, cmdline::usage(program));
        return 0;
    case cmdline::Action::Version:
        print(stdout, cmdline::versionText());
        return 0;
    case cmdline::Action::Fault:
        print(stderr, QStringLiteral("%1 : %2\n").arg(program, request.fault));
        print(stderr, cmdline::usage(program));
        return cmdline::kFaultStatus;
    case cmdline::Action::Run:
        break;
    }

    // Qt gets the program's name alone: every argument has been read above.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    kabiroInitResources();
    appsetup::installFontSubstitutes();
    appsetup::useFrenchLocaleByDefault();
    appsetup::installFrenchTranslations(app);
    appsetup::setDesktopIdentity();

    QtPlatform platform;
    if (request.userFolder)
        appsetup::enterUserFolder(platform);

    auto splash = std::make_unique<Tfrm_spash>(Tfrm_spash::StartUp, nullptr);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    appsetup::setApplicationTitle();

    StartOptions options;
    if (!request.listFile.isEmpty())
        options.arguments = QStringList{request.listFile};
    options.minimumStartMs = 1000;
    Tfrm_main window(platform, options);
    platform.setParentWidget(&window);

    splash.reset();
    window.show();
    return app.exec();
}
