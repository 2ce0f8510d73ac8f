#include "list_fixture.h"
#include "support/scripted_platform.h"
#include "support/test_registry.h"

#include "model/org_tree.h"
#include "model/win1252.h"
#include "output/list_export.h"
#include "output/org_export.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace outfix;

namespace {

const QString kTitle = QStringLiteral("Ma liste de courses");

QByteArray expected(const QString& name) {
    QFile f(QStringLiteral(KABIRO_TEST_DATA "/export/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing expected file %s", qPrintable(name));
    return f.readAll();
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

// A readable report of the first difference between two files.
QString firstDifference(const QByteArray& got, const QByteArray& want) {
    const QStringList g = win1252::decode(got).split(QStringLiteral("\r\n"));
    const QStringList w = win1252::decode(want).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < std::max(g.size(), w.size()); ++i) {
        const QString a = i < g.size() ? g[i] : QStringLiteral("<end>");
        const QString b = i < w.size() ? w[i] : QStringLiteral("<end>");
        if (a != b)
            return QStringLiteral("line %1:\n got  [%2]\n want [%3]").arg(i + 1).arg(a, b);
    }
    return QStringLiteral("same lines, different bytes");
}

#define COMPARE_FILE(path, name)                                                                   \
    do {                                                                                           \
        const QByteArray got_ = contents(path);                                                    \
        const QByteArray want_ = expected(name);                                                   \
        QVERIFY2(got_ == want_, qPrintable(firstDifference(got_, want_)));                         \
    } while (false)

// The worked list: three sectors given in mixed order and case, an aisle name that goes on
// from one sector into the next, a product missing from the catalogue, a zero price, a name of
// 30 characters, an aisle name of 20, amounts too wide for their columns, an empty quantity and a
// list row whose catalogue product now lives in another sector.
void fillWorkedList(ShoppingData& d) {
    addProduct(d, "alimentation", "Conserves", "sel", 3.0); // not the partner of "Sel"
    addProduct(d, "alimentation", "Conserves", "Sel", 0.0);
    addProduct(d, "alimentation", "Pain", "Biscottes", 2.5);
    addProduct(d, "Boulangerie", "Pain", "Baguette", 2.5);
    addProduct(d, "Boulangerie", "Pain", "Confiture de fraises du jardin", 4.2);
    addProduct(d, "Patisserie", "Viennoiserie", "Croissant", 1.1);
    addProduct(d, "Droguerie", "Produits d'entretien", QString::fromUtf8("Machine à café"), 1234.5);
    addProduct(d, "Droguerie", "Produits d'entretien", "Eau", 0.5);
    addProduct(d, "Droguerie", "Produits d'entretien", "Parfum", 123.45);
    addProduct(d, "Droguerie", "Produits d'entretien", "Savon", 1.95);

    addRow(d, {"Droguerie", "Produits d'entretien", "Eau", 120});
    addRow(d, {"Boulangerie", "Pain", "Baguette", 1, "O", "O"});
    addRow(d, {"alimentation", "Conserves", "Sel", 2});
    addRow(d,
           {"Droguerie", "Produits d'entretien", QString::fromUtf8("Machine à café"), 2, "N", "O"});
    addRow(d, {"alimentation", "Pain", "Biscottes", 3, "N", "P"});
    addRow(d, {"Boulangerie", "Pain", "Croissant", 4});
    addRow(d, {"alimentation", "Conserves", "Produit inconnu", 2, "O", "N"});
    addRow(d, {"Boulangerie", "Pain", "Confiture de fraises du jardin", 1, "O", "P"});
    addRow(d, {"Droguerie", "Produits d'entretien", "Parfum", 1});
    addRow(d, {"Droguerie", "Produits d'entretien", "Savon", std::nullopt});
}

const QStringList kWorkedOrder = {"Produit inconnu",
                                  "Sel",
                                  "Biscottes",
                                  "Baguette",
                                  "Confiture de fraises du jardin",
                                  "Croissant",
                                  "Eau",
                                  QString::fromUtf8("Machine à café"),
                                  "Parfum",
                                  "Savon"};

} // namespace

class TestListExport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
        dir = QDir(tmp->path());
        platform = std::make_unique<ScriptedPlatform>();
        platform->day = QDate(2026, 12, 9);
        platform->regionalSettings = RegionalSettings::french();
    }

    // The toolbar's text export of three entries in one sector: head line, empty line, sector
    // line, three 68-character entry lines, empty line; the file is opened by its full path.
    void textExportOfOneSector() {
        ShoppingData d;
        addProduct(d, QString::fromUtf8("Supermarché"), "Fruits", "Pommes", 0.4);
        addProduct(d, QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"),
                   QString::fromUtf8("Lait demi-écrémé"), 0.95);
        addProduct(d, QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"),
                   "Beurre doux", 2.1);
        addRow(d, {QString::fromUtf8("Supermarché"), "Fruits", "Pommes", 6});
        addRow(d, {QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"),
                   QString::fromUtf8("Lait demi-écrémé"), 2, "O", "O"});
        addRow(d,
               {QString::fromUtf8("Supermarché"), QString::fromUtf8("Crèmerie"), "Beurre doux", 1});

        const ExportResult r = exportList(d, *platform, ExportFormat::Text, kTitle, dir.path());
        QVERIFY(r.written);
        QCOMPARE(r.entries, 3);
        const QString path = QDir(dir.path()).absoluteFilePath("kabiro.txt");
        QCOMPARE(r.path, path);
        COMPARE_FILE(path, "three_entries.txt");
        const QList<QByteArray> lines = contents(path).split('\n');
        QCOMPARE(lines.size(), 8); // seven lines, each ended by CR LF
        for (int i = 3; i < 6; ++i)
            QCOMPARE(lines[i].size(), 68 + 1); // and its CR
        QCOMPARE(platform->opened, QStringList{path});
        QCOMPARE(platform->beeps, 0);
        QVERIFY(platform->messages.isEmpty());
    }

    // Both formats over the worked list: values, carried aisles, cuts and widened amounts.
    void workedList_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expectedName");
        QTest::newRow("text") << int(ExportFormat::Text) << "kabiro.txt"
                              << "worked.txt";
        QTest::newRow("html") << int(ExportFormat::Html) << "kabiro.htm"
                              << "worked.htm";
    }
    void workedList() {
        QFETCH(int, format);
        QFETCH(QString, file);
        QFETCH(QString, expectedName);
        ShoppingData d;
        fillWorkedList(d);
        QVERIFY(select(d.list, "Croissant"));
        QVERIFY(select(d.catalogue, "Parfum"));

        const ExportResult r = exportList(d, *platform, ExportFormat(format), kTitle, dir.path());
        QVERIFY2(r.written, qPrintable(r.error));
        QCOMPARE(r.entries, 10);
        COMPARE_FILE(dir.filePath(file), expectedName);
        QCOMPARE(platform->opened, QStringList{QDir(dir.path()).absoluteFilePath(file)});

        // The list stays sorted; both tables are back on their records and shown again.
        QCOMPARE(names(d.list), kWorkedOrder);
        QCOMPARE(currentName(d.list), QStringLiteral("Croissant"));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Parfum"));
        QVERIFY(!d.list.controlsDisabled());
        QVERIFY(!d.catalogue.controlsDisabled());
    }

    // Money text: a blank, then the locale's money with two decimals in at least six
    // characters; the narrow no-break space of French grouping becomes a storable one.
    void moneyText() {
        const RegionalSettings fr = RegionalSettings::french();
        QCOMPARE(exportMoneyText(Money::fromRaw(25000), fr), QString::fromUtf8(" 2,50\u00a0€"));
        QCOMPARE(exportMoneyText(Money::fromRaw(12345000), fr),
                 QString::fromUtf8(" 1\u00a0234,50\u00a0€"));
        const RegionalSettings us(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(exportMoneyText(Money::fromRaw(25000), us), QStringLiteral("  $2.50"));
        QVERIFY(win1252::canStore(exportMoneyText(Money::fromRaw(12345000), fr)));
    }

    // Only the entries the shop filter shows are written, and their catalogue partners are
    // looked up among the products it shows.
    void shopFilter() {
        ShoppingData d;
        fillWorkedList(d);
        d.selection = {"Boulangerie", QString(), 0};
        d.setShopFilter(true);
        ExportResult r = exportList(d, *platform, ExportFormat::Text, kTitle, dir.path());
        QCOMPARE(r.entries, 3);
        COMPARE_FILE(dir.filePath("kabiro.txt"), "filtered.txt");

        // An aisle selection spans the sectors that share the aisle name.
        d.selection = {"Boulangerie", "Pain", 1};
        d.reapplyShopFilter();
        r = exportList(d, *platform, ExportFormat::Text, kTitle, dir.path());
        QCOMPARE(r.entries, 4);
        const QString text = win1252::decode(contents(r.path));
        QVERIFY(text.contains("\r\nalimentation\r\n- ") && text.contains("\r\nBoulangerie\r\n>*"));
        QVERIFY(text.indexOf("Biscottes") < text.indexOf("Baguette"));
        QVERIFY(text.contains(QString::fromUtf8(">*  -                1 Baguette ")));

        // A filter that shows no entry: head and tail only, a beep, nothing opened.
        d.selection = {"Patisserie", QString(), 0};
        d.reapplyShopFilter();
        platform->opened.clear();
        r = exportList(d, *platform, ExportFormat::Text, kTitle, dir.path());
        QCOMPARE(r.entries, 0);
        QCOMPARE(contents(r.path), QByteArray("Ma liste de courses en date du 09/12/2026\r\n\r\n"));
        QCOMPARE(platform->beeps, 1);
        QVERIFY(platform->opened.isEmpty());
    }

    // Every sector gets its head, whatever its name, and an empty first aisle shows as "-".
    void sectorNames() {
        ShoppingData d;
        addRow(d, {"*", "", "Article", 1});
        addRow(d, {"", "", "Sans secteur", 1});
        exportList(d, *platform, ExportFormat::Text, kTitle, dir.path());
        const QStringList lines =
            win1252::decode(contents(dir.filePath("kabiro.txt"))).split("\r\n");
        QCOMPARE(lines.mid(1, 6),
                 (QStringList{"", "", textExportLine({"- ", "-", "1", "Sans secteur", "-", "-"}),
                              "", "*", textExportLine({"- ", "-", "1", "Article", "-", "-"})}));
    }

    // The menu's HTML export of an empty list: lines 1 to 13 and the tail, a beep, no opening.
    void emptyListHtml() {
        ShoppingData d;
        const ExportResult r = exportList(d, *platform, ExportFormat::Html, kTitle, dir.path());
        QVERIFY(r.written);
        QCOMPARE(r.entries, 0);
        COMPARE_FILE(dir.filePath("kabiro.htm"), "empty.htm");
        QCOMPARE(platform->beeps, 1);
        QVERIFY(platform->opened.isEmpty());
        QVERIFY(platform->messages.isEmpty());
    }

    // Markup characters in any value are written as entities in the page; the text export
    // keeps them as they are.
    void htmlEscaping() {
        ShoppingData d;
        const QString sector = QString::fromUtf8("Fruits & légumes");
        const QString product = QString::fromUtf8("Pâté & <épices>");
        addProduct(d, sector, "<Bio>", product, 3.5);
        addRow(d, {sector, "<Bio>", product, 2, "O", "O"});
        const QString title = QString::fromUtf8("Courses <Noël> & co");
        exportList(d, *platform, ExportFormat::Html, title, dir.path());
        COMPARE_FILE(dir.filePath("kabiro.htm"), "escaped.htm");

        exportList(d, *platform, ExportFormat::Text, title, dir.path());
        const QString text = win1252::decode(contents(dir.filePath("kabiro.txt")));
        QVERIFY(text.startsWith(title + " en date du "));
        QVERIFY(text.contains("\r\n" + sector + "\r\n"));
        QVERIFY(text.contains(QString::fromUtf8(">*  <Bio>            2 Pâté & <épices> ")));
    }

    // A file that cannot be written ends the export with a message; nothing is opened.
    void writeFailure() {
        ShoppingData d;
        fillWorkedList(d);
        const QStringList before = names(d.list);
        const QString missing = dir.filePath("absent/dossier");
        ExportResult r = exportList(d, *platform, ExportFormat::Text, kTitle, missing);
        QVERIFY(!r.written);
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].icon, Platform::Icon::Error);
        QVERIFY2(platform->messages[0].text.startsWith(QString::fromUtf8("Impossible d'écrire")),
                 qPrintable(platform->messages[0].text));
        QVERIFY(platform->messages[0].text.contains("kabiro.txt"));
        QVERIFY(platform->messages[0].text.contains(QStringLiteral("introuvable")));
        QVERIFY(platform->opened.isEmpty());
        QCOMPARE(platform->beeps, 0);
        QVERIFY(!QFile::exists(missing + "/kabiro.txt"));
        QCOMPARE(names(d.list), before); // the file was never created: the list is untouched

        // A folder in the way of the file: the export is refused when it is put in place.
        QVERIFY(QDir(dir.path()).mkdir("kabiro.htm"));
        r = exportList(d, *platform, ExportFormat::Html, kTitle, dir.path());
        QVERIFY(!r.written);
        QCOMPARE(platform->messages.size(), 2);
        QVERIFY(platform->opened.isEmpty());
        QVERIFY(QFileInfo(dir.filePath("kabiro.htm")).isDir());
        QVERIFY(!d.list.controlsDisabled());
    }

    // A second export replaces the first file whole.
    void replacesExistingFile() {
        QFile old(dir.filePath("kabiro.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();
        ShoppingData d;
        exportList(d, *platform, ExportFormat::Text, kTitle, dir.path());
        QCOMPARE(contents(dir.filePath("kabiro.txt")),
                 QByteArray("Ma liste de courses en date du 09/12/2026\r\n\r\n"));
    }

    // Every node, one TAB per level, CR LF, Windows-1252; an empty tree gives an empty file.
    void organisationExport() {
        ShoppingData d;
        const int epicerie = d.tree.addSector(QString::fromUtf8("Épicerie"));
        d.tree.addAisle(epicerie, QString::fromUtf8("Crèmerie"));
        d.tree.addAisle(epicerie, "Conserves");
        const int boulangerie = d.tree.addSector("Boulangerie");
        d.tree.addAisle(boulangerie, "Viennoiserie");
        d.tree.addAisle(boulangerie, "Pain");
        d.tree.addAisle(d.tree.addSector("Droguerie"), "Entretien");

        ExportResult r = exportOrganisation(d.tree, *platform, dir.path());
        QVERIFY(r.written);
        const QString path = QDir(dir.path()).absoluteFilePath("orga_lst.txt");
        COMPARE_FILE(path, "orga_lst.txt");
        QCOMPARE(platform->opened, QStringList{path});

        r = exportOrganisation(OrgTree(), *platform, dir.path());
        QVERIFY(r.written);
        QCOMPARE(contents(path), QByteArray());

        r = exportOrganisation(d.tree, *platform, dir.filePath("absent"));
        QVERIFY(!r.written);
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->opened.size(), 2);
    }

private:
    std::unique_ptr<QTemporaryDir> tmp; // a fresh folder for every test
    std::unique_ptr<ScriptedPlatform> platform;
    QDir dir;
};

KABIRO_TEST_GUILESS_MAIN(TestListExport)
#include "test_list_export.moc"
