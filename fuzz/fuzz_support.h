#pragma once

// What the fuzz targets share: a scratch directory of their own, and the report of a failed
// check, which ends the run so that libFuzzer keeps the input.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

// A file in a directory made for this process, in memory when /dev/shm is there (every input is
// written to it, so it should cost no disk traffic). Removed at exit.
inline QString scratchPath(const char* name) {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/kabiro-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/kabiro-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a scratch directory\n");
        std::abort();
    }
    return dir.filePath(QString::fromLatin1(name));
}

inline void require(const char* target, const QString& why) {
    if (why.isEmpty())
        return;
    std::fprintf(stderr, "\n%s: %s\n", target, why.toUtf8().constData());
    std::abort();
}

} // namespace fuzzsupport
