// The main window for keyboard and screen-reader users: names and descriptions of the controls
// that show only a picture or a colour, labels linked to their fields, the cart panel's buttons
// reached with Tab, and a tab order that follows the window from left to right.

#include "app/main_window.h"

#include "app/window_look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// A tool tip without its key and its line breaks: "Nouveau (Ctrl+N)" names "Nouveau".
QString nameFromHint(const QString& hint) {
    QString name = hint;
    const qsizetype key = name.lastIndexOf(QStringLiteral(" ("));
    if (key > 0 && name.endsWith(u')'))
        name.truncate(key);
    return name.simplified();
}

} // namespace

void Tfrm_main::setupAccess() {
    // Toolbar buttons show a picture only: their hints name them.
    for (QToolButton* b : Panel1->findChildren<QToolButton*>())
        b->setAccessibleName(nameFromHint(b->toolTip()));
    spd_btn_editprod2->setAccessibleName(nameFromHint(spd_btn_editprod2->toolTip()));

    // Regions.
    TreeView1->setAccessibleName(QStringLiteral("Secteurs et rayons"));
    RxDBGrid1->setAccessibleName(QStringLiteral("Catalogue des produits"));
    RxDBGrid2->setAccessibleName(QStringLiteral("Liste des courses"));
    RxDBGrid1->setAccessibleDescription(
        QStringLiteral("Entrée ou + : ajouter à la liste ; Espace : prévu ou non"));

    // The cart panel: colours and a picture.
    for (QLabel* c : cpanels)
        c->setAccessibleDescription(nameFromHint(c->toolTip()));
    image_chariot->setAccessibleName(QStringLiteral("Chariot"));
    image_chariot->setAccessibleDescription(look::hintText(image_chariot->toolTip()).simplified());
    SpeedButton2->setAccessibleName(QStringLiteral("Ajouter une unité"));
    spd_btn_retire->setAccessibleName(QStringLiteral("Retirer une unité"));

    // The product sheet: labels linked to their fields, names for the others.
    Panel5->setAccessibleName(QStringLiteral("État du produit"));
    DBCheckBox1->setAccessibleName(QStringLiteral("Prévu"));
    DBEdit1->setAccessibleName(QStringLiteral("Produit"));
    DateTimePicker1->setAccessibleName(QStringLiteral("Date du rappel"));
    const struct {
        const char* label;
        QWidget* field;
    } sheet[] = {{"lbl_prix", RxDBCalcEdit1}, {"lbl_delai", DBEdit3}, {"lbl_note", DBEdit2}};
    for (const auto& s : sheet)
        if (auto* l = Panel7->findChild<QLabel*>(QString::fromLatin1(s.label)))
            l->setBuddy(s.field);

    // The list footer.
    cbb_rech->setAccessibleName(QStringLiteral("Recherche"));
    edt_total->setAccessibleName(QStringLiteral("Total"));
    edt_tot_nbre->setAccessibleName(QStringLiteral("Nombre d'unités"));
    if (auto* l = Panel2->findChild<QLabel*>(QStringLiteral("lbl_dern_liste")))
        l->setBuddy(edt_date_vali);

    // The cart panel's buttons are reached with Tab; a click still leaves the focus where it
    // was (each of them gives it to the catalogue anyway).
    for (QPushButton* b :
         {spd_btn_retire, SpeedButton2, SpeedButton3, spd_btn_valide, SpeedButton4})
        b->setFocusPolicy(Qt::TabFocus);

    // Left to right: tree, catalogue, product sheet, cart panel, list, its footer.
    const QList<QWidget*> order = {TreeView1,       RxDBGrid1,    spd_btn_editprod2, RxDBCalcEdit1,
                                   DateTimePicker1, DBEdit3,      DBEdit2,           spd_btn_retire,
                                   SpeedButton2,    SpeedButton3, spd_btn_valide,    SpeedButton4,
                                   RxDBGrid2,       cbb_rech,     btn_total};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}
