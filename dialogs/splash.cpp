#include "dialogs/splash.h"

#include "dialogs/readable_colours.h"
#include "model/platform.h"
#include "resources/pictures.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QUrlQuery>

namespace {

QFont makeFont(const char* family, int points, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QLabel* label(QWidget* parent, const char* name, QRect place, const QString& text, const QFont& f,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    l->setFont(f);
    l->setAlignment(align);
    return l;
}

} // namespace

Tfrm_spash::Tfrm_spash(int tag, Platform* platform, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          (tag == StartUp ? Qt::SplashScreen : Qt::Dialog)),
      tag_(tag), platform_(platform) {
    setObjectName(QStringLiteral("frm_spash"));
    setWindowTitle(QStringLiteral("A propos"));
    setFixedSize(kWidth, kStartUpHeight);
    move(282, 206);

    // A one-pixel dark border around the panel, the box having no frame of its own.
    QPalette border = palette();
    border.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(border);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(1, 1, kWidth - 2, kStartUpHeight - 2);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    Panel1->setPalette(pal);

    auto* Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(2, 30, 47, 51);
    Image1->setPixmap(pictures::trolley());
    Image1->setAccessibleName(QStringLiteral("Panier"));
    Image1->setScaledContents(true);

    auto* Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(59, 16, 5, 69);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(1);

    label(Panel1, "Label1", QRect(70, 16, 157, 22), QStringLiteral("Paniva v2.0"),
          makeFont("Comic Sans MS", 14), Qt::AlignCenter);
    auto* Label2 = label(Panel1, "Label2", QRect(66, 64, 190, 30), authorLine(),
                         makeFont("Arial", 9), Qt::AlignCenter);
    Label2->setWordWrap(true);

    label(Panel1, "Label6", QRect(6, 102, 29, 14), QStringLiteral("Email"),
          makeFont("Arial", 8, true));
    label(Panel1, "Label5", QRect(6, 117, 21, 14), QStringLiteral("Site"),
          makeFont("Arial", 8, true));

    QFont linkFont = makeFont("Arial", 9, true);
    linkFont.setUnderline(true);
    Label3 = label(Panel1, "Label3", QRect(41, 100, 127, 15), emailAddress(), linkFont);
    Label3->setToolTip(QStringLiteral("Écrivez-nous : vos remarques et idées sont les bienvenues"));
    // Wide enough for the whole address, up to the OK button.
    Label4 = label(Panel1, "Label4", QRect(31, 116, 164, 15), webAddress(), linkFont);
    Label4->setToolTip(QStringLiteral("Bienvenue sur le site de Paniva"));
    for (QLabel* link : {Label3, Label4}) {
        // The desktop's link colour, darkened or lightened until it reads on the panel.
        readable::setAccent(link, QPalette::WindowText, link->palette().color(QPalette::Link));
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(197, 104, 59, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

QString Tfrm_spash::emailAddress() {
    return QStringLiteral("paniva@example.org");
}
QString Tfrm_spash::webAddress() {
    return QStringLiteral("https://paniva.example.org");
}
QString Tfrm_spash::authorLine() {
    return QStringLiteral("L'équipe Paniva\nCopyright 2026");
}
QString Tfrm_spash::emailSubject() {
    return QStringLiteral("A propos du logiciel Ma Paniva");
}

QString Tfrm_spash::mailtoUrl(const QString& address) {
    QUrl url(QStringLiteral("mailto:") + address);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), emailSubject());
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

void Tfrm_spash::showEvent(QShowEvent* event) {
    // As the About box the box grows to show the links and the OK button.
    if (tag_ == About) {
        setFixedSize(kWidth, kAboutHeight);
        Panel1->resize(kWidth - 2, kAboutHeight - 2);
    }
    QDialog::showEvent(event);
}

bool Tfrm_spash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label3) {
            Label3Click();
            return true;
        }
        if (watched == Label4) {
            Label4Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrm_spash::turnRed(QLabel* link) {
    readable::setAccent(link, QPalette::WindowText, Qt::red);
    link->repaint();
}

void Tfrm_spash::Label3Click() {
    turnRed(Label3);
    if (platform_)
        platform_->shellOpen(mailtoUrl(Label3->text()));
    accept();
}

void Tfrm_spash::Label4Click() {
    turnRed(Label4);
    if (platform_)
        platform_->shellOpen(Label4->text());
}
