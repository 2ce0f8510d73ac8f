#include "app/application_setup.h"

#include "model/platform.h"
#include "model/user_folder.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace appsetup {

void setApplicationTitle() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
}

void installFontSubstitutes() {
    const struct {
        const char* wanted;
        const char* stand_in;
    } pairs[] = {{"Arial", "Liberation Sans"}, {"Comic Sans MS", "Comic Neue"}};
    const QStringList families = QFontDatabase::families();
    for (const auto& p : pairs) {
        const QString wanted = QString::fromLatin1(p.wanted);
        const QString standIn = QString::fromLatin1(p.stand_in);
        if (!families.contains(wanted, Qt::CaseInsensitive) &&
            families.contains(standIn, Qt::CaseInsensitive) &&
            !QFont::substitutes(wanted).contains(standIn))
            QFont::insertSubstitution(wanted, standIn);
    }
}

void installFrenchTranslations(QApplication& app) {
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

void setDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.paniva"));
}

void enterUserFolder(Platform& platform) {
    const QString folder = userfolder::folderPath();
    const userfolder::Preparation prepared = userfolder::prepare(
        folder, userfolder::findExample(QCoreApplication::applicationDirPath()));
    const QString stays =
        QStringLiteral("\r\n\r\nPaniva travaille dans le dossier courant, « %1 ».")
            .arg(QDir::toNativeSeparators(QDir::currentPath()));
    if (!prepared.ready) {
        platform.error(prepared.problem + stays);
        return;
    }
    if (!QDir::setCurrent(folder)) {
        platform.error(QStringLiteral("Le dossier de travail « %1 » ne peut pas être ouvert.")
                           .arg(QDir::toNativeSeparators(folder)) +
                       stays);
        return;
    }
    if (!prepared.problem.isEmpty())
        platform.warning(prepared.problem);
}

void useFrenchLocaleByDefault() {
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

} // namespace appsetup
