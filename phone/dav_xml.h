#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The XML bodies of the WebDAV and CalDAV requests this program makes, and the reading of the
// servers' multistatus answers (QXmlStreamReader; a malformed answer gives a French reason,
// never a crash).
namespace dav {

// PROPFIND Depth 0 on a collection: resource type, display name, supported components.
QByteArray collectionPropfindBody();
// REPORT calendar-query for every VTODO, with its ETag and, when asked, its data.
QByteArray todoQueryBody(bool withData = true);
// MKCALENDAR of a task list named so, accepting only VTODO.
QByteArray mkcalendarBody(const QString& displayName);

struct CollectionInfo {
    bool isCalendar = false;
    bool componentsListed = false; // the server gave supported-calendar-component-set
    QStringList components;        // "VTODO", "VEVENT"... in capitals
    QString displayName;

    // A task list: a calendar that accepts VTODO (a server that lists no components accepts all).
    bool acceptsTasks() const {
        return isCalendar && (!componentsListed || components.contains(QStringLiteral("VTODO")));
    }
};

struct Resource {
    QString href;            // as the server wrote it (a path, percent-encoded)
    QByteArray etag;         // exactly as received
    QByteArray calendarData; // UTF-8 iCalendar text
    int status = 200;        // the propstat status of the properties asked (404: not found)
};

// Reads the answer to the collection PROPFIND. False, with a French reason, on a body that is not
// a multistatus.
bool parseCollection(QByteArrayView body, CollectionInfo& out, QString* error);
// Reads the responses of a multistatus (REPORT calendar-query): one Resource per response whose
// properties were found; the collection's own response (no data, no ETag) is left out.
bool parseResources(QByteArrayView body, QList<Resource>& out, QString* error);

} // namespace dav
