#pragma once

#include <QComboBox>

// The search box: an editable combo box that tells when its list is about to open, so that the
// list can be filled with the products matching the text typed.
class SearchBox : public QComboBox {
    Q_OBJECT
public:
    explicit SearchBox(QWidget* parent = nullptr);

    // The list opens as wide as its widest name needs, within the screen, and never narrower
    // than the box.
    void showPopup() override;
    int popupWidth() const;

signals:
    // The list opens; handlers may refill it first.
    void dropDown();
};
