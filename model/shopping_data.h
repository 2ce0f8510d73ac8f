#pragma once

#include "model/money.h"
#include "model/org_tree.h"
#include "model/record_table.h"
#include "model/row_products.h"
#include "model/shopping_tables.h"
#include "model/undo_history.h"

#include <QObject>
#include <QString>

// Selection in the sector tree: what the shop filter restricts both tables to.
struct ShopSelection {
    QString sector;
    QString aisle;
    int level = 0; // 0 a sector node was chosen, 1 an aisle node

    bool operator==(const ShopSelection&) const = default;
};

// The running list total: price in fixed point and unit count (wider than the 16-bit
// quantities it adds up, so it never wraps).
struct ListTotal {
    Money price;
    qint64 units = 0;
};

// Everything the user keeps: the catalogue (table1), the shopping list (table2), the
// organisation tree and the validation text, plus the run-time state that goes with them
// (modified flag, list label, list total, sector selection and shop filter).
class ShoppingData : public QObject {
    Q_OBJECT
public:
    explicit ShoppingData(QObject* parent = nullptr);

    RecordTable catalogue; // table1
    RecordTable list;      // table2
    OrgTree tree;
    QString validationText;
    // Every change of the above, step by step, for undo and redo.
    UndoHistory history{*this};
    // Each list row's product, as the last walk found it.
    RowProducts rowProducts;

    static QString initialValidationText(); // "dernières courses"

    // --- modified flag (shown as the enabled state of the save button)
    bool modified() const { return modified_; }
    void setModified(bool on = true);

    // --- list label ("Liste complète", the filter caption, or a list type's name)
    const QString& listLabel() const { return listLabel_; }
    void setListLabel(const QString& s);

    // --- list total
    const ListTotal& total() const { return total_; }
    void setTotal(ListTotal t);
    // Clears the total and its display (a new list shows empty boxes).
    void clearTotal();
    bool totalShown() const { return totalShown_; }

    // --- shop filter: both tables show only the selected sector or aisle while it is on
    ShopSelection selection;
    bool shopFilterOn() const { return shopFilter_; }
    void setShopFilter(bool on);
    // Re-applies the filter after the selection changed (both tables go to their first record).
    void reapplyShopFilter();
    // Does a record of either table (same field positions for Secteur and Rayon) pass the filter?
    bool passesShopFilter(const Record& r) const;

signals:
    void modifiedChanged(bool modified);
    void listLabelChanged(const QString& label);
    void totalChanged();

private:
    bool modified_ = false;
    QString listLabel_;
    ListTotal total_;
    bool totalShown_ = true;
    bool shopFilter_ = false;
};
