#include "dialogs/calc_edit.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------- engine

namespace {

constexpr int kMaxDigits = 15;

QString numberText(double v, const QLocale& locale) {
    QString s = QString::number(v, 'g', 15);
    s.replace(u'.', locale.decimalPoint());
    return s;
}

} // namespace

void CalcEngine::setValue(double v) {
    clear();
    shown_ = std::isfinite(v) ? v : 0;
}

void CalcEngine::clear() {
    acc_ = shown_ = 0;
    op_ = 0;
    entry_.clear();
    typing_ = error_ = false;
}

void CalcEngine::digit(int d) {
    if (error_)
        clear();
    if (!typing_) {
        entry_.clear();
        typing_ = true;
    }
    int digits = 0;
    for (QChar c : entry_)
        digits += c.isDigit() ? 1 : 0;
    if (digits >= kMaxDigits)
        return;
    if (entry_ == QStringLiteral("0"))
        entry_.clear();
    entry_ += QChar(u'0' + d);
    shown_ = entry_.toDouble();
}

void CalcEngine::point() {
    if (error_)
        clear();
    if (!typing_) {
        entry_ = QStringLiteral("0");
        typing_ = true;
    }
    if (!entry_.contains(u'.'))
        entry_ += u'.';
}

bool CalcEngine::apply() {
    double r = acc_;
    switch (op_) {
    case '+':
        r = acc_ + shown_;
        break;
    case '-':
        r = acc_ - shown_;
        break;
    case '*':
        r = acc_ * shown_;
        break;
    case '/':
        if (shown_ == 0) {
            error_ = true;
            return false;
        }
        r = acc_ / shown_;
        break;
    default:
        r = shown_;
    }
    if (!std::isfinite(r)) {
        error_ = true;
        return false;
    }
    acc_ = shown_ = r;
    return true;
}

void CalcEngine::operation(char op) {
    if (error_)
        return;
    if (op_ != 0 && typing_) {
        if (!apply())
            return;
    } else if (op_ == 0) {
        acc_ = shown_;
    }
    op_ = op;
    typing_ = false;
}

bool CalcEngine::equals() {
    if (error_)
        return false;
    if (op_ != 0 && !apply())
        return false;
    op_ = 0;
    typing_ = false;
    return true;
}

QString CalcEngine::display(const QLocale& locale) const {
    if (error_)
        return QStringLiteral("Erreur");
    if (typing_) {
        QString s = entry_;
        s.replace(u'.', locale.decimalPoint());
        return s;
    }
    return numberText(shown_, locale);
}

// ---------------------------------------------------------------- pop-up

namespace {

struct KeyDef {
    const char* label; // as shown (UTF-8)
    const char* key;   // as pressed
    int row, column, columnSpan;
};

constexpr int kKeyWidth = 30;
constexpr int kSpacing = 2;

const KeyDef kKeys[] = {
    {"7", "7", 1, 0, 1}, {"8", "8", 1, 1, 1}, {"9", "9", 1, 2, 1}, {"÷", "/", 1, 3, 1},
    {"4", "4", 2, 0, 1}, {"5", "5", 2, 1, 1}, {"6", "6", 2, 2, 1}, {"×", "*", 2, 3, 1},
    {"1", "1", 3, 0, 1}, {"2", "2", 3, 1, 1}, {"3", "3", 3, 2, 1}, {"−", "-", 3, 3, 1},
    {"0", "0", 4, 0, 1}, {",", ",", 4, 1, 1}, {"C", "C", 4, 2, 1}, {"+", "+", 4, 3, 1},
    {"=", "=", 5, 0, 4},
};

} // namespace

CalcPopup::CalcPopup(double start, const QLocale& locale, QWidget* parent)
    : QFrame(parent, Qt::Popup), locale_(locale) {
    setObjectName(QStringLiteral("calculatrice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_WindowPropagation); // the field's font and palette
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    engine_.setValue(start);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(kSpacing);
    display_ = new QLabel(this);
    display_->setObjectName(QStringLiteral("affichage"));
    display_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display_->setMinimumHeight(20);
    display_->setAutoFillBackground(true);
    QPalette pal = display_->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    display_->setPalette(pal);
    grid->addWidget(display_, 0, 0, 1, 4);
    for (const KeyDef& k : kKeys) {
        auto* b = new QPushButton(QString::fromUtf8(k.label), this);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setFixedSize(k.columnSpan * kKeyWidth + (k.columnSpan - 1) * kSpacing, 21);
        const QString key = QString::fromLatin1(k.key);
        connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
        grid->addWidget(b, k.row, k.column, 1, k.columnSpan);
    }
    refresh();
}

void CalcPopup::press(const QString& key) {
    if (key.size() == 1 && key[0].isDigit())
        engine_.digit(key[0].digitValue());
    else if (key == u',' || key == u'.')
        engine_.point();
    else if (key == u'C')
        engine_.clear();
    else if (key == u'=') {
        if (engine_.equals()) {
            emit resultChosen(engine_.value());
            close();
            return;
        }
    } else if (key.size() == 1 && QStringLiteral("+-*/").contains(key))
        engine_.operation(key[0].toLatin1());
    refresh();
}

void CalcPopup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(QStringLiteral("="));
        return;
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Delete:
        press(QStringLiteral("C"));
        return;
    default:
        break;
    }
    const QString t = event->text();
    if (t.size() == 1 && (t[0].isDigit() || QStringLiteral(",.+-*/=").contains(t))) {
        press(t);
        return;
    }
    if (t.compare(QStringLiteral("c"), Qt::CaseInsensitive) == 0) {
        press(QStringLiteral("C"));
        return;
    }
    QFrame::keyPressEvent(event);
}

void CalcPopup::refresh() {
    display_->setText(engine_.display(locale_));
}

// ---------------------------------------------------------------- validator

namespace {

struct Separators {
    QString decimals; // characters taken as the decimal separator
    QString groups;   // characters dropped as group separators
};

Separators separatorsOf(const QLocale& locale) {
    Separators s;
    const QString group = locale.groupSeparator();
    s.decimals = locale.decimalPoint();
    if (group != QStringLiteral(".") && !s.decimals.contains(u'.'))
        s.decimals += u'.';
    s.groups = group + QStringLiteral(" \u00A0\u202F");
    for (QChar c : s.decimals)
        s.groups.remove(c);
    return s;
}

// Digits with at most one decimal separator, after an optional minus sign; the number in C
// form, or nothing.
std::optional<QString> plainNumber(const QString& text, const QLocale& locale, int* intDigits,
                                   int* decimals) {
    const Separators sep = separatorsOf(locale);
    QString out;
    bool seenPoint = false;
    *intDigits = *decimals = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            out += c;
            ++(seenPoint ? *decimals : *intDigits);
        } else if (sep.decimals.contains(c) && !seenPoint) {
            seenPoint = true;
            out += u'.';
        } else if (sep.groups.contains(c) && !seenPoint) {
            continue;
        } else if (c == u'-' && out.isEmpty() && i == 0) {
            out += c;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

} // namespace

QValidator::State PriceValidator::validate(QString& input, int&) const {
    int intDigits = 0, decimals = 0;
    if (!plainNumber(input, locale(), &intDigits, &decimals))
        return Invalid;
    if (intDigits > 9 || decimals > 15)
        return Invalid;
    return Acceptable;
}

std::optional<double> PriceValidator::parse(const QString& text, const QLocale& locale) {
    int intDigits = 0, decimals = 0;
    const auto plain = plainNumber(text, locale, &intDigits, &decimals);
    if (!plain)
        return std::nullopt;
    if (intDigits == 0 && decimals == 0)
        return 0.0; // empty, "-" or "," alone
    bool ok = false;
    const double v = plain->toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// ---------------------------------------------------------------- field

namespace {

// A small pocket calculator: case, display and three rows of keys.
QIcon calculatorIcon() {
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(2, 0, 10, 13);
    p.fillRect(4, 2, 7, 3, QColor(120, 170, 120));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.fillRect(4 + col * 3, 6 + row * 2, 2, 1, QColor(40, 40, 40));
    return QIcon(pm);
}

} // namespace

CalcEdit::CalcEdit(QWidget* parent) : QLineEdit(parent) {
    validator_ = new PriceValidator(this);
    validator_->setLocale(locale());
    setValidator(validator_);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QAction* calc = addAction(calculatorIcon(), QLineEdit::TrailingPosition);
    calc->setObjectName(QStringLiteral("calculatrice"));
    calc->setText(QStringLiteral("Calculatrice"));
    calc->setToolTip(QStringLiteral("Calculatrice"));
    connect(calc, &QAction::triggered, this, &CalcEdit::showCalculator);
    connect(this, &QLineEdit::textEdited, this, &CalcEdit::textTyped);
    connect(this, &QLineEdit::editingFinished, this, &CalcEdit::reformat);
    setText(formatted(0));
}

QString CalcEdit::formatted(double v) const {
    QLocale l = locale();
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    return l.toString(v, 'f', 2);
}

void CalcEdit::setValue(double v) {
    value_ = v;
    setText(formatted(v));
    emit valueChanged(v);
}

void CalcEdit::textTyped(const QString& text) {
    if (const auto v = PriceValidator::parse(text, locale())) {
        value_ = *v;
        emit valueChanged(value_);
    }
}

void CalcEdit::reformat() {
    const QString shown = formatted(value_);
    if (text() != shown)
        setText(shown);
}

void CalcEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        validator_->setLocale(locale());
        reformat();
    }
    QLineEdit::changeEvent(event);
}

void CalcEdit::showCalculator() {
    if (popup_)
        popup_->close();
    popup_ = new CalcPopup(value_, locale(), this);
    connect(popup_, &CalcPopup::resultChosen, this, [this](double v) {
        setValue(v);
        setFocus();
    });
    popup_->adjustSize();
    QPoint at = mapToGlobal(QPoint(width() - popup_->width(), height()));
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - popup_->width())));
        if (at.y() + popup_->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
    }
    popup_->move(at);
    popup_->show();
}
