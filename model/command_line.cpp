#include "model/command_line.h"

#include <QDir>

#ifndef KABIRO_VERSION
#define KABIRO_VERSION "0"
#endif

namespace cmdline {

namespace {

struct Option {
    const char* name;
    // The placeholder of the file the option takes ("LISTE.pnv"); nullptr: it takes none.
    const char* file;
    // Its line in the usage text (UTF-8); "\n" continues it under the same column.
    const char* help;
    void (*apply)(Request& request, const QString& file);
};

// The options, in the order of the usage text. A new option is one more row here (and the
// field of Request it sets).
const Option kOptions[] = {
    {"--dossier-utilisateur", nullptr,
     "travailler dans le dossier de Paniva de l'utilisateur,\n"
     "~/.local/share/paniva (ou $XDG_DATA_HOME/paniva),\n"
     "créé au premier usage avec une liste d'exemple ;\n"
     "c'est ainsi que le menu des applications lance Paniva",
     [](Request& r, const QString&) { r.userFolder = true; }},
    {"--help", nullptr, "afficher cette aide et quitter",
     [](Request& r, const QString&) { r.action = Action::Help; }},
    {"--version", nullptr, "afficher la version et quitter",
     [](Request& r, const QString&) { r.action = Action::Version; }},
};

constexpr int kHelpColumn = 26;

const Option* findOption(const QString& name) {
    for (const Option& o : kOptions)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
}

QString absoluteFile(const QString& startDirectory, const QString& file) {
    return QDir::cleanPath(QDir(startDirectory).absoluteFilePath(file));
}

Request fault(const QString& text) {
    Request r;
    r.action = Action::Fault;
    r.fault = text;
    return r;
}

} // namespace

Request parse(const QStringList& arguments, const QString& startDirectory) {
    Request request;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.startsWith(u'-')) {
            const qsizetype equals = arg.indexOf(u'=');
            const QString name = equals < 0 ? arg : arg.left(equals);
            const Option* option =
                name.startsWith(QLatin1String("--")) ? findOption(name) : nullptr;
            if (!option)
                return fault(QStringLiteral("option inconnue : %1").arg(arg));
            QString file;
            if (option->file) {
                if (equals >= 0)
                    file = arg.mid(equals + 1);
                else if (i + 1 < arguments.size())
                    file = arguments.at(++i);
                if (file.isEmpty())
                    return fault(QStringLiteral("l'option %1 demande un fichier (%2)")
                                     .arg(name, QLatin1String(option->file)));
                file = absoluteFile(startDirectory, file);
            } else if (equals >= 0) {
                return fault(QStringLiteral("l'option %1 ne prend pas de valeur").arg(name));
            }
            option->apply(request, file);
            if (request.action != Action::Run)
                return request;
            continue;
        }
        if (arg.isEmpty())
            return fault(QStringLiteral("le nom du fichier de liste est vide"));
        if (!request.listFile.isEmpty())
            return fault(
                QStringLiteral("un seul fichier de liste à la fois (en trop : %1)").arg(arg));
        request.listFile = absoluteFile(startDirectory, arg);
    }
    return request;
}

QString usage(const QString& programName) {
    QString text = QStringLiteral("Utilisation : %1 [OPTION]... [LISTE.pnv]\n"
                                  "Paniva, la liste de courses de la maison.\n"
                                  "\n"
                                  "Ouvre la liste LISTE.pnv, ou kabiro.pnv du dossier de travail. "
                                  "Le dossier de\n"
                                  "travail, le dossier courant sauf option, reçoit les réglages "
                                  "(kabiro.ini),\n"
                                  "les listes-types (.ltl) et les exports.\n"
                                  "\n"
                                  "Options :\n")
                       .arg(programName);
    for (const Option& o : kOptions) {
        QString head = QStringLiteral("  ") + QLatin1String(o.name);
        if (o.file)
            head += u' ' + QLatin1String(o.file);
        const QStringList lines = QString::fromUtf8(o.help).split(u'\n');
        for (qsizetype n = 0; n < lines.size(); ++n) {
            QString start = n == 0 ? head : QString();
            if (start.size() + 1 > kHelpColumn) {
                text += start + u'\n';
                start.clear();
            }
            text += start.leftJustified(kHelpColumn) + lines.at(n) + u'\n';
        }
    }
    return text;
}

QString versionText() {
    return QStringLiteral("kabiro (Paniva) " KABIRO_VERSION "\n"
                          "Licence GPL version 3 ou ultérieure "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "Ce programme est un logiciel libre, fourni SANS AUCUNE GARANTIE.\n");
}

} // namespace cmdline
