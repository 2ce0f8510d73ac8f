#include "model/shopping_data.h"

ShoppingData::ShoppingData(QObject* parent)
    : QObject(parent), catalogue(catalogueSchema()), list(shoppingListSchema()),
      validationText(initialValidationText()), listLabel_(QString::fromUtf8("Liste complète")) {
    catalogue.setObjectName(QStringLiteral("table1"));
    list.setObjectName(QStringLiteral("table2"));
    catalogue.reserve(600);
    list.reserve(200);
    auto pred = [this](const Record& r) { return passesShopFilter(r); };
    catalogue.setFilter(pred);
    list.setFilter(pred);
}

QString ShoppingData::initialValidationText() {
    return QString::fromUtf8("dernières courses");
}

void ShoppingData::setModified(bool on) {
    if (modified_ == on)
        return;
    modified_ = on;
    emit modifiedChanged(on);
}

void ShoppingData::setListLabel(const QString& s) {
    if (listLabel_ == s)
        return;
    listLabel_ = s;
    emit listLabelChanged(s);
}

void ShoppingData::setTotal(ListTotal t) {
    total_ = t;
    totalShown_ = true;
    emit totalChanged();
}

void ShoppingData::clearTotal() {
    total_ = {};
    totalShown_ = false;
    emit totalChanged();
}

void ShoppingData::setShopFilter(bool on) {
    shopFilter_ = on;
    catalogue.setFiltered(on);
    list.setFiltered(on);
}

void ShoppingData::reapplyShopFilter() {
    if (!shopFilter_)
        return;
    catalogue.refilter();
    list.refilter();
}

// Secteur and Rayon are the first two fields of both tables.
bool ShoppingData::passesShopFilter(const Record& r) const {
    // Run for every record a walk or a grid sees while the filter is on: the stored text is
    // compared where it lies, without a copy.
    const int f = selection.level != 0 ? Cat::Rayon : Cat::Secteur;
    const QString& wanted = selection.level != 0 ? selection.aisle : selection.sector;
    const FieldValue& v = r.values[static_cast<size_t>(f)];
    if (const auto* s = std::get_if<QString>(&v))
        return QStringView(*s) == QStringView(wanted);
    return RecordTable::textOf(r, f) == wanted;
}
