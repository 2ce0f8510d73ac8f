#include "output/org_export.h"

#include "model/org_tree.h"
#include "model/platform.h"
#include "model/win1252.h"

#include <QDir>
#include <QFileInfo>

QString orgExportFileName() {
    return QStringLiteral("orga_lst.txt");
}

QByteArray orgExportBytes(const OrgTree& tree) {
    QByteArray bytes;
    for (const OrgTree::Entry& e : tree.walk()) {
        bytes += QByteArray(e.depth, '\t');
        bytes += win1252::encode(e.node->text);
        bytes += "\r\n";
    }
    return bytes;
}

ExportResult writeOrgExport(const OrgTree& tree, const QString& directory) {
    ExportResult result;
    result.path = QFileInfo(QDir(directory).filePath(orgExportFileName())).absoluteFilePath();
    result.error = writeWholeFile(result.path, orgExportBytes(tree));
    result.written = result.error.isEmpty();
    return result;
}

ExportResult exportOrganisation(const OrgTree& tree, Platform& platform, const QString& directory) {
    ExportResult result = writeOrgExport(tree, directory);
    if (result.written)
        platform.shellOpen(result.path);
    else
        platform.error(result.error);
    return result;
}
