#include "model/contrast.h"

#include <algorithm>
#include <cmath>

namespace contrast {
namespace {

inline constexpr quint32 kBlack = 0x000000;
inline constexpr quint32 kWhite = 0xFFFFFF;

double channel(quint32 value) {
    const double c = static_cast<double>(value & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colour moved a fraction t (0 to 1) of the way towards the target colour.
quint32 mix(quint32 from, quint32 to, double t) {
    quint32 out = 0;
    for (int shift : {16, 8, 0}) {
        const double a = static_cast<double>((from >> shift) & 0xFF);
        const double b = static_cast<double>((to >> shift) & 0xFF);
        const auto v = static_cast<quint32>(std::lround(a + (b - a) * t));
        out |= std::min<quint32>(v, 255) << shift;
    }
    return out;
}

} // namespace

double relativeLuminance(quint32 rgb) {
    return 0.2126 * channel(rgb >> 16) + 0.7152 * channel(rgb >> 8) + 0.0722 * channel(rgb);
}

double ratio(quint32 a, quint32 b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

quint32 textOn(quint32 background) {
    return ratio(kBlack, background) >= ratio(kWhite, background) ? kBlack : kWhite;
}

bool isDark(quint32 background) {
    return textOn(background) == kWhite;
}

quint32 readableAccent(quint32 wanted, quint32 background, double minimum) {
    wanted &= 0xFFFFFF;
    if (ratio(wanted, background) >= minimum)
        return wanted;
    // Towards the text colour the background calls for, in small steps: the first step that
    // reads well keeps as much of the wanted colour as possible.
    const quint32 towards = textOn(background);
    for (int step = 1; step <= 20; ++step) {
        const quint32 c = mix(wanted, towards, step / 20.0);
        if (ratio(c, background) >= minimum)
            return c;
    }
    return towards;
}

} // namespace contrast
