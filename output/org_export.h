#pragma once

#include "output/export_file.h"

#include <QByteArray>
#include <QString>

class OrgTree;
class Platform;

// "orga_lst.txt".
QString orgExportFileName();

// The organisation tree as text: one line per node in display order (each sector followed by
// its aisles), one TAB per level in front of the name, CR LF after it, Windows-1252. An empty
// tree gives no bytes at all.
QByteArray orgExportBytes(const OrgTree& tree);

// Writes orga_lst.txt into `directory`, replacing any file of that name.
ExportResult writeOrgExport(const OrgTree& tree, const QString& directory);

// The whole command: writes the file and hands it to the desktop; a file that cannot be
// written is reported in an error box and nothing is opened.
ExportResult exportOrganisation(const OrgTree& tree, Platform& platform, const QString& directory);
