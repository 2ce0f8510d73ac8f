#include "model/ini_file.h"

#include "model/ini_text.h"
#include "model/win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>
#include <limits>

using namespace initext;

namespace {

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
            if (!opensSection(lines[i]))
                continue;
            const LineView v = parseLine(lines[i]);
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
    return read().readString(section, key, def);
}

qint32 IniFile::readInt(QAnyStringView section, QAnyStringView key, qint32 def) const {
    return read().readInt(section, key, def);
}

bool IniFile::readBool(QAnyStringView section, QAnyStringView key, bool def) const {
    return read().readBool(section, key, def);
}

double IniFile::readFloat(QAnyStringView section, QAnyStringView key, double def) const {
    return read().readFloat(section, key, def);
}

QStringList IniFile::keyNames(QAnyStringView section, qsizetype limit) const {
    return read().keyNames(section, limit);
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
    // What stands under the name is never replaced unless it is a file read whole: an
    // unreadable or oversized file would lose its content, a pipe or a device would be swapped
    // for a file.
    const bool existing = QFileInfo(path_).exists();
    if (existing) {
        const FileBytes file = readFile(path_, kMaxFileSize);
        if (!file.bytes) {
            error_ = failure;
            return false;
        }
        doc = Document::fromBytes(*file.bytes);
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
    if (after == before && (existing || after.isEmpty()))
        return true;
    // The program never writes a file it would refuse to read back.
    if (after.size() > kMaxFileSize) {
        error_ = failure;
        return false;
    }

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
