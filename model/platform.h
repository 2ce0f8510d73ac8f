#pragma once

#include "model/regional_settings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// Everything the program asks of the desktop goes through this interface: the application
// implements it with real dialogs, the tests with scripted answers.
class Platform {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    // The buttons of a message box. Their captions are fixed: "OK", "Annuler", "&Oui", "&Non".
    enum class Button { Ok, Cancel, Yes, No };

    struct Message {
        QString title;
        QString text; // "\r" and "\r\n" break lines
        Icon icon = Icon::None;
        QList<Button> buttons{Button::Ok};
        Button defaultButton = Button::Ok;
        // The answer when the box is closed without a button (Escape, close box).
        Button escapeButton = Button::Cancel;
    };

    struct FileDialog {
        QString title;
        QString directory;
        QString fileName;      // initial name, e.g. "*.pnv"
        QString filter;        // "fichier Paniva|*.pnv|Tous fichiers|*.*"
        QString defaultSuffix; // "pnv"
        bool confirmOverwrite = true;
    };

    virtual ~Platform() = default;

    virtual Button message(const Message& m) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const FileDialog& d) = 0;
    virtual std::optional<QString> saveFileName(const FileDialog& d) = 0;
    // Hands a local file (absolute path) or a URL ("mailto:", "https:") to the desktop.
    virtual bool shellOpen(const QString& target) = 0;
    // Shows the program's help at a topic ("Sommaire").
    virtual void showHelp(const QString& topic) = 0;
    virtual void beep() = 0;
    virtual QDate today() = 0;
    virtual RegionalSettings regional() = 0;
    // A colour chooser preset with a colour (0x00BBGGRR) and offering six custom colours;
    // nothing when the user cancels.
    virtual std::optional<quint32> chooseColor(quint32 initial, const QList<quint32>& custom) = 0;

    // Helpers for the common boxes.
    void error(const QString& text, const QString& title = QString());
    void warning(const QString& text, const QString& title = QString());
    bool confirm(const QString& text, const QString& title = QString(), bool defaultNo = false);
};
