#pragma once

#include "output/print_preview.h"

#include <QString>
#include <QStringList>
#include <functional>

class CredentialStore;
class QDrag;
class Tfrm_saiprod;

// What the main window does where a test or a benchmark stands in for the user or the screen;
// each left empty does the real thing.
struct WindowHooks {
    // Runs a drag once the pointer has moved far enough; empty: QDrag::exec.
    std::function<Qt::DropAction(QDrag&)> dragExec;
    // Shows the product dialog modally; empty: its own exec().
    std::function<int(Tfrm_saiprod&)> productDialogExec;
    // Shows the print preview of the list; empty: the preview dialog.
    PreviewLauncher previewLauncher;
    // Where the phone's password is kept; null: the desktop's keyring. It outlives the window.
    CredentialStore* credentials = nullptr;
};

// How the main window starts.
struct StartOptions {
    // The command-line arguments after the program's name: the first names the list file.
    QStringList arguments;
    // The start-up directory; empty: the process's current working directory.
    QString startDirectory;
    // Shortest time the creation lasts, handling window events meanwhile, so that the start-up
    // box stays visible: the program passes 1000 ms, the tests 0.
    int minimumStartMs = 0;
    WindowHooks hooks;
};
