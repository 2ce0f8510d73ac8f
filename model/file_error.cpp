#include "model/file_error.h"

#include <cerrno>

QString frenchFileError(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return QStringLiteral("Fichier introuvable");
    case ENOTDIR:
        return QStringLiteral("Chemin d'accès introuvable");
    case EACCES:
    case EPERM:
        return QStringLiteral("Accès refusé");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Espace disque insuffisant");
    case EROFS:
        return QStringLiteral("Le système de fichiers est en lecture seule");
    case EISDIR:
        return QStringLiteral("Le nom désigne un dossier et non un fichier");
    case EEXIST:
        return QStringLiteral("Le fichier existe déjà");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("Le fichier est utilisé par un autre programme");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Trop de fichiers ouverts");
    case ENAMETOOLONG:
        return QStringLiteral("Nom de fichier trop long");
    case EFBIG:
        return QStringLiteral("Fichier trop volumineux");
    case ENOMEM:
        return QStringLiteral("Mémoire insuffisante");
    case EINVAL:
        return QStringLiteral("Nom de fichier incorrect");
    case ELOOP:
        return QStringLiteral("Trop de liens symboliques dans le chemin d'accès");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Périphérique introuvable");
    case EAGAIN:
        return QStringLiteral("Ressource momentanément indisponible");
    case EINTR:
        return QStringLiteral("Opération interrompue");
    case 0:
    case EIO:
        return QStringLiteral("Erreur d'entrée/sortie");
    default:
        return QStringLiteral("Erreur système %1").arg(errnoValue);
    }
}
