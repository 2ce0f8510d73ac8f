#include "output/export_file.h"

#include "model/file_error.h"

#include <QDir>
#include <cerrno>

QString ExportFile::failure(int err) const {
    return QString::fromUtf8("Impossible d'écrire le fichier %1 :\r\n%2")
        .arg(QDir::toNativeSeparators(file_.fileName()), frenchFileError(err));
}

QString ExportFile::open() {
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly))
        return failure(errno);
    return QString();
}

QString ExportFile::commit(const QByteArray& bytes) {
    if (!file_.isOpen())
        return failure(EBADF);
    errno = 0;
    if (file_.write(bytes) != bytes.size()) {
        const int err = errno;
        file_.cancelWriting();
        file_.commit(); // only discards the temporary copy
        return failure(err);
    }
    errno = 0;
    if (!file_.commit())
        return failure(errno);
    return QString();
}

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    ExportFile file(path);
    QString err = file.open();
    if (err.isEmpty())
        err = file.commit(bytes);
    return err;
}
