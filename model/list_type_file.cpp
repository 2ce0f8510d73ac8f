#include "model/list_type_file.h"

#include "model/text_compare.h"
#include "model/win1252.h"

#include <QFileInfo>
#include <QSaveFile>

ListTypeFile::ListTypeFile(QString path) : ini_(std::move(path)) {}

ListTypeFile ListTypeFile::forList(const QString& directory, const QString& listFileName) {
    return ListTypeFile(listTypeFilePath(directory, listFileName));
}

bool ListTypeFile::create(QString* error) {
    // Only a file is a list-type file already there: a directory, a pipe or a device of that
    // name is a failure, and is left as it is.
    const QFileInfo info(path());
    if (info.isFile())
        return true;
    QSaveFile out(path());
    const QByteArray content = QByteArray("[") + kSection + "]\r\n";
    if (info.exists() || !out.open(QIODevice::WriteOnly) || out.write(content) != content.size() ||
        !out.commit()) {
        out.cancelWriting();
        if (error)
            *error = QStringLiteral("Impossible d'écrire dans %1").arg(path());
        return false;
    }
    return true;
}

QString ListTypeFile::value(const QString& name) const {
    return ini_.readString(kSection, name, QString::fromLatin1(kEmptyValue));
}

bool ListTypeFile::save(const QString& name, const QString& value, QString* error) {
    const bool ok = ini_.writeString(kSection, text::foldAZ(name), value);
    if (!ok && error)
        *error = ini_.lastError();
    return ok;
}

bool ListTypeFile::remove(const QString& name, QString* error) {
    const bool ok = ini_.deleteKey(kSection, name);
    if (!ok && error)
        *error = ini_.lastError();
    return ok;
}

QStringList ListTypeFile::names(QString* refusal) const {
    const IniFile::Reading reading = ini_.read();
    if (refusal)
        *refusal = reading.refusal();
    return reading.keyNames(kSection, IniFile::kMaxKeyListLength);
}

QString listTypeFileName(const QString& listFileName) {
    const QString name = QFileInfo(listFileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.left(dot)) + QLatin1String(".ltl");
}

QString listTypeFilePath(const QString& directory, const QString& listFileName) {
    const QString name = listTypeFileName(listFileName);
    if (directory.isEmpty())
        return name;
    return directory.endsWith(u'/') ? directory + name : directory + u'/' + name;
}

QString listTypeValue(const QList<qint32>& ids) {
    QString v = QStringLiteral("-");
    for (qint32 id : ids)
        v += QString::number(id) + u'-';
    return v;
}

bool listTypeHas(const QString& value, qint32 id) {
    return value.contains(u'-' + QString::number(id) + u'-');
}

QString normalListTypeName(const QString& typed) {
    return text::foldAZ(typed.trimmed());
}

bool validListTypeName(const QString& name, QString* error) {
    const auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (name.trimmed().isEmpty())
        return fail(QStringLiteral("ERREUR : le nom de la liste type est vide."));
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'=' || c == u'[' || c == u']')
            return fail(QStringLiteral("ERREUR : le nom de la liste type ne doit contenir ni "
                                       "« = », ni « [ », ni « ] »."));
        if (c.category() == QChar::Other_Control)
            return fail(QStringLiteral("ERREUR : le nom de la liste type contient un caractère "
                                       "de contrôle."));
        if (!win1252::canStore(c)) {
            // Show the whole character, even when it takes two UTF-16 units.
            const qsizetype len = c.isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
            return fail(QStringLiteral("ERREUR : le caractère « %1 » ne peut pas figurer dans le "
                                       "nom de la liste type.")
                            .arg(name.mid(i, len)));
        }
    }
    return true;
}
