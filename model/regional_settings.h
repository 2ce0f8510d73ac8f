#pragma once

#include "model/money.h"

#include <QDate>
#include <QLocale>
#include <QString>

// The user's regional settings as the program uses them: money and date texts shown to the
// user. Files never depend on them (see the list file's fixed French forms).
class RegionalSettings {
public:
    // French (France) with the euro: the program's language, used when the system has no
    // regional settings of its own ("C"/POSIX).
    RegionalSettings();
    explicit RegionalSettings(const QLocale& locale, QString currencySymbol = QString());

    static RegionalSettings french();
    // The system's settings, or French when the system locale is "C".
    static RegionalSettings system();

    const QLocale& locale() const { return locale_; }
    const QString& currencySymbol() const { return currency_; }
    QChar decimalSeparator() const;

    // The amount in the locale's money format with the given decimals. Blanks the program's
    // single-byte files cannot hold (narrow no-break space) become no-break spaces.
    QString formatMoney(Money amount, int decimals = 2) const;
    QString formatMoney(double amount, int decimals = 2) const;
    // A number with fixed decimals, the locale's decimal separator and no grouping ("%1.5f").
    QString formatFixed(double value, int decimals) const;
    QString shortDate(QDate d) const;
    QString longDate(QDate d) const;

private:
    QLocale locale_;
    QString currency_;
};
