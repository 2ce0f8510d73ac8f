#pragma once

#include "phone/credential_store.h"

#include <QHash>

// A keyring in memory.
class FakeCredentialStore : public CredentialStore {
public:
    std::optional<QString> password(const QString& url, const QString& user) override {
        ++reads;
        const auto it = passwords.constFind(user + u'@' + url);
        if (it == passwords.constEnd())
            return std::nullopt;
        return *it;
    }
    bool setPassword(const QString& url, const QString& user, const QString& password) override {
        passwords.insert(user + u'@' + url, password);
        return true;
    }
    bool removePassword(const QString& url, const QString& user) override {
        return passwords.remove(user + u'@' + url) > 0;
    }
    QString lastError() const override { return QString(); }

    QHash<QString, QString> passwords;
    int reads = 0;
};
