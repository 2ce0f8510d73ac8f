#include "model/org_tree.h"
#include "support/test_registry.h"

#include <QTest>

// The organisation of sectors and aisles: reading indented lines, order, growth.
class TestOrgTree : public QObject {
    Q_OBJECT
private slots:
    void levelsFromIndentation();
    void levelJumpIsAnError();
    void everyLevelIsSorted();
    void growthKeepsTheOrder();
    void walkAndLines();
};

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QStringList lines(const char* text) {
    return u(text).split(u'\n');
}

} // namespace

void TestOrgTree::levelsFromIndentation() {
    QString error;
    // Child, sibling, back up to a sector; blanks count as TABs; the first line is a top node
    // whatever its level.
    const auto t = OrgTree::fromLines(lines("\t\tMarché\n\tPrimeur\n Boucher\nAuchan\n\tFrais\n"
                                            "\t\tYaourts\n\tSurgelés\nBio"),
                                      &error);
    QVERIFY2(t, qPrintable(error));
    QCOMPARE(t->toLines(), lines("Auchan\n\tFrais\n\t\tYaourts\n\tSurgelés\nBio\nMarché\n"
                                 "\tBoucher\n\tPrimeur"));
    QCOMPARE(t->nodeCount(), 8);
    // A deep line may go straight back to the top.
    const auto back = OrgTree::fromLines(lines("A\n\tB\n\t\tC\nD"), &error);
    QVERIFY(back);
    QCOMPARE(back->roots().size(), size_t(2));
    const auto empty = OrgTree::fromLines({}, &error);
    QVERIFY(empty && empty->isEmpty());
}

void TestOrgTree::levelJumpIsAnError() {
    QString error;
    QVERIFY(!OrgTree::fromLines(lines("Marché\n\t\tPains"), &error));
    QCOMPARE(error, u("Niveau incorrect (2) pour l'élément \"Pains\""));
    QVERIFY(!OrgTree::fromLines(lines("A\n\tB\n \t  C d"), &error));
    QCOMPARE(error, u("Niveau incorrect (4) pour l'élément \"C d\""));
    QVERIFY(!OrgTree::fromLines(lines("A\n\t\tB"), nullptr)); // no message wanted
}

void TestOrgTree::everyLevelIsSorted() {
    QString error;
    const auto t =
        OrgTree::fromLines(lines("farine\népices\neau\nÉcole\n\tzinc\n\tArbre\n\tbois"), &error);
    QVERIFY(t);
    // Without case and accents first: "épices" between "eau" and "farine".
    QCOMPARE(t->toLines(), lines("eau\nÉcole\n\tArbre\n\tbois\n\tzinc\népices\nfarine"));
    OrgTree s = *t;
    s.roots().push_back(OrgNode{u("Aaa"), {}});
    s.sort();
    QCOMPARE(s.roots().front().text, u("Aaa"));
}

void TestOrgTree::growthKeepsTheOrder() {
    OrgTree t;
    const int m = t.addSector(u("Marché"));
    QCOMPARE(m, 0);
    QCOMPARE(t.addSector(u("Boulangerie")), 0);
    QCOMPARE(t.addSector(u("Pharmacie")), 2);
    t.addAisle(1, u("Primeur"));
    t.addAisle(1, u("Boucher"));
    t.addAisle(7, u("ignoré")); // no such sector
    t.addAisle(-1, u("ignoré"));
    QCOMPARE(t.toLines(), lines("Boulangerie\nMarché\n\tBoucher\n\tPrimeur\nPharmacie"));
    t.clear();
    QVERIFY(t.isEmpty());
}

void TestOrgTree::walkAndLines() {
    QString error;
    const auto t = OrgTree::fromLines(lines("B\n\tb2\n\tb1\nA"), &error);
    QVERIFY(t);
    const auto w = t->walk();
    QCOMPARE(w.size(), size_t(4));
    QCOMPARE(w[0].node->text, u("A"));
    QCOMPARE(w[0].depth, 0);
    QVERIFY(!w[0].parent);
    QCOMPARE(w[2].node->text, u("b1"));
    QCOMPARE(w[2].depth, 1);
    QCOMPARE(w[2].parent->text, u("B"));
    // Its own lines read back into the same tree.
    const auto again = OrgTree::fromLines(t->toLines(), &error);
    QVERIFY(again);
    QVERIFY(*again == *t);
}

KABIRO_TEST_GUILESS_MAIN(TestOrgTree)
#include "test_org_tree.moc"
