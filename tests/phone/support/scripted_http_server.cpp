#include "scripted_http_server.h"

#include <QTcpSocket>

ScriptedHttpServer::ScriptedHttpServer(Script script, QObject* parent)
    : QObject(parent), script_(std::move(script)) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { readFrom(s); });
            connect(s, &QTcpSocket::disconnected, this, [this, s] {
                buffers_.remove(s);
                s->deleteLater();
            });
        }
    });
}

QByteArray ScriptedHttpServer::url(const QByteArray& path) const {
    return "http://127.0.0.1:" + QByteArray::number(port()) + path;
}

void ScriptedHttpServer::readFrom(QTcpSocket* socket) {
    QByteArray& buf = buffers_[socket];
    buf += socket->readAll();
    for (;;) {
        const qsizetype end = buf.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        Request req;
        const QList<QByteArray> lines = buf.left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        req.method = first.value(0);
        req.path = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                req.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = req.headers.value("content-length", "0").toLongLong();
        if (buf.size() < end + 4 + length)
            return;
        req.body = buf.mid(end + 4, length);
        buf.remove(0, end + 4 + length);
        requests.append(req);
        const Answer a = script_(req);
        if (a.silent)
            continue;
        QByteArray out = "HTTP/1.1 " + QByteArray::number(a.status) + " Scripted\r\n";
        for (const auto& [name, value] : a.headers)
            out += name + ": " + value + "\r\n";
        out += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n\r\n" + a.body;
        socket->write(out);
    }
}

ScriptedHttpServer::Answer ScriptedHttpServer::collection(const QByteArray& components) {
    Answer a;
    a.status = 207;
    a.headers = {{"Content-Type", "application/xml; charset=utf-8"}};
    a.body = "<?xml version=\"1.0\"?><multistatus xmlns=\"DAV:\" "
             "xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><response><href>/l/</href><propstat>"
             "<prop><resourcetype><collection/><C:calendar/></resourcetype>"
             "<C:supported-calendar-component-set>" +
             components +
             "</C:supported-calendar-component-set></prop><status>HTTP/1.1 200 OK</status>"
             "</propstat></response></multistatus>";
    return a;
}

ScriptedHttpServer::Answer
ScriptedHttpServer::tasks(const QList<std::tuple<QByteArray, QByteArray, QByteArray>>& resources) {
    Answer a;
    a.status = 207;
    a.headers = {{"Content-Type", "application/xml; charset=utf-8"}};
    a.body = "<?xml version=\"1.0\"?><multistatus xmlns=\"DAV:\" "
             "xmlns:C=\"urn:ietf:params:xml:ns:caldav\">";
    for (const auto& [href, etag, data] : resources)
        a.body += "<response><href>" + href + "</href><propstat><prop><getetag>" +
                  QString::fromUtf8(etag).toHtmlEscaped().toUtf8() + "</getetag><C:calendar-data>" +
                  QString::fromUtf8(data).toHtmlEscaped().toUtf8() +
                  "</C:calendar-data></prop><status>HTTP/1.1 200 OK</status></propstat>"
                  "</response>";
    a.body += "</multistatus>";
    return a;
}
