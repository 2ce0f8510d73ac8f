#include "phone/sync_state.h"

#include "model/list_type_file.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace {

const QByteArray kMagic = QByteArrayLiteral("PANIVA-SYNC 1");

QByteArray enc(const QString& s) {
    return QUrl::toPercentEncoding(s, QByteArray(), QByteArray("\t "));
}

QString dec(const QByteArray& b) {
    return QUrl::fromPercentEncoding(b);
}

} // namespace

SyncEntry* SyncState::find(const QString& key) {
    for (SyncEntry& e : entries)
        if (e.key == key)
            return &e;
    return nullptr;
}

SyncEntry* SyncState::findUid(const QString& uid) {
    for (SyncEntry& e : entries)
        if (e.uid == uid)
            return &e;
    return nullptr;
}

void SyncState::remove(const QString& key) {
    entries.removeIf([&](const SyncEntry& e) { return e.key == key; });
}

QByteArray SyncState::serialize() const {
    QByteArray out = kMagic + '\n';
    out += "URL\t" + enc(url) + '\n';
    for (const SyncEntry& e : entries)
        out += "T\t" + enc(e.key) + '\t' + enc(e.uid) + '\t' + enc(e.href) + '\t' +
               enc(QString::fromUtf8(e.etag)) + '\t' + enc(QString::fromUtf8(e.fingerprint)) + '\n';
    return out;
}

bool SyncState::parse(const QByteArray& bytes, QString* error) {
    url.clear();
    entries.clear();
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kMagic) {
        if (error)
            *error = QStringLiteral("fichier de synchronisation inconnu");
        return false;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split('\t');
        if (f[0] == "URL" && f.size() == 2) {
            url = dec(f[1]);
        } else if (f[0] == "T" && f.size() == 6) {
            entries.append(
                SyncEntry{dec(f[1]), dec(f[2]), dec(f[3]), dec(f[4]).toUtf8(), dec(f[5]).toUtf8()});
        } else {
            if (error)
                *error = QStringLiteral("fichier de synchronisation abîmé (ligne %1)").arg(i + 1);
            url.clear();
            entries.clear();
            return false;
        }
    }
    return true;
}

bool SyncState::load(const QString& path, const QString& forUrl, QString* error) {
    url = forUrl;
    entries.clear();
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Lecture de %1 impossible : %2").arg(path, f.errorString());
        return false;
    }
    QString why;
    if (!parse(f.readAll(), &why)) {
        if (error)
            *error = QStringLiteral("%1 : %2").arg(path, why);
        return false;
    }
    if (url != forUrl) {
        url = forUrl;
        entries.clear();
    }
    return true;
}

bool SyncState::save(const QString& path, QString* error) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(serialize()) < 0 || !f.commit()) {
        if (error)
            *error = QStringLiteral("Impossible d'écrire dans %1 : %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

QString syncFilePath(const QString& directory, const QString& listFileName) {
    QString ltl = listTypeFilePath(directory, listFileName);
    ltl.chop(4); // ".ltl"
    return ltl + QStringLiteral(".sync");
}
