#include "model/reminder.h"

#include "model/shopping_tables.h"

#include <algorithm>

namespace reminder {

Inputs fromCatalogue(const Record& product) {
    Inputs in;
    in.active = RecordTable::textOf(product, Cat::Rappel) == Flag::Yes;
    in.period = RecordTable::integerOf(product, Cat::Duree_rappel).value_or(0);
    in.lastPurchase = RecordTable::dateOf(product, Cat::date_dern_achat);
    return in;
}

// An empty purchase date counts as day zero of the calendar the files come from (30/12/1899), so
// an active reminder without a date is simply long overdue.
QDate dueDate(const Inputs& in) {
    const QDate from = in.lastPurchase.isValid() ? in.lastPurchase : QDate(1899, 12, 30);
    return from.addDays(in.period);
}

int window(int period, int coef) {
    const long long w = static_cast<long long>(period) * coef / 10; // C++ truncates toward zero
    return static_cast<int>(std::min<long long>(w, 15));
}

State state(const Inputs& in, QDate today, int coef) {
    if (!in.active)
        return State::None;
    const QDate d = dueDate(in);
    if (today >= d)
        return State::Due;
    if (today >= d.addDays(-window(in.period, coef)))
        return State::Window;
    return State::None;
}

QString listRowCode(const Inputs& in, QDate today, int coef) {
    switch (state(in, today, coef)) {
    case State::Due:
        return Flag::Yes;
    case State::Window:
        return Flag::Window;
    case State::None:
        break;
    }
    return Flag::No;
}

DropChange byDrop(DropMeaning meaning, const Inputs& in, QDate today, int coef) {
    DropChange change;
    const auto tolerance = [&](qint64 days) {
        if (meaning == DropMeaning::DueToday || days <= 0)
            return qint64(0);
        return std::min<qint64>(15, days * coef / 10);
    };
    if (!in.lastPurchase.isValid()) {
        const int period = std::clamp(in.period, 0, kMaxPeriod);
        if (period != in.period)
            change.period = period;
        change.lastPurchase = today.addDays(tolerance(period) - period);
        return change;
    }
    const qint64 d = in.lastPurchase.daysTo(today);
    if (d <= 0)
        return change;
    const qint64 tol = tolerance(d);
    if (d + tol <= kMaxPeriod) {
        change.period = static_cast<int>(d + tol);
        return change;
    }
    change.period = kMaxPeriod;
    change.lastPurchase = today.addDays(tol - kMaxPeriod);
    return change;
}

} // namespace reminder
