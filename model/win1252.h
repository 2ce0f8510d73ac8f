#pragma once

#include <QByteArray>
#include <QString>

// The program's files are single-byte Windows-1252 text. These helpers convert between that
// code page and QString, and tell whether a text can be stored at all.
namespace win1252 {

// Decodes every byte; the five bytes the code page leaves undefined map to the C1 control of
// the same value, so that decode(encode(s)) == s for every storable s.
QString decode(QByteArrayView bytes);

// Encodes a text; a character the code page cannot hold becomes '?'. Callers that must not lose
// anything check canStore() first.
QByteArray encode(QStringView text);

bool canStore(QChar c);
bool canStore(QStringView text);

} // namespace win1252
