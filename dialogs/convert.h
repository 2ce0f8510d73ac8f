#pragma once

#include "model/money.h"
#include "model/regional_settings.h"

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class RecordTable;
class ShoppingData;

// What the converter shows converted: the current catalogue product's price and the list
// total, each as a money value and as the text the main window shows for it.
struct ConverterInputs {
    QString priceText; // as the catalogue shows the price; empty with no current product
    Money price;
    QString totalText; // the text of edt_total
    Money total;
};

// The franc/euro converter: a small tool window over the main window showing the current
// product's price and the list total in the other currency. It is destroyed when closed and
// says so with closed(), so that the main window can release its converter button.
class Tfrm_convert : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 137;
    static constexpr int kHeight = 28;

    // `source` gives the present values each time the converter looks at them. The window is
    // placed 20 pixels below the top of `mainWindow`, 143 pixels left of its right edge.
    Tfrm_convert(QWidget* mainWindow, const RegionalSettings& regional, double euroRate,
                 std::function<ConverterInputs()> source);

    // The usual source: the catalogue's current price, shown in the locale's money format with
    // two decimals, and the data's list total with the text the window gives.
    static std::function<ConverterInputs()> sourceFor(const ShoppingData& data,
                                                      const RegionalSettings& regional,
                                                      std::function<QString()> totalText);

    // Looks at the current price text again; the lines are recomputed when it changed. The main
    // window calls it when the current product or its price changes; follow() connects it.
    void refresh();
    // Calls refresh() whenever the catalogue's cursor moves or one of its records changes.
    void follow(RecordTable& catalogue);

    void setEuroRate(double rate) { euroRate_ = rate; }

signals:
    void closed();

public slots:
    void DBEdit1Change();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    RegionalSettings regional_;
    double euroRate_;
    std::function<ConverterInputs()> source_;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* DBEdit1 = nullptr;
};
