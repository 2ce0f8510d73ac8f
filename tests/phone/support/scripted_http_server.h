#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <functional>

class QTcpSocket;

// A tiny HTTP server on 127.0.0.1 that answers each request as the test says: a status, headers
// and a body, or nothing at all (the connection stays open and silent). It records the requests.
class ScriptedHttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };
    struct Answer {
        int status = 200;
        QList<std::pair<QByteArray, QByteArray>> headers;
        QByteArray body;
        bool silent = false; // never answer
    };
    using Script = std::function<Answer(const Request&)>;

    explicit ScriptedHttpServer(Script script, QObject* parent = nullptr);
    quint16 port() const { return server_.serverPort(); }
    QByteArray url(const QByteArray& path = "/") const;

    QList<Request> requests;

    // A multistatus answer to a PROPFIND of a collection accepting these components.
    static Answer collection(const QByteArray& components = "<C:comp name=\"VTODO\"/>");
    // A 207 multistatus answer holding these task resources (href, etag, data).
    static Answer tasks(const QList<std::tuple<QByteArray, QByteArray, QByteArray>>& resources);

private:
    void readFrom(QTcpSocket* socket);

    Script script_;
    QHash<QTcpSocket*, QByteArray> buffers_;
    // Last, so that it goes first: its sockets say they are disconnected while buffers_ lives.
    QTcpServer server_;
};
