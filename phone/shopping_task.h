#pragma once

#include "phone/ical.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// What the phone shows of one shopping-list row: the task's content. The task carries it as
// SUMMARY (product and quantity), LOCATION (the shop), one CATEGORIES value (the aisle),
// DESCRIPTION (everything in French), X-APPLE-SORT-ORDER (the printed list's order) and
// machine-readable copies in X-PANIVA- properties. Whether the task is ticked belongs to the
// phone, not to this content.
struct ShoppingTask {
    QString product;
    int quantity = 1;
    QString shop;                    // Secteur
    QString aisle;                   // Rayon
    std::optional<double> unitPrice; // the catalogue price, when above zero
    QString note;
    bool planned = false;
    QString reminderCode; // the row's Rappel code ("N", "P", "O")
    int sortOrder = 0;    // rank in the printed list's order, from 1

    // "Lait demi-écrémé 1 L ×2"
    QString summary() const;
    // The aisle as one CATEGORIES value: commas would split it, so they are removed.
    QString category() const;
    // Quantity, shop, aisle, unit price and note, one per line, in French.
    QString description() const;
    // A short fingerprint of everything above: equal fingerprints, nothing to send.
    QByteArray fingerprint() const;

    bool operator==(const ShoppingTask&) const = default;
};

namespace task {

// The X- properties this program writes (every other property of a task belongs to someone
// else and is kept).
inline constexpr char kProduct[] = "X-PANIVA-PRODUIT";
inline constexpr char kQuantity[] = "X-PANIVA-QUANTITE";
inline constexpr char kShop[] = "X-PANIVA-SECTEUR";
inline constexpr char kAisle[] = "X-PANIVA-RAYON";
inline constexpr char kPrice[] = "X-PANIVA-PRIX";
inline constexpr char kNote[] = "X-PANIVA-NOTE";
inline constexpr char kPlanned[] = "X-PANIVA-PREVU";
inline constexpr char kReminder[] = "X-PANIVA-RAPPEL";
inline constexpr char kSortOrder[] = "X-APPLE-SORT-ORDER";

// A new calendar object holding one VTODO with the content, to be ticked: STATUS NEEDS-ACTION.
ical::Component newCalendar(const QString& uid, const ShoppingTask& content, const QDateTime& now);
// The server's calendar object with the content written into its VTODO: the content properties
// are replaced, everything else (ticked state, alarms, properties of phone apps) stays.
// LAST-MODIFIED and DTSTAMP take `now`.
ical::Component mergedCalendar(const ical::Component& server, const ShoppingTask& content,
                               const QDateTime& now);
// Writes the content properties into a VTODO.
void applyContent(ical::Component& vtodo, const ShoppingTask& content);

// The VTODO of a calendar object, or null.
const ical::Component* todoOf(const ical::Component& calendar);
// Ticked: STATUS COMPLETED, or a COMPLETED date, or PERCENT-COMPLETE 100. IN-PROCESS, any
// other STATUS and no STATUS at all are not ticked.
bool isTicked(const ical::Component& vtodo);
// The product a task was written for (its X-PANIVA-PRODUIT), empty for a foreign task.
QString productOf(const ical::Component& vtodo);

} // namespace task
