#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the desktop knows of the tasks it wrote into a task list: for each product on the phone,
// its task's UID, address (href) and ETag, and the fingerprint of the content last sent. Kept in
// a file of its own beside the list-type file ("<list>.sync"), never in the list file.
//
// The file is UTF-8 text:
//   PANIVA-SYNC 1
//   URL <collection address>
//   T <product key> <uid> <href> <etag> <fingerprint>
// fields separated by one TAB, each percent-encoded. A state made for another address is of no
// use and reads as empty.
struct SyncEntry {
    QString key; // the product name (a second row of the same product: name + "#2"...)
    QString uid;
    QString href;
    QByteArray etag;        // exactly as the server gave it; empty when unknown
    QByteArray fingerprint; // of the content last sent
};

class SyncState {
public:
    QString url;
    QList<SyncEntry> entries;

    SyncEntry* find(const QString& key);
    SyncEntry* findUid(const QString& uid);
    void remove(const QString& key);

    // Reads the file; a missing file is an empty state. A state of another address than `url`
    // is dropped. False, with a French reason, when the file cannot be read or is damaged.
    bool load(const QString& path, const QString& forUrl, QString* error);
    // Writes the file atomically (QSaveFile): the old file stays whole when writing fails.
    bool save(const QString& path, QString* error) const;

    QByteArray serialize() const;
    bool parse(const QByteArray& bytes, QString* error);
};

// The sync file of a list file in a directory: the list-type file's name with ".sync".
QString syncFilePath(const QString& directory, const QString& listFileName);
