#pragma once

#include "model/record_table.h"

// Each list row's product (the catalogue record bearing the row's name), remembered in the row
// itself while no product comes or goes, no product name is written and no row name is written.
// The total and the block removal then reach each row's product without searching the name
// index again, which on a large list costs most of those gestures.
//
// Meant for a catalogue whose names are distinct: where two products share a name, which of
// them a row belongs to depends on the cursor, and the callers search as before.
class RowProducts {
public:
    // Finds the products of one walk; valid while neither table changes.
    class Finder {
    public:
        // The product bearing the row's name, whatever the filter; nullptr when none does.
        const Record* productOf(const Record& row) const;

    private:
        friend class RowProducts;
        Finder(RecordTable& catalogue, quint64 version)
            : catalogue_(catalogue), version_(version) {}
        RecordTable& catalogue_;
        quint64 version_;
    };

    Finder finder(RecordTable& catalogue, const RecordTable& list);

private:
    quint64 catalogueSeen_ = 0;
    quint64 listSeen_ = 0;
    quint64 version_ = 0;
};
