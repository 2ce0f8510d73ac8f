#pragma once

#include <QString>
#include <functional>

class Platform;
class QWidget;
class ShoppingData;
class Tfrm_requete;

// The command "Requêtes globales" (smenu_reqClick): the list is written to its file, the dialog
// runs, and Cancel reads the file back so that everything done in the dialog is undone.
struct GlobalOperationsHooks {
    // Writes the list as the save command does (a list still named "nouveau.pnv" first asks for
    // a file name); false when the list was not written, with the reason in *why when there is
    // one (none when the user declined the file name).
    std::function<bool(QString* why)> saveList;
    // The list file's path once saved.
    std::function<QString()> listPath;
    // What the window does after reading a list file (filter off, tree, total, captions...).
    std::function<void()> afterLoad;
    // Recomputes the list total after prices changed.
    std::function<void()> recomputeTotal;
    // Shows the dialog modally; true when it was accepted. Defaults to exec().
    std::function<bool(Tfrm_requete&)> exec;
};

enum class GlobalOperationsResult {
    NotOpened,     // the list could not be written: a warning said why
    Accepted,      // the changes stay
    Cancelled,     // the list was read back from its file
    RestoreFailed, // cancelled, but the file could not be read: the changes stay, an error said so
};

GlobalOperationsResult runGlobalOperations(QWidget* parent, ShoppingData& data, Platform& platform,
                                           double euroRate, int coefDelai,
                                           const GlobalOperationsHooks& hooks);
