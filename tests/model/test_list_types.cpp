#include "model/list_file.h"
#include "model/list_types.h"
#include "model/shopping_commands.h"
#include "support/test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace listtypes;

namespace {

void addProduct(ShoppingData& d, const QString& sector, const QString& name, qint32 id,
                bool listed = false) {
    RecordTable& t = d.catalogue;
    t.append();
    t.setText(Cat::Secteur, sector);
    t.setText(Cat::Rayon, sector + " rayon");
    t.setText(Cat::Produit, name);
    t.setText(Cat::color, listed ? Flag::Listed : Flag::NotListed);
    t.setInteger(Cat::id_prod, id);
    t.setReal(Cat::Prix, 2.0);
    t.setText(Cat::prevu, Flag::No);
    t.setText(Cat::Rappel, Flag::No);
    t.setInteger(Cat::Duree_rappel, 10);
    t.post();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

qint32 idAt(const ShoppingData& d, int pos) {
    return RecordTable::integerOf(d.catalogue.recordAt(pos), Cat::id_prod).value_or(-1);
}

// The list rows as "name xquantity", in list order.
QStringList rows(const ShoppingData& d) {
    QStringList out;
    for (int i = 0; i < d.list.recordCount(); ++i) {
        const Record& r = d.list.recordAt(i);
        out << RecordTable::textOf(r, Lst::Produit) + " x" +
                   QString::number(RecordTable::integerOf(r, Lst::unite_vente).value_or(0));
    }
    return out;
}

} // namespace

class TestListTypes : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void firstBuildCreatesTheFileAndRenumbers() {
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 40);
        addProduct(d, "Marché", "Pommes", 7);
        addProduct(d, "Bazar", "Vis", 12);
        d.selection = {"Bazar", QString(), 0};
        d.setShopFilter(true);
        d.catalogue.next();

        ListTypeFile file(path("first.ltl"));
        const QString listPath = path("first.pnv");
        int writes = 0;
        const MenuBuild b = buildMenu(d, file, [&](QString* err) {
            ++writes;
            const bool ok = listfile::save(listPath, d, err);
            if (ok)
                d.setModified(false);
            return ok;
        });
        QVERIFY(b.ok);
        QVERIFY(b.created);
        QVERIFY(b.names.isEmpty());
        QCOMPARE(readAll(file.path()), QByteArray("[LISTE-TYPE]\r\n"));
        // Every product, the filtered-out one too, numbered in the present order.
        QCOMPARE(idAt(d, 0), 1);
        QCOMPARE(idAt(d, 1), 2);
        QCOMPARE(idAt(d, 2), 3);
        QCOMPARE(writes, 1);
        ShoppingData back;
        QString err;
        QVERIFY2(listfile::load(listPath, back, &err), qPrintable(err));
        QCOMPARE(idAt(back, 2), 3);
        // Filter back on, catalogue on its first record.
        QVERIFY(d.catalogue.filtered());
        QCOMPARE(d.catalogue.currentPos(), 0);

        // A second build finds the file: no renumbering, no write, the names in file order.
        QVERIFY(file.save("SEMAINE", "-1-"));
        QVERIFY(file.save("FETE", "-2-"));
        d.catalogue.setCurrentPos(2);
        d.catalogue.edit();
        d.catalogue.setInteger(Cat::id_prod, 30);
        d.catalogue.post();
        const MenuBuild again = buildMenu(d, file, [&](QString*) { return ++writes, true; });
        QVERIFY(!again.created);
        QCOMPARE(again.names, QStringList({"SEMAINE", "FETE"}));
        QCOMPARE(idAt(d, 2), 30);
        QCOMPARE(writes, 1);
    }

    void buildStopsWhenTheFileCannotBeCreated() {
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 40);
        ListTypeFile file(path("no/such/dir/x.ltl"));
        bool wrote = false;
        const MenuBuild b = buildMenu(d, file, [&](QString*) { return wrote = true; });
        QVERIFY(!b.ok);
        QVERIFY(b.error.contains("Impossible d'écrire dans"));
        QVERIFY(!wrote);
        QCOMPARE(idAt(d, 0), 40);
    }

    void savingTheListedProducts() {
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 3, true);
        addProduct(d, "Bazar", "Vis", 5);
        addProduct(d, "Marché", "Pommes", 17, true);
        addProduct(d, "Marché", "Poires", 42, true);
        d.catalogue.setCurrentPos(1);
        ListTypeFile file(path("save.ltl"));
        QVERIFY(file.create());

        QString err, saved;
        QCOMPARE(saveNewListType(d, file, "  courses n ", &err, &saved), SaveResult::Saved);
        QCOMPARE(saved, QString("COURSES N"));
        QCOMPARE(readAll(file.path()), QByteArray("[LISTE-TYPE]\r\nCOURSES N=-3-17-42-\r\n"));
        QCOMPARE(d.catalogue.currentPos(), 1);

        // The same name again replaces the value in place.
        QVERIFY(file.save("AUTRE", "-5-"));
        d.catalogue.setCurrentPos(0);
        d.catalogue.edit();
        d.catalogue.setText(Cat::color, Flag::NotListed);
        d.catalogue.post();
        QCOMPARE(saveNewListType(d, file, "COURSES N", &err), SaveResult::Saved);
        QCOMPARE(readAll(file.path()),
                 QByteArray("[LISTE-TYPE]\r\nCOURSES N=-17-42-\r\nAUTRE=-5-\r\n"));

        // Under the shop filter only the listed products of the sector count.
        d.selection = {"Marché", QString(), 0};
        d.setShopFilter(true);
        QCOMPARE(listedProductIds(d), QList<qint32>({17, 42}));
        d.selection = {"Bazar", QString(), 0};
        d.reapplyShopFilter();
        QCOMPARE(saveNewListType(d, file, "BAZAR", &err), SaveResult::NothingListed);

        // An empty catalogue view: nothing at all happens.
        d.selection = {"Nulle part", QString(), 0};
        d.reapplyShopFilter();
        QCOMPARE(saveNewListType(d, file, "RIEN", &err), SaveResult::EmptyCatalogue);
        QVERIFY(!readAll(file.path()).contains("RIEN"));
    }

    void refusedNamesLeaveTheFileAlone() {
        ShoppingData d;
        addProduct(d, "Bazar", "Clous", 3, true);
        ListTypeFile file(path("names.ltl"));
        QVERIFY(file.create());
        const QByteArray before = readAll(file.path());
        for (const QString& bad : {QString(""), QString("   "), QString("A=B"), QString("[X"),
                                   QString("X]"), QString("ŒUF\u20ACOK\u4E2D")}) {
            QString err;
            QCOMPARE(saveNewListType(d, file, bad, &err), SaveResult::BadName);
            QVERIFY2(err.startsWith("ERREUR : "), qPrintable(bad));
        }
        QCOMPARE(readAll(file.path()), before);

        // A file that cannot be written.
        ListTypeFile nowhere(path("no/such/dir/names.ltl"));
        QString err;
        QCOMPARE(saveNewListType(d, nowhere, "OK", &err), SaveResult::WriteFailed);
        QVERIFY(err.startsWith("Impossible d'écrire dans "));
    }

    void applyingAddsAndCounts() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        const GestureContext ctx{QDate(2026, 12, 9), 3};
        addProduct(d, "Bazar", "Clous", 1);
        addProduct(d, "Bazar", "Vis", 12);
        addProduct(d, "Marché", "Pommes", 2);
        addProduct(d, "Marché", "Poires", 21);
        // Vis already on the list once.
        d.catalogue.setCurrentPos(1);
        QCOMPARE(cmd.addOne(ctx), ShoppingCommands::AddResult::Added);
        // The filter on another sector: applying still sees the whole catalogue.
        d.selection = {"Marché", QString(), 0};
        d.setShopFilter(true);
        d.catalogue.setCurrentPos(3);

        const int n = apply(d, "-12-2-1-", addOneUnit(cmd, ctx));
        QCOMPARE(n, 3);
        QCOMPARE(addedText(n), QString("Ajout de 3 produits"));
        // -1- and -2- do not match inside -12- or -21-: Poires stays off the list.
        QCOMPARE(rows(d), QStringList({"Vis x2", "Clous x1", "Pommes x1"}));
        QVERIFY(d.catalogue.filtered());
        QVERIFY(d.list.filtered());
        QCOMPARE(idAt(d, d.catalogue.currentPos()), 21);

        QCOMPARE(apply(d, "-", addOneUnit(cmd, ctx)), 0);
        QCOMPARE(addedText(0), QString("Ajout de 0 produits"));
    }

    void applyingAfterADeletion() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        const GestureContext ctx{QDate(2026, 12, 9), 3};
        addProduct(d, "Bazar", "Clous", 1);
        addProduct(d, "Bazar", "Vis", 2);
        addProduct(d, "Bazar", "Colle", 3);
        d.catalogue.setCurrentPos(1);
        d.catalogue.remove();
        QCOMPARE(apply(d, "-1-2-3-", addOneUnit(cmd, ctx)), 2);
        QCOMPARE(rows(d), QStringList({"Clous x1", "Colle x1"}));
        // A newer product given the freed number is added in its place.
        addProduct(d, "Bazar", "Scotch", nextProductId(d.catalogue));
        QCOMPARE(idAt(d, 2), 2);
        QCOMPARE(apply(d, "-2-", addOneUnit(cmd, ctx)), 1);
        QVERIFY(rows(d).contains("Scotch x1"));
    }

    void longValuesAreCutWhenRead() {
        ShoppingData d;
        ShoppingCommands cmd(d);
        const GestureContext ctx{QDate(2026, 12, 9), 3};
        // 700 products: "-1-2-...-700-" is far longer than the 2047 characters read back.
        QList<qint32> ids;
        for (int i = 1; i <= 700; ++i) {
            addProduct(d, "Bazar", QString("P%1").arg(i), i);
            ids << i;
        }
        const QString full = listTypeValue(ids);
        QVERIFY(full.size() > 2047);
        ListTypeFile file(path("long.ltl"));
        QVERIFY(file.create());
        QVERIFY(file.save("GROS", full));
        const QString read = file.value("gros");
        QCOMPARE(read.size(), 2047);
        // The value read stops inside the number that straddles the limit; the numbers wholly
        // inside are the ones added.
        const int expected = static_cast<int>(read.left(read.lastIndexOf(u'-')).count(u'-'));
        QCOMPARE(apply(d, read, addOneUnit(cmd, ctx)), expected);
        QVERIFY(expected < 700);
        QCOMPARE(file.value("ABSENT"), QString("-"));
    }
};

KABIRO_TEST_GUILESS_MAIN(TestListTypes)
#include "test_list_types.moc"
