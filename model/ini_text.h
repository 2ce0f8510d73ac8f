#pragma once

// The line grammar of the settings format and the bounded reading of its files, shared by the
// reader and the writer of IniFile.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace initext {

bool isBlank(QChar c);
QStringView trimBlanks(QStringView s);
// Section and key names match without regard to case.
bool sameName(QStringView a, QStringView b);

// One line of the file as the reader sees it.
struct LineView {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QString name;  // section or key name, without surrounding blanks
    QString value; // key value, without surrounding blanks
};

// The raw line without its LF and the CR before it.
QByteArrayView lineBody(QByteArrayView raw);
LineView parseLine(QByteArrayView raw);
// Whether the line opens a section (its first non-blank byte is "["), seen on the bytes alone:
// the blanks and "[" are the same bytes in the file's code page.
bool opensSection(QByteArrayView raw);

// What reading a file gave: its bytes, or nothing when it is missing, cannot be opened or is
// refused; `refusal` then says why in French when the file was set aside on purpose (not a
// regular file, or larger than the bound).
struct FileBytes {
    std::optional<QByteArray> bytes;
    QString refusal;
};

// Reads a whole settings-format file of at most `maxSize` bytes. Only a regular file is read (a
// link is followed): a pipe would be waited on for ever and a device such as /dev/zero read
// without end. The bytes read are bounded as well, so a file growing while it is read changes
// nothing. Every call that reads a file's content adds one to contentReads().
FileBytes readFile(const QString& path, qint64 maxSize);
qint64 contentReads();

} // namespace initext
