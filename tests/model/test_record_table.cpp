#include "model/shopping_tables.h"
#include "support/test_registry.h"

#include <QSignalSpy>
#include <QTest>

// The table operations the whole program relies on: appending and editing, the cursor, locate
// with its index, sorting, the filter, bookmarks and the suspended refresh.
class TestRecordTable : public QObject {
    Q_OBJECT
private slots:
    void appendPostsThePendingRecord();
    void editPostAndCancel();
    void removeMovesTheCursor();
    void walkAndEndTests();
    void locateRules();
    void locateIndexFollowsChanges();
    void holdsTextWithAndWithoutIndex();
    void sortIsStableCaseInsensitiveAndKeepsTheCurrentRecord();
    void filterSwitch();
    void bookmarks();
    void suspendedRefreshGivesOneReset();
    void valuesAreCutAndChecked();
    void fieldsByNameIgnoreCase();
    void loadedRecords();
};

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// Appends products with these names (sector "S" for even positions, "T" for odd ones).
void fill(RecordTable& t, const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) {
        t.append();
        t.setText(Cat::Secteur, i % 2 ? u("T") : u("S"));
        t.setText(Cat::Produit, names[i]);
        t.setInteger(Cat::id_prod, i + 1);
    }
    t.post();
}

QStringList names(const RecordTable& t) {
    QStringList out;
    for (int p = 0; p < t.recordCount(); ++p)
        out << RecordTable::textOf(t.recordAt(p), Cat::Produit);
    return out;
}

} // namespace

void TestRecordTable::appendPostsThePendingRecord() {
    RecordTable t(catalogueSchema());
    QSignalSpy changed(&t, &RecordTable::recordChanged);
    t.append();
    QCOMPARE(t.state(), RecordTable::State::Insert);
    QCOMPARE(t.currentPos(), 0);
    t.setText(Cat::Produit, u("Pain"));
    // Appending again posts the pending record first.
    t.append();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 0);
    QCOMPARE(t.recordCount(), 2);
    QCOMPARE(t.currentPos(), 1);
    QCOMPARE(t.state(), RecordTable::State::Insert);
    t.setText(Cat::Produit, u("Lait"));
    // Moving posts it too.
    t.first();
    QCOMPARE(t.state(), RecordTable::State::Browse);
    QCOMPARE(names(t), QStringList({u("Pain"), u("Lait")}));
    // A fresh record is empty in every field.
    t.append();
    for (int f = 0; f < Cat::FieldCount; ++f)
        QVERIFY(t.isNull(f));
    // Cancelling an appended record takes it away again.
    t.cancel();
    QCOMPARE(t.recordCount(), 2);
    QCOMPARE(t.state(), RecordTable::State::Browse);
}

void TestRecordTable::editPostAndCancel() {
    RecordTable t(catalogueSchema());
    fill(t, {u("Pain"), u("Lait")});
    t.first();
    t.edit();
    QCOMPARE(t.state(), RecordTable::State::Edit);
    t.setText(Cat::Produit, u("Pain complet"));
    t.setMoney(Cat::Prix, Money::fromRaw(28000));
    t.cancel();
    QCOMPARE(t.text(Cat::Produit), u("Pain"));
    QVERIFY(t.isNull(Cat::Prix));
    // A setter puts a browsing record in edit state by itself; post keeps the change.
    t.setText(Cat::Produit, u("Pain complet"));
    QCOMPARE(t.state(), RecordTable::State::Edit);
    QSignalSpy changed(&t, &RecordTable::recordChanged);
    t.post();
    QCOMPARE(t.state(), RecordTable::State::Browse);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(names(t), QStringList({u("Pain complet"), u("Lait")}));
    // Clearing a field makes it empty again.
    t.setMoney(Cat::Prix, Money::fromRaw(12500));
    QCOMPARE(t.money(Cat::Prix).raw(), 12500);
    t.clear(Cat::Prix);
    t.post();
    QVERIFY(t.isNull(Cat::Prix));
}

void TestRecordTable::removeMovesTheCursor() {
    RecordTable t(catalogueSchema());
    fill(t, {u("a"), u("b"), u("c"), u("d")});
    t.setCurrentPos(1);
    t.remove(); // the next record becomes current
    QCOMPARE(t.text(Cat::Produit), u("c"));
    t.setCurrentPos(t.recordCount() - 1);
    t.remove(); // none after: the previous one
    QCOMPARE(t.text(Cat::Produit), u("c"));
    QVERIFY(t.eof());
    // Under a filter the cursor skips the hidden records.
    RecordTable f(catalogueSchema());
    fill(f, {u("s1"), u("t1"), u("s2"), u("t2"), u("s3")});
    f.setFilter([](const Record& r) { return RecordTable::textOf(r, Cat::Secteur) == u("S"); });
    f.setFiltered(true);
    f.first();
    f.remove();
    QCOMPARE(f.text(Cat::Produit), u("s2"));
    f.next();
    f.remove();
    QCOMPARE(f.text(Cat::Produit), u("s2"));
    f.remove();
    QVERIFY(!f.hasCurrent());
    QVERIFY(f.isEmpty());
    QCOMPARE(f.recordCount(), 2); // the hidden records are still there
    // Deleting the last records leaves an empty table whose ends both hold.
    t.empty();
    QVERIFY(t.isEmpty());
    QVERIFY(t.bof() && t.eof());
    t.remove(); // nothing to delete: no effect
    QCOMPARE(t.recordCount(), 0);
}

void TestRecordTable::walkAndEndTests() {
    RecordTable t(catalogueSchema());
    t.first();
    QVERIFY(t.bof() && t.eof());
    QVERIFY(t.isEmpty());
    fill(t, {u("a"), u("b"), u("c")});
    QStringList seen;
    for (t.first(); !t.eof(); t.next())
        seen << t.text(Cat::Produit);
    QCOMPARE(seen, QStringList({u("a"), u("b"), u("c")}));
    // Past the end the cursor stays on the last record.
    QCOMPARE(t.text(Cat::Produit), u("c"));
    t.first();
    QVERIFY(t.bof());
    QVERIFY(!t.eof());
    t.next();
    QVERIFY(!t.bof());
    // Walks see only what the filter lets through.
    t.setFilter([](const Record& r) { return RecordTable::textOf(r, Cat::Secteur) == u("S"); });
    t.setFiltered(true);
    seen.clear();
    for (t.first(); !t.eof(); t.next())
        seen << t.text(Cat::Produit);
    QCOMPARE(seen, QStringList({u("a"), u("c")}));
}

void TestRecordTable::locateRules() {
    RecordTable t(catalogueSchema());
    fill(t, {u("Lait"), u("Pain"), u("Lait"), u("Oeufs"), u("lait")});
    // The first match in table order.
    t.setCurrentPos(t.recordCount() - 1);
    QVERIFY(t.locate(Cat::Produit, u("Pain")));
    QCOMPARE(t.currentPos(), 1);
    QVERIFY(t.locate(Cat::Produit, u("Lait")));
    QCOMPARE(t.currentPos(), 0);
    // The current record wins when it matches.
    t.setCurrentPos(2);
    QVERIFY(t.locate(Cat::Produit, u("Lait")));
    QCOMPARE(t.currentPos(), 2);
    // Exact, with case; a failure leaves the cursor where it was.
    t.setCurrentPos(3);
    QVERIFY(!t.locate(Cat::Produit, u("LAIT")));
    QVERIFY(!t.locate(Cat::Produit, u("Lai")));
    QCOMPARE(t.currentPos(), 3);
    QVERIFY(t.locate(Cat::Produit, u("lait")));
    QCOMPARE(t.currentPos(), 4);
    // By number.
    QVERIFY(t.locate(Cat::id_prod, qint32(4)));
    QCOMPARE(t.text(Cat::Produit), u("Oeufs"));
    // Under a filter: a hidden record is not found, a hidden current record does not win, and
    // the first match in present order among those shown is taken.
    t.setFilter([](const Record& r) { return RecordTable::textOf(r, Cat::Secteur) == u("S"); });
    t.setFiltered(true); // shows positions 0, 2, 4
    t.setCurrentPos(2);
    QVERIFY(!t.locate(Cat::Produit, u("Pain")));
    QCOMPARE(t.currentPos(), 2);
    t.setCurrentPos(4);
    QVERIFY(t.locate(Cat::Produit, u("Lait")));
    QCOMPARE(t.currentPos(), 0);
    // An empty table finds nothing.
    RecordTable empty(catalogueSchema());
    QVERIFY(!empty.locate(Cat::Produit, u("Lait")));
    QVERIFY(!empty.hasCurrent());
}

void TestRecordTable::locateIndexFollowsChanges() {
    RecordTable t(catalogueSchema());
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many << u("produit %1").arg(i);
    fill(t, many);
    QVERIFY(t.locate(Cat::Produit, u("produit 499"))); // builds the index
    // Edits move a record in the index; a cancelled edit moves it back.
    t.setText(Cat::Produit, u("renommé"));
    t.post();
    QVERIFY(!t.locate(Cat::Produit, u("produit 499")));
    t.first();
    QVERIFY(t.locate(Cat::Produit, u("renommé")));
    QCOMPARE(t.currentPos(), 499);
    t.setText(Cat::Produit, u("provisoire"));
    t.cancel();
    t.first();
    QVERIFY(!t.locate(Cat::Produit, u("provisoire")));
    QVERIFY(t.locate(Cat::Produit, u("renommé")));
    // Appended records are found, deleted ones are not.
    t.append();
    t.setText(Cat::Produit, u("nouveau"));
    t.post();
    t.first();
    QVERIFY(t.locate(Cat::Produit, u("nouveau")));
    QCOMPARE(t.currentPos(), 500);
    QVERIFY(t.locate(Cat::Produit, u("produit 10")));
    t.remove();
    QVERIFY(!t.locate(Cat::Produit, u("produit 10")));
    QCOMPARE(t.removeIf([](const Record& r) {
        return RecordTable::textOf(r, Cat::Produit).endsWith(u'7');
    }),
             50);
    QVERIFY(!t.locate(Cat::Produit, u("produit 17")));
    QVERIFY(t.locate(Cat::Produit, u("produit 18")));
    // After a sort the first match is taken in the new order.
    t.append();
    t.setText(Cat::Produit, u("produit 18"));
    t.setText(Cat::Secteur, u("A"));
    t.post();
    t.sort(u("Secteur;Produit"));
    t.setCurrentPos(t.recordCount() - 1);
    QVERIFY(t.locate(Cat::Produit, u("produit 18")));
    QCOMPARE(t.text(Cat::Secteur), u("A"));
    QCOMPARE(t.currentPos(), 1); // after "nouveau", which has no sector
    // A text made to share an equal one's storage is found as before; an unequal one is not
    // taken.
    const int pos = t.currentPos();
    const QString same = u("produit ") + u("18");
    QVERIFY(t.shareText(pos, Cat::Produit, same));
    QCOMPARE(RecordTable::textOf(t.recordAt(pos), Cat::Produit).constData(), same.constData());
    QVERIFY(!t.shareText(pos, Cat::Produit, u("produit 19")));
    QCOMPARE(RecordTable::textOf(t.recordAt(pos), Cat::Produit), u("produit 18"));
    t.first();
    QVERIFY(t.locate(Cat::Produit, u("produit 18")));
    QCOMPARE(t.currentPos(), pos);
    // Removing most records at once: the kept ones are still found, the others are not.
    QVERIFY(t.removeIf([](const Record& r) {
        return !RecordTable::textOf(r, Cat::Produit).endsWith(u'9');
    }) > t.recordCount());
    QVERIFY(t.locate(Cat::Produit, u("produit 389")));
    QVERIFY(!t.locate(Cat::Produit, u("produit 388")));
    QVERIFY(!t.locate(Cat::Produit, u("produit 18")));
    // Emptying the table empties the index.
    t.empty();
    QVERIFY(!t.locate(Cat::Produit, u("produit 18")));
}

void TestRecordTable::holdsTextWithAndWithoutIndex() {
    // The same answers before a search builds the name index (every record read) and after.
    for (const bool indexed : {false, true}) {
        RecordTable t(catalogueSchema());
        fill(t, {u("Lait"), u("Pain"), u("Pain")});
        if (indexed)
            t.locate(Cat::Produit, u("Lait"));
        t.setCurrentPos(0);
        const RecordTable::Bookmark lait = t.bookmark();
        t.setCurrentPos(1);
        const RecordTable::Bookmark pain = t.bookmark();
        QVERIFY(t.holdsText(Cat::Produit, u("Lait")));
        QVERIFY(!t.holdsText(Cat::Produit, u("Lait"), lait)); // only the record set aside
        QVERIFY(t.holdsText(Cat::Produit, u("Pain"), pain));  // the other "Pain"
        QVERIFY(!t.holdsText(Cat::Produit, u("lait")));       // exact, with case
        QVERIFY(!t.holdsText(Cat::Produit, u("Lai")));
        QVERIFY(!t.holdsText(-1, u("Lait")));
        // A renamed record answers by its new name.
        t.setCurrentPos(0);
        t.setText(Cat::Produit, u("Beurre"));
        t.post();
        QVERIFY(!t.holdsText(Cat::Produit, u("Lait")));
        QVERIFY(t.holdsText(Cat::Produit, u("Beurre"), pain));
    }
}

void TestRecordTable::sortIsStableCaseInsensitiveAndKeepsTheCurrentRecord() {
    RecordTable t(catalogueSchema());
    fill(t, {u("cerise"), u("Banane"), u("abricot"), u("Datte"), u("éclair"), u("figue")});
    t.setCurrentPos(3); // "Datte"
    QSignalSpy resets(&t, &RecordTable::reset);
    t.sort(u("Produit"));
    QCOMPARE(names(t), QStringList({u("abricot"), u("Banane"), u("cerise"), u("Datte"), u("éclair"),
                                    u("figue")}));
    QCOMPARE(t.text(Cat::Produit), u("Datte"));
    QCOMPARE(resets.count(), 1);
    // Records equal on every key keep their order: sectors S, T alternate in fill().
    t.sort(u("Secteur"));
    QCOMPARE(names(t), QStringList({u("abricot"), u("cerise"), u("éclair"), u("Banane"), u("Datte"),
                                    u("figue")}));
    QCOMPARE(t.text(Cat::Produit), u("Datte"));
    // Several keys, empty values first.
    t.append();
    t.setText(Cat::Produit, u("aaa"));
    t.post();
    t.sort(u("Secteur;Produit"));
    QCOMPARE(names(t).first(), u("aaa"));
    QCOMPARE(t.text(Cat::Produit), u("aaa"));
    // An unknown field name sorts nothing.
    const QStringList before = names(t);
    t.sort(u("inconnu"));
    QCOMPARE(names(t), before);
}

void TestRecordTable::filterSwitch() {
    RecordTable t(catalogueSchema());
    fill(t, {u("s1"), u("t1"), u("s2")});
    QString wanted = u("S");
    t.setFilter(
        [&wanted](const Record& r) { return RecordTable::textOf(r, Cat::Secteur) == wanted; });
    QVERIFY(!t.filtered());
    QCOMPARE(t.visiblePositions().size(), size_t(3));
    t.setFiltered(true);
    QCOMPARE(t.visiblePositions(), std::vector<int>({0, 2}));
    QCOMPARE(t.currentPos(), 0);
    // A new selection: refilter goes to the first record shown.
    wanted = u("T");
    t.refilter();
    QCOMPARE(t.visiblePositions(), std::vector<int>({1}));
    QCOMPARE(t.text(Cat::Produit), u("t1"));
    QCOMPARE(t.currentRow(), 0);
    // A record edited out of the filter leaves the view.
    t.setText(Cat::Secteur, u("S"));
    t.post();
    QVERIFY(t.visiblePositions().empty());
    QVERIFY(t.isEmpty());
    t.setFiltered(false);
    QCOMPARE(t.visiblePositions().size(), size_t(3));
    QVERIFY(!t.isEmpty());
}

void TestRecordTable::bookmarks() {
    RecordTable t(catalogueSchema());
    fill(t, {u("a"), u("b"), u("c")});
    t.setCurrentPos(1);
    const RecordTable::Bookmark b = t.bookmark();
    QVERIFY(t.bookmarkValid(b));
    t.first();
    t.sort(u("Produit")); // positions may change; the bookmark follows the record
    t.append();
    t.setText(Cat::Produit, u("0"));
    t.sort(u("Produit"));
    QVERIFY(t.gotoBookmark(b));
    QCOMPARE(t.text(Cat::Produit), u("b"));
    QCOMPARE(t.currentPos(), 2);
    t.remove();
    QVERIFY(!t.bookmarkValid(b));
    t.first();
    QVERIFY(!t.gotoBookmark(b));
    QCOMPARE(t.currentPos(), 0);
    QVERIFY(!t.gotoBookmark(0));
    // An empty table has no bookmark to give.
    RecordTable e(catalogueSchema());
    QCOMPARE(e.bookmark(), RecordTable::Bookmark(0));
}

void TestRecordTable::suspendedRefreshGivesOneReset() {
    RecordTable t(catalogueSchema());
    fill(t, {u("a"), u("b")});
    QSignalSpy resets(&t, &RecordTable::reset);
    QSignalSpy changed(&t, &RecordTable::recordChanged);
    QSignalSpy moved(&t, &RecordTable::currentChanged);
    t.disableControls();
    t.disableControls(); // nested suspensions
    for (int i = 0; i < 20; ++i) {
        t.append();
        t.setText(Cat::Produit, u("p%1").arg(i));
    }
    t.first();
    t.setText(Cat::Produit, u("changé"));
    t.post();
    t.sort(u("Produit"));
    t.enableControls();
    QVERIFY(t.controlsDisabled());
    QCOMPARE(resets.count(), 0);
    t.enableControls();
    QVERIFY(!t.controlsDisabled());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(moved.count(), 1);
    // Without changes, resuming tells nothing; an extra resume is harmless.
    t.disableControls();
    t.enableControls();
    t.enableControls();
    QCOMPARE(resets.count(), 1);
}

void TestRecordTable::valuesAreCutAndChecked() {
    RecordTable c(catalogueSchema());
    c.append();
    QVERIFY(c.setText(Cat::Produit, QString(70, u'p')));
    QCOMPARE(c.text(Cat::Produit), QString(60, u'p'));
    QVERIFY(c.setText(Cat::prevu, u("Oui")));
    QCOMPARE(c.text(Cat::prevu), u("O"));
    QVERIFY(c.setText(Cat::Secteur, u("Supermarché du centre-ville")));
    QCOMPARE(c.text(Cat::Secteur), u("Supermarché du centr"));
    // 16-bit period: the bounds are taken, one beyond is refused and changes nothing.
    QVERIFY(c.setInteger(Cat::Duree_rappel, 32767));
    QVERIFY(c.setInteger(Cat::Duree_rappel, -32768));
    QVERIFY(!c.setInteger(Cat::Duree_rappel, 32768));
    QVERIFY(!c.setInteger(Cat::Duree_rappel, -32769));
    QCOMPARE(c.integer(Cat::Duree_rappel), -32768);
    QVERIFY(!c.setInteger(Cat::id_prod, qint64(1) << 31));
    QVERIFY(c.setInteger(Cat::id_prod, (qint64(1) << 31) - 1));
    // Values of the wrong type are refused.
    QVERIFY(!c.setText(Cat::Prix, u("3")));
    QVERIFY(!c.setDate(Cat::Produit, QDate(2026, 12, 9)));
    QVERIFY(c.isNull(Cat::Prix));
    // An invalid date stores nothing.
    QVERIFY(c.setDate(Cat::date_dern_achat, QDate()));
    QVERIFY(c.isNull(Cat::date_dern_achat));
    c.post();
    RecordTable l(shoppingListSchema());
    l.append();
    QVERIFY(!l.setInteger(Lst::unite_vente, 40000));
    QVERIFY(l.isNull(Lst::unite_vente));
}

void TestRecordTable::fieldsByNameIgnoreCase() {
    RecordTable c(catalogueSchema());
    QCOMPARE(c.fieldIndex(u"Prevu"), int(Cat::prevu));
    QCOMPARE(c.fieldIndex(u"prix"), int(Cat::Prix));
    QCOMPARE(c.fieldIndex(u"Color"), int(Cat::color));
    QCOMPARE(c.fieldIndex(u"inconnu"), -1);
    RecordTable l(shoppingListSchema());
    QCOMPARE(l.fieldIndex(u"UNITÉ_VENTE"), int(Lst::unite_vente));
}

void TestRecordTable::loadedRecords() {
    RecordTable t(catalogueSchema());
    fill(t, {u("a")});
    QVERIFY(t.locate(Cat::Produit, u("a"))); // an index exists before the bulk records come
    QSignalSpy resets(&t, &RecordTable::reset);
    std::vector<FieldValue> v(Cat::FieldCount);
    v[Cat::Produit] = u("chargé");
    t.appendLoaded(std::move(v));
    std::vector<FieldValue> shortOne(2); // missing fields are empty
    shortOne[Cat::Secteur] = u("S");
    t.appendLoaded(std::move(shortOne));
    QCOMPARE(resets.count(), 0);
    QCOMPARE(t.recordCount(), 3);
    QCOMPARE(t.recordAt(2).values.size(), size_t(Cat::FieldCount));
    QCOMPARE(t.visiblePositions().size(), size_t(3));
    QVERIFY(t.locate(Cat::Produit, u("chargé")));
    QCOMPARE(t.currentPos(), 1);
    QVERIFY(t.bookmark() != t.recordAt(0).id);
}

KABIRO_TEST_GUILESS_MAIN(TestRecordTable)
#include "test_record_table.moc"
