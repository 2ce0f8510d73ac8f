#include "dialogs/list_type_menu.h"

#include "model/text_compare.h"

#include <QAction>
#include <QMenu>

namespace listtypemenu {

QAction* addEntry(QMenu* menu, const QString& name) {
    QString shown = text::foldAZ(name);
    shown.replace(u'&', QStringLiteral("&&"));
    return menu->addAction(shown);
}

QString caption(const QAction* entry) {
    QString t = entry->text();
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(u'&');
    t.replace(u'\x01', u'&');
    return t;
}

int removeEntries(QMenu* menu, const QString& name) {
    const QList<QAction*> all = menu->actions();
    int removed = 0;
    for (qsizetype i = 1; i < all.size(); ++i) {
        QAction* a = all[i];
        if (a->isSeparator() || caption(a) != name)
            continue;
        menu->removeAction(a);
        a->deleteLater();
        ++removed;
    }
    return removed;
}

void clearEntries(QMenu* menu) {
    const QList<QAction*> all = menu->actions();
    bool afterSeparator = false;
    for (QAction* a : all) {
        if (afterSeparator) {
            menu->removeAction(a);
            a->deleteLater();
        } else if (a->isSeparator()) {
            afterSeparator = true;
        }
    }
}

} // namespace listtypemenu
