#pragma once

#include <QComboBox>

// The search box: an editable combo box that tells when its list is about to open, so that the
// list can be filled with the products matching the text typed.
class SearchBox : public QComboBox {
    Q_OBJECT
public:
    explicit SearchBox(QWidget* parent = nullptr);

    void showPopup() override;

signals:
    // The list opens; handlers may refill it first.
    void dropDown();
};
