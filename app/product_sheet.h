#pragma once

#include <QColor>
#include <QDate>
#include <QFrame>
#include <QString>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QToolButton;

// The product sheet under the catalogue (Panel7): sector, aisle and name of the current
// product, its planned and reminder boxes, price, reminder date, period and note, and a button
// that edits the product. It shows what it is given and tells what the user did; the window
// decides what follows.
class ProductSheet : public QFrame {
    Q_OBJECT
public:
    // What the sheet shows of one product.
    struct Content {
        QString sector;
        QString aisle;
        QString product;
        bool planned = false;
        bool reminder = false;
        QString price;
        QString period;
        QString note;
        QColor strip; // the colour strip, and its caption
        QString stripCaption;
        QString stripState; // what the strip's colour means, in words (empty: no state)
        QDate date;         // the reminder date, inside the picker's range
        QDate earliest;
        QDate latest;
    };

    // A price may be typed with '.', ',' or `decimalSeparator`; the picker shows `dateFormat`.
    ProductSheet(const QString& decimalSeparator, const QString& dateFormat, QWidget* parent);

    void showContent(const Content& content);
    // No product: every field empty, the strip in `stripColour`.
    void showNothing(const QColor& stripColour);
    void setEditProductEnabled(bool on);
    void setNameBackground(const QColor& colour); // behind the product's name

    // The fields the user types in; an edit in progress is what they hold as modified.
    QLineEdit* priceField() const { return price_; }
    QLineEdit* periodField() const { return period_; }
    QLineEdit* noteField() const { return note_; }
    QDate pickedDate() const;

signals:
    void editProductClicked();           // spd_btn_editprod2
    void plannedClicked();               // DBCheckBox1
    void reminderClicked();              // DBCheckBox5
    void dateChosen(QDate date);         // a date chosen in the picker's calendar
    void dateLeft();                     // the picker left: a date may have been typed
    void fieldEntered(QLineEdit* field); // price, period or note
    void fieldLeft(QLineEdit* field);
    void editConfirmed(); // Return or Enter in a field
    void editAbandoned(); // Escape in a field holding a change: the change is given up
    void noteEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* typingField(QObject* watched) const;

    void linkLabels(); // each label names its field for screen readers

    QLabel* strip_ = nullptr;       // Panel5
    QLabel* sector_ = nullptr;      // DBText1
    QLabel* aisle_ = nullptr;       // DBText2
    QToolButton* edit_ = nullptr;   // spd_btn_editprod2
    QCheckBox* planned_ = nullptr;  // DBCheckBox1
    QLineEdit* product_ = nullptr;  // DBEdit1
    QLineEdit* price_ = nullptr;    // RxDBCalcEdit1
    QCheckBox* reminder_ = nullptr; // DBCheckBox5
    QDateEdit* date_ = nullptr;     // DateTimePicker1
    QLineEdit* period_ = nullptr;   // DBEdit3
    QLineEdit* note_ = nullptr;     // DBEdit2
};
