#include "model/row_products.h"

#include "model/shopping_tables.h"

#include <algorithm>

RowProducts::Finder RowProducts::finder(RecordTable& catalogue, const RecordTable& list) {
    const quint64 products = catalogue.holdersVersion(Cat::Produit);
    const quint64 rows = list.writesVersion(Lst::Produit);
    // A new version for every state of the two names seen: links made under another state
    // are never taken for current ones.
    if (version_ == 0 || products != catalogueSeen_ || rows != listSeen_) {
        catalogueSeen_ = products;
        listSeen_ = rows;
        version_ = std::max(products, rows);
    }
    return Finder(catalogue, catalogue.textsDistinct(Cat::Produit), version_);
}

const Record* RowProducts::Finder::shownProductOf(const Record& row, int& partner) const {
    if (!distinct_) {
        const int found =
            catalogue_.findPosition(Cat::Produit, RecordTable::textOf(row, Lst::Produit), partner);
        if (found < 0)
            return nullptr;
        partner = found;
        return &catalogue_.recordAt(found);
    }
    // One product at most bears the name: the cursor does not matter.
    if (row.linkVersion != version_) {
        row.link = catalogue_.soleHolder(Cat::Produit, RecordTable::textOf(row, Lst::Produit));
        row.linkVersion = version_;
    }
    if (!row.link || !catalogue_.passes(*row.link))
        return nullptr;
    partner = row.link->pos;
    return row.link;
}
