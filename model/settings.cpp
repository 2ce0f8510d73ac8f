#include "model/settings.h"

namespace settings {

QString filePath(const QString& directory) {
    if (directory.isEmpty())
        return QString::fromLatin1(kFileName);
    if (directory.endsWith(u'/'))
        return directory + QLatin1String(kFileName);
    return directory + u'/' + QLatin1String(kFileName);
}

QString refusedFileMessage(const QString& refusal) {
    return QStringLiteral("Le fichier des réglages n'a pas été lu :\r\n%1\r\n\r\nLe programme "
                          "démarre avec les réglages par défaut ; ce fichier ne sera pas "
                          "modifié.")
        .arg(refusal);
}

QString auteurValue() {
    return QStringLiteral("L'équipe Paniva");
}

namespace {

Default fixed(QVariant v) {
    return {DefaultKind::Fixed, std::move(v)};
}
Default current(QVariant designed = QVariant()) {
    return {DefaultKind::Current, std::move(designed)};
}
Default notRead() {
    return {DefaultKind::NotRead, QVariant()};
}

QList<Key> buildKeys() {
    using T = ValueType;
    const auto text = [](const char* s) { return QVariant(QString::fromUtf8(s)); };
    const auto colour = [](quint32 c) { return QVariant(c); };
    return {
        {kProgramme, "Exe", T::Text, notRead(), notRead(), true, true},
        {kProgramme, "Nom", T::Text, notRead(), notRead(), true, false},
        {kProgramme, "Version", T::Text, notRead(), notRead(), true, false},
        {kProgramme, "Auteur", T::Text, notRead(), notRead(), true, false},
        {kProgramme, "Copyright", T::Text, notRead(), notRead(), true, false},
        {kSaisie, "Nv_secteur", T::Boolean, fixed(true), fixed(true), true, false},
        {kSaisie, "Nv_produit", T::Boolean, fixed(true), fixed(true), true, false},
        {kSaisie, "Coef_delai", T::Integer, fixed(3), fixed(3), true, false},
        {kSaisie, "Nbj_renouve", T::Integer, fixed(12), fixed(10), true, false},
        {kPresentation, "Outils", T::Boolean, fixed(true), fixed(true), true, false},
        {kPresentation, "Produit", T::Boolean, fixed(true), fixed(true), true, false},
        {kPresentation, "Euro", T::Boolean, fixed(false), fixed(false), true, false},
        {kPresentation, "val-euro", T::Float, fixed(kDefaultEuroRate), notRead(), true, false},
        {kPresentation, "Convert", T::Boolean, fixed(true), fixed(true), true, false},
        {kTitre, "Appli", T::Text, current(text("Paniva")), fixed(text("Paniva")), true, false},
        {kTitre, "Colonne1", T::Text, current(text("Rayon")), fixed(text("Rayons")), true, false},
        {kTitre, "Colonne2", T::Text, current(text("Produit")), fixed(text("Produits")), true,
         false},
        {kTitre, "Titre1", T::Text, current(text("Liste des produits ")),
         fixed(text("Liste des produits")), true, false},
        {kTitre, "Titre2", T::Text, current(text("Liste des courses à faire")),
         fixed(text("Liste des courses à faire")), true, false},
        {kTitre, "Titre3", T::Text, current(text("Secteur")), fixed(text("Magasins")), true, false},
        {kTitre, "prod-prevu", T::Text, current(text("Prévu")), fixed(text("Prévu")), true, false},
        {kTitre, "prod-renov", T::Text, current(text("Rappel")), fixed(text("Rappel")), true,
         false},
        {kTitre, "prod-reno2", T::Text, current(text("Rappel(+)")), fixed(text("Rappel(+)")), true,
         false},
        {kCouleur, "Titre1", T::Colour, current(colour(kTitleColour)), fixed(colour(kTitleColour)),
         true, false},
        {kCouleur, "Titre2", T::Colour, current(colour(kTitleColour)), fixed(colour(kTitleColour)),
         true, false},
        {kCouleur, "Titre3", T::Colour, current(colour(kTitleColour)), fixed(colour(kTitleColour)),
         true, false},
        {kCouleur, "prod-prevu", T::Colour, current(colour(kAqua)), fixed(colour(kAqua)), true,
         false},
        {kCouleur, "prod-renov", T::Colour, current(colour(kYellow)), fixed(colour(kYellow)), true,
         false},
        {kCouleur, "prod-reno2", T::Colour, current(colour(kLime)), fixed(colour(kLime)), true,
         false},
        {kImpression, "Orientation", T::Integer, fixed(1), fixed(1), true, false},
        {kEdition, "HTML", T::Boolean, fixed(false), fixed(false), true, false},
        {kEcran, "spliter1", T::Integer, current(), notRead(), false, true},
        {kEcran, "spliter2", T::Integer, current(), notRead(), false, true},
        {kEcran, "voir_secteur", T::Boolean, current(false), notRead(), false, true},
        {kEcran, "Etat", T::Integer, fixed(0), notRead(), false, true},
        {kEcran, "Top", T::Integer, current(122), notRead(), false, true},
        {kEcran, "Left", T::Integer, current(208), notRead(), false, true},
        {kEcran, "Height", T::Integer, current(345), notRead(), false, true},
        {kEcran, "Width", T::Integer, current(559), notRead(), false, true},
    };
}

} // namespace

const QList<Key>& keys() {
    static const QList<Key> all = buildKeys();
    return all;
}

const Key* findKey(QStringView section, QStringView name) {
    for (const Key& k : keys())
        if (section.compare(k.section, Qt::CaseInsensitive) == 0 &&
            name.compare(k.name, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

} // namespace settings

using namespace settings;

const std::array<const char*, 3> AppSettings::kTitleKeys{"Titre1", "Titre2", "Titre3"};
const std::array<const char*, 3> AppSettings::kStateKeys{"prod-prevu", "prod-renov", "prod-reno2"};

namespace {

// A colour is 0x00BBGGRR; a value with bits in the top byte is no colour and gives the default.
quint32 readColour(const IniFile::Reading& ini, const char* key, quint32 def) {
    const qint32 v = ini.readInt(kCouleur, key, static_cast<qint32>(def));
    const auto c = static_cast<quint32>(v);
    return (c & 0xFF000000u) == 0 ? c : def;
}

} // namespace

AppSettings AppSettings::dialogDefaults() {
    AppSettings s;
    s.renewDays = 10;
    s.appTitle = QStringLiteral("Paniva");
    s.column1 = QStringLiteral("Rayons");
    s.column2 = QStringLiteral("Produits");
    s.titles = {QStringLiteral("Liste des produits"), QStringLiteral("Liste des courses à faire"),
                QStringLiteral("Magasins")};
    return s;
}

AppSettings AppSettings::readAtStart(const IniFile& ini, const AppSettings& window) {
    return readAtStart(ini.read(), window);
}

AppSettings AppSettings::readForDialog(const IniFile& ini, double currentEuroRate) {
    return readForDialog(ini.read(), currentEuroRate);
}

AppSettings AppSettings::readAtStart(const IniFile::Reading& ini, const AppSettings& window) {
    const AppSettings fixedDefaults;
    AppSettings s = window;
    s.newSectors = ini.readBool(kSaisie, "Nv_secteur", fixedDefaults.newSectors);
    s.productCommands = ini.readBool(kSaisie, "Nv_produit", fixedDefaults.productCommands);
    s.delayCoef = ini.readInt(kSaisie, "Coef_delai", fixedDefaults.delayCoef);
    s.renewDays = ini.readInt(kSaisie, "Nbj_renouve", fixedDefaults.renewDays);
    s.appTitle = ini.readString(kTitre, "Appli", window.appTitle);
    s.toolbar = ini.readBool(kPresentation, "Outils", fixedDefaults.toolbar);
    s.productSheet = ini.readBool(kPresentation, "Produit", fixedDefaults.productSheet);
    s.orientation = ini.readInt(kImpression, "Orientation", fixedDefaults.orientation);
    s.html = ini.readBool(kEdition, "HTML", fixedDefaults.html);
    s.column1 = ini.readString(kTitre, "Colonne1", window.column1);
    s.column2 = ini.readString(kTitre, "Colonne2", window.column2);
    for (int i = 0; i < 3; ++i)
        s.titles[i] = ini.readString(kTitre, kTitleKeys[i], window.titles[i]);
    for (int i = 0; i < 3; ++i)
        s.titleColours[i] = readColour(ini, kTitleKeys[i], window.titleColours[i]);
    for (int i = 0; i < 3; ++i)
        s.stateCaptions[i] = ini.readString(kTitre, kStateKeys[i], window.stateCaptions[i]);
    for (int i = 0; i < 3; ++i)
        s.stateColours[i] = readColour(ini, kStateKeys[i], window.stateColours[i]);
    s.euro = ini.readBool(kPresentation, "Euro", fixedDefaults.euro);
    s.euroRate = ini.readFloat(kPresentation, "val-euro", fixedDefaults.euroRate);
    s.converter = ini.readBool(kPresentation, "Convert", fixedDefaults.converter);
    return s;
}

AppSettings AppSettings::readForDialog(const IniFile::Reading& ini, double currentEuroRate) {
    const AppSettings d = dialogDefaults();
    AppSettings s = d;
    s.newSectors = ini.readBool(kSaisie, "Nv_secteur", d.newSectors);
    s.productCommands = ini.readBool(kSaisie, "Nv_produit", d.productCommands);
    s.delayCoef = ini.readInt(kSaisie, "Coef_delai", d.delayCoef);
    s.renewDays = ini.readInt(kSaisie, "Nbj_renouve", d.renewDays);
    s.toolbar = ini.readBool(kPresentation, "Outils", d.toolbar);
    s.productSheet = ini.readBool(kPresentation, "Produit", d.productSheet);
    s.euro = ini.readBool(kPresentation, "Euro", d.euro);
    s.converter = ini.readBool(kPresentation, "Convert", d.converter);
    s.euroRate = currentEuroRate;
    s.appTitle = ini.readString(kTitre, "Appli", d.appTitle);
    for (int i = 0; i < 3; ++i)
        s.titles[i] = ini.readString(kTitre, kTitleKeys[i], d.titles[i]);
    s.column1 = ini.readString(kTitre, "Colonne1", d.column1);
    s.column2 = ini.readString(kTitre, "Colonne2", d.column2);
    for (int i = 0; i < 3; ++i)
        s.titleColours[i] = readColour(ini, kTitleKeys[i], d.titleColours[i]);
    for (int i = 0; i < 3; ++i) {
        s.stateCaptions[i] = ini.readString(kTitre, kStateKeys[i], d.stateCaptions[i]);
        s.stateColours[i] = readColour(ini, kStateKeys[i], d.stateColours[i]);
    }
    s.orientation = ini.readInt(kImpression, "Orientation", d.orientation);
    s.html = ini.readBool(kEdition, "HTML", d.html);
    return s;
}

bool writeOptions(IniFile& ini, const AppSettings& s, QString* error) {
    IniFile::Batch b = ini.batch();
    b.writeString(kProgramme, "Exe", QString::fromLatin1(kExeValue))
        .writeString(kProgramme, "Nom", QString::fromLatin1(kNomValue))
        .writeString(kProgramme, "Version", QString::fromLatin1(kVersionValue))
        .writeString(kProgramme, "Auteur", auteurValue())
        .writeString(kProgramme, "Copyright", QString::fromLatin1(kCopyrightValue));
    b.writeBool(kSaisie, "Nv_secteur", s.newSectors)
        .writeBool(kSaisie, "Nv_produit", s.productCommands)
        .writeInt(kSaisie, "Coef_delai", s.delayCoef)
        .writeInt(kSaisie, "Nbj_renouve", s.renewDays);
    b.writeBool(kPresentation, "Produit", s.productSheet)
        .writeBool(kPresentation, "Outils", s.toolbar)
        .writeBool(kPresentation, "Euro", s.euro)
        .writeBool(kPresentation, "Convert", s.converter)
        .writeFloat(kPresentation, "Val-euro", s.euroRate);
    b.writeString(kTitre, "Appli", s.appTitle)
        .writeString(kTitre, "Colonne1", s.column1)
        .writeString(kTitre, "Colonne2", s.column2);
    for (int i = 0; i < 3; ++i)
        b.writeString(kTitre, AppSettings::kTitleKeys[i], s.titles[i]);
    for (int i = 0; i < 3; ++i)
        b.writeString(kTitre, AppSettings::kStateKeys[i], s.stateCaptions[i]);
    for (int i = 0; i < 3; ++i)
        b.writeInt(kCouleur, AppSettings::kTitleKeys[i], static_cast<qint32>(s.titleColours[i]));
    for (int i = 0; i < 3; ++i)
        b.writeInt(kCouleur, AppSettings::kStateKeys[i], static_cast<qint32>(s.stateColours[i]));
    b.writeInt(kImpression, "Orientation", s.orientation);
    b.writeBool(kEdition, "HTML", s.html);
    const bool ok = b.commit();
    if (!ok && error)
        *error = ini.lastError();
    return ok;
}

WindowLayout WindowLayout::read(const IniFile& ini, const WindowLayout& current) {
    return read(ini.read(), current);
}

WindowLayout WindowLayout::read(const IniFile::Reading& ini, const WindowLayout& current) {
    WindowLayout l = current;
    l.spliter1 = ini.readInt(kEcran, "spliter1", current.spliter1);
    l.spliter2 = ini.readInt(kEcran, "spliter2", current.spliter2);
    l.voirSecteur = ini.readBool(kEcran, "voir_secteur", current.voirSecteur);
    l.etat = ini.readInt(kEcran, "Etat", 0);
    l.top = ini.readInt(kEcran, "Top", current.top);
    l.left = ini.readInt(kEcran, "Left", current.left);
    l.height = ini.readInt(kEcran, "Height", current.height);
    l.width = ini.readInt(kEcran, "Width", current.width);
    return l;
}

bool WindowLayout::write(IniFile& ini, Show show, QString* error) const {
    IniFile::Batch b = ini.batch();
    b.writeString(kProgramme, "Exe", QString::fromLatin1(kExeValue))
        .writeInt(kEcran, "spliter1", spliter1)
        .writeInt(kEcran, "spliter2", spliter2)
        .writeBool(kEcran, "voir_secteur", voirSecteur);
    switch (show) {
    case Show::Normal:
        b.writeInt(kEcran, "Etat", 0)
            .writeInt(kEcran, "Top", top)
            .writeInt(kEcran, "Left", left)
            .writeInt(kEcran, "Height", height)
            .writeInt(kEcran, "Width", width);
        break;
    case Show::Maximised:
        b.writeInt(kEcran, "Etat", 1);
        break;
    case Show::Minimised:
        break;
    }
    const bool ok = b.commit();
    if (!ok && error)
        *error = ini.lastError();
    return ok;
}
