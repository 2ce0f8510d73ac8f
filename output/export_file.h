#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// What an export command did.
struct ExportResult {
    bool written = false; // the file was written whole
    int entries = 0;      // list entries written (list exports)
    QString path;         // absolute path of the file
    QString error;        // the French message shown when the file could not be written
};

// A file written atomically: either the whole new content replaces any file of that name, or
// nothing changes. Failures come back as the French message to show (empty on success).
class ExportFile {
public:
    explicit ExportFile(const QString& path) : file_(path) {}
    // Creates the file (its temporary copy until commit).
    QString open();
    // Writes the content and puts the file in place.
    QString commit(const QByteArray& bytes);

private:
    QString failure(int err) const;
    QSaveFile file_;
};

// Opens, writes and commits in one go.
QString writeWholeFile(const QString& path, const QByteArray& bytes);
