#pragma once

#include <QString>
#include <optional>

// Where the password of a task-list account is kept: the desktop's keyring in the program, a
// fake in the tests. The password never goes to a file of the program.
class CredentialStore {
public:
    virtual ~CredentialStore() = default;
    // The password kept for that address and user; nothing when there is none or the keyring
    // cannot be reached (the reason then in lastError()).
    virtual std::optional<QString> password(const QString& url, const QString& user) = 0;
    virtual bool setPassword(const QString& url, const QString& user, const QString& password) = 0;
    virtual bool removePassword(const QString& url, const QString& user) = 0;
    virtual QString lastError() const = 0;
};

// The environment variable that gives the password to scripts when the keyring has none.
inline constexpr char kPasswordVariable[] = "PANIVA_CALDAV_MOT_DE_PASSE";

// The password for an account: the keyring's, else the environment variable's; nothing when
// neither has one. No user name, no password asked.
std::optional<QString> accountPassword(CredentialStore& store, const QString& url,
                                       const QString& user);

// The desktop's keyring through QtKeychain (service "Paniva", key "<user>@<url>"). Each call waits
// for the keyring's answer in a local event loop.
class KeychainStore : public CredentialStore {
public:
    std::optional<QString> password(const QString& url, const QString& user) override;
    bool setPassword(const QString& url, const QString& user, const QString& password) override;
    bool removePassword(const QString& url, const QString& user) override;
    QString lastError() const override { return error_; }

    static QString keyFor(const QString& url, const QString& user) { return user + u'@' + url; }

private:
    QString error_;
};
