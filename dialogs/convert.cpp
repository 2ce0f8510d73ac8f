#include "dialogs/convert.h"

#include "model/currency_converter.h"
#include "model/shopping_data.h"
#include "model/shopping_tables.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

QLabel* line(QWidget* parent, const char* name, int y, int height) {
    auto* l = new QLabel(QStringLiteral("-"), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(0, y, Tfrm_convert::kWidth, height);
    l->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(true);
    l->setFont(f);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80)); // navy
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    return l;
}

} // namespace

Tfrm_convert::Tfrm_convert(QWidget* mainWindow, const RegionalSettings& regional, double euroRate,
                           std::function<ConverterInputs()> source)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      regional_(regional), euroRate_(euroRate), source_(std::move(source)) {
    setObjectName(QStringLiteral("frm_convert"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(converter::caption(converter::modeFor(regional_.currencySymbol())));
    setFixedSize(kWidth, kHeight);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    setPalette(p);
    setAutoFillBackground(true);

    Label1 = line(this, "Label1", 0, 14);
    Label2 = line(this, "Label2", 14, 13);
    DBEdit1 = new QLineEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit1->setReadOnly(true);
    DBEdit1->hide();
    connect(DBEdit1, &QLineEdit::textChanged, this, &Tfrm_convert::DBEdit1Change);

    if (mainWindow) {
        const QRect g = mainWindow->frameGeometry();
        move(g.left() + g.width() - 143, g.top() + 20);
    }
}

std::function<ConverterInputs()> Tfrm_convert::sourceFor(const ShoppingData& data,
                                                         const RegionalSettings& regional,
                                                         std::function<QString()> totalText) {
    return [&data, regional, totalText = std::move(totalText)] {
        ConverterInputs in;
        const RecordTable& t = data.catalogue;
        if (t.hasCurrent() && !t.isNull(Cat::Prix)) {
            in.price = t.money(Cat::Prix);
            in.priceText = regional.formatMoney(in.price, 2);
        }
        in.total = data.total().price;
        in.totalText = totalText ? totalText() : regional.formatMoney(in.total, 2);
        return in;
    };
}

void Tfrm_convert::follow(RecordTable& catalogue) {
    connect(&catalogue, &RecordTable::currentChanged, this, &Tfrm_convert::refresh);
    connect(&catalogue, &RecordTable::recordChanged, this, &Tfrm_convert::refresh);
    connect(&catalogue, &RecordTable::reset, this, &Tfrm_convert::refresh);
}

void Tfrm_convert::refresh() {
    if (!source_)
        return;
    // Setting the same text again does not signal: moving between products of the same price
    // does not recompute.
    DBEdit1->setText(source_().priceText);
}

void Tfrm_convert::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    refresh(); // the text goes from empty to the current price
}

void Tfrm_convert::DBEdit1Change() {
    const converter::Mode mode = converter::modeFor(regional_.currencySymbol());
    setWindowTitle(converter::caption(mode));
    if (DBEdit1->text().isEmpty()) {
        // No current product any more: nothing to convert.
        Label1->setText(QStringLiteral("-"));
        Label2->setText(QStringLiteral("-"));
        return;
    }
    const ConverterInputs in = source_ ? source_() : ConverterInputs{};
    const converter::Lines l = converter::compute(DBEdit1->text(), in.price, in.totalText, in.total,
                                                  euroRate_, regional_, Label2->text());
    Label1->setText(l.price);
    Label2->setText(l.total);
}

void Tfrm_convert::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    if (e->isAccepted())
        emit closed();
}
