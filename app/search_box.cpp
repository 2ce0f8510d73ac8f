#include "app/search_box.h"

SearchBox::SearchBox(QWidget* parent) : QComboBox(parent) {}

void SearchBox::showPopup() {
    emit dropDown();
    QComboBox::showPopup();
}
