#pragma once

// The main window on the example list shipped with the program, shown on the offscreen screen,
// on a fixed day, with helpers to find its products and rows.
//
// On the 9th of December 2026, with the default tolerance (Coef_delai 3), the example holds:
// planned products (Farine de blé T55, Chocolat noir, Beurre doux, Champagne, Bûche de Noël,
// Clémentines, Huîtres), due reminders (Papier toilette x12, Doliprane) and reminders inside
// their window (Café moulu, Dentifrice, Lessive, Croquettes chat). Six products are listed:
// Pain de campagne 1, Lait 2, Café 1, Papier toilette 1, Pommes Golden 3, Doliprane 1, a
// total of 23,50 for 9 units.

#include "main_window_fixture.h"

#include "model/shopping_tables.h"
#include "output/report_layout.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>

namespace gui {

inline QDate exampleDay() {
    return QDate(2026, 12, 9);
}

struct ExampleRun : Run {
    // Copies the example list and starts the window on it, on screen and active.
    Tfrm_main& startExample(const QString& ini = QString()) {
        const QString target = path(QStringLiteral("kabiro.pnv"));
        QFile::remove(target);
        if (!QFile::copy(QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv"), target))
            qFatal("cannot copy the example list");
        if (!ini.isEmpty())
            writeIni(ini);
        platform.day = exampleDay();
        start();
        show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("window not active");
        return *window;
    }

    Tfrm_main& w() const { return *window; }

    // The catalogue record of a product, whatever the filter; nullptr when there is none.
    const Record* product(const QString& name) const {
        const RecordTable& t = window->table1();
        for (int p = 0; p < t.recordCount(); ++p)
            if (RecordTable::textOf(t.recordAt(p), Cat::Produit) == name)
                return &t.recordAt(p);
        return nullptr;
    }
    QString productField(const QString& name, int field) const {
        const Record* r = product(name);
        return r ? RecordTable::textOf(*r, field) : QStringLiteral("<none>");
    }
    const Record* listRow(const QString& name) const {
        const RecordTable& t = window->table2();
        for (int p = 0; p < t.recordCount(); ++p)
            if (RecordTable::textOf(t.recordAt(p), Lst::Produit) == name)
                return &t.recordAt(p);
        return nullptr;
    }
    // Quantity of a product's list row, 0 when it has none.
    int quantity(const QString& name) const {
        const Record* r = listRow(name);
        return r ? RecordTable::integerOf(*r, Lst::unite_vente).value_or(0) : 0;
    }

    // Row of a grid showing a product, -1 when none does.
    static int rowOf(RecordGrid* grid, const QString& name) {
        QAbstractItemModel* m = grid->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 2).data().toString() == name)
                return r;
        return -1;
    }
    // The centre of a grid row, in its viewport, scrolled into view.
    static QPoint rowCentre(RecordGrid* grid, int row) {
        const QModelIndex at = grid->model()->index(row, 2);
        grid->scrollTo(at);
        return grid->visualRect(at).center();
    }
    // Makes a product the catalogue's current record.
    void choose(const QString& name) const {
        if (!window->table1().locate(Cat::Produit, name))
            qWarning("no product %s", qPrintable(name));
    }
    void chooseRow(const QString& name) const {
        if (!window->table2().locate(Lst::Produit, name))
            qWarning("no list row %s", qPrintable(name));
    }
    QString current() const {
        const Record* r = window->table1().current();
        return r ? RecordTable::textOf(*r, Cat::Produit) : QString();
    }

    // The total box's text for an amount in cents.
    QString totalText(qint64 cents) const {
        return report::listTotalText(Money::fromRaw(cents * 100), platform.regionalSettings);
    }
};

} // namespace gui
