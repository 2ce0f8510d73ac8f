// Every command of the main window from the keyboard: the standard keys of the file commands and
// of the search box, the keys of the shopping cycle, and the menu bar reached with Alt or F10.
// The keys are shown in the menus and in the tool tips of the buttons that run the same command.

#include "app/main_window.h"

#include "app/cart_panel.h"
#include "app/main_window_ui.h"
#include "app/product_sheet.h"
#include "app/record_grid.h"
#include "app/shopping_keys.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QToolButton>

namespace {

// The menu bar as Windows users know it whatever the desktop's style: Alt pressed and released
// alone highlights the first menu title, the arrows move between the titles and open them.
class AltKeyMenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

QString keyText(const QKeySequence& key) {
    return key.toString(QKeySequence::NativeText);
}

// "Nouveau" becomes "Nouveau (Ctrl+N)".
void showKey(QWidget* control, const QKeySequence& key) {
    control->setToolTip(QStringLiteral("%1 (%2)").arg(control->toolTip(), keyText(key)));
}

} // namespace

void Tfrm_main::setupKeys() {
    // Standard keys on the menu items; the toolbar buttons of the same commands show them.
    const struct {
        QAction* item;
        QKeySequence key;
        QToolButton* button;
    } standard[] = {
        {ui_->smenu_nouveau, QKeySequence(Qt::CTRL | Qt::Key_N), ui_->spd_btn_new},
        {ui_->smenu_ouvrir, QKeySequence(Qt::CTRL | Qt::Key_O), ui_->spd_btn_ouvre},
        {ui_->smenu_enregistrer, QKeySequence(Qt::CTRL | Qt::Key_S), ui_->spd_btn_sauve},
        {ui_->smenu_enregistrer_sous, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), nullptr},
        {ui_->smenu_print, QKeySequence(Qt::CTRL | Qt::Key_P), ui_->spd_btn_print},
        {ui_->smenu_quitter, QKeySequence(Qt::CTRL | Qt::Key_Q), ui_->spd_btn_quitte},
        {ui_->smenu_prodedit, QKeySequence(Qt::Key_F2), ui_->spd_btn_editprod},
    };
    for (const auto& s : standard) {
        s.item->setShortcut(s.key);
        if (s.button)
            showKey(s.button, s.key);
    }
    // Controls of the sheet and of the cart panel, by their names.
    auto sheetBox = [this](const char* name) {
        return ui_->sheet->findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    auto cartButton = [this](const char* name) {
        return ui_->cart->findChild<QPushButton*>(QString::fromLatin1(name));
    };
    showKey(ui_->sheet->findChild<QToolButton*>(QStringLiteral("spd_btn_editprod2")),
            QKeySequence(Qt::Key_F2));
    showKey(ui_->spd_btn_aide, ui_->smenu_aide->shortcut());
    showKey(cartButton("SpeedButton4"), ui_->smenu_print->shortcut());

    // The shopping cycle: keys of the whole window, shown on the controls they stand for. A
    // text field keeps the keys it types ("+", "-" in a note), so these act from the grids,
    // the tree and the buttons.
    auto windowKey = [this](const char* name, const QString& text, ShoppingKey which, auto slot) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(shoppingKeys(which));
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    windowKey("key_pose", QStringLiteral("Ajouter une unité"), ShoppingKey::AddOne,
              &Tfrm_main::spd_btn_poseClick);
    windowKey("key_retire", QStringLiteral("Retirer une unité"), ShoppingKey::RemoveOne,
              &Tfrm_main::spd_btn_retireClick);
    windowKey("key_annule", QStringLiteral("Vider la liste"), ShoppingKey::EmptyList,
              &Tfrm_main::spd_btn_annuleClick);
    windowKey("key_valide", QStringLiteral("Valider la liste"), ShoppingKey::Validate,
              &Tfrm_main::spd_btn_valideClick);
    windowKey("key_total", QStringLiteral("Recalculer le total"), ShoppingKey::Total,
              &Tfrm_main::btn_totalClick);
    windowKey("key_prevu", QStringLiteral("Prévu"), ShoppingKey::Planned,
              &Tfrm_main::DBCheckBox1Enter);
    windowKey("key_rappel", QStringLiteral("Rappel"), ShoppingKey::Reminder,
              &Tfrm_main::DBCheckBox5Enter);
    windowKey("key_bloc1", QStringLiteral("Prévu en bloc"), ShoppingKey::PlannedBlock,
              [this] { cpanel1DblClick(1); });
    windowKey("key_bloc2", QStringLiteral("Rappel en bloc"), ShoppingKey::ReminderBlock,
              [this] { cpanel1DblClick(2); });
    // The third state only while its panel is shown (a tolerance above 0).
    windowKey("key_bloc3", QStringLiteral("Rappel(+) en bloc"), ShoppingKey::WindowBlock, [this] {
        if (!ui_->cart->statePanel(2)->isHidden())
            cpanel1DblClick(3);
    });
    windowKey("key_bascule", QStringLiteral("Catalogue ou liste"), ShoppingKey::SwitchGrid, [this] {
        endSheetEdit();
        (ui_->RxDBGrid1->hasFocus() ? ui_->RxDBGrid2 : ui_->RxDBGrid1)
            ->setFocus(Qt::ShortcutFocusReason);
    });
    windowKey("key_recherche", QStringLiteral("Recherche"), ShoppingKey::Search, [this] {
        ui_->cbb_rech->setFocus(Qt::ShortcutFocusReason);
        ui_->cbb_rech->lineEdit()->selectAll();
    });

    const auto first = [this](ShoppingKey which) { return shoppingKeys(which).constFirst(); };
    ui_->btn_total->setToolTip(QStringLiteral("Recalculer le total"));
    ui_->cbb_rech->setToolTip(QStringLiteral("Chercher un produit"));
    showKey(cartButton("SpeedButton2"), first(ShoppingKey::AddOne));
    showKey(cartButton("spd_btn_retire"), first(ShoppingKey::RemoveOne));
    showKey(cartButton("SpeedButton3"), first(ShoppingKey::EmptyList));
    showKey(cartButton("spd_btn_valide"), first(ShoppingKey::Validate));
    showKey(ui_->btn_total, first(ShoppingKey::Total));
    showKey(ui_->cbb_rech, first(ShoppingKey::Search));
    showKey(sheetBox("DBCheckBox1"), first(ShoppingKey::Planned));
    sheetBox("DBCheckBox5")->setToolTip(QStringLiteral("Rappel"));
    showKey(sheetBox("DBCheckBox5"), first(ShoppingKey::Reminder));
    const ShoppingKey blocks[3] = {ShoppingKey::PlannedBlock, ShoppingKey::ReminderBlock,
                                   ShoppingKey::WindowBlock};
    for (size_t i = 0; i < 3; ++i) {
        QLabel* panel = ui_->cart->statePanel(i);
        panel->setToolTip(panel->toolTip() + QStringLiteral("\nDouble clic ou ") +
                          keyText(first(blocks[i])) + QStringLiteral(" : ajouter en bloc"));
    }

    // The menu bar: Alt alone highlights it, F10 opens its first menu.
    auto* menuStyle = new AltKeyMenuBarStyle;
    menuStyle->setParent(menuBar());
    menuBar()->setStyle(menuStyle);
    windowKey("key_menu", QStringLiteral("Menu"), ShoppingKey::Menu, [this] {
        endSheetEdit();
        menuBar()->setActiveAction(ui_->smenu_fichier->menuAction());
    });
}
