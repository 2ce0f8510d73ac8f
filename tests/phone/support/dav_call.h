#pragma once

#include "phone/caldav_client.h"
#include "phone/phone_sync.h"

#include "phone/ical.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <functional>
#include <optional>

// Waits for one request of a client, as the tests (and the phone apps they play) need.
inline DavResponse davCall(const std::function<void(CaldavClient::Callback)>& request) {
    DavResponse out;
    bool done = false;
    QEventLoop loop;
    request([&](const DavResponse& r) {
        out = r;
        done = true;
        loop.quit();
    });
    if (!done)
        loop.exec();
    return out;
}

// Runs a sync operation to its end.
inline const PhoneSync::Outcome& runSync(PhoneSync& sync, const std::function<void()>& start) {
    QEventLoop loop;
    QObject::connect(&sync, &PhoneSync::finished, &loop, &QEventLoop::quit);
    start();
    if (sync.busy())
        loop.exec();
    return sync.outcome();
}

// What a phone app does to a task: reads it, changes it and writes it back without naming the
// version it replaces (no If-Match), as many apps do.
class PhoneApp {
public:
    explicit PhoneApp(const QUrl& collection) : client_(CaldavAccount{collection, {}, {}}) {}

    // The task of that UID as the server holds it now.
    std::optional<ical::Component> read(const QString& uid, QByteArray* etag = nullptr) {
        const DavResponse r = davCall([&](auto done) { client_.get(url(uid), done); });
        if (!r.success())
            return std::nullopt;
        if (etag)
            *etag = r.etag;
        return ical::parse(r.body);
    }
    bool edit(const QString& uid, const std::function<void(ical::Component& todo)>& change) {
        std::optional<ical::Component> cal = read(uid);
        if (!cal || !cal->child(u"VTODO"))
            return false;
        change(*cal->child(u"VTODO"));
        return write(url(uid), ical::serialize(*cal), "PUT");
    }
    bool remove(const QString& uid) { return write(url(uid), QByteArray(), "DELETE"); }
    // An unconditional request, as the apps send them.
    bool write(const QUrl& target, const QByteArray& body, const QByteArray& method) {
        QNetworkRequest req(target);
        req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/calendar"));
        QNetworkReply* reply = nam_.sendCustomRequest(req, method, body);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished())
            loop.exec();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        reply->deleteLater();
        return status >= 200 && status < 300;
    }
    QUrl url(const QString& uid) const {
        return client_.collectionUrl().resolved(QUrl(uid + QStringLiteral(".ics")));
    }

private:
    CaldavClient client_;
    QNetworkAccessManager nam_;
};
