#include "model/row_products.h"

#include "model/shopping_tables.h"

namespace {

const QString& nameOf(const Record& row) {
    static const QString kNone;
    const auto* s = std::get_if<QString>(&row.values[static_cast<size_t>(Lst::Produit)]);
    return s ? *s : kNone;
}

} // namespace

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
    return Finder(catalogue, version_);
}

const Record* RowProducts::Finder::productOf(const Record& row) const {
    if (row.linkVersion != version_) {
        row.link = catalogue_.soleHolder(Cat::Produit, nameOf(row));
        row.linkVersion = version_;
    }
    return row.link;
}
