#pragma once

#include <QDate>
#include <QString>

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

} // namespace reminder
