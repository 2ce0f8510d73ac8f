// The product sheet's own edits: price, period and note typed in (posted when the field is
// left, by SheetEdit), the planned and reminder boxes, and the reminder date chosen in the date
// picker.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"
#include "app/sheet_edit.h"

#include <QLineEdit>

void Tfrm_main::setupSheet() {
    ProductSheet* sheet = ui_->sheet;
    connect(sheet, &ProductSheet::editProductClicked, this, &Tfrm_main::spd_btn_editprodClick);
    connect(sheet, &ProductSheet::plannedClicked, this, &Tfrm_main::DBCheckBox1Enter);
    connect(sheet, &ProductSheet::reminderClicked, this, &Tfrm_main::DBCheckBox5Enter);
    connect(sheet, &ProductSheet::dateChosen, this, &Tfrm_main::DateTimePicker1CloseUp);
    connect(sheet, &ProductSheet::dateLeft, this, [this] {
        // A date typed in the picker counts as chosen once the picker is left.
        const Record* r = data_.catalogue.current();
        if (!r || data_.catalogue.currentRow() < 0)
            return;
        const GestureContext ctx = gestureContext();
        const QDate shown = colour::sheetFor(*r, ctx.today, ctx.coefDelai).pickerDate;
        const QDate picked = ui_->sheet->pickedDate();
        if (picked != shown)
            DateTimePicker1CloseUp(picked);
    });
    connect(sheet, &ProductSheet::fieldEntered, this, &Tfrm_main::DBEdit2Enter);
    connect(sheet, &ProductSheet::fieldLeft, this, &Tfrm_main::DBEdit2Exit);
    connect(sheet, &ProductSheet::editConfirmed, this, &Tfrm_main::endSheetEdit);
    connect(sheet, &ProductSheet::editAbandoned, this, &Tfrm_main::showProduct);
}

// ---------------------------------------------------------------- price, period, note

void Tfrm_main::DBEdit2Enter(QLineEdit* field) {
    sheetEdit_->fieldEntered(field);
}

void Tfrm_main::DBEdit2Exit(QLineEdit*) {
    if (!sheetEdit_->tellingRefusal())
        endSheetEdit();
}

void Tfrm_main::endSheetEdit() {
    // What was typed goes to the product the sheet showed meanwhile; the fields show it stored.
    if (sheetEdit_->post())
        showProduct();
}

// ---------------------------------------------------------------- boxes and date picker

void Tfrm_main::DBCheckBox1Enter() {
    endSheetEdit();
    commands_.togglePlanned();
    ui_->RxDBGrid1->setFocus();
    showProduct(); // the box shows the flag as stored, also when nothing could change
}

void Tfrm_main::DBCheckBox5Enter() {
    endSheetEdit();
    commands_.toggleReminder();
    ui_->RxDBGrid1->setFocus();
    showProduct();
}

void Tfrm_main::DateTimePicker1CloseUp(QDate date) {
    endSheetEdit();
    commands_.setDueDate(date);
    showProduct();
}
