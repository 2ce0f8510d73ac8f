#include "model/file_error.h"
#include "model/list_file.h"
#include "model/reminder.h"
#include "model/win1252.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Windows-1252 bytes of a text written here in UTF-8.
QByteArray cp(const char* utf8) {
    return win1252::encode(QString::fromUtf8(utf8));
}

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void addProduct(RecordTable& cat, const QStringList& texts) {
    // Secteur, Rayon, Produit, color, id, prix, prevu, Rappel, duree, date, memo; "" = empty.
    cat.append();
    for (int f = 0; f < texts.size(); ++f) {
        const QString& v = texts[f];
        if (v.isEmpty())
            continue;
        switch (cat.schema().at(f).type) {
        case FieldType::Text:
            cat.setText(f, v);
            break;
        case FieldType::SmallInt:
        case FieldType::Integer:
            cat.setInteger(f, v.toLongLong());
            break;
        case FieldType::Money:
            cat.setReal(f, v.toDouble());
            break;
        case FieldType::Date:
            cat.setDate(f, QDate::fromString(v, Qt::ISODate));
            break;
        }
    }
    cat.post();
}

// A small list whose file is written out by hand below.
void fillSmall(ShoppingData& d) {
    int s = d.tree.addSector(u("Boulangerie"));
    d.tree.addAisle(s, u("Pains"));
    d.tree.addAisle(s, u("Gâteaux")); // no product: dropped
    s = d.tree.addSector(u("Marché"));
    d.tree.addAisle(s, u("Primeur"));
    d.tree.addAisle(s, u("Pains"));   // used in another sector: kept
    s = d.tree.addSector(u("Fermé")); // no product: dropped with its aisle
    d.tree.addAisle(s, u("Primeur"));
    addProduct(d.catalogue, {u("Boulangerie"), u("Pains"), u("Pain; complet"), u(" "), u("1"),
                             u("2.5"), u("N"), u("O"), u("7"), u("2026-12-05"), u("Note [bio]")});
    addProduct(d.catalogue,
               {u("Marché"), u("Primeur"), u("Pommes"), u("X"), u("2"), u("3"), u("O"), u("N")});
    d.list.append();
    d.list.setText(Lst::Secteur, u("Marché"));
    d.list.setText(Lst::Rayon, u("Primeur"));
    d.list.setText(Lst::Produit, u("Pommes"));
    d.list.setInteger(Lst::unite_vente, 1);
    d.list.setText(Lst::Prevu, u("O"));
    d.list.setText(Lst::Rappel, u("N"));
    d.list.post();
    d.validationText = u(" mardi 1 décembre 2026");
}

const QByteArray kSmallFile =
    "[RAYON]\r\n"
    "Boulangerie\r\n"
    "\tPains\r\n"
    "March\xE9\r\n"
    "\tPains\r\n"
    "\tPrimeur\r\n"
    "[LISTE]\r\n"
    "March\xE9;Primeur;Pommes;1;O;N;;;\r\n"
    "[PRODUIT]\r\n"
    "Boulangerie;Pains;Pain, complet; ;1;2,5;N;O;7;05/12/2026;Note (bio);\r\n"
    "March\xE9;Primeur;Pommes;X;2;3;O;N;;;;\r\n"
    "[SAISIE]\r\n"
    "DATE= mardi 1 d\xE9"
    "cembre 2026\r\n";

QByteArray fileWith(const QByteArray& list, const QByteArray& catalogue,
                    const QByteArray& tree = "Boulangerie\r\n\tPains\r\n",
                    const QByteArray& date = "DATE=dernieres\r\n") {
    return "[RAYON]\r\n" + tree + "[LISTE]\r\n" + list + "[PRODUIT]\r\n" + catalogue +
           "[SAISIE]\r\n" + date;
}

QByteArray serialized(const listfile::Contents& c) {
    return listfile::serialize(c.tree, c.list, c.catalogue, c.validationText);
}

QByteArray serialized(const ShoppingData& d) {
    return listfile::serialize(d.tree, d.list, d.catalogue, d.validationText);
}

// The first line where two files differ, for failure messages.
QByteArray firstDifference(const QByteArray& a, const QByteArray& b) {
    const QList<QByteArray> la = a.split('\n'), lb = b.split('\n');
    for (qsizetype i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const QByteArray x = i < la.size() ? la[i] : "<none>", y = i < lb.size() ? lb[i] : "<none>";
        if (x != y)
            return "line " + QByteArray::number(i + 1) + ": " + x.toPercentEncoding(" ;\t") +
                   " <> " + y.toPercentEncoding(" ;\t");
    }
    return {};
}

QString textAt(const RecordTable& t, int pos, int f) {
    return RecordTable::textOf(t.recordAt(pos), f);
}

bool isNullAt(const RecordTable& t, int pos, int f) {
    return std::holds_alternative<std::monostate>(t.recordAt(pos).values[static_cast<size_t>(f)]);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void writerOutputIsExact();
    void readerGivesBackTheSmallList();
    void listAndCatalogueValues();
    void unconvertibleValues();
    void lineShapes();
    void validationText();
    void sectionsEndAtAnyBracket();
    void lineEnds();
    void treeLevels();
    void writerReplacesWhatWouldReadBackDifferently();
    void moneyAndDateForms();
    void filesDoNotDependOnTheLocale();
    void treeKeepsOnlyUsedNames();
    void saveWritesEveryRecordWhateverTheFilter();
    void loadLeavesRunStateAlone();
    void failedLoadLeavesDataUnchanged();
    void failedSaveKeepsTheOldFile();
    void systemReasonsInFrench();
    void exampleRoundTrip();
    void exampleContent();
    void generatedListRoundTrip();
    void damagedFiles_data();
    void damagedFiles();
    void cutAndMutatedFilesReadBackStably();
};

void TestListFile::writerOutputIsExact() {
    ShoppingData d;
    fillSmall(d);
    QCOMPARE(serialized(d), kSmallFile);
}

void TestListFile::readerGivesBackTheSmallList() {
    listfile::Contents c;
    QString error;
    QVERIFY2(listfile::parse(kSmallFile, c, &error), qPrintable(error));
    QCOMPARE(c.tree.toLines(), QStringList({u("Boulangerie"), u("\tPains"), u("Marché"),
                                            u("\tPains"), u("\tPrimeur")}));
    QCOMPARE(c.catalogue.recordCount(), 2);
    QCOMPARE(textAt(c.catalogue, 0, Cat::Produit), u("Pain, complet"));
    QCOMPARE(textAt(c.catalogue, 0, Cat::color), u(" "));
    QCOMPARE(RecordTable::realOf(c.catalogue.recordAt(0), Cat::Prix).value(), 2.5);
    QCOMPARE(RecordTable::dateOf(c.catalogue.recordAt(0), Cat::date_dern_achat),
             QDate(2026, 12, 5));
    QCOMPARE(textAt(c.catalogue, 0, Cat::memo), u("Note (bio)"));
    QVERIFY(isNullAt(c.catalogue, 1, Cat::memo));
    QVERIFY(isNullAt(c.catalogue, 1, Cat::Duree_rappel));
    QCOMPARE(c.validationText, u(" mardi 1 décembre 2026"));
    // Both tables stand on their first record.
    QCOMPARE(c.catalogue.currentPos(), 0);
    QCOMPARE(c.list.currentPos(), 0);
    QCOMPARE(serialized(c), kSmallFile);
}

void TestListFile::listAndCatalogueValues() {
    listfile::Contents c;
    QString error;
    const QByteArray file =
        fileWith("Boulangerie;Pains;Baguette;2;N;O;;;\r\n",
                 "Boulangerie;Pains;Baguette;X;7;1.25;O;O;30;9/1/2026;bien cuite;\r\n");
    QVERIFY2(listfile::parse(file, c, &error), qPrintable(error));
    QCOMPARE(c.list.recordCount(), 1);
    QCOMPARE(RecordTable::integerOf(c.list.recordAt(0), Lst::unite_vente).value(), 2);
    QCOMPARE(textAt(c.list, 0, Lst::Prevu), u("N"));
    QCOMPARE(textAt(c.list, 0, Lst::Rappel), u("O"));
    QVERIFY(isNullAt(c.list, 0, Lst::Promo));
    QVERIFY(isNullAt(c.list, 0, Lst::Color));
    const Record& p = c.catalogue.recordAt(0);
    QCOMPARE(RecordTable::integerOf(p, Cat::id_prod).value(), 7);
    QCOMPARE(RecordTable::realOf(p, Cat::Prix).value(), 1.25); // a point is read too
    QCOMPARE(RecordTable::integerOf(p, Cat::Duree_rappel).value(), 30);
    QCOMPARE(RecordTable::dateOf(p, Cat::date_dern_achat), QDate(2026, 1, 9));
    QCOMPARE(textAt(c.catalogue, 0, Cat::memo), u("bien cuite"));

    // Texts are cut to their field's width.
    listfile::Contents cut;
    const QByteArray longName(70, 'n');
    QVERIFY(
        listfile::parse(fileWith({}, "S;R;" + longName + ";X;1;1;Oui;Non;;;;\r\n"), cut, &error));
    QCOMPARE(textAt(cut.catalogue, 0, Cat::Produit), QString(60, u'n'));
    QCOMPARE(textAt(cut.catalogue, 0, Cat::prevu), u("O"));
    QCOMPARE(textAt(cut.catalogue, 0, Cat::Rappel), u("N"));
}

void TestListFile::unconvertibleValues() {
    listfile::Contents c;
    QString error;
    const QByteArray file = fileWith("S;R;a;40000;N;N;;;\r\n"  // above 16 bits
                                     "S;R;b;-32768;N;N;;;\r\n" // lowest 16-bit value
                                     "S;R;c;deux;N;N;;;\r\n"   // not a number
                                     "S;R;d;2,5;N;N;;;\r\n",   // not a whole number
                                     "S;R;e; ;1;;N;N;;;;\r\n"  // empty price: 1
                                     "S;R;f; ;2;abc;N;O;x;31/02/2026;;\r\n"
                                     "S;R;g; ;3000000000;1e400;N;O;-40000;1/1;;\r\n"
                                     "S;R;h; ;+4; 3,5 ;N;O;32767;05/12/26;;\r\n");
    QVERIFY2(listfile::parse(file, c, &error), qPrintable(error));
    QVERIFY(isNullAt(c.list, 0, Lst::unite_vente));
    QCOMPARE(RecordTable::integerOf(c.list.recordAt(1), Lst::unite_vente).value(), -32768);
    QVERIFY(isNullAt(c.list, 2, Lst::unite_vente));
    QVERIFY(isNullAt(c.list, 3, Lst::unite_vente));
    const RecordTable& cat = c.catalogue;
    QCOMPARE(RecordTable::realOf(cat.recordAt(0), Cat::Prix).value(), 1.0);
    QVERIFY(isNullAt(cat, 0, Cat::Duree_rappel));
    QVERIFY(isNullAt(cat, 0, Cat::date_dern_achat));
    QCOMPARE(RecordTable::realOf(cat.recordAt(1), Cat::Prix).value(), 1.0);
    QVERIFY(isNullAt(cat, 1, Cat::Duree_rappel));
    QVERIFY(isNullAt(cat, 1, Cat::date_dern_achat)); // no 31 February
    QVERIFY(isNullAt(cat, 2, Cat::id_prod));         // above 32 bits
    QCOMPARE(RecordTable::realOf(cat.recordAt(2), Cat::Prix).value(), 1.0);
    QVERIFY(isNullAt(cat, 2, Cat::Duree_rappel));
    QVERIFY(isNullAt(cat, 2, Cat::date_dern_achat));
    QCOMPARE(RecordTable::integerOf(cat.recordAt(3), Cat::id_prod).value(), 4);
    QCOMPARE(RecordTable::realOf(cat.recordAt(3), Cat::Prix).value(), 3.5);
    QCOMPARE(RecordTable::integerOf(cat.recordAt(3), Cat::Duree_rappel).value(), 32767);
    QCOMPARE(RecordTable::dateOf(cat.recordAt(3), Cat::date_dern_achat), QDate(2026, 12, 5));

    // A line that stops before the price leaves it empty. Written back as 0, what the program
    // counts it as, it does not come back as 1.
    listfile::Contents shortLine;
    QVERIFY(listfile::parse(fileWith({}, "S;R;P;\r\n"), shortLine, &error));
    QVERIFY(isNullAt(shortLine.catalogue, 0, Cat::Prix));
    const QByteArray written = serialized(shortLine);
    QVERIFY(written.contains("\r\nS;R;P;;;0;;;;;;\r\n"));
    listfile::Contents back;
    QVERIFY(listfile::parse(written, back, &error));
    QCOMPARE(RecordTable::realOf(back.catalogue.recordAt(0), Cat::Prix).value(), 0.0);
    ShoppingData notANumber;
    addProduct(notANumber.catalogue, {u("S"), u("R"), u("P")});
    notANumber.catalogue.setReal(Cat::Prix, std::nan(""));
    notANumber.catalogue.post();
    QVERIFY(serialized(notANumber).contains("\r\nS;R;P;;;0;;;;;;\r\n"));
}

void TestListFile::lineShapes() {
    listfile::Contents c;
    QString error;
    const QByteArray memoFar = "S;" + QByteArray(293, 'r') + ";P;X;1;2;N;N;;;note;\r\n";
    const QByteArray file = fileWith("S;R;P;1;N;N;;;\r\n"
                                     "\r\n"                             // blank line: empty record
                                     "no semicolon at all\r\n"          // empty record too
                                     "S;R;Q;1;N;N;x;y;extra;more;\r\n", // values past the end
                                     "S;R;P; ;1;2;N;N;;;lost memo\r\n"  // no final ";"
                                         + memoFar);
    QVERIFY2(listfile::parse(file, c, &error), qPrintable(error));
    QCOMPARE(c.list.recordCount(), 4);
    for (int f = 0; f < Lst::FieldCount; ++f) {
        QVERIFY(isNullAt(c.list, 1, f));
        QVERIFY(isNullAt(c.list, 2, f));
    }
    QCOMPARE(textAt(c.list, 3, Lst::Promo), u("x"));
    QCOMPARE(textAt(c.list, 3, Lst::Color), u("y"));
    QCOMPARE(c.catalogue.recordCount(), 2);
    QVERIFY(isNullAt(c.catalogue, 0, Cat::memo));
    QCOMPARE(RecordTable::realOf(c.catalogue.recordAt(0), Cat::Prix).value(), 2.0);
    // Only 300 characters after the first ";" are examined: the aisle is cut to its width and
    // what lies beyond the 300th character is lost.
    const Record& far = c.catalogue.recordAt(1);
    QCOMPARE(RecordTable::textOf(far, Cat::Rayon), QString(20, u'r'));
    QCOMPARE(RecordTable::textOf(far, Cat::Produit), u("P"));
    QCOMPARE(RecordTable::integerOf(far, Cat::id_prod).value(), 1);
    QVERIFY(isNullAt(c.catalogue, 1, Cat::Prix)); // "2;..." began at character 301
}

void TestListFile::validationText() {
    const struct {
        QByteArray line;
        QString expected;
    } cases[] = {
        {"DATE= mardi 1 d\xE9"
         "cembre 2026",
         u(" mardi 1 décembre 2026")},
        {"XXXXXsans DATE", u("sans DATE")}, // the first five characters are not examined
        {"DATE=" + QByteArray(40, 'a'), QString(30, u'a')},
        {"DATE", QString()},
        {"DATE=", QString()},
    };
    for (const auto& t : cases) {
        listfile::Contents c;
        QString error;
        QVERIFY(listfile::parse(fileWith({}, {}, {}, t.line + "\r\n"), c, &error));
        QCOMPARE(c.validationText, t.expected);
    }
    // A file that stops right after "[SAISIE]" keeps the text of a list never validated.
    listfile::Contents c;
    QString error;
    QVERIFY(listfile::parse(fileWith({}, {}, {}, {}), c, &error));
    QCOMPARE(c.validationText, ShoppingData::initialValidationText());
    // A blank and a long date round-trip unchanged.
    ShoppingData d;
    d.validationText = u(" mercredi 9 décembre 2026");
    listfile::Contents back;
    QVERIFY(listfile::parse(serialized(d), back, &error));
    QCOMPARE(back.validationText, d.validationText);
}

void TestListFile::sectionsEndAtAnyBracket() {
    listfile::Contents c;
    QString error;
    // No section name is checked: the first line is skipped whatever it holds, and each section
    // ends at the first line holding a "[".
    const QByteArray file = "anything\r\n"
                            "Boulangerie\r\n"
                            "x[\r\n"
                            "S;R;P;1;N;N;;;\r\n"
                            "autre [ chose\r\n"
                            "S;R;P; ;1;2;N;N;;;;\r\n"
                            "S;R;Q; ;2;2;N;N;;;;\r\n"
                            "]][[\r\n"
                            "DATE=ok\r\n"
                            "lines after the date are ignored\r\n";
    QVERIFY2(listfile::parse(file, c, &error), qPrintable(error));
    QCOMPARE(c.tree.toLines(), QStringList{u("Boulangerie")});
    QCOMPARE(c.list.recordCount(), 1);
    QCOMPARE(c.catalogue.recordCount(), 2);
    QCOMPARE(c.validationText, u("ok"));
}

void TestListFile::lineEnds() {
    QByteArray lf = kSmallFile;
    lf.replace("\r\n", "\n");
    listfile::Contents a, b;
    QString error;
    QVERIFY(listfile::parse(lf, a, &error));
    QCOMPARE(serialized(a), kSmallFile);
    // The last line needs no line end.
    QVERIFY(listfile::parse(kSmallFile.chopped(2), b, &error));
    QCOMPARE(serialized(b), kSmallFile);
    // Only the CR just before the LF is dropped; a lone CR stays inside the line.
    listfile::Contents c;
    QVERIFY(listfile::parse(fileWith("S;R\rX;P;1;N;N;;;\r\r\n", {}), c, &error));
    QCOMPARE(textAt(c.list, 0, Lst::Rayon), u("R\rX"));
    QCOMPARE(textAt(c.list, 0, Lst::Promo), QString());
}

void TestListFile::treeLevels() {
    listfile::Contents c;
    QString error;
    // TABs and blanks both count as levels; every level is sorted after reading.
    QVERIFY(listfile::parse(
        fileWith({}, {}, "Marche\r\n\tPrimeur\r\n Boucher\r\nAuchan\r\n\tFrais\r\n"), c, &error));
    QCOMPARE(c.tree.toLines(),
             QStringList({u("Auchan"), u("\tFrais"), u("Marche"), u("\tBoucher"), u("\tPrimeur")}));
    // A line two levels deeper than the previous node stops the load.
    listfile::Contents bad;
    QVERIFY(!listfile::parse(fileWith({}, {}, "Marché\r\n\t\tPains\r\n"), bad, &error));
    QCOMPARE(error, u("Niveau incorrect (2) pour l'élément \"Pains\""));
    // The first line is a top node whatever its level.
    listfile::Contents first;
    QVERIFY(listfile::parse(fileWith({}, {}, "\t\tMarche\r\n\tPrimeur\r\n"), first, &error));
    QCOMPARE(first.tree.toLines(), QStringList({u("Marche"), u("\tPrimeur")}));
}

void TestListFile::writerReplacesWhatWouldReadBackDifferently() {
    ShoppingData d;
    const int s = d.tree.addSector(u(" [Rue] du;Marché"));
    d.tree.addAisle(s, u("\tFrais"));
    addProduct(d.catalogue, {u(" [Rue] du;Marché"), u("\tFrais"), u("Thé Ω vert 🍵\r\nbio"), u(" "),
                             u("1"), u("2")});
    d.validationText = u("fin\r\nde ligne [ok]");
    const QByteArray bytes = serialized(d);
    // Sector and aisle names lose their leading blanks and TABs in the records too, so that
    // they still match the tree once read back.
    QVERIFY(bytes.contains(cp("\r\n(Rue) du,Marché;Frais;Thé ? vert ?  bio; ;1;2;")));
    QVERIFY(bytes.contains("DATE=fin  de ligne [ok]\r\n"));
    // In the tree, leading blanks and TABs would read back as levels: the name loses them.
    QVERIFY(bytes.startsWith(cp("[RAYON]\r\n(Rue) du,Marché\r\n\tFrais\r\n[LISTE]")));
    listfile::Contents back;
    QString error;
    QVERIFY2(listfile::parse(bytes, back, &error), qPrintable(error));
    QCOMPARE(back.catalogue.recordCount(), 1);
    QCOMPARE(textAt(back.catalogue, 0, Cat::Produit), u("Thé ? vert ?  bio"));
    QCOMPARE(textAt(back.catalogue, 0, Cat::Secteur), u("(Rue) du,Marché"));
    QCOMPARE(back.tree.toLines(), QStringList({u("(Rue) du,Marché"), u("\tFrais")}));
    QCOMPARE(back.validationText, u("fin  de ligne [ok]"));
    QCOMPARE(serialized(back), bytes);
}

void TestListFile::moneyAndDateForms() {
    const struct {
        double value;
        const char* text;
    } money[] = {
        {2.5, "2,5"},
        {3, "3"},
        {0.1 + 0.2, "0,3"},
        {-1.25, "-1,25"},
        {0, "0"},
        {-0.0, "0"},
        {1e-5, "0,00001"},
        {1e20, "100000000000000000000"},
        {1234.5678, "1234,5678"},
        {123456789.123456789, "123456789,123457"},
        {0.15245, "0,15245"},
    };
    for (const auto& m : money) {
        QCOMPARE(listfile::formatMoney(m.value), QString::fromLatin1(m.text));
        QCOMPARE(listfile::parseMoney(QString::fromLatin1(m.text)).value(),
                 std::stod(QString::fromLatin1(m.text).replace(u',', u'.').toStdString()));
    }
    QCOMPARE(listfile::formatMoney(std::nan("")), QString());
    QCOMPARE(listfile::formatMoney(HUGE_VAL), QString());
    QCOMPARE(listfile::parseMoney(u"2.5").value(), 2.5);
    QCOMPARE(listfile::parseMoney(u"1E-5").value(), 1e-5); // exponent form of older files
    for (const char* bad :
         {"", " ", "abc", "1,2,3", "1.2,3", "nan", "inf", "0x10", "2 €", "1e999", "--1"})
        QVERIFY2(!listfile::parseMoney(QString::fromUtf8(bad)), bad);

    QCOMPARE(listfile::formatDate(QDate(2026, 12, 9)), u("09/12/2026"));
    QCOMPARE(listfile::formatDate(QDate(812, 3, 1)), u("01/03/0812"));
    QCOMPARE(listfile::formatDate(QDate()), QString());
    QCOMPARE(listfile::parseDate(u"9/12/2026"), QDate(2026, 12, 9));
    QCOMPARE(listfile::parseDate(u"09.12.2026"), QDate(2026, 12, 9));
    QCOMPARE(listfile::parseDate(u"1/3/99"), QDate(1999, 3, 1));
    QCOMPARE(listfile::parseDate(u"1/3/0812"), QDate(812, 3, 1));
    for (const char* bad : {"", "2026-12-09x", "12/2026", "1/2/3/4", "32/01/2026", "29/02/2026",
                            "1/13/2026", "a/b/c", "1//2026", "1/2.2026", "111/1/2026"})
        QVERIFY2(!listfile::parseDate(QString::fromLatin1(bad)).isValid(), bad);
}

void TestListFile::filesDoNotDependOnTheLocale() {
    ShoppingData d;
    fillSmall(d);
    const QLocale before;
    for (const QLocale& l : {QLocale(QLocale::English, QLocale::UnitedStates),
                             QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
        QLocale::setDefault(l);
        QCOMPARE(serialized(d), kSmallFile);
        listfile::Contents c;
        QString error;
        QVERIFY(listfile::parse(kSmallFile, c, &error));
        QCOMPARE(RecordTable::realOf(c.catalogue.recordAt(0), Cat::Prix).value(), 2.5);
        QCOMPARE(RecordTable::dateOf(c.catalogue.recordAt(0), Cat::date_dern_achat),
                 QDate(2026, 12, 5));
    }
    QLocale::setDefault(before);
}

void TestListFile::treeKeepsOnlyUsedNames() {
    ShoppingData d;
    fillSmall(d);
    listfile::Contents c;
    QString error;
    QVERIFY(listfile::parse(serialized(d), c, &error));
    // "Fermé" (no product) and "Gâteaux" (no product anywhere) are gone; "Pains" stays under
    // "Marché" because a product of another sector uses that aisle name.
    QCOMPARE(c.tree.nodeCount(), 5);
    for (const auto& e : c.tree.walk()) {
        QVERIFY(e.node->text != u("Fermé"));
        QVERIFY(e.node->text != u("Gâteaux"));
    }
    // An empty tree is written as no line at all.
    ShoppingData bare;
    addProduct(bare.catalogue, {u("S"), u("R"), u("P")});
    QVERIFY(serialized(bare).startsWith("[RAYON]\r\n[LISTE]\r\n[PRODUIT]\r\nS;R;P;;;0;;;;;;\r\n"));
}

void TestListFile::saveWritesEveryRecordWhateverTheFilter() {
    QTemporaryDir dir;
    ShoppingData d;
    fillSmall(d);
    d.selection = {u("Marché"), QString(), 0};
    d.setShopFilter(true);
    d.catalogue.first();
    const RecordTable::Bookmark current = d.catalogue.bookmark();
    QCOMPARE(d.catalogue.visiblePositions().size(), size_t(1));
    const QString path = dir.filePath(u("liste.pnv"));
    QString error;
    QVERIFY2(listfile::save(path, d, &error), qPrintable(error));
    QCOMPARE(readAll(path), kSmallFile);
    QVERIFY(d.shopFilterOn());
    QVERIFY(d.catalogue.filtered());
    QCOMPARE(d.catalogue.bookmark(), current);
    // Saving again replaces the file.
    d.validationText = u("autre");
    QVERIFY(listfile::save(path, d, &error));
    QVERIFY(readAll(path).endsWith("DATE=autre\r\n"));
}

void TestListFile::loadLeavesRunStateAlone() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u("l.pnv"));
    QVERIFY(writeAll(path, kSmallFile));
    ShoppingData d;
    d.setModified(true);
    d.setListLabel(u("Courses du samedi"));
    ListTotal t;
    t.units = 4;
    d.setTotal(t);
    QString error;
    QVERIFY2(listfile::load(path, d, &error), qPrintable(error));
    QVERIFY(d.modified());
    QCOMPARE(d.listLabel(), u("Courses du samedi"));
    QCOMPARE(d.total().units, qint64(4));
    QCOMPARE(d.catalogue.recordCount(), 2);
    QCOMPARE(d.catalogue.currentPos(), 0);
    QCOMPARE(d.list.currentPos(), 0);
    QCOMPARE(serialized(d), kSmallFile);
    // Loading again replaces everything rather than adding to it.
    QVERIFY(listfile::load(path, d, &error));
    QCOMPARE(d.catalogue.recordCount(), 2);
    QCOMPARE(d.tree.nodeCount(), 5);
}

void TestListFile::failedLoadLeavesDataUnchanged() {
    QTemporaryDir dir;
    ShoppingData d;
    fillSmall(d);
    d.catalogue.setCurrentPos(1);
    const QByteArray before = serialized(d);
    const auto check = [&](const QString& path, const QString& expected) {
        QString error;
        QVERIFY(!listfile::load(path, d, &error));
        QCOMPARE(error, expected);
        QCOMPARE(serialized(d), before);
        QCOMPARE(d.catalogue.currentPos(), 1);
        QCOMPARE(d.tree.nodeCount(), 8);
    };
    check(dir.filePath(u("absent.pnv")), u("Fichier introuvable"));
    check(dir.filePath(u("absent/dossier/l.pnv")), u("Fichier introuvable"));
    check(dir.path(), u("Le nom désigne un dossier et non un fichier"));
    const QString jump = dir.filePath(u("jump.pnv"));
    QVERIFY(writeAll(jump, fileWith({}, "S;R;P;;;;;;;;;\r\n", "A\r\n\t\t\tB\r\n")));
    check(jump, u("Niveau incorrect (3) pour l'élément \"B\""));
    const QString cut = dir.filePath(u("cut.pnv"));
    QVERIFY(writeAll(cut, kSmallFile.left(kSmallFile.indexOf("[SAISIE]"))));
    check(cut, u("Fichier incomplet ou endommagé : la section [SAISIE] est absente."));
}

void TestListFile::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    ShoppingData d;
    fillSmall(d);
    QString error;
    // The directory does not exist.
    QVERIFY(!listfile::save(dir.filePath(u("absent/l.pnv")), d, &error));
    QCOMPARE(error, u("Fichier introuvable"));
    // A directory stands where the file should go: it stays a directory.
    QVERIFY(QDir(dir.path()).mkdir(u("l.pnv")));
    error.clear();
    QVERIFY(!listfile::save(dir.filePath(u("l.pnv")), d, &error));
    QCOMPARE(error, u("Le nom désigne un dossier et non un fichier"));
    QVERIFY(QFileInfo(dir.filePath(u("l.pnv"))).isDir());
    // A system place where no file can be created.
    error.clear();
    QVERIFY(!listfile::save(u("/sys/kabiro-test.pnv"), d, &error));
    QCOMPARE(error, u("Accès refusé"));
    // An existing file whose name leaves no room for the temporary file beside it: the save
    // fails and the old content is still there, whole.
    const QString longName = dir.filePath(QString(250, u'l') + u(".pnv"));
    QVERIFY(writeAll(longName, "ancien contenu\r\n"));
    error.clear();
    QVERIFY(!listfile::save(longName, d, &error));
    QCOMPARE(error, u("Nom de fichier trop long"));
    QCOMPARE(readAll(longName), QByteArray("ancien contenu\r\n"));
}

void TestListFile::systemReasonsInFrench() {
    QCOMPARE(frenchFileError(ENOENT), u("Fichier introuvable"));
    QCOMPARE(frenchFileError(EACCES), u("Accès refusé"));
    QCOMPARE(frenchFileError(ENOSPC), u("Espace disque insuffisant"));
    QCOMPARE(frenchFileError(EROFS), u("Le système de fichiers est en lecture seule"));
    QCOMPARE(frenchFileError(123456), u("Erreur système 123456"));
}

void TestListFile::exampleRoundTrip() {
    const QString path = QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv");
    const QByteArray bytes = readAll(path);
    QVERIFY(!bytes.isEmpty());
    ShoppingData d;
    QString error;
    QVERIFY2(listfile::load(path, d, &error), qPrintable(error));
    // Written by our own writer: reading and writing it again gives the very same bytes.
    QCOMPARE(serialized(d), bytes);
}

void TestListFile::exampleContent() {
    ShoppingData d;
    QString error;
    QVERIFY2(listfile::load(QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv"), d, &error),
             qPrintable(error));
    QVERIFY(d.tree.roots().size() >= 3);
    QVERIFY(d.tree.nodeCount() - static_cast<int>(d.tree.roots().size()) >= 10);
    QVERIFY(d.catalogue.recordCount() >= 60);
    QVERIFY(d.list.recordCount() >= 3);
    int states[3] = {0, 0, 0};
    int planned = 0, notes = 0;
    for (int p = 0; p < d.catalogue.recordCount(); ++p) {
        const Record& r = d.catalogue.recordAt(p);
        const auto s = reminder::state(reminder::fromCatalogue(r), QDate(2026, 12, 15), 3);
        ++states[static_cast<int>(s)];
        planned += RecordTable::textOf(r, Cat::prevu) == Flag::Yes;
        notes += !RecordTable::textOf(r, Cat::memo).isEmpty();
        const double price = RecordTable::realOf(r, Cat::Prix).value_or(0);
        QVERIFY(price > 0 && price < 100);
        QCOMPARE(RecordTable::integerOf(r, Cat::id_prod).value_or(0), p + 1);
    }
    QVERIFY(states[0] > 0 && states[1] > 0 && states[2] > 0);
    QVERIFY(planned > 0);
    QVERIFY(notes > 0);
    for (int p = 0; p < d.list.recordCount(); ++p) {
        QVERIFY(d.catalogue.locate(Cat::Produit, textAt(d.list, p, Lst::Produit)));
        QCOMPARE(d.catalogue.text(Cat::color), Flag::Listed);
    }
    QCOMPARE(d.validationText, u(" mardi 1 décembre 2026"));
}

void TestListFile::generatedListRoundTrip() {
    // A few thousand products with every kind of value, some empty.
    ShoppingData d;
    QRandomGenerator rng(42);
    const QString letters = u("abcdeéèàçôûœ€ ;[]'-ABCZ0123456789");
    auto word = [&](int max) {
        QString s;
        const int n = rng.bounded(max + 1);
        for (int i = 0; i < n; ++i)
            s += letters[rng.bounded(static_cast<int>(letters.size()))];
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        RecordTable& c = d.catalogue;
        c.append();
        c.setText(Cat::Secteur, u("Secteur %1").arg(i % 7));
        c.setText(Cat::Rayon, u("Rayon %1").arg(i % 23));
        c.setText(Cat::Produit, word(70));
        c.setText(Cat::color, i % 3 ? u(" ") : u("X"));
        if (i % 11)
            c.setInteger(Cat::id_prod, i + 1);
        if (i % 13)
            c.setReal(Cat::Prix, rng.bounded(100000) / 100.0 + (i % 5 ? 0 : 1e-4));
        c.setText(Cat::prevu, i % 2 ? u("O") : u("N"));
        c.setText(Cat::Rappel, i % 4 ? u("N") : u("O"));
        if (i % 6)
            c.setInteger(Cat::Duree_rappel, rng.bounded(-32768, 32768));
        if (i % 8)
            c.setDate(Cat::date_dern_achat, QDate(1990, 1, 1).addDays(rng.bounded(20000)));
        c.setText(Cat::memo, word(60));
        c.post();
        if (i % 5 == 0) {
            d.list.append();
            d.list.setText(Lst::Secteur, c.text(Cat::Secteur));
            d.list.setText(Lst::Rayon, c.text(Cat::Rayon));
            d.list.setText(Lst::Produit, c.text(Cat::Produit));
            d.list.setInteger(Lst::unite_vente, rng.bounded(-5, 100));
            d.list.setText(Lst::Prevu, u("N"));
            d.list.setText(Lst::Rappel, u("P"));
            d.list.post();
        }
    }
    for (int s = 0; s < 7; ++s) {
        const int at = d.tree.addSector(u("Secteur %1").arg(s));
        for (int a = 0; a < 23; a += 2)
            d.tree.addAisle(at, u("Rayon %1").arg(a));
    }
    const QByteArray once = serialized(d);
    listfile::Contents c;
    QString error;
    QVERIFY2(listfile::parse(once, c, &error), qPrintable(error));
    QCOMPARE(c.catalogue.recordCount(), 3000);
    QCOMPARE(c.list.recordCount(), 600);
    QCOMPARE(c.tree.nodeCount(), d.tree.nodeCount());
    QCOMPARE(serialized(c), once);
    // Every value that has no character the writer replaces comes back equal.
    int compared = 0;
    for (int p = 0; p < 3000; ++p) {
        const Record& a = d.catalogue.recordAt(p);
        const Record& b = c.catalogue.recordAt(p);
        for (int f = 0; f < Cat::FieldCount; ++f) {
            if (f == Cat::Prix) {
                // Fifteen significant digits keep every amount to the ten-thousandth.
                const double pa = RecordTable::realOf(a, f).value_or(0);
                QCOMPARE(Money::fromDouble(RecordTable::realOf(b, f).value())->raw(),
                         Money::fromDouble(pa)->raw());
                continue;
            }
            const QString t = RecordTable::textOf(a, f);
            if (t.contains(u';') || t.contains(u'[') || t.contains(u']'))
                continue;
            if (c.catalogue.schema().at(f).type == FieldType::Text)
                QCOMPARE(RecordTable::textOf(b, f), t); // an empty text reads back as empty
            else
                QVERIFY2(b.values[static_cast<size_t>(f)] == a.values[static_cast<size_t>(f)],
                         qPrintable(u("record %1 field %2: %3 <> %4")
                                        .arg(p)
                                        .arg(f)
                                        .arg(t, RecordTable::textOf(b, f))));
            ++compared;
        }
    }
    QVERIFY(compared > 20000);
}

void TestListFile::damagedFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error"); // empty: the file loads
    QTest::addColumn<int>("products");
    QTest::addColumn<int>("listRows");
    QTest::addColumn<int>("treeNodes");
    const QString incomplete = u("Fichier incomplet ou endommagé : la section %1 est absente.");
    QTest::newRow("empty") << "empty.pnv"
                           << u("Le fichier est vide : ce n'est pas une liste de courses.") << 0
                           << 0 << 0;
    QTest::newRow("only CRs") << "only_cr.pnv" << incomplete.arg(u("[LISTE]")) << 0 << 0 << 0;
    QTest::newRow("only line ends")
        << "only_crlf.pnv" << incomplete.arg(u("[LISTE]")) << 0 << 0 << 0;
    QTest::newRow("truncated in the catalogue")
        << "truncated.pnv" << incomplete.arg(u("[SAISIE]")) << 0 << 0 << 0;
    QTest::newRow("no catalogue section")
        << "missing_produit.pnv" << incomplete.arg(u("[PRODUIT]")) << 0 << 0 << 0;
    QTest::newRow("only the header")
        << "header_only.pnv" << incomplete.arg(u("[LISTE]")) << 0 << 0 << 0;
    QTest::newRow("level jump") << "level_jump.pnv"
                                << u("Niveau incorrect (2) pour l'élément \"Viennoiseries\"") << 0
                                << 0 << 0;
    QTest::newRow("binary with NUL")
        << "binary.pnv"
        << u("Le fichier contient des données binaires : ce n'est pas une liste de courses.") << 0
        << 0 << 0;
    // Files that load, with what they hold.
    QTest::newRow("garbage without NUL") << "garbage_text.pnv" << QString() << 3 << 2 << 1;
    QTest::newRow("very long lines") << "long_lines.pnv" << QString() << 2 << 1 << 2;
    QTest::newRow("no date line") << "no_date.pnv" << QString() << 2 << 1 << 2;
    QTest::newRow("sections without names") << "brackets_only.pnv" << QString() << 1 << 1 << 1;
}

void TestListFile::damagedFiles() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(int, products);
    QFETCH(int, listRows);
    QFETCH(int, treeNodes);
    const QString path = QStringLiteral(KABIRO_TEST_DATA "/damaged/") + file;
    QVERIFY(QFileInfo::exists(path));
    ShoppingData d;
    addProduct(d.catalogue, {u("Avant"), u("R"), u("P")});
    const QByteArray before = serialized(d);
    QString message;
    const bool ok = listfile::load(path, d, &message);
    if (!error.isEmpty()) {
        QVERIFY(!ok);
        QCOMPARE(message, error);
        QCOMPARE(serialized(d), before);
        return;
    }
    QVERIFY2(ok, qPrintable(message));
    QCOMPARE(d.catalogue.recordCount(), products);
    QCOMPARE(d.list.recordCount(), listRows);
    QCOMPARE(d.tree.nodeCount(), treeNodes);
    // Whatever was read is written back in a form that reads back the same.
    const QByteArray once = serialized(d);
    listfile::Contents c;
    QVERIFY(listfile::parse(once, c, &message));
    QCOMPARE(serialized(c), once);
}

void TestListFile::cutAndMutatedFilesReadBackStably() {
    const QByteArray example = readAll(QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv"));
    QVERIFY(example.size() > 1000);
    auto check = [](const QByteArray& bytes) {
        listfile::Contents c;
        QString error;
        if (!listfile::parse(bytes, c, &error)) {
            QVERIFY(!error.isEmpty());
            return;
        }
        const QByteArray once = serialized(c);
        listfile::Contents again;
        QVERIFY(listfile::parse(once, again, &error));
        const QByteArray twice = serialized(again);
        QVERIFY2(twice == once, firstDifference(once, twice).constData());
    };
    for (qsizetype cut = 0; cut < example.size(); cut += 37)
        check(example.left(cut));
    QRandomGenerator rng(7);
    const char noise[] = {';', '[', ']', '\t', ' ', '\r',   '\n',
                          'x', '9', ',', '.',  '/', '\xE9', '\x81'};
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = example;
        const int changes = 1 + rng.bounded(8);
        for (int i = 0; i < changes; ++i) {
            const auto at = rng.bounded(static_cast<int>(bytes.size()));
            const char c = noise[rng.bounded(static_cast<int>(sizeof noise))];
            switch (rng.bounded(3)) {
            case 0:
                bytes[at] = c;
                break;
            case 1:
                bytes.insert(at, c);
                break;
            default:
                bytes.remove(at, 1 + rng.bounded(40));
            }
        }
        check(bytes);
    }
}

KABIRO_TEST_GUILESS_MAIN(TestListFile)
#include "test_list_file.moc"
