#include "model/settings.h"
#include "support/test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

// Settings different from every default, so that each value is seen to travel.
AppSettings sample() {
    AppSettings s;
    s.newSectors = false;
    s.productCommands = true;
    s.delayCoef = 0;
    s.renewDays = 30;
    s.appTitle = QStringLiteral("Mes courses");
    s.toolbar = false;
    s.productSheet = true;
    s.euro = true;
    s.euroRate = 6.5;
    s.converter = false;
    s.orientation = 0;
    s.html = true;
    s.column1 = QStringLiteral("Allée");
    s.column2 = QStringLiteral("Article");
    s.titles = {QStringLiteral("Catalogue"), QStringLiteral("À acheter"),
                QStringLiteral("Boutiques")};
    s.titleColours = {1, 2, 16777215};
    s.stateCaptions = {QStringLiteral("Prévu!"), QStringLiteral("Rappel!"),
                       QStringLiteral("Bientôt")};
    s.stateColours = {255, 65280, 16711680};
    return s;
}

const QByteArray kSampleFile = "[Programme]\r\n"
                               "Exe=KABIRO.EXE\r\n"
                               "Nom=Paniva\r\n"
                               "Version=v2.0\r\n"
                               "Auteur=L'\xE9quipe Paniva\r\n"
                               "Copyright=2026\r\n"
                               "[SAISIE]\r\n"
                               "Nv_secteur=0\r\n"
                               "Nv_produit=1\r\n"
                               "Coef_delai=0\r\n"
                               "Nbj_renouve=30\r\n"
                               "[PRESENTATION]\r\n"
                               "Produit=1\r\n"
                               "Outils=0\r\n"
                               "Euro=1\r\n"
                               "Convert=0\r\n"
                               "Val-euro=6,5\r\n"
                               "[TITRE]\r\n"
                               "Appli=Mes courses\r\n"
                               "Colonne1=All\xE9\x65\r\n"
                               "Colonne2=Article\r\n"
                               "Titre1=Catalogue\r\n"
                               "Titre2=\xC0 acheter\r\n"
                               "Titre3=Boutiques\r\n"
                               "prod-prevu=Pr\xE9vu!\r\n"
                               "prod-renov=Rappel!\r\n"
                               "prod-reno2=Bient\xF4t\r\n"
                               "[COULEUR]\r\n"
                               "Titre1=1\r\n"
                               "Titre2=2\r\n"
                               "Titre3=16777215\r\n"
                               "prod-prevu=255\r\n"
                               "prod-renov=65280\r\n"
                               "prod-reno2=16711680\r\n"
                               "[IMPRESSION]\r\n"
                               "Orientation=0\r\n"
                               "[EDITION]\r\n"
                               "HTML=1\r\n";

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return settings::filePath(dir.path()); }

private slots:
    void init() { QFile::remove(path()); }

    void filePathJoinsWithSlash() {
        QCOMPARE(settings::filePath(QStringLiteral("/home/u")),
                 QStringLiteral("/home/u/kabiro.ini"));
        QCOMPARE(settings::filePath(QStringLiteral("/")), QStringLiteral("/kabiro.ini"));
    }

    void noFileGivesTheMainDefaults() {
        IniFile ini(path());
        const AppSettings s = AppSettings::readAtStart(ini, AppSettings::mainDefaults());
        QCOMPARE(s, AppSettings::mainDefaults());
        QCOMPARE(s.delayCoef, 3);
        QCOMPARE(s.renewDays, 12);
        QCOMPARE(s.euro, false);
        QCOMPARE(s.converter, true);
        QCOMPARE(s.euroRate, 6.55957);
        QCOMPARE(s.orientation, 1);
        QCOMPARE(s.titles[0], QStringLiteral("Liste des produits "));
        QCOMPARE(s.stateColours[0], 16776960u);
        QCOMPARE(s.stateColours[1], 65535u);
        QCOMPARE(s.stateColours[2], 65280u);
        QCOMPARE(s.titleColours[2], 11589887u);

        // Captions and colours of missing keys are the window's current ones.
        AppSettings window;
        window.appTitle = QStringLiteral("Fenêtre");
        window.titles[1] = QStringLiteral("Courses");
        window.stateColours[2] = 42;
        window.delayCoef = 9; // not a caption: the fixed default wins
        const AppSettings w = AppSettings::readAtStart(ini, window);
        QCOMPARE(w.appTitle, QStringLiteral("Fenêtre"));
        QCOMPARE(w.titles[1], QStringLiteral("Courses"));
        QCOMPARE(w.stateColours[2], 42u);
        QCOMPARE(w.delayCoef, 3);
    }

    void startReadingTakesWhatTheFileHolds() {
        putBytes(path(), "[saisie]\r\nCoef_delai=0x10\r\nNbj_renouve=abc\r\n"
                         "[PRESENTATION]\r\nOutils=2\r\nVal-euro=7,5\r\nEuro=1\r\n"
                         "[COULEUR]\r\nTitre2=0x0000FF\r\nprod-renov=-1\r\n"
                         "[TITRE]\r\nTitre3=Magasins\r\n[IMPRESSION]\r\nOrientation=2\r\n");
        const AppSettings s =
            AppSettings::readAtStart(IniFile(path()), AppSettings::mainDefaults());
        QCOMPARE(s.delayCoef, 16);
        QCOMPARE(s.renewDays, 12);
        QCOMPARE(s.toolbar, true);
        QCOMPARE(s.euroRate, 7.5);
        QCOMPARE(s.euro, true);
        QCOMPARE(s.titleColours[1], 255u);
        // Not a colour (bits in the top byte): the window keeps its own.
        QCOMPARE(s.stateColours[1], 65535u);
        QCOMPARE(s.titles[2], QStringLiteral("Magasins"));
        QCOMPARE(s.orientation, 2);
    }

    void dialogDefaults() {
        const AppSettings d = AppSettings::dialogDefaults();
        QCOMPARE(d.renewDays, 10);
        QCOMPARE(d.delayCoef, 3);
        QCOMPARE(d.column1, QStringLiteral("Rayons"));
        QCOMPARE(d.column2, QStringLiteral("Produits"));
        QCOMPARE(d.titles[0], QStringLiteral("Liste des produits"));
        QCOMPARE(d.titles[1], QStringLiteral("Liste des courses à faire"));
        QCOMPARE(d.titles[2], QStringLiteral("Magasins"));
        QCOMPARE(d.html, false);
        QCOMPARE(d.orientation, 1);

        // The dialog never takes the rate from the file, only from the window.
        putBytes(path(), "[PRESENTATION]\r\nVal-euro=9\r\n[SAISIE]\r\nNbj_renouve=20\r\n");
        const AppSettings r = AppSettings::readForDialog(IniFile(path()), 6.0);
        QCOMPARE(r.euroRate, 6.0);
        QCOMPARE(r.renewDays, 20);
        QCOMPARE(r.titles[2], QStringLiteral("Magasins"));

        QFile::remove(path());
        AppSettings expected = d;
        expected.euroRate = 1.25;
        QCOMPARE(AppSettings::readForDialog(IniFile(path()), 1.25), expected);
    }

    void keyTable() {
        // Lookup ignores case; the caption and colour families share key names.
        const settings::Key* k = settings::findKey(u"presentation", u"VAL-EURO");
        QVERIFY(k);
        QCOMPARE(k->type, settings::ValueType::Float);
        const settings::Key* t = settings::findKey(u"TITRE", u"Titre3");
        const settings::Key* c = settings::findKey(u"COULEUR", u"Titre3");
        QVERIFY(t && c && t != c);
        QVERIFY(!settings::findKey(u"TITRE", u"nothing"));

        // Every key the table says OK writes is in the file after OK, and only those.
        IniFile ini(path());
        QVERIFY(writeOptions(ini, AppSettings::mainDefaults()));
        int optionKeys = 0;
        for (const settings::Key& key : settings::keys()) {
            const bool present = !ini.readString(key.section, key.name, QString()).isNull();
            QVERIFY2(present == key.writtenByOptions, qPrintable(key.section + "/" + key.name));
            optionKeys += key.writtenByOptions;
        }
        QCOMPARE(optionKeys, 31);
    }

    void okWritesEveryOptionInOrder() {
        IniFile ini(path());
        QString error = QStringLiteral("untouched");
        QVERIFY(writeOptions(ini, sample(), &error));
        QCOMPARE(error, QStringLiteral("untouched"));
        QCOMPARE(bytesOf(path()), kSampleFile);

        // The main window reads back what the dialog wrote ("Val-euro" as "val-euro").
        AppSettings back = AppSettings::readAtStart(ini, AppSettings::mainDefaults());
        QCOMPARE(back, sample());
        back.euroRate = 3;
        QCOMPARE(AppSettings::readForDialog(ini, 3), back);

        // Writing again over the file changes values in place and adds nothing.
        QVERIFY(writeOptions(ini, sample()));
        QCOMPARE(bytesOf(path()), kSampleFile);
    }

    void okKeepsOtherSectionsAndFailsWhole() {
        putBytes(path(), "[ECRAN]\r\nspliter1=300\r\n[presentation]\r\nval-euro=1\r\nEuro=0\r\n");
        IniFile ini(path());
        QVERIFY(writeOptions(ini, sample()));
        const QByteArray after = bytesOf(path());
        QVERIFY(
            after.startsWith("[ECRAN]\r\nspliter1=300\r\n[presentation]\r\nVal-euro=6,5\r\n"
                             "Euro=1\r\nProduit=1\r\nOutils=0\r\nConvert=0\r\n[Programme]\r\n"));
        QCOMPARE(after.count("uro="), 2);

        const QString missing = dir.filePath(QStringLiteral("gone/kabiro.ini"));
        IniFile bad(missing);
        QString error;
        QVERIFY(!writeOptions(bad, sample(), &error));
        QCOMPARE(error, QStringLiteral("Impossible d'écrire dans %1").arg(missing));
        QVERIFY(!QFile::exists(missing));
    }

    void layoutRoundTrip() {
        IniFile ini(path());
        WindowLayout current;
        current.spliter1 = 280;
        current.spliter2 = 90;
        QCOMPARE(WindowLayout::read(ini, current), current);

        WindowLayout l;
        l.spliter1 = 310;
        l.spliter2 = 120;
        l.voirSecteur = true;
        l.top = 10;
        l.left = 20;
        l.height = 600;
        l.width = 800;
        QVERIFY(l.write(ini, WindowLayout::Show::Normal));
        QCOMPARE(bytesOf(path()), QByteArray("[Programme]\r\nExe=KABIRO.EXE\r\n[ECRAN]\r\n"
                                             "spliter1=310\r\nspliter2=120\r\nvoir_secteur=1\r\n"
                                             "Etat=0\r\nTop=10\r\nLeft=20\r\nHeight=600\r\n"
                                             "Width=800\r\n"));
        const WindowLayout back = WindowLayout::read(ini, current);
        QCOMPARE(back, l);
        QVERIFY(!back.maximised());
    }

    void maximisedAndMinimisedKeepTheStoredPosition() {
        IniFile ini(path());
        WindowLayout normal;
        normal.top = 10;
        normal.left = 20;
        normal.height = 600;
        normal.width = 800;
        QVERIFY(normal.write(ini, WindowLayout::Show::Normal));

        WindowLayout big = normal;
        big.spliter1 = 500;
        big.top = 0;
        big.left = 0;
        big.height = 1000;
        big.width = 1900;
        QVERIFY(big.write(ini, WindowLayout::Show::Maximised));
        QCOMPARE(bytesOf(path()), QByteArray("[Programme]\r\nExe=KABIRO.EXE\r\n[ECRAN]\r\n"
                                             "spliter1=500\r\nspliter2=0\r\nvoir_secteur=0\r\n"
                                             "Etat=1\r\nTop=10\r\nLeft=20\r\nHeight=600\r\n"
                                             "Width=800\r\n"));
        const WindowLayout back = WindowLayout::read(ini, WindowLayout());
        QVERIFY(back.maximised());
        QCOMPARE(back.top, 10);
        QCOMPARE(back.width, 800);

        // Minimised: the state and position stay as they were.
        WindowLayout small = big;
        small.spliter2 = 77;
        small.top = -32000;
        QVERIFY(small.write(ini, WindowLayout::Show::Minimised));
        const WindowLayout after = WindowLayout::read(ini, WindowLayout());
        QCOMPARE(after.spliter2, 77);
        QVERIFY(after.maximised());
        QCOMPARE(after.top, 10);

        // Etat other than 1 is a normal window; a missing Etat too, whatever the current value.
        WindowLayout wasMax;
        wasMax.etat = 1;
        QFile::remove(path());
        QVERIFY(!WindowLayout::read(ini, wasMax).maximised());
    }
};

KABIRO_TEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
