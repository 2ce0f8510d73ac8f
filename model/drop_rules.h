#pragma once

class Platform;
class ShoppingCommands;
struct GestureContext;

// Drag and drop between the catalogue grid, the list grid, the cart and the three colour
// panels: which control takes what, which cursor a drag shows, and what each drop does.
namespace drop {

// The places a drag starts from or ends on. Which widget is which is the window's business.
enum class Control {
    None, // anything else
    CatalogueGrid,
    ListGrid,
    Cart,
    Panel1, // "Prévu"
    Panel2, // "Rappel"
    Panel3, // "Rappel(+)"
};

// The panel's tag (1 to 3), 0 for the other controls.
int panelTag(Control c);

// Can a left press on the source prepare a drag? The grid of the list and the cart only
// while the list shows a row; the catalogue grid and the panels always.
bool canStartDrag(Control source, bool listEmpty);

// Cursor number shown while dragging from the source: 2 catalogue rows and colour panels,
// 3 list rows, 4 the cart; 0 for anything else.
int dragCursor(Control source);

// Does the target accept a drop of the source? The grids and the cart take a grid row, the
// cart or a panel; a panel takes a row of either grid or itself, never the cart or another
// panel.
bool accepts(Control target, Control source);

enum class Effect {
    Nothing,
    AddOne,       // one unit of the current catalogue product
    RemoveOne,    // one unit less of the current list row
    EmptyList,    // "Annule"
    Validate,     // validation, after its question
    BlockRemove1, // cpanelretire, tags 1 to 3
    BlockRemove2,
    BlockRemove3,
    BlockAdd1, // block add of a colour state, tags 1 to 3
    BlockAdd2,
    BlockAdd3,
    CatalogueState1, // the panel's state set on the current catalogue product
    CatalogueState2,
    CatalogueState3,
    ListRowState1, // the panel's state set on the current list row and its product
    ListRowState2,
    ListRowState3,
};

// What dropping the source on the target does (Nothing when the target refuses it).
Effect dropEffect(Control source, Control target);

// The panel tag an effect works with (1 to 3), 0 for the effects without a panel.
int effectTag(Effect e);

// What the window learns from a drop.
struct DropOutcome {
    bool changed = false; // the data changed (tables, total, marks)
    bool beeped = false;  // the quantity was at its maximum; the platform beeped
};

// Performs a drop's effect on the data. The platform is used for validation's question
// (nothing is validated unless the user answers Yes) and for the beep when a unit cannot be
// added; the rest goes through the commands, so every row of the table works without a
// real drag.
DropOutcome applyDrop(Effect e, ShoppingCommands& commands, const GestureContext& ctx,
                      Platform& platform);

} // namespace drop
