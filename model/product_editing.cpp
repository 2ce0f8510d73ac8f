#include "model/product_editing.h"

#include "model/money.h"
#include "model/platform.h"
#include "model/shopping_data.h"
#include "model/shopping_tables.h"
#include "model/text_compare.h"
#include "model/win1252.h"

#include <cmath>

namespace product_edit {

namespace {

FormError fail(const char* utf8, FormField focus) {
    return {QString::fromUtf8(utf8), focus};
}

bool containsFolded(const QStringList& names, QStringView name) {
    for (const QString& n : names)
        if (text::equalFoldAZ(n, name))
            return true;
    return false;
}

// Controls (line breaks, tabulations...) would break the lines of the list file.
bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The list file opens its sections with "[" and cannot hold what Windows-1252 lacks, so such
// names would be lost or would cut the file short when it is read back.
std::optional<FormError> checkCharacters(QStringView name, const char* what, FormField focus) {
    const QString field = QString::fromUtf8(what);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'[' || c == u']')
            return FormError{QString::fromUtf8("ERREUR : Le nom du %1 ne peut pas contenir le "
                                               "caractère « %2 »")
                                 .arg(field, c),
                             focus};
        if (isControl(c.unicode()))
            return FormError{
                QString::fromUtf8("ERREUR : Le nom du %1 contient un caractère de contrôle")
                    .arg(field),
                focus};
        if (!win1252::canStore(c)) {
            QString shown(c);
            if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate())
                shown += name[i + 1];
            return FormError{QString::fromUtf8("ERREUR : Le nom du %1 contient le caractère "
                                               "« %2 », qui ne peut pas être enregistré")
                                 .arg(field, shown),
                             focus};
        }
    }
    return std::nullopt;
}

} // namespace

FormContext formContext(const OrgTree& tree, const RecordTable& catalogue,
                        RecordTable::Bookmark edited) {
    FormContext ctx;
    for (const auto& e : tree.walk()) {
        if (e.depth == 0)
            ctx.sectors << e.node->text;
        else if (e.depth == 1)
            ctx.aisles << e.node->text;
    }
    ctx.catalogue = &catalogue;
    ctx.edited = edited;
    ctx.editing = edited != 0;
    if (edited == 0)
        return ctx;
    // The product edited is mostly the current one.
    if (catalogue.bookmark() == edited) {
        ctx.originalName = RecordTable::textOf(*catalogue.current(), Cat::Produit);
        return ctx;
    }
    for (int p = 0; p < catalogue.recordCount(); ++p)
        if (catalogue.recordAt(p).id == edited) {
            ctx.originalName = RecordTable::textOf(catalogue.recordAt(p), Cat::Produit);
            break;
        }
    return ctx;
}

std::optional<FormError> checkForm(const ProductForm& form, const FormContext& ctx) {
    if (!productNameAcceptable(form.product))
        return fail("ERREUR : Le produit n'est pas renseigné", FormField::Product);

    const QString aisle = form.aisle.trimmed();
    const QString sector = form.sector.trimmed();
    if (aisle.isEmpty())
        return fail("ERREUR : Le rayon n'est pas renseigné", FormField::Aisle);
    if (sector.isEmpty())
        return fail("ERREUR : Le secteur n'est pas renseigné", FormField::Sector);
    if (containsFolded(ctx.aisles, sector))
        return FormError{QString::fromUtf8("ERREUR : Le secteur [") + sector +
                             QString::fromUtf8("] existe déjà en temps que rayon"),
                         FormField::Sector};
    // Sector names and aisle names stay apart: a new aisle may not take a sector's name (an
    // aisle already in the tree is left alone, even where an old file broke the rule).
    if (!containsFolded(ctx.aisles, aisle) && containsFolded(ctx.sectors, aisle))
        return FormError{QString::fromUtf8("ERREUR : Le rayon [") + aisle +
                             QString::fromUtf8("] existe déjà en temps que secteur"),
                         FormField::Aisle};
    // Both new and named alike: the sector would afterwards count as an existing aisle.
    if (text::equalFoldAZ(sector, aisle))
        return FormError{QString::fromUtf8("ERREUR : Le secteur [") + sector +
                             QString::fromUtf8("] porte le même nom que son rayon"),
                         FormField::Sector};

    if (auto e = checkCharacters(form.product, "produit", FormField::Product))
        return e;
    if (auto e = checkCharacters(aisle, "rayon", FormField::Aisle))
        return e;
    if (auto e = checkCharacters(sector, "secteur", FormField::Sector))
        return e;

    // The list links its rows to the catalogue by the exact name, so a second product of the
    // same name could never be told apart. Keeping the name of the edited product is allowed,
    // also where an old file already holds it twice.
    const QString stored = form.product.left(kProductWidth);
    const bool taken = ctx.catalogue && ctx.catalogue->holdsText(Cat::Produit, stored, ctx.edited);
    if (taken && !(ctx.editing && stored == ctx.originalName))
        return FormError{QString::fromUtf8("ERREUR : Le produit [") + form.product +
                             QString::fromUtf8("] existe déjà"),
                         FormField::Product};

    if (!std::isfinite(form.price) || form.price < 0 || form.price > kMaxPrice)
        return fail("ERREUR : Le prix doit être compris entre 0 et 999 999 999,99",
                    FormField::Price);
    if (!form.period || *form.period < 0 || *form.period > kMaxPeriod)
        return fail("ERREUR : La durée du rappel doit être un nombre entier de jours, de 0 à 9999",
                    FormField::Period);
    return std::nullopt;
}

bool productNameAcceptable(QStringView name) {
    return !name.trimmed().isEmpty() && !name.contains(u'?');
}

std::optional<QString> sectorOfAisle(const OrgTree& tree, QStringView aisle) {
    const QStringView key = aisle.trimmed();
    if (key.isEmpty())
        return std::nullopt;
    for (const auto& e : tree.walk())
        if (e.depth == 1 && text::equalFoldAZ(e.node->text, key))
            return e.parent->text;
    return std::nullopt;
}

QString cleanName(QStringView name, int width) {
    return name.trimmed().left(width).trimmed().toString();
}

TreeNodeRef addToTree(OrgTree& tree, const QString& sector, const QString& aisle,
                      std::vector<TreeNodeRef>* added) {
    auto findFolded = [](const std::vector<OrgNode>& nodes, const QString& name) {
        for (size_t i = 0; i < nodes.size(); ++i)
            if (text::equalFoldAZ(nodes[i].text, name))
                return static_cast<int>(i);
        return -1;
    };
    TreeNodeRef ref;
    ref.sector = findFolded(tree.roots(), sector);
    if (ref.sector < 0) {
        ref.sector = tree.addSector(sector);
        if (added)
            added->push_back(TreeNodeRef{ref.sector, -1});
    }
    // The aisle is looked for under its own sector only, so that an aisle is never taken for
    // a sector or filed under another sector.
    auto& children = tree.roots()[static_cast<size_t>(ref.sector)].children;
    ref.aisle = findFolded(children, aisle);
    if (ref.aisle < 0) {
        tree.addAisle(ref.sector, aisle);
        ref.aisle = findFolded(children, aisle);
        if (added)
            added->push_back(ref);
    }
    return ref;
}

std::optional<Accepted> acceptProduct(ShoppingData& data, const ProductForm& form,
                                      RecordTable::Bookmark edited, QDate today) {
    RecordTable& cat = data.catalogue;
    if (edited != 0 && !cat.bookmarkValid(edited))
        return std::nullopt;
    const auto price = Money::fromDouble(form.price);
    if (!price || !form.period || *form.period < 0 || *form.period > kMaxPeriod)
        return std::nullopt;
    const int period = static_cast<int>(*form.period);
    const QString sector = cleanName(form.sector, kSectorWidth);
    const QString aisle = cleanName(form.aisle, kAisleWidth);

    UndoStep step(data.history, edited == 0 ? QStringLiteral("Nouveau produit")
                                            : QStringLiteral("Correction d'un produit"));
    data.selection.sector = sector;
    data.selection.aisle = aisle;
    Accepted done;
    std::vector<TreeNodeRef> added;
    done.node = addToTree(data.tree, sector, aisle, &added);
    for (const TreeNodeRef& node : added)
        data.history.treeNodeAdded(node.sector, node.aisle);

    cat.disableControls();
    // Every record must be reachable: the new number is chosen among all products, and the
    // edited one may be hidden by the filter.
    cat.setFiltered(false);
    data.list.setFiltered(false);
    if (edited == 0) {
        done.id = nextProductId(cat);
        cat.append();
        cat.setText(Cat::color, Flag::NotListed);
        cat.setInteger(Cat::id_prod, done.id);
        cat.setText(Cat::prevu, Flag::No);
    } else {
        // Switching the filter off moved the cursor: go back to the product itself.
        cat.gotoBookmark(edited);
        cat.edit();
        done.id = cat.integer(Cat::id_prod);
    }
    cat.setText(Cat::Secteur, sector);
    cat.setText(Cat::Rayon, aisle);
    cat.setText(Cat::Produit, form.product);
    cat.setText(Cat::Rappel, form.reminder ? Flag::Yes : Flag::No);
    cat.setMoney(Cat::Prix, *price);
    cat.setInteger(Cat::Duree_rappel, period);
    // Puts the due date (last purchase + period) on today.
    cat.setDate(Cat::date_dern_achat, today.addDays(-period));
    cat.post();
    done.record = cat.bookmark();
    data.setModified(true);

    // Back to the shop filter, now on the product's sector or aisle, and to the product. The
    // record itself is sought rather than its number, which an old file may hold twice.
    cat.setFiltered(data.shopFilterOn());
    data.list.setFiltered(data.shopFilterOn());
    cat.gotoBookmark(done.record);
    cat.enableControls();
    return done;
}

QString deleteConfirmationText(const QString& productName) {
    return QStringLiteral("Suppression du produit\r") + productName + QStringLiteral("\r\r") +
           QStringLiteral("Confirmez ?");
}

bool deleteCurrentProduct(ShoppingData& data) {
    UndoStep step(data.history, QStringLiteral("Suppression du produit"));
    if (!data.catalogue.hasCurrent())
        return false;
    data.catalogue.remove();
    data.setModified(true);
    return true;
}

bool confirmAndDeleteProduct(ShoppingData& data, Platform& platform) {
    if (!data.catalogue.hasCurrent())
        return false;
    const QString name = data.catalogue.text(Cat::Produit);
    if (!platform.confirm(deleteConfirmationText(name), QStringLiteral("Confirmation"), true))
        return false;
    return deleteCurrentProduct(data);
}

} // namespace product_edit
