#pragma once

// Checks of the file readers and writers on arbitrary bytes, shared by the fuzz targets (fuzz/)
// and by the test that replays the inputs they found (tests/model/test_fuzz_regressions.cpp).
// Each check returns an empty string when the input passes, else a description of the fault.
// Only Qt Core is used, so the fuzz targets build without Qt Test.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace readerchecks {

// Reads the bytes as a list file. A refused file must carry a message. An accepted one is
// written and read back: what the writer keeps (every record, the validation text, the tree
// nodes the catalogue uses) must come back as it was, save for the documented replacements
// (";" by ",", "[" and "]" by "(" and ")", a CR by a blank, the leading blanks of sector and
// aisle names), and writing the second reading must give the same bytes again. With a
// `scratchPath`, the bytes are also written there and read through load(), which must agree
// with parse() and leave the data untouched when it refuses the file.
QString listFile(QByteArrayView bytes, const QString& scratchPath = QString());
// Only the agreement of load() with parse() (the file reader works piece by piece).
QString listFileLoad(QByteArrayView bytes, const QString& scratchPath);

// The bytes before a line "==ops==" are a settings file, written to `scratchPath`; each line
// after it is one write, applied in order:
//   s<section>|<key>|<text>    writeString       d<section>|<key>    deleteKey
//   i<section>|<key>|<number>  writeInt          b<section>|<key>|0 or 1  writeBool
//   f<section>|<key>|<number>  writeFloat        l<name>|<value>     list type saved
//   r<name>                    list type removed
//   o                          the Options and the window layout are read, written and read
//                              back unchanged
// Every read (text, integer, boolean, floating point, key names, list types) is compared with
// an independent reading of the same content; every write must give back what was written,
// leave the other keys as they were, and a refused write must leave the file untouched.
QString settingsFile(QByteArrayView input, const QString& scratchPath);

// The first four bytes (little-endian) are a product identifier, the rest a list-type value:
// listTypeHas() is compared with an independent search. The rest read as identifiers (four
// bytes each) is turned into a value by listTypeValue(), which must name exactly those products
// and read back as the same identifiers.
QString listTypeValues(QByteArrayView input);

} // namespace readerchecks
