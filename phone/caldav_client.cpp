#include "phone/caldav_client.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const char kCancelled[] = "kabiroCancelled";
const char kTooLarge[] = "kabiroTooLarge";

bool isLoopback(const QUrl& url) {
    const QString host = url.host();
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress a;
    return a.setAddress(host) && a.isLoopback();
}

QUrl withSlash(QUrl u) {
    QString path = u.path();
    if (!path.endsWith(u'/'))
        u.setPath(path + u'/');
    return u;
}

QString transportError(QNetworkReply* reply, int timeoutMs, qint64 maxBytes) {
    const QString host = reply->url().host();
    if (reply->property(kTooLarge).toBool())
        return QStringLiteral("Réponse du serveur %1 trop volumineuse (plus de %2 Mo) : "
                              "requête abandonnée")
            .arg(host)
            .arg(maxBytes / (1024 * 1024));
    switch (reply->error()) {
    case QNetworkReply::OperationCanceledError:
        if (reply->property(kCancelled).toBool())
            return QStringLiteral("Opération annulée");
        [[fallthrough]];
    case QNetworkReply::TimeoutError:
        return QStringLiteral("Le serveur %1 ne répond pas (délai de %2 s dépassé)")
            .arg(host)
            .arg(timeoutMs / 1000.0);
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Certificat du serveur %1 refusé : %2")
            .arg(host, reply->errorString());
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Serveur %1 introuvable").arg(host);
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Serveur %1 injoignable : connexion refusée").arg(host);
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Le serveur %1 a fermé la connexion sans répondre").arg(host);
    case QNetworkReply::ProtocolUnknownError:
        return QStringLiteral("Adresse non prise en charge : %1 (http ou https attendu)")
            .arg(reply->url().toDisplayString());
    default:
        return QStringLiteral("Serveur %1 injoignable : %2").arg(host, reply->errorString());
    }
}

} // namespace

CaldavClient::CaldavClient(CaldavAccount account, QObject* parent)
    : QObject(parent), account_(std::move(account)), collection_(withSlash(account_.collection)),
      nam_(new QNetworkAccessManager(this)) {
    // Redirections are not followed: they could carry the credentials elsewhere.
    nam_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    // The server's own authentication requests are not answered: credentials go only in the
    // header set below, so a refusal comes back as 401.
}

CaldavClient::~CaldavClient() {
    cancelling_ = true;
    const auto replies = replies_.keys();
    replies_.clear();
    for (QNetworkReply* r : replies) {
        r->disconnect(this);
        r->abort();
        r->deleteLater();
    }
}

QString CaldavClient::credentialsRefusal(const QUrl& url, const QString& user) {
    if (user.isEmpty())
        return QString();
    if (url.scheme().compare(u"https", Qt::CaseInsensitive) == 0 || isLoopback(url))
        return QString();
    return QStringLiteral("Le mot de passe ne peut pas être envoyé en clair à %1 : "
                          "utilisez une adresse https://")
        .arg(url.host());
}

int CaldavClient::requestCount() const {
    int n = 0;
    for (int c : counts_)
        n += c;
    return n;
}

void CaldavClient::send(const QByteArray& method, QNetworkRequest request, const QByteArray& body,
                        Callback done) {
    const QUrl url = request.url();
    QString refusal = credentialsRefusal(url, account_.user);
    const QString scheme = url.scheme().toLower();
    if (refusal.isEmpty() && scheme != u"http" && scheme != u"https")
        refusal = QStringLiteral("Adresse non prise en charge : « %1 » (http ou https attendu)")
                      .arg(url.toDisplayString());
    if (!refusal.isEmpty()) {
        QTimer::singleShot(0, this, [done = std::move(done), refusal] {
            DavResponse r;
            r.error = refusal;
            done(r);
        });
        return;
    }
    if (!account_.user.isEmpty()) {
        const QByteArray pair = (account_.user + u':' + account_.password).toUtf8();
        request.setRawHeader("Authorization", "Basic " + pair.toBase64());
    }
    request.setTransferTimeout(timeoutMs_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setRawHeader("User-Agent", "Paniva/2.0");
    QNetworkReply* reply = nam_->sendCustomRequest(request, method, body);
    counts_[method] += 1;
    replies_.insert(reply, std::move(done));
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            checkSize(reply, length.toLongLong());
    });
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this, reply](qint64 received, qint64) { checkSize(reply, received); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finish(reply); });
}

void CaldavClient::checkSize(QNetworkReply* reply, qint64 received) {
    if (received <= maxResponseBytes_ || reply->property(kTooLarge).toBool())
        return;
    reply->setProperty(kTooLarge, true);
    reply->abort();
}

void CaldavClient::finish(QNetworkReply* reply) {
    reply->deleteLater();
    auto it = replies_.find(reply);
    if (it == replies_.end())
        return;
    Callback done = std::move(it.value());
    replies_.erase(it);
    DavResponse r;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() > 0 && !reply->property(kCancelled).toBool() &&
        !reply->property(kTooLarge).toBool()) {
        r.status = status.toInt();
        r.body = reply->readAll();
        r.etag = reply->rawHeader("ETag");
    } else {
        r.error = transportError(reply, timeoutMs_, maxResponseBytes_);
    }
    done(r);
}

void CaldavClient::cancel() {
    const auto replies = replies_.keys();
    for (QNetworkReply* r : replies) {
        r->setProperty(kCancelled, true);
        r->abort();
    }
}

namespace {

QNetworkRequest xmlRequest(const QUrl& url) {
    QNetworkRequest req(url);
    req.setHeader(QNetworkRequest::ContentTypeHeader,
                  QByteArrayLiteral("application/xml; charset=utf-8"));
    return req;
}

} // namespace

void CaldavClient::propfind(const QUrl& url, int depth, const QByteArray& body, Callback done) {
    QNetworkRequest req = xmlRequest(url);
    req.setRawHeader("Depth", QByteArray::number(depth));
    send("PROPFIND", req, body, std::move(done));
}

void CaldavClient::report(const QUrl& url, const QByteArray& body, Callback done) {
    QNetworkRequest req = xmlRequest(url);
    req.setRawHeader("Depth", "1");
    send("REPORT", req, body, std::move(done));
}

void CaldavClient::get(const QUrl& url, Callback done) {
    send("GET", QNetworkRequest(url), QByteArray(), std::move(done));
}

void CaldavClient::put(const QUrl& url, const QByteArray& ics, const QByteArray& etag,
                       Callback done) {
    QNetworkRequest req(url);
    req.setHeader(QNetworkRequest::ContentTypeHeader,
                  QByteArrayLiteral("text/calendar; charset=utf-8"));
    if (etag.isEmpty())
        req.setRawHeader("If-None-Match", "*");
    else
        req.setRawHeader("If-Match", etag);
    send("PUT", req, ics, std::move(done));
}

void CaldavClient::remove(const QUrl& url, const QByteArray& etag, Callback done) {
    QNetworkRequest req(url);
    if (!etag.isEmpty())
        req.setRawHeader("If-Match", etag);
    send("DELETE", req, QByteArray(), std::move(done));
}

void CaldavClient::mkcalendar(const QUrl& url, const QByteArray& body, Callback done) {
    send("MKCALENDAR", xmlRequest(withSlash(url)), body, std::move(done));
}

QString describeFailure(const DavResponse& r, const QString& what) {
    if (!r.error.isEmpty())
        return what + QStringLiteral(" : ") + r.error;
    QString why;
    switch (r.status) {
    case 401:
        why = QStringLiteral("identifiants refusés par le serveur (401)");
        break;
    case 403:
        why = QStringLiteral("accès refusé par le serveur (403)");
        break;
    case 404:
        why = QStringLiteral("aucune liste de tâches à cette adresse (404)");
        break;
    case 405:
        why = QStringLiteral("opération refusée à cette adresse (405)");
        break;
    case 409:
        why = QStringLiteral("conflit sur le serveur (409)");
        break;
    case 412:
        why = QStringLiteral("la tâche a changé sur le serveur pendant l'envoi (412)");
        break;
    case 507:
        why = QStringLiteral("le serveur n'a plus de place (507)");
        break;
    default:
        if (r.status >= 500)
            why = QStringLiteral("erreur du serveur (%1)").arg(r.status);
        else if (r.status >= 300 && r.status < 400)
            why = QStringLiteral("le serveur renvoie ailleurs (%1) : vérifiez l'adresse")
                      .arg(r.status);
        else
            why = QStringLiteral("réponse inattendue du serveur (%1)").arg(r.status);
    }
    return what + QStringLiteral(" : ") + why;
}
