#include "model/drop_rules.h"

#include "model/platform.h"
#include "model/shopping_commands.h"

namespace drop {

namespace {

bool isPanel(Control c) {
    return panelTag(c) != 0;
}
bool isGrid(Control c) {
    return c == Control::CatalogueGrid || c == Control::ListGrid;
}

// The effect of a panel's tag in each family of effects that carry one.
Effect blockRemove(int tag) {
    switch (tag) {
    case 1:
        return Effect::BlockRemove1;
    case 2:
        return Effect::BlockRemove2;
    case 3:
        return Effect::BlockRemove3;
    }
    return Effect::Nothing;
}
Effect blockAdd(int tag) {
    switch (tag) {
    case 1:
        return Effect::BlockAdd1;
    case 2:
        return Effect::BlockAdd2;
    case 3:
        return Effect::BlockAdd3;
    }
    return Effect::Nothing;
}
Effect catalogueState(int tag) {
    switch (tag) {
    case 1:
        return Effect::CatalogueState1;
    case 2:
        return Effect::CatalogueState2;
    case 3:
        return Effect::CatalogueState3;
    }
    return Effect::Nothing;
}
Effect listRowState(int tag) {
    switch (tag) {
    case 1:
        return Effect::ListRowState1;
    case 2:
        return Effect::ListRowState2;
    case 3:
        return Effect::ListRowState3;
    }
    return Effect::Nothing;
}

} // namespace

int panelTag(Control c) {
    switch (c) {
    case Control::Panel1:
        return 1;
    case Control::Panel2:
        return 2;
    case Control::Panel3:
        return 3;
    default:
        return 0;
    }
}

bool canStartDrag(Control source, bool listEmpty) {
    switch (source) {
    case Control::CatalogueGrid:
    case Control::Panel1:
    case Control::Panel2:
    case Control::Panel3:
        return true;
    case Control::ListGrid:
    case Control::Cart:
        return !listEmpty;
    case Control::None:
        break;
    }
    return false;
}

int dragCursor(Control source) {
    switch (source) {
    case Control::CatalogueGrid:
    case Control::Panel1:
    case Control::Panel2:
    case Control::Panel3:
        return 2;
    case Control::ListGrid:
        return 3;
    case Control::Cart:
        return 4;
    case Control::None:
        break;
    }
    return 0;
}

bool accepts(Control target, Control source) {
    if (source == Control::None)
        return false;
    if (isGrid(target) || target == Control::Cart)
        return true;
    if (isPanel(target))
        return isGrid(source) || source == target;
    return false;
}

Effect dropEffect(Control source, Control target) {
    if (source == target || !accepts(target, source))
        return Effect::Nothing;
    const int tag = panelTag(target);
    switch (source) {
    case Control::CatalogueGrid:
        if (target == Control::ListGrid || target == Control::Cart)
            return Effect::AddOne;
        if (tag)
            return catalogueState(tag);
        break;
    case Control::ListGrid:
        if (target == Control::CatalogueGrid || target == Control::Cart)
            return Effect::RemoveOne;
        if (tag)
            return listRowState(tag);
        break;
    case Control::Cart:
        if (target == Control::CatalogueGrid)
            return Effect::EmptyList;
        if (target == Control::ListGrid)
            return Effect::Validate;
        break;
    case Control::Panel1:
    case Control::Panel2:
    case Control::Panel3:
        if (target == Control::CatalogueGrid)
            return blockRemove(panelTag(source));
        if (target == Control::ListGrid || target == Control::Cart)
            return blockAdd(panelTag(source));
        break;
    case Control::None:
        break;
    }
    return Effect::Nothing;
}

int effectTag(Effect e) {
    switch (e) {
    case Effect::BlockRemove1:
    case Effect::BlockAdd1:
    case Effect::CatalogueState1:
    case Effect::ListRowState1:
        return 1;
    case Effect::BlockRemove2:
    case Effect::BlockAdd2:
    case Effect::CatalogueState2:
    case Effect::ListRowState2:
        return 2;
    case Effect::BlockRemove3:
    case Effect::BlockAdd3:
    case Effect::CatalogueState3:
    case Effect::ListRowState3:
        return 3;
    case Effect::Nothing:
    case Effect::AddOne:
    case Effect::RemoveOne:
    case Effect::EmptyList:
    case Effect::Validate:
        break;
    }
    return 0;
}

DropOutcome applyDrop(Effect e, ShoppingCommands& commands, const GestureContext& ctx,
                      Platform& platform) {
    DropOutcome out;
    const int tag = effectTag(e);
    switch (e) {
    case Effect::Nothing:
        break;
    case Effect::AddOne:
        switch (commands.addOne(ctx)) {
        case ShoppingCommands::AddResult::Added:
        case ShoppingCommands::AddResult::Incremented:
            out.changed = true;
            break;
        case ShoppingCommands::AddResult::AtMaximum:
            platform.beep();
            out.beeped = true;
            break;
        case ShoppingCommands::AddResult::Nothing:
            break;
        }
        break;
    case Effect::RemoveOne:
        out.changed = commands.removeOne() != ShoppingCommands::RemoveResult::Nothing;
        break;
    case Effect::EmptyList:
        out.changed = commands.emptyList();
        break;
    case Effect::Validate:
        out.changed = commands.validateAsking(ctx, platform);
        break;
    case Effect::BlockRemove1:
    case Effect::BlockRemove2:
    case Effect::BlockRemove3:
        out.changed = commands.blockRemove(tag) > 0;
        break;
    case Effect::BlockAdd1:
    case Effect::BlockAdd2:
    case Effect::BlockAdd3:
        out.changed = commands.blockAdd(tag, ctx) > 0;
        break;
    case Effect::CatalogueState1:
    case Effect::CatalogueState2:
    case Effect::CatalogueState3:
        out.changed =
            commands.setStateByDrop(tag, ShoppingCommands::StateSource::CatalogueRow, ctx);
        break;
    case Effect::ListRowState1:
    case Effect::ListRowState2:
    case Effect::ListRowState3:
        out.changed = commands.setStateByDrop(tag, ShoppingCommands::StateSource::ListRow, ctx);
        break;
    }
    return out;
}

} // namespace drop
