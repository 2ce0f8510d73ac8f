#pragma once

#include <QAnyStringView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Reader-writer of the program's settings format, used by kabiro.ini and the list-type files.
//
// The file is Windows-1252 text of sections and keys:
//   [SECTION]
//   key=value
// A line whose first non-blank character is "[" opens a section named by the text up to "]";
// any other line holding "=" gives the key before the first "=" and the value after it, both
// without surrounding blanks. Section and key names match without regard to case. Lines read
// end at LF, a CR before the LF being dropped. Lines that are neither a section nor a key
// (blank lines, notes) and keys above the first section are ignored when reading and kept
// byte for byte when writing; so is every line an operation does not change.
//
// Each operation opens the file, does its work and closes it; nothing is kept in memory
// between operations. Reading never fails: a missing file, section or key, or a value that
// cannot be read as the asked type, gives the caller's default. A write puts the whole new
// content into a temporary file beside the old one and renames it over the old one, so a failed
// write leaves the old file whole. Lines are written "key=value" with CR LF.
class IniFile {
public:
    // Longest value a read gives back; longer values are cut.
    static constexpr qsizetype kMaxValueLength = 2047;
    // Room for the key names of a section: names plus one separator each.
    static constexpr qsizetype kMaxKeyListLength = 16384;

    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    bool exists() const;

    // --- reading
    QString readString(QAnyStringView section, QAnyStringView key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    qint32 readInt(QAnyStringView section, QAnyStringView key, qint32 def) const;
    // An integer, any value but 0 being true; anything else gives the default.
    bool readBool(QAnyStringView section, QAnyStringView key, bool def) const;
    // Accepts "," or "." as the decimal separator; a value that is not a finite number gives the
    // default.
    double readFloat(QAnyStringView section, QAnyStringView key, double def) const;
    // The key names of a section in file order, each once. Names are taken while they fit in
    // `limit` characters counting one separator after each; the first that does not fit ends the
    // list (no name is ever given cut).
    QStringList keyNames(QAnyStringView section, qsizetype limit = kMaxKeyListLength) const;

    // --- writing: each returns false on failure, the reason then in lastError()
    bool writeString(QAnyStringView section, QAnyStringView key, const QString& value);
    bool writeInt(QAnyStringView section, QAnyStringView key, qint32 value);
    bool writeBool(QAnyStringView section, QAnyStringView key, bool value);
    bool writeFloat(QAnyStringView section, QAnyStringView key, double value);
    // Removes every line of the key in the section; a missing key or file is not an error.
    bool deleteKey(QAnyStringView section, QAnyStringView key);
    // "Impossible d'écrire dans <path>" after a refused write; empty after a successful one.
    const QString& lastError() const { return error_; }

    // Several writes applied in order and stored in one file write: the resulting file is the
    // same as after the same writes one by one, but either all of them land or none does.
    class Batch {
    public:
        Batch& writeString(QAnyStringView section, QAnyStringView key, const QString& value);
        Batch& writeInt(QAnyStringView section, QAnyStringView key, qint32 value);
        Batch& writeBool(QAnyStringView section, QAnyStringView key, bool value);
        Batch& writeFloat(QAnyStringView section, QAnyStringView key, double value);
        Batch& deleteKey(QAnyStringView section, QAnyStringView key);
        // Reads the file, applies the writes and stores the result; false on failure, the
        // reason then in the file's lastError().
        bool commit();

    private:
        friend class IniFile;
        struct Op {
            QString section;
            QString key;
            QString value;
            bool remove = false;
        };
        explicit Batch(IniFile& file) : file_(&file) {}
        IniFile* file_;
        QList<Op> ops_;
    };
    Batch batch() { return Batch(*this); }

    // --- value forms, shared with callers that build values themselves
    static QString formatInt(qint32 value);
    static QString formatBool(bool value);
    // Shortest form that reads back the same number, always with a decimal comma, so a file
    // reads back the same whatever the locale of the machine that wrote it.
    static QString formatFloat(double value);
    static bool parseInt(QStringView text, qint32* value);
    static bool parseFloat(QStringView text, double* value);

private:
    bool apply(const QList<Batch::Op>& ops);

    QString path_;
    QString error_;
};
