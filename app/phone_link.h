#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class CredentialStore;
class PhoneSession;
class Platform;
class QWidget;

// The window's exchanges with the phone's task list: one session at a time, each exchange run
// in the background under a progress box whose "Annuler" cancels it.
class PhoneLink : public QObject {
    Q_OBJECT
public:
    // `given` null: the desktop's keyring.
    PhoneLink(Platform& platform, CredentialStore* given, QWidget* window);
    ~PhoneLink() override;

    CredentialStore& credentials();
    // A session of the list file ready for an exchange, or null: after a message, or while the
    // progress box of the exchange under way is up.
    PhoneSession* open(const QString& startDir, const QString& listFile);
    // Runs one exchange of the open session; `done` runs once it ended, after the box is gone.
    void run(const QString& label, const std::function<void()>& start,
             const std::function<void()>& done);

private:
    Platform& platform_;
    CredentialStore* given_;
    QWidget* window_;
    std::unique_ptr<CredentialStore> keyring_;
    std::unique_ptr<PhoneSession> session_; // the exchange under way, or the last one
};
