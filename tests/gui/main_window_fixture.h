#pragma once

// A main window started in a directory of its own, with a scripted platform.

#include "app/main_window.h"
#include "model/win1252.h"
#include "support/scripted_platform.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace gui {

template <typename T> T* child(QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
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

    int catalogueRows() const { return window->RxDBGrid1->model()->rowCount(); }
    int listRows() const { return window->RxDBGrid2->model()->rowCount(); }
    QString catalogueCell(int row, int column) const {
        return window->RxDBGrid1->model()->index(row, column).data().toString();
    }
};

} // namespace gui
