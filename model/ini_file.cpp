#include "model/ini_file.h"

#include "model/win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <optional>

namespace {

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

// One line of the file as the reader sees it.
struct LineView {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QString name;  // section or key name, without surrounding blanks
    QString value; // key value, without surrounding blanks
};

// The raw line without its LF and the CR before it.
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

// The file's lines, each with its own terminator (the last one may have none). Operations work
// on this list and write it back; lines they do not touch keep their exact bytes.
class Document {
public:
    QList<QByteArray> lines;

    static Document fromBytes(const QByteArray& bytes) {
        Document d;
        qsizetype start = 0;
        while (start < bytes.size()) {
            const qsizetype lf = bytes.indexOf('\n', start);
            const qsizetype end = lf < 0 ? bytes.size() : lf + 1;
            d.lines << bytes.mid(start, end - start);
            start = end;
        }
        return d;
    }

    QByteArray bytes() const {
        QByteArray out;
        for (const QByteArray& l : lines)
            out += l;
        return out;
    }

    // Half-open range of the lines of the first section of that name, its header included.
    struct Range {
        qsizetype header = -1;
        qsizetype end = -1;
        bool found() const { return header >= 0; }
    };

    Range section(QStringView name) const {
        Range r;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const LineView v = parseLine(lines[i]);
            if (v.kind != LineView::Section)
                continue;
            if (r.found()) {
                r.end = i;
                return r;
            }
            if (sameName(v.name, name))
                r.header = i;
        }
        if (r.found())
            r.end = lines.size();
        return r;
    }

    qsizetype findKey(Range r, QStringView key) const {
        for (qsizetype i = r.header + 1; i < r.end; ++i) {
            const LineView v = parseLine(lines[i]);
            if (v.kind == LineView::Key && sameName(v.name, key))
                return i;
        }
        return -1;
    }

    void set(const QString& section, const QString& key, const QString& value) {
        const QByteArray line = win1252::encode(QString(key + u'=' + value)) + "\r\n";
        const Range r = this->section(section);
        if (!r.found()) {
            terminateLast(lines.size());
            lines << win1252::encode(QString(u'[' + section + u']')) + "\r\n" << line;
            return;
        }
        const qsizetype at = findKey(r, key);
        if (at >= 0) {
            lines[at] = line;
            return;
        }
        // After the last non-blank line of the section, so that blank lines separating it from
        // the next section stay where they are.
        qsizetype after = r.header;
        for (qsizetype i = r.header + 1; i < r.end; ++i)
            if (!trimBlanks(win1252::decode(lineBody(lines[i]))).isEmpty())
                after = i;
        terminateLast(after + 1);
        lines.insert(after + 1, line);
    }

    void remove(const QString& section, const QString& key) {
        Range r = this->section(section);
        if (!r.found())
            return;
        for (qsizetype i = r.end - 1; i > r.header; --i) {
            const LineView v = parseLine(lines[i]);
            if (v.kind == LineView::Key && sameName(v.name, key))
                lines.removeAt(i);
        }
    }

private:
    // Gives a terminator to the line before position `pos` when it has none (the last line of a
    // file without a final line break), before something is put after it.
    void terminateLast(qsizetype pos) {
        if (pos > 0 && !lines[pos - 1].endsWith('\n'))
            lines[pos - 1] += "\r\n";
    }
};

// The file's content, or nothing when it does not exist or cannot be read.
std::optional<QByteArray> readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

std::optional<QString> lookup(const QString& path, QAnyStringView section, QAnyStringView key) {
    const std::optional<QByteArray> bytes = readAll(path);
    if (!bytes)
        return std::nullopt;
    const QString sec = section.toString();
    const QString k = key.toString();
    bool inSection = false;
    for (const QByteArray& raw : Document::fromBytes(*bytes).lines) {
        const LineView v = parseLine(raw);
        if (v.kind == LineView::Section) {
            // Only the first section of a name counts, as for writing.
            if (inSection)
                return std::nullopt;
            inSection = sameName(v.name, sec);
        } else if (inSection && v.kind == LineView::Key && sameName(v.name, k)) {
            return v.value.left(IniFile::kMaxValueLength);
        }
    }
    return std::nullopt;
}

bool validSection(QStringView s) {
    return !s.isEmpty() && !s.contains(u']') && !s.contains(u'\n') && !s.contains(u'\r');
}

bool validKey(QStringView k) {
    return !k.isEmpty() && !k.startsWith(u'[') && !k.contains(u'=') && !k.contains(u'\n') &&
           !k.contains(u'\r');
}

// A value is one line: line breaks inside it would start new lines of the file.
QString oneLine(const QString& value) {
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

bool IniFile::exists() const {
    return QFileInfo(path_).isFile();
}

QString IniFile::readString(QAnyStringView section, QAnyStringView key, const QString& def) const {
    return lookup(path_, section, key).value_or(def);
}

qint32 IniFile::readInt(QAnyStringView section, QAnyStringView key, qint32 def) const {
    const std::optional<QString> text = lookup(path_, section, key);
    qint32 v = 0;
    return text && parseInt(*text, &v) ? v : def;
}

bool IniFile::readBool(QAnyStringView section, QAnyStringView key, bool def) const {
    const std::optional<QString> text = lookup(path_, section, key);
    qint32 v = 0;
    return text && parseInt(*text, &v) ? v != 0 : def;
}

double IniFile::readFloat(QAnyStringView section, QAnyStringView key, double def) const {
    const std::optional<QString> text = lookup(path_, section, key);
    double v = 0;
    return text && parseFloat(*text, &v) ? v : def;
}

QStringList IniFile::keyNames(QAnyStringView section, qsizetype limit) const {
    QStringList names;
    const std::optional<QByteArray> bytes = readAll(path_);
    if (!bytes)
        return names;
    const Document doc = Document::fromBytes(*bytes);
    const Document::Range r = doc.section(section.toString());
    if (!r.found())
        return names;
    qsizetype used = 0;
    for (qsizetype i = r.header + 1; i < r.end; ++i) {
        const LineView v = parseLine(doc.lines[i]);
        if (v.kind != LineView::Key || v.name.isEmpty())
            continue;
        const QString name = v.name;
        if (names.contains(name, Qt::CaseInsensitive))
            continue;
        if (used + name.size() + 1 > limit)
            break;
        used += name.size() + 1;
        names << name;
    }
    return names;
}

bool IniFile::writeString(QAnyStringView section, QAnyStringView key, const QString& value) {
    return batch().writeString(section, key, value).commit();
}

bool IniFile::writeInt(QAnyStringView section, QAnyStringView key, qint32 value) {
    return batch().writeInt(section, key, value).commit();
}

bool IniFile::writeBool(QAnyStringView section, QAnyStringView key, bool value) {
    return batch().writeBool(section, key, value).commit();
}

bool IniFile::writeFloat(QAnyStringView section, QAnyStringView key, double value) {
    return batch().writeFloat(section, key, value).commit();
}

bool IniFile::deleteKey(QAnyStringView section, QAnyStringView key) {
    return batch().deleteKey(section, key).commit();
}

bool IniFile::apply(const QList<Batch::Op>& ops) {
    error_.clear();
    const QString failure = QStringLiteral("Impossible d'écrire dans %1").arg(path_);
    for (const Batch::Op& op : ops) {
        if (!validSection(op.section) || !validKey(op.key)) {
            error_ = failure;
            return false;
        }
    }
    Document doc;
    QFile existing(path_);
    if (existing.exists()) {
        // A file we cannot read is never replaced: its content would be lost.
        const std::optional<QByteArray> bytes = readAll(path_);
        if (!bytes) {
            error_ = failure;
            return false;
        }
        doc = Document::fromBytes(*bytes);
    }
    const QByteArray before = doc.bytes();
    for (const Batch::Op& op : ops) {
        if (op.remove)
            doc.remove(op.section, op.key);
        else
            doc.set(op.section, op.key, op.value);
    }
    const QByteArray after = doc.bytes();
    // Deleting what is not there leaves the file as it is (and does not create it).
    if (after == before && (existing.exists() || after.isEmpty()))
        return true;

    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly) || out.write(after) != after.size() || !out.commit()) {
        out.cancelWriting();
        error_ = failure;
        return false;
    }
    return true;
}

IniFile::Batch& IniFile::Batch::writeString(QAnyStringView section, QAnyStringView key,
                                            const QString& value) {
    ops_ << Op{trimBlanks(section.toString()).toString(), trimBlanks(key.toString()).toString(),
               oneLine(value), false};
    return *this;
}

IniFile::Batch& IniFile::Batch::writeInt(QAnyStringView section, QAnyStringView key, qint32 value) {
    return writeString(section, key, formatInt(value));
}

IniFile::Batch& IniFile::Batch::writeBool(QAnyStringView section, QAnyStringView key, bool value) {
    return writeString(section, key, formatBool(value));
}

IniFile::Batch& IniFile::Batch::writeFloat(QAnyStringView section, QAnyStringView key,
                                           double value) {
    return writeString(section, key, formatFloat(value));
}

IniFile::Batch& IniFile::Batch::deleteKey(QAnyStringView section, QAnyStringView key) {
    ops_ << Op{trimBlanks(section.toString()).toString(), trimBlanks(key.toString()).toString(),
               QString(), true};
    return *this;
}

bool IniFile::Batch::commit() {
    const bool ok = file_->apply(ops_);
    ops_.clear();
    return ok;
}

QString IniFile::formatInt(qint32 value) {
    return QString::number(value);
}

QString IniFile::formatBool(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString IniFile::formatFloat(double value) {
    QString s = QString::number(value, 'g', QLocale::FloatingPointShortest);
    s.replace(u'.', u',');
    return s;
}

bool IniFile::parseInt(QStringView text, qint32* value) {
    const QStringView t = trimBlanks(text);
    if (t.startsWith(u"0x", Qt::CaseInsensitive)) {
        const QStringView digits = t.sliced(2);
        if (digits.isEmpty() || digits.size() > 8)
            return false;
        quint32 v = 0;
        for (QChar c : digits) {
            const int d = hexDigit(c);
            if (d < 0)
                return false;
            v = v * 16 + static_cast<quint32>(d);
        }
        // Eight hexadecimal digits cover the whole 32 bits, as colours are sometimes written.
        *value = static_cast<qint32>(v);
        return true;
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return false;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return false;
        v = v * 10 + (t[i].unicode() - '0');
        if (v > qint64(1) << 31)
            return false;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return false;
    *value = static_cast<qint32>(v);
    return true;
}

bool IniFile::parseFloat(QStringView text, double* value) {
    QString t = trimBlanks(text).toString();
    if (t.isEmpty() || t.count(u',') + t.count(u'.') > 1)
        return false;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}
