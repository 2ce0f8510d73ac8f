#include "model/text_compare.h"

#include <array>

namespace {

// Base letter (lower case) of every Latin-1 character; other characters map to themselves.
struct FoldTable {
    std::array<char16_t, 256> base{};
    FoldTable() {
        for (int i = 0; i < 256; ++i)
            base[i] = static_cast<char16_t>(i);
        base[0] = 1; // NUL compares as SOH: a base letter is never 0, the end of a sort key
        for (int c = 'A'; c <= 'Z'; ++c)
            base[c] = static_cast<char16_t>(c + 32);
        const char* from = "\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2"
                           "\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD"
                           "\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2"
                           "\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFF";
        const char* to = "aaaaaaceeeeiiiinoooooouuuuy"
                         "aaaaaaceeeeiiiinoooooouuuuyy";
        for (int i = 0; from[i]; ++i)
            base[static_cast<unsigned char>(from[i])] = static_cast<char16_t>(to[i]);
    }
};
const FoldTable kFold;

char16_t baseOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 256)
        return kFold.base[u];
    switch (u) {
    case 0x0152:
    case 0x0153:
        return u'o'; // Œ œ
    case 0x0160:
    case 0x0161:
        return u's';
    case 0x017D:
    case 0x017E:
        return u'z';
    case 0x0178:
        return u'y';
    default:
        return QChar(u).toLower().unicode();
    }
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

namespace text {

QString foldAZ(QStringView s) {
    QString out = s.toString();
    for (QChar& c : out)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return out;
}

bool equalFoldAZ(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}

void appendSortKey(QStringView s, std::vector<char16_t>& out) {
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(s.size()));
    char16_t* d = out.data() + at;
    const char16_t* c = s.utf16();
    for (qsizetype i = 0; i < s.size(); ++i)
        d[i] = c[i] < 256 ? kFold.base[c[i]] : baseOf(QChar(c[i]));
}

int compareNoCase(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = baseOf(a[i]), y = baseOf(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    if (const int c = a.compare(b, Qt::CaseInsensitive))
        return sign(c);
    return sign(a.compare(b, Qt::CaseSensitive));
}

bool startsWithNoCase(QStringView s, QStringView prefix) {
    return s.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace text
