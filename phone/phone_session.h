#pragma once

#include "phone/caldav_client.h"
#include "phone/phone_sync.h"
#include "phone/sync_state.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class CredentialStore;

// One list file's link with its task list, as the window's commands and the command line use
// it: the account from kabiro.ini (section "TELEPHONE", keys "URL" and "Utilisateur") and the
// keyring, the sync file beside the list-type file, and the asynchronous exchanges. The sync file
// is written after every exchange, whatever its end, so that what reached the server is known.
// Validating the ticked products is left to the caller (the window makes it one undoable step).
class PhoneSession : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString url;
        QString user;
    };
    static constexpr char kSection[] = "TELEPHONE";
    static Settings readSettings(const QString& directory);
    // Both keys in one write of kabiro.ini; false with the reason in *error.
    static bool writeSettings(const QString& directory, const Settings& s, QString* error);

    PhoneSession(QString directory, QString listFile, CredentialStore& store,
                 QObject* parent = nullptr);
    ~PhoneSession() override;

    // Reads the settings, the password (keyring, else PANIVA_CALDAV_MOT_DE_PASSE) and the sync
    // file. False, with a French reason, when there is no address, no password for the user, or
    // the sync file cannot be read. Nothing touches the network.
    bool open(QString* error);
    void setTimeout(int ms);

    // The exchanges of PhoneSync; each ends with finished().
    void send(const QList<ShoppingTask>& rows);
    void fetch();
    void removeTasks(const QStringList& products);
    void cancel();

    bool busy() const { return sync_ && sync_->busy(); }
    const PhoneSync::Outcome& outcome() const { return sync_->outcome(); }
    // Why the sync file could not be written after the last exchange; empty when it was.
    const QString& stateError() const { return stateError_; }
    const QString& statePath() const { return statePath_; }
    CaldavClient* client() const { return client_.get(); }

signals:
    void progress(int done, int total);
    void finished();

private:
    QString directory_;
    QString listFile_;
    CredentialStore& store_;
    QString statePath_;
    QString stateError_;
    SyncState state_;
    std::unique_ptr<CaldavClient> client_;
    std::unique_ptr<PhoneSync> sync_;
};

// The question asked when products were ticked on the phone.
QString tickedQuestion(int count);
