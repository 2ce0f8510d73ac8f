#include "model/ini_text.h"

#include "model/win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>

namespace initext {

namespace {

std::atomic<qint64> reads{0};

QString sizeText(qint64 bytes) {
    const qint64 mib = bytes / (1024 * 1024);
    return mib > 0 ? QStringLiteral("%1 Mo").arg(mib) : QStringLiteral("%1 octets").arg(bytes);
}

} // namespace

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QStringView trimBlanks(QStringView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArrayView lineBody(QByteArrayView raw) {
    if (raw.endsWith('\n'))
        raw.chop(1);
    if (raw.endsWith('\r'))
        raw.chop(1);
    return raw;
}

LineView parseLine(QByteArrayView raw) {
    LineView v;
    const QString text = win1252::decode(lineBody(raw));
    const QStringView t = trimBlanks(text);
    if (t.startsWith(u'[')) {
        v.kind = LineView::Section;
        const qsizetype close = t.indexOf(u']');
        v.name = trimBlanks(close < 0 ? t.sliced(1) : t.sliced(1, close - 1)).toString();
        return v;
    }
    const qsizetype eq = t.indexOf(u'=');
    if (eq >= 0) {
        v.kind = LineView::Key;
        v.name = trimBlanks(t.first(eq)).toString();
        v.value = trimBlanks(t.sliced(eq + 1)).toString();
    }
    return v;
}

bool opensSection(QByteArrayView raw) {
    for (char c : raw) {
        if (c == '[')
            return true;
        if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f')
            return false;
    }
    return false;
}

FileBytes readFile(const QString& path, qint64 maxSize) {
    FileBytes out;
    const QFileInfo info(path);
    if (!info.exists())
        return out;
    const auto tooLarge = [&] {
        return QStringLiteral("« %1 » dépasse %2, taille qu'aucun fichier de réglages "
                              "n'atteint.")
            .arg(QDir::toNativeSeparators(path), sizeText(maxSize));
    };
    if (!info.isFile()) {
        out.refusal = QStringLiteral("« %1 » n'est pas un fichier ordinaire (dossier, tube ou "
                                     "périphérique).")
                          .arg(QDir::toNativeSeparators(path));
        return out;
    }
    if (info.size() > maxSize) {
        out.refusal = tooLarge();
        return out;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    ++reads;
    // Read piece by piece rather than into a buffer of the bound: most files are small, and one
    // that grows while it is read still stops at the bound.
    QByteArray bytes;
    bytes.reserve(info.size());
    char piece[64 * 1024];
    for (;;) {
        const qint64 got = f.read(piece, sizeof piece);
        if (got < 0)
            return out;
        if (got == 0)
            break;
        bytes.append(piece, got);
        if (bytes.size() > maxSize) {
            out.refusal = tooLarge();
            return out;
        }
    }
    out.bytes = std::move(bytes);
    return out;
}

qint64 contentReads() {
    return reads.load();
}

} // namespace initext
