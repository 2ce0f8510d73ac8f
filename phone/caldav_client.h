#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The answer to one request: the HTTP status and what came with it, or a French reason why
// there is no answer (server unreachable, timeout, certificate refused, cancelled).
struct DavResponse {
    int status = 0; // 0 when no HTTP answer came
    QByteArray body;
    QByteArray etag; // the ETag header exactly as received
    QString error;   // set when no HTTP answer came

    bool answered() const { return error.isEmpty() && status != 0; }
    bool success() const { return answered() && status >= 200 && status < 300; }
};

// The account of a task list: the collection's address and, when the server wants one, a user
// name and password (Basic authentication).
struct CaldavAccount {
    QUrl collection;
    QString user;
    QString password;
};

// An asynchronous CalDAV client on QNetworkAccessManager. Each request calls its callback once,
// on the thread's event loop, with the answer. Credentials are sent only when a user name is
// given, and never in clear over http except to this machine; certificates are verified; a
// request that gets no answer within the timeout ends with an error.
class CaldavClient : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(const DavResponse&)>;

    explicit CaldavClient(CaldavAccount account, QObject* parent = nullptr);
    ~CaldavClient() override;

    const CaldavAccount& account() const { return account_; }
    // The collection's address, always ending with "/".
    QUrl collectionUrl() const { return collection_; }
    // A server path or address resolved against the collection.
    QUrl resolve(const QString& href) const { return collection_.resolved(QUrl(href)); }

    void setTimeout(int ms) { timeoutMs_ = ms; }
    int timeout() const { return timeoutMs_; }
    // The largest answer taken from a server: a bigger one (announced or received) ends the
    // request with an error, so that a faulty or hostile server cannot fill the memory.
    static constexpr qint64 kDefaultMaxResponseBytes = 32 * 1024 * 1024;
    void setMaxResponseBytes(qint64 bytes) { maxResponseBytes_ = bytes; }
    qint64 maxResponseBytes() const { return maxResponseBytes_; }

    // Why credentials must not be sent to that address (plain http to another machine); empty
    // when they may.
    static QString credentialsRefusal(const QUrl& url, const QString& user);

    void propfind(const QUrl& url, int depth, const QByteArray& body, Callback done);
    void report(const QUrl& url, const QByteArray& body, Callback done);
    void get(const QUrl& url, Callback done);
    // A new resource (If-None-Match: *) when etag is empty, else a replacement of that version
    // (If-Match with the ETag as received).
    void put(const QUrl& url, const QByteArray& ics, const QByteArray& etag, Callback done);
    // Unconditional when etag is empty.
    void remove(const QUrl& url, const QByteArray& etag, Callback done);
    void mkcalendar(const QUrl& url, const QByteArray& body, Callback done);

    // Ends every request under way: their callbacks get the error "Opération annulée".
    void cancel();
    int pending() const { return static_cast<int>(replies_.size()); }

    // Requests sent since the client was made (or since resetCounts), by method.
    int requestCount() const;
    int requestCount(const QByteArray& method) const { return counts_.value(method); }
    void resetCounts() { counts_.clear(); }

private:
    void send(const QByteArray& method, QNetworkRequest request, const QByteArray& body,
              Callback done);
    void finish(QNetworkReply* reply);
    void checkSize(QNetworkReply* reply, qint64 received);

    CaldavAccount account_;
    QUrl collection_;
    int timeoutMs_ = 30000;
    qint64 maxResponseBytes_ = kDefaultMaxResponseBytes;
    QNetworkAccessManager* nam_;
    QHash<QNetworkReply*, Callback> replies_;
    QHash<QByteArray, int> counts_;
    bool cancelling_ = false;
};

// The French message for an answer that is not a success ("Identifiants refusés (401)", the
// transport error...), `what` naming what was being done ("Lecture de la liste").
QString describeFailure(const DavResponse& r, const QString& what);
