// The list footer and its two arrangements.

#include "app/list_footer.h"

#include "app/search_box.h"
#include "app/window_look.h"
#include "model/shopping_data.h"

#include <QEvent>
#include <QGridLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <algorithm>

namespace {

// Widths of the wide arrangement, as designed.
constexpr int kTotalButtonWidth = 44;
constexpr int kTotalMinimumWidth = 60;
constexpr int kCountWidth = 40;
constexpr int kSearchMinimumWidth = 100; // the search box is 100 to 160 px wide
constexpr int kSearchMaximumWidth = 160;
// What an elided text keeps at least: a few characters and the ellipsis.
constexpr int kElidedMinimumWidth = 30;

// A text that does not fit is drawn elided; the tool tip then shows it whole.
bool showWholeText(QWidget* w, const QString& text, bool elided, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !elided || !w->toolTip().isEmpty())
        return false;
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, w);
    return true;
}

class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override {
        return {kElidedMinimumWidth, QLabel::minimumSizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!elided()) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter p(this);
        drawFrame(&p);
        const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        style()->drawItemText(&p, r, alignment(), palette(), isEnabled(),
                              fontMetrics().elidedText(text(), Qt::ElideRight, r.width()),
                              foregroundRole());
    }
    bool event(QEvent* event) override {
        return showWholeText(this, text(), elided(), event) || QLabel::event(event);
    }

private:
    bool elided() const {
        return fontMetrics().horizontalAdvance(text()) > contentsRect().width() - 2 * margin();
    }
};

// A read-only field whose text, when it does not fit, ends in an ellipsis instead of being cut.
class ElidingField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override {
        const QRect r = textRect();
        if (fontMetrics().horizontalAdvance(text()) <= r.width()) {
            QLineEdit::paintEvent(event);
            return;
        }
        QPainter p(this);
        QStyleOptionFrame option;
        initStyleOption(&option);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, this);
        p.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
    }
    bool event(QEvent* event) override {
        const bool elided = fontMetrics().horizontalAdvance(text()) > textRect().width();
        return showWholeText(this, text(), elided, event) || QLineEdit::event(event);
    }

private:
    QRect textRect() const {
        QStyleOptionFrame option;
        initStyleOption(&option);
        // The line edit keeps 2 px on each side of its text.
        return style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, this)
            .marginsRemoved(textMargins())
            .adjusted(2, 0, -2, 0);
    }
};

// Widths of the narrow arrangement's total row: the button as wide as its word, the price and the
// count as a total of a few hundred euros and of a few hundred units need.
int narrowButtonWidth(const QFontMetrics& fm, const QString& text) {
    return fm.horizontalAdvance(text) + 12;
}
int narrowPriceWidth(const QFontMetrics& fm) {
    return fm.horizontalAdvance(QStringLiteral("999,99 €")) + 10;
}
int narrowCountWidth(const QFontMetrics& fm) {
    return fm.horizontalAdvance(QStringLiteral("999")) + 10;
}

QLineEdit* readOnlyField(QLineEdit* e, const char* name, const QString& text) {
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedHeight(20);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setText(text);
    return e;
}

} // namespace

ListFooter::ListFooter(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel2"));
    setFixedHeight(96);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    // The wide arrangement is a grid; the narrow one is placed by hand (placeNarrow).
    grid_ = new QGridLayout(this);
    grid_->setSizeConstraint(QLayout::SetNoConstraint);
    grid_->setContentsMargins(4, 3, 4, 3);
    grid_->setHorizontalSpacing(4);
    grid_->setVerticalSpacing(3);
    grid_->setColumnStretch(2, 1);
    grid_->setRowStretch(3, 1);

    search_ = new SearchBox(this);
    search_->setObjectName(QStringLiteral("cbb_rech"));
    search_->setEditable(true);
    search_->setInsertPolicy(QComboBox::NoInsert);
    search_->setMinimumWidth(kSearchMinimumWidth);
    search_->setMaximumWidth(kSearchMaximumWidth);
    search_->setFixedHeight(21);
    search_->setEditText(QStringLiteral("Recherche"));
    listLabel_ = new ElidingLabel(QStringLiteral("Liste complète"), this);
    listLabel_->setObjectName(QStringLiteral("lbl_eliste"));
    listLabel_->setAlignment(Qt::AlignCenter);
    listLabel_->setFixedHeight(19);

    total_ = new QPushButton(QStringLiteral("Total"), this);
    total_->setObjectName(QStringLiteral("btn_total"));
    totalPrice_ = readOnlyField(new QLineEdit(this), "edt_total", QStringLiteral("0"));
    count_ = readOnlyField(new QLineEdit(this), "edt_tot_nbre", QStringLiteral("0"));

    validatedLabel_ =
        look::namedLabel(this, "lbl_dern_liste", QStringLiteral("Dern. liste\nvalidée le"));
    validation_ = readOnlyField(new ElidingField(this), "edt_date_vali",
                                ShoppingData::initialValidationText());
    QFont bold = validation_->font();
    bold.setBold(true);
    validation_->setFont(bold);
    look::setFieldTextColour(validation_, Qt::red);
    arrange();
}

int ListFooter::wideWidth() const {
    const int row0 = kSearchMinimumWidth + 4 + kElidedMinimumWidth;
    const int row1 = kTotalButtonWidth + 4 + kTotalMinimumWidth + 4 + kCountWidth;
    const int row2 = validatedLabel_->sizeHint().width() + 4 + kTotalMinimumWidth;
    return 2 * frameWidth() + 8 + std::max({row0, row1, row2});
}

QSize ListFooter::minimumSizeHint() const {
    const QFontMetrics fm = fontMetrics();
    const int row2 =
        narrowButtonWidth(fm, total_->text()) + 2 + narrowPriceWidth(fm) + 2 + narrowCountWidth(fm);
    const int row3 = validatedLabel_->sizeHint().width() + 2 + kElidedMinimumWidth;
    return {2 * frameWidth() + 4 + std::max({kSearchMinimumWidth, row2, row3}), 96};
}

void ListFooter::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if ((width() < wideWidth()) != narrow_)
        arrange();
    else if (narrow_)
        placeNarrow();
}

void ListFooter::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        arrange();
        updateGeometry();
    }
}

void ListFooter::arrange() {
    narrow_ = width() < wideWidth();
    const QList<QWidget*> controls{search_, listLabel_,      total_,     totalPrice_,
                                   count_,  validatedLabel_, validation_};
    for (QWidget* w : controls)
        grid_->removeWidget(w);
    if (narrow_) {
        placeNarrow();
        return;
    }
    // Three rows: search box and list label; total; last validation.
    total_->setFixedSize(kTotalButtonWidth, 21);
    totalPrice_->setMinimumWidth(kTotalMinimumWidth);
    count_->setFixedWidth(kCountWidth);
    grid_->addWidget(search_, 0, 0, 1, 2);
    grid_->addWidget(listLabel_, 0, 2, 1, 2);
    grid_->addWidget(total_, 1, 0);
    grid_->addWidget(totalPrice_, 1, 1, 1, 2);
    grid_->addWidget(count_, 1, 3);
    grid_->addWidget(validatedLabel_, 2, 0);
    grid_->addWidget(validation_, 2, 1, 1, 3);
    grid_->invalidate();
}

void ListFooter::placeNarrow() {
    // Four rows, one below the other with 1 px between them: the search box alone, the list
    // label, the total (button, price, count), the last validation (label, date).
    const QFontMetrics fm = fontMetrics();
    const QRect r = contentsRect().adjusted(2, 1, -2, -1);
    int y = r.top();
    search_->setGeometry(r.left(), y,
                         std::clamp(r.width(), kSearchMinimumWidth, kSearchMaximumWidth), 21);
    y += 21 + 1;
    listLabel_->setGeometry(r.left(), y, r.width(), 19);
    y += 19 + 1;
    const int button = narrowButtonWidth(fm, total_->text());
    const int count = narrowCountWidth(fm);
    total_->setFixedSize(button, 21);
    count_->setFixedWidth(count);
    totalPrice_->setMinimumWidth(0);
    total_->move(r.left(), y);
    totalPrice_->setGeometry(r.left() + button + 2, y, r.width() - button - count - 4, 20);
    count_->move(r.right() + 1 - count, y);
    y += 21 + 1;
    const int label = validatedLabel_->sizeHint().width();
    validatedLabel_->setGeometry(r.left(), y, label, r.bottom() + 1 - y);
    validation_->setGeometry(r.left() + label + 2, y + (r.bottom() + 1 - y - 20) / 2,
                             r.width() - label - 2, 20);
}
