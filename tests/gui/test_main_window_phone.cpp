// The phone from the window, against a real Radicale: the settings dialog creates the task list
// and keeps the account (ini and keyring), "Envoyer au téléphone" sends the list, "Relever le
// téléphone" validates what was ticked once the user says yes; a server error or Cancel changes
// nothing.

#include "main_window_fixture.h"
#include "modal_driver.h"
#include "support/test_registry.h"

#include "dav_call.h"
#include "dialogs/telephone.h"
#include "fake_credentials.h"
#include "phone/phone_session.h"
#include "phone/sync_state.h"
#include "radicale_server.h"
#include "scripted_http_server.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

using Button = Platform::Button;

namespace {

// Two products on the list: Lait and Riz.
QString twoRowList() {
    return QStringLiteral("[RAYON]\n"
                          "Boulangerie\n\tPains\n"
                          "Supermarché\n\tFrais\n\tÉpicerie\n"
                          "[LISTE]\n"
                          "Supermarché;Frais;Lait;2;N;N;;;\n"
                          "Supermarché;Épicerie;Riz;1;N;N;;;\n"
                          "[PRODUIT]\n"
                          "Supermarché;Frais;Lait;X;1;0,99;N;N;7;05/12/2026;;\n"
                          "Boulangerie;Pains;Baguette; ;2;1,1;O;N;;;;\n"
                          "Supermarché;Épicerie;Riz;X;3;2,5;N;N;;;Basmati;\n"
                          "[SAISIE]\n"
                          "DATE= lundi 7 décembre 2026\n");
}

QProgressDialog* progressBox(const Tfrm_main& w) {
    return w.findChild<QProgressDialog*>(QStringLiteral("phoneProgress"));
}

// Runs a phone command from its menu item and waits until no exchange is under way.
bool runCommand(Tfrm_main& w, const char* item) {
    gui::part<QAction>(w, item)->trigger();
    return QTest::qWaitFor([&] { return progressBox(w) == nullptr; }, 20000);
}

QStringList listProducts(const Tfrm_main& w) {
    QStringList out;
    const RecordTable& t = const_cast<Tfrm_main&>(w).table2();
    for (int pos = 0; pos < t.recordCount(); ++pos)
        out << RecordTable::textOf(t.recordAt(pos), Lst::Produit);
    return out;
}

QString catalogueMark(Tfrm_main& w, const QString& product) {
    const RecordTable& t = w.table1();
    for (int pos = 0; pos < t.recordCount(); ++pos)
        if (RecordTable::textOf(t.recordAt(pos), Cat::Produit) == product)
            return RecordTable::textOf(t.recordAt(pos), Cat::color);
    return QStringLiteral("?");
}

bool makeTaskList(CaldavClient& client, const QUrl& url) {
    QString error = QStringLiteral("pas de réponse");
    QEventLoop loop;
    createTaskList(client, url, QStringLiteral("Courses"), [&](const QString& e) {
        error = e;
        loop.quit();
    });
    loop.exec();
    return error.isEmpty();
}

} // namespace

class TestMainWindowPhone : public QObject {
    Q_OBJECT

    std::unique_ptr<RadicaleServer> server_;
    const QString user_ = QStringLiteral("marie");
    const QString password_ = QStringLiteral("s3cr3t");
    int lists_ = 0;

    // A task list of its own for a test, and the window's settings pointing at it.
    QUrl newAccountList(gui::Run& run, FakeCredentialStore& store) {
        const QUrl url = server_->url(QStringLiteral("%1/liste%2/").arg(user_).arg(++lists_));
        CaldavClient client(CaldavAccount{url, user_, password_});
        if (!makeTaskList(client, url))
            return QUrl();
        run.writeIni(
            QStringLiteral("[TELEPHONE]\nURL=%1\nUtilisateur=%2\n").arg(url.toString(), user_));
        store.setPassword(url.toString(), user_, password_);
        return url;
    }

private slots:
    void initTestCase() {
        server_ = std::make_unique<RadicaleServer>(RadicaleServer::Options{user_, password_});
        QVERIFY2(server_->start(), qPrintable(server_->error()));
    }

    void settingsDialogCreatesTheListAndKeepsTheAccount() {
        gui::Run run;
        FakeCredentialStore store;
        run.hooks.credentials = &store;
        run.writeList(QStringLiteral("kabiro.pnv"), twoRowList());
        Tfrm_main& w = run.start({QStringLiteral("kabiro.pnv")});

        const QString account = server_->url(user_ + u'/').toString();
        QString createdAddress;
        bool buddies = false;
        bool hidden = false;
        gui::whenModal<Tfrm_telephone>([&](Tfrm_telephone& d) {
            auto* url = gui::part<QLineEdit>(d, "edt_url");
            auto* user = gui::part<QLineEdit>(d, "edt_utilisateur");
            auto* password = gui::part<QLineEdit>(d, "edt_motdepasse");
            buddies = gui::part<QLabel>(d, "lbl_url")->buddy() == url &&
                      gui::part<QLabel>(d, "lbl_utilisateur")->buddy() == user &&
                      gui::part<QLabel>(d, "lbl_motdepasse")->buddy() == password;
            hidden = password->echoMode() == QLineEdit::Password;
            QTest::keyClicks(url, account);
            QTest::keyClicks(user, user_);
            QTest::keyClicks(password, password_);
            QSignalSpy created(&d, &Tfrm_telephone::creationFinished);
            QTest::mouseClick(gui::part<QPushButton>(d, "btn_creer"), Qt::LeftButton);
            if (created.isEmpty())
                created.wait(15000);
            createdAddress = url->text();
            // A look at the dialog as filled in, when asked for (PANIVA_SCREENSHOT=file.png).
            if (qEnvironmentVariableIsSet("PANIVA_SCREENSHOT"))
                d.grab().save(qEnvironmentVariable("PANIVA_SCREENSHOT"));
            QTest::mouseClick(gui::part<QPushButton>(d, "btn_ok"), Qt::LeftButton);
            if (d.isVisible())
                d.reject();
        });
        gui::part<QAction>(w, "smenu_telephone")->trigger();

        QVERIFY(buddies);
        QVERIFY(hidden);
        const QString list = account + QStringLiteral("courses/");
        QCOMPARE(createdAddress, list);
        QVERIFY(run.platform.messages.size() >= 1);
        QVERIFY2(run.platform.messages.constFirst().text.contains(QStringLiteral("créée")),
                 qPrintable(run.platform.messages.constFirst().text));
        const QByteArray ini = gui::readBytes(run.iniPath());
        QVERIFY2(
            ini.contains("[TELEPHONE]\r\nURL=" + list.toLatin1() + "\r\nUtilisateur=marie\r\n"),
            ini.constData());
        QVERIFY(!ini.contains(password_.toLatin1()));
        QCOMPARE(store.passwords.value(user_ + u'@' + list), password_);

        // The window's exchanges take the password from that store.
        QVERIFY(runCommand(w, "smenu_envoyer"));
        QVERIFY2(run.platform.lastMessage().text.contains(QStringLiteral("2 tâches créées")),
                 qPrintable(run.platform.lastMessage().text));
    }

    void settingsDialogRefusesAnAddressThatIsNotHttp() {
        gui::Run run;
        FakeCredentialStore store;
        run.hooks.credentials = &store;
        Tfrm_main& w = run.start();
        bool stayedOpen = false;
        gui::whenModal<Tfrm_telephone>([&](Tfrm_telephone& d) {
            QTest::keyClicks(gui::part<QLineEdit>(d, "edt_url"),
                             QStringLiteral("ftp://nas/courses"));
            QTest::keyClicks(gui::part<QLineEdit>(d, "edt_utilisateur"), user_);
            QTest::keyClicks(gui::part<QLineEdit>(d, "edt_motdepasse"), password_);
            QTest::mouseClick(gui::part<QPushButton>(d, "btn_ok"), Qt::LeftButton);
            stayedOpen = d.isVisible();
            d.reject();
        });
        gui::part<QAction>(w, "smenu_telephone")->trigger();
        QVERIFY(stayedOpen);
        QCOMPARE(run.platform.messages.size(), 1);
        QCOMPARE(run.platform.lastMessage().icon, Platform::Icon::Error);
        QVERIFY(run.platform.lastMessage().text.startsWith(
            QStringLiteral("Adresse de liste de tâches invalide : ftp://nas/courses")));
        QVERIFY(!gui::readBytes(run.iniPath()).contains("TELEPHONE"));
        QVERIFY(store.passwords.isEmpty());
    }

    void tickedOnThePhoneIsValidatedOnYes() {
        gui::Run run;
        FakeCredentialStore store;
        run.hooks.credentials = &store;
        run.writeList(QStringLiteral("kabiro.pnv"), twoRowList());
        const QUrl url = newAccountList(run, store);
        QVERIFY(url.isValid());
        Tfrm_main& w = run.start({QStringLiteral("kabiro.pnv")});
        QCOMPARE(run.listRows(), 2);
        const QString totalBefore = gui::part<QLineEdit>(w, "edt_total")->text();

        QVERIFY(runCommand(w, "smenu_envoyer"));
        QVERIFY2(run.platform.lastMessage().text.contains(QStringLiteral("2 tâches créées")),
                 qPrintable(run.platform.lastMessage().text));

        // The phone ticks Lait: one PUT of the task with STATUS:COMPLETED.
        SyncState state;
        QString error;
        QVERIFY2(state.load(syncFilePath(run.dir.path(), QStringLiteral("kabiro.pnv")),
                            url.toString(), &error),
                 qPrintable(error));
        QVERIFY(state.find(QStringLiteral("Lait")));
        CaldavClient phone(CaldavAccount{url, user_, password_});
        const QUrl lait = phone.resolve(state.find(QStringLiteral("Lait"))->href);
        const DavResponse got = davCall([&](auto done) { phone.get(lait, done); });
        QVERIFY(got.success());
        std::optional<ical::Component> cal = ical::parse(got.body);
        QVERIFY(cal && cal->child(u"VTODO"));
        cal->child(u"VTODO")->setRaw(QStringLiteral("STATUS"), QStringLiteral("COMPLETED"));
        QVERIFY(davCall([&](auto done) {
                    phone.put(lait, ical::serialize(*cal), got.etag, done);
                }).success());

        const int asked = static_cast<int>(run.platform.messages.size());
        run.platform.answer(Button::Yes);
        gui::part<QAction>(w, "smenu_relever")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(run.listRows(), 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(progressBox(w) == nullptr, 20000);

        QCOMPARE(run.platform.messages.size(), asked + 1);
        QCOMPARE(run.platform.lastMessage().text, tickedQuestion(1));
        QCOMPARE(listProducts(w), QStringList{QStringLiteral("Riz")});
        QCOMPARE(catalogueMark(w, QStringLiteral("Lait")), Flag::NotListed);
        QCOMPARE(catalogueMark(w, QStringLiteral("Riz")), Flag::Listed);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 u' ' + run.platform.regional().longDate(run.platform.today()));
        QVERIFY(gui::part<QLineEdit>(w, "edt_total")->text() != totalBefore);
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        // The bought product's task left the server; the other stays.
        QCOMPARE(davCall([&](auto done) { phone.get(lait, done); }).status, 404);
        const QUrl riz = phone.resolve(state.find(QStringLiteral("Riz"))->href);
        QVERIFY(davCall([&](auto done) { phone.get(riz, done); }).success());
    }

    void aServerErrorIsToldAndChangesNothing() {
        ScriptedHttpServer failing([](const auto&) {
            ScriptedHttpServer::Answer a;
            a.status = 500;
            a.body = "<html>panne</html>";
            return a;
        });
        gui::Run run;
        FakeCredentialStore store;
        run.hooks.credentials = &store;
        run.writeList(QStringLiteral("kabiro.pnv"), twoRowList());
        run.writeIni(QStringLiteral("[TELEPHONE]\nURL=%1\n")
                         .arg(QString::fromLatin1(failing.url("/courses/"))));
        Tfrm_main& w = run.start({QStringLiteral("kabiro.pnv")});
        const QByteArray file = gui::readBytes(run.path(QStringLiteral("kabiro.pnv")));

        for (const char* item : {"smenu_envoyer", "smenu_relever"}) {
            run.platform.messages.clear();
            QVERIFY(runCommand(w, item));
            QCOMPARE(run.platform.messages.size(), 1);
            const Platform::Message m = run.platform.lastMessage();
            QCOMPARE(m.icon, Platform::Icon::Error);
            QVERIFY2(m.text.contains(QStringLiteral("erreur du serveur (500)")),
                     qPrintable(m.text));
        }
        QCOMPARE(listProducts(w), (QStringList{QStringLiteral("Lait"), QStringLiteral("Riz")}));
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QCOMPARE(gui::readBytes(run.path(QStringLiteral("kabiro.pnv"))), file);
    }

    void cancelEndsTheExchangeWithoutAMessage() {
        ScriptedHttpServer silent([](const auto&) {
            ScriptedHttpServer::Answer a;
            a.silent = true;
            return a;
        });
        gui::Run run;
        FakeCredentialStore store;
        run.hooks.credentials = &store;
        run.writeList(QStringLiteral("kabiro.pnv"), twoRowList());
        run.writeIni(QStringLiteral("[TELEPHONE]\nURL=%1\n")
                         .arg(QString::fromLatin1(silent.url("/courses/"))));
        Tfrm_main& w = run.start({QStringLiteral("kabiro.pnv")});
        run.show();

        gui::part<QAction>(w, "smenu_relever")->trigger();
        QProgressDialog* box = progressBox(w);
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->labelText(),
                 QStringLiteral("Relevé des produits cochés sur le téléphone..."));
        QPushButton* cancel = box->findChild<QPushButton*>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("Annuler"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(progressBox(w) == nullptr, 5000);
        QVERIFY(run.platform.messages.isEmpty());
        QCOMPARE(run.listRows(), 2);
    }

    void missingSettingsAreToldInFrench() {
        gui::Run run;
        FakeCredentialStore store;
        run.hooks.credentials = &store;
        run.writeList(QStringLiteral("kabiro.pnv"), twoRowList());
        Tfrm_main& w = run.start({QStringLiteral("kabiro.pnv")});
        QVERIFY(runCommand(w, "smenu_envoyer"));
        QCOMPARE(run.platform.messages.size(), 1);
        QVERIFY2(
            run.platform.lastMessage().text.startsWith(QStringLiteral("Aucune liste de tâches")),
            qPrintable(run.platform.lastMessage().text));
    }

    void menuCaptionsHaveFreeAccessLetters() {
        gui::Run run;
        Tfrm_main& w = run.start();
        QMenu* file = gui::part<QMenu>(w, "smenu_fichier");
        QStringList letters;
        int exportAt = -1;
        const QList<QAction*> items = file->actions();
        for (int i = 0; i < items.size(); ++i) {
            const QString text = items[i]->text();
            const qsizetype amp = text.indexOf(u'&');
            if (amp >= 0 && amp + 1 < text.size())
                letters << text.at(amp + 1).toLower();
            if (items[i]->objectName() == u"Exporterlorganisation1")
                exportAt = i;
        }
        QCOMPARE(letters.size(), QSet<QString>(letters.begin(), letters.end()).size());
        QVERIFY(exportAt >= 0);
        QCOMPARE(items.value(exportAt + 1)->objectName(), QStringLiteral("smenu_envoyer"));
        QCOMPARE(items.value(exportAt + 2)->objectName(), QStringLiteral("smenu_relever"));
        QCOMPARE(gui::part<QMenu>(w, "smenu_parametrage")->actions().constLast()->text(),
                 QStringLiteral("Téléphone (CalDAV)..."));
    }
};

KABIRO_TEST_MAIN(TestMainWindowPhone)
#include "test_main_window_phone.moc"
