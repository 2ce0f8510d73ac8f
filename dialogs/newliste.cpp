#include "dialogs/newliste.h"

#include "dialogs/readable_colours.h"
#include "model/list_types.h"
#include "model/platform.h"
#include "model/shopping_data.h"
#include "model/win1252.h"
#include "resources/pictures.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

// Capitals of every letter the file's code page can hold as a capital ("µ" has no such capital
// and stays as it is).
QString capitals(const QString& typed) {
    QString out;
    out.reserve(typed.size());
    for (QChar c : typed) {
        const QString up = QString(c).toUpper();
        out += (up.size() == 1 && win1252::canStore(up)) ? up : QString(c);
    }
    return out;
}

} // namespace

Tfrm_nliste::Tfrm_nliste(ShoppingData& data, const QString& listTypePath, Platform& platform,
                         int number, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      data_(data), file_(listTypePath), platform_(platform) {
    setObjectName(QStringLiteral("frm_nliste"));
    readable::mendSelection(this);
    setWindowTitle(QStringLiteral("Nouvelle liste type"));
    setFixedSize(kWidth, kHeight);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(6, 4, 28, 28);
    Image1->setPixmap(pictures::trolley());
    Image1->setAccessibleName(QStringLiteral("Panier"));
    Image1->setScaledContents(true);

    auto* Label1 = new QLabel(QStringLiteral("Les produits affichés dans la fenêtre de droite vont "
                                             "renseigner la nouvelle liste type désignée "
                                             "ci-dessous"),
                              this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(40, 2, 264, 32);
    Label1->setWordWrap(true);

    QFont bold = font();
    bold.setBold(true);
    auto* Label2 = new QLabel(QStringLiteral("Nom de cette nouvelle liste"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(6, 42, 160, 18);
    Label2->setFont(bold);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label2->setBuddy(Edit1);
    Edit1->setGeometry(168, 40, 135, 21);
    Edit1->setFont(bold);
    QPalette pal = Edit1->palette();
    pal.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE1)); // the tooltip's pale yellow
    pal.setColor(QPalette::Text, Qt::black);
    Edit1->setPalette(pal);
    connect(Edit1, &QLineEdit::textEdited, this, &Tfrm_nliste::Edit1Edited);

    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 68, kWidth, kHeight - 68);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Label3 = new QLabel(QStringLiteral("La liste est vide ??"), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(6, 8, 130, 18);
    Label3->setFont(bold);
    readable::setAccent(Label3, QPalette::WindowText, QColor(0x80, 0x00, 0x00)); // maroon
    Label3->hide();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Annuler"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(144, 4, 76, 25);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(226, 4, 76, 25);
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &Tfrm_nliste::BitBtn2Click);

    FormCreate(number);
}

void Tfrm_nliste::FormCreate(int number) {
    Edit1->setText(capitals(QStringLiteral("Nouvelle-liste-") + QString::number(number)));
    Edit1->selectAll();
    Edit1->setFocus();
}

void Tfrm_nliste::Edit1Edited(const QString& text) {
    const QString up = capitals(text);
    if (up == text)
        return;
    const int cursor = Edit1->cursorPosition();
    Edit1->setText(up);
    Edit1->setCursorPosition(cursor);
}

void Tfrm_nliste::BitBtn2Click() {
    if (!BitBtn2->isEnabled())
        return;
    QString error;
    QString saved;
    switch (listtypes::saveNewListType(data_, file_, Edit1->text(), &error, &saved)) {
    case listtypes::SaveResult::EmptyCatalogue:
        return;
    case listtypes::SaveResult::NothingListed:
        Label3->show();
        BitBtn2->setEnabled(false); // only Cancel remains
        return;
    case listtypes::SaveResult::BadName:
    case listtypes::SaveResult::WriteFailed:
        platform_.error(error);
        Edit1->setFocus();
        return;
    case listtypes::SaveResult::Saved:
        savedName_ = saved;
        accept();
        return;
    }
}
