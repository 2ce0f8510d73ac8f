#include "model/global_operations.h"

#include "model/shopping_tables.h"

#include <cmath>
#include <limits>

namespace globalops {

QString undoName::globalOperations() {
    return QString::fromUtf8("Requêtes globales");
}

namespace {

__extension__ typedef __int128 Wide;

const QString kUndoNote = QStringLiteral("Remarque : Pour annuler cette opération\r\n"
                                         "Quittez la fenêtre avec Annule");

bool isPlanned(const RecordTable& t) {
    return t.text(Cat::prevu) == Flag::Yes;
}

// Walks the catalogue as shown, from its first record, with the grids' redrawing suspended,
// and puts the cursor back on the record it stood on.
template <typename Fn> void walkRestoring(RecordTable& t, Fn&& fn) {
    const RecordTable::Bookmark mark = t.bookmark();
    t.disableControls();
    for (t.first(); !t.eof(); t.next())
        fn(t);
    t.gotoBookmark(mark);
    t.enableControls();
}

// Rounds n / 10 000 to the nearest integer, ties to even.
std::optional<qint64> divideTenThousandHalfEven(Wide n) {
    const Wide d = 10000;
    Wide q = n / d;
    Wide r = n % d; // same sign as n
    const Wide twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && (q % 2) != 0))
        q += (n < 0) ? -1 : 1;
    if (q > std::numeric_limits<qint64>::max() || q < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return static_cast<qint64>(q);
}

} // namespace

QString reminderDoneText(bool on) {
    return QStringLiteral("Le rappel a été ") +
           (on ? QStringLiteral("activés") : QStringLiteral("désactivés")) +
           QStringLiteral("\r\npour tous les produits sélectionnés\r\n\r\n") + kUndoNote;
}

QString dueDateDoneText() {
    return QStringLiteral("L'échéance vient d'être fixée à aujourd'hui\r\n"
                          "pour tous les produits sélectionnés\r\n\r\n\r\n") +
           kUndoNote;
}

QString priceDoneText() {
    return QStringLiteral("La conversion des prix vient d'être réalisée\r\n\r\n\r\n") + kUndoNote;
}

QString noPlannedProductText() {
    return QStringLiteral("Pas de produits sélectionnés (prévus)");
}

int setPlanned(ShoppingData& data, bool planned) {
    UndoStep step(data.history, undoName::globalOperations());
    int n = 0;
    walkRestoring(data.catalogue, [&](RecordTable& t) {
        t.edit();
        t.setText(Cat::prevu, planned ? Flag::Yes : Flag::No);
        t.post();
        ++n;
    });
    if (n > 0)
        data.setModified();
    return n;
}

Outcome setReminder(ShoppingData& data, bool on) {
    UndoStep step(data.history, undoName::globalOperations());
    Outcome out;
    walkRestoring(data.catalogue, [&](RecordTable& t) {
        if (!isPlanned(t))
            return;
        t.edit();
        t.setText(Cat::Rappel, on ? Flag::Yes : Flag::No);
        t.post();
        ++out.changed;
    });
    if (out.changed > 0) {
        data.setModified();
        out.notice = reminderDoneText(on);
    } else {
        out.notice = noPlannedProductText();
    }
    return out;
}

QDate forcedLastPurchase(QDate today, int period, int k) {
    // The offset is a number of days with a fraction; the date keeps the day the fraction falls
    // in, i.e. the fraction is dropped towards the past.
    const double back = static_cast<double>(period) * (10 - k) / 10.0;
    return today.addDays(static_cast<qint64>(std::floor(-back)));
}

Outcome forceDueDate(ShoppingData& data, QDate today, int k) {
    UndoStep step(data.history, undoName::globalOperations());
    Outcome out;
    walkRestoring(data.catalogue, [&](RecordTable& t) {
        if (!isPlanned(t))
            return;
        const int period = t.isNull(Cat::Duree_rappel) ? 0 : t.integer(Cat::Duree_rappel);
        t.edit();
        t.setDate(Cat::date_dern_achat, forcedLastPurchase(today, period, k));
        t.setText(Cat::Rappel, Flag::Yes);
        t.post();
        ++out.changed;
    });
    if (out.changed > 0) {
        data.setModified();
        out.notice = dueDateDoneText();
    } else {
        out.notice = noPlannedProductText();
    }
    return out;
}

std::optional<PriceFactor> PriceFactor::euroDivision(double euroRate, const RegionalSettings& rs,
                                                     QString* error) {
    if (!std::isfinite(euroRate) || euroRate == 0.0) {
        if (error)
            *error = QStringLiteral("ERREUR : La valeur de l'euro est nulle ou invalide.\r\n"
                                    "Réglez-la dans Paramétrage > Options.");
        return std::nullopt;
    }
    PriceFactor f;
    QString rate = QString::number(euroRate, 'g', 15);
    const QChar sep = rs.decimalSeparator();
    if (sep != u'.')
        rate.replace(u'.', sep);
    f.text_ = QStringLiteral("/ ") + rate;
    f.factor_ = 1.0 / euroRate;
    return f;
}

std::optional<PriceFactor> PriceFactor::multiplication(const QString& typed, QString* error) {
    const std::optional<Money> m = parseFourDecimals(typed);
    if (!m) {
        if (error)
            *error = QStringLiteral("ERREUR : Le coefficient de multiplication « %1 » n'est pas "
                                    "un nombre.\r\nExemple : 1,5")
                         .arg(typed);
        return std::nullopt;
    }
    PriceFactor f;
    f.text_ = QStringLiteral("* ") + typed;
    f.exact_ = true;
    f.raw_ = m->raw();
    return f;
}

std::optional<Money> PriceFactor::apply(Money p) const {
    if (exact_) {
        const auto r = divideTenThousandHalfEven(static_cast<Wide>(p.raw()) * raw_);
        if (!r)
            return std::nullopt;
        return Money::fromRaw(*r);
    }
    return p.multipliedBy(factor_);
}

QString priceConfirmationText(const PriceFactor& f) {
    return QStringLiteral("Conversion des prix des produits sélectionnés (prévus)\r\n"
                          "Prix = Prix ") +
           f.text() + QStringLiteral("\r\n\r\nValidation ?");
}

std::optional<Money> parseFourDecimals(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    Wide whole = 0;
    int wholeDigits = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') {
        whole = whole * 10 + (t[i].unicode() - u'0');
        if (whole > std::numeric_limits<qint64>::max())
            return std::nullopt;
        ++wholeDigits;
        ++i;
    }
    // Fraction digits, scaled to hundred-thousandths so the fifth one decides the rounding and
    // any later non-zero digit breaks a tie.
    Wide frac = 0;
    int fracDigits = 0;
    bool beyond = false;
    if (i < t.size() && (t[i] == u',' || t[i] == u'.')) {
        ++i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') {
            const int d = t[i].unicode() - u'0';
            if (fracDigits < 5)
                frac = frac * 10 + d;
            else if (d != 0)
                beyond = true;
            ++fracDigits;
            ++i;
        }
    }
    if (i != t.size() || wholeDigits + fracDigits == 0)
        return std::nullopt;
    for (int k = fracDigits; k < 5; ++k)
        frac *= 10;
    Wide raw = whole * 10000 + frac / 10;
    const int fifth = static_cast<int>(frac % 10);
    if (fifth > 5 || (fifth == 5 && (beyond || raw % 2 != 0)))
        ++raw;
    if (negative)
        raw = -raw;
    if (raw > std::numeric_limits<qint64>::max() || raw < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return Money::fromRaw(static_cast<qint64>(raw));
}

Outcome applyPriceFactor(ShoppingData& data, const PriceFactor& f) {
    UndoStep step(data.history, undoName::globalOperations());
    Outcome out;
    RecordTable& t = data.catalogue;
    // First pass, without touching anything: every new price must fit.
    std::vector<std::pair<int, Money>> changes;
    for (int pos : t.visiblePositions()) {
        const Record& r = t.recordAt(pos);
        if (RecordTable::textOf(r, Cat::prevu) != Flag::Yes)
            continue;
        const std::optional<double> price = RecordTable::realOf(r, Cat::Prix);
        if (!price) {
            // No price to convert; the product still counts as handled.
            changes.emplace_back(pos, Money());
            continue;
        }
        const std::optional<Money> p = Money::fromDouble(*price);
        const std::optional<Money> np = p ? f.apply(*p) : std::nullopt;
        if (!np) {
            out.failed = true;
            out.notice = QStringLiteral("ERREUR : Le nouveau prix de « %1 » serait trop grand.\r\n"
                                        "Aucun prix n'a été modifié.")
                             .arg(RecordTable::textOf(r, Cat::Produit));
            return out;
        }
        changes.emplace_back(pos, *np);
    }
    if (changes.empty()) {
        out.notice = noPlannedProductText();
        return out;
    }
    // Second pass: the walk itself, leaving the cursor on the last product.
    t.disableControls();
    size_t next = 0;
    for (t.first(); !t.eof(); t.next()) {
        if (next < changes.size() && t.currentPos() == changes[next].first) {
            if (!t.isNull(Cat::Prix)) {
                t.edit();
                t.setMoney(Cat::Prix, changes[next].second);
                t.post();
            }
            ++next;
            ++out.changed;
        }
    }
    t.enableControls();
    data.setModified();
    out.notice = priceDoneText();
    return out;
}

} // namespace globalops
