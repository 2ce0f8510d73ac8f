#include "phone/ical.h"

namespace ical {

QString escapeText(QStringView text) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u';':
            out += QLatin1String("\\;");
            break;
        case u',':
            out += QLatin1String("\\,");
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += QLatin1String("\\n");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescapeText(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar n = text[++i];
        out += (n == u'n' || n == u'N') ? QChar(u'\n') : n;
    }
    return out;
}

std::optional<QString> Property::param(QStringView paramName) const {
    // params looks like ";A=x;B="y;z",w"; quoted texts may hold ";" and ":".
    qsizetype i = 0;
    while (i < params.size() && params[i] == u';') {
        const qsizetype eq = params.indexOf(u'=', i);
        if (eq < 0)
            return std::nullopt;
        const QStringView name = QStringView(params).mid(i + 1, eq - i - 1);
        qsizetype j = eq + 1;
        QString value;
        while (j < params.size() && params[j] != u';') {
            if (params[j] == u'"') {
                const qsizetype close = params.indexOf(u'"', j + 1);
                if (close < 0)
                    return std::nullopt;
                value += QStringView(params).mid(j + 1, close - j - 1);
                j = close + 1;
            } else {
                value += params[j++];
            }
        }
        if (name.compare(paramName, Qt::CaseInsensitive) == 0)
            return value;
        i = j;
    }
    return std::nullopt;
}

const Property* Component::find(QStringView propName) const {
    for (const Property& p : properties)
        if (p.name.compare(propName, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

QString Component::raw(QStringView propName) const {
    const Property* p = find(propName);
    return p ? p->value : QString();
}

QString Component::text(QStringView propName) const {
    const Property* p = find(propName);
    return p ? unescapeText(p->value) : QString();
}

void Component::setRaw(const QString& propName, const QString& rawValue) {
    bool placed = false;
    for (qsizetype i = 0; i < properties.size();) {
        if (properties[i].name.compare(propName, Qt::CaseInsensitive) != 0) {
            ++i;
            continue;
        }
        if (placed) {
            properties.removeAt(i);
            continue;
        }
        properties[i] = Property{propName.toUpper(), QString(), rawValue};
        placed = true;
        ++i;
    }
    if (!placed)
        properties.append(Property{propName.toUpper(), QString(), rawValue});
}

void Component::remove(QStringView propName) {
    properties.removeIf(
        [&](const Property& p) { return p.name.compare(propName, Qt::CaseInsensitive) == 0; });
}

Component* Component::child(QStringView childName) {
    for (Component& c : children)
        if (c.name.compare(childName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const Component* Component::child(QStringView childName) const {
    return const_cast<Component*>(this)->child(childName);
}

QByteArray foldLine(QByteArrayView line) {
    constexpr qsizetype kMax = 75;
    QByteArray out;
    out.reserve(line.size() + line.size() / 70 * 3 + 2);
    qsizetype pos = 0;
    qsizetype room = kMax; // the first line has 75 octets, the next ones 74 after their blank
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        // Never cut before a UTF-8 continuation octet (10xxxxxx).
        while (cut > pos + 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += line.sliced(pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        room = kMax - 1;
    }
    out += line.sliced(pos);
    out += "\r\n";
    return out;
}

namespace {

bool validName(QStringView name) {
    if (name.isEmpty())
        return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-')
            return false;
    return true;
}

// Splits a content line; false when it is not one.
bool splitLine(const QString& line, Property& p) {
    qsizetype i = 0;
    while (i < line.size() && line[i] != u';' && line[i] != u':')
        ++i;
    p.name = line.left(i).toUpper();
    if (!validName(p.name))
        return false;
    const qsizetype paramsStart = i;
    bool quoted = false;
    while (i < line.size() && (quoted || line[i] != u':')) {
        if (line[i] == u'"')
            quoted = !quoted;
        ++i;
    }
    if (i == line.size())
        return false;
    p.params = line.mid(paramsStart, i - paramsStart);
    p.value = line.mid(i + 1);
    return true;
}

void writeComponent(const Component& c, QByteArray& out) {
    out += foldLine(QByteArray("BEGIN:") + c.name.toUtf8());
    for (const Property& p : c.properties)
        out += foldLine((p.name + p.params + u':' + p.value).toUtf8());
    for (const Component& child : c.children)
        writeComponent(child, out);
    out += foldLine(QByteArray("END:") + c.name.toUtf8());
}

} // namespace

std::optional<Component> parse(QByteArrayView text, QString* error) {
    auto fail = [&](const QString& why) -> std::optional<Component> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    // Unfold on the octets first: a writer may have folded inside a UTF-8 sequence.
    QList<QByteArray> lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            end = text.size();
        QByteArrayView l = text.sliced(pos, end - pos);
        if (l.endsWith('\r'))
            l.chop(1);
        if (!l.isEmpty() && (l[0] == ' ' || l[0] == '\t') && !lines.isEmpty())
            lines.last() += l.sliced(1);
        else if (!l.isEmpty())
            lines.append(l.toByteArray());
        pos = end + 1;
    }
    QList<Component> stack;
    std::optional<Component> root;
    int lineNo = 0;
    for (const QByteArray& bytes : lines) {
        ++lineNo;
        const QString line = QString::fromUtf8(bytes);
        Property p;
        if (!splitLine(line, p))
            return fail(
                QStringLiteral("ligne %1 illisible : « %2 »").arg(lineNo).arg(line.left(40)));
        if (root)
            return fail(QStringLiteral("texte après la fin de l'objet (ligne %1)").arg(lineNo));
        if (p.name == u"BEGIN") {
            if (p.value.trimmed().isEmpty())
                return fail(QStringLiteral("BEGIN sans nom (ligne %1)").arg(lineNo));
            stack.append(Component{p.value.trimmed().toUpper(), {}, {}});
        } else if (p.name == u"END") {
            if (stack.isEmpty() || stack.last().name != p.value.trimmed().toUpper())
                return fail(QStringLiteral("END:%1 inattendu (ligne %2)")
                                .arg(p.value, QString::number(lineNo)));
            Component done = stack.takeLast();
            if (stack.isEmpty())
                root = std::move(done);
            else
                stack.last().children.append(std::move(done));
        } else {
            if (stack.isEmpty())
                return fail(
                    QStringLiteral("propriété hors de tout composant (ligne %1)").arg(lineNo));
            stack.last().properties.append(std::move(p));
        }
    }
    if (!stack.isEmpty())
        return fail(QStringLiteral("composant %1 non terminé").arg(stack.last().name));
    if (!root)
        return fail(QStringLiteral("aucun composant"));
    return root;
}

QByteArray serialize(const Component& c) {
    QByteArray out;
    writeComponent(c, out);
    return out;
}

} // namespace ical
