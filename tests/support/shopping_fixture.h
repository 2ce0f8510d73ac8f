#pragma once

// Small builders for tests that work on a catalogue and a shopping list in memory.

#include "model/shopping_data.h"
#include "model/shopping_tables.h"

#include <QDate>
#include <QString>

namespace fixture {

// Day n of the tests' calendar.
inline QDate day(int n) {
    return QDate(2026, 3, 1).addDays(n);
}

struct Product {
    QString sector = QStringLiteral("Super");
    QString aisle = QStringLiteral("Divers");
    QString name;
    double price = 1.0;
    QString planned = QStringLiteral("N");
    QString reminder = QStringLiteral("N");
    int period = 0;
    QDate lastPurchase;
};

// Appends a catalogue product, not listed, and registers its sector and aisle in the tree.
inline void addProduct(ShoppingData& d, const Product& p) {
    RecordTable& c = d.catalogue;
    const qint32 id = nextProductId(c);
    c.append();
    c.setText(Cat::Secteur, p.sector);
    c.setText(Cat::Rayon, p.aisle);
    c.setText(Cat::Produit, p.name);
    c.setText(Cat::color, Flag::NotListed);
    c.setInteger(Cat::id_prod, id);
    c.setReal(Cat::Prix, p.price);
    c.setText(Cat::prevu, p.planned);
    c.setText(Cat::Rappel, p.reminder);
    c.setInteger(Cat::Duree_rappel, p.period);
    if (p.lastPurchase.isValid())
        c.setDate(Cat::date_dern_achat, p.lastPurchase);
    c.post();
    int s = -1;
    for (size_t i = 0; i < d.tree.roots().size(); ++i)
        if (d.tree.roots()[i].text == p.sector)
            s = static_cast<int>(i);
    if (s < 0)
        s = d.tree.addSector(p.sector);
    bool hasAisle = false;
    for (const OrgNode& a : d.tree.roots()[static_cast<size_t>(s)].children)
        hasAisle = hasAisle || a.text == p.aisle;
    if (!hasAisle)
        d.tree.addAisle(s, p.aisle);
}

inline void addProduct(ShoppingData& d, const QString& sector, const QString& aisle,
                       const QString& name, double price = 1.0) {
    Product p;
    p.sector = sector;
    p.aisle = aisle;
    p.name = name;
    p.price = price;
    addProduct(d, p);
}

// The first record of a table (filter ignored) whose Produit is the name; null when none.
inline const Record* find(const RecordTable& t, const QString& name) {
    for (int i = 0; i < t.recordCount(); ++i)
        if (RecordTable::textOf(t.recordAt(i), Cat::Produit) == name)
            return &t.recordAt(i);
    return nullptr;
}

inline QString field(const RecordTable& t, const QString& name, int f) {
    const Record* r = find(t, name);
    return r ? RecordTable::textOf(*r, f) : QStringLiteral("<absent>");
}

inline qint32 quantity(const ShoppingData& d, const QString& name) {
    const Record* r = find(d.list, name);
    return r ? RecordTable::integerOf(*r, Lst::unite_vente).value_or(0) : -1;
}

inline QString mark(const ShoppingData& d, const QString& name) {
    return field(d.catalogue, name, Cat::color);
}

inline QDate purchaseDate(const ShoppingData& d, const QString& name) {
    const Record* r = find(d.catalogue, name);
    return r ? RecordTable::dateOf(*r, Cat::date_dern_achat) : QDate();
}

inline qint32 period(const ShoppingData& d, const QString& name) {
    const Record* r = find(d.catalogue, name);
    return r ? RecordTable::integerOf(*r, Cat::Duree_rappel).value_or(0) : -1;
}

// Makes the named record current (filter ignored); false when there is none.
inline bool select(RecordTable& t, const QString& name) {
    const Record* r = find(t, name);
    if (!r)
        return false;
    t.setCurrentPos(r->pos);
    return true;
}

inline QString currentName(const RecordTable& t) {
    return t.current() ? RecordTable::textOf(*t.current(), Cat::Produit) : QString();
}

} // namespace fixture
