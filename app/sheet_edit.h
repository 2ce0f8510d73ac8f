#pragma once

#include "model/record_table.h"

#include <QObject>

class Platform;
class ProductSheet;
class QLineEdit;
class ShoppingCommands;
class ShoppingData;

// What is typed on the product sheet (price, period, note) and posted to the product the sheet
// showed while it was typed, as one step of the history; the note's refused characters are
// taken out as they are typed and told.
class SheetEdit : public QObject {
    Q_OBJECT
public:
    SheetEdit(ProductSheet& sheet, ShoppingData& data, ShoppingCommands& commands,
              Platform& platform);

    // The product the sheet shows now (0: none): what is typed from now on goes there.
    void setProduct(RecordTable::Bookmark product) { product_ = product; }
    void fieldEntered(QLineEdit* field); // the edit starts from what the sheet shows
    // While a refused note character is being told, the box takes the focus from the note:
    // that neither ends nor restarts the edit.
    bool tellingRefusal() const { return tellingRefusal_; }
    // Posts what was typed; true when something was typed, so the sheet must show the product
    // as stored now (a price typed "2,5" shows "2,50").
    bool post();

private:
    void noteEdited(const QString& text);

    ProductSheet& sheet_;
    ShoppingData& data_;
    ShoppingCommands& commands_;
    Platform& platform_;
    RecordTable::Bookmark product_ = 0;
    bool posting_ = false;
    bool tellingRefusal_ = false;
};
