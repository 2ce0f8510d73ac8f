#pragma once

class QApplication;

// What the program sets up before its first window: the application's title, the fonts its
// windows ask for, French texts in Qt's own dialogs.
namespace appsetup {

// "Paniva v2.0": the title of the boxes that have none of their own.
inline constexpr char kApplicationTitle[] = "Paniva v2.0";

void setApplicationTitle();
// "Arial" and "Comic Sans MS" resolve to the metric-compatible fonts installed in their place
// (Liberation Sans, Comic Neue) when the system does not have them.
void installFontSubstitutes();
// Qt's own texts (file and colour dialogs) in French, when the translations are installed.
void installFrenchTranslations(QApplication& app);
// Without regional settings of its own (the "C" locale), the program takes the French ones,
// as its regional settings do: Qt's widgets then show French numbers, dates and day names.
void useFrenchLocaleByDefault();

} // namespace appsetup
