#include "model/user_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace userfolder {

namespace {

constexpr char kFolderName[] = "paniva";
constexpr char kExampleInData[] = "paniva/exemple/kabiro.pnv";

QString inFolder(const QString& folder, const char* name) {
    return folder + u'/' + QLatin1String(name);
}

QString quoted(const QString& path) {
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

} // namespace

QString folderPath(const QString& xdgDataHome, const QString& home) {
    const QString base = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome)
                             ? xdgDataHome
                             : home + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + u'/' + QLatin1String(kFolderName));
}

QString folderPath() {
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        home = QDir::homePath();
    return folderPath(qEnvironmentVariable("XDG_DATA_HOME"), home);
}

QString findExample(const QString& programDir, const QStringList& dataDirs) {
    QStringList candidates{
        QDir::cleanPath(programDir + QStringLiteral("/../share/") + QLatin1String(kExampleInData))};
    for (const QString& dir : dataDirs)
        if (QDir::isAbsolutePath(dir))
            candidates << QDir::cleanPath(dir + u'/' + QLatin1String(kExampleInData));
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile())
            return c;
    return QString();
}

QString findExample(const QString& programDir) {
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    return findExample(programDir, dirs.split(u':', Qt::SkipEmptyParts));
}

Preparation prepare(const QString& folder, const QString& example) {
    Preparation result;
    std::error_code ec;
    std::filesystem::create_directories(
        std::filesystem::path(QFile::encodeName(folder).toStdString()), ec);
    if (!QFileInfo(folder).isDir()) {
        result.problem = QStringLiteral("Le dossier de travail %1 ne peut pas être créé : %2")
                             .arg(quoted(folder), ec ? QString::fromLocal8Bit(ec.message())
                                                     : QStringLiteral("un fichier porte ce nom"));
        return result;
    }
    result.ready = true;

    const QString marker = inFolder(folder, kSeededMarker);
    if (QFileInfo::exists(marker))
        return result;

    const QString list = inFolder(folder, kListName);
    if (!QFileInfo::exists(list)) {
        if (example.isEmpty() || !QFileInfo(example).isFile())
            return result;
        QFile source(example);
        if (!source.copy(list)) {
            result.problem =
                QStringLiteral("La liste d'exemple n'a pas pu être copiée dans %1 : %2")
                    .arg(quoted(folder), source.errorString());
            return result;
        }
        // The copy is the user's own list, to be saved over, whatever the rights of the
        // installed example.
        QFile::setPermissions(list, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
        result.seeded = true;
    }

    QFile mark(marker);
    if (!mark.open(QIODevice::WriteOnly))
        result.problem = QStringLiteral("Le dossier de travail %1 ne peut pas être marqué : %2")
                             .arg(quoted(folder), mark.errorString());
    return result;
}

} // namespace userfolder
