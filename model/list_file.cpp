#include "model/list_file.h"

#include "model/file_error.h"
#include "model/win1252.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace listfile {

namespace {

// After the first ";" of a record line only this many characters are examined.
constexpr qsizetype kRestLimit = 300;
// Far beyond any real list (several million products); keeps a stray huge file from exhausting
// memory.
constexpr qint64 kMaxFileSize = 512LL * 1024 * 1024;

// ---------------------------------------------------------------- reading lines

// A file's lines: a line ends at LF, and a CR just before the LF is dropped. The last line needs
// no LF. A line stays valid until the next call.
class LineSource {
public:
    virtual ~LineSource() = default;
    // False at the end of the file, or when reading failed (then failure() says why).
    virtual bool next(QByteArrayView& line) = 0;
    const QString& failure() const { return failure_; }

protected:
    // Cuts the next line out of [*pos, end); false when no LF is left there.
    static bool cut(const char* base, qsizetype end, qsizetype* pos, QByteArrayView& line) {
        const void* lf = std::memchr(base + *pos, '\n', static_cast<size_t>(end - *pos));
        if (!lf)
            return false;
        const qsizetype at = static_cast<const char*>(lf) - base;
        const qsizetype stop = at > *pos && base[at - 1] == '\r' ? at - 1 : at;
        line = QByteArrayView(base + *pos, stop - *pos);
        *pos = at + 1;
        return true;
    }

    QString failure_;
};

class ByteLines : public LineSource {
public:
    explicit ByteLines(QByteArrayView bytes) : b_(bytes) {}

    bool next(QByteArrayView& line) override {
        if (pos_ >= b_.size())
            return false;
        if (!cut(b_.data(), b_.size(), &pos_, line)) {
            line = b_.sliced(pos_);
            pos_ = b_.size();
        }
        return true;
    }

private:
    QByteArrayView b_;
    qsizetype pos_ = 0;
};

bool hasNul(const char* p, qsizetype n) {
    return std::memchr(p, 0, static_cast<size_t>(n)) != nullptr;
}

QString binaryMessage() {
    return QStringLiteral("Le fichier contient des données binaires : ce n'est pas une liste de "
                          "courses.");
}

// Reads a file piece by piece, so that its whole content is never held in memory beside the
// tables being built.
class FileLines : public LineSource {
public:
    explicit FileLines(std::FILE* f) : f_(f) {}

    bool next(QByteArrayView& line) override {
        for (;;) {
            if (!failure_.isEmpty())
                return false;
            if (cut(buf_.constData(), end_, &pos_, line))
                return true;
            if (eof_) {
                if (pos_ >= end_)
                    return false;
                line = QByteArrayView(buf_.constData() + pos_, end_ - pos_);
                pos_ = end_;
                return true;
            }
            fill();
        }
    }

private:
    void fill() {
        // Keep the unread part, then read behind it; a line longer than the buffer grows it.
        const qsizetype keep = end_ - pos_;
        if (keep > 0 && pos_ > 0)
            std::memmove(buf_.data(), buf_.constData() + pos_, static_cast<size_t>(keep));
        pos_ = 0;
        end_ = keep;
        if (buf_.size() - end_ < kChunk / 2)
            buf_.resize(std::max<qsizetype>(kChunk, 2 * buf_.size()));
        const size_t got =
            std::fread(buf_.data() + end_, 1, static_cast<size_t>(buf_.size() - end_), f_);
        if (got == 0 && std::ferror(f_)) {
            failure_ = frenchFileError(errno ? errno : EIO);
            return;
        }
        if (got == 0) {
            eof_ = true;
            return;
        }
        if (hasNul(buf_.constData() + end_, static_cast<qsizetype>(got))) {
            failure_ = binaryMessage();
            return;
        }
        end_ += static_cast<qsizetype>(got);
        total_ += static_cast<qint64>(got);
        if (total_ > kMaxFileSize)
            failure_ = frenchFileError(EFBIG);
    }

    static constexpr qsizetype kChunk = 256 * 1024;
    std::FILE* f_;
    QByteArray buf_;
    qsizetype pos_ = 0;
    qsizetype end_ = 0;
    qint64 total_ = 0;
    bool eof_ = false;
};

// Every section ends at the first line holding a "[" anywhere.
bool endsSection(QByteArrayView line) {
    return std::memchr(line.data(), '[', static_cast<size_t>(line.size())) != nullptr;
}

QStringView trimmedBlanks(QStringView s) {
    while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t'))
        s = s.sliced(1);
    while (!s.isEmpty() && (s.back() == u' ' || s.back() == u'\t'))
        s.chop(1);
    return s;
}

std::optional<qint64> parseInteger(QStringView text) {
    QStringView s = trimmedBlanks(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    if (s.isEmpty() || s.size() > 18)
        return std::nullopt; // 18 digits cannot overflow 64 bits
    qint64 v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return negative ? -v : v;
}

// ---------------------------------------------------------------- storing read values

// The prices the writer writes back in at most 36 characters: below 10^15 once rounded to 15
// digits, and not below 10^-20.
bool writablePrice(double v) {
    const double a = std::fabs(v);
    return a == 0 || (a >= 1e-20 && a < 999999999999999.5);
}

// Decodes lines into one buffer that keeps its capacity, so reading a line allocates nothing.
class LineDecoder {
public:
    LineDecoder() {
        char all[256];
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        const QString chars = win1252::decode(QByteArrayView(all, 256));
        for (int i = 0; i < 256; ++i)
            table_[static_cast<size_t>(i)] = chars[i].unicode();
    }

    QStringView decode(QByteArrayView line) {
        if (buffer_.size() < line.size())
            buffer_.resize(std::max(line.size(), 2 * buffer_.size()));
        char16_t* d = reinterpret_cast<char16_t*>(buffer_.data());
        for (qsizetype i = 0; i < line.size(); ++i)
            d[i] = table_[static_cast<unsigned char>(line[i])];
        return QStringView(buffer_).first(line.size());
    }

private:
    std::array<char16_t, 256> table_{};
    QString buffer_;
};

class RecordReader {
public:
    explicit RecordReader(RecordTable& table) : table_(table), schema_(table.schema()) {}

    void read(QStringView line) {
        std::vector<FieldValue> values(static_cast<size_t>(schema_.count()));
        qsizetype semi = line.indexOf(u';');
        if (semi >= 0) {
            store(values, 0, line.first(semi));
            QStringView rest = line.sliced(semi + 1);
            // Cutting the rest after every later ";" changes nothing more: it only gets shorter.
            rest = rest.first(std::min(rest.size(), kRestLimit));
            for (int f = 1; f < schema_.count(); ++f) {
                semi = rest.indexOf(u';');
                if (semi < 0)
                    break; // text after the last ";" is ignored
                store(values, f, rest.first(semi));
                rest = rest.sliced(semi + 1);
            }
        }
        table_.appendLoaded(std::move(values));
    }

private:
    void store(std::vector<FieldValue>& values, int f, QStringView v) {
        const FieldDef& def = schema_.at(f);
        FieldValue& slot = values[static_cast<size_t>(f)];
        switch (def.type) {
        case FieldType::Text:
            if (v.isEmpty())
                break;
            if (def.width > 0 && v.size() > def.width)
                v = v.first(def.width);
            slot = v.size() == 1 ? oneCharacter(v.front()) : v.toString();
            break;
        case FieldType::SmallInt:
        case FieldType::Integer: {
            const qint64 lo = def.type == FieldType::SmallInt ? std::numeric_limits<qint16>::min()
                                                              : std::numeric_limits<qint32>::min();
            const qint64 hi = def.type == FieldType::SmallInt ? std::numeric_limits<qint16>::max()
                                                              : std::numeric_limits<qint32>::max();
            const auto n = parseInteger(v);
            if (n && *n >= lo && *n <= hi)
                slot = static_cast<qint32>(*n);
            break;
        }
        case FieldType::Money: {
            // An unreadable price counts as 1, so that the product still has one. So does a
            // price far beyond any amount: written back in full, without exponent, it would be
            // too long to be read again, and the values after it on its line would be lost.
            const std::optional<double> price = parseMoney(v);
            slot = price && writablePrice(*price) ? *price : 1.0;
            break;
        }
        case FieldType::Date: {
            const QDate d = parseDate(v);
            if (d.isValid())
                slot = d;
            break;
        }
        }
    }

    // The one-character texts (the flags of every record) share one storage per character:
    // walks that compare the flags of thousands of records then find them in the cache instead
    // of fetching a heap block per record.
    QString oneCharacter(QChar c) {
        if (c.unicode() >= oneCharacter_.size())
            return QString(c);
        QString& s = oneCharacter_[c.unicode()];
        if (s.isNull())
            s = QString(c);
        return s;
    }

    RecordTable& table_;
    const TableSchema& schema_;
    std::array<QString, 256> oneCharacter_;
};

// Reads record lines up to the line that ends the section; false when the file ends first.
bool readRecords(LineSource& lines, LineDecoder& decoder, RecordTable& table) {
    RecordReader reader(table);
    QByteArrayView line;
    while (lines.next(line)) {
        if (endsSection(line))
            return true;
        reader.read(decoder.decode(line));
    }
    return false;
}

// Lines of each of the first four sections, to size the tables before reading.
std::array<qsizetype, 4> sectionSizes(QByteArrayView bytes) {
    std::array<qsizetype, 4> sizes{};
    ByteLines lines(bytes);
    QByteArrayView line;
    lines.next(line);
    size_t section = 0;
    while (section < sizes.size() && lines.next(line)) {
        if (endsSection(line))
            ++section;
        else
            ++sizes[section];
    }
    return sizes;
}

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

bool incomplete(QString* error, const char* missingSection) {
    return fail(error, QStringLiteral("Fichier incomplet ou endommagé : la section %1 est absente.")
                           .arg(QLatin1String(missingSection)));
}

// ---------------------------------------------------------------- writing

class Writer {
public:
    explicit Writer(qsizetype expected) { grow(expected); }

    QByteArray take() {
        out_.resize(used_);
        used_ = 0;
        return std::move(out_);
    }

    void raw(const char* s) { bytes(s, static_cast<qsizetype>(std::strlen(s))); }
    void raw(char c) {
        reserve(1);
        out_.data()[used_++] = c;
    }
    void endLine() { bytes("\r\n", 2); }

    // A value of a record line or a tree name. Characters that would read back as something
    // else are replaced: ";" (the value separator) by ",", "[" and "]" (a "[" ends a section)
    // by "(" and ")", line breaks and NUL by a blank, and what the code page cannot hold by "?".
    void value(QStringView s) { put(s, true); }
    // The validation text, the last line: only line breaks and unstorable characters change.
    void lastLine(QStringView s) { put(s, false); }

    void integer(qint64 v) {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        bytes(buf, r.ptr - buf);
    }

    // A price that is not a number counts as 0, and is written so.
    void money(double v) {
        char buf[400];
        const qsizetype n = formatMoneyInto(v, buf, sizeof buf);
        if (n == 0)
            raw('0');
        bytes(buf, n);
    }

    void date(QDate d) {
        int y = 0, m = 0, day = 0;
        d.getDate(&y, &m, &day);
        if (!d.isValid() || y < 1 || y > 9999)
            return;
        const char buf[10] = {static_cast<char>('0' + day / 10),
                              static_cast<char>('0' + day % 10),
                              '/',
                              static_cast<char>('0' + m / 10),
                              static_cast<char>('0' + m % 10),
                              '/',
                              static_cast<char>('0' + y / 1000),
                              static_cast<char>('0' + y / 100 % 10),
                              static_cast<char>('0' + y / 10 % 10),
                              static_cast<char>('0' + y % 10)};
        bytes(buf, 10);
    }

    // Shortest decimal form with at most 15 significant digits, decimal comma, no exponent.
    static qsizetype formatMoneyInto(double v, char* buf, size_t size) {
        if (!std::isfinite(v))
            return 0;
        if (v == 0) {
            buf[0] = '0';
            return 1;
        }
        char sci[40];
        const auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, 14);
        const char* p = sci;
        const bool negative = *p == '-';
        if (negative)
            ++p;
        char digits[16];
        int n = 0;
        for (; p < r.ptr && *p != 'e'; ++p)
            if (*p != '.' && n < 16)
                digits[n++] = *p;
        int exponent = 0;
        if (p < r.ptr)
            std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exponent);
        while (n > 1 && digits[n - 1] == '0')
            --n;
        // The buffer holds every double (at most 309 integer digits or 323 leading zeros).
        qsizetype k = 0;
        auto put = [&](char c) {
            if (static_cast<size_t>(k) < size)
                buf[k++] = c;
        };
        if (negative)
            put('-');
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i)
                put(i < n ? digits[i] : '0');
            if (n > exponent + 1) {
                put(',');
                for (int i = exponent + 1; i < n; ++i)
                    put(digits[i]);
            }
        } else {
            put('0');
            put(',');
            for (int i = 0; i < -exponent - 1; ++i)
                put('0');
            for (int i = 0; i < n; ++i)
                put(digits[i]);
        }
        return k;
    }

private:
    void grow(qsizetype atLeast) {
        out_.resize(std::max<qsizetype>(atLeast, 2 * out_.size() + 256));
    }
    void reserve(qsizetype n) {
        if (used_ + n > out_.size())
            grow(used_ + n);
    }
    void bytes(const char* p, qsizetype n) {
        reserve(n);
        std::memcpy(out_.data() + used_, p, static_cast<size_t>(n));
        used_ += n;
    }

    void put(QStringView s, bool isValue) {
        const qsizetype n = s.size();
        reserve(n);
        char* d = out_.data() + used_;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = s[i].unicode();
            char b;
            if (u < 0x80) {
                b = static_cast<char>(u);
                if (u == u'\r' || u == u'\n' || u == 0)
                    b = ' ';
                else if (isValue && u == u';')
                    b = ',';
                else if (isValue && u == u'[')
                    b = '(';
                else if (isValue && u == u']')
                    b = ')';
            } else if (u >= 0xA0 && u <= 0xFF) {
                b = static_cast<char>(u);
            } else if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate()) {
                b = '?'; // one character outside the code page, one "?"
                ++i;
            } else {
                b = win1252::encode(s.sliced(i, 1)).at(0);
            }
            *d++ = b;
        }
        used_ = d - out_.data();
    }

    QByteArray out_;
    qsizetype used_ = 0;
};

// A tree line's leading blanks and TABs are its level, so sector and aisle names are written
// without them, in the tree and in the records alike: after reading back, the records still
// carry the names of the tree. Line breaks and NULs go too, as they are written as blanks: a
// name read with a leading CR would otherwise come back one level deeper, or not at all.
QStringView withoutLeadingBlanks(QStringView s) {
    while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t' || s.front() == u'\r' ||
                            s.front() == u'\n' || s.front() == QChar(0)))
        s = s.sliced(1);
    return s;
}

// Secteur and Rayon are the first two fields of both tables.
constexpr size_t kNameFields = 2;

// An empty price would read back as 1, so it is written as the 0 the program counts it as.
// `priceField` is the position of the price, or -1 for a table without one.
void writeRecord(Writer& w, const Record& r, int priceField) {
    for (size_t f = 0; f < r.values.size(); ++f) {
        const FieldValue& v = r.values[f];
        if (static_cast<int>(f) == priceField && std::holds_alternative<std::monostate>(v))
            w.raw('0');
        else if (auto* s = std::get_if<QString>(&v))
            w.value(f < kNameFields ? withoutLeadingBlanks(*s) : QStringView(*s));
        else if (auto* i = std::get_if<qint32>(&v))
            w.integer(*i);
        else if (auto* d = std::get_if<double>(&v))
            w.money(*d);
        else if (auto* dt = std::get_if<QDate>(&v))
            w.date(*dt);
        w.raw(';');
    }
    w.endLine();
}

// Tree lines: a sector is written when a product of the catalogue carries its name; a node below
// it when a product, in any sector, carries its name as aisle. A node is only written under a
// written parent, so the file never jumps a level.
void writeNodes(Writer& w, const std::vector<OrgNode>& nodes, int depth,
                const QSet<QStringView>& sectors, const QSet<QStringView>& aisles) {
    for (const OrgNode& n : nodes) {
        const QStringView name = withoutLeadingBlanks(n.text);
        if (!(depth == 0 ? sectors : aisles).contains(name))
            continue;
        for (int i = 0; i < depth; ++i)
            w.raw('\t');
        w.value(name);
        w.endLine();
        writeNodes(w, n.children, depth + 1, sectors, aisles);
    }
}

// ---------------------------------------------------------------- files

QString reasonFor(int savedErrno, QFileDevice::FileError kind) {
    if (savedErrno != 0)
        return frenchFileError(savedErrno);
    switch (kind) {
    case QFileDevice::ResourceError:
        return frenchFileError(ENOSPC);
    case QFileDevice::PermissionsError:
        return frenchFileError(EACCES);
    case QFileDevice::OpenError:
        return QStringLiteral("Impossible de créer le fichier");
    case QFileDevice::RenameError:
        return QStringLiteral("Impossible de remplacer le fichier");
    default:
        return QStringLiteral("Erreur d'écriture");
    }
}

} // namespace

// ---------------------------------------------------------------- value forms

QString formatMoney(double value) {
    char buf[400];
    const qsizetype n = Writer::formatMoneyInto(value, buf, sizeof buf);
    return QString::fromLatin1(buf, n);
}

std::optional<double> parseMoney(QStringView text) {
    QStringView s = trimmedBlanks(text);
    if (s.isEmpty() || s.size() > 64)
        return std::nullopt;
    char buf[65];
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (i == 0 && u == u'+' && s.size() > 1)
            continue; // from_chars takes no plus sign
        const bool allowed = (u >= u'0' && u <= u'9') || u == u'-' || u == u'+' || u == u'.' ||
                             u == u',' || u == u'e' || u == u'E';
        if (!allowed)
            return std::nullopt; // also keeps out "inf", "nan" and hexadecimal forms
        buf[n++] = u == u',' ? '.' : static_cast<char>(u);
    }
    double v = 0;
    const auto r = std::from_chars(buf, buf + n, v);
    if (r.ec != std::errc() || r.ptr != buf + n || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString formatDate(QDate d) {
    Writer w(16);
    w.date(d);
    return QString::fromLatin1(w.take());
}

QDate parseDate(QStringView text) {
    const QStringView s = trimmedBlanks(text);
    int parts[3] = {0, 0, 0};
    int lengths[3] = {0, 0, 0};
    int k = 0;
    QChar separator;
    for (QChar c : s) {
        if (c >= u'0' && c <= u'9') {
            if (++lengths[k] > 4)
                return QDate();
            parts[k] = parts[k] * 10 + (c.unicode() - u'0');
        } else if ((c == u'/' || c == u'.' || c == u'-') && k < 2 && lengths[k] > 0 &&
                   (separator.isNull() || c == separator)) {
            separator = c;
            ++k;
        } else {
            return QDate();
        }
    }
    if (k != 2 || lengths[0] > 2 || lengths[1] > 2 || lengths[2] == 0)
        return QDate();
    int year = parts[2];
    if (lengths[2] <= 2)
        year += year < 50 ? 2000 : 1900;
    return QDate(year, parts[1], parts[0]);
}

// ---------------------------------------------------------------- reader

namespace {

QString emptyMessage() {
    return QStringLiteral("Le fichier est vide : ce n'est pas une liste de courses.");
}

bool incompleteOrFailed(const LineSource& lines, QString* error, const char* missingSection) {
    if (!lines.failure().isEmpty())
        return fail(error, lines.failure());
    return incomplete(error, missingSection);
}

// The reader proper. Every section ends at the first line holding a "[", whatever its name.
bool parseLines(LineSource& lines, Contents& out, QString* error) {
    QByteArrayView line;
    if (!lines.next(line)) // the first line is not examined
        return fail(error, lines.failure().isEmpty() ? emptyMessage() : lines.failure());

    QStringList treeLines;
    bool closed = false;
    while (lines.next(line)) {
        if (endsSection(line)) {
            closed = true;
            break;
        }
        treeLines << win1252::decode(line);
    }
    if (!closed)
        return incompleteOrFailed(lines, error, "[LISTE]");
    auto tree = OrgTree::fromLines(treeLines, error);
    if (!tree)
        return false;
    out.tree = std::move(*tree);

    LineDecoder decoder;
    if (!readRecords(lines, decoder, out.list))
        return incompleteOrFailed(lines, error, "[PRODUIT]");
    if (!readRecords(lines, decoder, out.catalogue))
        return incompleteOrFailed(lines, error, "[SAISIE]");

    // The text after "DATE=": the first five characters are not examined.
    if (lines.next(line))
        out.validationText = win1252::decode(line).mid(5, 30);
    else if (!lines.failure().isEmpty())
        return fail(error, lines.failure());
    else
        out.validationText = ShoppingData::initialValidationText();
    out.list.first();
    out.catalogue.first();
    return true;
}

} // namespace

bool parse(QByteArrayView bytes, Contents& out, QString* error) {
    if (bytes.isEmpty())
        return fail(error, emptyMessage());
    if (hasNul(bytes.data(), bytes.size()))
        return fail(error, binaryMessage());
    const auto sizes = sectionSizes(bytes);
    out.list.reserve(static_cast<int>(std::min<qsizetype>(sizes[1], INT_MAX)));
    out.catalogue.reserve(static_cast<int>(std::min<qsizetype>(sizes[2], INT_MAX)));
    ByteLines lines(bytes);
    return parseLines(lines, out, error);
}

bool load(const QString& path, ShoppingData& data, QString* error) {
    const QFileInfo info(path);
    if (info.isDir())
        return fail(error, frenchFileError(EISDIR));
    // A pipe or a device would be waited on, or read without end: only a file holds a list.
    if (info.exists() && !info.isFile())
        return fail(error, QStringLiteral("Le nom désigne un périphérique ou un tube et non un "
                                          "fichier"));
    errno = 0;
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!f)
        return fail(error, frenchFileError(errno ? errno : ENOENT));
    Contents read;
    FileLines lines(f);
    const bool ok = parseLines(lines, read, error);
    std::fclose(f);
    if (!ok)
        return false;
    data.tree = std::move(read.tree);
    data.list.swapRecords(read.list);
    data.catalogue.swapRecords(read.catalogue);
    data.validationText = read.validationText;
    return true;
}

// ---------------------------------------------------------------- writer

QByteArray serialize(const OrgTree& tree, const RecordTable& list, const RecordTable& catalogue,
                     const QString& validationText) {
    Writer w(64 + 24 * tree.nodeCount() + 72 * list.recordCount() + 112 * catalogue.recordCount());
    // The names the catalogue uses; records of one aisle mostly follow one another, so a name
    // equal to the previous record's is not looked up again.
    QSet<QStringView> sectors, aisles;
    const QString* lastSector = nullptr;
    const QString* lastAisle = nullptr;
    auto note = [](QSet<QStringView>& set, const FieldValue& v, const QString*& last) {
        const QString* s = std::get_if<QString>(&v);
        if (!s) {
            set.insert(QStringView());
            return;
        }
        if (last && *last == *s)
            return;
        set.insert(withoutLeadingBlanks(*s));
        last = s;
    };
    for (int p = 0; p < catalogue.recordCount(); ++p) {
        const Record& r = catalogue.recordAt(p);
        note(sectors, r.values[Cat::Secteur], lastSector);
        note(aisles, r.values[Cat::Rayon], lastAisle);
    }
    w.raw("[RAYON]");
    w.endLine();
    writeNodes(w, tree.roots(), 0, sectors, aisles);
    w.raw("[LISTE]");
    w.endLine();
    for (int p = 0; p < list.recordCount(); ++p)
        writeRecord(w, list.recordAt(p), -1);
    w.raw("[PRODUIT]");
    w.endLine();
    for (int p = 0; p < catalogue.recordCount(); ++p)
        writeRecord(w, catalogue.recordAt(p), Cat::Prix);
    w.raw("[SAISIE]");
    w.endLine();
    w.raw("DATE=");
    w.lastLine(validationText);
    w.endLine();
    return w.take();
}

bool save(const QString& path, const ShoppingData& data, QString* error) {
    const QByteArray bytes = serialize(data.tree, data.list, data.catalogue, data.validationText);
    if (QFileInfo(path).isDir())
        return fail(error, frenchFileError(EISDIR));
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, reasonFor(errno, file.error()));
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonFor(errno, file.error());
        file.cancelWriting();
        return fail(error, reason);
    }
    errno = 0;
    if (!file.commit())
        return fail(error, reasonFor(errno, file.error()));
    return true;
}

} // namespace listfile
