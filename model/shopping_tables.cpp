#include "model/shopping_tables.h"

#include <algorithm>
#include <limits>
#include <vector>

TableSchema catalogueSchema() {
    return TableSchema({
        {QStringLiteral("Secteur"), FieldType::Text, 20, false},
        {QStringLiteral("Rayon"), FieldType::Text, 20, true},
        {QStringLiteral("Produit"), FieldType::Text, 60, true},
        {QStringLiteral("color"), FieldType::Text, 1, false},
        {QStringLiteral("id_prod"), FieldType::Integer, 0, false},
        {QStringLiteral("Prix"), FieldType::Money, 0, false},
        {QStringLiteral("prevu"), FieldType::Text, 1, false},
        {QStringLiteral("Rappel"), FieldType::Text, 1, false},
        {QStringLiteral("Duree_rappel"), FieldType::SmallInt, 0, false},
        {QStringLiteral("date_dern_achat"), FieldType::Date, 0, false},
        {QStringLiteral("memo"), FieldType::Text, 60, false},
    });
}

TableSchema shoppingListSchema() {
    return TableSchema({
        {QStringLiteral("Secteur"), FieldType::Text, 20, false},
        {QStringLiteral("Rayon"), FieldType::Text, 20, false},
        {QStringLiteral("Produit"), FieldType::Text, 60, false},
        {QString::fromUtf8("unité_vente"), FieldType::SmallInt, 0, false},
        {QStringLiteral("Prevu"), FieldType::Text, 1, false},
        {QStringLiteral("Rappel"), FieldType::Text, 1, false},
        {QStringLiteral("Promo"), FieldType::Text, 1, false},
        {QStringLiteral("Color"), FieldType::Text, 1, false},
    });
}

qint32 nextProductId(const RecordTable& catalogue) {
    std::vector<qint32> ids;
    ids.reserve(static_cast<size_t>(catalogue.recordCount()));
    for (int p = 0; p < catalogue.recordCount(); ++p) {
        const auto id = RecordTable::integerOf(catalogue.recordAt(p), Cat::id_prod);
        if (id && *id >= 1)
            ids.push_back(*id);
    }
    std::sort(ids.begin(), ids.end());
    qint32 candidate = 1;
    for (qint32 id : ids) {
        if (id > candidate)
            break;
        if (id == candidate) {
            if (candidate == std::numeric_limits<qint32>::max())
                return candidate; // cannot go further; never reached in practice
            ++candidate;
        }
    }
    return candidate;
}
