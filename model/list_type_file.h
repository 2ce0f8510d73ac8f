#pragma once

#include "model/ini_file.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The list types of one list file: a settings-format file with the single section
// "[LISTE-TYPE]" holding one line per list type, NAME=-id-id-...-, the identifiers being the
// products' `id_prod` values in catalogue order.
class ListTypeFile {
public:
    static constexpr char kSection[] = "LISTE-TYPE";
    // What reading an absent name gives: no product.
    static constexpr char kEmptyValue[] = "-";

    explicit ListTypeFile(QString path);
    // The list-type file of a list file (any path; only its name counts) in a directory.
    static ListTypeFile forList(const QString& directory, const QString& listFileName);

    const QString& path() const { return ini_.path(); }
    bool exists() const { return ini_.exists(); }

    // Creates the file holding only the section line. A file that already exists is left as it
    // is; anything else of that name (a directory, a pipe, a device) is never replaced. False on
    // failure, with "Impossible d'écrire dans <path>" in `error`.
    bool create(QString* error = nullptr);

    // The value saved under a name (any case), at most 2047 characters; "-" when absent.
    QString value(const QString& name) const;
    // Saves name=value: the name is folded to capitals (a to z) and replaces the line of the
    // same name in place, else is added as the section's last line.
    bool save(const QString& name, const QString& value, QString* error = nullptr);
    // Removes the line of that name (any case); an absent name is not an error.
    bool remove(const QString& name, QString* error = nullptr);
    // The names in file order, within the 16 384-character room of a listing. A file set aside
    // (not a regular file, or too large: see IniFile) gives none, and `refusal` says why.
    QStringList names(QString* refusal = nullptr) const;

private:
    IniFile ini_;
};

// "kabiro.pnv" -> "kabiro.ltl", "liste" -> "liste.ltl", "/a/b/x.PNV" -> "x.ltl".
QString listTypeFileName(const QString& listFileName);
// The list-type file of a list file in a directory, joined with "/".
QString listTypeFilePath(const QString& directory, const QString& listFileName);

// "-3-17-42-" for 3, 17, 42; "-" for none.
QString listTypeValue(const QList<qint32>& ids);
// Whether the value names that product: "-id-" framed on both sides, so 1 is not found in
// "-12-".
bool listTypeHas(const QString& value, qint32 id);
// The name as saved from what the user typed: surrounding blanks removed, a to z in capitals.
QString normalListTypeName(const QString& typed);
// Whether a (normalised) name can be saved: not empty, none of "=", "[", "]", no control
// character, only characters the file's code page holds. Otherwise `error` receives the
// "ERREUR : " message to show.
bool validListTypeName(const QString& name, QString* error = nullptr);
