#pragma once

#include "model/list_type_file.h"

#include <QDialog>
#include <QString>

class Platform;
class QLabel;
class QLineEdit;
class QPushButton;
class ShoppingData;

// "Nouvelle liste type": saves the products on the shopping list (the catalogue products
// marked "X", under the shop filter) as a list type under the name typed in Edit1.
//
// Closes accepted once the list type is written; savedName() then gives the name as saved, the
// caption of the menu entry the main window adds. An empty list shows "La liste est vide ??"
// and leaves only Cancel; a refused name or a file that cannot be written leaves the dialog
// open after an error box.
class Tfrm_nliste : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 309;
    static constexpr int kHeight = 101;

    // `number` follows "Nouvelle-liste-" in the preset name: the number of list types in the
    // menu plus one.
    Tfrm_nliste(ShoppingData& data, const QString& listTypePath, Platform& platform, int number,
                QWidget* parent = nullptr);

    const QString& savedName() const { return savedName_; }

public slots:
    void BitBtn2Click(); // OK

private:
    void FormCreate(int number);
    void Edit1Edited(const QString& text);

    ShoppingData& data_;
    ListTypeFile file_;
    Platform& platform_;
    QString savedName_;

    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
