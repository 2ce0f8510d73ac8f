// The product sheet's own edits: price, period and note typed in (posted when the field is
// left), the planned and reminder boxes, and the reminder date chosen in the date picker.

#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"
#include "model/platform.h"
#include "model/product_editing.h"
#include "model/win1252.h"

#include <QLineEdit>
#include <QMetaObject>
#include <cmath>

namespace {

// Characters a note may not hold: the list file opens its sections with "[" and cannot keep
// what Windows-1252 lacks; line breaks and other controls would break its lines. The message
// for the character at i (n code units long), or nothing when it may stay.
std::optional<QString> refusal(QStringView text, qsizetype i, int* n) {
    const QChar c = text[i];
    *n = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    if (c == u'[' || c == u']')
        return QString::fromUtf8("ERREUR : La note ne peut pas contenir le caractère « %1 »")
            .arg(c);
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
        return QString::fromUtf8("ERREUR : La note ne peut pas contenir de caractère de contrôle");
    if (*n == 2 || !win1252::canStore(c))
        return QString::fromUtf8("ERREUR : La note ne peut pas contenir le caractère « %1 », qui "
                                 "ne peut pas être enregistré")
            .arg(text.mid(i, *n).toString());
    return std::nullopt;
}

// The message for the first character of a note that may not stay, or nothing.
std::optional<QString> noteRefusal(QStringView text) {
    int n = 1;
    for (qsizetype i = 0; i < text.size(); i += n)
        if (std::optional<QString> message = refusal(text, i, &n))
            return message;
    return std::nullopt;
}

} // namespace

void Tfrm_main::setupSheet() {
    ProductSheet* sheet = ui_->sheet;
    connect(sheet, &ProductSheet::editProductClicked, this, &Tfrm_main::spd_btn_editprodClick);
    connect(sheet, &ProductSheet::plannedClicked, this, &Tfrm_main::DBCheckBox1Enter);
    connect(sheet, &ProductSheet::reminderClicked, this, &Tfrm_main::DBCheckBox5Enter);
    connect(sheet, &ProductSheet::dateChosen, this, &Tfrm_main::DateTimePicker1CloseUp);
    connect(sheet, &ProductSheet::dateLeft, this, &Tfrm_main::DateTimePicker1Exit);
    connect(sheet, &ProductSheet::fieldEntered, this, &Tfrm_main::DBEdit2Enter);
    connect(sheet, &ProductSheet::fieldLeft, this, &Tfrm_main::DBEdit2Exit);
    connect(sheet, &ProductSheet::editConfirmed, this, &Tfrm_main::endSheetEdit);
    connect(sheet, &ProductSheet::editAbandoned, this, &Tfrm_main::showProduct);
    connect(sheet, &ProductSheet::noteEdited, this, &Tfrm_main::DBEdit2Change);
}

// ---------------------------------------------------------------- price, period, note

void Tfrm_main::DBEdit2Enter(QLineEdit* field) {
    // The edit starts from what the sheet shows.
    field->setModified(false);
}

void Tfrm_main::DBEdit2Exit(QLineEdit*) {
    endSheetEdit();
}

void Tfrm_main::DBEdit2Change(const QString& text) {
    // The refused characters are taken out again, so the note keeps what it held before.
    std::optional<QString> first;
    QString kept;
    kept.reserve(text.size());
    QLineEdit* noteField = ui_->sheet->noteField();
    const int typedCursor = noteField->cursorPosition();
    int cursor = typedCursor;
    int n = 1;
    for (qsizetype i = 0; i < text.size(); i += n) {
        std::optional<QString> message = refusal(text, i, &n);
        if (!message) {
            kept += QStringView(text).mid(i, n);
            continue;
        }
        if (!first)
            first = std::move(message);
        if (i < typedCursor)
            cursor -= n;
    }
    if (!first)
        return;
    noteField->setText(kept);
    noteField->setCursorPosition(std::max(cursor, 0));
    noteField->setModified(true);
    // Told once the key has been handled.
    QMetaObject::invokeMethod(
        this, [this, m = *first] { platform_.error(m); }, Qt::QueuedConnection);
}

void Tfrm_main::endSheetEdit() {
    if (endingSheetEdit_)
        return;
    QLineEdit* const priceField = ui_->sheet->priceField();
    QLineEdit* const periodField = ui_->sheet->periodField();
    QLineEdit* const noteField = ui_->sheet->noteField();
    QLineEdit* const fields[] = {priceField, periodField, noteField};
    bool typed = false;
    for (QLineEdit* f : fields)
        typed = typed || f->isModified();
    if (!typed)
        return;
    endingSheetEdit_ = true;
    const bool priceTyped = priceField->isModified();
    const bool periodTyped = periodField->isModified();
    const bool noteTyped = noteField->isModified();
    const QString price = priceField->text().trimmed();
    const QString period = periodField->text().trimmed();
    const QString note = noteField->text();
    for (QLineEdit* f : fields)
        f->setModified(false);

    RecordTable& cat = data_.catalogue;
    const RecordTable::Bookmark back = cat.bookmark();
    if (sheetProduct_ == 0 || !cat.bookmarkValid(sheetProduct_)) {
        // The product shown is gone (a list read meanwhile): nothing to write to.
        endingSheetEdit_ = false;
        showProduct();
        return;
    }
    // The edit belongs to the product shown while it was typed, even if the cursor has moved
    // since without the focus leaving the sheet.
    const bool moved = back != sheetProduct_;
    if (moved) {
        cat.disableControls();
        cat.gotoBookmark(sheetProduct_);
    }
    const Record& product = *cat.current();
    bool changed = false;
    bool priceChanged = false;

    if (priceTyped) {
        QString number = price;
        number.replace(platform_.regional().decimalSeparator(), u'.');
        number.replace(u',', u'.');
        bool ok = true;
        const double value = number.isEmpty() ? 0.0 : number.toDouble(&ok);
        const std::optional<double> before = RecordTable::realOf(product, Cat::Prix);
        if (ok && std::isfinite(value) && value >= 0 && (!before || *before != value)) {
            cat.setReal(Cat::Prix, value);
            changed = priceChanged = true;
        }
    }
    if (periodTyped) {
        const std::optional<qint32> before = RecordTable::integerOf(product, Cat::Duree_rappel);
        if (period.isEmpty()) {
            if (before) {
                cat.clear(Cat::Duree_rappel);
                changed = true;
            }
        } else {
            bool ok = false;
            const int days = period.toInt(&ok);
            if (ok && days >= 0 && days <= product_edit::kMaxPeriod && before != days) {
                cat.setInteger(Cat::Duree_rappel, days);
                changed = true;
            }
        }
    }
    if (noteTyped && RecordTable::textOf(product, Cat::memo) != note) {
        if (const std::optional<QString> refused = noteRefusal(note)) {
            platform_.error(*refused);
        } else {
            cat.setText(Cat::memo, note);
            changed = true;
        }
    }
    if (changed)
        cat.post();
    if (moved) {
        cat.gotoBookmark(back);
        cat.enableControls();
    }
    endingSheetEdit_ = false;
    if (changed) {
        data_.setModified();
        // The list total counts the catalogue prices.
        if (priceChanged)
            commands_.recomputeTotal();
    }
    // The fields show what is stored now (a price typed "2,5" shows "2,50").
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

void Tfrm_main::DateTimePicker1Exit() {
    // A date typed in the picker counts as chosen once the picker is left.
    const Record* r = data_.catalogue.current();
    if (!r || data_.catalogue.currentRow() < 0)
        return;
    const GestureContext ctx = gestureContext();
    const QDate shown = colour::sheetFor(*r, ctx.today, ctx.coefDelai).pickerDate;
    const QDate picked = ui_->sheet->pickedDate();
    if (picked != shown)
        DateTimePicker1CloseUp(picked);
}
