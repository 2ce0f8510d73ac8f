#include "radicale_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {

bool writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

} // namespace

RadicaleServer::RadicaleServer(Options options) : options_(std::move(options)) {}

RadicaleServer::~RadicaleServer() {
    stop();
}

quint16 RadicaleServer::freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QUrl RadicaleServer::baseUrl() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port_));
}

QUrl RadicaleServer::url(const QString& path) const {
    return baseUrl().resolved(QUrl(path));
}

bool RadicaleServer::start() {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return false;
    }
    port_ = freePort();
    const QString d = dir_.path();
    const bool auth = !options_.user.isEmpty();
    QByteArray config = "[server]\nhosts = 127.0.0.1:" + QByteArray::number(port_) +
                        "\n[storage]\nfilesystem_folder = " + (d + "/collections").toUtf8() +
                        "\n[rights]\ntype = from_file\nfile = " + (d + "/rights").toUtf8() +
                        "\n[logging]\nlevel = error\n[auth]\ndelay = 0\n";
    if (auth) {
        config += "type = htpasswd\nhtpasswd_filename = " + (d + "/users").toUtf8() +
                  "\nhtpasswd_encryption = plain\n";
        writeFile(d + "/users", (options_.user + u':' + options_.password + u'\n').toUtf8());
    } else {
        config += "type = none\n";
    }
    // Without authentication everyone (the anonymous user too) may do everything; with it, only
    // the users who logged in.
    const QByteArray rights = QByteArray("[all]\nuser: ") + (auth ? ".+" : ".*") +
                              "\ncollection: .*\npermissions: RrWw\n";
    if (!writeFile(d + "/config", config) || !writeFile(d + "/rights", rights)) {
        error_ = QStringLiteral("cannot write the configuration");
        return false;
    }
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("radicale"), {QStringLiteral("--config"), d + "/config"});
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("radicale did not start: ") + process_.errorString();
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (process_.state() != QProcess::Running) {
            error_ = QStringLiteral("radicale stopped at start");
            return false;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port_);
        if (probe.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    error_ = QStringLiteral("radicale does not answer on port %1").arg(port_);
    return false;
}

void RadicaleServer::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    const qint64 pid = process_.processId();
    if (pid > 0)
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    if (!process_.waitForFinished(5000) && pid > 0) {
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        process_.waitForFinished(2000);
    }
}
