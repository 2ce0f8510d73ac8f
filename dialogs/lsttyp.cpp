#include "dialogs/lsttyp.h"

#include "dialogs/readable_colours.h"
#include "model/shopping_data.h"
#include "resources/pictures.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

Tfrm_liste::Tfrm_liste(const QString& name, ShoppingData& data, const QString& listTypePath,
                       listtypes::AddCurrent add, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      name_(name), data_(data), file_(listTypePath), add_(std::move(add)) {
    setObjectName(QStringLiteral("frm_liste"));
    readable::mendSelection(this);
    setWindowTitle(name);
    setFixedSize(kWidth, kHeight);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(6, 6, 32, 32);
    Image1->setPixmap(pictures::trolley());
    Image1->setAccessibleName(QStringLiteral("Panier"));
    Image1->setScaledContents(true);

    auto* Label1 = new QLabel(
        QStringLiteral("Les produits de cette liste-type ont été ajoutés à la liste des courses"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(46, 4, 178, 32);
    Label1->setWordWrap(true);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(46, 40, 178, 16);
    QFont bold = font();
    bold.setBold(true);
    Label2->setFont(bold);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(77, 58, 75, 23);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

bool Tfrm_liste::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

// Some window systems never make a new box active (no focus given to it): the products are then
// added once the box is on screen all the same.
void Tfrm_liste::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    QTimer::singleShot(0, this, &Tfrm_liste::FormActivate);
}

void Tfrm_liste::FormActivate() {
    // Activation comes back every time the user returns to the box from another window: the
    // products are added on the first one only.
    if (applied_)
        return;
    applied_ = true;
    repaint();
    const QString value = file_.value(name_);
    count_ = listtypes::apply(data_, value, add_);
    Label2->setText(listtypes::addedText(count_));
}
