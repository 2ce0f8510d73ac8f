// The keys of the shopping cycle, the search box and the menu.

#include "app/shopping_keys.h"

QList<QKeySequence> shoppingKeys(ShoppingKey which) {
    using K = QKeySequence;
    switch (which) {
    case ShoppingKey::AddOne:
        return {K(Qt::Key_Plus), K(Qt::KeypadModifier | Qt::Key_Plus), K(Qt::Key_Insert)};
    case ShoppingKey::RemoveOne:
        return {K(Qt::Key_Minus), K(Qt::KeypadModifier | Qt::Key_Minus)};
    case ShoppingKey::EmptyList:
        return {K(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)};
    case ShoppingKey::Validate:
        return {K(Qt::CTRL | Qt::Key_Return),
                K(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))};
    case ShoppingKey::Total:
        return {K(Qt::Key_F9)};
    case ShoppingKey::Planned:
        return {K(Qt::Key_F7)};
    case ShoppingKey::Reminder:
        return {K(Qt::Key_F8)};
    case ShoppingKey::PlannedBlock:
        return {K(Qt::CTRL | Qt::Key_1)};
    case ShoppingKey::ReminderBlock:
        return {K(Qt::CTRL | Qt::Key_2)};
    case ShoppingKey::WindowBlock:
        return {K(Qt::CTRL | Qt::Key_3)};
    case ShoppingKey::SwitchGrid:
        return {K(Qt::Key_F6), K(Qt::SHIFT | Qt::Key_F6)};
    case ShoppingKey::Search:
        return {K(Qt::CTRL | Qt::Key_F)};
    case ShoppingKey::Menu:
        return {K(Qt::Key_F10)};
    }
    return {};
}
