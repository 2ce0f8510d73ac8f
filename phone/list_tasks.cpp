#include "phone/list_tasks.h"

#include "model/shopping_data.h"
#include "model/text_compare.h"

#include <QHash>
#include <algorithm>

QList<ShoppingTask> tasksFromList(const ShoppingData& data) {
    const RecordTable& cat = data.catalogue;
    const RecordTable& lst = data.list;
    // The first catalogue product of each name among those shown, as locating it would find.
    // insert() keeps the last one inserted: walking backwards, the first one wins.
    QHash<QString, int> partner;
    const std::vector<int>& shownCat = cat.visiblePositions();
    for (auto it = shownCat.rbegin(); it != shownCat.rend(); ++it)
        partner.insert(RecordTable::textOf(cat.recordAt(*it), Cat::Produit), *it);

    std::vector<int> rows = lst.visiblePositions();
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const Record& ra = lst.recordAt(a);
        const Record& rb = lst.recordAt(b);
        for (int f : {Lst::Secteur, Lst::Rayon, Lst::Produit}) {
            const int c =
                text::compareNoCase(RecordTable::textOf(ra, f), RecordTable::textOf(rb, f));
            if (c != 0)
                return c < 0;
        }
        return false;
    });

    QList<ShoppingTask> out;
    out.reserve(static_cast<qsizetype>(rows.size()));
    int rank = 0;
    for (int pos : rows) {
        const Record& row = lst.recordAt(pos);
        ShoppingTask t;
        t.product = RecordTable::textOf(row, Lst::Produit);
        t.quantity = RecordTable::integerOf(row, Lst::unite_vente).value_or(1);
        t.shop = RecordTable::textOf(row, Lst::Secteur);
        t.aisle = RecordTable::textOf(row, Lst::Rayon);
        t.planned = RecordTable::textOf(row, Lst::Prevu) == Flag::Yes;
        t.reminderCode = RecordTable::textOf(row, Lst::Rappel);
        t.sortOrder = ++rank;
        if (const auto it = partner.constFind(t.product); it != partner.constEnd()) {
            const Record& product = cat.recordAt(*it);
            const double price = RecordTable::realOf(product, Cat::Prix).value_or(0);
            if (price > 0)
                t.unitPrice = price;
            t.note = RecordTable::textOf(product, Cat::memo);
        }
        out.append(std::move(t));
    }
    return out;
}
