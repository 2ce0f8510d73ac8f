#pragma once

#include <QtGlobal>

// Readability of a text colour on a background, by the relative luminance and the contrast
// ratio of the Web Content Accessibility Guidelines. Colours are 0xRRGGBB.
namespace contrast {

// What normal text needs against its background (level AA).
inline constexpr double kMinimumRatio = 4.5;

// 0 for black to 1 for white.
double relativeLuminance(quint32 rgb);
// From 1 (the same luminance) to 21 (black on white), whichever is lighter.
double ratio(quint32 a, quint32 b);
// Black or white, whichever stands out more on the background: dark text on a light colour,
// light text on a dark one. Either of them reaches at least 4.58:1 on any background.
quint32 textOn(quint32 background);
// True when the background is dark enough for light text (and light outlines) to show best.
bool isDark(quint32 background);
// The wanted colour (a red for a warning, say) when it reads well on the background; otherwise
// the same colour darkened (on a light background) or lightened (on a dark one) just enough to
// reach the minimum ratio.
quint32 readableAccent(quint32 wanted, quint32 background, double minimum = kMinimumRatio);

} // namespace contrast
