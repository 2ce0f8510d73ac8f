#include "model/money.h"

#include <cfenv>
#include <cmath>

std::optional<qint64> roundHalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        return std::nullopt;
    double r = std::nearbyint(value); // default rounding mode: to nearest, ties to even
    if (std::fegetround() != FE_TONEAREST) {
        const double f = std::floor(value);
        const double diff = value - f;
        if (diff > 0.5)
            r = f + 1;
        else if (diff < 0.5)
            r = f;
        else
            r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    }
    if (r >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<qint64>(r);
}

std::optional<Money> Money::fromDouble(double value) {
    const auto r = roundHalfEven(value * 10000.0);
    if (!r)
        return std::nullopt;
    return fromRaw(*r);
}

Money Money::fromDoubleOrZero(double value) {
    return fromDouble(value).value_or(Money());
}

std::optional<Money> Money::multipliedBy(double factor) const {
    const auto r = roundHalfEven(static_cast<double>(raw_) * factor);
    if (!r)
        return std::nullopt;
    return fromRaw(*r);
}
