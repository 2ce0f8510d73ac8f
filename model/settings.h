#pragma once

#include "model/ini_file.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <array>

// The keys of kabiro.ini, their defaults, and the settings the main window and the Options
// dialog read and write.
namespace settings {

// Name of the settings file, and the file in a directory (joined with "/").
inline constexpr char kFileName[] = "kabiro.ini";
QString filePath(const QString& directory);

// What the main window tells the user once when the settings file was set aside at start-up
// (`refusal` as IniFile::Reading gives it): the program goes on with its defaults.
QString refusedFileMessage(const QString& refusal);

// Section names.
inline constexpr char kProgramme[] = "Programme";
inline constexpr char kSaisie[] = "SAISIE";
inline constexpr char kPresentation[] = "PRESENTATION";
inline constexpr char kTitre[] = "TITRE";
inline constexpr char kCouleur[] = "COULEUR";
inline constexpr char kImpression[] = "IMPRESSION";
inline constexpr char kEdition[] = "EDITION";
inline constexpr char kEcran[] = "ECRAN";

// The fixed values of the "Programme" section.
inline constexpr char kExeValue[] = "KABIRO.EXE";
inline constexpr char kNomValue[] = "Paniva";
inline constexpr char kVersionValue[] = "v2.0";
QString auteurValue(); // "L'équipe Paniva"
inline constexpr char kCopyrightValue[] = "2026";

// Colours are 0x00BBGGRR: red in the lowest byte.
inline constexpr quint32 kAqua = 16776960;
inline constexpr quint32 kYellow = 65535;
inline constexpr quint32 kLime = 65280;
inline constexpr quint32 kTitleColour = 11589887;

inline constexpr double kDefaultEuroRate = 6.55957;

enum class ValueType { Text, Integer, Boolean, Float, Colour };

// Where a missing key's value comes from.
enum class DefaultKind {
    Fixed,   // the value below
    Current, // the element's current value; `value` is its designed one when it has one
    NotRead, // the key is not read there
};

struct Default {
    DefaultKind kind = DefaultKind::NotRead;
    QVariant value;
};

struct Key {
    QString section;
    QString name;
    ValueType type;
    Default main;   // used by the main window
    Default dialog; // shown by the Options dialog
    bool writtenByOptions;
    bool writtenByLayout;
};

// Every key of the file, in the order of the table that documents them. "val-euro" is listed
// once under that spelling; the Options dialog writes it "Val-euro" (the same key).
const QList<Key>& keys();
// The key of that section and name, matched without regard to case; null when unknown.
const Key* findKey(QStringView section, QStringView name);

} // namespace settings

// Every setting the main window uses, as read from the settings file or chosen in the Options
// dialog. Member defaults are the main window's designed values.
struct AppSettings {
    // SAISIE
    bool newSectors = true;      // Nv_secteur: product entry may create sectors and aisles
    bool productCommands = true; // Nv_produit: product new / edit / delete enabled
    qint32 delayCoef = 3;        // Coef_delai: reminder tolerance in tenths of the period
    qint32 renewDays = 12;       // Nbj_renouve: default reminder period of a new product
    // TITRE / Appli
    QString appTitle = QStringLiteral("Paniva");
    // PRESENTATION
    bool toolbar = true;                          // Outils
    bool productSheet = true;                     // Produit
    bool euro = false;                            // Euro: "Requêtes globales" enabled
    double euroRate = settings::kDefaultEuroRate; // val-euro: francs for one euro
    bool converter = true;                        // Convert: converter button shown
    // IMPRESSION / Orientation: 0 portrait in two columns, 1 landscape in three (others as 0)
    qint32 orientation = 1;
    // EDITION / HTML: export as HTML rather than plain text
    bool html = false;
    // TITRE / Colonne1, Colonne2: aisle and product column titles
    QString column1 = QStringLiteral("Rayon");
    QString column2 = QStringLiteral("Produit");
    // TITRE and COULEUR / Titre1..Titre3: catalogue, list and sector title bars
    std::array<QString, 3> titles{QStringLiteral("Liste des produits "),
                                  QStringLiteral("Liste des courses à faire"),
                                  QStringLiteral("Secteur")};
    std::array<quint32, 3> titleColours{settings::kTitleColour, settings::kTitleColour,
                                        settings::kTitleColour};
    // TITRE and COULEUR / prod-prevu, prod-renov, prod-reno2: the three colour states
    std::array<QString, 3> stateCaptions{QStringLiteral("Prévu"), QStringLiteral("Rappel"),
                                         QStringLiteral("Rappel(+)")};
    std::array<quint32, 3> stateColours{settings::kAqua, settings::kYellow, settings::kLime};

    // The key names of the title bars and of the colour states, in array order.
    static const std::array<const char*, 3> kTitleKeys;
    static const std::array<const char*, 3> kStateKeys;

    // The main window's designed values.
    static AppSettings mainDefaults() { return AppSettings(); }
    // What the Options dialog shows for keys missing from the file.
    static AppSettings dialogDefaults();

    // Reading when the main window is created, key by key in the start-up order. The captions
    // and colours of missing keys are those of `window` (the window's current ones); the other
    // missing keys take the main window's fixed defaults.
    // Each is one use of the file: it is read once.
    static AppSettings readAtStart(const IniFile& ini, const AppSettings& window);
    static AppSettings readAtStart(const IniFile::Reading& ini, const AppSettings& window);
    // Reading when the Options dialog opens, with the dialog's defaults. The euro rate is not
    // read: the dialog shows the main window's, given here.
    static AppSettings readForDialog(const IniFile& ini, double currentEuroRate);
    static AppSettings readForDialog(const IniFile::Reading& ini, double currentEuroRate);

    bool operator==(const AppSettings&) const = default;
};

// The Options dialog's OK: writes the "Programme" values and every setting, in the dialog's
// order, as one file write. On failure the file is left as it was and `error` (when given)
// receives "Impossible d'écrire dans <path>".
bool writeOptions(IniFile& ini, const AppSettings& s, QString* error = nullptr);

// The window layout kept in section "ECRAN".
struct WindowLayout {
    enum class Show { Normal, Maximised, Minimised };

    qint32 spliter1 = 0;      // width of the left part (sector tree and catalogue)
    qint32 spliter2 = 0;      // width of the sector tree panel
    bool voirSecteur = false; // the sector tree is shown
    qint32 etat = 0;          // 1 maximised, anything else normal
    qint32 top = 122;
    qint32 left = 208;
    qint32 height = 345;
    qint32 width = 559;

    bool maximised() const { return etat == 1; }

    // Missing keys keep the values of `current` (the window's), except "Etat", which defaults to
    // 0 (normal window). One use of the file: it is read once.
    static WindowLayout read(const IniFile& ini, const WindowLayout& current);
    static WindowLayout read(const IniFile::Reading& ini, const WindowLayout& current);
    // "Programme"/"Exe", then spliter1, spliter2, voir_secteur; a normal window adds Etat=0 and
    // its position and size, a maximised one only Etat=1 (the stored position and size stay), a
    // minimised one no state at all. One file write; on failure `error` receives the message.
    bool write(IniFile& ini, Show show, QString* error = nullptr) const;

    bool operator==(const WindowLayout&) const = default;
};
