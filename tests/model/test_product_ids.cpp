#include "model/shopping_tables.h"
#include "support/test_registry.h"

#include <QTest>

// Numbering of new products: the smallest free number from 1, unique even past 1000.
class TestProductIds : public QObject {
    Q_OBJECT
private slots:
    void smallestFreeNumber();
    void pastAThousand();
    void freedNumbersAreGivenAgain();
    void everyRecordCountsWhateverTheFilter();
};

namespace {

void addIds(RecordTable& t, std::initializer_list<qint64> ids) {
    for (qint64 id : ids) {
        t.append();
        t.setText(Cat::Produit, QStringLiteral("produit %1").arg(id));
        t.setInteger(Cat::id_prod, id);
    }
    t.post();
}

void addRange(RecordTable& t, int from, int to) {
    for (int id = from; id <= to; ++id)
        addIds(t, {id});
}

} // namespace

void TestProductIds::smallestFreeNumber() {
    RecordTable t(catalogueSchema());
    QCOMPARE(nextProductId(t), 1);
    addIds(t, {1, 2, 4});
    QCOMPARE(nextProductId(t), 3);
    // Order, duplicates, empty, zero and negative numbers do not disturb the search.
    RecordTable m(catalogueSchema());
    addIds(m, {5, 2, 2, 0, -3, 1});
    m.append();
    m.post();
    QCOMPARE(nextProductId(m), 3);
}

void TestProductIds::pastAThousand() {
    RecordTable t(catalogueSchema());
    addRange(t, 1, 1000);
    QCOMPARE(nextProductId(t), 1001);
    // Two products created in a row get different numbers.
    addIds(t, {1001});
    QCOMPARE(nextProductId(t), 1002);
    addIds(t, {1003});
    QCOMPARE(nextProductId(t), 1002);
}

void TestProductIds::freedNumbersAreGivenAgain() {
    RecordTable t(catalogueSchema());
    addRange(t, 1, 5);
    QVERIFY(t.locate(Cat::id_prod, qint32(3)));
    t.remove();
    QCOMPARE(nextProductId(t), 3);
    // A freed number below a thousand is preferred to anything above.
    RecordTable big(catalogueSchema());
    addRange(big, 1, 1002);
    QVERIFY(big.locate(Cat::id_prod, qint32(640)));
    big.remove();
    QCOMPARE(nextProductId(big), 640);
}

void TestProductIds::everyRecordCountsWhateverTheFilter() {
    RecordTable t(catalogueSchema());
    addRange(t, 1, 3);
    t.setFilter([](const Record& r) { return RecordTable::integerOf(r, Cat::id_prod) == 2; });
    t.setFiltered(true);
    QCOMPARE(nextProductId(t), 4);
}

KABIRO_TEST_GUILESS_MAIN(TestProductIds)
#include "test_product_ids.moc"
