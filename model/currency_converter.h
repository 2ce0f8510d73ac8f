#pragma once

#include "model/money.h"
#include "model/regional_settings.h"

#include <QString>
#include <optional>

// The franc/euro converter: which way it converts, and the texts of its two lines.
namespace converter {

// Franc mode turns the user's francs into euros, euro mode the user's euros into francs.
enum class Mode { Franc, Euro };

// Franc mode when the currency symbol, with a to z turned to capitals, contains "F".
Mode modeFor(const QString& currencySymbol);

// "Convertisseur EURO" in franc mode, "Convertisseur Francs" in euro mode.
QString caption(Mode mode);

// The amount converted with the rate (francs for one euro), formatted with two decimals, the
// locale's decimal separator and no grouping, then " euros" or " francs": "1,00 euros".
// Nothing when the conversion fails (a rate of 0 in franc mode, a rate that is not a number).
std::optional<QString> convertedText(Money amount, double euroRate, Mode mode,
                                     const RegionalSettings& rs);

// One line of the window: " " + the amount as shown + " = " + the converted amount.
std::optional<QString> line(const QString& shownAmount, Money amount, double euroRate, Mode mode,
                            const RegionalSettings& rs);

struct Lines {
    QString price; // top line
    QString total; // bottom line
};

// Both lines of the window. On failure the price line is "?" and the total line keeps its
// previous text.
Lines compute(const QString& priceText, Money price, const QString& totalText, Money total,
              double euroRate, const RegionalSettings& rs, const QString& previousTotalLine);

// The converter button's hint: "Convertisseur\r1 euro = " + rate with five decimals + " " +
// the currency symbol.
QString buttonHint(double euroRate, const RegionalSettings& rs);

} // namespace converter
