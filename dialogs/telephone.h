#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class CaldavClient;
class CredentialStore;
class Platform;
class QLabel;
class QLineEdit;
class QPushButton;

// "Téléphone (CalDAV)...": the task list the shopping list is sent to. The address (a CalDAV
// collection), the user name and the password; "Créer la liste" makes the task list "Courses" in
// the account whose address was typed and puts the new list's address in the field. OK writes the
// address and the user to kabiro.ini (section "TELEPHONE") and the password to the keyring; a
// refused address or a write that fails leaves the dialog open after a French message.
class Tfrm_telephone : public QDialog {
    Q_OBJECT
public:
    Tfrm_telephone(Platform& platform, CredentialStore& store, QString directory,
                   QWidget* parent = nullptr);
    ~Tfrm_telephone() override;

    bool creating() const { return client_ != nullptr; }

public slots:
    void btn_creerClick(); // "Créer la liste"
    void btn_okClick();    // OK

signals:
    void creationFinished(); // the task list was made or refused (after its message)

private:
    // The address typed, when it is an http(s) address; else nothing said and an empty URL.
    QUrl typedUrl() const;

    Platform& platform_;
    CredentialStore& store_;
    QString directory_;
    QString oldUrl_;
    QString oldUser_;
    std::unique_ptr<CaldavClient> client_; // while the task list is being made

    QLineEdit* edt_url = nullptr;
    QLineEdit* edt_utilisateur = nullptr;
    QLineEdit* edt_motdepasse = nullptr;
    QPushButton* btn_creer = nullptr;
    QPushButton* btn_ok = nullptr;
    QPushButton* btn_annuler = nullptr;
};
