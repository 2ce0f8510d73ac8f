#pragma once

#include "phone/caldav_client.h"
#include "phone/ical.h"
#include "phone/shopping_task.h"
#include "phone/sync_state.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The exchanges between the shopping list and a task list on a CalDAV server.
//
// send: the task list becomes the list's image. Every row gets its task (a product keeps its
// UID for as long as it has a row), a task whose row is gone is deleted, a task whose content did
// not change since it was last sent is left alone, so a second send with nothing changed writes
// nothing. Writes name the version they replace (If-Match with the ETag as received,
// If-None-Match: * for a new task); when the phone changed the task in between (412) it is read
// again and merged: the phone keeps the ticked state and its own properties, the desktop gives
// the content.
//
// fetch: reads which products are ticked on the phone. Nothing is written: a task deleted on the
// phone counts as not ticked and comes back at the next send only.
//
// removeTasks: deletes the tasks of products (after they were validated).
//
// Each operation is asynchronous and ends with finished(); outcome() then tells what happened.
// The sync state given is kept up to date; saving it is the caller's business.
class PhoneSync : public QObject {
    Q_OBJECT
public:
    struct Outcome {
        bool ok = true;
        QString error; // the first failure, in French
        int created = 0;
        int updated = 0;
        int deleted = 0;
        int unchanged = 0;
        int conflicts = 0;    // 412 answers met and merged
        QStringList ticked;   // products ticked on the phone (fetch), in task-list order
        int tasksRead = 0;    // tasks of this program found on the server
        QStringList warnings; // tasks left alone because they could not be read
    };

    PhoneSync(CaldavClient& client, SyncState& state, QObject* parent = nullptr);
    // An operation under way is cancelled.
    ~PhoneSync() override;

    void send(const QList<ShoppingTask>& rows);
    void fetch();
    void removeTasks(const QStringList& products);
    // Ends the operation under way; it finishes with the error "Opération annulée".
    void cancel();

    bool busy() const { return busy_; }
    const Outcome& outcome() const { return outcome_; }

    // The clock that stamps the tasks written (tests set a fixed one).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // The keys of the rows: the product name, then name + "\n2", "\n3"... for further rows of the
    // same product.
    static QStringList rowKeys(const QList<ShoppingTask>& rows);
    static QString productOfKey(const QString& key) { return key.section(u'\n', 0, 0); }

signals:
    // The server's tasks were read; the writes start after this.
    void tasksRead();
    void progress(int done, int total);
    void finished();

private:
    struct ServerTask {
        QString href; // path on the server, decoded
        QByteArray etag;
        std::optional<ical::Component> calendar; // null when unreadable
    };
    using Step = std::function<void()>;

    bool start();
    void checkCollection(Step next);
    void readTasks(Step next);
    void planSend(const QList<ShoppingTask>& rows);
    void collectTicked();
    void planRemovals(const QStringList& products);

    void createTask(const QString& key, const ShoppingTask& task, int retries);
    void updateTask(const QString& key, const ShoppingTask& task, const ical::Component& base,
                    const QByteArray& etag, int retries);
    // Writes a task (If-Match `etag`, or If-None-Match when empty) and counts it in `counted`;
    // a 412 reads the task again and merges, at most `retries` times.
    void putTask(const QString& key, const ShoppingTask& task, const QByteArray& ics,
                 const QByteArray& etag, int Outcome::*counted, int retries);
    void deleteTask(const QString& key, const QString& href, const QByteArray& etag, int retries);
    // GET of one task, then `then` with its calendar and ETag (404: no calendar).
    void reread(const QString& href,
                std::function<void(std::optional<ical::Component>, QByteArray)> then);

    void opStarted() { ++pendingOps_, ++totalOps_; }
    void opDone();
    void fail(const QString& error);
    void finish();
    QString hrefPath(const QString& href) const;
    QUrl urlOf(const QString& hrefPath) const;

    CaldavClient& client_;
    SyncState& state_;
    std::function<QDateTime()> clock_;
    QHash<QString, ServerTask> server_; // by path
    Outcome outcome_;
    bool busy_ = false;
    bool stopped_ = false; // cancelled or failed before the writes: chain nothing more
    int pendingOps_ = 0;
    int totalOps_ = 0;
    int doneOps_ = 0;
};

// The address of the task list "Courses" made in an account: the account's address + "courses/".
QUrl taskListUrlIn(const QUrl& account);
// MKCALENDAR of a task list accepting only VTODO at `url`; `done` gets an empty text on
// success, else the reason in French.
void createTaskList(CaldavClient& client, const QUrl& url, const QString& displayName,
                    std::function<void(const QString& error)> done);
