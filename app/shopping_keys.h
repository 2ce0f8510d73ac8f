#pragma once

#include <QKeySequence>
#include <QList>

// Keys of the shopping cycle, the search box and the menu, which act from anywhere in the main
// window; the first of each is the one shown in tool tips.
enum class ShoppingKey {
    AddOne,        // ">"
    RemoveOne,     // "<"
    EmptyList,     // "Annule"
    Validate,      // "Valide"
    Total,         // "Total"
    Planned,       // the planned box of the current product
    Reminder,      // its reminder box
    PlannedBlock,  // block add of each colour state
    ReminderBlock, //
    WindowBlock,   //
    SwitchGrid,    // catalogue or list
    Search,        // the search box
    Menu,          // the first menu
};

QList<QKeySequence> shoppingKeys(ShoppingKey which);
