#include "model/shopping_tables.h"
#include "model/text_compare.h"
#include "support/test_registry.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

// The table sort against a plain stable sort that compares every key in full: the fast sort
// must give exactly the same order on texts that differ only by case or accents, share long
// beginnings, repeat, are empty or null, and on other field types.
class TestRecordSort : public QObject {
    Q_OBJECT
private slots:
    void sameOrderAsAFullComparison_data();
    void sameOrderAsAFullComparison();
    void numbersAndNullsSortByValue();
    void sortingAgainFollowsEveryChange();
    void sortingAgainAfterRandomChanges();
};

namespace {

// Null before any value, texts by the program's no-case order.
int reference(const FieldValue& a, const FieldValue& b) {
    const bool an = std::holds_alternative<std::monostate>(a);
    const bool bn = std::holds_alternative<std::monostate>(b);
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (auto* s = std::get_if<QString>(&a))
        return text::compareNoCase(*s, std::get<QString>(b));
    const qint32 x = std::get<qint32>(a), y = std::get<qint32>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// Ids of the records in table order.
QList<int> ids(const RecordTable& t) {
    QList<int> out;
    for (int p = 0; p < t.recordCount(); ++p)
        out << *RecordTable::integerOf(t.recordAt(p), Cat::id_prod);
    return out;
}

QList<int> referenceOrder(const RecordTable& t, const std::vector<int>& keys) {
    std::vector<const Record*> recs;
    for (int p = 0; p < t.recordCount(); ++p)
        recs.push_back(&t.recordAt(p));
    std::stable_sort(recs.begin(), recs.end(), [&](const Record* a, const Record* b) {
        for (int f : keys)
            if (const int c = reference(a->values[size_t(f)], b->values[size_t(f)]))
                return c < 0;
        return false;
    });
    QList<int> out;
    for (const Record* r : recs)
        out << *RecordTable::integerOf(*r, Cat::id_prod);
    return out;
}

// A text of the kind that trips a sort: drawn from a few letters in several cases and accents,
// after one of a few long shared beginnings; sometimes empty or null.
FieldValue randomText(QRandomGenerator& rng, int width) {
    static const QString letters = QString::fromUtf8("aAàÀbBeEéÉèê ./0Œœ") + QChar(0) + QChar(1);
    static const QStringList heads = {QString(), QStringLiteral("Biscuits nature réf. 0"),
                                      QStringLiteral("biscuits Nature ref. 0"),
                                      QStringLiteral("Magasin ")};
    const int kind = int(rng.bounded(20));
    if (kind == 0)
        return FieldValue{};
    if (kind == 1)
        return QString();
    QString s = heads[int(rng.bounded(heads.size()))];
    const int n = int(rng.bounded(6));
    for (int i = 0; i < n; ++i)
        s += letters[int(rng.bounded(letters.size()))];
    return s.left(width);
}

} // namespace

void TestRecordSort::sameOrderAsAFullComparison_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<quint32>("seed");
    for (const int count : {2, 15, 17, 300, 5000})
        for (const QString& fields :
             {QStringLiteral("Produit"), QStringLiteral("Secteur;Rayon;Produit")})
            for (quint32 seed : {1u, 2u, 3u})
                QTest::addRow("%d %s %u", count, qPrintable(fields), seed)
                    << count << fields << seed;
}

void TestRecordSort::sameOrderAsAFullComparison() {
    QFETCH(int, count);
    QFETCH(QString, fields);
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    RecordTable t(catalogueSchema());
    for (int i = 0; i < count; ++i) {
        std::vector<FieldValue> v(Cat::FieldCount);
        v[Cat::Secteur] = randomText(rng, 20);
        v[Cat::Rayon] = randomText(rng, 20);
        v[Cat::Produit] = randomText(rng, 60);
        v[Cat::id_prod] = qint32(i + 1);
        t.appendLoaded(std::move(v));
    }
    t.first();
    std::vector<int> keys;
    for (const QString& name : fields.split(u';'))
        keys.push_back(t.fieldIndex(name));
    const QList<int> expected = referenceOrder(t, keys);
    t.sort(fields);
    QCOMPARE(ids(t), expected);
    // Sorting what is sorted changes nothing.
    t.sort(fields);
    QCOMPARE(ids(t), expected);
}

void TestRecordSort::numbersAndNullsSortByValue() {
    RecordTable t(catalogueSchema());
    const QList<int> periods = {30, 7, -1, 7, 0, -1, 365, 14};
    for (int i = 0; i < periods.size(); ++i) {
        std::vector<FieldValue> v(Cat::FieldCount);
        if (periods[i] >= 0)
            v[Cat::Duree_rappel] = qint32(periods[i]);
        v[Cat::id_prod] = qint32(i + 1);
        t.appendLoaded(std::move(v));
    }
    t.first();
    t.sort(QStringLiteral("Duree_rappel"));
    // The nulls (ids 3 and 6) first, then by period; equal periods keep their order.
    QCOMPARE(ids(t), QList<int>({3, 6, 5, 2, 4, 8, 1, 7}));
}

void TestRecordSort::sortingAgainFollowsEveryChange() {
    // A table sorted back and forth on two orders, with changes in between: each sort gives
    // what a full sort of the table as it stands gives.
    QRandomGenerator rng(11);
    RecordTable t(catalogueSchema());
    for (int i = 0; i < 400; ++i) {
        std::vector<FieldValue> v(Cat::FieldCount);
        v[Cat::Secteur] = QStringLiteral("S%1").arg(rng.bounded(5));
        v[Cat::Rayon] = QStringLiteral("R%1").arg(rng.bounded(9));
        v[Cat::Produit] = QStringLiteral("P%1").arg(i * 7919 % 400, 3, 10, QChar(u'0'));
        v[Cat::id_prod] = qint32(i + 1);
        t.appendLoaded(std::move(v));
    }
    t.first();
    const QString byProduct = QStringLiteral("Produit");
    const QString byAisle = QStringLiteral("Secteur;Rayon;Produit");
    const std::vector<int> productKeys = {Cat::Produit};
    const std::vector<int> aisleKeys = {Cat::Secteur, Cat::Rayon, Cat::Produit};
    auto sortAndCheck = [&](const QString& fields, const std::vector<int>& keys) {
        const QList<int> expected = referenceOrder(t, keys);
        t.sort(fields);
        QCOMPARE(ids(t), expected);
    };
    // Orders found ahead leave the records where they are.
    const QList<int> before = ids(t);
    t.prepareSort(byAisle);
    t.prepareSort(byProduct);
    QCOMPARE(ids(t), before);
    for (int round = 0; round < 3; ++round) {
        sortAndCheck(byProduct, productKeys);
        sortAndCheck(byAisle, aisleKeys);
    }
    // A key changed: the record moves.
    t.setCurrentPos(0);
    t.setText(Cat::Produit, QStringLiteral("P999"));
    t.post();
    sortAndCheck(byProduct, productKeys);
    // A change undone by a cancelled edit.
    t.setCurrentPos(5);
    t.setText(Cat::Secteur, QStringLiteral("A"));
    sortAndCheck(byAisle, aisleKeys); // the sort posts the edit
    t.setCurrentPos(5);
    t.setText(Cat::Secteur, QStringLiteral("Z"));
    t.cancel();
    sortAndCheck(byAisle, aisleKeys);
    // Records removed and added.
    t.setCurrentPos(3);
    t.remove();
    sortAndCheck(byProduct, productKeys);
    sortAndCheck(byAisle, aisleKeys);
    t.append();
    t.setText(Cat::Produit, QStringLiteral("P000"));
    t.setInteger(Cat::id_prod, 1000);
    t.post();
    sortAndCheck(byProduct, productKeys);
    // With two records equal on every key, their order follows the order before the sort.
    t.setCurrentPos(0);
    const QString twin = RecordTable::textOf(t.recordAt(1), Cat::Produit);
    t.setText(Cat::Produit, twin);
    t.post();
    sortAndCheck(byProduct, productKeys);
    sortAndCheck(byAisle, aisleKeys);
    sortAndCheck(byProduct, productKeys);
}

void TestRecordSort::sortingAgainAfterRandomChanges() {
    // Random renames (sometimes making two records equal on every key), additions, removals
    // and cancelled edits between sorts on the two title orders.
    QRandomGenerator rng(23);
    RecordTable t(catalogueSchema());
    int nextId = 1;
    auto name = [&rng] { return QStringLiteral("P%1").arg(rng.bounded(600), 3, 10, QChar(u'0')); };
    for (int i = 0; i < 300; ++i) {
        std::vector<FieldValue> v(Cat::FieldCount);
        v[Cat::Secteur] = QStringLiteral("S%1").arg(rng.bounded(4));
        v[Cat::Rayon] = QStringLiteral("R%1").arg(rng.bounded(6));
        v[Cat::Produit] = QStringLiteral("Q%1").arg(i, 3, 10, QChar(u'0'));
        v[Cat::id_prod] = qint32(nextId++);
        t.appendLoaded(std::move(v));
    }
    t.first();
    const QStringList orders = {QStringLiteral("Produit"), QStringLiteral("Secteur;Rayon;Produit")};
    const std::vector<std::vector<int>> keys = {{Cat::Produit},
                                                {Cat::Secteur, Cat::Rayon, Cat::Produit}};
    for (int step = 0; step < 400; ++step) {
        const int n = t.recordCount();
        switch (rng.bounded(5)) {
        case 0: // renamed
            t.setCurrentPos(int(rng.bounded(n)));
            t.setText(Cat::Produit, name());
            t.post();
            break;
        case 1: // moved to another aisle
            t.setCurrentPos(int(rng.bounded(n)));
            t.setText(Cat::Rayon, QStringLiteral("R%1").arg(rng.bounded(6)));
            t.post();
            break;
        case 2: // added
            t.append();
            t.setText(Cat::Produit, name());
            t.setInteger(Cat::id_prod, nextId++);
            t.post();
            break;
        case 3: // removed
            t.setCurrentPos(int(rng.bounded(n)));
            t.remove();
            break;
        default: // an edit given up
            t.setCurrentPos(int(rng.bounded(n)));
            t.setText(Cat::Produit, name());
            t.cancel();
            break;
        }
        if (step % 3 == 0) {
            const int which = int(rng.bounded(2));
            const QList<int> expected = referenceOrder(t, keys[size_t(which)]);
            t.sort(orders[which]);
            QCOMPARE(ids(t), expected);
        }
    }
}

KABIRO_TEST_APPLESS_MAIN(TestRecordSort)
#include "test_record_sort.moc"
