#pragma once

#include "model/platform.h"

#include <QDate>
#include <QPointer>
#include <QString>

class HelpWindow;
class QFileDialog;
class QWidget;

// The platform of the real program: Qt message boxes and file dialogs, the desktop's programs
// for files and links, the help window, the system's beep, date and regional settings, and
// Qt's colour chooser.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    // Window that owns the boxes and dialogs (the main window once it exists).
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    Button message(const Message& m) override;
    std::optional<QString> openFileName(const FileDialog& d) override;
    std::optional<QString> saveFileName(const FileDialog& d) override;
    bool shellOpen(const QString& target) override;
    void showHelp(const QString& topic) override;
    void beep() override;
    QDate today() override;
    RegionalSettings regional() override;
    std::optional<quint32> chooseColor(quint32 initial, const QList<quint32>& custom) override;

    // --- conversions, shared with the tests
    // "\r\n" and lone "\r" become line breaks.
    static QString displayText(const QString& text);
    // "fichier Paniva|*.pnv|Tous fichiers|*.*" -> "fichier Paniva (*.pnv);;Tous fichiers (*.*)"
    static QString qtFilter(const QString& pipeFilter);
    // A "scheme:" address is taken as a URL, anything else as a local file (made absolute).
    static QUrl shellUrl(const QString& target);
    // Testing aid: the environment variable KABIRO_TODAY=yyyy-MM-dd fixes the day the program
    // takes as today, so that a scripted run gives the same reminders and validation dates on
    // any day. The date that value names; invalid when it names none (then today is today).
    static QDate fixedToday(const QByteArray& value);
    // The desktop's own open and save dialogs where they keep everything the commands ask of
    // them: the filters, the initial name and folder, the default extension added before the
    // question whether to replace a file (Windows, macOS). Elsewhere the desktop dialogs add
    // the extension only after that question (a typed "courses" would silently replace
    // "courses.pnv"), so Qt's own dialog is used, in French.
    static bool usesNativeFileDialogs();
    // The French labels of Qt's own file dialog, with the access letters of its labels working.
    static void setFrenchLabels(QFileDialog& dialog, bool save);

private:
    std::optional<QString> runFileDialog(const FileDialog& d, bool save);

    QPointer<QWidget> parent_;
    QPointer<HelpWindow> help_;
};
