// The product sheet's own edits: price, period and note typed in (posted when the field is
// left), the planned and reminder boxes, and the reminder date chosen in the date picker.

#include "app/main_window.h"

#include "app/event_relay.h"
#include "model/platform.h"
#include "model/product_editing.h"
#include "model/win1252.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QRegularExpression>
#include <QValidator>
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

// Takes exactly the texts a pattern matches whole: every keystroke that would leave anything
// else is refused (a regular-expression validator lets partial matches through).
class PatternValidator : public QValidator {
public:
    PatternValidator(const QString& pattern, QObject* parent)
        : QValidator(parent), pattern_(QRegularExpression::anchoredPattern(pattern)) {}

    State validate(QString& input, int&) const override {
        return pattern_.match(input).hasMatch() ? Acceptable : Invalid;
    }

private:
    QRegularExpression pattern_;
};

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
    auto* relay = static_cast<EventRelay*>(shoppingEvents_.get());

    // Price: at most six characters, digits with two decimals at most.
    const QString separator = QRegularExpression::escape(platform_.regional().decimalSeparator());
    RxDBCalcEdit1->setValidator(new PatternValidator(
        QStringLiteral("(?=.{0,6}$)\\d*([.,%1]\\d{0,2})?").arg(separator), RxDBCalcEdit1));
    // The validator limits typing; a stored price longer than six characters is still shown
    // whole.
    RxDBCalcEdit1->setMaxLength(32767);
    // Period: whole days, 0 to 9999, as in the product dialog.
    DBEdit3->setValidator(new PatternValidator(QStringLiteral("\\d{0,4}"), DBEdit3));
    DBEdit3->setMaxLength(4);
    connect(DBEdit2, &QLineEdit::textEdited, this, &Tfrm_main::DBEdit2Change);
    for (QLineEdit* field : {RxDBCalcEdit1, DBEdit3, DBEdit2}) {
        field->setReadOnly(false);
        field->setFocusPolicy(Qt::StrongFocus);
        relay->watch(field);
    }

    // The boxes change their product on a click only: they never take the focus, so a Tab
    // through the sheet passes them by.
    for (QCheckBox* box : {DBCheckBox1, DBCheckBox5})
        box->setFocusPolicy(Qt::NoFocus);
    connect(DBCheckBox1, &QCheckBox::clicked, this, &Tfrm_main::DBCheckBox1Enter);
    connect(DBCheckBox5, &QCheckBox::clicked, this, &Tfrm_main::DBCheckBox5Enter);

    // The date picker: a date chosen in its calendar, or typed and left.
    DateTimePicker1->setReadOnly(false);
    DateTimePicker1->setFocusPolicy(Qt::StrongFocus);
    if (QCalendarWidget* calendar = DateTimePicker1->calendarWidget()) {
        connect(calendar, &QCalendarWidget::clicked, this, &Tfrm_main::DateTimePicker1CloseUp);
        connect(calendar, &QCalendarWidget::activated, this, &Tfrm_main::DateTimePicker1CloseUp);
    }
    relay->watch(DateTimePicker1);
}

bool Tfrm_main::sheetEvent(QObject* watched, QEvent* event) {
    if (watched == DateTimePicker1) {
        if (event->type() == QEvent::FocusOut)
            DateTimePicker1Exit();
        return false;
    }
    QLineEdit* field = nullptr;
    for (QLineEdit* f : {RxDBCalcEdit1, DBEdit3, DBEdit2})
        if (watched == f)
            field = f;
    if (!field)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        DBEdit2Enter(field);
        break;
    case QEvent::FocusOut:
        DBEdit2Exit(field);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            endSheetEdit();
            return true;
        }
        if (key == Qt::Key_Escape && field->isModified()) {
            // Escape gives up what was typed in the field.
            field->setModified(false);
            showProduct();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
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
    const int typedCursor = DBEdit2->cursorPosition();
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
    DBEdit2->setText(kept);
    DBEdit2->setCursorPosition(std::max(cursor, 0));
    DBEdit2->setModified(true);
    // Told once the key has been handled.
    QMetaObject::invokeMethod(
        this, [this, m = *first] { platform_.error(m); }, Qt::QueuedConnection);
}

void Tfrm_main::endSheetEdit() {
    if (endingSheetEdit_)
        return;
    QLineEdit* const fields[] = {RxDBCalcEdit1, DBEdit3, DBEdit2};
    bool typed = false;
    for (QLineEdit* f : fields)
        typed = typed || f->isModified();
    if (!typed)
        return;
    endingSheetEdit_ = true;
    const bool priceTyped = RxDBCalcEdit1->isModified();
    const bool periodTyped = DBEdit3->isModified();
    const bool noteTyped = DBEdit2->isModified();
    const QString price = RxDBCalcEdit1->text().trimmed();
    const QString period = DBEdit3->text().trimmed();
    const QString note = DBEdit2->text();
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
    RxDBGrid1->setFocus();
    showProduct(); // the box shows the flag as stored, also when nothing could change
}

void Tfrm_main::DBCheckBox5Enter() {
    endSheetEdit();
    commands_.toggleReminder();
    RxDBGrid1->setFocus();
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
    if (DateTimePicker1->date() != shown)
        DateTimePicker1CloseUp(DateTimePicker1->date());
}
