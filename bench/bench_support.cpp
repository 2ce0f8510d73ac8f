#include "bench_support.h"

#include "model/list_file.h"
#include "model/reminder.h"
#include "model/shopping_commands.h"

#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

namespace bench {

namespace {

// Adds one catalogue product; `lastPurchase` may be null, `period` 0 for none.
void addProduct(RecordTable& cat, const QString& sector, const QString& aisle, const QString& name,
                qint32 id, double price, bool planned, bool reminderOn, int period,
                QDate lastPurchase, const QString& memo) {
    cat.append();
    cat.setText(Cat::Secteur, sector);
    cat.setText(Cat::Rayon, aisle);
    cat.setText(Cat::Produit, name);
    cat.setText(Cat::color, Flag::NotListed);
    cat.setInteger(Cat::id_prod, id);
    cat.setMoney(Cat::Prix, Money::fromDoubleOrZero(price));
    cat.setText(Cat::prevu, planned ? Flag::Yes : Flag::No);
    cat.setText(Cat::Rappel, reminderOn ? Flag::Yes : Flag::No);
    if (period > 0)
        cat.setInteger(Cat::Duree_rappel, period);
    if (lastPurchase.isValid())
        cat.setDate(Cat::date_dern_achat, lastPurchase);
    if (!memo.isEmpty())
        cat.setText(Cat::memo, memo);
    cat.post();
}

// Puts the catalogue product at `pos` on the list, as the shopping gestures do: the row copies
// sector, aisle and name, gets the planned flag and the reminder code of the day, and the product
// is marked "X".
void putOnList(ShoppingData& data, int pos, int quantity, QDate today, int coef) {
    RecordTable& cat = data.catalogue;
    cat.setCurrentPos(pos);
    const Record& product = *cat.current();
    data.list.append();
    data.list.setText(Lst::Secteur, cat.text(Cat::Secteur));
    data.list.setText(Lst::Rayon, cat.text(Cat::Rayon));
    data.list.setText(Lst::Produit, cat.text(Cat::Produit));
    data.list.setInteger(Lst::unite_vente, quantity);
    data.list.setText(Lst::Prevu, cat.text(Cat::prevu));
    data.list.setText(Lst::Rappel,
                      reminder::listRowCode(reminder::fromCatalogue(product), today, coef));
    data.list.post();
    cat.setText(Cat::color, Flag::Listed);
    cat.post();
}

// The tree of the sectors and aisles that the catalogue uses.
void treeFromCatalogue(ShoppingData& data) {
    data.tree.clear();
    for (int p = 0; p < data.catalogue.recordCount(); ++p) {
        const Record& r = data.catalogue.recordAt(p);
        const QString sector = RecordTable::textOf(r, Cat::Secteur);
        const QString aisle = RecordTable::textOf(r, Cat::Rayon);
        int s = -1;
        auto& roots = data.tree.roots();
        for (size_t i = 0; i < roots.size(); ++i)
            if (roots[i].text == sector)
                s = static_cast<int>(i);
        if (s < 0)
            s = data.tree.addSector(sector);
        bool known = false;
        for (const OrgNode& a : data.tree.roots()[static_cast<size_t>(s)].children)
            known = known || a.text == aisle;
        if (!known)
            data.tree.addAisle(s, aisle);
    }
}

void clearData(ShoppingData& data) {
    data.catalogue.empty();
    data.list.empty();
    data.tree.clear();
    data.validationText = ShoppingData::initialValidationText();
}

struct ExampleProduct {
    const char* sector;
    const char* aisle;
    const char* name;
    double price;
    const char* memo;
    bool planned;
    int period;         // 0: no reminder
    const char* bought; // last purchase, "yyyy-MM-dd", or nullptr
};

// clang-format off
const ExampleProduct kExample[] = {
    {"Supermarché", "Épicerie", "Café moulu pur arabica 250 g", 3.45, "", false, 30, "2026-11-12"},
    {"Supermarché", "Épicerie", "Riz basmati 1 kg", 2.39, "", false, 0, "2026-10-01"},
    {"Supermarché", "Épicerie", "Pâtes penne 500 g", 0.95, "", false, 0, "2026-11-20"},
    {"Supermarché", "Épicerie", "Huile d'olive vierge extra 1 L", 7.90, "Bio de préférence", false, 90, "2026-10-01"},
    {"Supermarché", "Épicerie", "Sel fin de Guérande", 0.55, "", false, 180, "2026-09-01"},
    {"Supermarché", "Épicerie", "Sucre en poudre 1 kg", 1.29, "", false, 0, nullptr},
    {"Supermarché", "Épicerie", "Farine de blé T55", 0.89, "Pour la galette des rois", true, 0, nullptr},
    {"Supermarché", "Épicerie", "Filtres à café n°4", 1.49, "", false, 100, "2026-11-20"},
    {"Supermarché", "Épicerie", "Confiture d'abricots", 2.65, "", false, 0, "2026-11-01"},
    {"Supermarché", "Épicerie", "Chocolat noir 70 % cacao", 1.99, "", true, 0, nullptr},
    {"Supermarché", "Frais", "Lait demi-écrémé 1 L", 0.99, "Prendre le pack de 6", false, 7, "2026-12-05"},
    {"Supermarché", "Frais", "Beurre doux 250 g", 2.49, "", true, 0, "2026-11-28"},
    {"Supermarché", "Frais", "Yaourts nature x8", 2.15, "", false, 0, nullptr},
    {"Supermarché", "Frais", "Crème fraîche épaisse 20 cl", 1.79, "", false, 0, nullptr},
    {"Supermarché", "Frais", "Œufs plein air x12", 3.29, "", false, 14, "2026-12-01"},
    {"Supermarché", "Frais", "Jambon blanc 4 tranches", 2.99, "Sans couenne", false, 0, nullptr},
    {"Supermarché", "Boissons", "Eau minérale 6 x 1,5 L", 2.34, "", false, 10, "2026-12-03"},
    {"Supermarché", "Boissons", "Jus d'orange 1 L", 2.25, "", false, 0, nullptr},
    {"Supermarché", "Boissons", "Champagne brut", 24.90, "Pour le réveillon", true, 0, nullptr},
    {"Supermarché", "Boissons", "Bière blonde 6 x 25 cl", 4.50, "", false, 0, nullptr},
    {"Supermarché", "Surgelés", "Épinards hachés 1 kg", 1.60, "", false, 0, nullptr},
    {"Supermarché", "Surgelés", "Frites au four 1 kg", 2.10, "", false, 0, nullptr},
    {"Supermarché", "Surgelés", "Glace vanille 1 L", 3.99, "", false, 0, nullptr},
    {"Supermarché", "Hygiène", "Dentifrice au fluor", 2.45, "", false, 60, "2026-10-25"},
    {"Supermarché", "Hygiène", "Shampooing doux", 3.20, "Sans parfum", false, 0, nullptr},
    {"Supermarché", "Hygiène", "Papier toilette x12", 5.49, "", false, 30, "2026-11-01"},
    {"Supermarché", "Hygiène", "Savon de Marseille", 2.10, "", false, 0, nullptr},
    {"Supermarché", "Entretien", "Lessive liquide 2 L", 9.95, "Prendre la grande bouteille", false, 45, "2026-11-05"},
    {"Supermarché", "Entretien", "Liquide vaisselle", 1.85, "", false, 0, nullptr},
    {"Supermarché", "Entretien", "Éponges x3", 1.20, "", false, 0, nullptr},
    {"Supermarché", "Entretien", "Sacs poubelle 30 L", 2.60, "", false, 0, nullptr},
    {"Supermarché", "Animaux", "Croquettes chat 2 kg", 12.90, "", false, 20, "2026-11-25"},
    {"Supermarché", "Animaux", "Litière minérale 10 L", 5.99, "", false, 0, nullptr},
    {"Boulangerie", "Pains", "Baguette tradition", 1.30, "Bien cuite", false, 0, nullptr},
    {"Boulangerie", "Pains", "Pain de campagne", 3.20, "", false, 2, "2026-12-08"},
    {"Boulangerie", "Pains", "Pain complet", 2.80, "", false, 0, nullptr},
    {"Boulangerie", "Viennoiseries", "Croissant au beurre", 1.10, "", false, 0, nullptr},
    {"Boulangerie", "Viennoiseries", "Pain au chocolat", 1.25, "", false, 0, nullptr},
    {"Boulangerie", "Viennoiseries", "Chausson aux pommes", 1.60, "", false, 0, nullptr},
    {"Boulangerie", "Pâtisseries", "Éclair au café", 2.90, "", false, 0, nullptr},
    {"Boulangerie", "Pâtisseries", "Tarte aux pommes 6 parts", 14.50, "", false, 0, nullptr},
    {"Boulangerie", "Pâtisseries", "Bûche de Noël 8 parts", 28.00, "Commander 48 h avant", true, 0, nullptr},
    {"Marché", "Primeur", "Pommes Golden 1 kg", 2.40, "", false, 0, nullptr},
    {"Marché", "Primeur", "Carottes 1 kg", 1.50, "", false, 0, nullptr},
    {"Marché", "Primeur", "Poireaux la botte", 2.20, "", false, 0, nullptr},
    {"Marché", "Primeur", "Clémentines de Corse 1 kg", 3.10, "", true, 0, nullptr},
    {"Marché", "Primeur", "Salade batavia", 1.20, "", false, 0, nullptr},
    {"Marché", "Primeur", "Pommes de terre 2,5 kg", 3.75, "Variété à chair ferme", false, 0, nullptr},
    {"Marché", "Fromager", "Comté 18 mois 250 g", 6.80, "", false, 0, nullptr},
    {"Marché", "Fromager", "Camembert au lait cru", 3.20, "", false, 0, nullptr},
    {"Marché", "Fromager", "Chèvre frais", 2.90, "", false, 0, nullptr},
    {"Marché", "Boucher", "Poulet fermier", 12.50, "Label rouge", false, 0, nullptr},
    {"Marché", "Boucher", "Bœuf haché 500 g", 7.40, "", false, 0, nullptr},
    {"Marché", "Boucher", "Saucisses de Toulouse", 6.20, "", false, 0, nullptr},
    {"Marché", "Poissonnier", "Saumon 2 pavés", 9.90, "", false, 0, nullptr},
    {"Marché", "Poissonnier", "Huîtres n°3 la douzaine", 11.50, "Pour le réveillon", true, 0, nullptr},
    {"Marché", "Poissonnier", "Moules de bouchot 1 kg", 4.80, "", false, 0, nullptr},
    {"Pharmacie", "Médicaments", "Doliprane 1000 mg", 2.18, "", false, 120, "2026-08-01"},
    {"Pharmacie", "Médicaments", "Sirop contre la toux", 5.90, "", false, 0, nullptr},
    {"Pharmacie", "Médicaments", "Pansements assortis", 3.40, "", false, 0, nullptr},
    {"Pharmacie", "Parapharmacie", "Crème pour les mains", 4.50, "", false, 0, nullptr},
    {"Pharmacie", "Parapharmacie", "Sérum physiologique", 2.95, "", false, 0, nullptr},
    {"Pharmacie", "Parapharmacie", "Baume à lèvres", 3.10, "", false, 0, nullptr},
};
// clang-format on

// Products on the example's list, with their quantities.
const struct {
    const char* name;
    int quantity;
} kExampleList[] = {
    {"Pain de campagne", 1},    {"Lait demi-écrémé 1 L", 2}, {"Café moulu pur arabica 250 g", 1},
    {"Papier toilette x12", 1}, {"Pommes Golden 1 kg", 3},   {"Doliprane 1000 mg", 1},
};

} // namespace

QDate exampleToday() {
    return QDate(2026, 12, 9);
}

void makeExample(ShoppingData& data) {
    clearData(data);
    data.catalogue.disableControls();
    data.list.disableControls();
    qint32 id = 1;
    for (const ExampleProduct& p : kExample) {
        const QDate bought =
            p.bought ? QDate::fromString(QString::fromLatin1(p.bought), Qt::ISODate) : QDate();
        addProduct(data.catalogue, QString::fromUtf8(p.sector), QString::fromUtf8(p.aisle),
                   QString::fromUtf8(p.name), id++, p.price, p.planned, p.period > 0, p.period,
                   bought, QString::fromUtf8(p.memo));
    }
    // A product whose reminder was switched off keeps its period and date.
    data.catalogue.setCurrentPos(1);
    data.catalogue.setInteger(Cat::Duree_rappel, 30);
    data.catalogue.post();
    for (const auto& row : kExampleList)
        if (data.catalogue.locate(Cat::Produit, QString::fromUtf8(row.name)))
            putOnList(data, data.catalogue.currentPos(), row.quantity, exampleToday(), 3);
    treeFromCatalogue(data);
    data.validationText = QStringLiteral(" mardi 1 décembre 2026");
    data.catalogue.first();
    data.list.first();
    data.catalogue.enableControls();
    data.list.enableControls();
}

void generateList(ShoppingData& data, int products, int listRows) {
    static const char* const kKinds[] = {"Biscuits", "Céréales", "Conserve", "Sauce",
                                         "Fromage",  "Yaourt",   "Jus",      "Soupe",
                                         "Savon",    "Lessive",  "Thé",      "Confiture"};
    static const char* const kQualities[] = {"nature", "bio",     "allégé", "familial",
                                             "extra",  "au lait", "épicé",  "maison"};
    clearData(data);
    RecordTable& cat = data.catalogue;
    cat.disableControls();
    data.list.disableControls();
    cat.reserve(products);
    data.list.reserve(listRows);
    const QDate origin(2026, 1, 1);
    for (int i = 0; i < products; ++i) {
        const int sector = i % 40;
        const int aisle = (i / 40) % 25;
        const QString name =
            QStringLiteral("%1 %2 réf. %3")
                .arg(QString::fromUtf8(kKinds[i % 12]), QString::fromUtf8(kQualities[(i / 12) % 8]))
                .arg(i + 1, 6, 10, QChar(u'0'));
        const bool withReminder = i % 3 == 0;
        addProduct(cat, QStringLiteral("Magasin %1").arg(sector + 1, 2, 10, QChar(u'0')),
                   QStringLiteral("Rayon %1-%2")
                       .arg(sector + 1, 2, 10, QChar(u'0'))
                       .arg(aisle + 1, 2, 10, QChar(u'0')),
                   name, i + 1, 0.5 + (i * 7919 % 4000) / 100.0, i % 10 == 0, withReminder,
                   withReminder ? 7 + i % 84 : 0, origin.addDays(i * 37 % 340),
                   i % 4 == 0 ? QStringLiteral("Note %1 : voir les promotions du mois").arg(i)
                              : QString());
    }
    for (int r = 0; r < listRows && products > 0; ++r) {
        const int pos = listRows <= products
                            ? static_cast<int>(static_cast<qint64>(r) * products / listRows)
                            : r % products;
        putOnList(data, pos, 1 + r % 5, QDate(2026, 12, 9), 3);
    }
    treeFromCatalogue(data);
    data.catalogue.first();
    data.list.first();
    cat.enableControls();
    data.list.enableControls();
}

namespace {

QTemporaryDir& tempDir() {
    static QTemporaryDir dir;
    return dir;
}

} // namespace

QString tempPath(const QString& name) {
    return QDir(tempDir().path()).filePath(name);
}

QString listFile(int products, int listRows) {
    static std::map<std::pair<int, int>, QString> written;
    QString& path = written[{products, listRows}];
    if (path.isEmpty()) {
        path = tempPath(QStringLiteral("list_%1_%2.pnv").arg(products).arg(listRows));
        ShoppingData data;
        generateList(data, products, listRows);
        QString error;
        if (!listfile::save(path, data, &error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            std::exit(1);
        }
    }
    return path;
}

QString largeListFile() {
    return listFile(kLargeProducts, kLargeListRows);
}

void loadOrExit(const QString& path, ShoppingData& data) {
    QString error;
    if (!listfile::load(path, data, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        std::exit(1);
    }
}

void openList(const QString& path, ShoppingData& data) {
    data.setShopFilter(false);
    loadOrExit(path, data);
    ShoppingCommands(data).prepareLookups();
    data.setModified(false);
}

void applySizes(benchmark::internal::Benchmark* b) {
    b->Arg(kLargeProducts / 10)->Arg(kLargeProducts);
    if (!qEnvironmentVariableIsEmpty("KABIRO_BENCH_HUGE"))
        b->Arg(kLargeProducts * 10);
}

double peakMemoryMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace bench
