// What is typed on the product sheet, checked and posted to its product.

#include "app/sheet_edit.h"

#include "app/product_sheet.h"
#include "model/platform.h"
#include "model/product_editing.h"
#include "model/shopping_commands.h"
#include "model/shopping_data.h"
#include "model/undo_history.h"
#include "model/win1252.h"

#include <QLineEdit>
#include <QMetaObject>
#include <cmath>
#include <optional>

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

SheetEdit::SheetEdit(ProductSheet& sheet, ShoppingData& data, ShoppingCommands& commands,
                     Platform& platform)
    : sheet_(sheet), data_(data), commands_(commands), platform_(platform) {
    connect(&sheet, &ProductSheet::noteEdited, this, &SheetEdit::noteEdited);
}

void SheetEdit::fieldEntered(QLineEdit* field) {
    if (tellingRefusal_)
        return;
    field->setModified(false);
}

void SheetEdit::noteEdited(const QString& text) {
    // The refused characters are taken out again, so the note keeps what it held before.
    std::optional<QString> first;
    QString kept;
    kept.reserve(text.size());
    QLineEdit* noteField = sheet_.noteField();
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
    // Told once the key has been handled. While the box is up the note keeps its edit, its
    // text and its cursor: after OK the user types on where the refused character would have
    // gone (what is typed while the box is up goes to the box).
    QMetaObject::invokeMethod(
        this,
        [this, m = *first] {
            tellingRefusal_ = true;
            platform_.error(m);
            tellingRefusal_ = false;
        },
        Qt::QueuedConnection);
}

bool SheetEdit::post() {
    if (posting_)
        return false;
    QLineEdit* const priceField = sheet_.priceField();
    QLineEdit* const periodField = sheet_.periodField();
    QLineEdit* const noteField = sheet_.noteField();
    QLineEdit* const fields[] = {priceField, periodField, noteField};
    bool typed = false;
    for (QLineEdit* f : fields)
        typed = typed || f->isModified();
    if (!typed)
        return false;
    posting_ = true;
    const bool priceTyped = priceField->isModified();
    const bool periodTyped = periodField->isModified();
    const bool noteTyped = noteField->isModified();
    const QString price = priceField->text().trimmed();
    const QString period = periodField->text().trimmed();
    const QString note = noteField->text();
    for (QLineEdit* f : fields)
        f->setModified(false);
    // One step for what was typed, named after the first field of the sheet it changes.
    UndoStep step(data_.history, priceTyped    ? QStringLiteral("Prix")
                                 : periodTyped ? QString::fromUtf8("Délai")
                                               : QStringLiteral("Note"));

    RecordTable& cat = data_.catalogue;
    const RecordTable::Bookmark back = cat.bookmark();
    if (product_ == 0 || !cat.bookmarkValid(product_)) {
        // The product shown is gone (a list read meanwhile): nothing to write to.
        posting_ = false;
        return true;
    }
    // The edit belongs to the product shown while it was typed, even if the cursor has moved
    // since without the focus leaving the sheet.
    const bool moved = back != product_;
    if (moved) {
        cat.disableControls();
        cat.gotoBookmark(product_);
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
            // A stored period beyond the dialog's range (read from a file) stays as it is when
            // it is left unchanged; a new one must lie within the range.
            if (ok && before != days) {
                if (days >= 0 && days <= product_edit::kMaxPeriod) {
                    cat.setInteger(Cat::Duree_rappel, days);
                    changed = true;
                } else {
                    platform_.error(QStringLiteral("ERREUR : La durée du rappel doit être un "
                                                   "nombre entier de jours, de 0 à 9999"));
                }
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
    posting_ = false;
    if (changed) {
        data_.setModified();
        // The list total counts the catalogue prices.
        if (priceChanged)
            commands_.recomputeTotal();
    }
    return true;
}
