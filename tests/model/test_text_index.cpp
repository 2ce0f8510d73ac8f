#include "model/record_table.h"
#include "model/text_index.h"
#include "support/test_registry.h"

#include <QRandomGenerator>
#include <QTest>
#include <map>
#include <set>

// The name index against a plain map under long random runs of insertions and removals: every
// text keeps exactly the records holding it, whatever slots the removals move back.
class TestTextIndex : public QObject {
    Q_OBJECT
private slots:
    void followsInsertionsAndRemovals_data();
    void followsInsertionsAndRemovals();
    void sharedAndEqualTextsAreTheSameKey();
};

namespace {

std::set<Record*> holdersOf(const TextIndex& index, const QString& key) {
    std::set<Record*> out;
    if (const TextIndex::Holders* h = index.find(key))
        h->forEach([&](Record* r) { out.insert(r); });
    return out;
}

} // namespace

void TestTextIndex::followsInsertionsAndRemovals_data() {
    QTest::addColumn<int>("names");
    QTest::addColumn<int>("steps");
    QTest::addRow("few names, many holders") << 5 << 4000;
    QTest::addRow("many names") << 3000 << 20000;
}

void TestTextIndex::followsInsertionsAndRemovals() {
    QFETCH(int, names);
    QFETCH(int, steps);
    QRandomGenerator rng(7);
    std::vector<Record> records(400);
    std::map<QString, std::set<Record*>> expected;
    std::map<Record*, QString> heldBy;
    TextIndex index;
    for (int step = 0; step < steps; ++step) {
        Record* r = &records[rng.bounded(static_cast<quint32>(records.size()))];
        auto held = heldBy.find(r);
        if (held != heldBy.end()) {
            index.erase(held->second, r);
            expected[held->second].erase(r);
            heldBy.erase(held);
        } else {
            const QString key = QStringLiteral("Produit %1").arg(rng.bounded(names));
            index.insert(key, r);
            expected[key].insert(r);
            heldBy[r] = key;
        }
        if (step % 97 == 0)
            for (const auto& [key, holders] : expected)
                QCOMPARE(holdersOf(index, key), holders);
    }
    size_t distinct = 0;
    for (const auto& [key, holders] : expected) {
        QCOMPARE(holdersOf(index, key), holders);
        distinct += holders.empty() ? 0 : 1;
    }
    QCOMPARE(index.size(), distinct);
    QVERIFY(!index.find(QStringLiteral("absent")));
    // Removing what is not there changes nothing.
    index.erase(QStringLiteral("absent"), &records[0]);
    QCOMPARE(index.size(), distinct);
}

void TestTextIndex::sharedAndEqualTextsAreTheSameKey() {
    Record a, b, c;
    TextIndex index;
    const QString name = QStringLiteral("Pain");
    index.insert(name, &a);
    index.insert(QString(QStringLiteral("Pa")) + QStringLiteral("in"), &b); // equal, not shared
    index.insert(QString(), &c);
    QCOMPARE(index.size(), size_t(2));
    QCOMPARE(holdersOf(index, name), std::set<Record*>({&a, &b}));
    QCOMPARE(holdersOf(index, QStringLiteral("")), std::set<Record*>({&c}));
    QVERIFY(!index.find(QStringLiteral("pain")));
    QVERIFY(!index.find(name.left(3))); // a shorter text sharing the same beginning
}

KABIRO_TEST_APPLESS_MAIN(TestTextIndex)
#include "test_text_index.moc"
