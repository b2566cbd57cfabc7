#include "locked_database_question.h"

#include "dialogs.h"

#include "common/language.h"
#include "common/message_text.h"
#include "store/locked_database.h"

#include <QApplication>

void askWhenDatabaseLocked()
{
    LockedDatabase::setQuestion([](const QString &databaseFile) {
        return dialogs().question(
            QApplication::activeWindow(),
            chooseText(QStringLiteral("Another program is using the database %1, so Tillano cannot save "
                                      "now.\n\nTry again?"),
                       QStringLiteral("Un autre programme utilise la base de données %1 ; Tillano ne peut pas "
                                      "enregistrer maintenant.\n\nEssayer à nouveau?"))
                .arg(shortenedForMessage(databaseFile)));
    });
}
