#include "model/list_types.h"

#include "model/shopping_commands.h"
#include "model/shopping_tables.h"

#include <optional>

namespace listtypes {

namespace {

// The current product's number, to come back to it after a walk.
std::optional<qint32> currentId(const RecordTable& t) {
    if (!t.hasCurrent() || t.isNull(Cat::id_prod))
        return std::nullopt;
    return t.integer(Cat::id_prod);
}

void backTo(RecordTable& t, std::optional<qint32> id) {
    if (id)
        t.locate(Cat::id_prod, *id);
}

} // namespace

void renumberProducts(ShoppingData& data) {
    UndoStep step(data.history, QString::fromUtf8("Numérotation des produits"));
    RecordTable& t = data.catalogue;
    const bool wasFiltered = t.filtered();
    t.disableControls();
    t.setFiltered(false);
    qint32 n = 0;
    for (t.first(); !t.eof(); t.next()) {
        t.edit();
        t.setInteger(Cat::id_prod, ++n);
        t.post();
    }
    t.setFiltered(wasFiltered);
    t.first();
    t.enableControls();
    if (n > 0)
        data.setModified();
}

MenuBuild buildMenu(ShoppingData& data, ListTypeFile& file, const WriteList& writeList) {
    MenuBuild out;
    if (!file.exists()) {
        if (!file.create(&out.error)) {
            out.ok = false;
            return out;
        }
        out.created = true;
        data.catalogue.disableControls();
        renumberProducts(data); // sets the modified flag until the list is written
        QString why;
        if (writeList && !writeList(&why))
            out.error = why.isEmpty()
                            ? QStringLiteral("Les produits ont été renumérotés mais la liste n'a "
                                             "pas été enregistrée.")
                            : why;
        data.catalogue.setFiltered(data.shopFilterOn());
        data.catalogue.first();
        data.catalogue.enableControls();
    }
    QString refusal;
    out.names = file.names(&refusal);
    if (!refusal.isEmpty())
        out.error = QStringLiteral("Les listes types n'ont pas été lues :\r\n") + refusal;
    return out;
}

QList<qint32> listedProductIds(ShoppingData& data) {
    RecordTable& t = data.catalogue;
    const std::optional<qint32> here = currentId(t);
    QList<qint32> ids;
    t.disableControls();
    for (t.first(); !t.eof(); t.next())
        if (t.text(Cat::color) == Flag::Listed && !t.isNull(Cat::id_prod))
            ids << t.integer(Cat::id_prod);
    backTo(t, here);
    t.enableControls();
    return ids;
}

SaveResult saveNewListType(ShoppingData& data, ListTypeFile& file, const QString& typedName,
                           QString* error, QString* savedName) {
    if (data.catalogue.isEmpty())
        return SaveResult::EmptyCatalogue;
    const QList<qint32> ids = listedProductIds(data);
    if (ids.isEmpty())
        return SaveResult::NothingListed;
    const QString name = normalListTypeName(typedName);
    if (!validListTypeName(name, error))
        return SaveResult::BadName;
    if (!file.save(name, listTypeValue(ids), error))
        return SaveResult::WriteFailed;
    if (savedName)
        *savedName = name;
    return SaveResult::Saved;
}

int apply(ShoppingData& data, const QString& value, const AddCurrent& add) {
    UndoStep step(data.history, QStringLiteral("Liste-type"));
    RecordTable& t = data.catalogue;
    const std::optional<qint32> here = currentId(t);
    t.disableControls();
    data.list.disableControls();
    t.setFiltered(false);
    data.list.setFiltered(false);
    int count = 0;
    // Walk by position, so that whatever the gesture does to the cursor the walk goes on from
    // the product it just handled.
    for (int pos = 0; pos < t.recordCount(); ++pos) {
        const Record& r = t.recordAt(pos);
        const std::optional<qint32> id = RecordTable::integerOf(r, Cat::id_prod);
        if (!id || !listTypeHas(value, *id))
            continue;
        t.setCurrentPos(pos);
        if (add && add())
            ++count;
    }
    t.setFiltered(data.shopFilterOn());
    data.list.setFiltered(data.shopFilterOn());
    backTo(t, here);
    data.list.enableControls();
    t.enableControls();
    return count;
}

AddCurrent addOneUnit(ShoppingCommands& commands, const GestureContext& ctx) {
    return [&commands, ctx] {
        const ShoppingCommands::AddResult r = commands.addOne(ctx);
        return r == ShoppingCommands::AddResult::Added ||
               r == ShoppingCommands::AddResult::Incremented;
    };
}

QString addedText(int count) {
    return QStringLiteral("Ajout de ") + QString::number(count) + QStringLiteral(" produits");
}

} // namespace listtypes
