#include "engine_error.h"

#include "common/language.h"
#include "common/message_text.h"

#include <sqlite3.h>

StoreProblem problemOfResultCode(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
        return StoreProblem::Locked;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreProblem::Damaged;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        return StoreProblem::Permissions;
    case SQLITE_FULL:
        return StoreProblem::DiskFull;
    default:
        return StoreProblem::Other;
    }
}

namespace {

// What each problem's message says, in English and in French: %1 is the
// file, %2 the engine's or the system's words. A failure that stops one
// write goes on with what that means for the change.
struct ProblemText {
    StoreProblem problem;
    const char *english;
    const char *french;
    const char *englishUnsaved;
    const char *frenchUnsaved;
};

const ProblemText ProblemTexts[] = {
    {StoreProblem::NoDatabase, "There is no database %1 (%2).", "Il n'y a pas de base de données %1 (%2).", nullptr,
     nullptr},
    {StoreProblem::Damaged,
     "The database %1 is damaged (%2).\n\nRestore the database from the latest backup while Tillano is closed. "
     "Do not run tillano-setup: it starts a new, empty shop.",
     "La base de données %1 est endommagée (%2).\n\nRestaurez la base de données depuis la dernière sauvegarde, "
     "Tillano fermé. N'utilisez pas tillano-setup : il crée un nouveau magasin vide.", nullptr, nullptr},
    {StoreProblem::Foreign,
     "The database %1 is not the database of a Tillano shop (%2).\n\nIt was made by another program or changed by "
     "one. Restore this shop's database from the latest backup while Tillano is closed.",
     "La base de données %1 n'est pas celle d'un magasin Tillano (%2).\n\nUn autre programme l'a créée ou "
     "modifiée. Restaurez la base de données du magasin depuis la dernière sauvegarde, Tillano fermé.", nullptr,
     nullptr},
    {StoreProblem::Permissions,
     "Tillano may not read and write the database %1 (%2).\n\nFix the permissions: the user who runs Tillano "
     "must be allowed to read and write the file and its directory.",
     "Tillano n'a pas le droit de lire et d'écrire la base de données %1 (%2).\n\nCorrigez les droits d'accès : "
     "l'utilisateur qui lance Tillano doit pouvoir lire et écrire le fichier et son répertoire.", nullptr,
     nullptr},
    {StoreProblem::Locked, "Another program is using the database %1 (%2)",
     "Un autre programme utilise la base de données %1 (%2)", ": this change was not saved.",
     " : cette modification n'a pas été enregistrée."},
    {StoreProblem::DiskFull, "The disk of the database %1 is full (%2)",
     "Le disque de la base de données %1 est plein (%2)",
     ": this change was not saved. Make room on the disk, then try again.",
     " : cette modification n'a pas été enregistrée. Libérez de la place sur le disque, puis réessayez."},
};

const ProblemText *problemText(StoreProblem problem)
{
    for (const ProblemText &text : ProblemTexts)
        if (text.problem == problem)
            return &text;
    return nullptr;
}

QString composed(const ProblemText &text, const QString &databaseFile, const QString &detail, bool withUnsaved)
{
    QString english = QString::fromUtf8(text.english);
    QString french = QString::fromUtf8(text.french);
    if (text.englishUnsaved) {
        english += withUnsaved ? QString::fromUtf8(text.englishUnsaved) : QStringLiteral(".");
        french += withUnsaved ? QString::fromUtf8(text.frenchUnsaved) : QStringLiteral(".");
    }
    return chooseText(english, french).arg(shortenedForMessage(databaseFile), shortenedForMessage(detail));
}

}

QString databaseProblemText(StoreProblem problem, const QString &databaseFile, const QString &detail)
{
    const ProblemText *text = problemText(problem);
    return text ? composed(*text, databaseFile, detail, true) : shortenedForMessage(detail);
}

StoreError engineError(sqlite3 *db)
{
    const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
    const StoreProblem problem = problemOfResultCode(sqlite3_extended_errcode(db));
    if (problem == StoreProblem::Other)
        return StoreError(detail);
    const char *name = sqlite3_db_filename(db, "main");
    const QString file = QString::fromUtf8(name ? name : "");
    return StoreError(databaseProblemText(problem, file, detail), problem,
                      composed(*problemText(problem), file, detail, false));
}
