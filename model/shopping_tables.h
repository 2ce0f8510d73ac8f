#pragma once

#include "model/record_table.h"

// Field positions of the catalogue (table1). The order is part of the list file format.
namespace Cat {
enum Field {
    Secteur,
    Rayon,
    Produit,
    color,
    id_prod,
    Prix,
    prevu,
    Rappel,
    Duree_rappel,
    date_dern_achat,
    memo,
    FieldCount
};
}

// Field positions of the shopping list (table2).
namespace Lst {
enum Field { Secteur, Rayon, Produit, unite_vente, Prevu, Rappel, Promo, Color, FieldCount };
}

// Flag letters.
namespace Flag {
inline const QString Yes = QStringLiteral("O");
inline const QString No = QStringLiteral("N");
inline const QString Listed = QStringLiteral("X");
inline const QString NotListed = QStringLiteral(" ");
inline const QString Window = QStringLiteral("P"); // list rows: due within the reminder window
} // namespace Flag

TableSchema catalogueSchema();
TableSchema shoppingListSchema();

// Product numbers: the smallest number from 1 to 1000 that no catalogue record carries (every
// record, whatever the filter); when those are all taken, the smallest free number above 1000,
// so that two products never share a number.
qint32 nextProductId(const RecordTable& catalogue);
