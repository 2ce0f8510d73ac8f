// The product sheet: its fields laid out, what they accept, and the user's actions told as
// signals.

#include "app/product_sheet.h"

#include "app/window_look.h"
#include "resources/pictures.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

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

} // namespace

ProductSheet::ProductSheet(const QString& decimalSeparator, const QString& dateFormat,
                           QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("Panel7"));
    setFixedHeight(96);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(1, 1, 2, 1);
    outer->setSpacing(3);

    strip_ = look::namedLabel(this, "Panel5", QString());
    strip_->setFixedWidth(6);
    strip_->setAlignment(Qt::AlignCenter);
    look::setBackground(strip_, palette().color(QPalette::Button));
    outer->addWidget(strip_);

    // The sector and aisle names stand in a row of their own: in the grid below, their
    // lengths would widen its columns and move the fields from product to product.
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 1, 0, 1);
    column->setSpacing(2);
    outer->addLayout(column, 1);
    auto* names = new QHBoxLayout;
    names->setSpacing(3);
    column->addLayout(names);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    column->addLayout(grid, 1);

    sector_ = look::namedLabel(this, "DBText1", QString());
    aisle_ = look::namedLabel(this, "DBText2", QString());
    edit_ = new QToolButton(this);
    edit_->setObjectName(QStringLiteral("spd_btn_editprod2"));
    edit_->setIcon(pictures::toolbarIcon(QStringLiteral("editprod")));
    edit_->setIconSize(QSize(12, 12));
    edit_->setAutoRaise(true);
    edit_->setFixedSize(18, 18);
    edit_->setToolTip(QStringLiteral("Editer/modifier un produit"));
    for (QLabel* l : {sector_, aisle_})
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    names->addWidget(sector_, 1);
    names->addWidget(aisle_, 1);
    names->addWidget(edit_, 0, Qt::AlignRight);

    planned_ = new QCheckBox(this);
    planned_->setObjectName(QStringLiteral("DBCheckBox1"));
    planned_->setToolTip(QStringLiteral("Prévu"));
    product_ = look::field(this, "DBEdit1");
    product_->setReadOnly(true);
    QFont bold = product_->font();
    bold.setBold(true);
    product_->setFont(bold);
    grid->addWidget(planned_, 0, 0);
    grid->addWidget(product_, 0, 1, 1, 3);

    // Price: at most six characters, digits with two decimals at most. The validator limits
    // typing; a stored price longer than six characters is still shown whole.
    price_ = look::field(this, "RxDBCalcEdit1");
    price_->setFixedWidth(52);
    price_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QString separator = QRegularExpression::escape(decimalSeparator);
    price_->setValidator(new PatternValidator(
        QStringLiteral("(?=.{0,6}$)\\d*([.,%1]\\d{0,2})?").arg(separator), price_));
    reminder_ = new QCheckBox(QStringLiteral("Rappel le"), this);
    reminder_->setObjectName(QStringLiteral("DBCheckBox5"));
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("DateTimePicker1"));
    date_->setCalendarPopup(true);
    date_->setFixedHeight(20);
    // The calendar names its months and days in French whatever the regional settings; the
    // date itself keeps their short format.
    date_->setLocale(QLocale(QLocale::French, QLocale::France));
    date_->setDisplayFormat(dateFormat);
    // "Rappel le" is never cut: the date picker gives up width first, down to its button.
    reminder_->setSizePolicy(QSizePolicy::Minimum, reminder_->sizePolicy().verticalPolicy());
    date_->setMinimumWidth(20);
    grid->addWidget(look::namedLabel(this, "lbl_prix", QStringLiteral("Prix")), 1, 0);
    grid->addWidget(price_, 1, 1);
    grid->addWidget(reminder_, 1, 2);
    grid->addWidget(date_, 1, 3);

    // Period: whole days typed, as in the product dialog. A stored period is shown whole,
    // whatever the file held (the 16-bit field goes from -32768 to 32767).
    period_ = look::field(this, "DBEdit3");
    period_->setFixedWidth(52);
    period_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    period_->setValidator(new PatternValidator(QStringLiteral("\\d{0,5}"), period_));
    period_->setMaxLength(6);
    note_ = look::field(this, "DBEdit2");
    note_->setMaxLength(60);
    grid->addWidget(look::namedLabel(this, "lbl_delai", QStringLiteral("Délai")), 2, 0);
    grid->addWidget(period_, 2, 1);
    grid->addWidget(look::namedLabel(this, "lbl_note", QStringLiteral("Note")), 2, 2,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(note_, 2, 3);
    grid->setColumnStretch(3, 1);

    connect(edit_, &QToolButton::clicked, this, &ProductSheet::editProductClicked);
    connect(note_, &QLineEdit::textEdited, this, &ProductSheet::noteEdited);
    for (QLineEdit* f : {price_, period_, note_}) {
        f->setFocusPolicy(Qt::StrongFocus);
        f->installEventFilter(this);
    }

    // The boxes change their product on a click only: they never take the focus, so a Tab
    // through the sheet passes them by.
    for (QCheckBox* box : {planned_, reminder_})
        box->setFocusPolicy(Qt::NoFocus);
    connect(planned_, &QCheckBox::clicked, this, &ProductSheet::plannedClicked);
    connect(reminder_, &QCheckBox::clicked, this, &ProductSheet::reminderClicked);

    // The date picker: a date chosen in its calendar, or typed and left.
    date_->setFocusPolicy(Qt::StrongFocus);
    if (QCalendarWidget* calendar = date_->calendarWidget()) {
        connect(calendar, &QCalendarWidget::clicked, this, &ProductSheet::dateChosen);
        connect(calendar, &QCalendarWidget::activated, this, &ProductSheet::dateChosen);
    }
    date_->installEventFilter(this);
    linkLabels();
}

void ProductSheet::linkLabels() {
    const struct {
        const char* label;
        QWidget* field;
    } linked[] = {{"lbl_prix", price_}, {"lbl_delai", period_}, {"lbl_note", note_}};
    for (const auto& l : linked)
        if (auto* label = findChild<QLabel*>(QString::fromLatin1(l.label)))
            label->setBuddy(l.field);
    // The others show no label of their own: a picture, a box without text, a colour.
    edit_->setAccessibleName(edit_->toolTip());
    planned_->setAccessibleName(QStringLiteral("Prévu"));
    product_->setAccessibleName(QStringLiteral("Produit"));
    date_->setAccessibleName(QStringLiteral("Date du rappel"));
    strip_->setAccessibleName(QStringLiteral("État du produit"));
}

void ProductSheet::showContent(const Content& c) {
    sector_->setText(c.sector);
    aisle_->setText(c.aisle);
    product_->setText(c.product);
    product_->setCursorPosition(0);
    planned_->setChecked(c.planned);
    reminder_->setChecked(c.reminder);
    price_->setText(c.price);
    period_->setText(c.period);
    note_->setText(c.note);
    note_->setCursorPosition(0);
    look::setBackground(strip_, c.strip);
    strip_->setText(c.stripCaption);
    date_->setSpecialValueText(QString());
    // The strip is too narrow for words: its tool tip names the state its colour shows.
    strip_->setToolTip(c.stripState);
    strip_->setAccessibleDescription(c.stripState.isEmpty() ? QStringLiteral("Aucun")
                                                            : c.stripState);
    date_->setDateRange(c.earliest, c.latest);
    date_->setDate(c.date);
}

void ProductSheet::showNothing(const QColor& stripColour) {
    for (QLabel* l : {sector_, aisle_, strip_})
        l->clear();
    for (QLineEdit* e : {product_, price_, period_, note_})
        e->clear();
    planned_->setChecked(false);
    reminder_->setChecked(false);
    look::setBackground(strip_, stripColour);
    // No product, no date: the picker shows a blank, its lowest date standing for none.
    date_->setSpecialValueText(QStringLiteral(" "));
    date_->setDate(date_->minimumDate());
}

void ProductSheet::setEditProductEnabled(bool on) {
    edit_->setEnabled(on);
}

void ProductSheet::setNameBackground(const QColor& colour) {
    look::setBackground(product_, colour);
}

QDate ProductSheet::pickedDate() const {
    return date_->date();
}

QLineEdit* ProductSheet::typingField(QObject* watched) const {
    for (QLineEdit* f : {price_, period_, note_})
        if (watched == f)
            return f;
    return nullptr;
}

bool ProductSheet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == date_) {
        if (event->type() == QEvent::FocusOut)
            emit dateLeft();
        // The wheel does not turn the date: a wheel passing over the sheet would otherwise
        // change a reminder unseen. The calendar and typing choose the date.
        if (event->type() == QEvent::Wheel)
            return true;
        return false;
    }
    QLineEdit* f = typingField(watched);
    if (!f)
        return false;
    // Another window taking the focus for a while (a message box, another program) neither
    // leaves the field nor enters it again: the edit, its text and its cursor go on after it.
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        emit fieldEntered(f);
        break;
    case QEvent::FocusOut:
        emit fieldLeft(f);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit editConfirmed();
            return true;
        }
        if (key == Qt::Key_Escape && f->isModified()) {
            // Escape gives up what was typed in the field.
            f->setModified(false);
            emit editAbandoned();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}
