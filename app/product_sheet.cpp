// The product sheet: its fields laid out, what they accept, and the user's actions told as
// signals.

#include "app/product_sheet.h"

#include "app/window_look.h"
#include "resources/pictures.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QToolButton>
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

QLabel* textLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* field(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedHeight(20);
    return e;
}

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

    strip_ = textLabel(this, "Panel5", QString());
    strip_->setFixedWidth(6);
    strip_->setAlignment(Qt::AlignCenter);
    look::setBackground(strip_, palette().color(QPalette::Button));
    outer->addWidget(strip_);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 1, 0, 1);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    outer->addLayout(grid, 1);

    sector_ = textLabel(this, "DBText1", QString());
    aisle_ = textLabel(this, "DBText2", QString());
    edit_ = new QToolButton(this);
    edit_->setObjectName(QStringLiteral("spd_btn_editprod2"));
    edit_->setIcon(pictures::toolbarIcon(QStringLiteral("editprod")));
    edit_->setIconSize(QSize(12, 12));
    edit_->setAutoRaise(true);
    edit_->setFixedSize(18, 18);
    edit_->setToolTip(QStringLiteral("Editer/modifier un produit"));
    grid->addWidget(sector_, 0, 0, 1, 2);
    grid->addWidget(aisle_, 0, 2, 1, 2);
    grid->addWidget(edit_, 0, 4, Qt::AlignRight);

    planned_ = new QCheckBox(this);
    planned_->setObjectName(QStringLiteral("DBCheckBox1"));
    planned_->setToolTip(QStringLiteral("Prévu"));
    product_ = field(this, "DBEdit1");
    product_->setReadOnly(true);
    QFont bold = product_->font();
    bold.setBold(true);
    product_->setFont(bold);
    grid->addWidget(planned_, 1, 0);
    grid->addWidget(product_, 1, 1, 1, 4);

    // Price: at most six characters, digits with two decimals at most. The validator limits
    // typing; a stored price longer than six characters is still shown whole.
    price_ = field(this, "RxDBCalcEdit1");
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
    grid->addWidget(textLabel(this, "lbl_prix", QStringLiteral("Prix")), 2, 0);
    grid->addWidget(price_, 2, 1);
    grid->addWidget(reminder_, 2, 2);
    grid->addWidget(date_, 2, 3, 1, 2);

    // Period: whole days, 0 to 9999, as in the product dialog.
    period_ = field(this, "DBEdit3");
    period_->setFixedWidth(52);
    period_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    period_->setValidator(new PatternValidator(QStringLiteral("\\d{0,4}"), period_));
    period_->setMaxLength(4);
    note_ = field(this, "DBEdit2");
    note_->setMaxLength(60);
    grid->addWidget(textLabel(this, "lbl_delai", QStringLiteral("Délai")), 3, 0);
    grid->addWidget(period_, 3, 1);
    grid->addWidget(textLabel(this, "lbl_note", QStringLiteral("Note")), 3, 2,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(note_, 3, 3, 1, 2);
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
        return false;
    }
    QLineEdit* f = typingField(watched);
    if (!f)
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
