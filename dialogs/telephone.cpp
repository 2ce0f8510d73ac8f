#include "dialogs/telephone.h"

#include "model/platform.h"
#include "phone/caldav_client.h"
#include "phone/credential_store.h"
#include "phone/phone_session.h"
#include "phone/phone_sync.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString title() {
    return QStringLiteral("Téléphone (CalDAV)");
}

QLineEdit* field(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(320);
    return e;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

Tfrm_telephone::Tfrm_telephone(Platform& platform, CredentialStore& store, QString directory,
                               QWidget* parent)
    : QDialog(parent), platform_(platform), store_(store), directory_(std::move(directory)) {
    setObjectName(QStringLiteral("frm_telephone"));
    setWindowTitle(title());

    edt_url = field(this, "edt_url");
    edt_url->setPlaceholderText(QStringLiteral("https://serveur/dav/marie/courses/"));
    edt_utilisateur = field(this, "edt_utilisateur");
    edt_motdepasse = field(this, "edt_motdepasse");
    edt_motdepasse->setEchoMode(QLineEdit::Password);
    btn_creer = button(this, "btn_creer", QStringLiteral("&Créer la liste"));
    btn_creer->setAutoDefault(false);
    btn_ok = button(this, "btn_ok", QStringLiteral("OK"));
    btn_ok->setDefault(true);
    btn_annuler = button(this, "btn_annuler", QStringLiteral("Annuler"));
    btn_annuler->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(
        caption(this, "lbl_url", QStringLiteral("&Adresse de la liste de tâches :"), edt_url),
        edt_url);
    form->addRow(
        caption(this, "lbl_utilisateur", QStringLiteral("&Utilisateur :"), edt_utilisateur),
        edt_utilisateur);
    form->addRow(caption(this, "lbl_motdepasse", QStringLiteral("&Mot de passe :"), edt_motdepasse),
                 edt_motdepasse);
    auto* hint = new QLabel(QStringLiteral("Pour créer la liste « Courses », indiquez l'adresse "
                                           "du compte puis cliquez sur « Créer la liste »."),
                            this);
    hint->setObjectName(QStringLiteral("lbl_aide"));
    hint->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btn_creer);
    buttons->addStretch(1);
    buttons->addWidget(btn_ok);
    buttons->addWidget(btn_annuler);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(hint);
    column->addLayout(buttons);

    const PhoneSession::Settings s = PhoneSession::readSettings(directory_);
    oldUrl_ = s.url;
    oldUser_ = s.user;
    edt_url->setText(s.url);
    edt_utilisateur->setText(s.user);
    if (!s.url.isEmpty() && !s.user.isEmpty())
        edt_motdepasse->setText(store_.password(s.url, s.user).value_or(QString()));

    connect(btn_creer, &QPushButton::clicked, this, &Tfrm_telephone::btn_creerClick);
    connect(btn_ok, &QPushButton::clicked, this, &Tfrm_telephone::btn_okClick);
    connect(btn_annuler, &QPushButton::clicked, this, &QDialog::reject);
}

Tfrm_telephone::~Tfrm_telephone() = default;

QUrl Tfrm_telephone::typedUrl() const {
    const QUrl url(edt_url->text().trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return QUrl();
    return url;
}

void Tfrm_telephone::btn_creerClick() {
    if (client_)
        return;
    const QUrl account = typedUrl();
    if (account.isEmpty()) {
        platform_.error(QStringLiteral("Indiquez l'adresse du compte (http:// ou https://) "
                                       "dans laquelle créer la liste « Courses »."),
                        title());
        edt_url->setFocus();
        return;
    }
    client_ = std::make_unique<CaldavClient>(
        CaldavAccount{account, edt_utilisateur->text().trimmed(), edt_motdepasse->text()});
    const QUrl list = taskListUrlIn(account);
    btn_creer->setEnabled(false);
    btn_ok->setEnabled(false);
    setCursor(Qt::BusyCursor);
    createTaskList(*client_, list, QStringLiteral("Courses"), [this, list](const QString& error) {
        // The client goes once its callback has returned.
        client_.release()->deleteLater();
        unsetCursor();
        btn_creer->setEnabled(true);
        btn_ok->setEnabled(true);
        if (error.isEmpty()) {
            edt_url->setText(list.toString());
            platform_.message({title(),
                               QStringLiteral("La liste de tâches « Courses » est créée :\r\n%1")
                                   .arg(list.toString()),
                               Platform::Icon::Information});
        } else {
            platform_.error(error, title());
        }
        emit creationFinished();
    });
}

void Tfrm_telephone::btn_okClick() {
    const QString text = edt_url->text().trimmed();
    if (!text.isEmpty() && typedUrl().isEmpty()) {
        platform_.error(QStringLiteral("Adresse de liste de tâches invalide : %1\r\n"
                                       "Elle commence par http:// ou https://.")
                            .arg(text),
                        title());
        edt_url->setFocus();
        return;
    }
    const PhoneSession::Settings s{text, edt_utilisateur->text().trimmed()};
    QString error;
    if (!PhoneSession::writeSettings(directory_, s, &error)) {
        platform_.error(
            QStringLiteral("Les réglages du téléphone n'ont pas pu être écrits : %1").arg(error),
            title());
        return;
    }
    // The password of an account left behind does not stay in the keyring.
    if (!oldUser_.isEmpty() && (oldUrl_ != s.url || oldUser_ != s.user))
        store_.removePassword(oldUrl_, oldUser_);
    if (!s.user.isEmpty() && !s.url.isEmpty()) {
        const QString password = edt_motdepasse->text();
        const bool stored = password.isEmpty() ? (store_.removePassword(s.url, s.user), true)
                                               : store_.setPassword(s.url, s.user, password);
        if (!stored) {
            platform_.error(QStringLiteral("Le mot de passe n'a pas pu être rangé dans le "
                                           "trousseau : %1")
                                .arg(store_.lastError()),
                            title());
            return;
        }
    }
    oldUrl_ = s.url;
    oldUser_ = s.user;
    accept();
}
