#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

// A real Radicale CalDAV server for the tests: started on 127.0.0.1 on a free port with its
// storage in a temporary folder, stopped (by its process id) when the object goes.
class RadicaleServer {
public:
    struct Options {
        // Basic authentication against a plain htpasswd file holding this one account; without
        // it, no authentication and every request may read and write everything.
        QString user;
        QString password;
    };

    RadicaleServer() : RadicaleServer(Options{}) {}
    explicit RadicaleServer(Options options);
    ~RadicaleServer();

    // Starts the server and waits until it accepts connections; false with the reason in
    // error() when it cannot.
    bool start();
    void stop();
    const QString& error() const { return error_; }

    // http://127.0.0.1:<port>/
    QUrl baseUrl() const;
    // http://127.0.0.1:<port>/<path>
    QUrl url(const QString& path) const;

    // A free TCP port on 127.0.0.1 (nothing listens on it when the call returns).
    static quint16 freePort();

private:
    Options options_;
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
    QString error_;
};
