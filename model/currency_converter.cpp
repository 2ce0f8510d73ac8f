#include "model/currency_converter.h"

#include "model/text_compare.h"

#include <cmath>

namespace converter {

Mode modeFor(const QString& currencySymbol) {
    return text::foldAZ(currencySymbol).contains(u'F') ? Mode::Franc : Mode::Euro;
}

QString caption(Mode mode) {
    return mode == Mode::Franc ? QStringLiteral("Convertisseur EURO")
                               : QStringLiteral("Convertisseur Francs");
}

std::optional<QString> convertedText(Money amount, double euroRate, Mode mode,
                                     const RegionalSettings& rs) {
    if (!std::isfinite(euroRate))
        return std::nullopt;
    double v = 0;
    if (mode == Mode::Franc) {
        if (euroRate == 0.0)
            return std::nullopt;
        v = amount.toDouble() / euroRate;
    } else {
        v = amount.toDouble() * euroRate;
    }
    if (!std::isfinite(v))
        return std::nullopt;
    QString s = rs.formatFixed(v, 2);
    // A tiny negative result must not show as "-0,00".
    if (s.startsWith(u'-') && std::abs(v) < 0.005)
        s.remove(0, 1);
    return s + (mode == Mode::Franc ? QStringLiteral(" euros") : QStringLiteral(" francs"));
}

std::optional<QString> line(const QString& shownAmount, Money amount, double euroRate, Mode mode,
                            const RegionalSettings& rs) {
    const std::optional<QString> c = convertedText(amount, euroRate, mode, rs);
    if (!c)
        return std::nullopt;
    return QStringLiteral(" ") + shownAmount + QStringLiteral(" = ") + *c;
}

Lines compute(const QString& priceText, Money price, const QString& totalText, Money total,
              double euroRate, const RegionalSettings& rs, const QString& previousTotalLine) {
    const Mode mode = modeFor(rs.currencySymbol());
    const std::optional<QString> p = line(priceText, price, euroRate, mode, rs);
    const std::optional<QString> t = line(totalText, total, euroRate, mode, rs);
    if (!p || !t)
        return {QStringLiteral("?"), previousTotalLine};
    return {*p, *t};
}

QString buttonHint(double euroRate, const RegionalSettings& rs) {
    return QStringLiteral("Convertisseur\r1 euro = ") + rs.formatFixed(euroRate, 5) +
           QStringLiteral(" ") + rs.currencySymbol();
}

} // namespace converter
