#pragma once

#include <QString>
#include <QStringList>

// The user's own Paniva folder, ${XDG_DATA_HOME:-~/.local/share}/paniva: the working folder of
// the program when the desktop starts it (menu entry, a double click on a list file), so that
// its settings, list types and exports stay in one place. It is created on first use and
// seeded once with the starter list shipped with the program; a list the user deletes later
// is not brought back.
namespace userfolder {

inline constexpr char kListName[] = "kabiro.pnv";
// Left in the folder once it has been seeded (or had a list of its own already).
inline constexpr char kSeededMarker[] = ".seeded";

// The folder for the given XDG_DATA_HOME and HOME; an XDG_DATA_HOME that is empty or relative
// is ignored, as the XDG base directory rules ask.
QString folderPath(const QString& xdgDataHome, const QString& home);
// The same from the environment.
QString folderPath();

// The starter list: share/paniva/exemple/kabiro.pnv beside the program's folder (an installed
// tree or the build tree), else under one of dataDirs; empty when there is none.
QString findExample(const QString& programDir, const QStringList& dataDirs);
// The same, dataDirs from XDG_DATA_DIRS (by default /usr/local/share and /usr/share).
QString findExample(const QString& programDir);

struct Preparation {
    // The folder exists: the program can work in it.
    bool ready = false;
    // The starter list was copied into it this time.
    bool seeded = false;
    // What went wrong, in French, for a message box: the folder could not be made (ready is
    // false), or the starter list could not be copied or the folder marked (ready stays true).
    QString problem;
};

// Creates the folder when missing, then seeds it once: the starter list is copied as
// kabiro.pnv when there is none (a list already there is kept), and the marker is left. With
// no starter list to hand nothing is marked, so that a later start can seed it.
Preparation prepare(const QString& folder, const QString& example);

} // namespace userfolder
