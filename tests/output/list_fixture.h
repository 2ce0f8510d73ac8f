#pragma once

// Builders for the output tests: catalogue products and shopping-list rows set field by field,
// so that a list row may differ from its catalogue product as a loaded file allows.

#include "model/shopping_data.h"
#include "model/shopping_tables.h"

#include <QString>
#include <optional>

namespace outfix {

inline void addProduct(ShoppingData& d, const QString& sector, const QString& aisle,
                       const QString& name, std::optional<double> price,
                       const QString& memo = QString()) {
    RecordTable& c = d.catalogue;
    const qint32 id = nextProductId(c);
    c.append();
    c.setText(Cat::Secteur, sector);
    c.setText(Cat::Rayon, aisle);
    c.setText(Cat::Produit, name);
    c.setText(Cat::color, Flag::Listed);
    c.setInteger(Cat::id_prod, id);
    if (price)
        c.setReal(Cat::Prix, *price);
    c.setText(Cat::prevu, Flag::No);
    c.setText(Cat::Rappel, Flag::No);
    if (!memo.isEmpty())
        c.setText(Cat::memo, memo);
    c.post();
}

struct Row {
    QString sector;
    QString aisle;
    QString product;
    std::optional<int> quantity = 1;
    QString planned = QStringLiteral("N");
    QString reminder = QStringLiteral("N");
};

inline void addRow(ShoppingData& d, const Row& r) {
    RecordTable& l = d.list;
    l.append();
    l.setText(Lst::Secteur, r.sector);
    l.setText(Lst::Rayon, r.aisle);
    l.setText(Lst::Produit, r.product);
    if (r.quantity)
        l.setInteger(Lst::unite_vente, *r.quantity);
    l.setText(Lst::Prevu, r.planned);
    l.setText(Lst::Rappel, r.reminder);
    l.post();
}

// Makes the record whose Produit is the name current (filter ignored).
inline bool select(RecordTable& t, const QString& name) {
    for (int i = 0; i < t.recordCount(); ++i)
        if (RecordTable::textOf(t.recordAt(i), Cat::Produit) == name) {
            t.setCurrentPos(i);
            return true;
        }
    return false;
}

inline QString currentName(const RecordTable& t) {
    return t.current() ? RecordTable::textOf(*t.current(), Cat::Produit) : QString();
}

// Products in the table's present order.
inline QStringList names(const RecordTable& t) {
    QStringList out;
    for (int i = 0; i < t.recordCount(); ++i)
        out << RecordTable::textOf(t.recordAt(i), Cat::Produit);
    return out;
}

} // namespace outfix
