#include "model/ini_file.h"

#include "model/ini_text.h"

using namespace initext;

namespace {

// The form under which names are looked up: each code point folded as a case-insensitive
// comparison folds it, so that two names compare equal exactly when their folded forms do.
QString folded(QStringView name) {
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t f = QChar::toCaseFolded(QChar::surrogateToUcs4(c, name[i + 1]));
            out += QStringView(QChar::fromUcs4(f));
            ++i;
        } else {
            out += QChar(QChar::toCaseFolded(c.unicode()));
        }
    }
    return out;
}

QString folded(QAnyStringView name) {
    return folded(QStringView(name.toString()));
}

} // namespace

IniFile::Reading::Reading(QByteArray bytes) : bytes_(std::move(bytes)) {
    // Only the section lines are decoded here; the keys wait until their section is asked for.
    Span* open = nullptr;
    qsizetype start = 0;
    const qsizetype size = bytes_.size();
    while (start < size) {
        const qsizetype lf = bytes_.indexOf('\n', start);
        const qsizetype end = lf < 0 ? size : lf + 1;
        const QByteArrayView line = QByteArrayView(bytes_).sliced(start, end - start);
        if (opensSection(line)) {
            if (open)
                open->end = start;
            const QString key = folded(QStringView(parseLine(line).name));
            open = spans_.contains(key) ? nullptr : &spans_[key];
            if (open)
                open->begin = open->end = end;
        }
        start = end;
    }
    if (open)
        open->end = size;
}

const IniFile::Reading::Section* IniFile::Reading::section(QAnyStringView name) const {
    const QString key = folded(name);
    if (const auto done = parsed_.constFind(key); done != parsed_.cend())
        return &*done;
    const auto span = spans_.constFind(key);
    if (span == spans_.cend())
        return nullptr;
    Section& s = parsed_[key];
    qsizetype start = span->begin;
    while (start < span->end) {
        const qsizetype lf = bytes_.indexOf('\n', start);
        const qsizetype end = lf < 0 || lf >= span->end ? span->end : lf + 1;
        const LineView v = parseLine(QByteArrayView(bytes_).sliced(start, end - start));
        start = end;
        if (v.kind != LineView::Key)
            continue;
        const QString name = folded(QStringView(v.name));
        if (s.values.contains(name))
            continue;
        s.values.insert(name, v.value.left(kMaxValueLength));
        if (!v.name.isEmpty())
            s.names << v.name;
    }
    return &s;
}

const QString* IniFile::Reading::find(QAnyStringView section, QAnyStringView key) const {
    const Section* s = this->section(section);
    if (!s)
        return nullptr;
    const auto v = s->values.constFind(folded(key));
    return v == s->values.cend() ? nullptr : &*v;
}

QString IniFile::Reading::readString(QAnyStringView section, QAnyStringView key,
                                     const QString& def) const {
    const QString* v = find(section, key);
    return v ? *v : def;
}

qint32 IniFile::Reading::readInt(QAnyStringView section, QAnyStringView key, qint32 def) const {
    const QString* text = find(section, key);
    qint32 v = 0;
    return text && parseInt(*text, &v) ? v : def;
}

bool IniFile::Reading::readBool(QAnyStringView section, QAnyStringView key, bool def) const {
    const QString* text = find(section, key);
    qint32 v = 0;
    return text && parseInt(*text, &v) ? v != 0 : def;
}

double IniFile::Reading::readFloat(QAnyStringView section, QAnyStringView key, double def) const {
    const QString* text = find(section, key);
    double v = 0;
    return text && parseFloat(*text, &v) ? v : def;
}

QStringList IniFile::Reading::keyNames(QAnyStringView section, qsizetype limit) const {
    QStringList names;
    const Section* s = this->section(section);
    if (!s)
        return names;
    qsizetype used = 0;
    for (const QString& name : s->names) {
        if (used + name.size() + 1 > limit)
            break;
        used += name.size() + 1;
        names << name;
    }
    return names;
}

IniFile::Reading IniFile::read() const {
    FileBytes file = readFile(path_, kMaxFileSize);
    Reading r = file.bytes ? Reading(std::move(*file.bytes)) : Reading();
    r.refusal_ = file.refusal;
    return r;
}

qint64 IniFile::contentReads() {
    return initext::contentReads();
}
