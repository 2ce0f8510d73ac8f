#pragma once

#include <QAnyStringView>
#include <QHash>
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
// between operations. A use that reads many keys (the settings read at start-up, a layout
// restore, the Options dialog opening) takes one Reading, which reads and parses the file once.
// Reading never fails: a missing file, section or key, or a value that cannot be read as the
// asked type, gives the caller's default. Only a regular file of at most kMaxFileSize bytes is
// read; anything else (a pipe, a device, a directory, a larger file) reads as an empty file and
// the Reading says why, and is never written over. A write puts the whole new content into a
// temporary file beside the old one and renames it over the old one, so a failed write leaves
// the old file whole. Lines are written "key=value" with CR LF.
class IniFile {
public:
    // Longest value a read gives back; longer values are cut.
    static constexpr qsizetype kMaxValueLength = 2047;
    // Room for the key names of a section: names plus one separator each.
    static constexpr qsizetype kMaxKeyListLength = 16384;
    // Largest file read or written. kabiro.ini holds about 1.5 kB; a list-type line takes at
    // most seven bytes per product, so 4 MiB holds ten list types of a whole 60 000-product
    // catalogue, or thousands of household-sized ones, of which only the first 2047 characters
    // are ever read back. A larger file is no file of this program.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    class Reading;

    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    bool exists() const;

    // --- reading
    // Reads and parses the file once; every read of the result is answered from it.
    Reading read() const;
    // Single reads: each one is a use of its own, reading the file.
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

    // How many times the content of a settings-format file has been read in this process, for
    // the tests and measures of how often a use reads its file.
    static qint64 contentReads();

private:
    bool apply(const QList<Batch::Op>& ops);

    QString path_;
    QString error_;
};

// A settings-format file as read once: sections and keys answered from memory.
class IniFile::Reading {
public:
    // An empty reading (no file): every read gives its default.
    Reading() = default;
    explicit Reading(QByteArray bytes);

    QString readString(QAnyStringView section, QAnyStringView key, const QString& def) const;
    qint32 readInt(QAnyStringView section, QAnyStringView key, qint32 def) const;
    bool readBool(QAnyStringView section, QAnyStringView key, bool def) const;
    double readFloat(QAnyStringView section, QAnyStringView key, double def) const;
    QStringList keyNames(QAnyStringView section, qsizetype limit = kMaxKeyListLength) const;

    // Why the file was set aside (a French sentence naming it: not a regular file, or larger
    // than kMaxFileSize); empty when it was read, or is missing or unreadable, which are no
    // faults.
    const QString& refusal() const { return refusal_; }
    bool refused() const { return !refusal_.isEmpty(); }

private:
    friend class IniFile;
    // A section as parsed on its first read: its key names in file order, each once and not
    // empty, and the first value of each key, cut to kMaxValueLength.
    struct Section {
        QStringList names;
        QHash<QString, QString> values; // by case-folded key name
    };
    // Where the first section of a name lies in the bytes (later ones are never looked at).
    struct Span {
        qsizetype begin = 0; // the line after the header
        qsizetype end = 0;
    };
    const Section* section(QAnyStringView name) const;
    const QString* find(QAnyStringView section, QAnyStringView key) const;

    QByteArray bytes_;
    QHash<QString, Span> spans_; // by case-folded section name
    // Sections are parsed when first asked for: a use reads a few sections of the file only.
    mutable QHash<QString, Section> parsed_;
    QString refusal_;
};
