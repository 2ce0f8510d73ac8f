#include "dialogs/req_glob.h"

#include "dialogs/readable_colours.h"
#include "model/global_operations.h"
#include "model/platform.h"
#include "model/shopping_data.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kRow = 17;

} // namespace

Tfrm_requete::Tfrm_requete(ShoppingData& data, Platform& platform, double euroRate, int coefDelai,
                           std::function<void()> recomputeTotal, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowContextHelpButtonHint),
      data_(data), platform_(platform), euroRate_(euroRate), coefDelai_(coefDelai),
      recomputeTotal_(std::move(recomputeTotal)) {
    setObjectName(QStringLiteral("frm_requete"));
    readable::mendSelection(this);
    setWindowTitle(QStringLiteral("Requêtes globales"));
    setFixedSize(kWidth, kHeight);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);

    auto* heading = new QLabel(QStringLiteral("Ces requêtes s'appliquent aux produits "
                                              "sélectionnés de la liste des produits"),
                               this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setGeometry(4, 2, 363, 16);
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = font();
    headingFont.setPixelSize(10); // the whole sentence on the one line above the groups
    heading->setFont(headingFont);

    const QIcon glyph = style()->standardIcon(QStyle::SP_ArrowRight);
    auto addRow = [&](QWidget* group, int y, int height, const QString& text, const char* button,
                      int tag, void (Tfrm_requete::*handler)()) {
        auto* l = new QLabel(text, group);
        l->setGeometry(10, y, 300, height);
        auto* b = new QToolButton(group);
        b->setObjectName(QString::fromLatin1(button));
        b->setGeometry(325, y + (height - kRow) / 2, 22, kRow);
        b->setIcon(glyph);
        b->setAutoRaise(true);
        b->setProperty("tag", tag);
        // The arrow runs what the line beside it says: that is its name for screen readers.
        b->setAccessibleName(QString(text).simplified());
        connect(b, &QToolButton::clicked, this, handler);
        return l;
    };

    auto* selection = new QGroupBox(QStringLiteral("Sélection"), this);
    selection->setObjectName(QStringLiteral("GroupBox1"));
    selection->setGeometry(8, 20, 355, 54);
    addRow(selection, 16, kRow, QStringLiteral("Tout sélectionner"), "SpeedButton1", 1,
           &Tfrm_requete::SpeedButton1Click);
    addRow(selection, 16 + kRow, kRow, QStringLiteral("Tout Désélectionner"), "SpeedButton2", 2,
           &Tfrm_requete::SpeedButton1Click);

    auto* rappel = new QGroupBox(QStringLiteral("Rappel"), this);
    rappel->setObjectName(QStringLiteral("GroupBox2"));
    rappel->setGeometry(8, 76, 355, 88);
    addRow(rappel, 16, kRow, QStringLiteral("Activer le rappel des produits sélectionnés"),
           "SpeedButton7", 1, &Tfrm_requete::SpeedButton7Click);
    addRow(rappel, 16 + kRow, kRow,
           QStringLiteral("Désactiver le rappel des produits sélectionnés"), "SpeedButton8", 2,
           &Tfrm_requete::SpeedButton7Click);
    addRow(rappel, 16 + 2 * kRow, kRow, QStringLiteral("Forcer échéance à aujourd'hui"),
           "SpeedButton3", 1, &Tfrm_requete::SpeedButton3Click);
    addRow(rappel, 16 + 3 * kRow, kRow,
           QStringLiteral("Forcer échéance tolérée à partir de ce jour"), "SpeedButton4", 2,
           &Tfrm_requete::SpeedButton3Click);

    auto* prix = new QGroupBox(QStringLiteral("Prix"), this);
    prix->setObjectName(QStringLiteral("GroupBox3"));
    prix->setGeometry(8, 166, 355, 58);
    addRow(prix, 13, 26,
           QStringLiteral("Convertir les valeurs sélectionnées en EUROS\n (soit les diviser par "
                          "valeur de l'Euro)"),
           "SpeedButton5", 1, &Tfrm_requete::SpeedButton5Click);
    QLabel* multiply =
        addRow(prix, 38, 18, QStringLiteral("Multiplier les valeurs sélectionnées par "),
               "SpeedButton6", 3, &Tfrm_requete::SpeedButton5Click);
    multiply->setFixedWidth(multiply->sizeHint().width());
    Edit1 = new QLineEdit(QStringLiteral("1"), prix);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(10 + multiply->width() + 2, 37, 60, 20);
    multiply->setBuddy(Edit1);

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Annuler"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(190, 228, 82, 24);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(280, 228, 82, 24);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

int Tfrm_requete::senderTag() const {
    const QObject* s = sender();
    return s ? s->property("tag").toInt() : 0;
}

void Tfrm_requete::SpeedButton1Click() {
    select(senderTag());
}
void Tfrm_requete::SpeedButton7Click() {
    reminder(senderTag());
}
void Tfrm_requete::SpeedButton3Click() {
    dueDate(senderTag());
}
void Tfrm_requete::SpeedButton5Click() {
    price(senderTag());
}

void Tfrm_requete::select(int tag) {
    if (tag == 1 || tag == 2)
        globalops::setPlanned(data_, tag == 1);
}

void Tfrm_requete::reminder(int tag) {
    if (tag != 1 && tag != 2)
        return;
    platform_.warning(globalops::setReminder(data_, tag == 1).notice);
}

void Tfrm_requete::dueDate(int tag) {
    if (tag != 1 && tag != 2)
        return;
    const int k = tag == 1 ? 0 : coefDelai_;
    platform_.warning(globalops::forceDueDate(data_, platform_.today(), k).notice);
}

void Tfrm_requete::price(int tag) {
    QString error;
    std::optional<globalops::PriceFactor> f;
    if (tag == 1)
        f = globalops::PriceFactor::euroDivision(euroRate_, platform_.regional(), &error);
    else if (tag == 3)
        f = globalops::PriceFactor::multiplication(Edit1->text(), &error);
    else
        return;
    if (!f) {
        platform_.warning(error);
        if (tag == 3)
            Edit1->setFocus();
        return;
    }
    Platform::Message m;
    m.text = globalops::priceConfirmationText(*f);
    m.icon = Platform::Icon::Question;
    m.buttons = {Platform::Button::Yes, Platform::Button::No};
    m.defaultButton = Platform::Button::Yes;
    m.escapeButton = Platform::Button::No;
    if (platform_.message(m) != Platform::Button::Yes)
        return;
    const globalops::Outcome out = globalops::applyPriceFactor(data_, *f);
    if (!out.failed && out.changed > 0 && recomputeTotal_)
        recomputeTotal_();
    platform_.warning(out.notice);
}
