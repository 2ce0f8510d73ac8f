#pragma once

#include <QString>
#include <QStringList>

class QAction;
class QMenu;

// The list-type entries of the menu "Liste-type": a fixed first entry ("Nouvelle liste type"),
// a separator, then one entry per list type captioned with its name.
namespace listtypemenu {

// Appends an entry captioned with the name folded to capitals (a to z). An "&" in the name
// shows as itself, not as a shortcut mark.
QAction* addEntry(QMenu* menu, const QString& name);
// The entry's caption as the user sees it (shortcut marks undone).
QString caption(const QAction* entry);
// Removes every list-type entry (every entry after the first, separators aside) whose caption
// equals the name exactly. Returns the number removed.
int removeEntries(QMenu* menu, const QString& name);
// Removes every entry after the separator (a newly opened list rebuilds them).
void clearEntries(QMenu* menu);

} // namespace listtypemenu
