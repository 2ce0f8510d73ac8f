#pragma once

#include "model/money.h"
#include "model/regional_settings.h"
#include "model/shopping_data.h"

#include <QDate>
#include <QString>
#include <optional>

// The global operations of the "Requêtes globales" dialog: one change applied at once to every
// product of the catalogue as the main window shows it (all products, or the selected sector or
// aisle while the shop filter is on), walked from the first record in the present order.
//
// Every operation but select/deselect acts on the planned products only (prevu = "O"). Each
// returns the text of the notice the dialog shows afterwards, or an empty text when there is
// nothing to show.
namespace globalops {

// The name of the undo step of every operation (the dialog's caption).
namespace undoName {
QString globalOperations(); // "Requêtes globales"
}

// Notices shown once an operation is done.
QString reminderDoneText(bool on);
QString dueDateDoneText();
QString priceDoneText();
QString noPlannedProductText(); // "Pas de produits sélectionnés (prévus)"

// Outcome of an operation on the planned products.
struct Outcome {
    int changed = 0;     // planned products in scope that were changed
    QString notice;      // the warning box's text
    bool failed = false; // refused before anything changed (notice holds the "ERREUR : " text)
};

// prevu := "O" (planned) or "N" for every product in scope; sets the modified flag when at least
// one product is in scope. The cursor goes back to the record it stood on. Returns the count.
int setPlanned(ShoppingData& data, bool planned);

// Rappel := "O" or "N" for every planned product in scope.
Outcome setReminder(ShoppingData& data, bool on);

// Moves the due date of every planned product in scope: date_dern_achat := today minus
// Duree_rappel x (10 - k) / 10 days, the fraction of a day dropped downwards, and Rappel := "O".
// k is 0 for "due today", the tolerance Coef_delai for "due within the tolerance from today".
Outcome forceDueDate(ShoppingData& data, QDate today, int k);
// The date that the above gives one product.
QDate forcedLastPurchase(QDate today, int period, int k);

// The factor of a price operation and the text the confirmation shows after "Prix = Prix ".
class PriceFactor {
public:
    // Division by the euro rate: "/ " + the rate in general format with the locale's decimal
    // separator. Fails (error text in *error) when the rate is 0 or not a finite number.
    static std::optional<PriceFactor> euroDivision(double euroRate, const RegionalSettings& rs,
                                                   QString* error);
    // Multiplication by the factor field's text: "* " + the text as typed. The text is read as a
    // fixed-point amount with four decimals, "." and "," both standing for the decimal
    // separator. Fails when the text is not a number.
    static std::optional<PriceFactor> multiplication(const QString& typed, QString* error);

    const QString& text() const { return text_; }
    // New price of a price p; nothing when the result does not fit a money amount.
    std::optional<Money> apply(Money p) const;

private:
    PriceFactor() = default;
    QString text_;
    bool exact_ = false;  // multiplication: factor_ in ten-thousandths, computed exactly
    qint64 raw_ = 0;      // the four-decimal factor, when exact_
    double factor_ = 1.0; // the floating-point factor otherwise
};

// "Conversion des prix des produits sélectionnés (prévus)\r\nPrix = Prix <text>\r\n\r\nValidation
// ?"
QString priceConfirmationText(const PriceFactor& f);

// Reads a number with at most four decimals kept (more are rounded, ties to even), accepting "."
// or "," as the decimal separator and blanks around it; nothing when it is not a number.
std::optional<Money> parseFourDecimals(const QString& text);

// Replaces the price of every planned product in scope by its product with the factor. All new
// prices are computed first: when one does not fit, nothing changes and the outcome is failed.
// Afterwards the cursor stays on the last product of the walk.
Outcome applyPriceFactor(ShoppingData& data, const PriceFactor& f);

} // namespace globalops
