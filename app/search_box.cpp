#include "app/search_box.h"

#include <QAbstractItemView>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyle>
#include <algorithm>

namespace {

// Names measured in pixels: the longest by character count. A few suffice, since in one font
// the widest name is nearly always among the longest, and measuring every one of tens of
// thousands of names at each opening would be slow.
constexpr int kMeasured = 16;

} // namespace

SearchBox::SearchBox(QWidget* parent) : QComboBox(parent), items_(new QStringListModel(this)) {
    setModel(items_);
    // Every item is one line of the same font: the list view need not measure them one by one,
    // which with tens of thousands of items would take a noticeable time at each opening.
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);
}

void SearchBox::setItems(const QStringList& items) {
    items_->setStringList(items);
}

int SearchBox::popupWidth() const {
    QList<QString> longest;
    longest.reserve(kMeasured + 1);
    const auto longer = [](const QString& a, const QString& b) { return a.size() > b.size(); };
    // Read from the string list itself: asking the box for each item's text would wrap every
    // name in a variant.
    const QStringList names = items_->stringList();
    for (const QString& text : names) {
        if (longest.size() == kMeasured && text.size() <= longest.back().size())
            continue;
        longest.insert(std::upper_bound(longest.begin(), longest.end(), text, longer), text);
        if (longest.size() > kMeasured)
            longest.removeLast();
    }
    const QFontMetrics metrics = view()->fontMetrics();
    int widest = 0;
    for (const QString& text : longest)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    // The item's padding, the frame and a vertical scroll bar around the text.
    const int margins = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) +
                        2 * view()->frameWidth() + view()->verticalScrollBar()->sizeHint().width() +
                        12;
    int w = std::max(width(), widest + margins);
    if (const QScreen* s = screen())
        w = std::min(w, s->availableGeometry().width());
    return w;
}

void SearchBox::showPopup() {
    emit dropDown();
    view()->setMinimumWidth(popupWidth());
    QComboBox::showPopup();
}
