#include "output/table_walk.h"

#include "model/shopping_data.h"

TableWalk::TableWalk(ShoppingData& data)
    : list_(data.list), catalogue_(data.catalogue), listMark_(data.list.bookmark()),
      catalogueMark_(data.catalogue.bookmark()) {
    list_.disableControls();
    catalogue_.disableControls();
}

TableWalk::~TableWalk() {
    // A record deleted meanwhile cannot be returned to; the cursor then stays where the walk
    // left it.
    if (listMark_ != 0)
        list_.gotoBookmark(listMark_);
    if (catalogueMark_ != 0)
        catalogue_.gotoBookmark(catalogueMark_);
    list_.enableControls();
    catalogue_.enableControls();
}
