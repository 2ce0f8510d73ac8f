#pragma once

// A main window started in a directory of its own, with a scripted platform.

#include "app/main_window.h"
#include "app/record_grid.h"
#include "app/record_grid_model.h"
#include "dialogs/saiprod.h"
#include "model/win1252.h"
#include "support/scripted_platform.h"

#include <QAbstractItemView>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

namespace gui {

template <typename T> T* child(QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

// A part of a window (a control, an action, a menu) by its object name and type. The tests reach
// the window through these names only; a name that is missing, or that more than one part of
// that type carries, stops the test with a message naming it.
template <typename T> T* part(const QObject& window, const char* name) {
    const QList<T*> found = window.findChildren<T*>(QString::fromLatin1(name));
    if (found.size() != 1)
        qFatal("%s: %lld parts named %s of the expected type", qPrintable(window.objectName()),
               static_cast<long long>(found.size()), name);
    return found.constFirst();
}

// The three colour panels of the cart: "Prévu", "Rappel", "Rappel(+)".
inline std::array<QLabel*, 3> colourPanels(const QObject& window) {
    return {part<QLabel>(window, "cpanel1"), part<QLabel>(window, "cpanel2"),
            part<QLabel>(window, "cpanel3")};
}

inline void writeText(const QString& path, const QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QString crlf = text;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    f.write(win1252::encode(crlf));
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small list: two sectors, three products, one of them on the list.
inline QString smallList() {
    return QStringLiteral("[RAYON]\n"
                          "Boulangerie\n\tPains\n"
                          "Supermarché\n\tFrais\n\tÉpicerie\n"
                          "[LISTE]\n"
                          "Supermarché;Frais;Lait;2;N;N;;;\n"
                          "[PRODUIT]\n"
                          "Supermarché;Frais;Lait;X;1;0,99;N;N;7;05/12/2026;;\n"
                          "Boulangerie;Pains;Baguette; ;2;1,1;O;N;;;;\n"
                          "Supermarché;Épicerie;Riz; ;3;2,5;N;N;;;Basmati;\n"
                          "[SAISIE]\n"
                          "DATE= lundi 7 décembre 2026\n");
}

struct Run {
    QTemporaryDir dir;
    ScriptedPlatform platform;
    // What stands in for the drag, the product dialog and the print preview; a test may set
    // these before or after the start. Each left empty does the real thing.
    WindowHooks hooks;
    std::unique_ptr<Tfrm_main> window;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString iniPath() const { return path(QStringLiteral("kabiro.ini")); }
    void writeIni(const QString& text) const { writeText(iniPath(), text); }
    // Writes the small list under a name; returns its full path.
    QString writeList(const QString& name = QStringLiteral("kabiro.pnv"),
                      const QString& text = smallList()) const {
        writeText(path(name), text);
        return path(name);
    }

    Tfrm_main& start(const QStringList& arguments = {}) {
        QDir::setCurrent(dir.path());
        StartOptions options;
        options.arguments = arguments;
        options.startDirectory = dir.path();
        options.hooks.dragExec = [this](QDrag& drag) {
            return hooks.dragExec ? hooks.dragExec(drag) : drag.exec(Qt::MoveAction);
        };
        options.hooks.productDialogExec = [this](Tfrm_saiprod& dialog) {
            return hooks.productDialogExec ? hooks.productDialogExec(dialog) : dialog.exec();
        };
        options.hooks.previewLauncher = [this](QPrinter& printer,
                                               const std::function<void(QPrinter*)>& paint) {
            if (hooks.previewLauncher)
                hooks.previewLauncher(printer, paint);
            else
                dialogPreviewLauncher(window.get())(printer, paint);
        };
        options.hooks.credentials = hooks.credentials;
        window = std::make_unique<Tfrm_main>(platform, options);
        return *window;
    }
    // Shows the window on the offscreen screen, so that its layout is real.
    Tfrm_main& show() {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
        return *window;
    }

    int catalogueRows() const {
        return gui::part<RecordGrid>(*window, "RxDBGrid1")->model()->rowCount();
    }
    int listRows() const {
        return gui::part<RecordGrid>(*window, "RxDBGrid2")->model()->rowCount();
    }
    QString catalogueCell(int row, int column) const {
        return gui::part<RecordGrid>(*window, "RxDBGrid1")
            ->model()
            ->index(row, column)
            .data()
            .toString();
    }
};

} // namespace gui
