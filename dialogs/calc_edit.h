#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QString>
#include <QValidator>
#include <optional>

class QLabel;

// The arithmetic of the pop-up calculator: numbers typed digit by digit, the four operations
// applied from left to right, "=" and "C".
class CalcEngine {
public:
    // Starts from a number (the field's value), as if it had just been computed.
    void setValue(double v);
    void clear();
    void digit(int d);
    void point();
    // '+', '-', '*' or '/'.
    void operation(char op);
    // Ends the pending operation; false after a division by zero.
    bool equals();

    double value() const { return shown_; }
    bool failed() const { return error_; }
    // The number on the display, with the locale's decimal separator; "Erreur" after a failure.
    QString display(const QLocale& locale) const;

private:
    bool apply();

    double acc_ = 0;   // left operand of the pending operation
    double shown_ = 0; // number on the display
    char op_ = 0;      // pending operation, 0 when none
    QString entry_;    // digits being typed, '.' as decimal point
    bool typing_ = false;
    bool error_ = false;
};

// The calculator that drops down under a CalcEdit. "=" (or Enter) puts the result into the
// field and closes; Escape closes without change.
class CalcPopup : public QFrame {
    Q_OBJECT
public:
    CalcPopup(double start, const QLocale& locale, QWidget* parent = nullptr);

    CalcEngine& engine() { return engine_; }
    // Presses a key of the calculator: "0".."9", ",", "+", "-", "*", "/", "=", "C".
    void press(const QString& key);

signals:
    void resultChosen(double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();

    CalcEngine engine_;
    QLocale locale_;
    QLabel* display_ = nullptr;
};

// Accepts what a price field may hold while typing: digits with group separators, one decimal
// separator ("," or "." alike, when not a group separator), at most 9 digits before it and 15
// after.
class PriceValidator : public QValidator {
    Q_OBJECT
public:
    explicit PriceValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
    // The number a text holds (empty text: 0); nothing when it is not a price text.
    static std::optional<double> parse(const QString& text, const QLocale& locale);
};

// A numeric field with a pop-up calculator (the button at its right end). It shows its value
// with thousands separators and two decimals, also while it has the focus; while typing up to
// 15 decimals are taken, and the value keeps them when the text is shown rounded.
class CalcEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CalcEdit(QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double v);
    // ",0.00" in the field's locale.
    QString formatted(double v) const;

    // The calculator opened by the button, while it is shown.
    CalcPopup* popup() const { return popup_.data(); }

public slots:
    void showCalculator();

signals:
    void valueChanged(double value);

protected:
    void changeEvent(QEvent* event) override;

private:
    void textTyped(const QString& text);
    void reformat();

    double value_ = 0;
    PriceValidator* validator_ = nullptr;
    QPointer<CalcPopup> popup_;
};
