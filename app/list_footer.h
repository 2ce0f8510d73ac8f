#pragma once

#include <QFrame>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The list footer under the list grid (Panel2, 96 px high): the search box, the list label, the
// "Total" button with the total price and the unit count, and the date of the last validated
// list. Wide enough, it stands in three rows; narrower, in four, the search box on a row of its
// own and the total row tighter, so that no control covers another. The list label and the
// validation text then elide what does not fit (their whole text in the tool tip).
class ListFooter : public QFrame {
    Q_OBJECT
public:
    explicit ListFooter(QWidget* parent = nullptr);

    QComboBox* searchBox() const { return search_; }           // cbb_rech
    QLabel* listLabel() const { return listLabel_; }           // lbl_eliste
    QPushButton* totalButton() const { return total_; }        // btn_total
    QLineEdit* totalField() const { return totalPrice_; }      // edt_total
    QLineEdit* countField() const { return count_; }           // edt_tot_nbre
    QLineEdit* validationField() const { return validation_; } // edt_date_vali

    // The narrowest the four rows can stand.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int wideWidth() const; // the narrowest the three rows can stand
    void arrange();
    void placeNarrow();

    QGridLayout* grid_ = nullptr;
    bool narrow_ = false;
    QComboBox* search_ = nullptr;
    QLabel* listLabel_ = nullptr;
    QPushButton* total_ = nullptr;
    QLineEdit* totalPrice_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLabel* validatedLabel_ = nullptr;
    QLineEdit* validation_ = nullptr;
};
