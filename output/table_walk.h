#pragma once

#include "model/record_table.h"

class ShoppingData;

// Keeps the user's place while a command walks the shopping list and looks products up in the
// catalogue: both tables' current records are remembered and the refresh of their grids is
// suspended for the walk. When the walk ends, both tables go back to the remembered records,
// then the list grid and the catalogue grid resume their refresh, in that order.
class TableWalk {
public:
    explicit TableWalk(ShoppingData& data);
    ~TableWalk();
    TableWalk(const TableWalk&) = delete;
    TableWalk& operator=(const TableWalk&) = delete;

private:
    RecordTable& list_;
    RecordTable& catalogue_;
    RecordTable::Bookmark listMark_;
    RecordTable::Bookmark catalogueMark_;
};

// The order in which the printed list and the exports show the shopping list.
inline constexpr const char* kListExportOrder = "Secteur;Rayon;Produit";
