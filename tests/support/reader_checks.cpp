#include "reader_checks.h"

#include "model/ini_file.h"
#include "model/ini_text.h"
#include "model/list_file.h"
#include "model/list_type_file.h"
#include "model/record_sort.h"
#include "model/settings.h"
#include "model/shopping_data.h"
#include "model/text_compare.h"
#include "model/win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace readerchecks {

namespace {

// ------------------------------------------------------------------ shared helpers

QString show(QStringView s) {
    QString out;
    for (QChar c : s.first(std::min<qsizetype>(s.size(), 80))) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    if (s.size() > 80)
        out += QStringLiteral("...(%1 characters)").arg(s.size());
    return u'"' + out + u'"';
}

QString showValue(const FieldValue& v) {
    if (std::holds_alternative<std::monostate>(v))
        return QStringLiteral("(empty)");
    if (auto* s = std::get_if<QString>(&v))
        return show(*s);
    if (auto* i = std::get_if<qint32>(&v))
        return QString::number(*i);
    if (auto* d = std::get_if<double>(&v))
        return QString::number(*d, 'g', 17);
    if (auto* dt = std::get_if<QDate>(&v))
        return dt->toString(Qt::ISODate);
    return QString();
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// ------------------------------------------------------------------ list file

// What a writer that keeps every line a line, every value a value and every name at its level
// puts in the file for a text read from one.
QString writtenText(QStringView s, bool isValue, bool isName) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            c = u' ';
        else if (isValue && c == u';')
            c = u',';
        else if (isValue && c == u'[')
            c = u'(';
        else if (isValue && c == u']')
            c = u')';
        else if (!win1252::canStore(c))
            c = u'?';
        out += c;
    }
    if (isName) {
        qsizetype b = 0;
        while (b < out.size() && (out[b] == u' ' || out[b] == u'\t'))
            ++b;
        out.remove(0, b);
    }
    return out;
}

// A name as the writer compares it with the tree: as it was read, without the leading
// characters that would be read back as a level (the tree keeps the nodes a product names
// exactly, so a node ";" does not stand for the sector "," it would be written as).
QString nameKey(QStringView s) {
    while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t' || s.front() == u'\r' ||
                            s.front() == u'\n' || s.front() == QChar(0)))
        s = s.sliced(1);
    return s.toString();
}

QString valueNameKey(const FieldValue& v) {
    const QString* s = std::get_if<QString>(&v);
    return s ? nameKey(QStringView(*s)) : QString();
}

// The value a field should hold after being written and read back.
FieldValue afterRoundTrip(const FieldDef& def, const FieldValue& v, bool isName) {
    if (std::holds_alternative<std::monostate>(v))
        return def.type == FieldType::Money ? FieldValue(0.0) : FieldValue();
    if (auto* s = std::get_if<QString>(&v)) {
        const QString w = writtenText(*s, true, isName);
        return w.isEmpty() ? FieldValue() : FieldValue(w);
    }
    if (auto* d = std::get_if<double>(&v))
        return listfile::parseMoney(listfile::formatMoney(*d)).value_or(1.0);
    return v;
}

QString compareTables(const char* what, const RecordTable& before, const RecordTable& after,
                      bool roundTrip) {
    if (before.recordCount() != after.recordCount())
        return QStringLiteral("%1: %2 records, then %3")
            .arg(QLatin1String(what))
            .arg(before.recordCount())
            .arg(after.recordCount());
    const TableSchema& schema = before.schema();
    for (int p = 0; p < before.recordCount(); ++p) {
        const Record& a = before.recordAt(p);
        const Record& b = after.recordAt(p);
        for (int f = 0; f < schema.count(); ++f) {
            const FieldValue& va = a.values[static_cast<size_t>(f)];
            const FieldValue expected = roundTrip ? afterRoundTrip(schema.at(f), va, f < 2) : va;
            const FieldValue& got = b.values[static_cast<size_t>(f)];
            if (!(expected == got))
                return QStringLiteral("%1 record %2, field %3: %4 came back as %5 (expected %6)")
                    .arg(QLatin1String(what))
                    .arg(p)
                    .arg(schema.at(f).name, showValue(va), showValue(got), showValue(expected));
        }
    }
    return QString();
}

// A price must come back within the 15 significant digits it is written with.
QString checkPrices(const RecordTable& catalogue) {
    const int prix = catalogue.schema().indexOf(u"Prix");
    for (int p = 0; p < catalogue.recordCount(); ++p) {
        const auto* d =
            std::get_if<double>(&catalogue.recordAt(p).values[static_cast<size_t>(prix)]);
        if (!d)
            continue;
        const std::optional<double> back = listfile::parseMoney(listfile::formatMoney(*d));
        if (!back || std::fabs(*back - *d) > std::fabs(*d) * 1e-14)
            return QStringLiteral("price %1 is written as %2")
                .arg(QString::number(*d, 'g', 17), listfile::formatMoney(*d));
    }
    return QString();
}

std::vector<OrgNode> keptNodes(const std::vector<OrgNode>& nodes, int depth,
                               const QSet<QString>& sectors, const QSet<QString>& aisles) {
    std::vector<OrgNode> out;
    for (const OrgNode& n : nodes) {
        if (!(depth == 0 ? sectors : aisles).contains(nameKey(QStringView(n.text))))
            continue;
        out.push_back(OrgNode{writtenText(n.text, true, true),
                              keptNodes(n.children, depth + 1, sectors, aisles)});
    }
    return out;
}

QString treeText(const OrgTree& t) {
    QStringList lines;
    for (const QString& l : t.toLines())
        lines << show(l);
    return lines.join(u' ');
}

QString compareContents(const listfile::Contents& a, const ShoppingData& b) {
    if (!(a.tree == b.tree))
        return QStringLiteral("tree %1 read from the file, %2 from the bytes")
            .arg(treeText(b.tree), treeText(a.tree));
    QString why = compareTables("list", a.list, b.list, false);
    if (why.isEmpty())
        why = compareTables("catalogue", a.catalogue, b.catalogue, false);
    if (why.isEmpty() && a.validationText != b.validationText)
        why = QStringLiteral("validation text %1 read from the file, %2 from the bytes")
                  .arg(show(b.validationText), show(a.validationText));
    return why;
}

// Reading the file through load() must give what parse() gives from its bytes.
QString checkLoad(QByteArrayView bytes, const listfile::Contents& parsed, bool parsedOk,
                  const QString& parseError, const QString& scratchPath) {
    QFile f(scratchPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(bytes.data(), bytes.size()) != bytes.size())
        return QStringLiteral("cannot write the scratch file %1").arg(scratchPath);
    f.close();
    ShoppingData data;
    data.validationText = QStringLiteral("before");
    QString error;
    const bool ok = listfile::load(scratchPath, data, &error);
    if (ok != parsedOk)
        return QStringLiteral("load %1 (%2) where parse %3 (%4)")
            .arg(ok ? "accepts" : "refuses", error, parsedOk ? "accepts" : "refuses", parseError);
    if (!ok) {
        if (error != parseError)
            return QStringLiteral("load refuses with %1, parse with %2")
                .arg(show(error), show(parseError));
        if (data.validationText != u"before" || data.catalogue.recordCount() != 0)
            return QStringLiteral("a refused load changed the data in memory");
        return QString();
    }
    return compareContents(parsed, data);
}

} // namespace

// The window's two title sorts and the name searches on tables read from a file: each sort
// leaves every record and puts them in order (the second time from the order remembered), and
// every product name leads to a record holding it.
QString checkSortAndSearch(RecordTable& t, const char* what) {
    const int n = t.recordCount();
    for (const QString& fields :
         {QStringLiteral("Secteur;Rayon;Produit"), QStringLiteral("Produit")}) {
        std::vector<int> keys;
        for (const QString& name : fields.split(u';'))
            keys.push_back(t.fieldIndex(name));
        for (int round = 0; round < 2; ++round) {
            t.sort(fields);
            if (t.recordCount() != n)
                return QStringLiteral("%1: sorting changed the number of records").arg(what);
            for (int p = 1; p < n; ++p) {
                int c = 0;
                for (size_t j = 0; j < keys.size() && c == 0; ++j) {
                    const auto f = static_cast<size_t>(keys[j]);
                    c = compareFieldValues(t.recordAt(p - 1).values[f], t.recordAt(p).values[f]);
                }
                if (c > 0)
                    return QStringLiteral("%1: not sorted on %2 at record %3")
                        .arg(what, fields)
                        .arg(p);
            }
        }
    }
    const int f = t.fieldIndex(u"Produit");
    for (int p = 0; p < n; ++p) {
        const QString name = RecordTable::textOf(t.recordAt(p), f);
        const int found = t.findPosition(f, name, -1);
        if (found < 0 || RecordTable::textOf(t.recordAt(found), f) != name)
            return QStringLiteral("%1: the name %2 is not found").arg(what, show(name));
    }
    return QString();
}

QString listFileLoad(QByteArrayView bytes, const QString& scratchPath) {
    listfile::Contents parsed;
    QString error;
    const bool ok = listfile::parse(bytes, parsed, &error);
    return checkLoad(bytes, parsed, ok, error, scratchPath);
}

QString listFile(QByteArrayView bytes, const QString& scratchPath) {
    listfile::Contents first;
    QString error;
    const bool ok = listfile::parse(bytes, first, &error);
    if (!ok && error.isEmpty())
        return QStringLiteral("the file is refused without a message");
    if (!scratchPath.isEmpty()) {
        const QString why = checkLoad(bytes, first, ok, error, scratchPath);
        if (!why.isEmpty())
            return why;
    }
    if (!ok)
        return QString();

    QString why = checkPrices(first.catalogue);
    if (!why.isEmpty())
        return why;

    const QByteArray once =
        listfile::serialize(first.tree, first.list, first.catalogue, first.validationText);
    listfile::Contents second;
    if (!listfile::parse(once, second, &error))
        return QStringLiteral("what was written is refused: %1").arg(error);

    why = compareTables("list", first.list, second.list, true);
    if (!why.isEmpty())
        return why;
    why = compareTables("catalogue", first.catalogue, second.catalogue, true);
    if (!why.isEmpty())
        return why;

    const QString expectedText = writtenText(first.validationText, false, false);
    if (second.validationText != expectedText)
        return QStringLiteral("validation text %1 came back as %2")
            .arg(show(first.validationText), show(second.validationText));

    const int secteur = first.catalogue.schema().indexOf(u"Secteur");
    const int rayon = first.catalogue.schema().indexOf(u"Rayon");
    QSet<QString> sectors, aisles;
    for (int p = 0; p < first.catalogue.recordCount(); ++p) {
        const Record& r = first.catalogue.recordAt(p);
        sectors.insert(valueNameKey(r.values[static_cast<size_t>(secteur)]));
        aisles.insert(valueNameKey(r.values[static_cast<size_t>(rayon)]));
    }
    OrgTree expectedTree;
    expectedTree.roots() = keptNodes(first.tree.roots(), 0, sectors, aisles);
    expectedTree.sort();
    if (!(expectedTree == second.tree))
        return QStringLiteral("tree %1 came back as %2 (expected %3)")
            .arg(treeText(first.tree), treeText(second.tree), treeText(expectedTree));

    why = checkSortAndSearch(first.catalogue, "catalogue");
    if (why.isEmpty())
        why = checkSortAndSearch(first.list, "list");
    if (!why.isEmpty())
        return why;

    // From the second reading on, writing and reading change nothing more.
    const QByteArray twice =
        listfile::serialize(second.tree, second.list, second.catalogue, second.validationText);
    listfile::Contents third;
    if (!listfile::parse(twice, third, &error))
        return QStringLiteral("what was written the second time is refused: %1").arg(error);
    const QByteArray thrice =
        listfile::serialize(third.tree, third.list, third.catalogue, third.validationText);
    if (twice != thrice)
        return QStringLiteral("writing is not stable: %1 bytes, then %2")
            .arg(twice.size())
            .arg(thrice.size());
    return QString();
}

// ------------------------------------------------------------------ settings file

namespace {

QString trimmed(QStringView s) {
    return initext::trimBlanks(s).toString();
}

// The content of a settings file as its readers should see it: sections in file order, each
// with its keys in file order (duplicates kept).
struct Model {
    struct Key {
        QString name;
        QString value;
    };
    struct Section {
        QString name;
        QList<Key> keys;
    };
    QList<Section> sections;

    static Model read(QByteArrayView bytes) {
        Model m;
        // A file over the bound is set aside whole: it reads as an empty one.
        if (bytes.size() > IniFile::kMaxFileSize)
            return m;
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype lf = bytes.sliced(start).indexOf('\n');
            const qsizetype end = lf < 0 ? bytes.size() : start + lf;
            const QString text = trimmed(win1252::decode(bytes.sliced(start, end - start)));
            start = end + 1;
            if (text.startsWith(u'[')) {
                const qsizetype close = text.indexOf(u']');
                m.sections << Section{trimmed(close < 0 ? QStringView(text).sliced(1)
                                                        : QStringView(text).sliced(1, close - 1)),
                                      {}};
            } else if (const qsizetype eq = text.indexOf(u'='); eq >= 0 && !m.sections.isEmpty()) {
                m.sections.back().keys << Key{trimmed(QStringView(text).first(eq)),
                                              trimmed(QStringView(text).sliced(eq + 1))};
            }
        }
        return m;
    }

    Section* section(QStringView name) {
        for (Section& s : sections)
            if (sameName(s.name, name))
                return &s;
        return nullptr;
    }
    const Section* section(QStringView name) const {
        return const_cast<Model*>(this)->section(name);
    }

    std::optional<QString> lookup(QStringView sec, QStringView key) const {
        const Section* s = section(sec);
        if (!s)
            return std::nullopt;
        for (const Key& k : s->keys)
            if (sameName(k.name, key))
                return k.value.left(IniFile::kMaxValueLength);
        return std::nullopt;
    }

    QStringList keyNames(QStringView sec, qsizetype limit) const {
        QStringList names;
        const Section* s = section(sec);
        if (!s)
            return names;
        qsizetype used = 0;
        for (const Key& k : s->keys) {
            if (k.name.isEmpty() || names.contains(k.name, Qt::CaseInsensitive))
                continue;
            if (used + k.name.size() + 1 > limit)
                break;
            used += k.name.size() + 1;
            names << k.name;
        }
        return names;
    }

    void set(const QString& sec, const QString& key, const QString& value) {
        Section* s = section(sec);
        if (!s) {
            sections << Section{sec, {Key{key, value}}};
            return;
        }
        for (Key& k : s->keys) {
            if (sameName(k.name, key)) {
                k = Key{key, value};
                return;
            }
        }
        s->keys << Key{key, value};
    }

    void remove(const QString& sec, const QString& key) {
        if (Section* s = section(sec))
            s->keys.removeIf([&](const Key& k) { return sameName(k.name, key); });
    }
};

std::optional<qint32> referenceInt(QStringView t) {
    if (t.startsWith(u"0x", Qt::CaseInsensitive)) {
        const QStringView digits = t.sliced(2);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        quint32 v = 0;
        for (QChar c : digits) {
            const int d = QStringLiteral("0123456789abcdef").indexOf(c, 0, Qt::CaseInsensitive);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<quint32>(d);
        }
        return static_cast<qint32>(v);
    }
    QStringView d = t;
    bool negative = false;
    if (!d.isEmpty() && (d.front() == u'+' || d.front() == u'-')) {
        negative = d.front() == u'-';
        d = d.sliced(1);
    }
    if (d.isEmpty())
        return std::nullopt;
    for (QChar c : d)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    while (d.size() > 1 && d.front() == u'0')
        d = d.sliced(1);
    if (d.size() > 10)
        return std::nullopt;
    const qint64 v = (negative ? -1 : 1) * d.toString().toLongLong();
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(v);
}

// Plain decimal forms: [sign] digits [separator digits] [e [sign] digits], at least one digit
// before or after the separator, "," or "." as separator. Other forms (hexadecimal, "inf")
// are left to the reader; only numbers of these forms are compared.
std::optional<double> referenceFloat(QStringView t) {
    QByteArray ascii;
    qsizetype i = 0;
    auto digits = [&]() {
        qsizetype n = 0;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') {
            ascii += static_cast<char>(t[i].unicode());
            ++i;
            ++n;
        }
        return n;
    };
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            ascii += '-';
        ++i;
    }
    qsizetype n = digits();
    if (i < t.size() && (t[i] == u',' || t[i] == u'.')) {
        ascii += '.';
        ++i;
        n += digits();
    }
    if (n == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ascii += static_cast<char>(t[i++].unicode());
        if (digits() == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// What a written value reads back as: one line, code page characters, no surrounding blanks.
QString storedValue(const QString& v) {
    QString line = v;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return trimmed(win1252::decode(win1252::encode(line)));
}

bool validSection(QStringView s) {
    return !s.isEmpty() && !s.contains(u']') && !s.contains(u'\n') && !s.contains(u'\r');
}

bool validKey(QStringView k) {
    return !k.isEmpty() && !k.startsWith(u'[') && !k.contains(u'=') && !k.contains(u'\n') &&
           !k.contains(u'\r');
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Names {
    QList<QPair<QString, QString>> pairs; // section, key
    QStringList sections;

    void add(const QString& s, const QString& k) {
        if (pairs.size() < 10 && !pairs.contains(qMakePair(s, k)))
            pairs << qMakePair(s, k);
        if (sections.size() < 5 && !sections.contains(s))
            sections << s;
    }
};

const QString kSentinel = QStringLiteral("\x01absent\x01");

// Every read of the names against the model; `typed` adds the integer, boolean and number reads.
QString compareReads(const IniFile& ini, const Model& model, const Names& names, int step,
                     bool typed) {
    const QString where = QStringLiteral(" (after %1 writes)").arg(step);
    for (const auto& [s, k] : names.pairs) {
        const std::optional<QString> expected = model.lookup(s, k);
        const QString got = ini.readString(s, k, kSentinel);
        if (got != expected.value_or(kSentinel))
            return QStringLiteral("[%1] %2 reads %3, expected %4")
                       .arg(show(s), show(k), show(got), show(expected.value_or(kSentinel))) +
                   where;
        if (!typed)
            continue;
        const std::optional<qint32> i = expected ? referenceInt(*expected) : std::nullopt;
        if (ini.readInt(s, k, -7) != i.value_or(-7))
            return QStringLiteral("[%1] %2 = %3 reads as the integer %4, expected %5")
                       .arg(show(s), show(k), show(got))
                       .arg(ini.readInt(s, k, -7))
                       .arg(i.value_or(-7)) +
                   where;
        // The default is the opposite of the value, so that a default given back shows.
        const bool b = i ? *i != 0 : true;
        if (ini.readBool(s, k, i ? !b : true) != b)
            return QStringLiteral("[%1] %2 = %3 reads as the wrong boolean")
                       .arg(show(s), show(k), show(got)) +
                   where;
        const double f = ini.readFloat(s, k, -0.5);
        if (const std::optional<double> ref = expected ? referenceFloat(*expected) : std::nullopt) {
            if (f != *ref)
                return QStringLiteral("[%1] %2 = %3 reads as the number %4, expected %5")
                           .arg(show(s), show(k), show(got))
                           .arg(f, 0, 'g', 17)
                           .arg(*ref, 0, 'g', 17) +
                       where;
        } else if (!expected && f != -0.5) {
            return QStringLiteral("[%1] %2 is absent but reads as a number").arg(show(s), show(k)) +
                   where;
        }
    }
    for (const QString& s : names.sections) {
        for (qsizetype limit : {qsizetype(16), IniFile::kMaxKeyListLength}) {
            const QStringList got = ini.keyNames(s, limit);
            const QStringList expected = model.keyNames(s, limit);
            if (got != expected)
                return QStringLiteral("key names of [%1] within %2: %3, expected %4")
                           .arg(show(s))
                           .arg(limit)
                           .arg(got.join(u','), expected.join(u',')) +
                       where;
        }
    }
    return QString();
}

// The model the file reads as after the writes, against the one the writes should give.
QString compareModels(const Model& file, const Model& model, const Names& names, int step) {
    for (const auto& [s, k] : names.pairs)
        if (file.lookup(s, k) != model.lookup(s, k))
            return QStringLiteral("after write %1 the file holds %2 for [%3] %4, expected %5")
                .arg(step)
                .arg(show(file.lookup(s, k).value_or(kSentinel)), show(s), show(k),
                     show(model.lookup(s, k).value_or(kSentinel)));
    for (const QString& s : names.sections)
        if (file.keyNames(s, IniFile::kMaxKeyListLength) !=
            model.keyNames(s, IniFile::kMaxKeyListLength))
            return QStringLiteral("after write %1 the keys of [%2] are %3, expected %4")
                .arg(step)
                .arg(show(s), file.keyNames(s, IniFile::kMaxKeyListLength).join(u','),
                     model.keyNames(s, IniFile::kMaxKeyListLength).join(u','));
    return QString();
}

QStringList splitFields(QStringView line, int count) {
    QStringList out;
    for (int i = 0; i < count - 1; ++i) {
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0)
            break;
        out << line.first(bar).toString();
        line = line.sliced(bar + 1);
    }
    out << line.toString();
    while (out.size() < count)
        out << QString();
    return out;
}

// The settings that differ, by the name of their key.
QString optionsDiff(const AppSettings& a, const AppSettings& b) {
    QStringList d;
    auto text = [&](const char* name, const QString& x, const QString& y) {
        if (x != y)
            d << QStringLiteral("%1 %2 / %3").arg(QLatin1String(name), show(x), show(y));
    };
    auto number = [&](const char* name, double x, double y) {
        if (x != y)
            d << QStringLiteral("%1 %2 / %3")
                     .arg(QLatin1String(name))
                     .arg(x, 0, 'g', 17)
                     .arg(y, 0, 'g', 17);
    };
    number("Nv_secteur", a.newSectors, b.newSectors);
    number("Nv_produit", a.productCommands, b.productCommands);
    number("Coef_delai", a.delayCoef, b.delayCoef);
    number("Nbj_renouve", a.renewDays, b.renewDays);
    text("Appli", a.appTitle, b.appTitle);
    number("Outils", a.toolbar, b.toolbar);
    number("Produit", a.productSheet, b.productSheet);
    number("Euro", a.euro, b.euro);
    number("val-euro", a.euroRate, b.euroRate);
    number("Convert", a.converter, b.converter);
    number("Orientation", a.orientation, b.orientation);
    number("HTML", a.html, b.html);
    text("Colonne1", a.column1, b.column1);
    text("Colonne2", a.column2, b.column2);
    for (size_t i = 0; i < 3; ++i) {
        text(AppSettings::kTitleKeys[i], a.titles[i], b.titles[i]);
        number(AppSettings::kTitleKeys[i], a.titleColours[i], b.titleColours[i]);
        text(AppSettings::kStateKeys[i], a.stateCaptions[i], b.stateCaptions[i]);
        number(AppSettings::kStateKeys[i], a.stateColours[i], b.stateColours[i]);
    }
    return d.join(QStringLiteral("; "));
}

// Whether writes adding at most `growth` bytes to the file may be refused for its size alone:
// the file is over the bound already, or could go over it.
bool mayBeTooLarge(const QString& path, qint64 growth) {
    return QFileInfo(path).size() + growth > IniFile::kMaxFileSize;
}

QString checkOptionsRoundTrip(IniFile& ini) {
    // The window's designed texts, as a read gives them back (without surrounding blanks).
    AppSettings window;
    for (QString& t : window.titles)
        t = trimmed(t);
    const AppSettings read = AppSettings::readAtStart(ini, window);
    // The Options and the layout add some forty short lines at most (values read back are
    // never longer than what they replace).
    const QByteArray before = fileBytes(ini.path());
    if (!writeOptions(ini, read)) {
        if (mayBeTooLarge(ini.path(), 4096) && fileBytes(ini.path()) == before)
            return QString();
        return QStringLiteral("writing the Options is refused: %1").arg(ini.lastError());
    }
    // A lone CR inside a value is read as it stands but written as a blank (a value is one line).
    AppSettings expected = read;
    for (QString* t : {&expected.appTitle, &expected.column1, &expected.column2})
        *t = storedValue(*t);
    for (size_t i = 0; i < 3; ++i) {
        expected.titles[i] = storedValue(expected.titles[i]);
        expected.stateCaptions[i] = storedValue(expected.stateCaptions[i]);
    }
    const AppSettings back = AppSettings::readForDialog(ini, read.euroRate);
    if (!(back == expected))
        return QStringLiteral("the Options read back differently: %1")
            .arg(optionsDiff(expected, back));
    if (AppSettings::readAtStart(ini, window) != expected)
        return QStringLiteral("the Options read at start-up differ after writing them: %1")
            .arg(optionsDiff(expected, AppSettings::readAtStart(ini, window)));

    const WindowLayout layout = WindowLayout::read(ini, WindowLayout());
    WindowLayout normal = layout;
    normal.etat = 0;
    const QByteArray withOptions = fileBytes(ini.path());
    if (!normal.write(ini, WindowLayout::Show::Normal)) {
        if (mayBeTooLarge(ini.path(), 4096) && fileBytes(ini.path()) == withOptions)
            return QString();
        return QStringLiteral("writing the layout is refused: %1").arg(ini.lastError());
    }
    if (!(WindowLayout::read(ini, WindowLayout()) == normal))
        return QStringLiteral("the window layout reads back differently");
    if (!layout.write(ini, WindowLayout::Show::Maximised))
        return QStringLiteral("writing the maximised layout is refused: %1").arg(ini.lastError());
    WindowLayout maximised = normal;
    maximised.etat = 1;
    if (!(WindowLayout::read(ini, WindowLayout()) == maximised))
        return QStringLiteral("the maximised layout reads back differently");
    return QString();
}

} // namespace

QString settingsFile(QByteArrayView input, const QString& scratchPath) {
    static constexpr QByteArrayView kOps = "\n==ops==\n";
    const qsizetype split = input.indexOf(kOps);
    const QByteArrayView content = split < 0 ? input : input.first(split);
    const QByteArrayView opsBytes =
        split < 0 ? QByteArrayView() : input.sliced(split + kOps.size());

    {
        QFile f(scratchPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(content.data(), content.size()) != content.size())
            return QStringLiteral("cannot write the scratch file %1").arg(scratchPath);
    }
    IniFile ini(scratchPath);
    ListTypeFile types(scratchPath);
    Model model = Model::read(content);

    QStringList ops;
    for (QByteArrayView rest = opsBytes; !rest.isEmpty() && ops.size() < 24;) {
        const qsizetype lf = rest.indexOf('\n');
        ops << win1252::decode(lf < 0 ? rest : rest.first(lf));
        rest = lf < 0 ? QByteArrayView() : rest.sliced(lf + 1);
    }

    // The names the writes touch first, then those of the file: each read parses the whole
    // file (which may be as large as the reader's bound), so a few names are enough to cover
    // the reader.
    Names names;
    for (const QString& op : ops) {
        if (op.startsWith(u'l') || op.startsWith(u'r')) {
            const QStringList f = splitFields(QStringView(op).sliced(1), 2);
            names.add(QString::fromLatin1(ListTypeFile::kSection), trimmed(text::foldAZ(f[0])));
        } else if (!op.isEmpty() && !op.startsWith(u'o')) {
            const QStringList f = splitFields(QStringView(op).sliced(1), 3);
            names.add(trimmed(f[0]), trimmed(f[1]));
        }
    }
    for (const Model::Section& s : model.sections) {
        names.add(s.name, QStringLiteral("absent"));
        for (const Model::Key& k : s.keys)
            names.add(s.name, k.name);
    }
    names.add(QString::fromLatin1(ListTypeFile::kSection), QStringLiteral("X"));

    QString why = compareReads(ini, model, names, 0, ops.isEmpty());
    if (!why.isEmpty())
        return why;

    int step = 0;
    int roundTrips = 0;
    for (const QString& op : ops) {
        ++step;
        if (op.isEmpty())
            continue;
        const QChar kind = op.front();
        const QStringView body = QStringView(op).sliced(1);
        if (kind == u'o') {
            // Each round trip reads the file some hundred times: twice is enough.
            if (++roundTrips > 2)
                continue;
            why = checkOptionsRoundTrip(ini);
            if (!why.isEmpty())
                return why;
            model = Model::read(fileBytes(scratchPath));
            continue;
        }
        QString section, key, stored;
        bool remove = false;
        bool ok = false;
        const QByteArray before = fileBytes(scratchPath);
        if (kind == u'l' || kind == u'r') {
            const QStringList f = splitFields(body, 2);
            section = QString::fromLatin1(ListTypeFile::kSection);
            QString error;
            if (kind == u'l') {
                key = trimmed(text::foldAZ(f[0]));
                stored = storedValue(f[1]);
                ok = types.save(f[0], f[1], &error);
            } else {
                key = trimmed(f[0]);
                remove = true;
                ok = types.remove(f[0], &error);
            }
            if (ok != error.isEmpty())
                return QStringLiteral("list type write %1: result and message disagree").arg(step);
        } else {
            const QStringList f = splitFields(body, 3);
            section = trimmed(f[0]);
            key = trimmed(f[1]);
            const QString& value = f[2];
            if (kind == u'i') {
                const qint32 v = static_cast<qint32>(qHash(value));
                stored = QString::number(v);
                ok = ini.writeInt(f[0], f[1], v);
            } else if (kind == u'b') {
                const bool v = value.startsWith(u'1');
                stored = v ? QStringLiteral("1") : QStringLiteral("0");
                ok = ini.writeBool(f[0], f[1], v);
            } else if (kind == u'f') {
                double v = static_cast<double>(qHash(value)) / 977.0;
                if (const std::optional<double> parsed = referenceFloat(trimmed(value)))
                    v = *parsed;
                ok = ini.writeFloat(f[0], f[1], v);
                stored = IniFile::formatFloat(v);
                if (ok && ini.readFloat(section, key, -0.5) != v)
                    return QStringLiteral("the number %1 is written as %2 and reads back as %3")
                        .arg(v, 0, 'g', 17)
                        .arg(stored)
                        .arg(ini.readFloat(section, key, -0.5), 0, 'g', 17);
            } else if (kind == u'd') {
                remove = true;
                ok = ini.deleteKey(f[0], f[1]);
            } else {
                stored = storedValue(value);
                ok = ini.writeString(f[0], f[1], value);
            }
            if (ok != ini.lastError().isEmpty())
                return QStringLiteral("write %1: result and message disagree").arg(step);
        }
        const bool valid = validSection(section) && validKey(key);
        // A valid write may be refused for the file's size alone: it is over the bound, or the
        // line the write adds (at most the operation's text and a section line) could take it
        // over.
        const bool sizeRefusal =
            !ok && valid &&
            (before.size() > IniFile::kMaxFileSize ||
             (!remove && before.size() + op.size() + 64 > IniFile::kMaxFileSize));
        if (ok != valid && !sizeRefusal)
            return QStringLiteral("write %1 to [%2] %3 %4")
                .arg(step)
                .arg(show(section), show(key), ok ? "accepted" : "refused");
        if (!ok) {
            if (fileBytes(scratchPath) != before)
                return QStringLiteral("refused write %1 changed the file").arg(step);
            continue;
        }
        if (remove)
            model.remove(section, key);
        else
            model.set(section, key, stored);
        // The file must now hold what the model holds, and the written key read back at once.
        why = compareModels(Model::read(fileBytes(scratchPath)), model, names, step);
        if (!why.isEmpty())
            return why;
        const std::optional<QString> expected = model.lookup(section, key);
        if (ini.readString(section, key, kSentinel) != expected.value_or(kSentinel))
            return QStringLiteral("write %1: [%2] %3 reads %4, expected %5")
                .arg(step)
                .arg(show(section), show(key), show(ini.readString(section, key, kSentinel)),
                     show(expected.value_or(kSentinel)));
    }
    why = compareReads(ini, model, names, step, true);
    if (!why.isEmpty())
        return why;

    const QStringList typeNames = types.names();
    if (typeNames !=
        model.keyNames(QString::fromLatin1(ListTypeFile::kSection), IniFile::kMaxKeyListLength))
        return QStringLiteral("list type names %1").arg(typeNames.join(u','));
    for (const QString& n : typeNames)
        if (types.value(n) != model.lookup(QString::fromLatin1(ListTypeFile::kSection), n)
                                  .value_or(QString::fromLatin1(ListTypeFile::kEmptyValue)))
            return QStringLiteral("list type %1 has the value %2")
                .arg(show(n), show(types.value(n)));

    return QString();
}

// ------------------------------------------------------------------ list-type values

namespace {

quint32 word(QByteArrayView b, qsizetype at) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<quint32>(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}

// Whether "-<decimal id>-" stands in the value, searched character by character.
bool referenceHas(QStringView value, qint32 id) {
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, id);
    const qsizetype n = r.ptr - digits;
    for (qsizetype i = 0; i + n + 2 <= value.size(); ++i) {
        if (value[i] != u'-' || value[i + n + 1] != u'-')
            continue;
        bool same = true;
        for (qsizetype k = 0; k < n && same; ++k)
            same = value[i + 1 + k] == QLatin1Char(digits[k]);
        if (same)
            return true;
    }
    return false;
}

// The identifiers a well-formed value names, in order; nothing when it is not well formed.
std::optional<QList<qint32>> readValue(QStringView v) {
    if (!v.startsWith(u'-') || !v.endsWith(u'-'))
        return std::nullopt;
    QList<qint32> ids;
    for (QStringView part : v.sliced(1).split(u'-', Qt::KeepEmptyParts)) {
        if (part.isEmpty())
            continue; // the end of the value
        bool ok = false;
        const qint32 id = part.toInt(&ok);
        if (!ok || QString::number(id) != part)
            return std::nullopt;
        ids << id;
    }
    if (v.size() > 1 && v.sliced(1).count(u'-') != ids.size())
        return std::nullopt;
    return ids;
}

} // namespace

QString listTypeValues(QByteArrayView input) {
    if (input.size() < 4)
        return QString();
    const auto id = static_cast<qint32>(word(input, 0));
    const QString value = win1252::decode(input.sliced(4));
    if (listTypeHas(value, id) != referenceHas(value, id))
        return QStringLiteral("%1 in %2: %3")
            .arg(id)
            .arg(show(value), listTypeHas(value, id) ? "found" : "missed");

    // Product identifiers are numbers from 1 up.
    QList<qint32> ids;
    for (qsizetype at = 4; at + 4 <= input.size() && ids.size() < 512; at += 4)
        ids << static_cast<qint32>(word(input, at) & 0x7FFFFFFFu);
    const QString made = listTypeValue(ids);
    const std::optional<QList<qint32>> back = readValue(made);
    if (!back || *back != ids)
        return QStringLiteral("the value %1 does not read back as its %2 identifiers")
            .arg(show(made))
            .arg(ids.size());
    for (qint32 i : ids)
        if (!listTypeHas(made, i))
            return QStringLiteral("%1 is not found in %2").arg(i).arg(show(made));
    for (qint32 probe : {id & 0x7FFFFFFF, 0, 1, 10, static_cast<qint32>(ids.size())})
        if (listTypeHas(made, probe) != ids.contains(probe))
            return QStringLiteral("%1 is wrongly found in %2").arg(probe).arg(show(made));
    return QString();
}

} // namespace readerchecks
