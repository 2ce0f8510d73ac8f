#pragma once

#include "model/drop_rules.h"

#include <QString>
#include <QStringView>

// The window's widgets a drag starts from or ends on, by object name: "RxDBGrid1" the
// catalogue grid, "RxDBGrid2" the list grid, "image_chariot" the cart, "cpanel1" to "cpanel3"
// the colour panels. A drag carries its source's object name.
namespace dragControls {

// The control of an object name; None for any other name (the comparison keeps case).
drop::Control fromObjectName(QStringView objectName);
// The object name of a control; empty for None.
QString objectName(drop::Control c);

} // namespace dragControls
