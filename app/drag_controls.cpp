#include "app/drag_controls.h"

namespace dragControls {

drop::Control fromObjectName(QStringView objectName) {
    using drop::Control;
    if (objectName == u"RxDBGrid1")
        return Control::CatalogueGrid;
    if (objectName == u"RxDBGrid2")
        return Control::ListGrid;
    if (objectName == u"image_chariot")
        return Control::Cart;
    if (objectName == u"cpanel1")
        return Control::Panel1;
    if (objectName == u"cpanel2")
        return Control::Panel2;
    if (objectName == u"cpanel3")
        return Control::Panel3;
    return Control::None;
}

QString objectName(drop::Control c) {
    using drop::Control;
    switch (c) {
    case Control::CatalogueGrid:
        return QStringLiteral("RxDBGrid1");
    case Control::ListGrid:
        return QStringLiteral("RxDBGrid2");
    case Control::Cart:
        return QStringLiteral("image_chariot");
    case Control::Panel1:
        return QStringLiteral("cpanel1");
    case Control::Panel2:
        return QStringLiteral("cpanel2");
    case Control::Panel3:
        return QStringLiteral("cpanel3");
    case Control::None:
        break;
    }
    return QString();
}

} // namespace dragControls
