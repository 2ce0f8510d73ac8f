#pragma once

#include <QComboBox>
#include <QStringList>

class QStringListModel;

// The search box: an editable combo box that tells when its list is about to open, so that the
// list can be filled with the products matching the text typed. Its list may hold every product
// of the catalogue: the items live in one string list handed over whole, and the drop-down
// lays them out at one common height instead of measuring each.
class SearchBox : public QComboBox {
    Q_OBJECT
public:
    explicit SearchBox(QWidget* parent = nullptr);

    // Replaces every item of the list by `items`, in their order.
    void setItems(const QStringList& items);

    // The list opens as wide as its widest name needs, within the screen, and never narrower
    // than the box.
    void showPopup() override;
    int popupWidth() const;

signals:
    // The list opens; handlers may refill it first.
    void dropDown();

private:
    QStringListModel* items_;
};
