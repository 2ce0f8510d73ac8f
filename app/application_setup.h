#pragma once

class QApplication;
class Platform;

// What the program sets up before its first window: the application's title, the fonts its
// windows ask for, French texts in Qt's own dialogs, the working folder.
namespace appsetup {

// "Paniva v2.0": the title of the boxes that have none of their own.
inline constexpr char kApplicationTitle[] = "Paniva v2.0";

void setApplicationTitle();
// "Arial" and "Comic Sans MS" resolve to the metric-compatible fonts installed in their place
// (Liberation Sans, Comic Neue) when the system does not have them.
void installFontSubstitutes();
// Qt's own texts (file and colour dialogs) in French, when the translations are installed.
void installFrenchTranslations(QApplication& app);
// The desktop entry the windows belong to (org.example.paniva.desktop), for the task bar.
void setDesktopIdentity();
// Makes the user's own Paniva folder the working folder, created and seeded on first use (see
// model/user_folder.h). When it cannot be made, the program stays in the current directory
// and says so; a starter list that cannot be copied is reported too.
void enterUserFolder(Platform& platform);
// Without regional settings of its own (the "C" locale), the program takes the French ones,
// as its regional settings do: Qt's widgets then show French numbers, dates and day names.
void useFrenchLocaleByDefault();

} // namespace appsetup
