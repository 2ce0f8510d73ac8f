#include "model/regional_settings.h"

namespace {

QString storableBlanks(QString s) {
    s.replace(QChar(0x202F), QChar(0x00A0));
    s.replace(QChar(0x2009), QChar(0x00A0));
    return s;
}

} // namespace

RegionalSettings::RegionalSettings()
    : RegionalSettings(QLocale(QLocale::French, QLocale::France)) {}

RegionalSettings::RegionalSettings(const QLocale& locale, QString currencySymbol)
    : locale_(locale), currency_(std::move(currencySymbol)) {
    if (currency_.isEmpty())
        currency_ = locale_.currencySymbol(QLocale::CurrencySymbol);
}

RegionalSettings RegionalSettings::french() {
    return RegionalSettings();
}

RegionalSettings RegionalSettings::system() {
    const QLocale sys = QLocale::system();
    if (sys.language() == QLocale::C)
        return french();
    return RegionalSettings(sys);
}

QChar RegionalSettings::decimalSeparator() const {
    const QString d = locale_.decimalPoint();
    return d.isEmpty() ? QChar(u',') : d.at(0);
}

QString RegionalSettings::formatMoney(Money amount, int decimals) const {
    return formatMoney(amount.toDouble(), decimals);
}

QString RegionalSettings::formatMoney(double amount, int decimals) const {
    return storableBlanks(locale_.toCurrencyString(amount, currency_, decimals));
}

QString RegionalSettings::formatFixed(double value, int decimals) const {
    QString s = QString::number(value, 'f', decimals);
    const QChar sep = decimalSeparator();
    if (sep != u'.')
        s.replace(u'.', sep);
    return s;
}

QString RegionalSettings::shortDate(QDate d) const {
    return storableBlanks(locale_.toString(d, QLocale::ShortFormat));
}

QString RegionalSettings::longDate(QDate d) const {
    return storableBlanks(locale_.toString(d, QLocale::LongFormat));
}
