#pragma once

#include "model/read_ahead.h"
#include "model/record_table.h"

// Each list row's product (the catalogue record bearing the row's name), remembered in the row
// itself while no product comes or goes, no product name is written and no row name is written.
// The total and the block removal then reach each row's product without searching the name
// index again, which on a large list costs most of those gestures.
//
// Only while the catalogue's names are distinct: where two products share a name, which of them
// a row belongs to depends on the cursor, and the product is searched for each time.
class RowProducts {
public:
    // Finds the products of one walk; valid while neither table changes.
    class Finder {
    public:
        // The product that locating the row's name would make current among those the filter
        // shows, the catalogue's cursor standing on `partner`; nullptr when none. `partner`
        // becomes the product found, so that a walk finds each row's product as if locating
        // them one after the other, without moving the cursor.
        const Record* shownProductOf(const Record& row, int& partner) const;

        // Visits the rows at `positions` in order, reading ahead (see read_ahead::walk) each
        // row's `rowField`, its product as last found and that product's `productField`.
        template <typename Visit>
        void walk(const RecordTable& list, const std::vector<int>& positions, int rowField,
                  int productField, Visit&& visit) const;

    private:
        friend class RowProducts;
        // The row's product as last found, while that finding still holds; nullptr otherwise
        // (nothing is read from a product that may be gone).
        const Record* knownProductOf(const Record& row) const {
            return distinct_ && row.linkVersion == version_ ? row.link : nullptr;
        }
        Finder(RecordTable& catalogue, bool distinct, quint64 version)
            : catalogue_(catalogue), distinct_(distinct), version_(version) {}
        RecordTable& catalogue_;
        bool distinct_;
        quint64 version_;
    };

    Finder finder(RecordTable& catalogue, const RecordTable& list);

private:
    quint64 catalogueSeen_ = 0;
    quint64 listSeen_ = 0;
    quint64 version_ = 0;
};

template <typename Visit>
void RowProducts::Finder::walk(const RecordTable& list, const std::vector<int>& positions,
                               int rowField, int productField, Visit&& visit) const {
    read_ahead::walk(
        list, positions, rowField, [this](const Record& row) { return knownProductOf(row); },
        productField, visit);
}
