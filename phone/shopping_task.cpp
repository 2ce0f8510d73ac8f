#include "phone/shopping_task.h"

#include "model/regional_settings.h"

#include <QCryptographicHash>
#include <QStringList>

QString ShoppingTask::summary() const {
    return product + QStringLiteral(" ×") + QString::number(quantity);
}

QString ShoppingTask::category() const {
    QString c = aisle;
    c.remove(u',');
    return c.simplified();
}

QString ShoppingTask::description() const {
    QStringList lines;
    lines << QStringLiteral("Quantité : %1").arg(quantity);
    if (!shop.isEmpty())
        lines << QStringLiteral("Magasin : ") + shop;
    if (!aisle.isEmpty())
        lines << QStringLiteral("Rayon : ") + aisle;
    if (unitPrice)
        lines << QStringLiteral("Prix unitaire : ") +
                     RegionalSettings::french().formatMoney(*unitPrice);
    if (!note.isEmpty())
        lines << QStringLiteral("Note : ") + note;
    return lines.join(u'\n');
}

QByteArray ShoppingTask::fingerprint() const {
    const QStringList parts{product,
                            QString::number(quantity),
                            shop,
                            aisle,
                            unitPrice ? QString::number(*unitPrice, 'g', 15) : QString(),
                            note,
                            planned ? QStringLiteral("O") : QStringLiteral("N"),
                            reminderCode,
                            QString::number(sortOrder)};
    return QCryptographicHash::hash(parts.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1)
        .toHex()
        .left(24);
}

namespace task {

namespace {

QString utcStamp(const QDateTime& t) {
    return t.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

} // namespace

void applyContent(ical::Component& v, const ShoppingTask& c) {
    v.setText(QStringLiteral("SUMMARY"), c.summary());
    if (c.shop.isEmpty())
        v.remove(u"LOCATION");
    else
        v.setText(QStringLiteral("LOCATION"), c.shop);
    if (c.category().isEmpty())
        v.remove(u"CATEGORIES");
    else
        v.setText(QStringLiteral("CATEGORIES"), c.category());
    v.setText(QStringLiteral("DESCRIPTION"), c.description());
    v.setRaw(QString::fromLatin1(kSortOrder), QString::number(c.sortOrder));
    v.setText(QString::fromLatin1(kProduct), c.product);
    v.setRaw(QString::fromLatin1(kQuantity), QString::number(c.quantity));
    v.setText(QString::fromLatin1(kShop), c.shop);
    v.setText(QString::fromLatin1(kAisle), c.aisle);
    if (c.unitPrice)
        v.setRaw(QString::fromLatin1(kPrice), QString::number(*c.unitPrice, 'f', 2));
    else
        v.remove(QString::fromLatin1(kPrice));
    if (c.note.isEmpty())
        v.remove(QString::fromLatin1(kNote));
    else
        v.setText(QString::fromLatin1(kNote), c.note);
    v.setRaw(QString::fromLatin1(kPlanned), c.planned ? QStringLiteral("O") : QStringLiteral("N"));
    v.setText(QString::fromLatin1(kReminder), c.reminderCode);
}

ical::Component newCalendar(const QString& uid, const ShoppingTask& content, const QDateTime& now) {
    ical::Component todo{QStringLiteral("VTODO"), {}, {}};
    const QString stamp = utcStamp(now);
    todo.setText(QStringLiteral("UID"), uid);
    todo.setRaw(QStringLiteral("DTSTAMP"), stamp);
    todo.setRaw(QStringLiteral("CREATED"), stamp);
    todo.setRaw(QStringLiteral("LAST-MODIFIED"), stamp);
    todo.setRaw(QStringLiteral("STATUS"), QStringLiteral("NEEDS-ACTION"));
    applyContent(todo, content);
    ical::Component cal{QStringLiteral("VCALENDAR"), {}, {}};
    cal.setRaw(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    cal.setRaw(QStringLiteral("PRODID"), QStringLiteral("-//Paniva//Paniva 2.0//FR"));
    cal.children.append(std::move(todo));
    return cal;
}

ical::Component mergedCalendar(const ical::Component& server, const ShoppingTask& content,
                               const QDateTime& now) {
    ical::Component cal = server;
    ical::Component* todo = cal.child(u"VTODO");
    if (!todo) {
        cal.children.append(ical::Component{QStringLiteral("VTODO"), {}, {}});
        todo = &cal.children.last();
    }
    const QString stamp = utcStamp(now);
    todo->setRaw(QStringLiteral("DTSTAMP"), stamp);
    todo->setRaw(QStringLiteral("LAST-MODIFIED"), stamp);
    applyContent(*todo, content);
    return cal;
}

const ical::Component* todoOf(const ical::Component& calendar) {
    if (calendar.name == u"VTODO")
        return &calendar;
    return calendar.child(u"VTODO");
}

bool isTicked(const ical::Component& v) {
    if (v.raw(u"STATUS").trimmed().compare(u"COMPLETED", Qt::CaseInsensitive) == 0)
        return true;
    if (v.has(u"COMPLETED"))
        return true;
    bool ok = false;
    const int percent = v.raw(u"PERCENT-COMPLETE").trimmed().toInt(&ok);
    return ok && percent >= 100;
}

QString productOf(const ical::Component& v) {
    return v.text(QString::fromLatin1(kProduct));
}

} // namespace task
