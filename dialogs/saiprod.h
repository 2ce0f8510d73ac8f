#pragma once

#include "model/org_tree.h"
#include "model/product_editing.h"

#include <QDialog>
#include <QLocale>
#include <QString>
#include <optional>

class CalcEdit;
class Platform;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// What the product dialog is opened with.
struct ProductDialogInput {
    OrgTree tree;                     // the sector tree when the dialog opens
    product_edit::FormContext checks; // what OK compares the values with
    bool newSectorsAllowed = true;    // Nv_secteur
    int defaultPeriod = 12;           // Nbj_renouve, for a new product
    QString sectorTitle = QStringLiteral("Secteur");
    QString aisleTitle = QStringLiteral("Rayon");
    QString productTitle = QStringLiteral("Produit");
    QString selectedSector; // initial sector text
    QString selectedAisle;  // initial aisle text
    QLocale locale;         // for the price

    // The product corrected; none for a new product.
    struct Edited {
        qint32 id = 0;
        QString product;
        double price = 0;
        bool reminder = false;
        int period = 0;
    };
    std::optional<Edited> edited;
};

// The product dialog: name, aisle, sector, price and reminder of a new or corrected product.
// It only gathers and checks the values; the caller applies them once it is accepted.
class Tfrm_saiprod : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 259;
    static constexpr int kHeight = 198;

    Tfrm_saiprod(const ProductDialogInput& input, Platform& platform, QWidget* parent = nullptr);

    // The values of the fields.
    product_edit::ProductForm values() const;

public slots:
    void Edit1Change();     // product text changed: OK only with a real name
    void ComboBox2Change(); // aisle text changed: an existing aisle brings its sector
    void BitBtn2Click();    // OK: checks, then closes accepted

private:
    void FormCreate(const ProductDialogInput& input);
    void buildControls();
    QWidget* fieldWidget(product_edit::FormField f) const;

    Platform& platform_;
    OrgTree tree_;
    product_edit::FormContext checks_;
    bool aisleTyped_ = true; // false: the aisle can only be picked from the list

    QLabel* Label1 = nullptr; // sector title
    QLabel* Label2 = nullptr; // product title
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr; // aisle title
    QLabel* Label6 = nullptr; // id_prod
    QLineEdit* Edit1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    CalcEdit* RxCalcEdit1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
