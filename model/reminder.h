#pragma once

#include <QDate>
#include <QString>
#include <optional>

struct Record;

// Reminder arithmetic of a catalogue product on a given day.
namespace reminder {

enum class State { None, Window, Due };

struct Inputs {
    bool active = false; // Rappel = "O"
    int period = 0;      // Duree_rappel (null counts as 0)
    QDate lastPurchase;  // date_dern_achat (may be null)
};

Inputs fromCatalogue(const Record& product);

// D = last purchase + period.
QDate dueDate(const Inputs& in);
// W = (period * coef) / 10, truncated toward zero, at most 15 days.
int window(int period, int coef);
State state(const Inputs& in, QDate today, int coef);
// "N"; "P" inside the window or due; "O" due.
QString listRowCode(const Inputs& in, QDate today, int coef);

// The longest period the program gives (the product dialog accepts 0 to this).
inline constexpr int kMaxPeriod = 9999;

// What a drop on "Rappel" (due today) or "Rappel(+)" (inside its window, due within the
// tolerance) changes in a product's reminder: the fields to store, nothing for those that stay.
struct DropChange {
    std::optional<int> period;
    std::optional<QDate> lastPurchase;
};
enum class DropMeaning { DueToday, InWindow };
// A product bought d > 0 days ago gets the period d ("Rappel") or d plus its tolerance, the
// smaller of 15 and d x coef / 10 ("Rappel(+)"). A period that would pass kMaxPeriod (a purchase
// older than 27 years) is held at kMaxPeriod and the purchase date moved so that the due date
// stays where the drop puts it. A product bought today or later keeps its period and date.
// A product never bought keeps its own period, held within 0 to kMaxPeriod, and gets the
// purchase date that puts its due date today ("Rappel") or its own tolerance later
// ("Rappel(+)"), as choosing that date in the date picker would.
DropChange byDrop(DropMeaning meaning, const Inputs& in, QDate today, int coef);

} // namespace reminder
