// The cart panel: its colour panels, trolley and buttons, and the user's actions told as
// signals.

#include "app/cart_panel.h"

#include "app/window_look.h"
#include "dialogs/bgr_color.h"
#include "model/settings.h"
#include "resources/pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A button of the panel, with the words of its command as tool tip and name for screen
// readers (the window adds its key to the tool tip). It is reached with Tab; a click leaves
// the focus where it was.
QPushButton* cartButton(QWidget* parent, const char* name, const QString& text,
                        const QString& command) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedHeight(22);
    b->setFocusPolicy(Qt::TabFocus);
    b->setToolTip(command);
    b->setAccessibleName(command);
    return b;
}

} // namespace

CartPanel::CartPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel9"));
    setFixedWidth(71);
    look::setBackground(this, palette().color(QPalette::Dark));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 4, 5, 4);
    layout->setSpacing(2);

    const QString panelHint = QStringLiteral(
        "Cette case contient  tous\r\nles produits de cette couleur\r\nDéplacez les en bloc");
    const char* names[3] = {"cpanel1", "cpanel2", "cpanel3"};
    const QString captions[3] = {QStringLiteral("Prévu"), QStringLiteral("Rappel"),
                                 QStringLiteral("Rappel(+)")};
    const quint32 colours[3] = {settings::kAqua, settings::kYellow, settings::kLime};
    for (size_t i = 0; i < 3; ++i) {
        auto* c = new QLabel(captions[i], this);
        c->setObjectName(QString::fromLatin1(names[i]));
        c->setFixedSize(60, 19);
        c->setAlignment(Qt::AlignCenter);
        c->setFrameStyle(QFrame::Panel | QFrame::Raised);
        c->setLineWidth(1);
        look::setBackground(c, colorFromBgr(colours[i]));
        look::setHint(c, panelHint);
        // Named by its caption; what it holds said in words.
        c->setAccessibleDescription(look::hintText(panelHint).simplified());
        c->installEventFilter(this);
        panels_[i] = c;
        layout->addWidget(c, 0, Qt::AlignHCenter);
    }

    layout->addSpacing(6);
    trolley_ = new QLabel(this);
    trolley_->setObjectName(QStringLiteral("image_chariot"));
    look::setPicture(trolley_, pictures::trolley());
    trolley_->setFixedSize(36, 36);
    trolley_->setAlignment(Qt::AlignCenter);
    look::setHint(trolley_, QStringLiteral("<- Pousser le chariot ->\r\nvers le magasin pour "
                                           "tout retirer\r\nvers la liste pour tout valider"));
    trolley_->setAccessibleName(QStringLiteral("Chariot"));
    trolley_->setAccessibleDescription(look::hintText(trolley_->toolTip()).simplified());
    layout->addWidget(trolley_, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(2);
    QPushButton* remove = cartButton(this, "spd_btn_retire", QStringLiteral("<"),
                                     QStringLiteral("Retirer une unité"));
    QPushButton* add =
        cartButton(this, "SpeedButton2", QStringLiteral(">"), QStringLiteral("Ajouter une unité"));
    arrows->addWidget(remove);
    arrows->addWidget(add);
    layout->addLayout(arrows);
    QPushButton* empty = cartButton(this, "SpeedButton3", QStringLiteral("Annule"),
                                    QStringLiteral("Vider la liste"));
    QPushButton* validate = cartButton(this, "spd_btn_valide", QStringLiteral("Valide"),
                                       QStringLiteral("Valider la liste"));
    QPushButton* print = cartButton(this, "SpeedButton4", QStringLiteral("Liste"),
                                    QStringLiteral("Aperçu avant impression"));
    for (QPushButton* b : {empty, validate, print})
        layout->addWidget(b);

    connect(add, &QPushButton::clicked, this, &CartPanel::addClicked);
    connect(remove, &QPushButton::clicked, this, &CartPanel::removeClicked);
    connect(empty, &QPushButton::clicked, this, &CartPanel::emptyClicked);
    connect(validate, &QPushButton::clicked, this, &CartPanel::validateClicked);
    connect(print, &QPushButton::clicked, this, &CartPanel::printClicked);
}

QColor CartPanel::stateColour(size_t index) const {
    return look::background(panels_[index]);
}

void CartPanel::setPanelSunken(QLabel* panel, bool sunken) {
    panel->setFrameShadow(sunken ? QFrame::Sunken : QFrame::Raised);
    panel->setLineWidth(sunken ? 2 : 1);
    panel->repaint();
}

void CartPanel::raisePanels() {
    for (QLabel* panel : panels_)
        setPanelSunken(panel, false);
}

bool CartPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    for (size_t i = 0; i < panels_.size(); ++i) {
        if (watched == panels_[i]) {
            emit panelDoubleClicked(static_cast<int>(i) + 1);
            return true;
        }
    }
    return false;
}
