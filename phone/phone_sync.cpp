#include "phone/phone_sync.h"

#include "phone/dav_xml.h"

#include <QSet>
#include <QUuid>

namespace {

const QString kReadWhat = QStringLiteral("Lecture de la liste de tâches");
const QString kWriteWhat = QStringLiteral("Envoi d'une tâche");
const QString kDeleteWhat = QStringLiteral("Suppression d'une tâche");

QString uidOf(const ical::Component& calendar) {
    const ical::Component* todo = task::todoOf(calendar);
    return todo ? todo->text(u"UID") : QString();
}

} // namespace

PhoneSync::PhoneSync(CaldavClient& client, SyncState& state, QObject* parent)
    : QObject(parent), client_(client), state_(state),
      clock_([] { return QDateTime::currentDateTimeUtc(); }) {}

PhoneSync::~PhoneSync() {
    if (busy_) {
        stopped_ = true;
        blockSignals(true);
        client_.cancel();
    }
}

QStringList PhoneSync::rowKeys(const QList<ShoppingTask>& rows) {
    QHash<QString, int> seen;
    QStringList keys;
    keys.reserve(rows.size());
    for (const ShoppingTask& t : rows) {
        const int n = ++seen[t.product];
        keys << (n == 1 ? t.product : t.product + u'\n' + QString::number(n));
    }
    return keys;
}

QString PhoneSync::hrefPath(const QString& href) const {
    return client_.resolve(href).path(QUrl::FullyDecoded);
}

QUrl PhoneSync::urlOf(const QString& path) const {
    QUrl u = client_.collectionUrl();
    u.setPath(path, QUrl::DecodedMode);
    return u;
}

bool PhoneSync::start() {
    if (busy_)
        return false;
    busy_ = true;
    stopped_ = false;
    outcome_ = Outcome();
    server_.clear();
    pendingOps_ = totalOps_ = doneOps_ = 0;
    return true;
}

void PhoneSync::fail(const QString& error) {
    if (outcome_.ok) {
        outcome_.ok = false;
        outcome_.error = error;
    }
}

void PhoneSync::finish() {
    busy_ = false;
    emit finished();
}

void PhoneSync::opDone() {
    ++doneOps_;
    emit progress(doneOps_, totalOps_);
    if (--pendingOps_ == 0)
        finish();
}

void PhoneSync::cancel() {
    if (!busy_)
        return;
    stopped_ = true;
    fail(QStringLiteral("Opération annulée"));
    client_.cancel();
}

void PhoneSync::checkCollection(Step next) {
    client_.propfind(client_.collectionUrl(), 0, dav::collectionPropfindBody(),
                     [this, next](const DavResponse& r) {
                         if (stopped_)
                             return finish();
                         if (!r.success()) {
                             fail(describeFailure(r, kReadWhat));
                             return finish();
                         }
                         dav::CollectionInfo info;
                         QString why;
                         if (!dav::parseCollection(r.body, info, &why)) {
                             fail(kReadWhat + QStringLiteral(" : ") + why);
                             return finish();
                         }
                         if (!info.isCalendar) {
                             fail(QStringLiteral("L'adresse %1 ne désigne pas une liste de "
                                                 "tâches CalDAV")
                                      .arg(client_.collectionUrl().toDisplayString()));
                             return finish();
                         }
                         if (!info.acceptsTasks()) {
                             fail(QStringLiteral("Le calendrier %1 n'accepte pas les tâches "
                                                 "(VTODO) : choisissez une liste de tâches")
                                      .arg(client_.collectionUrl().toDisplayString()));
                             return finish();
                         }
                         next();
                     });
}

void PhoneSync::readTasks(Step next) {
    client_.report(
        client_.collectionUrl(), dav::todoQueryBody(), [this, next](const DavResponse& r) {
            if (stopped_)
                return finish();
            if (!r.success()) {
                fail(describeFailure(r, kReadWhat));
                return finish();
            }
            QList<dav::Resource> resources;
            QString why;
            if (!dav::parseResources(r.body, resources, &why)) {
                fail(kReadWhat + QStringLiteral(" : ") + why);
                return finish();
            }
            for (const dav::Resource& res : resources) {
                ServerTask t;
                t.href = hrefPath(res.href);
                t.etag = res.etag;
                QString bad;
                t.calendar = ical::parse(res.calendarData, &bad);
                if (t.calendar && !task::todoOf(*t.calendar)) {
                    t.calendar.reset();
                    bad = QStringLiteral("aucune tâche (VTODO)");
                }
                if (!t.calendar)
                    outcome_.warnings
                        << QStringLiteral("Tâche illisible laissée telle quelle (%1) : %2")
                               .arg(t.href.section(u'/', -1), bad);
                server_.insert(t.href, std::move(t));
            }
            emit tasksRead();
            next();
        });
}

// ---------------------------------------------------------------- send

void PhoneSync::send(const QList<ShoppingTask>& rows) {
    if (!start())
        return;
    checkCollection([this, rows] { readTasks([this, rows] { planSend(rows); }); });
}

void PhoneSync::planSend(const QList<ShoppingTask>& rows) {
    const QStringList keys = rowKeys(rows);
    QSet<QString> known; // UIDs the state already gives to a product
    for (const SyncEntry& e : state_.entries)
        known.insert(e.uid);
    QSet<QString> wanted(keys.begin(), keys.end());

    // Tasks of products no longer on the list.
    const QList<SyncEntry> entries = state_.entries;
    for (const SyncEntry& e : entries) {
        if (wanted.contains(e.key))
            continue;
        const auto it = server_.constFind(hrefPath(e.href));
        if (it == server_.constEnd()) {
            state_.remove(e.key); // already gone
            continue;
        }
        opStarted();
        deleteTask(e.key, it->href, it->etag, 1);
    }

    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& key = keys[i];
        const ShoppingTask& row = rows[i];
        bool adopted = false;
        if (!state_.find(key)) {
            // A task written for this product that the state does not know (the sync file was
            // lost): it is taken over rather than doubled.
            SyncEntry e;
            e.key = key;
            if (key == row.product) {
                for (const ServerTask& t : std::as_const(server_)) {
                    if (!t.calendar || known.contains(uidOf(*t.calendar)))
                        continue;
                    if (task::productOf(*task::todoOf(*t.calendar)) == row.product) {
                        e.uid = uidOf(*t.calendar);
                        e.href = t.href;
                        adopted = true;
                        break;
                    }
                }
            }
            if (!adopted) {
                e.uid =
                    QStringLiteral("paniva-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
                e.href = client_.collectionUrl().path(QUrl::FullyDecoded) + e.uid +
                         QStringLiteral(".ics");
            }
            known.insert(e.uid);
            state_.entries.append(e);
        }
        const SyncEntry& e = *state_.find(key);
        const auto it = server_.constFind(hrefPath(e.href));
        if (it == server_.constEnd()) {
            opStarted();
            createTask(key, row, 1);
        } else if (!it->calendar) {
            ++outcome_.unchanged; // unreadable: left as it is, reported in the warnings
        } else if (!adopted && e.fingerprint == row.fingerprint()) {
            state_.find(key)->etag = it->etag;
            ++outcome_.unchanged;
        } else {
            opStarted();
            updateTask(key, row, *it->calendar, it->etag, 1);
        }
    }
    if (pendingOps_ == 0)
        finish();
}

void PhoneSync::createTask(const QString& key, const ShoppingTask& row, int retries) {
    const SyncEntry* e = state_.find(key);
    putTask(key, row, ical::serialize(task::newCalendar(e->uid, row, clock_())), QByteArray(),
            &Outcome::created, retries);
}

void PhoneSync::updateTask(const QString& key, const ShoppingTask& row, const ical::Component& base,
                           const QByteArray& etag, int retries) {
    putTask(key, row, ical::serialize(task::mergedCalendar(base, row, clock_())), etag,
            &Outcome::updated, retries);
}

void PhoneSync::putTask(const QString& key, const ShoppingTask& row, const QByteArray& ics,
                        const QByteArray& etag, int Outcome::*counted, int retries) {
    const QString href = hrefPath(state_.find(key)->href);
    // No ETag: the task is new and nothing may stand there; else it must still be as read.
    client_.put(urlOf(href), ics, etag, [=, this](const DavResponse& r) {
        if (stopped_)
            return opDone();
        if (r.success()) {
            if (SyncEntry* s = state_.find(key)) {
                s->etag = r.etag;
                s->fingerprint = row.fingerprint();
            }
            ++(outcome_.*counted);
            return opDone();
        }
        if (r.answered() && r.status == 412 && retries > 0) {
            // A task stands there that was not as expected (changed on the phone since it was
            // read, or written by a send that was cut short): merged with the version now there.
            ++outcome_.conflicts;
            return reread(href, [=, this](std::optional<ical::Component> cal, QByteArray now) {
                if (cal)
                    updateTask(key, row, *cal, now, retries - 1);
                else
                    createTask(key, row, retries - 1);
            });
        }
        fail(describeFailure(r, kWriteWhat + QStringLiteral(" « %1 »").arg(row.product)));
        opDone();
    });
}

void PhoneSync::deleteTask(const QString& key, const QString& href, const QByteArray& etag,
                           int retries) {
    client_.remove(urlOf(href), etag, [=, this](const DavResponse& r) {
        if (stopped_)
            return opDone();
        if (r.success() || (r.answered() && (r.status == 404 || r.status == 410))) {
            state_.remove(key);
            if (r.success())
                ++outcome_.deleted;
            return opDone();
        }
        if (r.answered() && r.status == 412 && retries > 0) {
            ++outcome_.conflicts;
            return reread(href, [=, this](std::optional<ical::Component> cal, QByteArray now) {
                if (!cal && now.isEmpty()) {
                    state_.remove(key); // gone meanwhile
                    return opDone();
                }
                deleteTask(key, href, now, retries - 1);
            });
        }
        fail(describeFailure(r, kDeleteWhat));
        opDone();
    });
}

void PhoneSync::reread(const QString& href,
                       std::function<void(std::optional<ical::Component>, QByteArray)> then) {
    client_.get(urlOf(href), [=, this](const DavResponse& r) {
        if (stopped_)
            return opDone();
        if (r.answered() && r.status == 404)
            return then(std::nullopt, QByteArray());
        if (!r.success()) {
            fail(describeFailure(r, kReadWhat));
            return opDone();
        }
        QString why;
        std::optional<ical::Component> cal = ical::parse(r.body, &why);
        if (!cal || !task::todoOf(*cal)) {
            fail(QStringLiteral("Tâche illisible sur le serveur (%1) : %2")
                     .arg(href.section(u'/', -1), why));
            return opDone();
        }
        then(std::move(cal), r.etag);
    });
}

// ---------------------------------------------------------------- fetch

void PhoneSync::fetch() {
    if (!start())
        return;
    checkCollection([this] {
        readTasks([this] {
            collectTicked();
            finish();
        });
    });
}

void PhoneSync::collectTicked() {
    QSet<QString> seen;
    for (const ServerTask& t : std::as_const(server_)) {
        if (!t.calendar)
            continue;
        const ical::Component& todo = *task::todoOf(*t.calendar);
        QString key;
        if (SyncEntry* e = state_.findUid(todo.text(u"UID"))) {
            key = e->key;
            e->etag = t.etag;
        } else {
            key = task::productOf(todo); // written by this program, the state lost meanwhile
        }
        if (key.isEmpty())
            continue; // a task of someone else
        ++outcome_.tasksRead;
        const QString product = productOfKey(key);
        if (task::isTicked(todo) && !seen.contains(product)) {
            seen.insert(product);
            outcome_.ticked << product;
        }
    }
    outcome_.ticked.sort();
}

// ---------------------------------------------------------------- removal

void PhoneSync::removeTasks(const QStringList& products) {
    if (!start())
        return;
    planRemovals(products);
}

void PhoneSync::planRemovals(const QStringList& products) {
    const QSet<QString> gone(products.begin(), products.end());
    const QList<SyncEntry> entries = state_.entries;
    for (const SyncEntry& e : entries) {
        if (!gone.contains(productOfKey(e.key)))
            continue;
        opStarted();
        deleteTask(e.key, hrefPath(e.href), e.etag, 1);
    }
    if (pendingOps_ == 0)
        finish();
}

// ---------------------------------------------------------------- the list itself

QUrl taskListUrlIn(const QUrl& account) {
    QUrl u = account;
    QString path = u.path();
    if (!path.endsWith(u'/'))
        path += u'/';
    u.setPath(path + QStringLiteral("courses/"));
    return u;
}

void createTaskList(CaldavClient& client, const QUrl& url, const QString& displayName,
                    std::function<void(const QString& error)> done) {
    client.mkcalendar(url, dav::mkcalendarBody(displayName), [done](const DavResponse& r) {
        if (r.success())
            return done(QString());
        const QString what = QStringLiteral("Création de la liste de tâches");
        if (r.answered() && r.status == 405)
            return done(what + QStringLiteral(" : une collection existe déjà à cette adresse"));
        done(describeFailure(r, what));
    });
}
