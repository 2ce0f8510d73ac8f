#pragma once

#include <QtGlobal>
#include <compare>
#include <optional>

// A currency amount in fixed point: a whole number of ten-thousandths in 64 bits. Prices and
// totals are computed with it; the catalogue's price field itself holds a double.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 tenThousandths) {
        Money m;
        m.raw_ = tenThousandths;
        return m;
    }
    // value * 10 000 rounded to the nearest integer, ties to even. Values out of range
    // (or not finite) give no amount.
    static std::optional<Money> fromDouble(double value);
    // Same, for callers that know the value is in range; out-of-range values give 0.
    static Money fromDoubleOrZero(double value);

    constexpr qint64 raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / 10000.0; }

    // p * factor rounded to whole ten-thousandths, ties to even; nothing when out of range.
    std::optional<Money> multipliedBy(double factor) const;

    constexpr Money operator+(Money o) const { return fromRaw(raw_ + o.raw_); }
    constexpr Money operator-(Money o) const { return fromRaw(raw_ - o.raw_); }
    constexpr Money operator-() const { return fromRaw(-raw_); }
    constexpr Money operator*(qint64 n) const { return fromRaw(raw_ * n); }
    Money& operator+=(Money o) {
        raw_ += o.raw_;
        return *this;
    }
    Money& operator-=(Money o) {
        raw_ -= o.raw_;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 raw_ = 0;
};

// Rounds to the nearest integer, ties to even; nothing when the result does not fit 64 bits.
std::optional<qint64> roundHalfEven(double value);
