#include "app/search_box.h"

#include <QListView>
#include <QStringListModel>

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

void SearchBox::showPopup() {
    emit dropDown();
    QComboBox::showPopup();
}
