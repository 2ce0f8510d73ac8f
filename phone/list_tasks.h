#pragma once

#include "phone/shopping_task.h"

#include <QList>

class ShoppingData;

// The tasks of the list rows the shop filter shows, in the printed list's order (sector, aisle
// and product compared without case): quantity, shop and aisle from the row, unit price (when
// above zero) and note from the catalogue product of the same name that the filter shows, the
// rank in that order as sort order.
QList<ShoppingTask> tasksFromList(const ShoppingData& data);
