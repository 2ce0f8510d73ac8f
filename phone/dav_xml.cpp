#include "phone/dav_xml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace dav {

namespace {

constexpr char kDav[] = "DAV:";
constexpr char kCaldav[] = "urn:ietf:params:xml:ns:caldav";

QString xmlError(const QXmlStreamReader& r) {
    return QStringLiteral("réponse XML du serveur illisible (ligne %1 : %2)")
        .arg(r.lineNumber())
        .arg(r.errorString());
}

bool is(const QXmlStreamReader& r, const char* ns, const char* name) {
    return r.namespaceUri() == QLatin1String(ns) && r.name() == QLatin1String(name);
}

// "HTTP/1.1 404 Not Found" -> 404; 0 when unreadable.
int statusCode(const QString& line) {
    const QStringList parts = line.simplified().split(u' ');
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

} // namespace

QByteArray collectionPropfindBody() {
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<d:propfind xmlns:d=\"DAV:\" "
                             "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                             "<d:prop><d:resourcetype/><d:displayname/>"
                             "<c:supported-calendar-component-set/></d:prop>"
                             "</d:propfind>");
}

QByteArray todoQueryBody(bool withData) {
    QByteArray b = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                     "<c:calendar-query xmlns:d=\"DAV:\" "
                                     "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                                     "<d:prop><d:getetag/>");
    if (withData)
        b += "<c:calendar-data/>";
    b += "</d:prop><c:filter><c:comp-filter name=\"VCALENDAR\">"
         "<c:comp-filter name=\"VTODO\"/></c:comp-filter></c:filter></c:calendar-query>";
    return b;
}

QByteArray mkcalendarBody(const QString& displayName) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(QLatin1String(kDav), QStringLiteral("d"));
    w.writeNamespace(QLatin1String(kCaldav), QStringLiteral("c"));
    w.writeStartElement(QLatin1String(kCaldav), QStringLiteral("mkcalendar"));
    w.writeStartElement(QLatin1String(kDav), QStringLiteral("set"));
    w.writeStartElement(QLatin1String(kDav), QStringLiteral("prop"));
    w.writeTextElement(QLatin1String(kDav), QStringLiteral("displayname"), displayName);
    w.writeStartElement(QLatin1String(kCaldav), QStringLiteral("supported-calendar-component-set"));
    w.writeEmptyElement(QLatin1String(kCaldav), QStringLiteral("comp"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("VTODO"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

bool parseCollection(QByteArrayView body, CollectionInfo& out, QString* error) {
    QXmlStreamReader r(body.toByteArray());
    bool sawMultistatus = false;
    bool inResourceType = false;
    bool inComponents = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (is(r, kDav, "multistatus"))
                sawMultistatus = true;
            else if (is(r, kDav, "resourcetype"))
                inResourceType = true;
            else if (inResourceType && is(r, kCaldav, "calendar"))
                out.isCalendar = true;
            else if (is(r, kCaldav, "supported-calendar-component-set")) {
                inComponents = true;
                out.componentsListed = true;
            } else if (inComponents && is(r, kCaldav, "comp"))
                out.components << r.attributes().value(QLatin1String("name")).toString().toUpper();
            else if (is(r, kDav, "displayname"))
                out.displayName = r.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (r.isEndElement()) {
            if (is(r, kDav, "resourcetype"))
                inResourceType = false;
            else if (is(r, kCaldav, "supported-calendar-component-set"))
                inComponents = false;
        }
    }
    if (r.hasError()) {
        if (error)
            *error = xmlError(r);
        return false;
    }
    if (!sawMultistatus) {
        if (error)
            *error = QStringLiteral("réponse du serveur inattendue (pas de multistatus)");
        return false;
    }
    return true;
}

bool parseResources(QByteArrayView body, QList<Resource>& out, QString* error) {
    QXmlStreamReader r(body.toByteArray());
    bool sawMultistatus = false;
    Resource cur;
    bool inResponse = false;
    // Properties of one propstat are kept only when its status is 200.
    QByteArray etag;
    QByteArray data;
    int propstatStatus = 0;
    bool anyFound = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (is(r, kDav, "multistatus")) {
                sawMultistatus = true;
            } else if (is(r, kDav, "response")) {
                inResponse = true;
                cur = Resource();
                anyFound = false;
            } else if (inResponse && is(r, kDav, "href") && cur.href.isEmpty()) {
                cur.href = r.readElementText().trimmed();
            } else if (is(r, kDav, "propstat")) {
                etag.clear();
                data.clear();
                propstatStatus = 0;
            } else if (is(r, kDav, "getetag")) {
                etag = r.readElementText().trimmed().toUtf8();
            } else if (is(r, kCaldav, "calendar-data")) {
                data = r.readElementText().toUtf8();
            } else if (is(r, kDav, "status")) {
                propstatStatus = statusCode(r.readElementText());
            }
        } else if (r.isEndElement()) {
            if (is(r, kDav, "propstat") && propstatStatus == 200) {
                if (!etag.isEmpty())
                    cur.etag = etag;
                if (!data.isEmpty())
                    cur.calendarData = data;
                anyFound = anyFound || !etag.isEmpty() || !data.isEmpty();
            } else if (is(r, kDav, "response")) {
                inResponse = false;
                if (anyFound && !cur.href.isEmpty())
                    out.append(cur);
            }
        }
    }
    if (r.hasError()) {
        if (error)
            *error = xmlError(r);
        return false;
    }
    if (!sawMultistatus) {
        if (error)
            *error = QStringLiteral("réponse du serveur inattendue (pas de multistatus)");
        return false;
    }
    return true;
}

} // namespace dav
